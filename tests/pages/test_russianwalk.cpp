// A new user's walk through the Russian-income pages and the advance payments
// of the main window: what is entered passes the whole check, exports as the
// command line exports the same declaration, and comes back after a reopen.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>

#include "fixtures.h"
#include "model/jsonform.h"
#include "pages/dividendsdialog.h"
#include "pages/nalogdialog.h"
#include "pages/nalogpage.h"
#include "pages/russianincome.h"
#include "pages/thirteendialogs.h"
#include "pages/thirteenpercent.h"
#include "pages/thirtyfivedialog.h"
#include "shell/formmain.h"
#include "shell/shelltest.h"
#include "shell/walkharness.h"
#include "tempdir.h"
#include "widgets/flashbutton.h"
#include "widgets/lookups.h"
#include "widgets/maskededit.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::TempDir;
using zorv::testing::Type;

namespace {

const QString kDataFolder = QStringLiteral(ZORV_SOURCE_DIR "/data");

// The user's answers: each modal window by its object name, the code lists by
// the code to pick.
struct Answers {
    explicit Answers(ScriptedDialogs& dialogs) {
        dialogs.run = [this](QDialog& dialog) {
            const QString name = dialog.objectName();
            if (name == "TfmInputIncomeCode" || name == "TfmInputDeductCode") {
                QString& code = name == "TfmInputIncomeCode" ? incomeCode : deductCode;
                return static_cast<TfmLookup&>(dialog).Select(code);
            }
            auto found = fill.find(name);
            if (found == fill.end()) return false;
            dialog.setResult(QDialog::Rejected);
            dialog.show();
            found->second(dialog);
            return dialog.result() == QDialog::Accepted;
        };
    }
    QString incomeCode, deductCode;
    std::map<QString, std::function<void(QDialog&)>> fill;
};

void Source(TMaskedEdit* name, TMaskedEdit* inn, TMaskedEdit* kpp, TMaskedEdit* okato,
            const QString& n, const QString& i, const QString& k, const QString& o) {
    Type(name, n);
    Type(inn, i);
    Type(kpp, k);
    Type(okato, o);
}

struct Employer {
    QString name, inn, kpp, okato, salary, withheld, taxable;
    QString extraCode, extraSum, deductCode, deductSum;  // one more line with a deduction
};

// A payer with twelve monthly salary lines made with "Повторить доход".
void EnterEmployer(TfrThirteenPercent& page, Answers& answers, const Employer& e, bool resident) {
    answers.fill["TfmInput13SourseIncome"] = [&](QDialog& dialog) {
        auto& d = static_cast<TfmInput13SourseIncome&>(dialog);
        Source(d.meSourseName, d.meINN, d.meKPP, d.meOKATO, e.name, e.inn, e.kpp, e.okato);
        d.bnOk->click();
    };
    page.fbAddSourseIncome->click();
    answers.incomeCode = "2000";
    answers.fill["TfmInput13Income"] = [&](QDialog& dialog) {
        auto& d = static_cast<TfmInput13Income&>(dialog);
        d.bnIncomeCod->click();
        Type(d.meIncomeSum, e.salary);
        if (resident) Type(d.mePropSale, "1");
        d.bnYes->click();
    };
    page.fbAddIncome->click();
    for (int month = 2; month <= 12; ++month) page.fbCopy->click();
    if (!e.extraCode.isEmpty()) {
        answers.incomeCode = e.extraCode;
        answers.deductCode = e.deductCode;
        answers.fill["TfmInput13Income"] = [&](QDialog& dialog) {
            auto& d = static_cast<TfmInput13Income&>(dialog);
            d.bnIncomeCod->click();
            Type(d.meIncomeSum, e.extraSum);
            d.bnSubtractCod->click();
            d.meSubtractSum->clear();
            Type(d.meSubtractSum, e.deductSum);
            if (resident) Type(d.mePropSale, "6");
            d.bnYes->click();
        };
        page.fbAddIncome->click();
    }
    Type(page.meHoldSum, e.withheld);
    Type(page.meObl, e.taxable);
    Type(page.meTaxIsch, e.withheld);
}

// The declaration the user starts from: the taxpayer filled in, no income yet.
Json StartingPoint(const char* fixture) {
    Json json = zorv::testing::ReadFixtureJson(fixture);
    for (const char* list : {"ThirteenPercentList", "ThirtyPercentList", "ThirtyFivePercentList",
                             "CurrencyIncomeList", "NalogList"})
        json.erase(list);
    json["IncomeFlags"] = 1;
    // The taxpayer page of a 3-NDFL always states the citizenship.
    json["Person"]["IsForeigner"] = 1;
    return json;
}

struct Walk {
    explicit Walk(const Json& start) : answers(dialogs) {
        mTDeclaration d;
        DeclarationFromJson(start, d);
        d.SaveToFile(dir.File("doc.zv8"));
        form.Start({QString::fromStdString(dir.File("doc.zv8"))});
    }
    TfrRussianIncome& Hub() {
        form.NavButton(navRussianIncome)->click();
        auto* hub = qobject_cast<TfrRussianIncome*>(form.CurrentPage());
        EXPECT_NE(hub, nullptr);
        return *hub;
    }
    TempDir dir;
    ScriptedDialogs dialogs;
    Answers answers;
    TFormMain form{kDataFolder};
};

void EnterDividend(Walk& w, const QString& withheld) {
    TfrRussianIncome& hub = w.Hub();
    hub.SubButton(TfrRussianIncome::subDividends)->click();
    ASSERT_EQ(hub.CurrentSubPage(), TfrRussianIncome::subDividends);
    w.answers.fill["TfmInput30SourseIncome"] = [&](QDialog& dialog) {
        auto& d = static_cast<TfmInput30SourseIncome&>(dialog);
        Source(d.source.meSourseName, d.source.meINN, d.source.meKPP, d.source.meOKATO,
               "ОАО Дивиденд", "7702010002", "770201001", "45263591000");
        Type(d.meItogIncomeSum, "10000");
        Type(d.meOblSum, "10000");
        Type(d.meHoldSum, withheld);
        d.bnOk->click();
    };
    hub.SubPage()->findChild<QWidget*>("fbAddSourseIncome")->setFocus();
    qobject_cast<QAbstractButton*>(hub.SubPage()->findChild<QWidget*>("fbAddSourseIncome"))
        ->click();
}

void EnterPayments(Walk& w, const QString& entryPrefix) {
    w.form.NavButton(navNalog)->click();
    auto* page = qobject_cast<TfrNalog*>(w.form.CurrentPage());
    ASSERT_NE(page, nullptr);
    for (const QString& amount : {QString("3000"), QString("1500")}) {
        w.answers.fill["TfmInputNalog"] = [&](QDialog& dialog) {
            auto& d = static_cast<TfmInputNalog&>(dialog);
            Type(d.meHoldSum, amount);
            d.cbKBK->setCurrentIndex(d.cbKBK->findText(entryPrefix, Qt::MatchStartsWith));
            d.bnOk->click();
        };
        page->fbAddSourseIncome->click();
    }
}

// The whole check passes, the export equals the command line's for the
// declaration as JSON, and a saved document reads back whole; a visit of every
// page without edits then saves the same bytes.
void Finish(Walk& w, const Json& expected) {
    for (const TCheckRequest& c : w.dialogs.checks)
        ADD_FAILURE() << "asked: " << c.section.toStdString() << ": " << c.message.toStdString();
    EXPECT_EQ(w.form.RunCheck(), 0);
    EXPECT_TRUE(w.dialogs.wholeChecks.empty())
        << w.dialogs.wholeChecks.front().message.toStdString();
    const std::string fromWindow = zorv::testing::FormExportXml(w.form, w.dialogs);
    EXPECT_EQ(zorv::testing::WithoutIdAndDate(fromWindow),
              zorv::testing::WithoutIdAndDate(zorv::testing::CliExportXml(expected)));

    ASSERT_TRUE(w.form.SaveDoc());
    const std::string path = w.dir.File("doc.zv8");
    const Json saved = DeclarationToJson(w.form.Declaration());
    TFormMain reopened(kDataFolder);
    reopened.Start({QString::fromStdString(path)});
    EXPECT_EQ(DeclarationToJson(reopened.Declaration()), saved);
    const std::string bytes = zorv::testing::ReadFileText(path);

    for (int nav = 0; nav < navCount; ++nav) {
        if (!reopened.NavButton(TNavPage(nav))->isEnabled()) continue;
        reopened.NavButton(TNavPage(nav))->click();
        if (auto* hub = qobject_cast<THubFrame*>(reopened.CurrentPage()))
            for (int sub = 0; hub->SubButton(sub); ++sub)
                if (hub->SubButton(sub)->isVisible() || !hub->SubButton(sub)->isHidden())
                    hub->SubButton(sub)->click();
    }
    reopened.NavButton(navRussianIncome)->click();
    auto* thirteen = reopened.CurrentPage()->findChild<TfrThirteenPercent*>();
    ASSERT_NE(thirteen, nullptr);
    EXPECT_EQ(thirteen->lvSourseIncomeInfo->topLevelItemCount(),
              int(reopened.Declaration().ThirteenPercentCount()));
    ASSERT_TRUE(reopened.SaveDoc());
    EXPECT_EQ(Json::diff(saved, DeclarationToJson(reopened.Declaration())), Json::array());
    EXPECT_TRUE(zorv::testing::ReadFileText(path) == bytes)
        << "a visit without edits changed the document";
}

Json SalaryLines(const char* sum, int firstMonth, bool resident) {
    Json lines = Json::array();
    for (int month = firstMonth; month < firstMonth + 12; ++month)
        lines.push_back({{"IncomeCode", 2000},
                         {"IncomeSum", sum},
                         {"Month", resident ? month : std::min(month, 12)}});
    return lines;
}

}  // namespace

