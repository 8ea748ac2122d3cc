#include "shell/formmain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "pages/businesspage.h"
#include "pages/currencypage.h"
#include "pages/deductionhub.h"
#include "pages/nalogpage.h"
#include "pages/russianincome.h"
#include "shell/help.h"
#include "shell/initialdata.h"
#include "shell/persondata.h"
#include "shell/recoveryjournal.h"
#include "shell/recoveryprompt.h"
#include "shell/results.h"
#include "shell/resultsdata.h"
#include "storage/errors.h"
#include "widgets/flashbutton.h"
#include "widgets/layoutkeys.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

constexpr int kMinWidth = 800;
constexpr int kMinHeight = 571;
constexpr int kNavWidth = 132;
constexpr int kNavHeight = 71;
constexpr int kNavMinHeight = 40;

QSettings Settings() {
    return QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008"));
}

// A settings value whose name matches without regard to case.
QVariant SettingValue(QSettings& settings, const QString& name, const QVariant& fallback) {
    for (const QString& key : settings.childKeys())
        if (key.compare(name, Qt::CaseInsensitive) == 0) return settings.value(key, fallback);
    return fallback;
}

const char* const kNavCaptions[navCount] = {
    "Задание условий",         "Сведения о декларанте",
    "Доходы, полученные в РФ", "Доходы за пределами РФ",
    "Предприниматели",         "Вычеты",
    "Уплата по уведомлениям",  "Итоги",
};
const char* const kNavNames[navCount] = {
    "fbInitialData",    "fbPrsonInfo", "fbRussianIncome", "fbForeignIncome",
    "fbBusinessIncome", "fbDeduction", "fbNalog",         "fbResults",
};

// Keeps the buttons of the navigation column of one height: as high as the
// column allows each of them, at most 71 pixels; what is left stays below them.
class TEvenButtons : public QObject {
  public:
    TEvenButtons(QWidget* column, int count) : QObject(column), column_(column), count_(count) {
        column->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == column_ && event->type() == QEvent::Resize) {
            const int height = std::clamp(column_->height() / count_, kNavMinHeight, kNavHeight);
            for (QWidget* button : column_->findChildren<TFlashButton*>())
                button->setMaximumHeight(height);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* column_;
    int count_;
};

}  // namespace

TPlacement PlaceWindow(bool fullScreen, int left, int top, int width, int height,
                       const QRect& screen, const QRect& workArea, QSize preferred) {
    if (fullScreen) left = top = width = height = 0;
    // Without a stored place the window takes the size its pages want, as far
    // as the screen has room for it.
    if (width == -left) {
        width = std::clamp(preferred.width(), kMinWidth, std::max(kMinWidth, workArea.width()));
        left = screen.left() + (screen.width() - width) / 2;
    }
    if (height == -top) {
        height =
            std::clamp(preferred.height(), kMinHeight, std::max(kMinHeight, workArea.height()));
        top = workArea.top() + (workArea.height() - height) / 2;
    }
    width = std::max(width, kMinWidth);
    height = std::max(height, kMinHeight);
    left = std::max(left, 0);
    top = std::max(top, 0);
    if (left + width > screen.right() + 1) {
        width = kMinWidth;
        left = std::max(0, screen.right() + 1 - width);
    }
    if (top + height > workArea.bottom() + 1) {
        height = kMinHeight;
        top = std::max(0, workArea.bottom() + 1 - height);
    }
    return {QRect(left, top, width, height), fullScreen};
}

std::optional<QString> DocumentArgument(const QStringList& arguments) {
    if (arguments.size() == 1) return arguments[0];
    if (arguments.size() == 2)
        return arguments[0].toLower() == QLatin1String("-p") ? arguments[1] : arguments[0];
    return std::nullopt;
}

QString SaveName(const QString& fileName) {
    if (fileName.isEmpty() || fileName.endsWith(QLatin1Char('8'))) return fileName;
    QString name = fileName;
    name[name.size() - 1] = QLatin1Char('8');
    return name;
}

QString TFormMain::TitleFor(const QString& fileName) {
    const QString name =
        fileName.isEmpty() ? QStringLiteral("Без имени") : QFileInfo(fileName).fileName();
    // "[*]" shows as "*" while the document has unsaved changes.
    return name + QStringLiteral("[*] - Zorv 2008");
}

