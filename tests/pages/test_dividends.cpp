#include <gtest/gtest.h>

#include <QLabel>

#include "model/income.h"
#include "pages/dividendsdialog.h"
#include "pages/dividendspage.h"
#include "pagetest.h"
#include "widgets/maskededit.h"

using namespace zorv;
using zorv::testing::Confirmed;
using zorv::testing::PageBench;
using zorv::testing::Press;
using zorv::testing::Type;

namespace {

// An organisation whose numbers pass every check.
void FillOrganisation(TfmInput30SourseIncome& d) {
    d.source.meSourseName->setText(QStringLiteral("ОАО «Дивиденд»"));
    d.source.meINN->setText(QStringLiteral("7707083893"));
    d.source.meKPP->setText(QStringLiteral("773601001"));
    d.source.meOKATO->setText(QStringLiteral("45293554000"));
}

}  // namespace

TEST(DividendsDialog, TaxIsNinePercentOfTheTaxableDividendsInWholeRubles) {
    const struct {
        const char* taxable;
        const char* tax;
    } cases[] = {{"10000,5", "900"}, {"10005,6", "901"}, {"", ""}, {"100", "9"}};
    for (const auto& c : cases) {
        TfmInput30SourseIncome dialog(nullptr);
        dialog.meOblSum->setText(QStringLiteral("100"));
        dialog.meOblSum->setText(QString::fromUtf8(c.taxable));
        EXPECT_EQ(dialog.meTaxDiscount->text(), QString::fromUtf8(c.tax)) << c.taxable;
        mTThirtyPercent record;
        dialog.Store(record);
        EXPECT_EQ(MoneyText(record.TaxComputed), QString::fromUtf8(*c.tax ? c.tax : "0"));
    }
}

TEST(DividendsDialog, StoredTaxStandsUntilTheTaxableDividendsChange) {
    mTThirtyPercent record;
    record.TaxableIncome = Money::Rubles(20000);
    record.TaxComputed = Money::Rubles(1799);  // as the payer's statement gives it
    TfmInput30SourseIncome dialog(nullptr);
    dialog.Load(record);
    EXPECT_EQ(dialog.meTaxDiscount->text(), "1799");
    dialog.meOblSum->setText(QStringLiteral("20000,5"));
    EXPECT_EQ(dialog.meTaxDiscount->text(), "1800");
}

TEST(DividendsDialog, NumberOfTheOrganisationTakesTenDigits) {
    TfmInput30SourseIncome dialog(nullptr);
    Type(dialog.source.meINN, QStringLiteral("770708389312"));
    EXPECT_EQ(dialog.source.meINN->text(), "7707083893");
}

// Each case: what is typed over a sound organisation, how the check windows are
// answered, and what comes of "Да" (or of Enter, which does the same).
TEST(DividendsDialog, ChecksOfTheOrganisationAndOfTheTaxWithheld) {
    const QString dividendsShort =
        QStringLiteral("Сумма дивидендов меньше суммы удержанного налога");
    const struct {
        const char* name;
        std::function<void(TfmInput30SourseIncome&)> change;
        std::vector<TCheckAnswer> answers;
        QStringList messages;
        bool offersSkip;  // of the last window
        bool accepted;
        const char* focus;  // where the focus goes when the dialog stays open
    } cases[] = {
        {"sound", {}, {}, {}, false, true, ""},
        {"withheld above the dividends",
         [](auto& d) {
             d.meItogIncomeSum->setText("1000");
             d.meOblSum->setText("1000");
             d.meHoldSum->setText("2000");
         },
         {TCheckAnswer::Correct},
         {dividendsShort},
         true,
         false,
         "meHoldSum"},
        {"withheld above the dividends, skipped",
         [](auto& d) {
             d.meItogIncomeSum->setText("1000");
             d.meHoldSum->setText("2000");
         },
         {TCheckAnswer::Skip},
         {dividendsShort},
         true,
         true,
         ""},
        {"no dividends at all",
         [](auto& d) { d.meOblSum->setText("100"); },
         {TCheckAnswer::Correct},
         {dividendsShort},
         true,
         false,
         "meItogIncomeSum"},
        {"dividends without taxable part or tax: no amount check",
         [](auto& d) { d.meItogIncomeSum->setText("1000"); },
         {},
         {},
         false,
         true,
         ""},
        {"no registration code",
         [](auto& d) { d.source.meKPP->clear(); },
         {TCheckAnswer::Correct},
         {QStringLiteral("Отсутствует КПП")},
         false,
         false,
         "meKPP"},
        {"wrong check digit",
         [](auto& d) { d.source.meINN->setText("7707083894"); },
         {TCheckAnswer::Correct},
         {QStringLiteral("Номер ИНН введен неверно")},
         false,
         false,
         "meINN"},
    };
    for (const bool byEnter : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (byEnter ? " (Enter)" : " (Да)"));
            zorv::testing::ScriptedDialogs dialogs;
            dialogs.checkAnswers.assign(c.answers.begin(), c.answers.end());
            TfmInput30SourseIncome dialog(nullptr);
            dialog.show();
            FillOrganisation(dialog);
            if (c.change) c.change(dialog);
            if (byEnter)
                Press(dialog.meHoldSum, Qt::Key_Return);
            else
                dialog.bnOk->click();
            EXPECT_EQ(dialogs.CheckMessages(), c.messages);
            for (const TCheckRequest& r : dialogs.checks)
                EXPECT_EQ(r.section, "Доходы, облагаемые по ставке 30%");
            if (!dialogs.checks.empty()) {
                EXPECT_EQ(dialogs.checks.back().canSkip, c.offersSkip);
            }
            EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
            if (!c.accepted) {
                EXPECT_EQ(dialog.focusWidget()->objectName(), c.focus);
            }
        }
    }
}

