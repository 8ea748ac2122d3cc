// НДФЛ3: bases by rate, payment rows and the income half of СведДохВыч.

#include "exporttest.h"

namespace zorv::testing {
namespace {

using Names = std::vector<std::string>;

const std::string kRussian = kDetails + "/ДоходИстРФ";

// A resident with one 13 % employer and no deductions claimed.
std::string Employee(const std::string& withheld) {
    return R"({"Person": {"OKATO": "45000000000", "INN": "123456789012"},
      "StandartDeduct": {"Granted": 0}, "IncomeFlags": 1,
      "ThirteenPercentList": [{"INN": "7705012343", "KPP": "770501001", "OKATO": "45286560000",
        "SourceName": "ООО Ромашка", "TaxableIncome": "100000", "TaxComputed": "13000",
        "TaxWithheld": ")" +
           withheld +
           R"(", "IncomeList": [{"IncomeCode": 2000, "IncomeSum": "100000", "Month": 1}]}]})";
}

TEST(ExportTotals, ResidentWithOneEmployer) {
    mTDeclaration d = FromJson(Employee("13000"));
    XmlView view(d);
    EXPECT_EQ(view.Children(kDoc + "/НДФЛ3"), (Names{"ИтогУплВозв", "ПодлУплВозв"}));
    EXPECT_EQ(view.Children(kTotals), (Names{"НалБаза13", "СведДохВыч"}));
    EXPECT_EQ(view.Children(kDetails), Names{"ДоходИстРФ"});

    const std::string base = kTotals + "/НалБаза13";
    EXPECT_EQ(view.AttrNames(base),
              (Names{"ДоходОбщ", "ДоходОбщНеНал", "ДоходОбщНал", "РасхВычОбщ", "НалБаза", "Исчисл",
                     "УдержОбщ", "УплФактАв", "УплУвед", "УплИно", "ПодлВозв", "ПодлУпл"}));
    EXPECT_EQ(view.AttrOfAll(base, "ДоходОбщ"), Names{"100000.00"});
    EXPECT_EQ(view.AttrOfAll(base, "РасхВычОбщ"), Names{"0.00"});
    EXPECT_EQ(view.AttrOfAll(base, "НалБаза"), Names{"100000.00"});
    EXPECT_EQ(view.AttrOfAll(base, "Исчисл"), Names{"13000"});
    EXPECT_EQ(view.AttrOfAll(base, "ПодлУпл"), Names{"0"});

    EXPECT_EQ(view.AttrNames(kRussian),
              (Names{"Ставка", "ДоходОбщ", "ДоходОблОбщ", "НалИсчислИт", "НалУдержИт"}));
    EXPECT_EQ(view.Attr(kRussian, "Ставка"), "13");
    EXPECT_EQ(view.Attr(kRussian, "ДоходОблОбщ"), "100000.00");
    EXPECT_EQ(view.Attr(kRussian, "НалИсчислИт"), "13000");
    const std::string row = kRussian + "/РасчДохНал";
    EXPECT_EQ(view.AttrNames(row), (Names{"Доход", "ДоходОбл", "НалИсчисл", "НалУдерж", "ОКАТО"}));
    EXPECT_EQ(view.Attr(row, "Доход"), "100000.00");
    EXPECT_EQ(view.Attr(row, "НалУдерж"), "13000");
    EXPECT_EQ(view.Attr(row, "ОКАТО"), "45286560000");
    EXPECT_EQ(view.Children(row), Names{"ИстЮЛ"});
}

