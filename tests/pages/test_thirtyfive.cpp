#include <gtest/gtest.h>

#include <QLabel>

#include "model/income.h"
#include "pages/codelists.h"
#include "pages/thirtyfivedialog.h"
#include "pages/thirtyfivepercent.h"
#include "pagetest.h"
#include "widgets/maskededit.h"

using namespace zorv;
using zorv::testing::Confirmed;
using zorv::testing::PageBench;
using zorv::testing::ScriptedDialogs;

namespace {

// Answers the code lists of the dialog with `code`.
void AnswerCodeLists(ScriptedDialogs& dialogs, std::map<QString, QString>& codes) {
    dialogs.run = [&codes](QDialog& dialog) {
        auto* lookup = qobject_cast<TfmLookup*>(&dialog);
        auto code = codes.find(dialog.objectName());
        return lookup && code != codes.end() && lookup->Select(code->second);
    };
}

void FillPayer(TfmInput35SourseIncome& d) {
    d.source.meSourseName->setText(QStringLiteral("ООО «Конкурс»"));
    d.source.meINN->setText(QStringLiteral("7707083893"));
    d.source.meKPP->setText(QStringLiteral("773601001"));
    d.source.meOKATO->setText(QStringLiteral("45293554000"));
}

}  // namespace

TEST(ThirtyFiveDialog, DeductionFollowsTheIncomeUpToItsCap) {
    ScriptedDialogs dialogs;
    std::map<QString, QString> codes{{"TfmInputIncomeCode", "2740"}, {"TfmInputDeductCode", "505"}};
    AnswerCodeLists(dialogs, codes);
    TfmInput35SourseIncome dialog(nullptr);
    EXPECT_FALSE(dialog.meItogIncomeSum->isEnabled());
    EXPECT_FALSE(dialog.meSubtractSum->isEnabled());
    EXPECT_FALSE(dialog.bnSubtractCod->isEnabled());

    dialog.bnIncomeCod->click();
    EXPECT_EQ(dialog.pnlIncomeCod->text(), "2740");
    EXPECT_TRUE(dialog.meItogIncomeSum->isEnabled());
    EXPECT_TRUE(dialog.bnSubtractCod->isEnabled());
    dialog.meItogIncomeSum->setText("10000");
    dialog.bnSubtractCod->click();
    EXPECT_EQ(dialog.pnlSubtractCod->text(), "505");
    EXPECT_EQ(dialog.meSubtractSum->text(), "4000");
    EXPECT_TRUE(dialog.meSubtractSum->isEnabled());
    dialog.meItogIncomeSum->setText("2500");
    EXPECT_EQ(dialog.meSubtractSum->text(), "2500");
    dialog.meSubtractSum->setText("5000");  // typed above the cap
    EXPECT_EQ(dialog.meSubtractSum->text(), "4000");
    dialog.meItogIncomeSum->clear();
    EXPECT_EQ(dialog.meSubtractSum->text(), "0");

    // Another code takes the deduction away; 2610 has none to offer.
    codes["TfmInputIncomeCode"] = "2610";
    dialog.bnIncomeCod->click();
    EXPECT_EQ(dialog.pnlIncomeCod->text(), "2610");
    EXPECT_FALSE(dialog.bnSubtractCod->isEnabled());
    EXPECT_TRUE(dialog.pnlSubtractCod->text().isEmpty());
    EXPECT_TRUE(dialog.meSubtractSum->text().isEmpty());
    // Its list offered only the codes taxed at 35 %.
    TfmInputIncomeCode list(nullptr, "35", {});
    EXPECT_EQ(list.Count(), 4);
}

TEST(ThirtyFiveDialog, OpensARecordAsStored) {
    mTThirtyFivePercent record;
    record.SourceName = "Банк";
    record.IncomeCode = 2740;
    record.IncomeTotal = Money::Rubles(10000);
    record.DeductCode = 505;
    record.DeductSum = Money::Rubles(4000);
    record.TaxWithheld = Money::Rubles(2100);
    TfmInput35SourseIncome dialog(nullptr);
    dialog.Load(record);
    EXPECT_EQ(dialog.meItogIncomeSum->text(), "10000");
    EXPECT_EQ(dialog.pnlSubtractCod->text(), "505");
    EXPECT_EQ(dialog.meSubtractSum->text(), "4000");
    EXPECT_TRUE(dialog.meSubtractSum->isEnabled());
    EXPECT_EQ(dialog.meHoldSum->text(), "2100");
    mTThirtyFivePercent again;
    dialog.Store(again);
    EXPECT_EQ(again.IncomeCode, 2740u);
    EXPECT_EQ(again.DeductCode, 505u);
    EXPECT_EQ(again.DeductSum, Money::Rubles(4000));
    EXPECT_EQ(again.SourceName, "Банк");

    // A deduction code the income code does not know is dropped, and 2620 has
    // no deduction at all.
    record.DeductCode = 999;
    dialog.Load(record);
    EXPECT_TRUE(dialog.pnlSubtractCod->text().isEmpty());
    EXPECT_FALSE(dialog.meSubtractSum->isEnabled());
    record.IncomeCode = 2620;
    record.DeductCode = 0;
    dialog.Load(record);
    EXPECT_FALSE(dialog.bnSubtractCod->isEnabled());
    EXPECT_TRUE(dialog.meSubtractSum->text().isEmpty());
}

