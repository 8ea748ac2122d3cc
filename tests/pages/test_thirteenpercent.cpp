#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <deque>

#include "fixtures.h"
#include "model/jsonform.h"
#include "pages/codelists.h"
#include "pages/entrykit.h"
#include "pages/russianincome.h"
#include "pages/thirteendialogs.h"
#include "pages/thirteenpercent.h"
#include "shell/formmain.h"
#include "shell/shelltest.h"
#include "tempdir.h"
#include "widgets/flashbutton.h"
#include "widgets/maskededit.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::Type;

namespace {

const QString kSection = QStringLiteral("Доходы, облагаемые по ставке 13%");

mTDeclaration Mixed() {
    mTDeclaration d;
    DeclarationFromJson(zorv::testing::ReadFixtureJson("export/mixed.json"), d);
    return d;
}

// A declaration with income from agents and the payers given (name, income
// lines of code 2000 with the amounts, tax withheld).
struct TPayer {
    const char* name;
    std::vector<int> amounts;
    int withheld = 0;
};
mTDeclaration WithPayers(const std::vector<TPayer>& payers) {
    // A taxpayer whose other pages pass their checks.
    mTDeclaration d;
    DeclarationFromJson(zorv::testing::ReadFixtureJson("export/employee.json"), d);
    while (d.ThirteenPercentCount() > 0) d.RemoveThirteenPercent(0);
    for (const TPayer& p : payers) {
        mTThirteenPercent& payer = d.ThirteenPercent(d.AddThirteenPercent());
        payer.SourceName = p.name;
        uint16_t month = 1;
        for (int amount : p.amounts)
            payer.AddIncome(
                {2000, "Заработная плата", Money::Rubles(amount), 0, Money(), 0, month++});
        payer.TaxWithheld = Money::Rubles(p.withheld);
    }
    return d;
}

QStringList RowTexts(const QTreeWidget* list, int row) {
    QStringList texts;
    const QTreeWidgetItem* item = list->topLevelItem(row);
    for (int c = 0; item && c < list->columnCount(); ++c) texts << item->text(c);
    return texts;
}

QStringList ListCodes(const QDialog& dialog) {
    QStringList codes;
    const auto* list = dialog.findChild<QTreeWidget*>();
    for (int i = 0; list && i < list->topLevelItemCount(); ++i)
        codes << list->topLevelItem(i)->text(0);
    return codes;
}

// Answers the program's windows: the code lists with the next code of their
// queue, the line and payer dialogs with the scripts given. What each code
// list offered is kept.
struct TScript {
    TScript() {
        dialogs.run = [this](QDialog& dialog) -> bool {
            const QString name = dialog.objectName();
            if (name == "TfmInputIncomeCode" || name == "TfmInputDeductCode") {
                auto& queue = name == "TfmInputIncomeCode" ? incomeCodes : deductCodes;
                (name == "TfmInputIncomeCode" ? offeredIncome : offeredDeduct) = ListCodes(dialog);
                if (queue.empty()) return false;
                const QString code = queue.front();
                queue.pop_front();
                return static_cast<TfmLookup&>(dialog).Select(code);
            }
            if (name == "TfmInput13Income" && line)
                return line(static_cast<TfmInput13Income&>(dialog));
            if (name == "TfmInput13SourseIncome" && payer)
                return payer(static_cast<TfmInput13SourseIncome&>(dialog));
            return false;
        };
    }
    ScriptedDialogs dialogs;
    std::deque<QString> incomeCodes, deductCodes;
    QStringList offeredIncome, offeredDeduct;
    std::function<bool(TfmInput13Income&)> line;
    std::function<bool(TfmInput13SourseIncome&)> payer;
};

// "Да" of a dialog: true when its check let it close.
bool PressYes(QDialog& dialog, QPushButton* yes) {
    dialog.setResult(QDialog::Rejected);
    yes->click();
    return dialog.result() == QDialog::Accepted;
}

void Retype(TMaskedEdit* edit, const QString& text) {
    edit->clear();
    Type(edit, text);
}

// A line dialog filled as the user would: the codes from the lists, the amounts typed.
// Income code, income, deduction code, deduction, month; empty or missing
// texts are left alone.
using TLineEntry = QStringList;

void Fill(TScript& script, TfmInput13Income& dialog, const TLineEntry& e) {
    if (!e.value(0).isEmpty()) {
        script.incomeCodes.push_back(e.value(0));
        dialog.bnIncomeCod->click();
    }
    if (!e.value(1).isEmpty()) Retype(dialog.meIncomeSum, e.value(1));
    if (!e.value(2).isEmpty()) {
        script.deductCodes.push_back(e.value(2));
        dialog.bnSubtractCod->click();
    }
    if (!e.value(3).isEmpty()) Retype(dialog.meSubtractSum, e.value(3));
    if (!e.value(4).isEmpty()) Retype(dialog.mePropSale, e.value(4));
}

// The page of the declaration as the hub shows it, the first payer selected.
struct TPage {
    explicit TPage(mTDeclaration d) {
        ctx.ReplaceDeclaration(std::make_unique<mTDeclaration>(std::move(d)));
        hub = std::make_unique<TfrRussianIncome>(ctx, nullptr);
        page = qobject_cast<TfrThirteenPercent*>(hub->SubPage());
        QObject::connect(&ctx, &TShellContext::modified, [this] { ++modified; });
    }
    mTDeclaration& Decl() { return ctx.Decl(); }
    const mTThirteenPercent& Payer(size_t i) { return Decl().ThirteenPercent(i); }