TEST(ExportTotals, PaymentRowsBySign) {
    const struct {
        const char* withheld;
        const char* sign;
        const char* okato;
        const char* pay;
        const char* refund;
    } cases[] = {{"13000", "3", "45000000000", "0", "0"},
                 {"15000", "2", "45286560000", "0", "2000"},
                 {"10000", "1", "45000000000", "3000", "0"}};
    for (const auto& c : cases) {
        mTDeclaration d = FromJson(Employee(c.withheld));
        XmlView view(d);
        const std::string row = kDoc + "/НДФЛ3/ПодлУплВозв";
        ASSERT_EQ(view.Count(row), 1u) << c.withheld;
        EXPECT_EQ(view.AttrNames(row), (Names{"ПрУплВозв", "КБК", "ОКАТО", "ПодлУпл", "ПодлВозв"}));
        EXPECT_EQ(view.Attr(row, "ПрУплВозв"), c.sign);
        EXPECT_EQ(view.Attr(row, "КБК"), "18210102021011000110");
        EXPECT_EQ(view.Attr(row, "ОКАТО"), c.okato);
        EXPECT_EQ(view.Attr(row, "ПодлУпл"), c.pay);
        EXPECT_EQ(view.Attr(row, "ПодлВозв"), c.refund);
    }
}

TEST(ExportTotals, SourceIsAPersonOrAnOrganisation) {
    mTDeclaration d = FromJson(R"({"IncomeFlags": 1, "StandartDeduct": {"Granted": 0},
      "ThirteenPercentList": [
        {"INN": "7705012343", "KPP": "", "SourceName": "ЮЛ без КПП"},
        {"INN": "123456789012", "KPP": " ", "SourceName": "Физлицо", "OKATO": " "},
        {"INN": "123456789012", "KPP": "770501001", "SourceName": "ИНН 12 с КПП"},
        {"INN": "", "KPP": "", "SourceName": "Иностранец"}]})");
    XmlView view(d);
    const std::string rows = kRussian + "/РасчДохНал";
    ASSERT_EQ(view.Count(rows), 4u);
    EXPECT_EQ(view.AttrNames(rows + "[1]/ИстЮЛ"), (Names{"Наим", "ИННЮЛ", "КПП"}));
    EXPECT_EQ(view.Attr(rows + "[1]/ИстЮЛ", "ИННЮЛ"), "7705012343");
    EXPECT_EQ(view.Attr(rows + "[1]/ИстЮЛ", "КПП"), "");
    EXPECT_EQ(view.AttrNames(rows + "[2]/ИстФЛИн"), (Names{"ФИОИн", "ИННФЛ"}));
    EXPECT_EQ(view.Attr(rows + "[2]/ИстФЛИн", "ФИОИн"), "Физлицо");
    EXPECT_EQ(view.AttrNames(rows + "[2]"), (Names{"Доход", "ДоходОбл", "НалИсчисл", "НалУдерж"}));
    EXPECT_EQ(view.Attr(rows + "[3]/ИстЮЛ", "КПП"), "770501001");
    EXPECT_EQ(view.AttrNames(rows + "[4]/ИстФЛИн"), Names{"ФИОИн"});
}

