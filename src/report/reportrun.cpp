#include "reportrun.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QString>

#include "reportdata.h"
#include "reportsums.h"

namespace zorv {
namespace {

constexpr uint16_t kReportUnavailableCode = 75;

// The common start of every call: fresh report data and fresh totals.
struct ReportRun {
    ReportRun(const uint8_t* image, bool hideDate) : data(image, BareImageLength(image), hideDate) {
        sums.Compute(data);
    }
    kTDanLog data;
    kTRepSvodSum sums;
};

}  // namespace

kEReportUnavailable::kEReportUnavailable()
    : mEPrivBase(
          "Печатная форма декларации в этой версии библиотеки еще не формируется: "
          "просмотр и печать недоступны.",
          kReportUnavailableCode) {}

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

void RunReport(const uint8_t* image, bool hideDate) {
    ReportRun run(image, hideDate);
    throw kEReportUnavailable();
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