TFormMain::TFormMain(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent),
      programFolder_(programFolder),
      printComponent_(CreatePrintComponent),
      reportLibrary_(&LinkedReportLibrary()) {
    setObjectName(QStringLiteral("FormMain"));
    setMinimumSize(kMinWidth, kMinHeight);
    BuildActions();
    BuildNavigation();
    ReadToolbarSettings();
    qApp->installEventFilter(new TLayoutMnemonics(this));
    resultTimer_ = new QTimer(this);
    resultTimer_->setSingleShot(true);
    resultTimer_->setInterval(250);
    connect(resultTimer_, &QTimer::timeout, this, &TFormMain::FollowResult);
    connect(&ctx_, &TShellContext::modified, this, [this] {
        if (following_) return;
        SetSaved(false);
        resultTimer_->start();
    });
    connect(&ctx_, &TShellContext::navEnabledChanged, this, [this](int page, bool enabled) {
        if (page >= 0 && page < navCount) nav_[page]->setEnabled(enabled);
    });
    UpdateTitle();
}

TFormMain::~TFormMain() {
    host_->Clear();
}

void TFormMain::EnableRecovery(const QString& folder, std::chrono::milliseconds interval) {
    journal_ = std::make_unique<TRecoveryJournal>(
        TRecoveryStore(folder), [this] { return RecoveryImage(); }, [this] { return fileName_; },
        interval);
    journal_->OnFailure([this](const QString& message) { ShowError(this, message); });
    if (!saved_) journal_->Modified();
}

std::optional<std::vector<uint8_t>> TFormMain::RecoveryImage() {
    // The page is stored only between the user's steps: not while a window over
    // it is still being filled in, nor during a command.
    if (busy_ || QApplication::activeModalWidget()) return std::nullopt;
    if (host_->Current()) host_->Current()->StoreToModel();
    return ctx_.Decl().BuildImage();
}

void TFormMain::OfferRecovery() {
    if (!journal_) return;
    std::optional<TRecovered> recovered = zorv::OfferRecovery(this, journal_->Store());
    if (!recovered) return;
    if (!recovered->openSaved.isEmpty()) {
        if (QString failure = LoadDocument(recovered->openSaved); !failure.isEmpty()) {
            ShowError(this, failure);
        }
        return;
    }
    // Under the original's name, and modified: nothing is written over the
    // original until the user saves.
    ShowDocument(std::move(recovered->declaration), recovered->slot->OriginalPath());
    SetSaved(false);
    journal_->Adopt(std::move(recovered->slot));
}