TEST(ExportTotals, IncomeAt35PercentPrizesAndMaterialBenefit) {
    mTDeclaration d = FromJson(R"({"IncomeFlags": 1, "StandartDeduct": {"Granted": 0},
      "ThirtyFivePercentList": [
        {"INN": "7710000001", "SourceName": "Конкурс 1", "IncomeCode": 2740, "IncomeTotal": "10000",
         "DeductCode": 505, "DeductSum": "3000", "TaxWithheld": "2450", "OKATO": "45277000000"},
        {"INN": "7710000002", "SourceName": "Банк", "IncomeCode": 2620, "IncomeTotal": "3000",
         "TaxWithheld": "1050", "OKATO": "45268000000"},
        {"INN": "123456789012", "SourceName": "Конкурс 2", "IncomeCode": 2740,
         "IncomeTotal": "5000", "DeductCode": 505, "DeductSum": "3000"},
        {"INN": "7710000004", "SourceName": "Проценты", "IncomeCode": 2610,
         "IncomeTotal": "1000.5"},
        {"INN": "7710000005", "SourceName": "Банк 2", "IncomeCode": 2620, "IncomeTotal": "2000",
         "TaxWithheld": "700", "OKATO": "4526800"}]})");
    XmlView view(d);
    EXPECT_EQ(view.Children(kTotals), (Names{"НалБаза35", "СведДохВыч"}));
    EXPECT_EQ(view.Attr(kTotals + "/НалБаза35", "ДоходОбщ"), "16000.50");
    EXPECT_EQ(view.Attr(kTotals + "/НалБаза35", "НалБаза"), "12000.50");
    EXPECT_EQ(view.Attr(kTotals + "/НалБаза35", "УдержОбщЛиш"), "1750");
    EXPECT_EQ(view.Children(kDetails), (Names{"ДоходИстРФ", "ДоходОсвПрев", "ДоходМатВыг"}));

    // The benefit of code 2620 is listed apart; each prize is taxed above its exempt part.
    EXPECT_EQ(view.Attr(kRussian, "Ставка"), "35");
    EXPECT_EQ(view.Attr(kRussian, "ДоходОбщ"), "16000.50");
    EXPECT_EQ(view.Attr(kRussian, "НалИсчислИт"), "4200");
    const std::string rows = kRussian + "/РасчДохНал";
    EXPECT_EQ(view.AttrOfAll(rows, "Доход"), (Names{"10000.00", "5000.00", "1000.50"}));
    EXPECT_EQ(view.AttrOfAll(rows, "ДоходОбл"), (Names{"7000.00", "4000.00", "1000.50"}));
    EXPECT_EQ(view.AttrOfAll(rows, "НалИсчисл"), (Names{"2450", "1400", "350"}));

    const std::string exempt = kDetails + "/ДоходОсвПрев";
    EXPECT_EQ(view.Children(exempt), Names{"ДоходПриз"});
    EXPECT_EQ(view.Attr(exempt + "/ДоходПриз", "ДоходНеНалОбщ"), "4000.00");
    EXPECT_EQ(view.AttrOfAll(exempt + "/ДоходПриз/СвДоход", "ДоходНеНал"),
              (Names{"3000.00", "1000.00"}));
    EXPECT_EQ(view.Count(exempt + "/ДоходПриз/СвДоход[2]/ИстФЛИн"), 1u);

    const std::string benefit = kDetails + "/ДоходМатВыг";
    EXPECT_EQ(view.Attr(benefit, "НалогУдЛОбщ"), "1750");
    EXPECT_EQ(view.AttrNames(benefit + "/РасчНалогУдЛ[1]"), (Names{"Доход", "НалогУдЛ", "ОКАТО"}));
    EXPECT_EQ(view.AttrNames(benefit + "/РасчНалогУдЛ[2]"), (Names{"Доход", "НалогУдЛ"}));
    EXPECT_EQ(view.AttrOfAll(benefit + "/РасчНалогУдЛ", "НалогУдЛ"), (Names{"1050", "700"}));
    EXPECT_EQ(view.Attr(benefit + "/РасчНалогУдЛ[1]/ИстЮЛ", "Наим"), "Банк");
}

const char kDividendsAndWages[] = R"({"DeclarationKind": %d, "IncomeFlags": 1,
  "StandartDeduct": {"Granted": 0},
  "ThirteenPercentList": [{"INN": "7705012343", "KPP": "770501001", "SourceName": "Работа",
    "TaxableIncome": "50000", "TaxComputed": "15000", "TaxWithheld": "15000",
    "IncomeList": [{"IncomeCode": 2000, "IncomeSum": "50000"}]}],
  "ThirtyPercentList": [{"INN": "7710000003", "KPP": "771001001", "SourceName": "Дивиденд",
    "IncomeCode": 1010, "IncomeTotal": "20000", "TaxableIncome": "20000.1",
    "TaxComputed": "1800", "TaxWithheld": "1800"}]})";

std::string WithKind(int kind) {
    char text[sizeof kDividendsAndWages + 8];
    std::snprintf(text, sizeof text, kDividendsAndWages, kind);
    return text;
}

