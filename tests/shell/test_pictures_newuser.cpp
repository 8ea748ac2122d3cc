// What a new user sees first: the main window in a low window with the
// business page current, and the 4-NDFL paper form in the preview at each zoom.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QSettings>
#include <fstream>

#include "model/declaration.h"
#include "model/jsonform.h"
#include "report/preview.h"
#include "report/printout.h"
#include "report/reportdata.h"
#include "report/reportsums.h"
#include "report/sheets.h"
#include "shell/formmain.h"
#include "shelltest.h"
#include "widgets/flashbutton.h"

using namespace zorv;

namespace {

QString NewUserFolder() {
    const QString folder = QStringLiteral(ZORV_BINARY_DIR "/shell-pictures/newuser");
    QDir().mkpath(folder);
    return folder;
}

void SaveShown(QWidget& widget, const QString& name) {
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(NewUserFolder() + "/" + name + ".png")) << name.toStdString();
}

class NoPrinter : public PrintTarget {
  public:
    std::optional<kTPageRange> ChooseRange(QWidget*, int) override { return std::nullopt; }
    void Print(const std::vector<kTPage>&) override {}
};

}  // namespace

TEST(Pictures, MainWindowOfA1024x600Screen) {
    zorv::testing::ScriptedDialogs dialogs;
    QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008")).clear();
    TFormMain form(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    form.Start({});
    form.Declaration().SetIncomeFlags(kIncomeFromAgents | kIncomeBusiness);
    form.NavButton(navBusinessIncome)->setEnabled(true);
    form.resize(1024, 600);
    form.NavButton(navBusinessIncome)->click();
    SaveShown(form, "main-1024x600-business");
    QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008")).clear();
}

TEST(Pictures, EstimatedIncomeFormInThePreviewAtEachZoom) {
    std::ifstream in(ZORV_SOURCE_DIR "/tests/fixtures/report/notary.json");
    mTDeclaration d;
    DeclarationFromJson(Json::parse(in), d);
    std::vector<uint8_t> image = d.BuildImage();
    image.push_back(0);
    kTDanLog data(image.data(), image.size() - 1, false);
    kTRepSvodSum sums;
    sums.Compute(data);
    data.Plan = ComputePagePlan(data, sums);
    kTReportSheets sheets(data, sums);
    NoPrinter printer;
    TMyFormPreview window(sheets, printer, true);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1000, 700);
    SaveShown(window, "preview-title-width");
    window.SetZoom(TMyFormPreview::Zoom::PageHeight);
    SaveShown(window, "preview-title-height");
    window.SetZoom(TMyFormPreview::Zoom::Percent120);
    SaveShown(window, "preview-title-120");
    window.SetZoom(TMyFormPreview::Zoom::PageWidth);
    window.Next();
    window.resize(1200, 900);
    SaveShown(window, "preview-section1-width-larger");
    // the pages themselves, at print resolution
    for (int kind : {kTitleSheet, kSection1Sheet}) {
        for (const kTPage& page : sheets.Sheet(kind).Pages()) {
            QImage paper(1654, 2339, QImage::Format_RGB32);  // A4 at 200 dpi
            paper.fill(Qt::white);
            paper.setDotsPerMeterX(7874);
            paper.setDotsPerMeterY(7874);
            QPainter painter(&paper);
            PaintPage(painter, page);
            painter.end();
            EXPECT_TRUE(paper.save(NewUserFolder() + QStringLiteral("/page-%1.png").arg(kind)));
        }
    }
}
