#include <gtest/gtest.h>

#include <QApplication>
#include <QRadioButton>

#include "pages/businesspage.h"
#include "pages/currencypage.h"
#include "pagetest.h"
#include "widgets/maskededit.h"

using namespace zorv;
using zorv::testing::Confirmed;
using zorv::testing::PageBench;
using zorv::testing::Press;
using zorv::testing::Type;

namespace {

// A page whose selected record is edited in fields beside the list.
struct EditedRecordPage {
    const char* name;
    uint8_t incomeFlags;  // the income group that holds the list
    const char* dialog;
    std::function<TRecordListPage*(PageBench&)> open;
    std::function<bool(QDialog&)> add, edit;
    QString added, edited;  // the row's caption after each dialog
    std::function<size_t(const mTDeclaration&)> count;
    // A field of the selected record and the amount it stores.
    const char* field;
    std::function<Money(const mTDeclaration&, size_t)> stored;
};

std::vector<EditedRecordPage> Pages() {
    auto source = [](const char* name) {
        return Confirmed<TfmInputCurrencySourseIncome>(
            [name](TfmInputCurrencySourseIncome& d) { d.meSourseName->setText(name); });
    };
    auto activity = [](QRadioButton* TfmInputBusinessIncome::*kind) {
        return Confirmed<TfmInputBusinessIncome>(
            [kind](TfmInputBusinessIncome& d) { (d.*kind)->click(); });
    };
    return {
        {"currency", kIncomeForeign, "TfmInputCurrencySourseIncome",
         [](PageBench& b) -> TRecordListPage* { return &b.Open<TfrCurrency>(); }, source("Acme"),
         source("Acme Ltd"), "Acme", "Acme Ltd",
         [](const mTDeclaration& d) { return d.CurrencyIncomeCount(); }, "meTaxCurrencySum",
         [](const mTDeclaration& d, size_t i) { return d.CurrencyIncome(i).TaxInCurrency; }},
        {"business", kIncomeBusiness, "TfmInputBusinessIncome",
         [](PageBench& b) -> TRecordListPage* { return &b.Open<TfrBusinessNew>(); },
         activity(&TfmInputBusinessIncome::rbNota), activity(&TfmInputBusinessIncome::rbAdvokat),
         "Нотариальная деятельность", "Адвокатская деятельность",
         [](const mTDeclaration& d) { return d.BusinessCount(); }, "MaskedEdit1",
         [](const mTDeclaration& d, size_t i) { return d.Business(i).Income; }},
    };
}

}  // namespace

// The lists of the foreign-currency and business pages answer the keys and
// buttons of every record page, and the fields beside the list follow the
// selected record.
TEST(RecordPages, KeysOfTheListsWhoseRecordIsEditedOnThePage) {
    for (const EditedRecordPage& c : Pages()) {
        SCOPED_TRACE(c.name);
        PageBench bench;
        bench.ctx.Decl().SetIncomeFlags(c.incomeFlags);
        TRecordListPage* page = c.open(bench);
        QTreeWidget* list = page->List();
        QApplication::processEvents();
        // The buttons stand in a column left of the list.
        EXPECT_LT(page->fbAddSourseIncome->mapTo(page, QPoint()).x(),
                  list->mapTo(page, QPoint()).x());
        EXPECT_LT(page->fbAddSourseIncome->mapTo(page, QPoint()).y(),
                  page->fbEditSourseIncome->mapTo(page, QPoint()).y());
        auto* field = page->findChild<TMaskedEdit*>(c.field);
        ASSERT_NE(field, nullptr);
        EXPECT_FALSE(field->isEnabled());

        bench.answers[c.dialog] = c.add;
        Press(list, Qt::Key_Insert);
        Press(list, Qt::Key_Insert);
        ASSERT_EQ(c.count(bench.ctx.Decl()), 2u);
        EXPECT_EQ(SelectedRow(list), 1);
        EXPECT_EQ(bench.modified.count(), 2);
        ASSERT_TRUE(field->isEnabled());

        // What is typed for a record stays with it when another is selected.
        Type(field, "500");
        SelectRow(list, 0);
        EXPECT_EQ(c.stored(bench.ctx.Decl(), 1), Money::Rubles(500));
        EXPECT_EQ(field->text(), "");
        SelectRow(list, 1);
        EXPECT_EQ(field->text(), "500");

        // Enter edits the selected record; the typed amount survives the dialog.
        const int before = bench.modified.count();
        bench.answers[c.dialog] = c.edit;
        Press(list, Qt::Key_Return);
        EXPECT_EQ(list->topLevelItem(1)->text(0), c.edited);
        EXPECT_EQ(list->topLevelItem(0)->text(0), c.added);
        EXPECT_EQ(bench.modified.count(), before + 1);
        EXPECT_EQ(SelectedRow(list), 1);
        EXPECT_EQ(field->text(), "500");
        // Confirmed unchanged, the dialog changes nothing.
        Press(list, Qt::Key_Return);
        EXPECT_EQ(bench.modified.count(), before + 1);

        // Without a selected record nothing is typed into the page.
        SelectRow(list, -1);
        EXPECT_FALSE(field->isEnabled());
        SelectRow(list, 1);

        // Delete removes the selected record and selects the one before.
        Press(list, Qt::Key_Delete);
        EXPECT_EQ(c.count(bench.ctx.Decl()), 1u);
        EXPECT_EQ(SelectedRow(list), 0);
        EXPECT_EQ(list->topLevelItem(0)->text(0), c.added);
        EXPECT_EQ(bench.modified.count(), before + 2);
        page->fbDeleteSourseIncome->click();
        EXPECT_EQ(c.count(bench.ctx.Decl()), 0u);
        EXPECT_FALSE(field->isEnabled());
        EXPECT_EQ(bench.dialogs.ran.size(), 4u);
    }
}
