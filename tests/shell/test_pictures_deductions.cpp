#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QSettings>
#include <QTreeWidget>

#include "fixtures.h"
#include "model/jsonform.h"
#include "pages/deductionhub.h"
#include "pages/propertydeduct.h"
#include "pages/socialdeduct.h"
#include "pages/standarddeduct.h"
#include "shell/formmain.h"
#include "shelltest.h"
#include "tempdir.h"
#include "widgets/flashbutton.h"
#include "widgets/maskededit.h"

using namespace zorv;

namespace {

void Save(QWidget& widget, const QString& name) {
    const QString folder = QStringLiteral(ZORV_BINARY_DIR "/shell-pictures");
    QDir().mkpath(folder);
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(folder + "/" + name + ".png")) << name.toStdString();
}

// A resident with business income and every deduction filled in.
mTDeclaration Filled() {
    Json json = zorv::testing::ReadFixtureJson("check/complete.json");
    Json byMonth = Json::array();
    for (int m = 0; m < 12; ++m) byMonth.push_back(m < 2 ? 0 : m < 9 ? 2 : 3);
    json["StandartDeduct"] = {
        {"Granted", 1},
        {"PersonalCode", 104},
        {"ChildKindCode", 102},
        {"ChildrenConstant", 0},
        {"ChildrenByMonth", byMonth},
        {"DisabledChildrenConstant", 1},
        {"DisabledChildrenCount", 1},
        {"HasMonthlyBusiness", 1},
        {"MonthlyIncome",
         {"125000.5", "98000", "0", "1234567890.12", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"MonthlyExpense",
         {"40000", "0", "0", "99999999999.99", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"MonthMarks", {1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}}};
    json["SocialDeduct"] = {
        {"Granted", 1},
        {"CharitySum", "15000"},
        {"SelfEducationSum", "50000"},
        {"MedicalSum", "60000"},
        {"ExpensiveMedicalSum", "380000.5"},
        {"InsuranceSum", "12000"},
        {"ChildEducationSums", {"50000", "32500.5", "999999999999.99"}},
        {"PensList",
         {{{"ContractKind", 3},
           {"Name", "Негосударственный пенсионный фонд \"Благосостояние\" открытого типа"},
           {"INN", "7705012343"},
           {"KPP", "770501001"},
           {"ContractNumber", "П-17/2008"},
           {"ContractDate", "15.02.2008"},
           {"Contributions", "12000"}},
          {{"ContractKind", 2},
           {"Name", "ОАО \"Страховая компания\""},
           {"Contributions", "1234567.89"}}}}};
    json["ConstructionDeduct"]["City"] = "Москва";
    json["ConstructionDeduct"]["Street"] = "Литовский б-р";
    json["ConstructionDeduct"]["House"] = "5";
    json["ConstructionDeduct"]["Building"] = "2";
    json["ConstructionDeduct"]["Flat"] = "112";
    json["ConstructionDeduct"]["ShareNumerator"] = 1;
    json["ConstructionDeduct"]["ShareDenominator"] = 2;
    json["ConstructionDeduct"]["CreditInterest"] = "80000";
    json["ConstructionDeduct"]["HousingPriorYears"] = "125000.75";
    json["ConstructionDeduct"]["HousingPriorYearsAgent"] = "35000";
    json["ConstructionDeduct"]["CreditAgentThisYear"] = "3000";
    mTDeclaration d;
    DeclarationFromJson(json, d);
    return d;
}

}  // namespace

TEST(Pictures, DeductionPagesAndDialogs) {
    zorv::testing::ScriptedDialogs dialogs;
    dialogs.checkAnswers.assign(10, TCheckAnswer::SkipAll);
    zorv::testing::TempDir dir;
    const std::string path = dir.File("deductions.zv8");
    Filled().SaveToFile(path);
    QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008")).clear();
    TFormMain form(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    form.Start({QString::fromStdString(path)});
    form.NavButton(navDeduction)->click();
    auto* hub = qobject_cast<THubFrame*>(form.CurrentPage());
    ASSERT_NE(hub, nullptr);
    for (const QSize size : {QSize(1024, 600), QSize(1280, 800)}) {
        form.resize(size);
        const QString suffix = QStringLiteral("-%1").arg(size.width());
        hub->SubButton(TfrFrameDeductData::subStandard)->click();
        Save(form, "main-deductions-standard" + suffix);
        hub->SubButton(TfrFrameDeductData::subSocial)->click();
        Save(form, "main-deductions-social" + suffix);
        hub->SubButton(TfrFrameDeductData::subProperty)->click();
        Save(form, "main-deductions-property" + suffix);
    }
    hub->findChild<QCheckBox*>("chbGrantingDeduct")->click();
    Save(form, "main-deductions-property-not-granted");
    QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008")).clear();

    TfmDif dif(nullptr);
    dif.SetCode(3, 2);
    dif.SetCode(10, 1);
    Save(dif, "dialog-standard-code-per-month");
    TfmChildEduSum sum(nullptr);
    sum.meChildEduSum->setText(QStringLiteral("32500,5"));
    Save(sum, "dialog-child-education-sum");
    TfmInputSoursePens pens(nullptr);
    mTPens contract;
    contract.ContractKind = 4;
    contract.Name = "Негосударственный пенсионный фонд \"Благосостояние\" открытого типа";
    contract.INN = "7705012343";
    contract.KPP = "770501001";
    contract.ContractNumber = "П-17/2008";
    contract.Contributions = Money::Rubles(12000);
    pens.Fill(contract);
    Save(pens, "dialog-pension-contract");
}
