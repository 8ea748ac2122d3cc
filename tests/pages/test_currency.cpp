#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QTreeWidget>

#include "model/income.h"
#include "pages/currencypage.h"
#include "shell/shelltest.h"
#include "widgets/lookups.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::Type;

namespace {

// USD with two rates in January, a currency quoted per 100 units.
const QString kRates = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<CurrencyRates>"
    "<Currency Code=\"840\" Name=\"Доллар США\" Quantity=\"1\">"
    "<Rate Date=\"09.01.2008\" Rate=\"23,50\"/>"
    "<Rate Date=\"15.01.2008\" Rate=\"24,3724\"/>"
    "</Currency>"
    "<Currency Code=\"392\" Name=\"Японская иена\" Quantity=\"100\">"
    "<Rate Date=\"09.01.2008\" Rate=\"21,9650\"/>"
    "</Currency>"
    "</CurrencyRates>");

}  // namespace

TEST(RateTable, TakesTheDayOrTheLastEarlierRate) {
    const TRateTable table = TRateTable::Parse(kRates);
    ASSERT_TRUE(table.Loaded());
    struct Case {
        const char* what;
        const char* code;
        QDate day;
        const char* rate;  // nullptr: none found
        QDate taken;
        uint32_t units;
    } cases[] = {
        {"exact day", "840", QDate(2008, 1, 15), "24,3724", QDate(2008, 1, 15), 1},
        {"last earlier day", "840", QDate(2008, 1, 12), "23,50", QDate(2008, 1, 9), 1},
        {"before the first entry", "840", QDate(2008, 1, 5), nullptr, {}, 0},
        {"beyond the file", "840", QDate(2008, 2, 1), nullptr, {}, 0},
        {"two weeks on", "840", QDate(2008, 1, 29), "24,3724", QDate(2008, 1, 15), 1},
        {"quoted per 100", "392", QDate(2008, 1, 10), "21,9650", QDate(2008, 1, 9), 100},
        {"currency missing", "826", QDate(2008, 1, 15), nullptr, {}, 0},
        {"no code", "", QDate(2008, 1, 15), nullptr, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto found = table.Lookup(c.code, c.day);
        ASSERT_EQ(found.has_value(), c.rate != nullptr);
        if (!found) continue;
        EXPECT_EQ(found->rate, c.rate);
        EXPECT_EQ(found->date, c.taken);
        EXPECT_EQ(found->units, c.units);
    }
}

TEST(RateTable, MissingOrMalformedFileFindsNothing) {
    for (const QString& text : {QString(), QStringLiteral("<CurrencyRates><Currency Code=\"840\">"),
                                QStringLiteral("not xml"), QStringLiteral("<CurrencyRates/>")}) {
        QString error;
        const TRateTable table = TRateTable::Parse(text, &error);
        EXPECT_FALSE(table.Loaded()) << text.toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(table.Lookup("840", QDate(2008, 1, 15)));
    }
    // An entry with an unreadable date or rate is passed over.
    const TRateTable table = TRateTable::Parse(QStringLiteral(
        "<R><C Code=\"840\" Name=\"x\" Quantity=\"1\"><E Date=\"9.1.08\" Rate=\"1,0\"/>"
        "<E Date=\"10.01.2008\" Rate=\"abc\"/><E Date=\"11.01.2008\" Rate=\"24,1\"/></C></R>"));
    EXPECT_EQ(table.Lookup("840", QDate(2008, 1, 12))->rate, "24,1");
    EXPECT_FALSE(table.Lookup("840", QDate(2008, 1, 10)));
}

// The rubles shown are the rubles the record stores, whatever the rounding.
TEST(CurrencyRubles, ShownAsStored) {
    struct Case {
        const char *amount, *units, *rate, *shown;
    } cases[] = {
        {"1000", "1", "24,37", "24370"},     {"150,55", "100", "34,56", "52,03"},
        {"0,5", "1", "0,01", "0,01"},        {"1,15", "10", "0,5", "0,06"},
        {"100", "0", "24,3724", "0"},        {"", "1", "24", "0"},
        {"12,34", "1", "31,5678", "389,55"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(RublesText(c.amount, c.units, c.rate), c.shown);
        mTCurrencyIncome record;
        record.IncomeUnits = NumberFromField(c.units);
        record.IncomeRate1 = MoneyFromField(c.rate);
        record.SetIncomeInCurrency(MoneyFromField(c.amount));
        EXPECT_EQ(MoneyText(record.IncomeInRubles), c.shown);
    }
}

namespace {

struct Page {
    Page() {
        ctx.references.rateXml = kRates;
        ctx.Decl().SetIncomeFlags(kIncomeForeign);
    }
    TfrCurrency* Open() {
        page = std::make_unique<TfrCurrency>(ctx, nullptr);
        return page.get();
    }
    void AddSource(const QString& name) {
        dialogs.run = [name](QDialog& d) {
            d.findChild<TMaskedEdit*>("meSourseName")->setText(name);
            return true;
        };
        page->AddRecord();
    }
    ScriptedDialogs dialogs;
    TShellContext ctx;
    std::unique_ptr<TfrCurrency> page;
};

}  // namespace

TEST(CurrencyPage, RatesOfTheFileFollowTheDateWithFourDecimals) {
    Page p;
    TfrCurrency* page = p.Open();
    p.AddSource("ACME");
    EXPECT_FALSE(page->chbAutoExchange->isEnabled()) << "no currency yet";
    page->dtIncomeGetDate->setDate(QDate(2008, 1, 9));
    page->dtSubtractDate->setDate(QDate(2008, 1, 9));
    Type(page->meCurrencyCode, "840");
    ASSERT_TRUE(page->chbAutoExchange->isEnabled());
    page->chbAutoExchange->click();
    EXPECT_EQ(page->meCurrencyExchange->text(), "23,50");
    EXPECT_TRUE(page->meCurrencyExchange->isReadOnly());
    page->pnlIncomeCod->setText("2000");
    page->meIncomeCurrencySum->setEnabled(true);
    Type(page->meIncomeCurrencySum, "1000");
    EXPECT_EQ(page->pnlIncomeRublSum->text(), "23500");
    page->dtIncomeGetDate->setDate(QDate(2008, 1, 15));
    EXPECT_EQ(page->meCurrencyExchange->text(), "24,3724");
    EXPECT_EQ(page->pnlIncomeRublSum->text(), "24372,4");
    EXPECT_EQ(page->lbIncomeRate->text(), "курс ЦБ РФ на 15.01.2008: 24,3724 за 1");
    page->StoreToModel();
    EXPECT_EQ(p.ctx.Decl().CurrencyIncome(0).IncomeRate1, Money::FromRaw(243724));

    // A date before the file's first rate: the rate is typed.
    page->dtIncomeGetDate->setDate(QDate(2008, 1, 5));
    EXPECT_FALSE(page->chbAutoExchange->isEnabled());
    EXPECT_FALSE(page->meCurrencyExchange->isReadOnly());
    EXPECT_EQ(page->lbIncomeRate->text(), "На эту дату курса в справочнике нет: введите курс");
}

TEST(CurrencyPage, AStoredRateOfFourDecimalsSurvivesSelection) {
    Page p;
    mTDeclaration& d = p.ctx.Decl();
    for (const char* name : {"A", "B"}) {
        mTCurrencyIncome& c = d.CurrencyIncome(d.AddCurrencyIncome());
        c.SourceName = name;
        c.CurrencyCode = "826";
        c.CurrencyName = "Фунт";
        c.IncomeUnits = 1;
        c.IncomeRate1 = Money::FromRaw(315678);
        c.IncomeCode = 2000;
        c.SetIncomeInCurrency(Money::Rubles(12));
    }
    int notices = 0;
    QObject::connect(&p.ctx, &TShellContext::modified, [&] { ++notices; });
    TfrCurrency* page = p.Open();
    EXPECT_EQ(page->meCurrencyExchange->text(), "31,5678");
    page->List()->setCurrentItem(page->List()->topLevelItem(1));
    page->List()->setCurrentItem(page->List()->topLevelItem(0));
    EXPECT_EQ(notices, 0) << "selecting is no change";
    Type(page->meTaxCurrencySum, "1");
    EXPECT_EQ(notices, 1);
    page->meTaxCurrencySum->clear();
    page->StoreToModel();
    EXPECT_EQ(d.CurrencyIncome(0).IncomeRate1, Money::FromRaw(315678));
    EXPECT_EQ(d.CurrencyIncome(1).IncomeRate1, Money::FromRaw(315678));
    EXPECT_EQ(d.CurrencyIncome(0).IncomeInRubles, Money::FromRaw(3788100));
}

TEST(CurrencyPage, LookingAtARecordLeavesItsRublesAlone) {
    // Rubles given without a currency amount or rate, as a JSON file may hold them.
    Page p;
    mTDeclaration& d = p.ctx.Decl();
    mTCurrencyIncome& c = d.CurrencyIncome(d.AddCurrencyIncome());
    c.SourceName = "Foreign Bank";
    c.IncomeCode = 2610;
    c.IncomeRate = 35;
    c.IncomeInRubles = Money::Rubles(2000);
    c.TaxInRubles = Money::Rubles(100);
    TfrCurrency* page = p.Open();
    page->StoreToModel();
    EXPECT_EQ(d.CurrencyIncome(0).IncomeInRubles, Money::Rubles(2000));
    EXPECT_EQ(d.CurrencyIncome(0).TaxInRubles, Money::Rubles(100));

    // Typing a rate and an amount works the rubles out again.
    Type(page->meCurrencyUnits, "1");
    Type(page->meCurrencyExchange, "30");
    Type(page->meIncomeCurrencySum, "10");
    page->StoreToModel();
    EXPECT_EQ(d.CurrencyIncome(0).IncomeInRubles, Money::Rubles(300));
    EXPECT_EQ(d.CurrencyIncome(0).TaxInRubles, Money::Rubles(100)) << "the tax was not touched";
}

TEST(CurrencyPage, CheckReportsTheFirstRuleOfTheFirstRecord) {
    struct Case {
        const char* what;
        std::function<void(mTCurrencyIncome&)> edit;
        const char* message;  // nullptr: no window
    } cases[] = {
        {"complete", [](mTCurrencyIncome&) {}, nullptr},
        {"no currency", [](mTCurrencyIncome& c) { c.CurrencyCode.clear(); },
         "По данному источнику выплаты не указан код валюты"},
        {"no rate", [](mTCurrencyIncome& c) { c.IncomeRate1 = Money(); },
         "По данному источнику выплаты не указан курс валюты"},
        {"no income code", [](mTCurrencyIncome& c) { c.IncomeCode = 0; },
         "По данному источнику выплаты не указан код дохода"},
        {"no amount", [](mTCurrencyIncome& c) { c.IncomeInCurrency = Money(); },
         "По данному источнику выплаты не указана сумма дохода"},
        {"no deduction amount",
         [](mTCurrencyIncome& c) {
             c.IncomeCode = 2720;
             c.DeductCode = 501;
             c.DeductSum = Money();
         },
         "По данному источнику выплаты не указана сумма вычета"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Page p;
        mTDeclaration& d = p.ctx.Decl();
        mTCurrencyIncome& r = d.CurrencyIncome(d.AddCurrencyIncome());
        r.SourceName = "A";
        r.CurrencyCode = "826";
        r.IncomeUnits = 1;
        r.IncomeRate1 = Money::Rubles(50);
        r.IncomeCode = 2000;
        r.IncomeInCurrency = Money::Rubles(10);
        c.edit(r);
        TfrCurrency* page = p.Open();
        EXPECT_EQ(page->Validate(), c.message ? 1 : 0);
        EXPECT_EQ(p.dialogs.CheckMessages(),
                  c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
        if (c.message) {
            EXPECT_EQ(p.dialogs.checks[0].section, "Доходы в валюте");
        }
    }
}

TEST(CurrencyPage, DeletingTheLastSourceLeavesNothingSelected) {
    Page p;
    TfrCurrency* page = p.Open();
    EXPECT_FALSE(page->gbSourseInfo->isEnabled());
    page->DeleteRecord();  // nothing to delete
    p.AddSource("A");
    EXPECT_TRUE(page->gbSourseInfo->isEnabled());
    p.AddSource("  ");  // an empty name adds nothing
    ASSERT_EQ(p.ctx.Decl().CurrencyIncomeCount(), 1u);
    page->DeleteRecord();
    EXPECT_EQ(p.ctx.Decl().CurrencyIncomeCount(), 0u);
    EXPECT_TRUE(page->List()->selectedItems().isEmpty());
    EXPECT_FALSE(page->gbSourseInfo->isEnabled());
    page->StoreToModel();

    for (int i = 0; i < 1000; ++i) p.ctx.Decl().AddCurrencyIncome();
    page->AddRecord();
    EXPECT_EQ(p.ctx.Decl().CurrencyIncomeCount(), 1000u);
    ASSERT_EQ(p.dialogs.messages.size(), 1u);
    EXPECT_TRUE(p.dialogs.messages[0].startsWith("Можно ввести не более 1000 "));
}

// The deduction follows the rubles of the income: a share of them, or the
// rubles themselves up to the row's cap.
TEST(CurrencyPage, DeductionFollowsTheRubles) {
    struct Case {
        const char *income, *deduction, *amount, *first, *changed, *second;
    } cases[] = {
        {"2720", "501", "5000", "4000", "3000", "3000"},
        {"2201", "405", "10000", "2000", "5000", "1000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.income);
        Page p;
        TfrCurrency* page = p.Open();
        p.AddSource("A");
        Type(page->meCurrencyCode, "826");
        Type(page->meCurrencyUnits, "1");
        Type(page->meCurrencyExchange, "1");
        p.dialogs.run = [&](QDialog& d) { return static_cast<TfmLookup&>(d).Select(c.income); };
        page->PickIncomeCode();
        EXPECT_EQ(page->pnlIncomeCod->text(), c.income);
        Type(page->meIncomeCurrencySum, c.amount);
        p.dialogs.run = [&](QDialog& d) { return static_cast<TfmLookup&>(d).Select(c.deduction); };
        page->PickDeductionCode();
        EXPECT_EQ(page->meSubtractSum->text(), c.first);
        page->meIncomeCurrencySum->selectAll();
        page->meIncomeCurrencySum->del();
        Type(page->meIncomeCurrencySum, c.changed);
        EXPECT_EQ(page->meSubtractSum->text(), c.second);
        page->StoreToModel();
        const mTCurrencyIncome& r = p.ctx.Decl().CurrencyIncome(0);
        EXPECT_EQ(MoneyText(r.DeductSum), c.second);
        EXPECT_EQ(std::to_string(r.DeductCode), c.deduction);
    }
}
