#pragma once

#include <QFrame>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <initializer_list>
#include <memory>

#include "check/checkdialog.h"
#include "model/declaration.h"
#include "widgets/dialogs.h"
#include "widgets/focustargets.h"
#include "widgets/navigation.h"
#include "widgets/referencedata.h"

class QVBoxLayout;

namespace zorv {

class TFlashButton;

// The check window of pages and dialogs (through the dialogs in force) as the
// prompter of the checks.
CheckPrompter WindowPrompter(QWidget* parent);

// What the pages share with the main window: the one declaration (reached
// through here, so a page always sees the current one after "new" or "open"),
// the loading flag, the print-date option, the reference lists and the
// enabled state of the navigation buttons.
class TShellContext : public QObject {
    Q_OBJECT
  public:
    TShellContext();
    ~TShellContext() override;

    mTDeclaration& Decl() { return *declaration_; }
    void ReplaceDeclaration(std::unique_ptr<mTDeclaration> declaration);

    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    // The modified notice; ignored while the loading flag is set.
    void NotifyModified();

    bool NavEnabled(TNavPage page) const { return navEnabled_[page]; }
    void SetNavEnabled(TNavPage page, bool enabled);
    // The navigation buttons as the declaration's kind and income groups allow.
    void SetNavFromDeclaration();

    bool printDateOption = false;
    TReferenceData references;

  signals:
    void modified();
    void navEnabledChanged(int page, bool enabled);

  private:
    std::unique_ptr<mTDeclaration> declaration_;
    bool loading_ = false;
    std::array<bool, navCount> navEnabled_{};
};

// Sets the loading flag for its lifetime and restores the earlier state.
class TLoadingScope {
  public:
    explicit TLoadingScope(TShellContext& ctx) : ctx_(ctx), was_(ctx.Loading()) {
        ctx.SetLoading(true);
    }
    ~TLoadingScope() { ctx_.SetLoading(was_); }
    TLoadingScope(const TLoadingScope&) = delete;
    TLoadingScope& operator=(const TLoadingScope&) = delete;

  private:
    TShellContext& ctx_;
    bool was_;
};

// A data-entry page. It is built from the declaration, copies its controls
// back when it is left (StoreToModel), checks its part of the declaration
// before it may be left (Validate: 0 or the focus code of the problem the user
// chose to correct), and puts the focus on the control behind a focus code.
class TThinkingFrame : public QFrame {
    Q_OBJECT
  public:
    TThinkingFrame(TShellContext& ctx, QWidget* parent);

    virtual void StoreToModel() = 0;
    virtual int Validate() = 0;
    // Puts the focus on the control of the code (a lookup button is pressed as
    // well); codes the page does not know do nothing.
    virtual void FocusError(int code);

  protected:
    mTDeclaration& Decl() { return ctx_.Decl(); }
    void Notify() { ctx_.NotifyModified(); }
    // Makes every entry field of the page send the modified notice.
    void WatchFields();
    // The keyboard order of the controls.
    void SetTabOrder(std::initializer_list<QWidget*> order);
    // The page's own check over the rules of `page` in the declaration, each
    // problem in the check window; the focus code to correct, or 0.
    int CheckRules(PageCode page);

    TShellContext& ctx_;
    // The controls behind the page's focus codes; the page fills it.
    TFocusTargets focusTargets_;
};

// One page at a time in a container, switched by the page contract: the
// current page is stored and checked first, and a problem keeps it (its
// button goes down again and the focus goes to the problem).
class TPageHost {
  public:
    using Factory = std::function<TThinkingFrame*(QWidget* parent)>;

    TPageHost(TShellContext& ctx, QWidget* container);

    TThinkingFrame* Current() const { return current_; }
    int CurrentKind() const { return kind_; }
    TFlashButton* CurrentButton() const { return button_; }

    // The user's switch to page `kind`; true when that page is shown now.
    bool SwitchTo(int kind, TFlashButton* button, const Factory& create);
    // Shows page `kind` without storing or checking the current one.
    void Replace(int kind, TFlashButton* button, const Factory& create);
    void Clear();

  private:
    TShellContext& ctx_;
    QWidget* container_;
    QVBoxLayout* layout_;
    TThinkingFrame* current_ = nullptr;
    TFlashButton* button_ = nullptr;
    int kind_ = -1;
};

// A page made of sub-pages chosen with a column of sub-buttons; it hands the
// page operations to the current sub-page.
class THubFrame : public TThinkingFrame {
    Q_OBJECT
  public:
    THubFrame(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;
    void FocusError(int code) override;

    // Shows sub-page `index` (building it when another one is shown) and puts
    // the focus on the control of `code`.
    void ShowSubPage(int index, int code);
    int CurrentSubPage() const { return host_->CurrentKind(); }
    TThinkingFrame* SubPage() const { return host_->Current(); }
    TFlashButton* SubButton(int index) const;

  protected:
    // Adds a sub-button; call in order of the sub-page indexes.
    TFlashButton* AddSubButton(const QString& caption, const QString& hint);
    virtual TThinkingFrame* CreateSubPage(int index, QWidget* parent) = 0;
    // Call at the end of the derived constructor.
    void Start(int index);
    // After sub-page `index` was put up, by Start or by the user's switch.
    virtual void SubPageShown(int index) { (void)index; }

  private:
    void OnSubButton(int index);
    TPageHost::Factory SubPageFactory(int index);

    QWidget* buttons_;
    QWidget* container_;
    std::unique_ptr<TPageHost> host_;
    QList<TFlashButton*> subButtons_;
};

}  // namespace zorv
