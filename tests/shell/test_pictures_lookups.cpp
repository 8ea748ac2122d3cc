#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>

#include "pages/codelists.h"
#include "widgets/lookups.h"
#include "widgets/referencedata.h"

using namespace zorv;

namespace {

void SavePicture(QWidget& widget, const QString& name) {
    const QString folder = QStringLiteral(ZORV_BINARY_DIR "/shell-pictures");
    QDir().mkpath(folder);
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(folder + "/" + name + ".png")) << name.toStdString();
}

}  // namespace

// The lookups narrowed by their filter box, by a word of the name and by code.
TEST(Pictures, LookupsNarrowedByTheFilter) {
    const TReferenceData references = LoadReferenceData(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    TfmInputInspectionNumber inspections(nullptr, references.inspections);
    inspections.Select(QString());
    inspections.Filter()->setText(QStringLiteral("моск"));
    SavePicture(inspections, "lookup-inspections-filtered");

    TfmRegionName regions(nullptr);
    regions.Select(QStringLiteral("77"));
    regions.Filter()->setText(QStringLiteral("автономный"));
    SavePicture(regions, "lookup-regions-filtered");

    TfmInputIncomeCode incomes(nullptr, "", QString());
    incomes.Filter()->setText(QStringLiteral("15"));
    SavePicture(incomes, "lookup-income-codes-filtered");
}