TEST(DividendsPage, AddEditAndDeleteGoToTheDeclarationAtOnce) {
    PageBench bench;
    auto& page = bench.Open<TfrThirtyPercent>();
    bench.answers["TfmInput30SourseIncome"] = Confirmed<TfmInput30SourseIncome>([](auto& d) {
        FillOrganisation(d);
        d.meItogIncomeSum->setText("1000");
        d.meOblSum->setText("1000,5");
        d.meHoldSum->setText("90");
    });
    page.fbAddSourseIncome->click();
    ASSERT_EQ(bench.ctx.Decl().ThirtyPercentCount(), 1u);
    const mTThirtyPercent& added = bench.ctx.Decl().ThirtyPercent(0);
    EXPECT_EQ(added.IncomeCode, 1010u);
    EXPECT_EQ(added.SourceName, "ОАО «Дивиденд»");
    EXPECT_EQ(added.KPP, "773601001");
    EXPECT_EQ(MoneyText(added.TaxableIncome), "1000,5");
    EXPECT_EQ(MoneyText(added.TaxComputed), "90");
    EXPECT_EQ(bench.modified.count(), 1);
    EXPECT_EQ(SelectedRow(page.List()), 0);
    EXPECT_EQ(page.List()->topLevelItem(0)->text(0), "ОАО «Дивиденд»");
    EXPECT_EQ(page.pnlItogIncomeSum->text(), GroupedAmount("1000"));
    EXPECT_EQ(page.pnlHoldSum->text(), "90,00");

    // Opening the record and leaving it, with "Нет" or with "Да" and no change,
    // leaves the document as it was.
    bench.answers["TfmInput30SourseIncome"] = {};
    page.fbEditSourseIncome->click();
    bench.answers["TfmInput30SourseIncome"] = Confirmed<TfmInput30SourseIncome>({});
    Press(page.List(), Qt::Key_Return);
    EXPECT_EQ(bench.dialogs.ran.size(), 3u);
    EXPECT_EQ(bench.modified.count(), 1);

    bench.answers["TfmInput30SourseIncome"] = Confirmed<TfmInput30SourseIncome>([](auto& d) {
        d.source.meSourseName->setText(QStringLiteral("ОАО «Новое имя»"));
        d.meHoldSum->setText("100");
    });
    page.fbEditSourseIncome->click();
    EXPECT_EQ(bench.modified.count(), 2);
    EXPECT_EQ(page.List()->topLevelItem(0)->text(0), "ОАО «Новое имя»");
    EXPECT_EQ(page.pnlHoldSum->text(), "100,00");
    EXPECT_EQ(bench.ctx.Decl().ThirtyPercent(0).IncomeCode, 1010u);

    page.fbDeleteSourseIncome->click();
    EXPECT_EQ(bench.ctx.Decl().ThirtyPercentCount(), 0u);
    EXPECT_EQ(page.List()->topLevelItemCount(), 0);
    EXPECT_EQ(SelectedRow(page.List()), -1);
    EXPECT_TRUE(page.pnlHoldSum->text().isEmpty());
    EXPECT_EQ(bench.modified.count(), 3);
    page.fbDeleteSourseIncome->click();  // nothing left to delete
    page.fbEditSourseIncome->click();
    EXPECT_EQ(bench.modified.count(), 3);
}

TEST(DividendsPage, NameLeftEmptyAddsNothing) {
    PageBench bench;
    auto& page = bench.Open<TfrThirtyPercent>();
    // "Пропустить все" is not offered, so the only way past an empty name is a
    // dialog that closes anyway; the page still takes nothing.
    bench.answers["TfmInput30SourseIncome"] = [](QDialog& dialog) {
        auto& d = dynamic_cast<TfmInput30SourseIncome&>(dialog);
        FillOrganisation(d);
        d.source.meSourseName->setText("   ");
        return true;
    };
    page.fbAddSourseIncome->click();
    EXPECT_EQ(bench.ctx.Decl().ThirtyPercentCount(), 0u);
    EXPECT_EQ(bench.modified.count(), 0);
}
