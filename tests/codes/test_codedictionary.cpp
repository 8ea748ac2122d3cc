#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "codes/codedictionary.h"

namespace zorv {
namespace {

using Codes = std::vector<std::string>;

const Codes kAllIncomeCodes = {
    "1010", "1011", "1110", "1120", "1200", "1201", "1202", "1203", "1211", "1212", "1213",
    "1214", "1220", "1230", "1240", "1300", "1301", "1400", "1510", "1511", "1520", "1530",
    "9530", "1536", "9536", "1531", "9531", "1533", "9533", "1532", "9532", "1534", "9534",
    "1540", "1550", "2000", "2001", "2010", "2012", "2201", "2202", "2203", "2204", "2205",
    "2206", "2207", "2208", "2209", "2210", "2220", "2300", "2400", "2510", "2520", "2530",
    "2610", "2620", "2630", "2640", "2710", "2720", "2730", "2740", "2750", "2760", "2761",
    "2762", "2770", "2780", "2790", "2800", "2900", "3010", "3020", "4800"};

Codes CodesOf(const IncomePickList& list) {
    Codes codes;
    for (const IncomeCode* row : list.rows) codes.emplace_back(row->code);
    return codes;
}

Codes CodesOf(const DeductionPickList& list) {
    Codes codes;
    for (const DeductionRow* row : list.rows) codes.emplace_back(row->code);
    return codes;
}

const DeductionRule& RuleOf(std::string_view income, std::string_view deduction) {
    const IncomeCode* code = FindIncomeCodeText(income);
    if (code == nullptr) throw std::invalid_argument("unknown income code");
    const DeductionRow* row = FindDeductionText(*code, deduction);
    if (row == nullptr) throw std::invalid_argument("unknown deduction code");
    return row->rule;
}

TEST(IncomeCodes, DocumentOrderRatesAndSaleFlags) {
    Codes codes;
    std::set<std::string> rate9, rate35, saleDate;
    for (const IncomeCode& income : IncomeCodes()) {
        codes.emplace_back(income.code);
        EXPECT_FALSE(income.name.empty()) << income.code;
        EXPECT_TRUE(income.rate == 9 || income.rate == 13 || income.rate == 35) << income.code;
        if (income.rate == 9) rate9.emplace(income.code);
        if (income.rate == 35) rate35.emplace(income.code);
        if (income.saleDate) saleDate.emplace(income.code);
    }
    EXPECT_EQ(codes, kAllIncomeCodes);
    EXPECT_EQ(rate9, (std::set<std::string>{"1010", "1110", "1120"}));
    EXPECT_EQ(rate35, (std::set<std::string>{"2610", "2620", "2740", "3020"}));
    EXPECT_EQ(saleDate,
              (std::set<std::string>{"1510", "1511", "1520", "1530", "9530", "1536", "9536", "1531",
                                     "9531", "1533", "9533", "1532", "9532", "1534", "9534"}));
}

TEST(IncomeCodes, NamesKeepTheirExactText) {
    // Blanks and spellings are part of the stored names.
    const std::vector<std::pair<std::string_view, std::string_view>> cases = {
        {"2610", "Сумма мат. выгоды за пользование заемными  средствами"},
        {"2740", "Выигрыши, в конкурсах, проводимых  в целях рекламы (п.28 ст.217 НК)"},
        {"2010",
         "Работы по договорам гражданско-правового характера (кроме авторских вознагрождений)"},
        {"2762", "Суммы мат. помощи при рождении (усыновлении (удочерении) ребенка"},
        {"1010", "Дивиденды и проценты (пп.1 п.1 ст.208 ст.214 НК)"},
        {"3020", "Доходы в виде процентов, получаемых по вкладам в банках"},
    };
    for (const auto& [code, name] : cases) {
        const IncomeCode* income = FindIncomeCodeText(code);
        ASSERT_NE(income, nullptr) << code;
        EXPECT_EQ(income->name, name) << code;
    }
}

TEST(IncomeCodes, LookupByNumber) {
    ASSERT_NE(FindIncomeCode(2720), nullptr);
    EXPECT_EQ(FindIncomeCode(2720)->code, "2720");
    EXPECT_EQ(IncomeRate(1010), 9);
    EXPECT_EQ(IncomeRate(3020), 35);
    EXPECT_EQ(IncomeRate(4800), 13);
    EXPECT_EQ(IncomeRate(0), std::nullopt);
    EXPECT_EQ(IncomeRate(1000), std::nullopt);
    EXPECT_EQ(FindIncomeCodeText("01010"), nullptr);

    const IncomeCode& sale = *FindIncomeCode(1510);
    ASSERT_NE(FindDeduction(sale, 0), nullptr);
    EXPECT_EQ(FindDeduction(sale, 0)->name, "Не предоставлять вычет");
    EXPECT_EQ(FindDeduction(sale, 903)->code, "903");
    EXPECT_EQ(FindDeduction(sale, 501), nullptr);
    EXPECT_EQ(FindDeduction(*FindIncomeCode(2000), 0), nullptr);
}

TEST(IncomePickList, RateFilterKeepsDocumentOrder) {
    EXPECT_EQ(CodesOf(MakeIncomePickList("35", "")), (Codes{"2610", "2620", "2740", "3020"}));
    EXPECT_EQ(CodesOf(MakeIncomePickList("9", "")), (Codes{"1010", "1110", "1120"}));
    EXPECT_EQ(CodesOf(MakeIncomePickList("", "")), kAllIncomeCodes);

    Codes expected13;
    std::copy_if(kAllIncomeCodes.begin(), kAllIncomeCodes.end(), std::back_inserter(expected13),
                 [](const std::string& code) { return *IncomeRate(std::stoul(code)) == 13; });
    const Codes codes13 = CodesOf(MakeIncomePickList("13", ""));
    EXPECT_EQ(codes13.size(), 68u);
    EXPECT_EQ(codes13, expected13);

    // The filter is compared as text.
    EXPECT_TRUE(MakeIncomePickList(" 13", "").rows.empty());
    EXPECT_TRUE(MakeIncomePickList("013", "").rows.empty());
}

TEST(IncomePickList, Preselection) {
    struct Case {
        std::string_view filter, current;
        std::optional<std::string_view> selected;
    };
    const Case cases[] = {
        {"13", "2010", "2010"}, {"13", "1010", "1011"},  // a 9 % code is not listed
        {"", "", "1010"},       {"35", "3020", "3020"},      {"35", "9999", "2610"},
        {"", "4800", "4800"},   {"7", "1010", std::nullopt},
    };
    for (const Case& c : cases) {
        const IncomePickList list = MakeIncomePickList(c.filter, c.current);
        SCOPED_TRACE(std::string(c.filter) + "/" + std::string(c.current));
        if (!c.selected) {
            EXPECT_EQ(list.selected, std::nullopt);
            continue;
        }
        ASSERT_TRUE(list.selected.has_value());
        EXPECT_EQ(list.rows[*list.selected]->code, *c.selected);
    }
}

TEST(IncomePickList, ChoiceCarriesRateDeductionsAndSaleFlag) {
    struct Case {
        std::string_view filter, code;
        int rate;
        bool hasDeductions, saleDate;
    };
    const Case cases[] = {
        {"35", "2740", 35, true, false},  {"35", "2610", 35, false, false},
        {"", "1530", 13, true, true},     {"", "1010", 9, true, false},
        {"13", "2000", 13, false, false}, {"", "9534", 13, true, true},
        {"", "1540", 13, true, false},
    };
    for (const Case& c : cases) {
        const IncomePickList list = MakeIncomePickList(c.filter, c.code);
        ASSERT_TRUE(list.selected.has_value());
        const IncomeChoice choice = list.Choose(*list.selected);
        EXPECT_EQ(choice.code, c.code);
        EXPECT_EQ(choice.name, FindIncomeCodeText(c.code)->name);
        EXPECT_EQ(choice.rate, c.rate) << c.code;
        EXPECT_EQ(choice.hasDeductions, c.hasDeductions) << c.code;
        EXPECT_EQ(choice.saleDate, c.saleDate) << c.code;
    }
    EXPECT_THROW(MakeIncomePickList("35", "").Choose(4), std::out_of_range);
}

TEST(DeductionPickList, RowsWithAndWithoutAllRows) {
    struct Case {
        std::string_view income;
        bool allRows;
        Codes expected;
    };
    const Case cases[] = {
        {"1510", true, {"901", "902", "903", "0"}},
        {"1510", false, {"0"}},
        {"1511", true, {"904", "905", "903", "0"}},
        {"1520", true, {"906", "907", "903", "0"}},
        {"1530", false, {"307", "0"}},
        {"9534", false, {"305", "0"}},
        {"1540", false, {"0"}},
        {"2720", false, {"501", "0"}},
        {"2790", false, {"507", "0"}},
        {"2201", true, {"404", "405", "0"}},
        {"2201", false, {"0"}},
        {"1010", false, {"0"}},
        {"2000", true, {}},  // no deduction rows at all
        {"9999", true, {}},
        {"", true, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CodesOf(MakeDeductionPickList(c.income, c.allRows, "")), c.expected)
            << c.income << (c.allRows ? " all" : " restricted");
    }
}

TEST(DeductionPickList, Preselection) {
    EXPECT_EQ(MakeDeductionPickList("1510", true, "903").selected, 2u);
    EXPECT_EQ(MakeDeductionPickList("1510", true, "0").selected, 3u);
    EXPECT_EQ(MakeDeductionPickList("1510", true, "").selected, 0u);
    EXPECT_EQ(MakeDeductionPickList("1510", false, "903").selected, 0u);  // not offered
    EXPECT_EQ(MakeDeductionPickList("2000", true, "").selected, std::nullopt);
}

// Every deduction row of the dictionary with its attributes.
TEST(DeductionRows, EveryRowAndItsRule) {
    struct Row {
        std::string_view code, name;
        bool visible, enabled, equivalent;
        int64_t cap;
        int share;
    };
    const std::string_view kConfirmed = "В сумме документально подтвержденных расходов";
    const std::string_view kConfirmedBlank = "В сумме документально подтвержденных расходов ";
    const std::string_view kIncurred = "В сумме документально произведенных расходов";
    const std::string_view k3Years = "Продажа имущ-ва, наход-ся в собст-ти 3 года и более";
    const Row kNone{"0", "Не предоставлять вычет", false, true, false, 0, 0};
    const auto author = [&](int share) {
        return std::vector<Row>{
            {"404", kIncurred, true, true, false, 0, 0},
            {"405", "В пределах норматива затрат", true, false, false, 0, share},
            kNone};
    };
    const auto expenses = [&](std::string_view code, std::string_view name) {
        return std::vector<Row>{{code, name, true, true, false, 0, 0}, kNone};
    };
    const auto exempt = [&](std::string_view code, std::string_view name, bool equivalent,
                            int64_t cap) {
        return std::vector<Row>{{code, name, true, true, equivalent, cap, 0}, kNone};
    };
    const Row k903{"903", kConfirmedBlank, true, true, false, 0, 0};

    const std::vector<std::pair<Codes, std::vector<Row>>> groups = {
        {{"1010"},
         expenses("601", "Сумма, уменьшающая налоговую базу по доходам в виде дивидендов")},
        {{"1510"},
         {{"901", "Продажа имущ-ва, наход-ся в собст-ти менее 3 лет (в пределах 1 000 000 руб.)",
           true, false, true, 1000000, 0},
          {"902", k3Years, true, false, true, 0, 0},
          k903,
          kNone}},
        {{"1511"},
         {{"904", "Продажа доли имущ-ва, наход-ся в собст-ти менее 3 лет", true, true, false,
           1000000, 0},
          {"905", "Продажа доли имущ-ва, наход-ся в собст-ти 3 года и более", true, false, true, 0,
           0},
          k903,
          kNone}},
        {{"1520"},
         {{"906", "Продажа имущ-ва, наход-ся в собст-ти менее 3 лет (в пределах 125 000 руб.)",
           true, false, true, 125000, 0},
          {"907", k3Years, true, false, true, 0, 0},
          k903,
          kNone}},
        {{"1530", "9530"}, expenses("307", kConfirmed)},
        {{"1536", "9536"}, expenses("309", kConfirmed)},
        {{"1531", "9531"}, expenses("308", kConfirmed)},
        {{"1533", "9533"}, expenses("306", kConfirmed)},
        {{"1532", "9532", "1534", "9534"}, expenses("305", kConfirmed)},
        {{"1540"}, expenses("315", kConfirmed)},
        {{"1550"}, expenses("314", kConfirmedBlank)},
        {{"2010"}, expenses("403", kIncurred)},
        {{"2201"}, author(20)},
        {{"2202"}, author(30)},
        {{"2203"}, author(40)},
        {{"2204"}, author(30)},
        {{"2205"}, author(40)},
        {{"2206"}, author(25)},
        {{"2207"}, author(20)},
        {{"2208"}, author(20)},
        {{"2209"}, author(30)},
        {{"2720"},
         exempt("501",
                "Вычет из стоимости подарка от органицаций и индивидуальных предпринимателей", true,
                4000)},
        {{"2730"},
         exempt("502", "Вычет из стоимости призов, полученных на соревнованиях", true, 4000)},
        {{"2740"},
         exempt("505", "Вычет из стоимости призов на конкурсах, проводимых в целях рекламы", true,
                4000)},
        {{"2760"}, exempt("503", "Вычет из стоимости материальной помощи", true, 4000)},
        {{"2761"},
         exempt("506",
                "Вычет из суммы мат. помощи, оказываемой инвалидам общественными орг-иями "
                "инвалидов",
                true, 4000)},
        {{"2762"},
         exempt("508",
                "Вычет из суммы мат. помощи, оказываемой при рождении (усыновлении (удочерении) "
                "ребенка",
                false, 0)},
        {{"2770"}, exempt("504", "Вычет из суммы возмещения", true, 4000)},
        {{"2790"}, exempt("507", "Вычет из суммы мат.помощи", true, 10000)},
    };

    std::set<std::string> withRows;
    for (const auto& [incomeCodes, rows] : groups) {
        for (const std::string& code : incomeCodes) {
            withRows.insert(code);
            const IncomeCode* income = FindIncomeCodeText(code);
            ASSERT_NE(income, nullptr) << code;
            ASSERT_EQ(income->deductions.size(), rows.size()) << code;
            for (size_t i = 0; i < rows.size(); ++i) {
                const DeductionRow& actual = income->deductions[i];
                const Row& expected = rows[i];
                SCOPED_TRACE(code + "/" + std::string(expected.code));
                EXPECT_EQ(actual.code, expected.code);
                EXPECT_EQ(actual.name, expected.name);
                EXPECT_EQ(actual.rule, (DeductionRule{.share = expected.share,
                                                      .visible = expected.visible,
                                                      .enabled = expected.enabled,
                                                      .equivalent = expected.equivalent,
                                                      .maxSum = Money::Rubles(expected.cap)}));
            }
        }
    }
    for (const IncomeCode& income : IncomeCodes()) {
        if (!withRows.contains(std::string(income.code))) {
            EXPECT_FALSE(income.HasDeductions()) << income.code;
        }
    }
}

TEST(DeductionAmount, OnChoice) {
    struct Case {
        std::string_view income, deduction, incomeText, expected;
    };
    const Case cases[] = {
        // Share of the income, exact to the kopeck, half up.
        {"2206", "405", "1000", "250"},
        {"2206", "405", "", "0"},
        {"2201", "405", "1234,56", "246,91"},
        {"2203", "405", "1000.10", "400,04"},
        {"2206", "405", "1000,10", "250,03"},  // 250.025 exactly
        {"2206", "405", "0,02", "0,01"},       // 0.005 exactly
        // The income, limited by the cap; the income text itself while within it.
        {"2720", "501", "5000", "4000"},
        {"2720", "501", "3000,50", "3000,50"},
        {"2720", "501", "4000", "4000"},
        {"2720", "501", "", "0"},
        {"2720", "501", "abc", "0"},
        {"1510", "901", "", "0"},
        {"1510", "901", "2500000", "1000000"},
        {"1510", "901", "999999.99", "999999.99"},
        {"2790", "507", "12000", "10000"},
        // The income text, copied unchanged.
        {"1510", "902", "1234,5", "1234,5"},
        {"1510", "902", "", ""},
        // Typed rows and "no deduction" leave the amount empty.
        {"1510", "903", "1000", ""},
        {"1511", "904", "5000000", ""},
        {"2762", "508", "50000", ""},
        {"1510", "0", "1000", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AmountOnChoice(RuleOf(c.income, c.deduction), c.incomeText), c.expected)
            << c.income << "/" << c.deduction << " income \"" << c.incomeText << "\"";
    }
}

TEST(DeductionAmount, OnIncomeChange) {
    struct Case {
        DeductionRule rule;
        std::string_view incomeText;
        int64_t shownKopecks, expectedKopecks;
    };
    const DeductionRule gift = RuleOf("2720", "501");
    const DeductionRule author = RuleOf("2206", "405");
    const DeductionRule shareSale = RuleOf("1511", "904");
    const Case cases[] = {
        {gift, "6000", 400000, 400000},
        {gift, "3000", 400000, 300000},
        {gift, "", 400000, 0},
        {author, "2000", 0, 50000},
        {author, "", 50000, 0},
        {RuleOf("1510", "902"), "7000,5", 0, 700050},
        {shareSale, "100", 150000000, 100000000},  // a typed amount is capped
        {shareSale, "100", 20000, 20000},
        {RuleOf("1510", "903"), "1", 12300, 12300},
        {DeductionRule{}, "500", 12300, 12300},  // no row chosen
    };
    for (const Case& c : cases) {
        const Money shown = Money::FromRaw(c.shownKopecks * 100);
        EXPECT_EQ(AmountOnIncomeChange(c.rule, c.incomeText, shown).Raw(), c.expectedKopecks * 100)
            << "income \"" << c.incomeText << "\" shown " << c.shownKopecks;
    }
}

TEST(DeductionAmount, TypedAmountIsCapped) {
    EXPECT_EQ(CapAmount(RuleOf("2720", "501"), Money::Rubles(5000)), Money::Rubles(4000));
    EXPECT_EQ(CapAmount(RuleOf("2720", "501"), Money::Rubles(3999)), Money::Rubles(3999));
    EXPECT_EQ(CapAmount(RuleOf("1510", "903"), Money::Rubles(5000000)), Money::Rubles(5000000));
}

TEST(DeductionAmount, UserAmountTexts) {
    EXPECT_EQ(ParseUserAmount("3000,50"), Money::FromRaw(30005000));
    EXPECT_EQ(ParseUserAmount("3000.50"), Money::FromRaw(30005000));
    EXPECT_EQ(ParseUserAmount(" "), std::nullopt);
    EXPECT_EQ(ParseUserAmount("1,2,3"), std::nullopt);
    EXPECT_EQ(UserAmountText(Money::FromRaw(2469100)), "246,91");
    EXPECT_EQ(UserAmountText(Money::Rubles(4000)), "4000");
    EXPECT_EQ(UserAmountText(Money()), "0");
}

}  // namespace
}  // namespace zorv