void TFormMain::BuildActions() {
    QStyle* s = style();
    struct Command {
        const char* name;
        const char* caption;
        QStyle::StandardPixmap icon;
    };
    auto make = [&](const Command& c) {
        auto* action = new QAction(s->standardIcon(c.icon), QString::fromUtf8(c.caption), this);
        action->setObjectName(QString::fromLatin1(c.name));
        return action;
    };
    QAction* create = make({"CreateDoc", "&Создать", QStyle::SP_FileIcon});
    QAction* open = make({"OpenDoc", "&Открыть", QStyle::SP_DialogOpenButton});
    QAction* save = make({"SaveDoc", "Со&хранить", QStyle::SP_DialogSaveButton});
    QAction* saveAs = make({"SaveAsDoc", "Сохранить &как...", QStyle::SP_DialogSaveButton});
    QAction* quit = make({"Quit", "В&ыход", QStyle::SP_DialogCloseButton});
    QAction* preview = make({"PreviewDoc", "&Просмотр", QStyle::SP_FileDialogContentsView});
    QAction* print = make({"PrintDoc", "П&ечать", QStyle::SP_FileDialogDetailedView});
    QAction* exportDoc = make({"ExportDoc", "&Экспорт", QStyle::SP_ArrowRight});
    QAction* check = make({"CheckDoc", "Про&верить", QStyle::SP_DialogApplyButton});
    QAction* help = make({"Help", "&Справка", QStyle::SP_DialogHelpButton});
    QAction* about = make({"About", "&О программе", QStyle::SP_MessageBoxInformation});
    create->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    // The next and previous page of the navigation column, from anywhere in the window.
    for (const auto& [name, key, step] : {std::tuple{"NextPage", Qt::Key_PageDown, 1},
                                          std::tuple{"PreviousPage", Qt::Key_PageUp, -1}}) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(QKeySequence(Qt::CTRL | key));
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, step] { StepPage(step); });
        addAction(action);
    }

    connect(create, &QAction::triggered, this, [this] { CreateDoc(); });
    connect(open, &QAction::triggered, this, [this] { OpenDoc(); });
    connect(save, &QAction::triggered, this, [this] { SaveDoc(); });
    connect(saveAs, &QAction::triggered, this, [this] { SaveAsDoc(); });
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(preview, &QAction::triggered, this, &TFormMain::PreviewDoc);
    connect(print, &QAction::triggered, this, &TFormMain::PrintDoc);
    connect(exportDoc, &QAction::triggered, this, &TFormMain::ExportDoc);
    connect(check, &QAction::triggered, this, &TFormMain::CheckDoc);
    connect(help, &QAction::triggered, this, &TFormMain::Help);
    connect(about, &QAction::triggered, this, &TFormMain::About);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    file->addActions({create, open, save, saveAs});
    file->addSeparator();
    file->addAction(quit);
    QMenu* declaration = menuBar()->addMenu(QStringLiteral("&Декларация"));
    declaration->addActions({preview, print, exportDoc, check});
    QMenu* settings = menuBar()->addMenu(QStringLiteral("&Настройки"));
    actShowToolbar_ = settings->addAction(QStringLiteral("&Стандартная панель"));
    actShowToolbar_->setObjectName(QStringLiteral("ShowStdToolbar"));
    actShowToolbar_->setCheckable(true);
    actTextLabels_ = settings->addAction(QStringLiteral("&Подписи под кнопками"));
    actTextLabels_->setObjectName(QStringLiteral("TextLabels"));
    actTextLabels_->setCheckable(true);
    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("С&правка"));
    helpMenu->addActions({help, about});

    toolBar_ = addToolBar(QStringLiteral("Стандартная панель"));
    toolBar_->setObjectName(QStringLiteral("StdToolbar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->toggleViewAction()->setEnabled(false);
    const std::pair<QAction*, const char*> buttons[] = {
        {create, "fbCreate"}, {open, "fbOpen"},         {save, "fbSave"},   {preview, "fbView"},
        {print, "fbPrint"},   {exportDoc, "fbExsport"}, {check, "fbCheck"},
    };
    for (const auto& [action, name] : buttons) {
        toolBar_->addAction(action);
        toolBar_->widgetForAction(action)->setObjectName(QString::fromLatin1(name));
    }

    connect(actShowToolbar_, &QAction::toggled, this, [this](bool on) {
        Settings().setValue(QStringLiteral("ShowStdToolbar"), on);
        ShowToolbar(on);
    });
    connect(actTextLabels_, &QAction::toggled, this, [this](bool on) {
        Settings().setValue(QStringLiteral("TextLabels"), on);
        ApplyTextLabels(on);
    });
}

QAction* TFormMain::Action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

void TFormMain::BuildNavigation() {
    auto* central = new QWidget(this);
    auto* navigation = new QWidget(central);
    navigation->setObjectName(QStringLiteral("pnlNavigation"));
    auto* column = new QVBoxLayout(navigation);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // The current button draws its caption in bold: the column is wide enough
    // for the longest word of a caption in bold.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int width = kNavWidth;
    for (const char* caption : kNavCaptions)
        for (const QString& word : QString::fromUtf8(caption).split(QLatin1Char(' ')))
            width = std::max(width, metrics.horizontalAdvance(word) + 16);
    navigation->setFixedWidth(width);
    for (int i = 0; i < navCount; ++i) {
        auto* button = new TFlashButton(QString::fromUtf8(kNavCaptions[i]), navigation, 1);
        button->setObjectName(QString::fromLatin1(kNavNames[i]));
        button->setToolTip(button->text());
        // All buttons alike, 71 pixels high while there is room, lower in a low
        // window so that the whole column stays in sight.
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        button->setMinimumHeight(kNavMinHeight);
        button->setMaximumHeight(kNavHeight);
        column->addWidget(button, 1);
        const auto page = TNavPage(i);
        connect(button, &TFlashButton::command, this, [this, page] { SwitchPage(page); });
        nav_[i] = button;
    }
    column->addStretch(0);
    new TEvenButtons(navigation, navCount);
    pageContainer_ = new QWidget(central);
    pageContainer_->setObjectName(QStringLiteral("pnlPage"));
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(navigation);
    layout->addWidget(pageContainer_, 1);
    setCentralWidget(central);
    host_ = std::make_unique<TPageHost>(ctx_, pageContainer_);
}

void TFormMain::ReadToolbarSettings() {
    QSettings settings = Settings();
    const bool show = SettingValue(settings, QStringLiteral("ShowStdToolbar"), true).toBool();
    const bool labels = SettingValue(settings, QStringLiteral("TextLabels"), true).toBool();
    const QSignalBlocker b1(actShowToolbar_), b2(actTextLabels_);
    actShowToolbar_->setChecked(show);
    actTextLabels_->setChecked(labels);
    ShowToolbar(show);
    ApplyTextLabels(labels);
}

void TFormMain::ShowToolbar(bool on) {
    toolBar_->setVisible(on);
}

void TFormMain::ApplyTextLabels(bool on) {
    toolBar_->setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    toolBar_->setMinimumHeight(on ? 50 : 38);
    for (QAction* action : toolBar_->actions())
        if (QWidget* w = toolBar_->widgetForAction(action))
            w->setFixedSize(on ? QSize(80, 47) : QSize(35, 35));
}

void TFormMain::UpdateTitle() {
    setWindowTitle(TitleFor(fileName_));
}

void TFormMain::SetSaved(bool saved) {
    saved_ = saved;
    setWindowModified(!saved);
    if (!saved && journal_) journal_->Modified();
}

void TFormMain::Start(const QStringList& arguments) {
    const std::optional<QString> path = DocumentArgument(arguments);
    ctx_.references = LoadReferenceData(programFolder_);
    QString failure;
    if (path) failure = LoadDocument(*path);
    if (!path || !failure.isEmpty()) NewDocument();
    // Shown by ReportStartProblems once the start window has gone.
    startProblems_.clear();
    if (!failure.isEmpty()) startProblems_.push_back({QMessageBox::Critical, failure});
    if (!ctx_.references.problems.isEmpty())
        startProblems_.push_back({QMessageBox::Warning, ReferenceProblems()});
}

void TFormMain::ReportStartProblems() {
    const auto problems = std::exchange(startProblems_, {});
    for (const auto& [icon, text] : problems) Dialogs().Message(this, icon, text, QMessageBox::Ok);
}

QString TFormMain::ReferenceProblems() const {
    return QStringLiteral(
               "Не удалось прочитать справочники в папке %1; выбор из них недоступен.\n\n%2")
        .arg(QDir::toNativeSeparators(programFolder_), ctx_.references.problems.join('\n'));
}

void TFormMain::ShowPlaced() {
    QSettings settings = Settings();
    auto number = [&](const char* name) {
        return SettingValue(settings, QString::fromLatin1(name), 0).toInt();
    };
    const bool full = SettingValue(settings, QStringLiteral("FullScreen"), false).toBool();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect all = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QRect work = screen ? screen->availableGeometry() : all;
    // Room for the whole page, which would otherwise scroll; the frame of the
    // window manager comes on top.
    QSize preferred = sizeHint();
    const auto* scroll = pageContainer_->findChild<QScrollArea*>();
    if (scroll && scroll->widget()) {
        const QWidget* navigation = nav_[0]->parentWidget();
        const QSize wanted = scroll->widget()->sizeHint();
        const int toolBar = toolBar_->isHidden() ? 0 : toolBar_->sizeHint().height();
        preferred = preferred.expandedTo(
            QSize(navigation->sizeHint().width() + wanted.width() + 24,
                  menuBar()->sizeHint().height() + toolBar + wanted.height() + 24));
    }
    preferred += QSize(16, 40);
    const TPlacement p = PlaceWindow(full, number("wLeft"), number("wTop"), number("wWidth"),
                                     number("wHeight"), all, work, preferred);
    setGeometry(p.bounds);
    if (p.maximised)
        showMaximized();
    else
        show();
}

void TFormMain::WritePlacement() {
    QSettings settings = Settings();
    // A maximised window keeps the place it comes back to.
    const QRect r = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    settings.setValue(QStringLiteral("FullScreen"), isMaximized() || isFullScreen());
    settings.setValue(QStringLiteral("wLeft"), r.left());
    settings.setValue(QStringLiteral("wTop"), r.top());
    settings.setValue(QStringLiteral("wWidth"), r.width());
    settings.setValue(QStringLiteral("wHeight"), r.height());
}

TThinkingFrame* TFormMain::CreatePage(TNavPage page, QWidget* parent) {
    switch (page) {
        case navInitialData:
            return new TfrInitialData(ctx_, parent);
        case navPersonInfo:
            return new TfrPersonData(ctx_, parent);
        case navRussianIncome:
            return new TfrRussianIncome(ctx_, parent);
        case navForeignIncome:
            return new TfrCurrency(ctx_, parent);
        case navBusinessIncome:
            return new TfrBusinessNew(ctx_, parent);
        case navDeduction:
            return new TfrFrameDeductData(ctx_, parent);
        case navResults: {
            auto* results = new TfrResults(ctx_, parent);
            // The page that opens replaces this one: it opens once the signal is done.
            connect(results, &TfrResults::openProblem, this, [this](int page, int focus) {
                QTimer::singleShot(0, this, [this, page, focus] { OpenProblemPage(page, focus); });
            });
            connect(results, &TfrResults::openTarget, this, [this](TExplainTarget target) {
                QTimer::singleShot(0, this, [this, target] {
                    if (const auto place = PlaceOfTarget(target)) OpenPlace(*place);
                });
            });
            return results;
        }
        case navNalog:
        case navCount:
            break;
    }
    return new TfrNalog(ctx_, parent);
}

TPageHost::Factory TFormMain::PageFactory(TNavPage page) {
    return [this, page](QWidget* parent) { return CreatePage(page, parent); };
}

bool TFormMain::SwitchPage(TNavPage page) {
    const bool switched = host_->SwitchTo(page, nav_[page], PageFactory(page));
    if (switched && !saved_ && journal_) journal_->WriteNow();
    if (switched) ShowResultSummary();
    return switched;
}

void TFormMain::ShowResultSummary() {
    // The page left has stored what was typed on it: the result follows it.
    const QString summary = ResultSummary(ComputeResults(ctx_.Decl()));
    const QString caption = QString::fromUtf8(kNavCaptions[navResults]);
    TFlashButton* button = nav_[navResults];
    button->setText(summary.isEmpty() ? caption : caption + QLatin1Char('\n') + summary);
    button->setToolTip(button->text().replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

void TFormMain::FollowResult() {
    // Not while a window over the page is being filled in, nor during a command:
    // once it is closed the result catches up.
    if (busy_ || QApplication::activeModalWidget()) {
        resultTimer_->start();
        return;
    }
    TThinkingFrame* page = host_->Current();
    if (!page) return ShowResultSummary();
    following_ = true;
    const mTDeclaration kept = ctx_.Decl();
    page->StoreToModel();
    ShowResultSummary();
    ctx_.Decl() = kept;
    following_ = false;
}

bool TFormMain::StepPage(int step) {
    for (int page = host_->CurrentKind() + step; page >= 0 && page < navCount; page += step)
        if (nav_[page]->isEnabled()) return SwitchPage(TNavPage(page));
    return false;
}

void TFormMain::ShowConditions() {
    host_->Replace(navInitialData, nav_[navInitialData], PageFactory(navInitialData));
}

void TFormMain::NewDocument() {
    if (journal_) journal_->Discard();
    host_->Clear();
    auto d = std::make_unique<mTDeclaration>();
    d->InspectionCode.clear();
    d->FilingDate = 0;  // the day of export or printing until the user sets one
    d->SubmitterKind = 0;
    d->SetIncomeFlags(kIncomeFromAgents);
    d->AutoCountAppendixes = 1;
    ctx_.ReplaceDeclaration(std::move(d));
    ctx_.printDateOption = false;
    fileName_.clear();
    ctx_.SetNavFromDeclaration();
    ShowConditions();
    SetSaved(true);
    UpdateTitle();
    ShowResultSummary();
}

QString ReadDeclaration(const QString& path, mTDeclaration& declaration) {
    QString failure;
    try {
        declaration.LoadFromFile(FromQ(path));
    } catch (const mEPrivBase& e) {
        failure = UserMessage(e.what());
    } catch (const std::exception&) {
        failure = QString::fromUtf8(msg::kBadFormat);
    }
    if (failure.isEmpty()) return {};
    return QStringLiteral("Не удалось открыть «%1»: %2").arg(QFileInfo(path).fileName(), failure);
}

QString TFormMain::LoadDocument(const QString& path) {
    auto d = std::make_unique<mTDeclaration>();
    // A failed load leaves the open document as it was.
    if (QString failure = ReadDeclaration(path, *d); !failure.isEmpty()) return failure;
    ShowDocument(std::move(d), path);
    return {};
}

void TFormMain::ShowDocument(std::unique_ptr<mTDeclaration> declaration, const QString& fileName) {
    // The document it replaces was saved or its changes given up: its
    // recovery copy goes.
    if (journal_) journal_->Discard();
    host_->Clear();
    ctx_.ReplaceDeclaration(std::move(declaration));
    ctx_.printDateOption = false;
    fileName_ = fileName;
    ctx_.SetNavFromDeclaration();
    ShowConditions();
    SetSaved(true);
    UpdateTitle();
    ShowResultSummary();
}

bool TFormMain::CreateDoc() {
    if (!SavePrompt()) return false;
    NewDocument();
    return true;
}

bool TFormMain::OpenDoc() {
    if (!SavePrompt()) return false;
    const QString path = Dialogs().OpenFileName(
        this, QStringLiteral(
                  "Zorv 2008 (*.zv8);;Zorv 2007 (*.zv7);;Zorv 2006 (*.zv6);;Zorv 2005 (*.zv5);;"
                  "Zorv 200* (*.zvl)"));
    // Cancelling the dialog keeps the document that is open, with its changes.
    if (path.isEmpty()) return false;
    const QString failure = LoadDocument(path);
    if (failure.isEmpty()) return true;
    ShowError(this, failure);
    return false;
}

bool TFormMain::SaveDoc() {
    QString target = fileName_;
    const QString derived = SaveName(fileName_);
    if (fileName_.isEmpty() || derived != fileName_) {
        // A new name is confirmed in the save dialog, which asks before replacing a file.
        target = Dialogs().SaveFileName(this, derived);
        if (target.isEmpty()) return false;
    }
    return WriteDocument(target);
}

bool TFormMain::SaveAsDoc() {
    const QString target = Dialogs().SaveFileName(this, fileName_);
    if (target.isEmpty()) return false;
    return WriteDocument(target);
}

bool TFormMain::WriteDocument(const QString& path) {
    if (host_->Current()) host_->Current()->StoreToModel();
    QString failure;
    try {
        ctx_.Decl().SaveToFile(FromQ(path));
    } catch (const mEPrivBase& e) {
        failure = UserMessage(e.what());
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    if (!failure.isEmpty()) {
        ShowError(this, QStringLiteral("Декларация не сохранена в файл %1.\n%2")
                            .arg(QDir::toNativeSeparators(path), failure));
        return false;
    }
    fileName_ = path;
    SetSaved(true);
    UpdateTitle();
    if (journal_) journal_->Discard();
    return true;
}

bool TFormMain::SavePrompt() {
    if (saved_) return true;
    switch (Dialogs().Message(this, QMessageBox::Question,
                              QStringLiteral("Вы хотите сохранить декларацию?"),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return SaveDoc();
        case QMessageBox::No:
            return true;
        default:
            return false;
    }
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (!SavePrompt()) {
        event->ignore();
        return;
    }
    WritePlacement();
    // Saved or given up: nothing is left to recover.
    if (journal_) journal_->Discard();
    if (help_) help_->close();
    host_->Clear();
    event->accept();
}

}  // namespace zorv