TEST(RussianIncomeWalk, ResidentEmployeeWithDividendPrizeAndPayments) {
    const Json start = StartingPoint("export/employee.json");
    Walk w(start);
    {
        auto* page = w.Hub().SubPage()->findChild<TfrThirteenPercent*>();
        if (!page) page = qobject_cast<TfrThirteenPercent*>(w.Hub().SubPage());
        ASSERT_NE(page, nullptr);
        EnterEmployer(*page, w.answers,
                      {"ООО Ромашка", "7705012343", "770501001", "45286560000", "50000", "78000",
                       "600000", "", "", "", ""},
                      true);
        EnterEmployer(*page, w.answers,
                      {"ЗАО Лютик", "7701012342", "770101001", "45286555000", "20000", "32500",
                       "250000", "2010", "30000", "403", "5000"},
                      true);
    }
    EnterDividend(w, "900");
    {
        TfrRussianIncome& hub = w.Hub();
        hub.SubButton(TfrRussianIncome::subThirtyFive)->click();
        ASSERT_EQ(hub.CurrentSubPage(), TfrRussianIncome::subThirtyFive);
        w.answers.incomeCode = "2740";
        w.answers.deductCode = "505";
        w.answers.fill["TfmInput35SourseIncome"] = [&](QDialog& dialog) {
            auto& d = static_cast<TfmInput35SourseIncome&>(dialog);
            Source(d.source.meSourseName, d.source.meINN, d.source.meKPP, d.source.meOKATO,
                   "ООО Реклама", "7705012343", "770501001", "45286560000");
            d.bnIncomeCod->click();
            Type(d.meItogIncomeSum, "10000");
            d.bnSubtractCod->click();
            Type(d.meHoldSum, "2100");
            d.bnOk->click();
        };
        qobject_cast<QAbstractButton*>(hub.SubPage()->findChild<QWidget*>("fbAddSourseIncome"))
            ->click();
    }
    EnterPayments(w, "18210102021011000110");

    Json expected = start;
    Json second = SalaryLines("20000", 1, true);
    second.push_back({{"IncomeCode", 2010},
                      {"IncomeSum", "30000"},
                      {"DeductCode", 403},
                      {"DeductSum", "5000"},
                      {"Month", 6}});
    expected["ThirteenPercentList"] = {{{"SourceName", "ООО Ромашка"},
                                        {"INN", "7705012343"},
                                        {"KPP", "770501001"},
                                        {"OKATO", "45286560000"},
                                        {"TaxWithheld", "78000"},
                                        {"TaxableIncome", "600000"},
                                        {"TaxComputed", "78000"},
                                        {"IncomeList", SalaryLines("50000", 1, true)}},
                                       {{"SourceName", "ЗАО Лютик"},
                                        {"INN", "7701012342"},
                                        {"KPP", "770101001"},
                                        {"OKATO", "45286555000"},
                                        {"TaxWithheld", "32500"},
                                        {"TaxableIncome", "250000"},
                                        {"TaxComputed", "32500"},
                                        {"IncomeList", second}}};
    expected["ThirtyPercentList"] = {{{"SourceName", "ОАО Дивиденд"},
                                      {"INN", "7702010002"},
                                      {"KPP", "770201001"},
                                      {"OKATO", "45263591000"},
                                      {"IncomeCode", 1010},
                                      {"IncomeTotal", "10000"},
                                      {"TaxableIncome", "10000"},
                                      {"TaxComputed", "900"},
                                      {"TaxWithheld", "900"}}};
    expected["ThirtyFivePercentList"] = {{{"SourceName", "ООО Реклама"},
                                          {"INN", "7705012343"},
                                          {"KPP", "770501001"},
                                          {"OKATO", "45286560000"},
                                          {"IncomeCode", 2740},
                                          {"IncomeTotal", "10000"},
                                          {"DeductCode", 505},
                                          {"DeductSum", "4000"},
                                          {"TaxWithheld", "2100"}}};
    expected["NalogList"] = {{{"BudgetCode", "18210102021011000110"},
                              {"BudgetCodeName", "13% физ.лица "},
                              {"Amount", "3000"}},
                             {{"BudgetCode", "18210102021011000110"},
                              {"BudgetCodeName", "13% физ.лица "},
                              {"Amount", "1500"}}};
    const mTDeclaration& d = w.form.Declaration();
    ASSERT_EQ(d.ThirteenPercentCount(), 2u);
    EXPECT_EQ(d.ThirteenPercent(0).IncomeCount(), 12u);
    EXPECT_EQ(d.ThirteenPercent(1).IncomeCount(), 13u);
    EXPECT_EQ(d.ThirteenPercent(0).Income(11).Month, 12u);
    EXPECT_EQ(d.ThirtyPercentCount(), 1u);
    EXPECT_EQ(d.ThirtyFivePercentCount(), 1u);
    EXPECT_EQ(d.NalogCount(), 2u);
    Finish(w, expected);
}