TEST(ExportTotals, RatesOfResidentAndNonResident) {
    mTDeclaration resident = FromJson(WithKind(0));
    XmlView r(resident);
    EXPECT_EQ(r.Children(kTotals), (Names{"НалБаза13", "НалБаза9", "СведДохВыч"}));
    EXPECT_EQ(r.AttrOfAll(kRussian, "Ставка"), (Names{"09", "13"}));
    EXPECT_EQ(r.Attr(kRussian + "[1]/РасчДохНал", "НалИсчисл"), "1800");
    EXPECT_EQ(r.Attr(kRussian + "[1]/РасчДохНал", "ДоходОбл"), "20000.10");

    mTDeclaration nonResident = FromJson(WithKind(1));
    XmlView n(nonResident);
    EXPECT_EQ(n.Children(kTotals), (Names{"НалБаза30", "НалБаза15", "СведДохВыч"}));
    EXPECT_EQ(n.AttrNames(kTotals + "/НалБаза30"),
              (Names{"ДоходОбщ", "ДоходОбщНеНал", "ДоходОбщНал", "РасхОбщ", "НалБаза", "Исчисл",
                     "УдержОбщ", "УплУвед", "ПодлВозв", "ПодлУпл"}));
    EXPECT_EQ(
        n.AttrNames(kTotals + "/НалБаза15"),
        (Names{"ДоходОбщ", "НалБаза", "Исчисл", "УдержОбщ", "УплУвед", "ПодлВозв", "ПодлУпл"}));
    EXPECT_EQ(n.AttrOfAll(kRussian, "Ставка"), (Names{"15", "30"}));
    // 15 % of the taxable dividend, rounded half up per source.
    EXPECT_EQ(n.Attr(kRussian + "[1]/РасчДохНал", "НалИсчисл"), "3000");
    EXPECT_EQ(n.Attr(kRussian + "[1]", "НалИсчислИт"), "3000");
    EXPECT_EQ(n.Attr(kRussian + "[2]/РасчДохНал", "НалИсчисл"), "15000");
}