// Each case: the codes and amounts, the messages of the check and what "Да" does
// when each window is answered "Исправить".
TEST(ThirtyFiveDialog, IncomeCheck) {
    const QString withheldAbove = QStringLiteral("Удержанная сумма превышает сумму дохода");
    const struct {
        const char* income;
        const char* deduction;
        const char* amount;
        const char* deductionAmount;
        const char* withheld;
        QStringList messages;
        bool offersSkip;
        const char* focus;  // empty: the dialog closed
    } cases[] = {
        {"2610", "", "4000", "", "400", {}, false, ""},
        {"2610", "", "4000", "", "5000", {withheldAbove}, true, "meHoldSum"},
        {"2620", "", "4000", "", "5000", {withheldAbove}, true, "meHoldSum"},
        {"3020", "", "4000", "", "5000", {withheldAbove}, true, "meHoldSum"},
        {"2740", "505", "4000", "", "5000", {withheldAbove}, true, "meHoldSum"},
        {"", "", "", "", "", {QStringLiteral("Не выбран доход")}, false, "bnIncomeCod"},
        {"2610",
         "",
         "",
         "",
         "",
         {QStringLiteral("Не указана сумма дохода")},
         false,
         "meItogIncomeSum"},
        {"2740", "", "4000", "", "", {QStringLiteral("Не выбран вычет")}, true, "bnSubtractCod"},
        {"2740",
         "505",
         "3000",
         "3500",
         "",
         {QStringLiteral("Сумма вычета превышает сумму дохода")},
         false,
         "meSubtractSum"},
        {"2740", "0", "3000", "", "", {}, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.income) + "/" + c.deduction + " " + c.amount);
        ScriptedDialogs dialogs;
        std::map<QString, QString> codes{{"TfmInputIncomeCode", c.income},
                                         {"TfmInputDeductCode", c.deduction}};
        AnswerCodeLists(dialogs, codes);
        TfmInput35SourseIncome dialog(nullptr);
        dialog.show();
        FillPayer(dialog);
        if (*c.income) dialog.bnIncomeCod->click();
        dialog.meItogIncomeSum->setText(c.amount);
        if (*c.deduction) dialog.bnSubtractCod->click();
        if (*c.deductionAmount) dialog.meSubtractSum->setText(c.deductionAmount);
        dialog.meHoldSum->setText(c.withheld);
        // The lists opened by "Исправить" are cancelled.
        codes.clear();
        dialog.bnOk->click();
        EXPECT_EQ(dialogs.CheckMessages(), c.messages);
        if (!dialogs.checks.empty()) {
            EXPECT_EQ(dialogs.checks.front().section, "Доходы, облагаемые по ставке 35%");
            EXPECT_EQ(dialogs.checks.front().canSkip, c.offersSkip);
            EXPECT_FALSE(dialogs.checks.front().canSkipAll);
        }
        EXPECT_EQ(dialog.result() == QDialog::Accepted, !*c.focus);
        if (*c.focus) {
            EXPECT_EQ(dialog.focusWidget()->objectName(), c.focus);
        }
    }
}

TEST(ThirtyFiveDialog, SkippedWarningsLetTheRecordThrough) {
    ScriptedDialogs dialogs;
    std::map<QString, QString> codes{{"TfmInputIncomeCode", "2740"}};
    AnswerCodeLists(dialogs, codes);
    dialogs.checkAnswers = {TCheckAnswer::Skip, TCheckAnswer::Skip};
    TfmInput35SourseIncome dialog(nullptr);
    FillPayer(dialog);
    dialog.bnIncomeCod->click();
    dialog.meItogIncomeSum->setText("4000");
    dialog.meHoldSum->setText("5000");
    dialog.bnOk->click();
    EXPECT_EQ(dialogs.CheckMessages(),
              QStringList({"Не выбран вычет", "Удержанная сумма превышает сумму дохода"}));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(ThirtyFivePage, AddShowsTheRecordAndEditWithoutChangeKeepsTheDocument) {
    PageBench bench("entry/russian.json");
    auto& page = bench.Open<TfrThirtyFivePercent>();
    EXPECT_EQ(page.List()->topLevelItemCount(), 3);
    EXPECT_EQ(SelectedRow(page.List()), -1);
    SelectRow(page.List(), 2);
    EXPECT_EQ(page.pnlIncomeCod->text(), "2610");
    EXPECT_EQ(page.pnlSubtractCod->text(), "Нет");
    EXPECT_EQ(page.pnlItogIncomeSum->text(), GroupedAmount("3000"));

    // Cancelled, or confirmed unchanged: the document stays as it was.
    page.EditRecord();
    bench.answers["TfmInput35SourseIncome"] = Confirmed<TfmInput35SourseIncome>({});
    page.EditRecord();
    EXPECT_EQ(bench.dialogs.ran.size(), 2u);
    EXPECT_EQ(bench.modified.count(), 0);

    bench.answers["TfmInputIncomeCode"] = [](QDialog& dialog) {
        return dynamic_cast<TfmLookup&>(dialog).Select("3020");
    };
    bench.answers["TfmInput35SourseIncome"] = Confirmed<TfmInput35SourseIncome>([](auto& d) {
        FillPayer(d);
        d.bnIncomeCod->click();
        d.meItogIncomeSum->setText("2000");
        d.meHoldSum->setText("700");
    });
    page.AddRecord();
    ASSERT_EQ(bench.ctx.Decl().ThirtyFivePercentCount(), 4u);
    EXPECT_EQ(SelectedRow(page.List()), 3);
    const mTThirtyFivePercent& added = bench.ctx.Decl().ThirtyFivePercent(3);
    EXPECT_EQ(added.IncomeCode, 3020u);
    EXPECT_EQ(added.DeductCode, 0u);
    EXPECT_EQ(added.IncomeTotal, Money::Rubles(2000));
    EXPECT_EQ(added.TaxWithheld, Money::Rubles(700));
    EXPECT_EQ(page.pnlHoldSum->text(), "700,00");
    EXPECT_EQ(bench.modified.count(), 1);
}
