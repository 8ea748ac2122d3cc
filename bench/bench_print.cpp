// Times the paper form of a typical declaration whose surname grows to the 9 999
// characters a surname may have: the surname fitted to the box of a page header,
// the pages composed, and the pages painted into a PDF in memory. Every page
// header fits the surname again, so fitting must not grow with the square of
// the length.
//
// Then times a 3-NDFL declaration of at least 20 pages printed as the desktop
// program prints it: its declaration file read, every section and sheet drawn,
// the pages painted into a PDF. Target: under one second.
//
//   bench_print [runs]

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "benchdeclarations.h"
#include "benchtiming.h"
#include "export/exportxml.h"
#include "model/declaration.h"
#include "report/pagelayer.h"
#include "report/pageplan.h"
#include "report/printout.h"
#include "report/reportdata.h"
#include "report/reportsums.h"
#include "report/sheets.h"
#include "report/xmlform.h"

namespace {

using zorv::mTDeclaration;
using namespace zorv::bench;

std::vector<zorv::kTPage> ComposePages(const std::vector<uint8_t>& image) {
    zorv::kTDanLog data(image.data(), image.size() - 1, false);
    zorv::kTRepSvodSum sums;
    sums.Compute(data);
    data.Plan = zorv::ComputePagePlan(data, sums);
    zorv::kTReportSheets sheets(data, sums);
    return zorv::DeclarationPages(sheets);
}

qint64 PaintPdf(const std::vector<zorv::kTPage>& pages) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        QPainter painter(&writer);
        for (size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) writer.newPage();
            zorv::PaintPage(painter, pages[i]);
        }
    }
    return pdf.data().size();
}

void Measure(size_t length, int runs) {
    mTDeclaration d;
    FillTypical(d);
    d.Person.SurName.clear();
    for (size_t i = 0; i < length; ++i) d.Person.SurName += "Ж";
    std::vector<uint8_t> image = d.BuildImage();
    image.push_back(0);  // the library reads the image up to a zero byte

    // The header's surname box is 126 mm, the text runs 2 mm in from its left.
    const QString surname = zorv::PrintableText(QString::fromStdString(d.Person.SurName),
                                                zorv::FontFace::Free, 10, true);
    int kept = 0;
    const double fit = Median(runs, [&] {
        kept = zorv::FitToWidth(surname, 124, zorv::FontFace::Free, 10, true).characters;
    });
    std::vector<zorv::kTPage> pages;
    const double compose = Median(runs, [&] { pages = ComposePages(image); });
    qint64 bytes = 0;
    const double paint = Median(runs, [&] { bytes = PaintPdf(pages); });
    std::printf("%9zu %6d %9.3f %9.2f %9.2f %9.2f %6zu %8lld\n", length, kept, fit, compose, paint,
                compose + paint, pages.size(), static_cast<long long>(bytes));
}

// The declaration file of a typical declaration (one employer, standard, social
// and housing deductions) with employers added until its form has 20 pages.
void MeasureFromFile(int runs) {
    std::string xml;
    std::vector<uint8_t> image;
    int total = 0;
    for (size_t sources = 1; total < 20 && sources < 200; ++sources) {
        mTDeclaration d;
        FillTypical(d);
        for (size_t i = 1; i < sources; ++i) {
            const size_t at = d.AddThirteenPercent();
            d.ThirteenPercent(at) = d.ThirteenPercent(0);
            d.ThirteenPercent(at).INN = "77050" + std::to_string(10000 + i);
        }
        zorv::ExportOptions options;
        options.today = 39887;
        options.guid = "0F8FAD5B-D9CB-469F-A165-70867728950E";
        xml = zorv::ExportXml({}, d, 2, options);
        if (xml == zorv::kExportError) {
            std::printf("the declaration file could not be made\n");
            return;
        }
        image = d.BuildImage();
        image.push_back(0);
        total = zorv::kTXmlForm(QByteArray::fromStdString(xml), image, {}, true).TotalPages();
    }
    std::vector<zorv::kTPage> pages;
    const double compose = Median(runs, [&] {
        zorv::kTXmlForm form(QByteArray::fromStdString(xml), image, {}, true);
        pages = form.Pages();
    });
    qint64 bytes = 0;
    const double paint = Median(runs, [&] { bytes = PaintPdf(pages); });
    std::printf(
        "\n3-NDFL from its declaration file (ms, median of %d): read and compose %.2f, pdf %.2f, "
        "total %.2f for %zu pages, %lld bytes; target under 1000\n",
        runs, compose, paint, compose + paint, pages.size(), static_cast<long long>(bytes));
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char name[] = "bench_print";
    char* qtArgv[] = {name, nullptr};
    QGuiApplication application(qtArgc, qtArgv);

    std::printf(
        "times in ms (median of %d); fit = the surname fitted to a header's box, compose = "
        "report data, totals, page plan and every page, pdf = the pages painted into a PDF in "
        "memory\n",
        runs);
    std::printf("%9s %6s %9s %9s %9s %9s %6s %8s\n", "surname", "kept", "fit", "compose", "pdf",
                "total", "pages", "bytes");
    for (size_t length : {6u, 100u, 1000u, 3000u, 9999u}) Measure(length, runs);
    MeasureFromFile(runs);
    return 0;
}