TEST(RussianIncomeWalk, NonResidentEmployeeWithDividendAndPayments) {
    const Json start = StartingPoint("export/nonresident.json");
    Walk w(start);
    TfrRussianIncome& hub = w.Hub();
    EXPECT_FALSE(hub.SubButton(TfrRussianIncome::subThirtyFive)->isVisibleTo(&hub));
    {
        auto* page = qobject_cast<TfrThirteenPercent*>(hub.SubPage());
        ASSERT_NE(page, nullptr);
        EnterEmployer(*page, w.answers,
                      {"ЗАО Альфа", "7701012342", "770101001", "45286555000", "30000", "108000",
                       "360000", "", "", "", ""},
                      false);
        EnterEmployer(*page, w.answers,
                      {"ООО Подарок", "7705012343", "770501001", "45286560000", "10000", "36000",
                       "124000", "2720", "6000", "501", "4000"},
                      false);
    }
    EnterDividend(w, "1500");
    EnterPayments(w, "18210102030011000110");
    const mTDeclaration& d = w.form.Declaration();
    ASSERT_EQ(d.ThirteenPercentCount(), 2u);
    EXPECT_EQ(d.ThirteenPercent(1).IncomeCount(), 13u);
    Json expected = DeclarationToJson(d);
    Finish(w, expected);
}