TEST(ExportTotals, IncomeFromAbroad) {
    mTDeclaration d = FromJson(R"({"IncomeFlags": 2, "StandartDeduct": {"Granted": 0},
      "CurrencyIncomeList": [
        {"IncomeRate": 13, "IncomeCode": 2000, "SourceName": "Uni", "CountryCode": " 36",
         "CurrencyCode": "36", "IncomeDate": "14.03.2008", "IncomeRate1": "24.5",
         "IncomeUnits": 1, "IncomeInCurrency": "100", "IncomeInRubles": "2450"},
        {"IncomeRate": 13, "IncomeCode": 2000, "SourceName": "ACME", "CountryCode": "840",
         "CurrencyCode": "840", "CurrencyName": "Доллар США", "IncomeDate": "01.06.2008",
         "TaxDate": "02.06.2008", "IncomeRate1": "25", "IncomeUnits": 1, "TaxRate1": "25.05",
         "TaxUnits": 1, "IncomeInCurrency": "40", "IncomeInRubles": "1000",
         "TaxInCurrency": "8.02", "TaxInRubles": "200.4"},
        {"IncomeRate": 9, "IncomeCode": 1010, "SourceName": "Corp", "CountryCode": "840",
         "CurrencyCode": "840", "IncomeInRubles": "10000", "TaxInRubles": "500"}]})");
    XmlView view(d);
    const std::string foreign = kDetails + "/ДоходИстИно";
    EXPECT_EQ(view.AttrOfAll(foreign, "Ставка"), (Names{"09", "13"}));
    const std::string thirteen = foreign + "[2]";
    EXPECT_EQ(view.AttrNames(thirteen), (Names{"Ставка", "ДоходИноРубОбщ", "НалУплИноРубОбщ",
                                               "НалИсчислРФОбщ", "НалЗачРФОбщ"}));
    EXPECT_EQ(view.Attr(thirteen, "ДоходИноРубОбщ"), "3450.00");
    EXPECT_EQ(view.Attr(thirteen, "НалУплИноРубОбщ"), "200.40");
    EXPECT_EQ(view.Attr(thirteen, "НалИсчислРФОбщ"), "449");
    EXPECT_EQ(view.Attr(thirteen, "НалЗачРФОбщ"), "130");

    const std::string untaxed = thirteen + "/РасчДохНалИно[1]";
    EXPECT_EQ(view.AttrNames(untaxed),
              (Names{"ОКСМ", "НаимИстДох", "КодВалют", "ДатаДох", "КурсВалютДох", "ДоходИноВал",
                     "ДоходИноРуб", "НалЗачРФОбщ"}));
    EXPECT_EQ(view.Attr(untaxed, "ОКСМ"), "036");
    EXPECT_EQ(view.Attr(untaxed, "КодВалют"), "036");
    EXPECT_EQ(view.Attr(untaxed, "ДатаДох"), "14.03.2008");
    EXPECT_EQ(view.Attr(untaxed, "КурсВалютДох"), "24.5");
    EXPECT_EQ(view.Attr(untaxed, "ДоходИноВал"), "100.00");
    EXPECT_EQ(view.Attr(untaxed, "НалЗачРФОбщ"), "319");

    const std::string taxed = thirteen + "/РасчДохНалИно[2]";
    EXPECT_EQ(view.AttrNames(taxed),
              (Names{"ОКСМ", "НаимИстДох", "НаимВалют", "КодВалют", "ДатаДох", "КурсВалютДох",
                     "ДоходИноВал", "ДоходИноРуб", "ДатаУплНал", "КурсВалютНал", "НалУплИноВал",
                     "НалУплИноРуб", "НалЗачРФОбщ", "НалогЗачРФОбщ"}));
    EXPECT_EQ(view.Attr(taxed, "ДатаУплНал"), "02.06.2008");
    EXPECT_EQ(view.Attr(taxed, "КурсВалютНал"), "25.05");
    EXPECT_EQ(view.Attr(taxed, "НалУплИноВал"), "8.02");
    EXPECT_EQ(view.Attr(taxed, "НалУплИноРуб"), "200.40");
    EXPECT_EQ(view.Attr(taxed, "НалЗачРФОбщ"), "130");
    EXPECT_EQ(view.Attr(taxed, "НалогЗачРФОбщ"), "130");
}

TEST(ExportTotals, BusinessIncome) {
    mTDeclaration d = FromJson(R"({"IncomeFlags": 4, "StandartDeduct": {"Granted": 0},
      "AdvanceAccrued": "3500", "FarmExemptIncome": "1000", "FarmStartDate": "01.05.2006",
      "BusinessList": [
        {"ActivityKind": "1", "ActivityCode": "72.20", "HasConfirmedExpenses": 1,
         "Income": "250000", "ExpenseItems": ["100", "0", "30", "0", "0", "5", "9", "0", "0", "0",
                                              "0", "0", "0", "0", "0", "0", "0", "0", "0"]},
        {"ActivityKind": "2", "ActivityCode": "74.11", "HasConfirmedExpenses": 0,
         "Income": "10000", "ExpenseTotal": "2000"},
        {"ActivityKind": "3", "HasConfirmedExpenses": 0, "Income": "500"}]})");
    XmlView view(d);
    const std::string business = kDetails + "/ДоходПредпр";
    EXPECT_EQ(view.AttrNames(business), (Names{"ДоходИт", "ВычПрофИт", "НачислАванИт"}));
    EXPECT_EQ(view.Attr(business, "ДоходИт"), "260500.00");
    EXPECT_EQ(view.Attr(business, "НачислАванИт"), "3500");
    EXPECT_EQ(view.Children(business),
              (Names{"РасчВидДеят", "РасчВидДеят", "РасчВидДеят", "СведКФХ"}));
    EXPECT_EQ(view.AttrNames(business + "/РасчВидДеят[1]"),
              (Names{"КодВД", "ОКВЭД", "Доход", "РасхФакт", "РасхФАмНач", "РасхФПроч"}));
    EXPECT_EQ(view.Attr(business + "/РасчВидДеят[1]", "РасхФАмНач"), "30.00");
    EXPECT_EQ(view.AttrNames(business + "/РасчВидДеят[2]"),
              (Names{"КодВД", "Доход", "РасхПредНорм"}));
    EXPECT_EQ(view.AttrNames(business + "/РасчВидДеят[3]"), (Names{"КодВД", "Доход"}));
    EXPECT_EQ(view.Attr(business + "/СведКФХ", "ГодРегКФХ"), "2006");
    EXPECT_EQ(view.Attr(business + "/СведКФХ", "ДоходНеНал"), "1000.00");

    d.AdvanceActual = Money::Rubles(3000);
    d.FarmExemptIncome = Money();
    XmlView paid(d);
    EXPECT_EQ(paid.Attr(business, "УплАванИт"), "3000");
    EXPECT_EQ(paid.Count(business + "/СведКФХ"), 0u);
}

