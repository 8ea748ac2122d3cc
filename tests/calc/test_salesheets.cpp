#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "calc/svodsum.h"
#include "model/jsonform.h"

namespace zorv {
namespace {

Money M(std::string_view text) {
    return *Money::Parse(text);
}

kTSvodSum Computed(mTDeclaration& d) {
    kTSvodSum s;
    EXPECT_TRUE(s.Compute(d));
    return s;
}

// A declaration with one 13 % source per group of lines and, optionally, currency
// records; the lines are (income code, amount, deduction code, deduction).
struct Line {
    uint32_t code;
    const char* amount;
    uint32_t deductCode = 0;
    const char* deduction = "0";
};

mTDeclaration WithSources(const std::vector<std::vector<Line>>& sources,
                          const std::vector<Line>& currency = {}, uint32_t currencyRate = 13) {
    mTDeclaration d;
    d.SetIncomeFlags(kIncomeFromAgents | (currency.empty() ? 0 : kIncomeForeign));
    for (size_t i = 0; i < sources.size(); ++i) {
        mTThirteenPercent& source = d.ThirteenPercent(d.AddThirteenPercent());
        source.INN = "770100000" + std::to_string(i);
        source.KPP = "770101001";
        source.SourceName = "Источник " + std::to_string(i);
        for (const Line& l : sources[i]) {
            mTSourseIncome line;
            line.IncomeCode = l.code;
            line.IncomeName = "Вид " + std::to_string(l.code);
            line.IncomeSum = M(l.amount);
            line.DeductCode = l.deductCode;
            line.DeductSum = M(l.deduction);
            line.DeductPercent = l.deductCode == 405 ? 20 : 0;
            line.Month = 1;
            source.AddIncome(line);
        }
    }
    for (const Line& l : currency) {
        mTCurrencyIncome& r = d.CurrencyIncome(d.AddCurrencyIncome());
        r.IncomeRate = currencyRate;
        r.IncomeCode = l.code;
        r.IncomeName = "Валютный " + std::to_string(l.code);
        r.SourceName = "Foreign Ltd";
        r.IncomeInRubles = M(l.amount);
        r.DeductCode = l.deductCode;
        r.DeductSum = M(l.deduction);
    }
    return d;
}

// ---- Sheet Д -----------------------------------------------------------------------

TEST(SheetD, AuthorFeesWithDeductionsOnly) {
    mTDeclaration d = WithSources({{{2201, "1000", 405, "200"},
                                    {2200, "500", 404, "100"},
                                    {2205, "700", 0, "0"},
                                    {2000, "9000"}},
                                   {{2210, "300", 404, "300"}, {2209, "2000.5", 404, "1500.25"}}});
    kTSvodSum s = Computed(d);
    const kTSvodSumPrilG& sheet = s.AuthorFees;
    ASSERT_EQ(sheet.Rows.size(), 2u);
    EXPECT_EQ(sheet.RowRefs, (std::vector<kTRowRef>{{0, 0}, {1, 1}}));
    EXPECT_EQ(sheet.Income, M("3000.5"));
    EXPECT_EQ(sheet.Expense, M("1700.25"));
    const DohodAvtVozn& first = sheet.Rows[0];
    EXPECT_EQ(first.INN, "7701000000");
    EXPECT_EQ(first.KPP, "770101001");
    EXPECT_EQ(first.SourceName, "Источник 0");
    EXPECT_EQ(first.IncomeCodeText, "2201");
    EXPECT_EQ(first.IncomeName, "Вид 2201");
    EXPECT_EQ(first.DeductCodeText, "405");
    EXPECT_EQ(first.DeductPercentText, "20");
    EXPECT_EQ(first.Income, M("1000"));
    EXPECT_EQ(first.Expense, M("200"));
    EXPECT_EQ(sheet.Rows[1].IncomeCodeText, "2209");

    Json json = ToJson(sheet);
    EXPECT_EQ(json["RowRefs"], Json::parse("[[0, 0], [1, 1]]"));
    EXPECT_EQ(json["Rows"][0].size(), 9u);  // the two reserved texts are left out
}

TEST(SheetD, ExpenseAboveIncomeIsCutToIncome) {
    mTDeclaration d = WithSources({{{2202, "1000", 404, "1500"}, {2203, "100", 404, "50"}}},
                                  {{2010, "400", 403, "600"}, {2010, "100", 403, "0"}});
    kTSvodSum s = Computed(d);
    EXPECT_EQ(s.AuthorFees.Income, M("1100"));
    EXPECT_EQ(s.AuthorFees.Expense, M("1100"));
    // The rows keep the amounts as entered.
    EXPECT_EQ(s.AuthorFees.Rows[0].Expense, M("1500"));
    EXPECT_EQ(s.CivilContractsForeign.Income, M("500"));
    EXPECT_EQ(s.CivilContractsForeign.Expense, M("500"));
}

TEST(SheetD, CurrencyAuthorFeesAtThirteenPercentOnly) {
    for (uint8_t kind : {kResident3NDFL, kNonResident3NDFL}) {
        SCOPED_TRACE(int(kind));
        mTDeclaration d =
            WithSources({{{2201, "1000", 404, "100"}}}, {{2000, "1"}, {2204, "800", 404, "300"}});
        d.DeclarationKind = kind;
        d.AddCurrencyIncome();
        mTCurrencyIncome& atNine = d.CurrencyIncome(2);
        atNine.IncomeRate = 9;
        atNine.IncomeCode = 2204;
        atNine.IncomeInRubles = M("50");
        atNine.DeductCode = 404;
        kTSvodSum s = Computed(d);
        const kTSvodSumPrilG_In& sheet = s.AuthorFeesForeign;
        ASSERT_EQ(sheet.Rows.size(), 1u);
        EXPECT_EQ(sheet.RowRefs[0], (kTRowRef{1, 777}));
        EXPECT_EQ(sheet.Rows[0].INN, "");
        EXPECT_EQ(sheet.Rows[0].KPP, "");
        EXPECT_EQ(sheet.Rows[0].SourceName, "Foreign Ltd");
        EXPECT_EQ(sheet.Rows[0].IncomeName, "Валютный 2204");
        EXPECT_EQ(sheet.Income, M("800"));
        EXPECT_EQ(sheet.Expense, M("300"));
        // The sheet of the 13 % sources is a resident's only.
        EXPECT_EQ(s.AuthorFees.Rows.size(), kind == kResident3NDFL ? 1u : 0u);
    }
}

// ---- Sheet Е -----------------------------------------------------------------------

TEST(SheetE, CivilContractsWithDeductions) {
    mTDeclaration d = WithSources({{{2010, "20000", 403, "5000"}, {2010, "7000"}},
                                   {{2000, "1"}, {2010, "3000", 403, "3000"}}},
                                  {{2010, "1500", 403, "100"}}, 35);
    kTSvodSum s = Computed(d);
    EXPECT_EQ(s.CivilContracts.RowRefs, (std::vector<kTRowRef>{{0, 0}, {1, 1}}));
    ASSERT_EQ(s.CivilContracts.Rows.size(), 2u);
    EXPECT_EQ(s.CivilContracts.Rows[1].INN, "7701000001");
    EXPECT_EQ(s.CivilContracts.Income, M("23000"));
    EXPECT_EQ(s.CivilContracts.Expense, M("8000"));
    // The currency sheet takes contracts of any rate.
    ASSERT_EQ(s.CivilContractsForeign.Rows.size(), 1u);
    EXPECT_EQ(s.CivilContractsForeign.RowRefs[0], (kTRowRef{0, 777}));
    EXPECT_EQ(s.CivilContractsForeign.Expense, M("100"));
    EXPECT_EQ(ToJson(s.CivilContracts.Rows[0]).size(), 5u);

    d.DeclarationKind = kNonResident3NDFL;
    kTSvodSum non = Computed(d);
    EXPECT_TRUE(non.CivilContracts.Rows.empty());
    EXPECT_EQ(non.CivilContractsForeign.Rows.size(), 1u);
}

// ---- Sheet Ж1 ----------------------------------------------------------------------

TEST(SheetH1, PropertySaleExamples) {
    struct Case {
        const char* name;
        std::vector<Line> lines;
        std::vector<std::pair<Money kTSvodSumPrilH1::*, const char*>> expected;
    };
    using H = kTSvodSumPrilH1;
    const Case cases[] = {
        {"housing above the limit",
         {{1510, "1500000", 901, "1000000"}},
         {{&H::L010, "1500000"},
          {&H::L020, "1000000"},
          {&H::L050, "1500000"},
          {&H::L060, "1000000"},
          {&H::L110, "1500000"},
          {&H::L120, "1000000"},
          {&H::L210, "1000000"}}},
        {"shares in housing",
         {{1511, "800000", 904, "500000"}, {1511, "700000", 904, "500000"}},
         {{&H::L030, "1500000"},
          {&H::L040, "1000000"},
          {&H::L050, "1500000"},
          {&H::L060, "1000000"},
          {&H::L110, "1500000"},
          {&H::L120, "1000000"},
          {&H::L210, "1000000"}}},
        {"shares and housing share one limit",
         {{1511, "800000", 904, "500000"},
          {1511, "700000", 904, "500000"},
          {1510, "300000", 901, "300000"}},
         {{&H::L010, "300000"},
          {&H::L020, "300000"},
          {&H::L030, "1500000"},
          {&H::L040, "1000000"},
          {&H::L050, "1800000"},
          {&H::L060, "1000000"},
          {&H::L110, "1800000"},
          {&H::L120, "1000000"},
          {&H::L210, "1000000"}}},
        {"share deduction above its amount",
         {{1511, "200000", 904, "250000"}},
         {{&H::L030, "200000"},
          {&H::L040, "200000"},
          {&H::L050, "200000"},
          {&H::L060, "200000"},
          {&H::L110, "200000"},
          {&H::L120, "200000"},
          {&H::L210, "200000"}}},
        {"documented expenses and long ownership",
         {{1510, "2000000", 903, "1900000"},
          {1511, "300000", 903, "250000"},
          {1510, "400000", 902, "400000"},
          {1511, "100000", 905, "100000"}},
         {{&H::L070, "2300000"},
          {&H::L080, "2150000"},
          {&H::L090, "500000"},
          {&H::L100, "500000"},
          {&H::L110, "2800000"},
          {&H::L120, "2650000"},
          {&H::L210, "2650000"}}},
        {"other property",
         {{1520, "100000", 906, "100000"}, {1520, "100000", 906, "100000"}},
         {{&H::L130, "200000"},
          {&H::L140, "125000"},
          {&H::L190, "200000"},
          {&H::L200, "125000"},
          {&H::L210, "125000"}}},
        {"other property with expenses above the price",
         {{1520, "50000", 903, "80000"}},
         {{&H::L150, "50000"},
          {&H::L160, "50000"},
          {&H::L190, "50000"},
          {&H::L200, "50000"},
          {&H::L210, "50000"}}},
        {"other property with expenses below the price",
         {{1520, "50000", 903, "20000"}, {1520, "70000", 907, "70000"}},
         {{&H::L150, "50000"},
          {&H::L160, "20000"},
          {&H::L170, "70000"},
          {&H::L180, "70000"},
          {&H::L190, "120000"},
          {&H::L200, "90000"},
          {&H::L210, "90000"}}},
        {"pairs outside the table",
         {{1510, "100000", 904, "100000"}, {1520, "100000", 901, "100000"}, {1511, "5", 0, "0"}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d = WithSources({c.lines});
        kTSvodSum s = Computed(d);
        kTSvodSumPrilH1 expected;
        for (const auto& [field, value] : c.expected) expected.*field = M(value);
        EXPECT_EQ(ToJson(s.PropertySale).dump(), ToJson(expected).dump());
    }
}

TEST(SheetH1, CurrencyRecordsCountAndNonResidentGetsNothing) {
    mTDeclaration d =
        WithSources({{{1520, "60000", 906, "60000"}}}, {{1520, "90000", 906, "90000"}});
    kTSvodSum s = Computed(d);
    EXPECT_EQ(s.PropertySale.L130, M("150000"));
    EXPECT_EQ(s.PropertySale.L140, M("125000"));

    mTDeclaration onlyCurrency = WithSources({}, {{1510, "500000", 901, "500000"}});
    EXPECT_EQ(Computed(onlyCurrency).PropertySale.L020, M("500000"));

    d.DeclarationKind = kNonResident3NDFL;
    EXPECT_EQ(ToJson(Computed(d).PropertySale), ToJson(kTSvodSumPrilH1()));
}

// A currency record, unlike a 13 % line, may carry a deduction above its income; the
// deduction on a sale is taken only up to what the sale brought.
TEST(SheetH1, CurrencyDeductionAboveTheSaleIsTakenUpToTheSale) {
    mTDeclaration d = WithSources({{{2000, "500000"}}}, {{1510, "100000", 903, "150000"},
                                                         {1520, "50000", 906, "100000"},
                                                         {1511, "40000", 904, "90000"},
                                                         {1520, "30000", 903, "45000"}});
    kTSvodSum s = Computed(d);
    EXPECT_EQ(s.PropertySale.L080, M("100000"));
    EXPECT_EQ(s.PropertySale.L140, M("50000"));
    EXPECT_EQ(s.PropertySale.L040, M("40000"));
    EXPECT_EQ(s.PropertySale.L160, M("30000"));
    // Every sale is deducted in full, and no more: 100 000 + 40 000 + 50 000 + 30 000.
    EXPECT_EQ(s.PropertySale.L210, M("220000"));
}

// ---- Sheet Ж2 ----------------------------------------------------------------------

TEST(SheetH2, ShareSalesAndAssignmentsOfClaims) {
    mTDeclaration d = WithSources({{{1540, "300000", 315, "250000"},
                                    {1550, "900000", 314, "850000"},
                                    {1540, "1000", 314, "1000"}},
                                   {{1540, "50000", 315, "50000"}}},
                                  {{1550, "200000", 314, "150000.5"}, {1540, "1000", 315, "5000"}});
    kTSvodSum s = Computed(d);
    ASSERT_EQ(s.ShareSale.ShareRows.size(), 2u);
    ASSERT_EQ(s.ShareSale.ClaimRows.size(), 1u);
    EXPECT_EQ(s.ShareSale.ShareRows[1].INN, "7701000001");
    EXPECT_EQ(s.ShareSale.ShareRows[0].Income, M("300000"));
    EXPECT_EQ(s.ShareSale.ShareRows[0].Expense, M("250000"));
    EXPECT_EQ(s.ShareSale.L060, M("300000"));
    EXPECT_EQ(s.ShareSale.L120, M("850000"));
    EXPECT_EQ(s.ShareSale.L130, M("1150000"));

    // A currency record's expenses are taken up to its income.
    ASSERT_EQ(s.ShareSaleForeign.ShareRows.size(), 1u);
    EXPECT_EQ(s.ShareSaleForeign.ShareRows[0].Expense, M("1000"));
    EXPECT_EQ(s.ShareSaleForeign.L060, M("1000"));
    ASSERT_EQ(s.ShareSaleForeign.ClaimRows.size(), 1u);
    EXPECT_EQ(s.ShareSaleForeign.ClaimRows[0].INN, "");
    EXPECT_EQ(s.ShareSaleForeign.ClaimRows[0].SourceName, "Foreign Ltd");
    EXPECT_EQ(s.ShareSaleForeign.L120, M("150000.5"));
    EXPECT_EQ(s.ShareSaleForeign.L130, M("151000.5"));

    d.DeclarationKind = kNonResident3NDFL;
    kTSvodSum non = Computed(d);
    EXPECT_EQ(ToJson(non.ShareSale), ToJson(kTSheetH2Totals()));
    EXPECT_EQ(ToJson(non.ShareSaleForeign), ToJson(kTSheetH2Totals()));
}

}  // namespace
}  // namespace zorv
