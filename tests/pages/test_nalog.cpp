#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <algorithm>

#include "pages/dividendsdialog.h"
#include "pages/dividendspage.h"
#include "pages/nalogdialog.h"
#include "pages/nalogpage.h"
#include "pages/russianincome.h"
#include "pages/thirtyfivedialog.h"
#include "pages/thirtyfivepercent.h"
#include "pagetest.h"
#include "widgets/flashbutton.h"
#include "widgets/maskededit.h"

using namespace zorv;
using zorv::testing::Confirmed;
using zorv::testing::PageBench;
using zorv::testing::Press;
using zorv::testing::RowTexts;

namespace {

std::function<bool(QDialog&)> Payment(const QString& amount, int entry) {
    return Confirmed<TfmInputNalog>([amount, entry](TfmInputNalog& d) {
        d.meHoldSum->setText(amount);
        d.cbKBK->setCurrentIndex(entry);
    });
}

}  // namespace

TEST(NalogPage, AddedPaymentKeepsItsCodeAndDescriptionAsListed) {
    PageBench bench;
    auto& page = bench.Open<TfrNalog>();
    bench.answers["TfmInputNalog"] = Payment("1500", 1);
    page.fbAddSourseIncome->click();
    ASSERT_EQ(bench.ctx.Decl().NalogCount(), 1u);
    const mTNalog& payment = bench.ctx.Decl().Nalog(0);
    EXPECT_EQ(payment.BudgetCode, "18210102021011000110");
    EXPECT_EQ(payment.BudgetCodeName, "13% физ.лица ");
    EXPECT_EQ(payment.Amount, Money::Rubles(1500));
    EXPECT_EQ(RowTexts(page.List(), 0),
              QStringList({"1500", "18210102021011000110", "13% физ.лица "}));
    EXPECT_EQ(SelectedRow(page.List()), 0);
    EXPECT_EQ(bench.modified.count(), 1);

    // The edit opens on the same entry; changing only the code changes the row.
    int opened = -2;
    bench.answers["TfmInputNalog"] = Confirmed<TfmInputNalog>([&opened](TfmInputNalog& d) {
        opened = d.cbKBK->currentIndex();
        d.cbKBK->setCurrentIndex(5);
    });
    page.fbEditSourseIncome->click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(RowTexts(page.List(), 0),
              QStringList({"1500", "18210102040011000110", "35% выигрыши"}));
    EXPECT_EQ(SelectedRow(page.List()), 0);
    EXPECT_EQ(bench.modified.count(), 2);

    // "Да" with nothing typed, or with no code chosen, adds nothing.
    bench.answers["TfmInputNalog"] = Payment("", 0);
    page.fbAddSourseIncome->click();
    bench.answers["TfmInputNalog"] = Payment("0", 0);
    page.fbAddSourseIncome->click();
    bench.answers["TfmInputNalog"] = Payment("700", -1);
    page.fbAddSourseIncome->click();
    EXPECT_EQ(bench.ctx.Decl().NalogCount(), 1u);
    EXPECT_EQ(bench.modified.count(), 2);
}

TEST(NalogPage, PaymentOfAnUnlistedCodeOpensWithNoEntryAndNeedsOne) {
    PageBench bench("entry/russian.json");
    auto& page = bench.Open<TfrNalog>();
    EXPECT_EQ(SelectedRow(page.List()), 0);  // the page opens on the first payment
    SelectRow(page.List(), 3);               // "18210102020011000110", no longer listed
    bool acceptedWithoutCode = true;
    bench.answers["TfmInputNalog"] = [&](QDialog& dialog) {
        auto& d = dynamic_cast<TfmInputNalog&>(dialog);
        d.show();
        EXPECT_EQ(d.cbKBK->currentIndex(), -1);
        EXPECT_EQ(d.meHoldSum->text(), "6500");
        d.bnOk->click();
        acceptedWithoutCode = d.result() == QDialog::Accepted;
        EXPECT_EQ(d.focusWidget(), d.cbKBK);
        d.cbKBK->setCurrentIndex(2);
        d.bnOk->click();
        return d.result() == QDialog::Accepted;
    };
    page.fbEditSourseIncome->click();
    EXPECT_FALSE(acceptedWithoutCode);
    EXPECT_EQ(bench.ctx.Decl().Nalog(3).BudgetCode, "18210102022011000110");
    EXPECT_EQ(bench.ctx.Decl().Nalog(3).Amount, Money::Rubles(6500));
}

