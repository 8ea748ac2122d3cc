#include "widgets/thinkingframe.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include "check/pagecheck.h"
#include "widgets/flashbutton.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

TShellContext::TShellContext() : declaration_(std::make_unique<mTDeclaration>()) {
    navEnabled_.fill(true);
}

TShellContext::~TShellContext() = default;

void TShellContext::ReplaceDeclaration(std::unique_ptr<mTDeclaration> declaration) {
    declaration_ = std::move(declaration);
}

void TShellContext::NotifyModified() {
    if (!loading_) emit modified();
}

void TShellContext::SetNavEnabled(TNavPage page, bool enabled) {
    navEnabled_[page] = enabled;
    emit navEnabledChanged(page, enabled);
}

void TShellContext::SetNavFromDeclaration() {
    const mTDeclaration& d = Decl();
    const uint8_t kind = d.DeclarationKind;
    SetNavEnabled(navInitialData, true);
    SetNavEnabled(navPersonInfo, true);
    SetNavEnabled(navRussianIncome, d.HasIncome(kIncomeFromAgents));
    SetNavEnabled(navForeignIncome, d.HasIncome(kIncomeForeign));
    SetNavEnabled(navBusinessIncome, d.HasIncome(kIncomeBusiness));
    SetNavEnabled(navDeduction, d.HasIncome(kIncomeFromAgents | kIncomeForeign | kIncomeBusiness) &&
                                    kind != kNonResident3NDFL && kind != kEstimated4NDFL);
    SetNavEnabled(navNalog, kind != kEstimated4NDFL);
}

TThinkingFrame::TThinkingFrame(TShellContext& ctx, QWidget* parent) : QFrame(parent), ctx_(ctx) {}

void TThinkingFrame::WatchFields() {
    for (TMaskedEdit* edit : findChildren<TMaskedEdit*>())
        connect(edit, &TMaskedEdit::modified, this, [this] { Notify(); });
    for (TMaskedDocEdit* edit : findChildren<TMaskedDocEdit*>())
        connect(edit, &TMaskedDocEdit::modified, this, [this] { Notify(); });
}

void TThinkingFrame::SetTabOrder(std::initializer_list<QWidget*> order) {
    QWidget* previous = nullptr;
    for (QWidget* control : order) {
        if (previous) setTabOrder(previous, control);
        previous = control;
    }
}

void TThinkingFrame::FocusError(int code) {
    focusTargets_.Focus(code);
}

CheckPrompter WindowPrompter(QWidget* parent) {
    return [parent](const CheckQuestion& q) {
        const TCheckRequest request{ToQ(q.section), ToQ(q.message), q.canSkip, q.canSkipAll};
        switch (Dialogs().Check(parent, request)) {
            case TCheckAnswer::Skip:
                return CheckAnswer::Skip;
            case TCheckAnswer::SkipAll:
                return CheckAnswer::SkipAll;
            case TCheckAnswer::Correct:
                break;
        }
        return CheckAnswer::Correct;
    };
}

int TThinkingFrame::CheckRules(PageCode page) {
    return CheckPage(page, Decl(), WindowPrompter(this));
}

TPageHost::TPageHost(TShellContext& ctx, QWidget* container) : ctx_(ctx) {
    // A page taller or wider than the window scrolls instead of being squeezed.
    auto* outer = new QVBoxLayout(container);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(container);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll);
    container_ = new QWidget;
    layout_ = new QVBoxLayout(container_);
    layout_->setContentsMargins(0, 0, 0, 0);
    scroll->setWidget(container_);
}

bool TPageHost::SwitchTo(int kind, TFlashButton* button, const Factory& create) {
    if (current_ && kind == kind_) return true;
    if (current_) {
        current_->StoreToModel();
        const int code = current_->Validate() & 0xFFFF;
        if (code != 0) {
            if (button_) button_->SetDown(true);
            current_->FocusError(code);
            return false;
        }
    }
    Replace(kind, button, create);
    return true;
}

void TPageHost::Replace(int kind, TFlashButton* button, const Factory& create) {
    TThinkingFrame* page = nullptr;
    {
        TLoadingScope loading(ctx_);
        page = create(container_);
        layout_->addWidget(page);
        Clear();
    }
    current_ = page;
    kind_ = kind;
    button_ = button;
    if (button_) button_->SetDown(true);
    page->show();
}

void TPageHost::Clear() {
    if (current_) {
        layout_->removeWidget(current_);
        delete current_;
    }
    current_ = nullptr;
    kind_ = -1;
}

THubFrame::THubFrame(TShellContext& ctx, QWidget* parent) : TThinkingFrame(ctx, parent) {
    buttons_ = new QWidget(this);
    buttons_->setObjectName(QStringLiteral("pnlSubButtons"));
    auto* buttonLayout = new QHBoxLayout(buttons_);
    buttonLayout->setContentsMargins(4, 4, 4, 0);
    buttonLayout->setSpacing(2);
    buttonLayout->addStretch(1);
    container_ = new QWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buttons_);
    layout->addWidget(container_, 1);
    host_ = std::make_unique<TPageHost>(ctx, container_);
}

TFlashButton* THubFrame::AddSubButton(const QString& caption, const QString& hint) {
    auto* button = new TFlashButton(caption, buttons_, 1);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setFixedHeight(28);
    button->setMinimumWidth(button->sizeHint().width());
    auto* layout = static_cast<QHBoxLayout*>(buttons_->layout());
    layout->insertWidget(layout->count() - 1, button);
    const int index = subButtons_.size();
    subButtons_.append(button);
    connect(button, &TFlashButton::command, this, [this, index] { OnSubButton(index); });
    return button;
}

TFlashButton* THubFrame::SubButton(int index) const {
    return subButtons_.value(index);
}

void THubFrame::Start(int index) {
    host_->Replace(index, SubButton(index), SubPageFactory(index));
    SubPageShown(index);
}

void THubFrame::OnSubButton(int index) {
    const bool switched = host_->CurrentKind() != index;
    if (host_->SwitchTo(index, SubButton(index), SubPageFactory(index)) && switched)
        SubPageShown(index);
}

TPageHost::Factory THubFrame::SubPageFactory(int index) {
    return [this, index](QWidget* parent) { return CreateSubPage(index, parent); };
}

void THubFrame::ShowSubPage(int index, int code) {
    if (host_->CurrentKind() != index) {
        // The sub-page left keeps what was typed on it.
        if (host_->Current()) host_->Current()->StoreToModel();
        host_->Replace(index, SubButton(index), SubPageFactory(index));
    }
    host_->Current()->FocusError(code);
}

void THubFrame::StoreToModel() {
    if (host_->Current()) host_->Current()->StoreToModel();
}

int THubFrame::Validate() {
    return host_->Current() ? host_->Current()->Validate() : 0;
}

void THubFrame::FocusError(int code) {
    if (host_->Current()) host_->Current()->FocusError(code);
}

}  // namespace zorv
