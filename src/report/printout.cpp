#include "report/printout.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "report/reportdata.h"
#include "storage/fileloader.h"

namespace zorv {

bool PrintDeclaration(QWidget* owner, kTReportSheets& sheets, PrintTarget& target) {
    const kTPagePlan& plan = sheets.Data().Plan;
    std::optional<kTPageRange> range = target.ChooseRange(owner, plan.TotalPages);
    if (!range) return false;
    // The whole range is one job, so copies come out collated and a print into a
    // file keeps every page.
    std::vector<kTPage> job;
    for (const kTSheetPrint& print : PrintsOfRange(plan, range->From, range->To)) {
        const bool keep = sheets.IsComposed(print.Kind);
        std::vector<kTPage> pages = sheets.Sheet(print.Kind).Pages();
        const auto first = static_cast<size_t>(print.First - 1);
        const auto last = std::min(static_cast<size_t>(print.Last), pages.size());
        for (size_t i = first; i < last; ++i) job.push_back(std::move(pages[i]));
        if (!keep && print.Kind != kTitleSheet) sheets.Release(print.Kind);
    }
    if (!job.empty()) target.Print(job);
    target.Finish();
    return true;
}

std::vector<kTPage> DeclarationPages(kTReportSheets& sheets) {
    std::vector<kTPage> all;
    for (int kind : sheets.Data().Plan.KindsInOrder()) {
        for (kTPage& page : sheets.Sheet(kind).Pages()) all.push_back(std::move(page));
    }
    return all;
}

namespace {

bool PaintPdf(QIODevice& device, const std::vector<kTPage>& pages) {
    QPdfWriter writer(&device);
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("Zorv 2008"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !writer.newPage()) return false;
        PaintPage(painter, pages[i]);
    }
    return painter.end();
}

}  // namespace

bool WritePdf(const std::string& path, const std::vector<kTPage>& pages) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!PaintPdf(pdf, pages)) return false;
    WriteFileAtomically(path, pdf.data().constData(), static_cast<size_t>(pdf.data().size()));
    return true;
}

}  // namespace zorv