TEST(NalogPage, OpeningAPaymentWithoutChangeLeavesTheDocumentUnmodified) {
    PageBench bench("entry/russian.json");
    auto& page = bench.Open<TfrNalog>();
    page.EditRecord();  // "Нет"
    bench.answers["TfmInputNalog"] = Confirmed<TfmInputNalog>({});
    page.EditRecord();
    EXPECT_EQ(bench.dialogs.ran.size(), 2u);
    EXPECT_EQ(bench.modified.count(), 0);
    bench.answers["TfmInputNalog"] = Payment("1201", 0);
    page.EditRecord();
    EXPECT_EQ(bench.modified.count(), 1);
    EXPECT_EQ(RowTexts(page.List(), 0).front(), "1201");
}

TEST(NalogPage, DeletingSelectsTheRowBefore) {
    const struct {
        int deleted;
        int selected;
        int left;
    } cases[] = {{2, 1, 4}, {0, 0, 4}, {4, 3, 4}};
    for (const auto& c : cases) {
        PageBench bench("entry/russian.json");
        auto& page = bench.Open<TfrNalog>();
        const std::string kept =
            bench.ctx.Decl().Nalog(c.selected + (c.selected >= c.deleted)).BudgetCode;
        SelectRow(page.List(), c.deleted);
        page.fbDeleteSourseIncome->click();
        EXPECT_EQ(int(bench.ctx.Decl().NalogCount()), c.left);
        EXPECT_EQ(page.List()->topLevelItemCount(), c.left);
        EXPECT_EQ(SelectedRow(page.List()), c.selected) << c.deleted;
        EXPECT_EQ(RowTexts(page.List(), c.selected)[1].toStdString(), kept);
        EXPECT_EQ(bench.modified.count(), 1);
    }
    PageBench bench;
    bench.answers["TfmInputNalog"] = Payment("100", 0);
    auto& page = bench.Open<TfrNalog>();
    page.AddRecord();
    page.DeleteRecord();
    EXPECT_EQ(bench.ctx.Decl().NalogCount(), 0u);
    EXPECT_EQ(SelectedRow(page.List()), -1);
    EXPECT_EQ(page.List()->currentItem(), nullptr);
    page.DeleteRecord();  // an empty list: nothing happens
    EXPECT_EQ(bench.modified.count(), 2);
}

TEST(NalogPage, KeysOfTheListAndOfTheDialog) {
    PageBench bench;
    auto& page = bench.Open<TfrNalog>();
    // Enter in the dialog is "Да", Escape "Нет".
    bench.answers["TfmInputNalog"] = [](QDialog& dialog) {
        auto& d = dynamic_cast<TfmInputNalog&>(dialog);
        d.show();
        d.meHoldSum->setText("250");
        d.cbKBK->setCurrentIndex(0);
        Press(d.meHoldSum, Qt::Key_Return);
        return d.result() == QDialog::Accepted;
    };
    Press(page.List(), Qt::Key_Insert);
    EXPECT_EQ(bench.ctx.Decl().NalogCount(), 1u);
    bench.answers["TfmInputNalog"] = [](QDialog& dialog) {
        auto& d = dynamic_cast<TfmInputNalog&>(dialog);
        d.show();
        d.setResult(QDialog::Accepted);
        d.meHoldSum->setText("999");
        Press(d.meHoldSum, Qt::Key_Escape);
        return d.result() == QDialog::Accepted;
    };
    Press(page.List(), Qt::Key_Return);
    EXPECT_EQ(bench.ctx.Decl().Nalog(0).Amount, Money::Rubles(250));
    Press(page.List(), Qt::Key_Delete);
    EXPECT_EQ(bench.ctx.Decl().NalogCount(), 0u);
    EXPECT_EQ(bench.dialogs.ran.size(), 2u);
}