    TShellContext ctx;
    std::unique_ptr<TfrRussianIncome> hub;
    TfrThirteenPercent* page = nullptr;
    int modified = 0;
};

}  // namespace

// The payer dialog closes on "Да" only when the payment-source check passes or
// the user skips its problems; "Исправить" leads to the field at fault.
TEST(ThirteenPayerDialog, CheckLeadsToTheFieldAtFault) {
    struct Case {
        const char* name;
        const char* inn;
        const char* kpp;
        const char* okato;
        std::deque<TCheckAnswer> answers;
        bool accepted;
        QStringList messages;
        const char* focus;
    };
    const QString wrongInn = QStringLiteral("Номер ИНН введен неверно");
    const Case cases[] = {
        {"ООО \"Ромашка\"", "1234567894", "770501001", "45286560000", {}, true, {}, nullptr},
        {"ООО \"Ромашка\"",
         "1234567895",
         "770501001",
         "45286560000",
         {},
         false,
         {wrongInn},
         "meINN"},
        {"ООО \"Ромашка\"",
         "1234567895",
         "770501001",
         "45286560000",
         {TCheckAnswer::Skip},
         true,
         {wrongInn},
         nullptr},
        {"  ", "1234567894", "770501001", "45286560000", {}, false, {}, "meSourseName"},
        {"ИП Иванов", "1234567894", "", "45286560000", {}, false, {}, "meKPP"},
        {"ИП Иванов", "1234567894", "770501001", "452", {}, false, {}, "meOKATO"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.inn) + " " + c.name);
        ScriptedDialogs dialogs;
        dialogs.checkAnswers = c.answers;
        TfmInput13SourseIncome dialog(nullptr, false);
        dialog.show();
        dialog.meSourseName->setText(QString::fromUtf8(c.name));
        dialog.meINN->setText(c.inn);
        dialog.meKPP->setText(c.kpp);
        dialog.meOKATO->setText(c.okato);
        EXPECT_EQ(PressYes(dialog, dialog.bnOk), c.accepted);
        for (const TCheckRequest& r : dialogs.checks) {
            EXPECT_EQ(r.section, kSection);
            EXPECT_FALSE(r.canSkipAll);
        }
        if (!c.messages.isEmpty()) {
            EXPECT_EQ(dialogs.CheckMessages(), c.messages);
        }
        if (c.focus) {
            ASSERT_NE(dialog.focusWidget(), nullptr);
            EXPECT_EQ(dialog.focusWidget()->objectName(), c.focus);
        }
    }
    // A non-resident has no standard deductions to place with a payer.
    TfmInput13SourseIncome resident(nullptr, false), nonResident(nullptr, true);
    EXPECT_FALSE(resident.chbPrimaryWorkplase->isHidden());
    EXPECT_TRUE(nonResident.chbPrimaryWorkplase->isHidden());
}

