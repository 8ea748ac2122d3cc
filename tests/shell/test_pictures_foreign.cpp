#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QTreeWidget>

#include "fixtures.h"
#include "model/jsonform.h"
#include "pages/businesspage.h"
#include "pages/currencypage.h"
#include "shell/formmain.h"
#include "shelltest.h"
#include "tempdir.h"
#include "widgets/flashbutton.h"
#include "widgets/maskededit.h"

using namespace zorv;

namespace {

const QString kData = QStringLiteral(ZORV_SOURCE_DIR "/data");

void Save(QWidget& widget, const QString& name) {
    const QString folder = QStringLiteral(ZORV_BINARY_DIR "/shell-pictures");
    QDir().mkpath(folder);
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(folder + "/" + name + ".png")) << name.toStdString();
}

// A resident with a dividend and a salary from abroad, a pound income at a
// typed rate, and an entrepreneur with confirmed expenses and a lawyer.
Json Fixture() {
    Json d = Json::parse(R"({
      "DeclarationKind": 0, "IncomeFlags": 7,
      "AdvanceAccrued": "30000", "AdvanceActual": "25000",
      "CurrencyIncomeList": [
        {"SourceName": "Dividend Corp", "CountryCode": "840", "CurrencyCode": "840",
         "CurrencyName": "Доллар США", "AutoRates": 1, "IncomeDate": "15.01.2008",
         "TaxDate": "15.01.2008", "IncomeUnits": 1, "IncomeRate1": "24.2913", "TaxUnits": 1,
         "TaxRate1": "24.2913", "IncomeCode": 1010, "IncomeRate": 9,
         "IncomeInCurrency": "1000", "TaxInCurrency": "50"},
        {"SourceName": "Euro Employer GmbH", "CountryCode": "276", "CurrencyCode": "978",
         "CurrencyName": "Евро", "AutoRates": 1, "IncomeDate": "10.06.2008",
         "TaxDate": "01.07.2008", "IncomeUnits": 1, "IncomeRate1": "37.142", "TaxUnits": 1,
         "TaxRate1": "36.971", "IncomeCode": 2000, "IncomeRate": 13,
         "IncomeInCurrency": "3000.5", "TaxInCurrency": "600"},
        {"SourceName": "London Ltd", "CountryCode": "826", "CurrencyCode": "826",
         "CurrencyName": "Фунт стерлингов", "IncomeUnits": 1, "IncomeRate1": "48.9421",
         "TaxUnits": 1, "TaxRate1": "48.9421", "IncomeCode": 2000, "IncomeRate": 13,
         "IncomeInCurrency": "500"}],
      "BusinessList": [
        {"ActivityKind": "1", "ActivityCode": "52.47", "HasConfirmedExpenses": 1,
         "Income": "900000", "ExpenseItems": ["400000", "150000", "50000", "120000", "100000",
         "80000", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]},
        {"ActivityKind": "3", "ActivityCode": "", "HasConfirmedExpenses": 0,
         "Income": "123456.78", "ExpenseTotal": "24691.36"}]
    })");
    Json employee = zorv::testing::ReadFixtureJson("export/employee.json");
    for (auto& [key, value] : d.items()) employee[key] = value;
    return employee;
}

}  // namespace

TEST(Pictures, ForeignCurrencyAndBusinessPages) {
    zorv::testing::ScriptedDialogs dialogs;
    mTDeclaration d;
    DeclarationFromJson(Fixture(), d);
    zorv::testing::TempDir dir;
    d.SaveToFile(dir.File("walk.zv8"));
    TFormMain form(kData);
    form.Start({QString::fromStdString(dir.File("walk.zv8"))});
    // The two activities mix the expense modes: the page's check is skipped.
    dialogs.checkAnswers.assign(8, TCheckAnswer::SkipAll);
    for (QSize size : {QSize(1024, 600), QSize(1280, 800)}) {
        const QString suffix = QStringLiteral("-%1x%2").arg(size.width()).arg(size.height());
        form.resize(size);
        form.NavButton(navForeignIncome)->click();
        auto* currency = qobject_cast<TfrCurrency*>(form.CurrentPage());
        ASSERT_NE(currency, nullptr);
        Save(form, "main-currency-usd" + suffix);
        currency->List()->setCurrentItem(currency->List()->topLevelItem(2));
        Save(form, "main-currency-typed-rate" + suffix);
        form.NavButton(navBusinessIncome)->click();
        auto* business = qobject_cast<TfrBusinessNew*>(form.CurrentPage());
        ASSERT_NE(business, nullptr);
        Save(form, "main-business-confirmed" + suffix);
        business->List()->setCurrentItem(business->List()->topLevelItem(1));
        Save(form, "main-business-norm" + suffix);
    }

    TfmInputCurrencySourseIncome source(nullptr, form.Context().references.countries);
    source.meSourseName->setText("Euro Employer GmbH");
    source.meGos->setText("276");
    Save(source, "dialog-currency-source");
    const TRateTable rates = TRateTable::Parse(form.Context().references.rateXml);
    TfmInputCurrencyCode currencies(nullptr, rates, "978");
    Save(currencies, "lookup-currencies");
    const TOkvedTable okved = TOkvedTable::Parse(form.Context().references.activityXml);
    TfmInputBusinessIncome activity(nullptr, okved);
    activity.SetCode("52.47");
    Save(activity, "dialog-activity");
    TfmInputBusinessIncome typed(nullptr, TOkvedTable());
    typed.SetCode("52.48.2");
    Save(typed, "dialog-activity-without-classification");
    TFormOKVED cascade(nullptr, okved);
    cascade.List(1)->setCurrentIndex(cascade.List(1)->findText(
        "ОПТОВАЯ И РОЗНИЧНАЯ ТОРГОВЛЯ; РЕМОНТ АВТОТРАНСПОРТНЫХ СРЕДСТВ, МОТОЦИКЛОВ, БЫТОВЫХ "
        "ИЗДЕЛИЙ И ПРЕДМЕТОВ ЛИЧНОГО ПОЛЬЗОВАНИЯ"));
    cascade.List(2)->setCurrentIndex(2);
    cascade.List(3)->setCurrentIndex(1);
    Save(cascade, "dialog-okved");
}
