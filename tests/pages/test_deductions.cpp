#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "fixtures.h"
#include "model/jsonform.h"
#include "pages/deductionhub.h"
#include "pages/entrykit.h"
#include "pages/propertydeduct.h"
#include "pages/socialdeduct.h"
#include "pages/standarddeduct.h"
#include "shell/formmain.h"
#include "shelltest.h"
#include "tempdir.h"
#include "walkharness.h"
#include "widgets/dateedit.h"
#include "widgets/flashbutton.h"
#include "widgets/lookups.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::TempDir;
using zorv::testing::Type;

namespace {

const QString kDataFolder = QStringLiteral(ZORV_SOURCE_DIR "/data");

template <typename W = QWidget>
W* Find(QObject* root, const char* name) {
    W* w = root->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Replaces what a field holds by typed text.
void Retype(QWidget* root, const char* name, const QString& text) {
    auto* edit = Find<TMaskedEdit>(root, name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    Type(edit, text);
}

// The main window over the shipped reference files with the document given.
struct Window {
    explicit Window(const mTDeclaration& d) : form(kDataFolder) {
        path = dir.File("doc.zv8");
        d.SaveToFile(path);
        form.Start({QString::fromStdString(path)});
    }
    THubFrame* Hub() { return qobject_cast<THubFrame*>(form.CurrentPage()); }
    QWidget* Page() { return Hub()->SubPage(); }

    TempDir dir;
    std::string path;
    TFormMain form;
};

// One employer all year, no deductions claimed yet but the standard ones by default.
Json NewEmployee() {
    Json json = zorv::testing::ReadFixtureJson("export/employee.json");
    json["ThirteenPercentList"].erase(1);
    json.erase("StandartDeduct");
    json.erase("SocialDeduct");
    return json;
}

// What the walk below enters, as the command line takes it.
Json WalkedDeductions(Json json) {
    Json byMonth = Json::array();
    for (int m = 0; m < 12; ++m) byMonth.push_back(m < 2 ? 0 : 2);
    json["StandartDeduct"] = {{"Granted", 1},
                              {"PersonalCode", 103},
                              {"ChildKindCode", 101},
                              {"ChildrenConstant", 0},
                              {"ChildrenCount", 2},
                              {"ChildrenByMonth", byMonth},
                              {"DisabledChildrenConstant", 1}};
    json["SocialDeduct"] = {{"Granted", 1},
                            {"SelfEducationSum", "50000"},
                            {"MedicalSum", "60000"},
                            {"ChildEducationSums", {"70000"}},
                            {"PensList",
                             {{{"ContractKind", 3},
                               {"Name", "НПФ \"Благосостояние\""},
                               {"INN", "7705012343"},
                               {"KPP", "770501001"},
                               {"ContractNumber", "П-17"},
                               {"ContractDate", "15.02.2008"},
                               {"Contributions", "12000"}}}}};
    json["ConstructionDeduct"] = {{"Granted", 1},
                                  {"ObjectName", "Квартира"},
                                  {"PostIndex", "117593"},
                                  {"RegionCode", "77"},
                                  {"RegionName", "г. Москва"},
                                  {"City", "Москва"},
                                  {"Street", "Литовский б-р"},
                                  {"House", "5"},
                                  {"Flat", "112"},
                                  {"PurchaseDate", "14.04.2008"},
                                  {"RegistrationDate", "20.05.2008"},
                                  {"StartYearDate", "01.01.2008"},
                                  {"ObjectCost", "1200000"},
                                  {"CreditInterest", "80000"},
                                  {"ShareNumerator", 1},
                                  {"ShareDenominator", 2}};
    return json;
}

}  // namespace

// A new user claims the deductions of a family that bought a flat: children
// from March, treatment and own education over the common limit, a child's
// education over its limit, a pension contract and half a flat with a mortgage.
// The window's export equals the command line's for the same entries, and the
// saved document gives every entry back.
TEST(Deductions, NewUserClaimsEveryDeduction) {
    mTDeclaration start;
    DeclarationFromJson(NewEmployee(), start);
    ScriptedDialogs dialogs;
    Window w(start);
    w.form.NavButton(navDeduction)->click();
    ASSERT_EQ(w.form.CurrentPageKind(), navDeduction);
    THubFrame* hub = w.Hub();
    ASSERT_NE(hub, nullptr);
    EXPECT_EQ(hub->CurrentSubPage(), TfrFrameDeductData::subStandard);

    // Standard: code 103 as it comes, two children from March.
    QWidget* page = w.Page();
    EXPECT_TRUE(Find<QRadioButton>(page, "rb103")->isChecked());
    Find<QCheckBox>(page, "chbConstChildrens")->click();
    for (const char* month :
         {"meMar", "meApr", "meMay", "meJun", "meJul", "meAug", "meSep", "meOct", "meNov", "meDec"})
        Retype(page, month, QStringLiteral("2"));

    // Social: treatment, own education, a child's education and a contract.
    Find<TFlashButton>(hub, "fbPensDeduct")->click();
    ASSERT_EQ(hub->CurrentSubPage(), TfrFrameDeductData::subSocial);
    page = w.Page();
    Find<QCheckBox>(page, "chbGrantingSocDeduct")->click();
    Retype(page, "meMedicalSum", QStringLiteral("60000"));
    Retype(page, "meSelfEducationSum", QStringLiteral("50000"));
    dialogs.run = [](QDialog& d) {
        Retype(&d, "meChildEduSum", QStringLiteral("70000"));
        Find<QAbstractButton>(&d, "bnOk")->click();
        return d.result() == QDialog::Accepted;
    };
    Find<QToolButton>(page, "fbAddSum")->click();
    dialogs.run = [](QDialog& d) {
        Retype(&d, "meSourseName", QStringLiteral("НПФ \"Благосостояние\""));
        Retype(&d, "meINN", QStringLiteral("7705012343"));
        Retype(&d, "meKPP", QStringLiteral("770501001"));
        Find<TDateEdit>(&d, "dtpDatDog")->setDate(QDate(2008, 2, 15));
        Retype(&d, "meVZSum", QStringLiteral("12000"));
        Find<QRadioButton>(&d, "rbSelf4")->click();
        // Enter checks as "Да" does: it asks for the number first.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&d, &enter);
        EXPECT_NE(d.result(), QDialog::Accepted);
        Retype(&d, "meNomDog", QStringLiteral("П-17"));
        Find<QAbstractButton>(&d, "bnOk")->click();
        return d.result() == QDialog::Accepted;
    };
    Find<QToolButton>(page, "fbAddPens")->click();
    EXPECT_EQ(dialogs.CheckMessages(), QStringList{QStringLiteral("Введите номер договора")});
    EXPECT_EQ(Find<QTreeWidget>(page, "lvSumList")->topLevelItemCount(), 1);
    EXPECT_EQ(Find<QTreeWidget>(page, "lvPensInfo")->topLevelItemCount(), 1);

    // Property: half a flat bought and registered in 2008, with a mortgage.
    Find<TFlashButton>(hub, "fbConstructionDeduct")->click();
    ASSERT_EQ(hub->CurrentSubPage(), TfrFrameDeductData::subProperty);
    page = w.Page();
    Find<QCheckBox>(page, "chbGrantingDeduct")->click();
    Retype(page, "meObjectNaim", QStringLiteral("Квартира"));
    Retype(page, "mePostIndex", QStringLiteral("117593"));
    dialogs.run = [](QDialog& d) {
        auto& lookup = static_cast<TfmLookup&>(d);
        return lookup.Select(QStringLiteral("77"));
    };
    Find<QAbstractButton>(page, "bnRegion")->click();
    EXPECT_EQ(Find<QLabel>(page, "pnlRegion")->text(), "77");
    Retype(page, "meCity", QStringLiteral("Москва"));
    Retype(page, "meStreet", QStringLiteral("Литовский б-р"));
    Retype(page, "meHouse", QStringLiteral("5"));
    Retype(page, "meFlat", QStringLiteral("112"));
    Find<TDateEdit>(page, "dtpBayDate")->setDate(QDate(2008, 4, 14));
    Find<TDateEdit>(page, "dtpRegRightDate")->setDate(QDate(2008, 5, 20));
    auto* year = Find<TMaskedEdit>(page, "meBeginningUsePrivilegeDate");
    year->setFocus();
    for (int i = 0; i < 3; ++i) QTest::keyClick(year, Qt::Key_Up);
    EXPECT_EQ(year->text(), "2008");
    Retype(page, "meDol2", QStringLiteral("2"));
    Retype(page, "meObsch", QStringLiteral("1200000"));
    Retype(page, "meobschip", QStringLiteral("80000"));
    EXPECT_FALSE(w.form.Saved());

    // The whole check passes, and the export is the command line's.
    const Json expected = WalkedDeductions(NewEmployee());
    const std::string fromWindow = zorv::testing::FormExportXml(w.form, dialogs);
    EXPECT_TRUE(dialogs.wholeChecks.empty());
    EXPECT_EQ(zorv::testing::WithoutIdAndDate(fromWindow),
              zorv::testing::WithoutIdAndDate(zorv::testing::CliExportXml(expected)));

    // Saved and read back: every entry is there. The export kept the child's
    // education at its limit of 50 000, as the calculation does.
    ASSERT_TRUE(w.form.SaveDoc());
    mTDeclaration back;
    back.LoadFromFile(w.path);
    // A document keeps the children of each month without their count.
    Json want = expected;
    want["SocialDeduct"]["ChildEducationSums"] = {"50000"};
    want["StandartDeduct"]["ChildrenCount"] = 0;
    mTDeclaration wanted;
    DeclarationFromJson(want, wanted);
    wanted.FilingDate = back.FilingDate;
    EXPECT_EQ(DeclarationToJson(back).dump(1), DeclarationToJson(wanted).dump(1));
}

// A document with all three deductions, its every sub-page visited and saved
// without an edit, is the same file byte for byte and never marked changed.
TEST(Deductions, VisitingEverySubPageChangesNothing) {
    Json json = WalkedDeductions(NewEmployee());
    json["StandartDeduct"]["DisabledChildrenConstant"] = 1;
    json["StandartDeduct"]["DisabledChildrenCount"] = 1;
    json["StandartDeduct"]["PersonalCode"] = 110;
    json["StandartDeduct"]["HasCodeByMonth"] = 1;
    json["StandartDeduct"]["CodeByMonth"] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 1, 0, 0};
    json["SocialDeduct"]["ChildEducationSums"] = {"30000", "45000.5"};
    json["ConstructionDeduct"]["HousingPriorYears"] = "125000.75";
    json["ConstructionDeduct"]["CreditAgentThisYear"] = "3000";
    json["ConstructionDeduct"]["Share"] = "0.5";
    json["AppendixCountProperty"] = 3;
    json["FilingDate"] = "20.04.2009";  // as the conditions page keeps it
    mTDeclaration d;
    DeclarationFromJson(json, d);
    ScriptedDialogs dialogs;
    Window w(d);
    const auto before = zorv::testing::ReadBytes(w.path);
    w.form.NavButton(navDeduction)->click();
    THubFrame* hub = w.Hub();
    for (const char* button : {"fbConstructionDeduct", "fbPensDeduct", "fbStandartDeduct",
                               "fbPensDeduct", "fbConstructionDeduct"})
        Find<TFlashButton>(hub, button)->click();
    w.form.NavButton(navNalog)->click();
    EXPECT_TRUE(dialogs.checks.empty());
    EXPECT_TRUE(dialogs.ran.empty()) << "the months of code 110 open only when chosen";
    EXPECT_TRUE(w.form.Saved());
    ASSERT_TRUE(w.form.SaveDoc());
    EXPECT_TRUE(zorv::testing::ReadBytes(w.path) == before);
}

namespace {

// A page's context over a declaration of the test.
struct Context {
    explicit Context(const Json& json) {
        auto d = std::make_unique<mTDeclaration>();
        DeclarationFromJson(json, *d);
        ctx.ReplaceDeclaration(std::move(d));
    }
    mTDeclaration& Decl() { return ctx.Decl(); }
    TShellContext ctx;
};

Json WithSocial(size_t sums, size_t contracts) {
    Json json = NewEmployee();
    Json list = Json::array(), pens = Json::array();
    for (size_t i = 0; i < sums; ++i) list.push_back(std::to_string(1000 + i));
    for (size_t i = 0; i < contracts; ++i) pens.push_back({{"ContractKind", 1}, {"Name", "НПФ"}});
    json["SocialDeduct"] = {{"Granted", 1}, {"ChildEducationSums", list}, {"PensList", pens}};
    return json;
}

}  // namespace

// Unticking the social deductions takes every amount and contract out of the
// declaration, whichever row is selected, so that none comes back unseen.
TEST(Deductions, UntickingSocialRemovesEveryEntry) {
    ScriptedDialogs dialogs;
    Context c(WithSocial(3, 2));
    TfrFramePensDeduct page(c.ctx, nullptr);
    EXPECT_EQ(page.lvSumList->topLevelItemCount(), 3);
    page.lvSumList->clearSelection();
    page.chbGrantingSocDeduct->click();
    EXPECT_EQ(c.Decl().SocialDeduct.EducationSumCount(), 0u);
    EXPECT_EQ(c.Decl().SocialDeduct.PensCount(), 0u);
    EXPECT_EQ(page.lvSumList->topLevelItemCount(), 0);
    EXPECT_EQ(page.lvPensInfo->topLevelItemCount(), 0);
    page.chbGrantingSocDeduct->click();
    page.StoreToModel();
    EXPECT_EQ(c.Decl().SocialDeduct.Granted, 1);
    EXPECT_EQ(page.Validate(), FocusNumber(DeductionsFocus::SocialSums)) << "nothing entered";
}

// A list of 1000 entries takes no more, and says so; removing the last entry
// leaves nothing selected.
TEST(Deductions, ListsStopAtTheLimitAndEmptyCleanly) {
    {
        ScriptedDialogs dialogs;
        Context c(WithSocial(1000, 1000));
        TfrFramePensDeduct page(c.ctx, nullptr);
        page.AddSum();
        page.AddPens();
        EXPECT_TRUE(dialogs.ran.empty());
        EXPECT_EQ(dialogs.messages,
                  (std::vector<QString>{
                      QStringLiteral("Можно ввести не более 1000 сумм за обучение детей."),
                      QStringLiteral("Можно ввести не более 1000 пенсионных договоров.")}));
        EXPECT_EQ(c.Decl().SocialDeduct.EducationSumCount(), 1000u);
        EXPECT_EQ(c.Decl().SocialDeduct.PensCount(), 1000u);
    }
    ScriptedDialogs dialogs;
    Context c(WithSocial(2, 1));
    TfrFramePensDeduct page(c.ctx, nullptr);
    page.DeleteSum();  // the first row is selected on opening
    EXPECT_EQ(SelectedRow(page.lvSumList), 0) << "the first row stays selected";
    page.DeleteSum();
    EXPECT_EQ(c.Decl().SocialDeduct.EducationSumCount(), 0u);
    EXPECT_EQ(SelectedRow(page.lvSumList), -1);
    page.DeleteSum();  // nothing left: nothing happens
    page.EditSum();
    page.lvPensInfo->setCurrentItem(page.lvPensInfo->topLevelItem(0));
    page.DeletePens();
    EXPECT_EQ(c.Decl().SocialDeduct.PensCount(), 0u);
    EXPECT_EQ(SelectedRow(page.lvPensInfo), -1);
    EXPECT_TRUE(dialogs.ran.empty());
}

// What the property page stores of a typed start year and share, and how its
// region list opens.
TEST(Deductions, PropertyStoresYearShareAndRegion) {
    struct Case {
        QString year;
        int stored;
    };
    for (const Case& y : {Case{"", 1997}, Case{"0", 1992}, Case{"1985", 1992}, Case{"2008", 2008},
                          Case{"2015", 2009}})
        EXPECT_EQ(TfrConstructionDeduct::StartYearOf(y.year), y.stored) << y.year.toStdString();

    struct Share {
        QString numerator, denominator;
        uint32_t n, d;
    };
    for (const Share& s : {Share{"3", "2", 2, 2}, Share{"0", "4", 1, 4}, Share{"", "", 1, 1},
                           Share{"1", "0", 1, 1}, Share{"1", "2", 1, 2}}) {
        Context c(NewEmployee());
        TfrConstructionDeduct page(c.ctx, nullptr);
        page.chbGrantingDeduct->click();
        page.meDol1->setText(s.numerator);
        page.meDol2->setText(s.denominator);
        page.meBeginningUsePrivilegeDate->setText(QStringLiteral("0"));
        page.StoreToModel();
        const mTConstructionDeduct& stored = c.Decl().ConstructionDeduct;
        EXPECT_EQ(stored.ShareNumerator, s.n) << s.numerator.toStdString();
        EXPECT_EQ(stored.ShareDenominator, s.d) << s.denominator.toStdString();
        EXPECT_EQ(DateFromDayNumber(stored.StartYearDate), QDate(1992, 1, 1));
        EXPECT_EQ(stored.RegionCode, "0");
        EXPECT_EQ(stored.Share, Money::Rubles(1));
    }

    // A loaded block without a region opens the list on its first row; a
    // region of one digit shows with a leading zero.
    Json json = NewEmployee();
    json["ConstructionDeduct"] = {{"Granted", 1}, {"ObjectName", "Дом"}};
    Context c(json);
    TfrConstructionDeduct page(c.ctx, nullptr);
    EXPECT_EQ(page.pnlRegion->text(), "");
    ScriptedDialogs dialogs;
    QString firstRow;
    dialogs.run = [&](QDialog& d) {
        auto& lookup = static_cast<TfmLookup&>(d);
        firstRow = lookup.List()->currentItem() ? lookup.List()->currentItem()->text(0) : "none";
        return lookup.Select(QStringLiteral("07"));
    };
    page.OnRegion();
    EXPECT_EQ(firstRow, "01");
    EXPECT_EQ(page.pnlRegion->text(), "07");
    page.StoreToModel();
    EXPECT_EQ(c.Decl().ConstructionDeduct.RegionCode, "07");
    EXPECT_EQ(c.Decl().ConstructionDeduct.RegionName, "Кабардино-Балкарская Республика");

    // The arrows stop at 1992 and 2009; Delete leaves the year alone.
    page.meBeginningUsePrivilegeDate->setText(QStringLiteral("2009"));
    QTest::keyClick(page.meBeginningUsePrivilegeDate, Qt::Key_Up);
    EXPECT_EQ(page.meBeginningUsePrivilegeDate->text(), "2009");
    page.meBeginningUsePrivilegeDate->setCursorPosition(0);
    QTest::keyClick(page.meBeginningUsePrivilegeDate, Qt::Key_Delete);
    EXPECT_EQ(page.meBeginningUsePrivilegeDate->text(), "2009");
    page.meBeginningUsePrivilegeDate->setText(QStringLiteral("1992"));
    QTest::keyClick(page.meBeginningUsePrivilegeDate, Qt::Key_Down);
    EXPECT_EQ(page.meBeginningUsePrivilegeDate->text(), "1992");
}

// The standard page: children per month give the year's count, the months of
// code 110 come from their dialog, and the business table follows its boxes.
TEST(Deductions, StandardStoresMonthsCodesAndBusinessTable) {
    Json json = NewEmployee();
    json["IncomeFlags"] = 1 | 4;
    Context c(json);
    ScriptedDialogs dialogs;
    TfrFrameStandartDeduct page(c.ctx, nullptr);
    page.children.constant->click();
    const int perMonth[12] = {0, 1, 1, 2, 2, 2, 2, 2, 2, 3, 3, 3};
    for (int m = 0; m < 12; ++m)
        page.children.months[size_t(m)]->setText(m == 0 ? QString() : QString::number(perMonth[m]));
    page.disabled.count->setText(QStringLiteral("1"));
    EXPECT_EQ(page.disabled.months[5]->text(), "1") << "the count fills the months";
    dialogs.run = [](QDialog& d) {
        static_cast<TfmDif&>(d).CB[2]->setCurrentIndex(2);
        return true;
    };
    page.rbQ->click();
    EXPECT_EQ(dialogs.ran, std::vector<QString>{QStringLiteral("fmDif")});
    page.meIncome[2]->setText(QStringLiteral("15000"));
    EXPECT_TRUE(page.cbMonth[2]->isChecked());
    page.meExpense[4]->setText(QStringLiteral("700"));
    page.cbMonth[4]->click();
    EXPECT_TRUE(page.meExpense[4]->text().isEmpty());
    page.StoreToModel();
    const mTStandartDeduct& s = c.Decl().StandartDeduct;
    EXPECT_EQ(s.ChildrenConstant, 0);
    EXPECT_EQ(s.ChildrenCount, 3u);
    EXPECT_EQ(s.ChildrenByMonth[0], 0u);
    EXPECT_EQ(s.DisabledChildrenConstant, 1);
    EXPECT_EQ(s.DisabledChildrenCount, 1u);
    EXPECT_EQ(s.PersonalCode, 110u);
    EXPECT_EQ(s.HasCodeByMonth, 1);
    EXPECT_EQ(s.CodeByMonth(3), 2u);
    EXPECT_EQ(s.HasMonthlyBusiness, 1);
    EXPECT_EQ(s.MonthlyIncome(3), Money::Rubles(15000));
    EXPECT_EQ(s.MonthMark(4), 0);

    // Without business income the table is shut and stores nothing.
    Context plain(NewEmployee());
    TfrFrameStandartDeduct shut(plain.ctx, nullptr);
    EXPECT_FALSE(shut.meIncome[0]->isEnabled());
    EXPECT_FALSE(shut.cbMonth[11]->isEnabled());
    shut.chbGrantingStanDeduct->click();
    EXPECT_FALSE(shut.rb104->isEnabled());
    shut.StoreToModel();
    EXPECT_EQ(plain.Decl().StandartDeduct.Granted, 0);
}

// A sub-page whose check is answered "Исправить" keeps the hub on it, its
// button down and the focus on the field; "Пропустить все" lets the switch go.
TEST(Deductions, HubKeepsASubPageThatAsksForAFix) {
    Json json = NewEmployee();
    json["SocialDeduct"] = {{"Granted", 1}};
    mTDeclaration d;
    DeclarationFromJson(json, d);
    ScriptedDialogs dialogs;
    Window w(d);
    w.form.show();
    w.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
    w.form.NavButton(navDeduction)->click();
    THubFrame* hub = w.Hub();
    Find<TFlashButton>(hub, "fbPensDeduct")->click();
    dialogs.checkAnswers = {TCheckAnswer::Correct};
    Find<TFlashButton>(hub, "fbStandartDeduct")->click();
    EXPECT_EQ(hub->CurrentSubPage(), TfrFrameDeductData::subSocial);
    EXPECT_TRUE(Find<TFlashButton>(hub, "fbPensDeduct")->Down());
    EXPECT_FALSE(Find<TFlashButton>(hub, "fbStandartDeduct")->Down());
    EXPECT_TRUE(Find(w.Page(), "meCharitySum")->hasFocus());
    EXPECT_EQ(dialogs.CheckMessages(),
              QStringList{QStringLiteral("Не введены данные по социальным налоговым вычетам")});
    dialogs.checkAnswers = {TCheckAnswer::SkipAll};
    Find<TFlashButton>(hub, "fbStandartDeduct")->click();
    EXPECT_EQ(hub->CurrentSubPage(), TfrFrameDeductData::subStandard);
}