// A full list takes no more: the add command says so and opens no dialog.
TEST(RecordPages, ListOfAThousandTakesNoMore) {
    PageBench bench;
    mTDeclaration& d = bench.ctx.Decl();
    for (int i = 0; i < 1000; ++i) {
        d.AddNalog();
        d.AddThirtyPercent();
        d.AddThirtyFivePercent();
    }
    TfrNalog nalog(bench.ctx, &bench.window);
    TfrThirtyPercent dividends(bench.ctx, &bench.window);
    TfrThirtyFivePercent thirtyFive(bench.ctx, &bench.window);
    for (TRecordListPage* page :
         std::initializer_list<TRecordListPage*>{&nalog, &dividends, &thirtyFive}) {
        page->AddRecord();
        Press(page->List(), Qt::Key_Insert);
    }
    EXPECT_TRUE(bench.dialogs.ran.empty());
    ASSERT_EQ(bench.dialogs.messages.size(), 6u);
    for (const QString& message : bench.dialogs.messages)
        EXPECT_TRUE(message.startsWith("Можно ввести не более 1000 ")) << message.toStdString();
    EXPECT_EQ(bench.dialogs.messages[0], "Можно ввести не более 1000 платежей.");
    EXPECT_EQ(d.NalogCount(), 1000u);
    EXPECT_EQ(d.ThirtyPercentCount(), 1000u);
    EXPECT_EQ(d.ThirtyFivePercentCount(), 1000u);
    EXPECT_EQ(bench.modified.count(), 0);

    // One taken away, there is room again.
    SelectRow(nalog.List(), 999);
    nalog.DeleteRecord();
    bench.answers["TfmInputNalog"] = Payment("1", 0);
    nalog.AddRecord();
    EXPECT_EQ(d.NalogCount(), 1000u);
    EXPECT_EQ(SelectedRow(nalog.List()), 999);
}

// Walking through the pages, selecting records and opening their dialogs
// without a change (cancelled or confirmed) leaves the document as it was.
TEST(RecordPages, VisitWithoutEditsLeavesTheDocumentByteIdentical) {
    PageBench bench("entry/russian.json");
    const std::vector<uint8_t> before = bench.ctx.Decl().BuildImage();
    bench.answers["TfmInputNalog"] = Confirmed<TfmInputNalog>({});
    bench.answers["TfmInput30SourseIncome"] = Confirmed<TfmInput30SourseIncome>({});
    bench.answers["TfmInput35SourseIncome"] = Confirmed<TfmInput35SourseIncome>({});

    auto& hub = bench.Open<TfrRussianIncome>();
    for (int sub : {TfrRussianIncome::subDividends, TfrRussianIncome::subThirtyFive}) {
        hub.SubButton(sub)->click();
        ASSERT_EQ(hub.CurrentSubPage(), sub);
        auto* page = qobject_cast<TRecordListPage*>(hub.SubPage());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(SelectedRow(page->List()), 0);  // the hub opens on the first record
        for (int row = 0; row < page->List()->topLevelItemCount(); ++row) {
            SelectRow(page->List(), row);
            page->EditRecord();
        }
        hub.StoreToModel();
        EXPECT_EQ(hub.Validate(), 0);
    }
    TfrNalog nalog(bench.ctx, &bench.window);
    for (int row = 0; row < nalog.List()->topLevelItemCount(); ++row) {
        SelectRow(nalog.List(), row);
        nalog.EditRecord();
    }
    nalog.StoreToModel();
    EXPECT_EQ(bench.dialogs.ran.size(), 10u);
    EXPECT_EQ(bench.modified.count(), 0);
    EXPECT_TRUE(bench.ctx.Decl().BuildImage() == before);
}

// What a screen reader says of each control: a field its label, a "..." button
// its hint; and the keyboard walks the fields from top to bottom.
TEST(RecordDialogs, ControlsAreNamedAndTabbedTopToBottom) {
    TfmInput30SourseIncome dividends(nullptr);
    TfmInput35SourseIncome thirtyFive(nullptr);
    TfmInputNalog payment(nullptr);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&dividends, &thirtyFive, &payment}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        dialog->show();
        int labelled = 0;
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            // A code's label leads to its "..." button, which its hint names.
            if (!label->buddy() || qobject_cast<QPushButton*>(label->buddy())) continue;
            ++labelled;
            EXPECT_EQ(label->buddy()->accessibleName(), label->text());
        }
        EXPECT_GE(labelled, 2);
        for (QWidget* field : dialog->findChildren<QWidget*>()) {
            if (qobject_cast<TMaskedEdit*>(field) || qobject_cast<QComboBox*>(field)) {
                EXPECT_FALSE(field->accessibleName().isEmpty())
                    << field->objectName().toStdString();
            }
        }
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == "...") {
                EXPECT_EQ(button->accessibleName(), button->toolTip());
            }
        }
        // Tab from the first field reaches the others in the order they stand.
        std::vector<int> tops;
        QWidget* w = dialog->focusWidget();
        ASSERT_NE(w, nullptr);
        for (int i = 0;
             i < 12 && w != static_cast<QWidget*>(dialog->findChild<QPushButton*>("bnOk")); ++i) {
            if (w->isEnabled() && w->isVisible()) tops.push_back(w->mapTo(dialog, QPoint()).y());
            w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
        }
        EXPECT_TRUE(std::is_sorted(tops.begin(), tops.end()));
        EXPECT_GE(tops.size(), 2u);
    }
}
