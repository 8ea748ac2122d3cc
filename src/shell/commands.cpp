// The check and output commands of the main window, help and "О программе".

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <vector>

#include "calc/totalsrange.h"
#include "check/declarationcheck.h"
#include "export/exportxml.h"
#include "pages/entrykit.h"
#include "report/printfile.h"
#include "shell/formmain.h"
#include "shell/help.h"
#include "shell/results.h"
#include "shell/splash.h"
#include "storage/errors.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

const char kInspectionParam[] = "Наименование налогового органа-получателя";

// An export whose failures are shown to the user as they happen.
ExportOptions ShowingFailures(QWidget* window) {
    ExportOptions options;
    options.report = [window](const ExportMessage& m) { ShowError(window, ToQ(m.text)); };
    return options;
}

}  // namespace

// Keeps the window from taking input while a command runs, and gives it back
// however the command ends. The window itself stays enabled: the dialogs it
// owns (folder, print, the report library's windows) must stay usable.
class TBusyScope {
  public:
    explicit TBusyScope(TFormMain& form) : form_(form) {
        form_.busy_ = true;
        for (QWidget* w : {static_cast<QWidget*>(form.menuBar()),
                           static_cast<QWidget*>(form.toolBar_), form.centralWidget()})
            Disable(w);
        for (QAction* a : form.findChildren<QAction*>())
            if (a->isEnabled()) {
                a->setEnabled(false);
                actions_.emplace_back(a);
            }
    }
    ~TBusyScope() {
        for (const QPointer<QWidget>& w : widgets_)
            if (w) w->setEnabled(true);
        for (const QPointer<QAction>& a : actions_)
            if (a) a->setEnabled(true);
        form_.busy_ = false;
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

  private:
    void Disable(QWidget* w) {
        if (!w || !w->isEnabled()) return;
        w->setEnabled(false);
        widgets_.emplace_back(w);
    }

    TFormMain& form_;
    std::vector<QPointer<QWidget>> widgets_;
    std::vector<QPointer<QAction>> actions_;
};

namespace {

// A print into a file is proposed beside the document, under its name
// ("Без имени.pdf" in the home folder for a document not yet saved), not as
// "print.pdf" or under the name of the document printed before.
QString ProposedPrintFile(const QString& documentPath) {
    const QFileInfo document(documentPath);
    const QString name =
        documentPath.isEmpty() ? QStringLiteral("Без имени") : document.completeBaseName();
    const QString folder = documentPath.isEmpty() ? QDir::homePath() : document.absolutePath();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

// Before the print dialog is made: the document's name, and the proposed file
// for a printer that printed into a file before.
void ProposePrintFile(QPrinter& printer, const QString& proposed) {
    printer.setDocName(QFileInfo(proposed).completeBaseName());
    if (!printer.outputFileName().isEmpty()) printer.setOutputFileName(proposed);
}

}  // namespace

QPrinter& TFormMain::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TFormMain::SetPrintComponentFactory(TPrintComponentFactory factory) {
    printComponent_ = std::move(factory);
}

void TFormMain::SetReportLibrary(TReportLibrary* library) {
    reportLibrary_ = library ? library : &LinkedReportLibrary();
}

int TFormMain::RunCheck() {
    if (CurrentPage()) CurrentPage()->StoreToModel();
    const CheckPrompter ask = [this](const CheckQuestion& q) {
        return Dialogs().CheckAll(this, ToQ(q.section), ToQ(q.message)) ? CheckAnswer::Correct
                                                                        : CheckAnswer::Cancel;
    };
    const DeclarationCheckResult result = CheckDeclarationAndTotals(Declaration(), ask);
    if (result.focus == 0) return 0;
    if (result.focus == kFocusCancelled) return 2;
    OpenProblemPage(result.page, result.focus);
    return 1;
}

void TFormMain::OpenProblemPage(int page, int focus) {
    const TPagePlace* place = PlaceOf(page, focus);
    if (!place) return;  // private practice has no page of its own
    OpenPlace({place->nav, place->subPage, focus});
}

void TFormMain::OpenPlace(const TTargetPlace& place) {
    const TNavPage nav = place.nav;
    // The current page was stored by the check; it is replaced without asking.
    if (host_->CurrentKind() != nav) host_->Replace(nav, nav_[nav], PageFactory(nav));
    auto* hub = qobject_cast<THubFrame*>(CurrentPage());
    if (hub && place.subPage != kNoSubPage)
        hub->ShowSubPage(place.subPage, place.focus);
    else
        CurrentPage()->FocusError(place.focus);
    if (!place.list) return;
    // A record: its row in the page's list, and in the list of its lines.
    QWidget* page = hub && hub->SubPage() ? hub->SubPage() : CurrentPage();
    auto select = [page](const char* name, int row) -> bool {
        auto* list = page->findChild<QTreeWidget*>(QString::fromLatin1(name));
        if (!list || row < 0 || row >= list->topLevelItemCount()) return false;
        list->setFocus();
        SelectRow(list, row);
        return true;
    };
    if (select(place.list, place.row) && place.subList) select(place.subList, place.subRow);
}

void TFormMain::CheckDoc() {
    if (RunCheck() == 0) ShowInfo(this, QStringLiteral("Проверка декларации завершена успешно"));
}

void TFormMain::PreviewDoc() {
    RunOutput(TOutput::Preview);
}

void TFormMain::PrintDoc() {
    RunOutput(TOutput::Print);
}

void TFormMain::ExportDoc() {
    RunOutput(TOutput::Export);
}

void TFormMain::RunOutput(TOutput output) {
    if (busy_ || RunCheck() != 0) return;
    TBusyScope busy(*this);
    const bool estimated = Declaration().DeclarationKind == kEstimated4NDFL;
    try {
        if (output == TOutput::Export)
            estimated ? ExportEstimated() : ExportDeclaration();
        else
            estimated ? ReportEstimated(output) : PrintDeclaration(output);
    } catch (const kTProvDecl&) {
        // The report library has told the user already.
    } catch (const mEPrivBase& e) {
        ShowError(this, UserMessage(e.what()));
    } catch (const std::exception& e) {
        ShowError(this, QString::fromUtf8(e.what()));
    }
}

std::vector<uint8_t> TFormMain::DocumentImage() {
    std::vector<uint8_t> image = Declaration().BuildImage();
    image.push_back(0);
    return image;
}

void TFormMain::ExportDeclaration() {
    const QString folder = Dialogs().FolderName(this, QStringLiteral("Zorv 2008"));
    if (folder.isEmpty()) return;
    const std::string name = ExportXml(FromQ(folder), Declaration(), 1, ShowingFailures(this));
    if (name == kExportError) {
        ShowError(this, QString::fromUtf8(exportmsg::kNotWritten));
        return;
    }
    ShowInfo(this, QString::fromUtf8(exportmsg::kWritten) +
                       QDir::toNativeSeparators(QDir(folder).filePath(ToQ(name))));
}

void TFormMain::PrintDeclaration(TOutput output) {
    // A failed export has been reported; there is nothing to print.
    const std::string xml = ExportXml({}, Declaration(), 2, ShowingFailures(this));
    if (xml == kExportError) return;
    std::unique_ptr<TPrintComponent> component;
    try {
        component = printComponent_ ? printComponent_() : nullptr;
    } catch (const std::exception& e) {
        ShowError(this, QString::fromUtf8(e.what()));
        return;
    }
    if (!component) {
        ShowError(this, QStringLiteral("Компонент печати декларации недоступен."));
        return;
    }
    component->SetPrintTiffParam(QString::fromUtf8(kInspectionParam),
                                 ToQ(Declaration().InspectionName));
    component->SetPrintTiffFolder(programFolder_);
    component->SetDeclaration(Declaration());
    const QByteArray text = QByteArray::fromStdString(xml);
    if (output == TOutput::Preview) {
        component->PreviewData(text, this);
        return;
    }
    QPrinter& printer = Printer();
    const QString proposed = ProposedPrintFile(fileName_);
    ProposePrintFile(printer, proposed);
    QPrintDialog dialog(&printer, this);
    // The file field of the dialog of this platform, when it has one.
    if (auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
        field->setText(proposed);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    // Pages 1..total offered, all chosen, as for the report library's print.
    if (const int total = component->PageCount(text); total > 0) {
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setMinMax(1, total);
        dialog.setFromTo(1, total);
        printer.setPrintRange(QPrinter::AllPages);
    }
    if (!Dialogs().Run(dialog)) return;
    // One job per copy, each of one copy, so the printer does not multiply them
    // again. Into a file every job would replace the one before: one job there.
    const int copies = std::max(1, printer.copyCount());
    const int jobs = printer.outputFileName().isEmpty() ? copies : 1;
    printer.setCopyCount(1);
    struct TRestore {
        QPrinter& printer;
        int copies;
        ~TRestore() { printer.setCopyCount(copies); }
    } restore{printer, copies};
    PrintFileRedirect file(printer);
    for (int i = 0; i < jobs; ++i) component->PrintData(text, printer);
    file.Commit();
}

void TFormMain::ReportEstimated(TOutput output) {
    // The XML file goes into a folder of its own, never beside the program, and
    // leaves with it.
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/zorv2008-XXXXXX"));
    if (!folder.isValid())
        throw std::runtime_error(QStringLiteral("Не могу создать временную папку: %1")
                                     .arg(folder.errorString())
                                     .toStdString());
    const std::string name =
        ExportXml(FromQ(folder.path()), Declaration(), 1, ShowingFailures(this));
    if (name == kExportError) return;
    const QString xmlPath = QDir(folder.path()).filePath(ToQ(name));
    const std::vector<uint8_t> image = DocumentImage();
    const bool hideDate = ctx_.printDateOption;
    if (output == TOutput::Preview)
        reportLibrary_->Report(programFolder_, image, true, hideDate, xmlPath);
    else
        reportLibrary_->PrintReport(programFolder_, image, hideDate, xmlPath);
}

void TFormMain::ExportEstimated() {
    reportLibrary_->FileOut(this, DocumentImage());
}

void TFormMain::Help() {
    const QString path = QDir(programFolder_).filePath(QString::fromLatin1(kHelpFile));
    if (!QFileInfo(path).isFile()) {
        ShowError(this,
                  QStringLiteral("Не найден файл справки %1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!help_) help_ = new TfmHelp(this, path);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void TFormMain::About() {
    TfmAbout about(this, programFolder_);
    Dialogs().Run(about);
}

}  // namespace zorv
