#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QRect>
#include <QStringList>
#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "shell/outputs.h"
#include "widgets/thinkingframe.h"

class QAction;
class QMenu;
class QPrinter;
class QTimer;
class QToolBar;

namespace zorv {

class TFlashButton;
class TfmHelp;
struct TTargetPlace;

// Where the window goes: the saved bounds held to the screen, or 800 x 571
// centred when none were saved.
struct TPlacement {
    QRect bounds;
    bool maximised = false;
};
TPlacement PlaceWindow(bool fullScreen, int left, int top, int width, int height,
                       const QRect& screen, const QRect& workArea, QSize preferred = {});

// The document named on the command line (arguments without the program):
// one path, or "-p" and a path.
std::optional<QString> DocumentArgument(const QStringList& arguments);

// The name "Сохранить" writes a document under: the last character becomes "8",
// so "name.zv7" is saved as "name.zv8".
QString SaveName(const QString& fileName);

// Reads a document file into a freshly constructed declaration; on failure
// gives the message for the user ("Не удалось открыть «name»: reason").
QString ReadDeclaration(const QString& path, mTDeclaration& declaration);

class TRecoveryJournal;

// The program's one window: the open declaration, one page at a time chosen
// with the navigation column, and the document commands.
class TFormMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit TFormMain(const QString& programFolder, QWidget* parent = nullptr);
    ~TFormMain() override;

    // Start-up after construction: the document of the command line (or a new
    // one), the reference files, the conditions page.
    void Start(const QStringList& arguments);
    // Shows what went wrong at start-up (the document of the command line, the
    // reference files); called once the start window has closed.
    void ReportStartProblems();
    // Keeps recovery copies of unsaved changes in folder, written at most once
    // an interval after a change and at once on a page switch.
    void EnableRecovery(const QString& folder, std::chrono::milliseconds interval);
    // Offers the copies that an earlier run left without saving; called once
    // the start problems have been shown.
    void OfferRecovery();
    TRecoveryJournal* Journal() const { return journal_.get(); }
    // Shows the window where the settings place it.
    void ShowPlaced();

    TShellContext& Context() { return ctx_; }
    mTDeclaration& Declaration() { return ctx_.Decl(); }
    const QString& FileName() const { return fileName_; }
    bool Saved() const { return saved_; }
    TThinkingFrame* CurrentPage() const { return host_->Current(); }
    int CurrentPageKind() const { return host_->CurrentKind(); }
    TFlashButton* NavButton(TNavPage page) const { return nav_[page]; }
    QToolBar* ToolBar() const { return toolBar_; }
    QAction* Action(const char* name) const;

    // The document commands; each gives whether it went through.
    bool CreateDoc();
    bool OpenDoc();
    bool SaveDoc();
    bool SaveAsDoc();
    // The user's press of a navigation button.
    bool SwitchPage(TNavPage page);
    // The next (step 1) or previous (-1) enabled page of the navigation
    // column, switched to as a press of its button does.
    bool StepPage(int step);

    // Stores the current page and checks the whole declaration; a problem the
    // user chose to correct opens its page and field. 0: go on; 1: a problem
    // was shown; 2: the user cancelled.
    int RunCheck();
    // Opens the page of a problem with its field focused; the current page is
    // replaced without being stored or checked.
    void OpenProblemPage(int page, int focus);
    // Opens a page (and sub-page) with a record of its list selected.
    void OpenPlace(const TTargetPlace& place);
    // The commands of the declaration menu and of the help menu.
    void CheckDoc();
    void PreviewDoc();
    void PrintDoc();
    void ExportDoc();
    void Help();
    void About();

    // The help window once it has been opened.
    TfmHelp* HelpWindow() const { return help_; }
    // The printer chosen in the print dialog, kept between prints.
    QPrinter& Printer();
    // Whether an output command is running (the window refuses input meanwhile).
    bool Busy() const { return busy_; }

    // Where the output goes: the printing component of 3-NDFL and the report
    // library of 4-NDFL. Tests put recording versions here.
    void SetPrintComponentFactory(TPrintComponentFactory factory);
    void SetReportLibrary(TReportLibrary* library);

    static QString TitleFor(const QString& fileName);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildActions();
    void BuildNavigation();
    void ReadToolbarSettings();
    void ApplyTextLabels(bool on);
    void ShowToolbar(bool on);
    // Puts the result under the caption of the results button.
    void ShowResultSummary();
    // The same while a page is being filled in: the result of what the page
    // holds now, the declaration itself left as it was until the page is left.
    void FollowResult();
    void UpdateTitle();
    QString ReferenceProblems() const;
    void SetSaved(bool saved);

    // Asks whether to save a modified document; false abandons the command.
    bool SavePrompt();
    bool WriteDocument(const QString& path);
    // Reads a document into a new declaration and switches to it; on failure
    // gives the message for the user and keeps the open document.
    QString LoadDocument(const QString& path);
    // Makes the declaration the open document under the name fileName.
    void ShowDocument(std::unique_ptr<mTDeclaration> declaration, const QString& fileName);
    // The image a recovery copy holds, or nothing while a window is open over
    // the page.
    std::optional<std::vector<uint8_t>> RecoveryImage();
    void NewDocument();
    void ShowConditions();
    TThinkingFrame* CreatePage(TNavPage page, QWidget* parent);
    TPageHost::Factory PageFactory(TNavPage page);
    void WritePlacement();

    enum class TOutput { Preview, Print, Export };
    void RunOutput(TOutput output);
    void ExportDeclaration();
    void PrintDeclaration(TOutput output);
    void ReportEstimated(TOutput output);
    void ExportEstimated();
    // The document image the report library reads, ended by a zero byte.
    std::vector<uint8_t> DocumentImage();
    friend class TBusyScope;

    QString programFolder_;
    TShellContext ctx_;
    QString fileName_;
    bool saved_ = true;
    std::array<TFlashButton*, navCount> nav_{};
    QWidget* pageContainer_ = nullptr;
    std::unique_ptr<TPageHost> host_;
    QToolBar* toolBar_ = nullptr;
    QAction* actShowToolbar_ = nullptr;
    QAction* actTextLabels_ = nullptr;
    TfmHelp* help_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    TPrintComponentFactory printComponent_;
    TReportLibrary* reportLibrary_ = nullptr;
    bool busy_ = false;
    QTimer* resultTimer_ = nullptr;
    bool following_ = false;
    std::vector<std::pair<QMessageBox::Icon, QString>> startProblems_;
    std::unique_ptr<TRecoveryJournal> journal_;
};

}  // namespace zorv