// The line check, rule by rule: its message, whether "Пропустить" is offered,
// and what "Исправить" leads to. A refused deduction cannot be skipped, not
// even by answering "Пропустить" to a window that does not offer it.
TEST(ThirteenLineDialog, LineCheck) {
    struct Case {
        const char* what;
        TLineEntry entry;
        std::deque<TCheckAnswer> answers;
        QStringList messages;
        std::vector<bool> canSkip;
        int result;
    };
    const QString noIncome = QStringLiteral("Не выбран доход");
    const QString noAmount = QStringLiteral("Не указана сумма дохода");
    const QString noDeduction = QStringLiteral("Не выбран вычет");
    const QString exceeds = QStringLiteral("Сумма вычета превышает сумму дохода");
    const Case cases[] = {
        {"nothing chosen", {}, {}, {noIncome}, {true}, 1},
        {"nothing chosen, skipped",
         {},
         {TCheckAnswer::Skip},
         {noIncome, noAmount},
         {true, false},
         1},
        {"no amount", {"2000"}, {}, {noAmount}, {false}, 2},
        {"complete salary", {"2000", "1000", "", "", "3"}, {}, {}, {}, 0},
        {"no deduction chosen", {"2010", "100"}, {}, {noDeduction}, {true}, 3},
        {"no deduction, skipped", {"2010", "100"}, {TCheckAnswer::Skip}, {noDeduction}, {true}, 0},
        {"securities expenses above the income", {"1530", "100", "307", "150"}, {}, {}, {}, 0},
        {"contract expenses above the income",
         {"2010", "100", "403", "150"},
         {},
         {exceeds},
         {false},
         4},
        {"refused deduction answered with Пропустить",
         {"2010", "100", "403", "150"},
         {TCheckAnswer::Skip, TCheckAnswer::SkipAll},
         {exceeds},
         {false},
         4},
        {"contract expenses within the income", {"2010", "100", "403", "100"}, {}, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TScript script;
        TfmInput13Income dialog(nullptr, false);
        dialog.show();
        Fill(script, dialog, c.entry);
        script.dialogs.checkAnswers = c.answers;
        EXPECT_EQ(dialog.CheckLine(), c.result);
        EXPECT_EQ(script.dialogs.CheckMessages(), c.messages);
        ASSERT_EQ(script.dialogs.checks.size(), c.canSkip.size());
        for (size_t i = 0; i < c.canSkip.size(); ++i) {
            EXPECT_EQ(script.dialogs.checks[i].section, kSection);
            EXPECT_EQ(script.dialogs.checks[i].canSkip, c.canSkip[i]);
            EXPECT_FALSE(script.dialogs.checks[i].canSkipAll);
        }
    }
}

// The real check window: closing it where "Пропустить" is not offered is
// "Исправить", so a deduction above the income stays in the dialog.
TEST(ThirteenLineDialog, ClosingTheCheckWindowDoesNotSlipPastIt) {
    TfmInput13Income dialog(nullptr, false);
    {
        TScript script;
        Fill(script, dialog, {"2010", "100", "403", "150"});
    }
    QStringList closed;
    std::function<void()> closeWindow = [&] {
        auto* window = qobject_cast<TfmCheckError*>(QApplication::activeModalWidget());
        if (!window) {
            QTimer::singleShot(10, closeWindow);
            return;
        }
        closed << window->findChild<QLabel*>("lbMessage")->text();
        window->reject();
    };
    QTimer::singleShot(0, closeWindow);
    EXPECT_EQ(dialog.CheckLine(), 4);
    EXPECT_EQ(closed, QStringList{"Сумма вычета превышает сумму дохода"});
}

// The deduction amount follows the row chosen and the income typed.
TEST(ThirteenLineDialog, DeductionAmountFollowsRowAndIncome) {
    TScript script;
    {
        // Gifts: the amount is the income up to the cap of 4000.
        TfmInput13Income dialog(nullptr, false);
        dialog.show();
        Fill(script, dialog, {"2720", "6000", "501"});
        EXPECT_EQ(dialog.meSubtractSum->text(), "4000");
        Retype(dialog.meSubtractSum, "5000");
        EXPECT_EQ(dialog.meSubtractSum->text(), "4000");
        Retype(dialog.meIncomeSum, "3000");
        EXPECT_EQ(dialog.meSubtractSum->text(), "3000");
        const mTSourseIncome line = dialog.Line();
        EXPECT_EQ(line.IncomeCode, 2720u);
        EXPECT_EQ(line.DeductCode, 501u);
        EXPECT_EQ(line.DeductSum, Money::Rubles(3000));
        EXPECT_EQ(line.Month, 1) << "an empty month is January";
    }
    {
        // An author's fee: a share of the income that the user cannot type over.
        TfmInput13Income dialog(nullptr, false);
        dialog.show();
        Fill(script, dialog, {"2206", "1000", "405"});
        EXPECT_EQ(dialog.meSubtractSum->text(), "250");
        EXPECT_TRUE(dialog.meSubtractSum->isReadOnly());
        Retype(dialog.meIncomeSum, "2000,10");
        EXPECT_EQ(dialog.meSubtractSum->text(), "500,03");
        EXPECT_EQ(dialog.Line().DeductPercent, 25u);
        // Another income code forgets the deduction.
        Fill(script, dialog, {"2010"});
        EXPECT_TRUE(dialog.pnlSubtractCod->text().isEmpty());
        EXPECT_TRUE(dialog.meSubtractSum->text().isEmpty());
        EXPECT_TRUE(dialog.meIncomeSum->text().isEmpty());
        EXPECT_EQ(dialog.Line().DeductPercent, 0u);
    }
    {
        // A stored line with a share: the amount is computed again on opening.
        TfmInput13Income dialog(nullptr, false);
        dialog.Load({2201, "x", Money::Rubles(1000), 405, Money::Rubles(1), 20, 7});
        EXPECT_EQ(dialog.meSubtractSum->text(), "200");
        EXPECT_EQ(dialog.mePropSale->text(), "7");
        EXPECT_EQ(dialog.pnlSubtractCod->text(), "405");
    }
}

TEST(ThirteenLineDialog, MonthIsKeptWithinTheYear) {
    const std::pair<const char*, const char*> cases[] = {
        {"15", "12"}, {"0", "1"}, {"7", "7"}, {"12", "12"}, {"13", "12"}};
    TScript script;
    for (const auto& [typed, shown] : cases) {
        TfmInput13Income dialog(nullptr, false);
        EXPECT_FALSE(dialog.mePropSale->isEnabled()) << "no code chosen yet";
        Fill(script, dialog, {"2000", "100"});
        EXPECT_TRUE(dialog.mePropSale->isEnabled());
        Type(dialog.mePropSale, typed);
        EXPECT_EQ(dialog.mePropSale->text(), shown) << typed;
        EXPECT_EQ(dialog.Line().Month, QString(shown).toUInt());
    }
}

// The lists each mode offers and the deduction controls of the codes.
TEST(ThirteenLineDialog, ResidentAndNonResidentModes) {
    TScript script;
    {
        TfmInput13Income dialog(nullptr, false);
        Fill(script, dialog, {"2000"});
        ASSERT_FALSE(script.offeredIncome.isEmpty());
        for (const QString& code : script.offeredIncome)
            EXPECT_EQ(IncomeRate(code.toUInt()), 13) << code.toStdString();
        EXPECT_FALSE(dialog.bnSubtractCod->isEnabled()) << "salary has no deductions";
        Fill(script, dialog, {"1510"});
        EXPECT_TRUE(dialog.bnSubtractCod->isEnabled());
        Fill(script, dialog, {"", "", "0"});
        EXPECT_EQ(script.offeredDeduct, (QStringList{"901", "902", "903", "0"}));
    }
    {
        TfmInput13Income dialog(nullptr, true);
        EXPECT_FALSE(dialog.mePropSale->isEnabled());
        Fill(script, dialog, {"1510", "1000"});
        EXPECT_EQ(script.offeredIncome.size(), qsizetype(IncomeCodes().size()));
        EXPECT_FALSE(dialog.bnSubtractCod->isEnabled()) << "a sale is not deductible";
        EXPECT_FALSE(dialog.mePropSale->isEnabled());
        EXPECT_TRUE(dialog.mePropSale->text().isEmpty());
        EXPECT_EQ(dialog.Line().Month, 1);
        Fill(script, dialog, {"2720", "6000", "0"});
        EXPECT_TRUE(dialog.bnSubtractCod->isEnabled());
        EXPECT_EQ(script.offeredDeduct, (QStringList{"501", "0"}));
        // A stored line shows its deduction as it is, neither capped nor computed.
        dialog.Load({2720, "Подарки", Money::Rubles(6000), 501, Money::Rubles(5000), 0, 1});
        EXPECT_EQ(dialog.meSubtractSum->text(), "5000");
        EXPECT_FALSE(dialog.meSubtractSum->isReadOnly());
    }
}

// Payers: add, edit, delete; the modified notice with every change; the
// selection after a removal, none after the last one.
TEST(ThirteenPage, PayersAddEditDelete) {
    TPage p(WithPayers({{"А", {100}}, {"Б", {200, 300}}}));
    TScript script;
    QTreeWidget* payers = p.page->lvSourseIncomeInfo;
    ASSERT_EQ(payers->topLevelItemCount(), 2);
    EXPECT_EQ(SelectedRow(payers), 0) << "the hub selects the first payer";
    EXPECT_EQ(p.page->pnlItogIncomeSum->text(), "100,00");

    script.payer = [](TfmInput13SourseIncome& d) {
        d.meSourseName->setText("ООО \"Ромашка\"");
        d.meINN->setText("1234567894");
        d.meKPP->setText("770501001");
        d.meOKATO->setText("45286560000");
        d.chbPrimaryWorkplase->setChecked(true);
        return PressYes(d, d.bnOk);
    };
    p.page->fbAddSourseIncome->click();
    ASSERT_EQ(p.Decl().ThirteenPercentCount(), 3u);
    EXPECT_EQ(p.Payer(2).SourceName, "ООО \"Ромашка\"");
    EXPECT_EQ(p.Payer(2).INN, "1234567894");
    EXPECT_EQ(p.Payer(2).IsPrimaryWorkplace, 1);
    EXPECT_EQ(SelectedRow(payers), 2);
    EXPECT_EQ(p.page->lvIncome->topLevelItemCount(), 0);
    EXPECT_GT(p.modified, 0);

    // The dialog opens on the payer's data; a blank name changes nothing.
    QString shownName;
    script.payer = [&](TfmInput13SourseIncome& d) {
        shownName = d.meSourseName->text();
        d.meSourseName->setText("   ");
        return true;
    };
    QTest::keyClick(payers, Qt::Key_Return);
    EXPECT_EQ(shownName, "ООО \"Ромашка\"");
    EXPECT_EQ(p.Payer(2).SourceName, "ООО \"Ромашка\"");
    script.payer = [](TfmInput13SourseIncome& d) {
        d.meSourseName->setText("ООО \"Лютик\"");
        return true;
    };
    const int before = p.modified;
    p.page->fbEditSourseIncome->click();
    EXPECT_EQ(p.Payer(2).SourceName, "ООО \"Лютик\"");
    EXPECT_EQ(payers->topLevelItem(2)->text(0), "ООО \"Лютик\"");
    EXPECT_GT(p.modified, before) << "an edited payer marks the document modified";

    // Deleting selects the row before; the first when the first went.
    p.page->fbDeleteSourseIncome->click();
    EXPECT_EQ(SelectedRow(payers), 1);
    EXPECT_EQ(p.page->pnlItogIncomeSum->text(), "500,00");
    SelectRow(payers, 0);
    QTest::keyClick(payers, Qt::Key_Delete);
    ASSERT_EQ(p.Decl().ThirteenPercentCount(), 1u);
    EXPECT_EQ(p.Payer(0).SourceName, "Б");
    EXPECT_EQ(SelectedRow(payers), 0);
    // The last one: nothing is selected and nothing is left to touch.
    p.page->fbDeleteSourseIncome->click();
    EXPECT_EQ(p.Decl().ThirteenPercentCount(), 0u);
    EXPECT_EQ(SelectedRow(payers), -1);
    EXPECT_FALSE(p.page->fbAddIncome->isEnabled());
    EXPECT_TRUE(p.page->pnlItogIncomeSum->text().isEmpty());
    p.page->fbDeleteSourseIncome->click();
    p.page->fbEditSourseIncome->click();
    p.page->fbAddIncome->click();
    p.page->StoreToModel();
    EXPECT_EQ(p.Decl().ThirteenPercentCount(), 0u);
    EXPECT_EQ(script.dialogs.ran.size(), 3u) << "add, edit twice; nothing without a payer";
}

// Lines: add, edit, repeat, delete; the row texts, the payer's total.
TEST(ThirteenPage, LinesAddEditRepeatDelete) {
    TPage p(WithPayers({{"А", {100}}, {"Б", {}}}));
    TScript script;
    QTreeWidget* lines = p.page->lvIncome;
    EXPECT_EQ(RowTexts(lines, 0), (QStringList{"1", "2000", "100", "Нет", "-"}));

    script.line = [&](TfmInput13Income& d) {
        Fill(script, d, {"2010", "1500", "403", "500", "5"});
        return PressYes(d, d.bnYes);
    };
    p.page->fbAddIncome->click();
    ASSERT_EQ(p.Payer(0).IncomeCount(), 2u);
    EXPECT_EQ(p.Payer(0).Income(1).IncomeSum, Money::Rubles(1500));
    EXPECT_EQ(p.Payer(0).Income(1).DeductCode, 403u);
    EXPECT_EQ(p.Payer(0).Income(1).DeductSum, Money::Rubles(500));
    EXPECT_EQ(p.Payer(0).Income(1).Month, 5);
    EXPECT_EQ(RowTexts(lines, 1), (QStringList{"5", "2010", "1500", "403", "500"}));
    EXPECT_EQ(SelectedRow(lines), 1);
    EXPECT_EQ(p.page->pnlItogIncomeSum->text(), QString::fromUtf8(u8"1\u202F600,00"));

    // Repeating: the next month, the same codes and amounts.
    p.page->fbCopy->click();
    ASSERT_EQ(p.Payer(0).IncomeCount(), 3u);
    mTSourseIncome expected = p.Payer(0).Income(1);
    expected.Month = 6;
    EXPECT_EQ(p.Payer(0).Income(2), expected);
    EXPECT_EQ(p.page->pnlItogIncomeSum->text(), QString::fromUtf8(u8"3\u202F100,00"));
    EXPECT_EQ(SelectedRow(lines), 2);

    // A line without deduction: "Нет" and "-" right after the change, "0"
    // when the list is filled again.
    script.line = [&](TfmInput13Income& d) {
        Retype(d.meIncomeSum, "0");
        d.meIncomeSum->clear();
        Type(d.meIncomeSum, "700");
        return PressYes(d, d.bnYes);
    };
    SelectRow(lines, 0);
    const int before = p.modified;
    QTest::keyClick(lines, Qt::Key_Return);
    EXPECT_GT(p.modified, before) << "an edited line marks the document modified";
    EXPECT_EQ(p.Payer(0).Income(0).IncomeSum, Money::Rubles(700));
    EXPECT_EQ(RowTexts(lines, 0), (QStringList{"1", "2000", "700", "Нет", "-"}));
    EXPECT_EQ(p.page->pnlItogIncomeSum->text(), QString::fromUtf8(u8"3\u202F700,00"));
    SelectRow(p.page->lvSourseIncomeInfo, 1);
    SelectRow(p.page->lvSourseIncomeInfo, 0);
    EXPECT_EQ(RowTexts(lines, 0), (QStringList{"1", "2000", "700", "Нет", "-"}))
        << "a line reads the same when shown again";

    // December repeated stays in December.
    script.line = [&](TfmInput13Income& d) {
        Retype(d.mePropSale, "12");
        return PressYes(d, d.bnYes);
    };
    SelectRow(lines, 2);
    p.page->fbEditIncome->click();
    p.page->fbCopy->click();
    EXPECT_EQ(p.Payer(0).Income(3).Month, 12);

    // Deleting selects the row before; after the last line none is selected.
    SelectRow(lines, 0);
    QTest::keyClick(lines, Qt::Key_Delete);
    EXPECT_EQ(SelectedRow(lines), 0);
    EXPECT_EQ(p.Payer(0).IncomeCount(), 3u);
    while (lines->topLevelItemCount() > 0) p.page->fbRemoveIncome->click();
    EXPECT_EQ(p.Payer(0).IncomeCount(), 0u);
    EXPECT_EQ(SelectedRow(lines), -1);
    EXPECT_EQ(p.page->pnlItogIncomeSum->text(), "0,00");
    const size_t ran = script.dialogs.ran.size();
    p.page->fbRemoveIncome->click();
    p.page->fbEditIncome->click();
    p.page->fbCopy->click();
    EXPECT_EQ(script.dialogs.ran.size(), ran) << "no line, no command";

    // A dialog closed with "Нет" adds nothing.
    script.line = [](TfmInput13Income&) { return false; };
    p.page->fbAddIncome->click();
    EXPECT_EQ(p.Payer(0).IncomeCount(), 0u);
}

// The totals typed go to the payer when the selection moves and when the page
// is stored; an untouched field keeps even a value that could not be typed.
TEST(ThirteenPage, TotalsAreStored) {
    mTDeclaration d = WithPayers({{"А", {100}}, {"Б", {200}}});
    d.ThirteenPercent(1).TaxableIncome = Money::Parse("1234.5678", '.').value();
    d.ThirteenPercent(1).TaxWithheld = Money::Parse("26.5", '.').value();
    TPage p(std::move(d));
    Type(p.page->meHoldSum, "13");
    Type(p.page->meObl, "100,5");
    Type(p.page->meTaxIsch, "13");
    EXPECT_GT(p.modified, 0);
    SelectRow(p.page->lvSourseIncomeInfo, 1);
    EXPECT_EQ(p.Payer(0).TaxWithheld, Money::Rubles(13));
    EXPECT_EQ(p.Payer(0).TaxableIncome, Money::Parse("100.5", '.').value());
    EXPECT_EQ(p.Payer(0).TaxComputed, Money::Rubles(13));
    // A text the program sets is shown as set, although it could not be typed.
    EXPECT_EQ(p.page->meHoldSum->text(), "26,5");
    EXPECT_EQ(p.page->meObl->text(), "1234,5678");
    p.page->StoreToModel();
    EXPECT_EQ(p.Payer(1).TaxableIncome, Money::Parse("1234.5678", '.').value());
    EXPECT_EQ(p.Payer(1).TaxWithheld, Money::Parse("26.5", '.').value());
    Retype(p.page->meTaxIsch, "35");
    p.page->StoreToModel();
    EXPECT_EQ(p.Payer(1).TaxComputed, Money::Rubles(35));
}

// Leaving the page is refused while a payer's tax withheld exceeds its
// income, until the user skips the problem; the payer is selected.
TEST(ThirteenPage, PayerWithTaxAboveIncomeBlocksLeaving) {
    const mTDeclaration d = WithPayers({{"А", {100}, 13}, {"Б", {200}, 300}, {"В", {10}, 20}});
    ScriptedDialogs dialogs;
    zorv::testing::TempDir dir;
    d.SaveToFile(dir.File("doc.zv8"));
    TFormMain form(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    form.Start({QString::fromStdString(dir.File("doc.zv8"))});
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.NavButton(navRussianIncome)->click();
    auto* page = form.CurrentPage()->findChild<TfrThirteenPercent*>();
    ASSERT_NE(page, nullptr);

    form.NavButton(navNalog)->click();
    EXPECT_EQ(form.CurrentPageKind(), navRussianIncome);
    ASSERT_EQ(dialogs.checks.size(), 1u);
    EXPECT_EQ(dialogs.checks[0].section, "Доходы, облагаемые ставкой 13%");
    EXPECT_EQ(dialogs.checks[0].message,
              "По данному источнику выплаты общая сумма дохода меньше удержанной суммы");
    EXPECT_TRUE(dialogs.checks[0].canSkip);
    EXPECT_EQ(SelectedRow(page->lvSourseIncomeInfo), 1);
    EXPECT_TRUE(page->lvSourseIncomeInfo->hasFocus());

    // "Пропустить" ends the check: the third payer is not asked about.
    dialogs.checkAnswers = {TCheckAnswer::Skip};
    form.NavButton(navNalog)->click();
    EXPECT_EQ(form.CurrentPageKind(), navNalog);
    EXPECT_EQ(dialogs.checks.size(), 2u);
}

// At 1000 payers, or 1000 lines of a payer, adding and repeating add nothing
// and say why.
TEST(ThirteenPage, ThousandEntriesAtMost) {
    mTDeclaration d = WithPayers({{"А", {}}});
    mTThirteenPercent& first = d.ThirteenPercent(0);
    for (int i = 0; i < 1000; ++i)
        first.AddIncome({2000, "Заработная плата", Money::Rubles(1), 0, Money(), 0, 1});
    while (d.ThirteenPercentCount() < 1000) d.AddThirteenPercent();
    TPage p(std::move(d));
    TScript script;
    script.payer = [](TfmInput13SourseIncome&) { return true; };
    script.line = [](TfmInput13Income&) { return true; };

    p.page->fbAddSourseIncome->click();
    QTest::keyClick(p.page->lvSourseIncomeInfo, Qt::Key_Insert);
    p.page->fbAddIncome->click();
    p.page->fbCopy->click();
    EXPECT_EQ(p.Decl().ThirteenPercentCount(), 1000u);
    EXPECT_EQ(p.Payer(0).IncomeCount(), 1000u);
    EXPECT_TRUE(script.dialogs.ran.empty());
    const QString payers = QStringLiteral("Можно ввести не более 1000 источников выплат.");
    const QString lines =
        QStringLiteral("Можно ввести не более 1000 доходов по одному источнику выплат.");
    EXPECT_EQ(script.dialogs.messages, (std::vector<QString>{payers, payers, lines, lines}));
    EXPECT_EQ(p.modified, 0);

    // One line less: the repeat goes in, and then the list is full again.
    p.page->fbRemoveIncome->click();
    p.page->fbCopy->click();
    p.page->fbCopy->click();
    EXPECT_EQ(p.Payer(0).IncomeCount(), 1000u);
    EXPECT_EQ(script.dialogs.messages.size(), 5u);
}

// Visiting the page and leaving it without an edit leaves the document as it
// was, byte for byte: the counters of supporting documents as well, with
// payers or without, and values that the fields cannot show.
TEST(ThirteenPage, VisitWithoutEditChangesNothing) {
    mTDeclaration mixed = Mixed();
    mixed.AppendixCountD = 2;
    mixed.AppendixCountJ = 3;
    mixed.AppendixCountE = 4;
    mixed.AppendixCountZ = 5;
    mixed.AppendixCountI = 6;
    mixed.AppendixCountG = 12345;
    mixed.ThirteenPercent(1).TaxableIncome = Money::Parse("10000.1234", '.').value();
    mixed.ThirteenPercent(0).TaxWithheld = Money::Parse("31200.5", '.').value();
    mTDeclaration empty = WithPayers({});
    empty.AppendixCountI = 7;
    empty.AppendixCountG = 8;
    empty.AppendixCountD = 9;
    mTDeclaration nonResident = Mixed();
    nonResident.DeclarationKind = kNonResident3NDFL;
    for (const mTDeclaration* d : {&mixed, &empty, &nonResident}) {
        const std::vector<uint8_t> before = d->BuildImage();
        TPage p(*d);
        const int payers = p.page->lvSourseIncomeInfo->topLevelItemCount();
        for (int i = payers - 1; i >= 0; --i) SelectRow(p.page->lvSourseIncomeInfo, i);
        p.hub->StoreToModel();
        EXPECT_EQ(p.hub->Validate(), 0);
        EXPECT_TRUE(p.Decl().BuildImage() == before);
        EXPECT_EQ(p.modified, 0);
    }
}
