#include "report/reportrun.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QString>

#include "report/printfile.h"
#include "report/reportdata.h"
#include "report/reportsums.h"
#include "report/sheets.h"
#include "storage/errors.h"

namespace zorv {
namespace {

// The common start of every call: fresh report data and fresh totals.
struct ReportRun {
    ReportRun(const uint8_t* image, bool hideDate) : data(image, BareImageLength(image), hideDate) {
        sums.Compute(data);
        data.Plan = ComputePagePlan(data, sums);
    }
    kTDanLog data;
    kTRepSvodSum sums;
};

}  // namespace

std::optional<std::string> QtFolderChooser::ChooseFolder(QWidget* owner) {
    QString folder = QFileDialog::getExistingDirectory(owner, QString::fromUtf8(kProgramCaption),
                                                       QString(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) return std::nullopt;
    return folder.toStdString();
}

void QtMessageShower::Show(QWidget* owner, const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kProgramCaption),
                    QString::fromStdString(text), QMessageBox::Ok, owner);
    box.exec();
}

QtPrintTarget::QtPrintTarget() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setFullPage(true);
    printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    // Several copies come out as whole declarations, one after another.
    printer_->setCollateCopies(true);
}

QtPrintTarget::~QtPrintTarget() = default;

std::optional<kTPageRange> QtPrintTarget::ChooseRange(QWidget* owner, int total) {
    QPrintDialog dialog(printer_.get(), owner);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, total);
    dialog.setFromTo(1, total);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    if (printer_->printRange() == QPrinter::PageRange) {
        return kTPageRange{std::max(1, printer_->fromPage()), std::min(total, printer_->toPage())};
    }
    return kTPageRange{1, total};
}

void QtPrintTarget::Print(const std::vector<kTPage>& pages) {
    // The pages are chosen already; the printer prints all it is given.
    printer_->setPrintRange(QPrinter::AllPages);
    printer_->setFromTo(0, 0);
    QProgressDialog progress(QStringLiteral("Печать..."), QString(), 0,
                             static_cast<int>(pages.size()));
    progress.setWindowTitle(QString::fromUtf8(kProgramCaption));
    progress.setMinimumDuration(500);
    // A file is put in place only when the whole job is written.
    PrintFileRedirect file(*printer_);
    QPainter painter;
    if (!painter.begin(printer_.get())) return;
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) printer_->newPage();
        PaintPage(painter, pages[i]);
        progress.setValue(static_cast<int>(i + 1));
    }
    painter.end();
    try {
        file.Commit();
    } catch (const mEPrivBase& e) {
        QtMessageShower().Show(nullptr, e.what());
    }
}

void RunReport(const uint8_t* image, bool printEnabled, bool hideDate, PreviewRunner& runner,
               PrintTarget& printer) {
    ReportRun run(image, hideDate);
    kTReportSheets sheets(run.data, run.sums);
    sheets.Sheet(kTitleSheet);
    TMyFormPreview window(sheets, printer, printEnabled);
    runner.Run(window);
}

bool RunPrintReport(const uint8_t* image, bool hideDate, PrintTarget& printer) {
    ReportRun run(image, hideDate);
    kTReportSheets sheets(run.data, run.sums);
    return PrintDeclaration(nullptr, sheets, printer);
}

bool RunFileOut(QWidget* owner, const uint8_t* image, FolderChooser& chooser,
                MessageShower& messages, const kTNow& now) {
    ReportRun run(image, false);

    // A declaration the file cannot carry is refused before a folder is asked for.
    std::string refusal;
    auto lines = EstimatedIncomeLines(run.data, now, refusal);
    if (!lines || !EstimatedIncomeBytes(*lines, refusal)) {
        messages.Show(owner, refusal + " Файл не сформирован.");
        return true;
    }

    std::optional<std::string> folder = chooser.ChooseFolder(owner);
    if (!folder) {
        messages.Show(owner, textmsg::kNoFolder);
        return false;
    }
    TextFileResult result = WriteEstimatedIncomeTextFile(run.data, *folder, now);
    messages.Show(owner, result.Message);
    return true;
}

}  // namespace zorv