TEST(ExportTotals, ExemptIncomeAndNegativeValuesAsZero) {
    mTDeclaration d = FromJson(R"({"IncomeFlags": 1, "StandartDeduct": {"Granted": 0},
      "ThirteenPercentList": [{"INN": "7705012343", "KPP": "770501001", "SourceName": "Работа",
        "IncomeList": [
          {"IncomeCode": 2762, "IncomeSum": "10000", "DeductCode": 508, "DeductSum": "50000"},
          {"IncomeCode": 2760, "IncomeSum": "3000", "DeductCode": 503, "DeductSum": "3000"},
          {"IncomeCode": 2760, "IncomeSum": "2500", "DeductCode": 503, "DeductSum": "2500"},
          {"IncomeCode": 2720, "IncomeSum": "1000"}]}]})");
    XmlView view(d);
    const std::string part = kDetails + "/ДоходОсвПрев/ДоходНеПриз";
    EXPECT_EQ(view.Children(kDetails + "/ДоходОсвПрев"), Names{"ДоходНеПриз"});
    EXPECT_EQ(view.Attr(part, "ДохНеНалОбщ"), "54000.00");
    EXPECT_EQ(view.Children(part), (Names{"МатПомРожд", "МатПомРаб"}));
    EXPECT_EQ(view.Attr(part + "/МатПомРаб", "ДоходВсИст"), "5500.00");
    EXPECT_EQ(view.Attr(part + "/МатПомРаб", "ДоходНеНал"), "4000.00");
    EXPECT_EQ(view.Attr(part + "/МатПомРожд", "ДоходНеНал"), "50000.00");
    // Exempt income above the income: the taxable income is written as zero.
    EXPECT_EQ(view.Attr(kTotals + "/НалБаза13", "ДоходОбщНеНал"), "54000.00");
    EXPECT_EQ(view.Attr(kTotals + "/НалБаза13", "ДоходОбщНал"), "0.00");
}

// Nothing to detail: СведДохВыч is left out, the payment rows stay.
TEST(ExportTotals, DetailsLeftOutWhenNothingToDetail) {
    const char* const cases[] = {
        R"({"StandartDeduct": {"Granted": 0}})",
        R"({"DeclarationKind": 1})",  // the deduction blocks do not apply to a non-resident
        R"({"IncomeFlags": 4, "StandartDeduct": {"Granted": 0}})",
        R"({"IncomeFlags": 8, "StandartDeduct": {"Granted": 0},
            "RepetitList": [{"Name": "Практика", "Values": [60000, 12000, 0, 0, 0, 0, 0, 0, 0,
                                                           0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]}]})",
    };
    for (const char* json : cases) {
        mTDeclaration d = FromJson(json);
        XmlView view(d);
        EXPECT_EQ(view.Count(kDetails), 0u) << json;
        EXPECT_EQ(view.Count(kDoc + "/НДФЛ3/ПодлУплВозв"), 1u) << json;
    }
}

}  // namespace
}  // namespace zorv::testing
