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

struct Line {
    uint32_t code;
    const char* income;
    uint32_t deductCode;
    const char* expense;
};

// One 13 % source per group of lines; currency records after them.
mTDeclaration Operations(const std::vector<std::vector<Line>>& sources,
                         const std::vector<Line>& currency = {}) {
    mTDeclaration d;
    d.SetIncomeFlags(kIncomeFromAgents | (currency.empty() ? 0 : kIncomeForeign));
    for (size_t i = 0; i < sources.size(); ++i) {
        mTThirteenPercent& source = d.ThirteenPercent(d.AddThirteenPercent());
        source.INN = "77020000" + std::to_string(i);
        source.SourceName = "Брокер " + std::to_string(i);
        for (const Line& l : sources[i]) {
            mTSourseIncome line;
            line.IncomeCode = l.code;
            line.IncomeSum = M(l.income);
            line.DeductCode = l.deductCode;
            line.DeductSum = M(l.expense);
            source.AddIncome(line);
        }
    }
    for (const Line& l : currency) {
        mTCurrencyIncome& r = d.CurrencyIncome(d.AddCurrencyIncome());
        r.IncomeRate = 13;
        r.IncomeCode = l.code;
        r.SourceName = "Foreign Broker";
        r.IncomeInRubles = M(l.income);
        r.DeductCode = l.deductCode;
        r.DeductSum = M(l.expense);
    }
    return d;
}

kTSvodSum Computed(mTDeclaration& d) {
    kTSvodSum s;
    EXPECT_TRUE(s.Compute(d));
    return s;
}

TEST(SecurityTables, OneRowPerSourceAndTablePlusOnePerCurrencyRecord) {
    mTDeclaration d = Operations({{{1530, "100", 307, "90"},
                                   {2000, "5000", 0, "0"},
                                   {1530, "50", 307, "40"},
                                   {1530, "70", 308, "0"},  // a pair of no table
                                   {1533, "10", 306, "25"}},
                                  {{1530, "20", 307, "50"}, {9530, "500", 307, "100"}}},
                                 {{1530, "80", 307, "30"}, {1534, "1", 305, "0"}});
    kTSvodSum s = Computed(d);
    const SecurityTables& t = s.Securities.Tables;
    ASSERT_EQ(t[kTradedSecurities].size(), 3u);
    const CBDoh& merged = t[kTradedSecurities][0];
    EXPECT_EQ(merged.INN, "770200000");
    EXPECT_EQ(merged.Income, M("150"));
    EXPECT_EQ(merged.Expense, M("130"));
    EXPECT_EQ(merged.Profit, M("20"));
    EXPECT_EQ(merged.Loss, M("0"));
    EXPECT_EQ(t[kTradedSecurities][1].Loss, M("30"));
    EXPECT_EQ(t[kTradedSecurities][1].Profit, M("0"));
    EXPECT_EQ(t[kTradedSecurities][2].INN, "");
    EXPECT_EQ(t[kTradedSecurities][2].SourceName, "Foreign Broker");
    ASSERT_EQ(t[kFundUnits].size(), 1u);
    EXPECT_EQ(t[kFundUnits][0].Loss, M("15"));
    ASSERT_EQ(t[kHedgingDerivatives].size(), 1u);
    EXPECT_TRUE(t[kUntradedSecurities].empty());
    EXPECT_EQ(s.Securities.Profit1, M("70"));
    EXPECT_EQ(s.Securities.Loss1, M("30"));
    EXPECT_EQ(s.Securities.Taxable1, M("40"));
    EXPECT_EQ(s.Securities.TotalIncome, M("261"));
    // The trust manager's lines go to sheet И only.
    ASSERT_EQ(s.TrustSecurities.Tables[kTradedSecurities].size(), 1u);
    EXPECT_EQ(s.TrustSecurities.TotalIncome, M("500"));
    EXPECT_EQ(s.TrustSecurities.Taxable1, M("400"));

    Json json = ToJson(s.Securities);
    for (const char* key : {"T1", "T2", "T3", "T4", "T5", "T6"}) EXPECT_TRUE(json[key].is_array());
    EXPECT_EQ(json["T1"][0]["Profit"], "20");
    EXPECT_EQ(json["T5"][0]["Loss"], "15");
}

TEST(SecuritySheetJ, LossesAreSetOffWithinTheOwnSheet) {
    struct Case {
        const char* name;
        std::vector<Line> lines;
        const char* taxable1;
        const char* taxable2;
        const char* carry1;
        const char* carry6;
        const char* taxable6;
    };
    const Case cases[] = {
        {"profit and loss of T1",
         {{1530, "100", 307, "0"}, {1530, "0", 307, "30"}},
         "70",
         "0",
         "0",
         "0",
         "0"},
        {"loss of T6 reduces T1",
         {{1530, "100", 307, "0"}, {1534, "10", 305, "50"}},
         "60",
         "0",
         "0",
         "40",
         "0"},
        {"loss of T1 reduces T2",
         {{1530, "10", 307, "60"}, {1536, "100", 309, "0"}},
         "0",
         "50",
         "50",
         "0",
         "0"},
        {"loss of T2 is carried nowhere",
         {{1536, "10", 309, "90"}, {1531, "40", 308, "0"}},
         "0",
         "0",
         "0",
         "0",
         "0"},
        {"T6 loss through T1 into T2",
         {{1534, "0", 305, "40"}, {1530, "10", 307, "0"}, {1536, "100", 309, "0"}},
         "0",
         "70",
         "30",
         "40",
         "0"},
        {"T6 profit", {{1534, "80", 305, "20"}}, "0", "0", "0", "0", "60"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d = Operations({c.lines});
        kTSvodSum s = Computed(d);
        const kTSvodSumPrilJ& j = s.Securities;
        EXPECT_EQ(j.Taxable1, M(c.taxable1));
        EXPECT_EQ(j.Taxable2, M(c.taxable2));
        EXPECT_EQ(j.Carry1, M(c.carry1));
        EXPECT_EQ(j.Carry6, M(c.carry6));
        EXPECT_EQ(j.Taxable6, M(c.taxable6));
        EXPECT_EQ(j.TotalExpense, j.TotalIncome - j.TotalTaxable);
    }
}

TEST(SecuritySheetJ, EveryTableWithALossLeavesNothingTaxable) {
    mTDeclaration d = Operations({{{1530, "10", 307, "20"},
                                   {1536, "10", 309, "20"},
                                   {1531, "10", 308, "20"},
                                   {1532, "10", 305, "20"},
                                   {1533, "10", 306, "20"},
                                   {1534, "10", 305, "20"}}});
    kTSvodSum s = Computed(d);
    EXPECT_EQ(s.Securities.TotalIncome, M("60"));
    EXPECT_EQ(s.Securities.TotalTaxable, M("0"));
    EXPECT_EQ(s.Securities.TotalExpense, M("60"));
}

TEST(SecuritySheetK, TrustLossesPassToTheOwnSheet) {
    // T1 loss 50 of the trust with no T2 profit reduces an own T1 profit of 80.
    mTDeclaration d = Operations({{{9530, "0", 307, "50"}, {1530, "80", 307, "0"}}});
    kTSvodSum s = Computed(d);
    EXPECT_EQ(s.TrustSecurities.Carry1, M("50"));
    EXPECT_EQ(s.TrustSecurities.LossOut1, M("50"));
    EXPECT_EQ(s.TrustSecurities.Used1In2, M("0"));
    EXPECT_EQ(s.TrustSecurities.TotalExpense, M("0"));
    EXPECT_EQ(s.Securities.Taxable1, M("30"));
    EXPECT_EQ(s.Securities.TotalExpense, M("50"));

    // Losses of T3-T6 pass to the matching own tables.
    mTDeclaration others = Operations({{{9531, "0", 308, "5"},
                                        {9532, "0", 305, "6"},
                                        {9533, "0", 306, "7"},
                                        {9534, "0", 305, "8"},
                                        {1531, "100", 308, "0"},
                                        {1532, "100", 305, "0"},
                                        {1533, "100", 306, "0"},
                                        {1534, "100", 305, "0"}}});
    kTSvodSum o = Computed(others);
    EXPECT_EQ(o.TrustSecurities.LossOut3, M("5"));
    EXPECT_EQ(o.TrustSecurities.LossOut4, M("6"));
    EXPECT_EQ(o.TrustSecurities.LossOut5, M("7"));
    EXPECT_EQ(o.TrustSecurities.LossOut6, M("8"));
    EXPECT_EQ(o.Securities.Taxable3, M("95"));
    EXPECT_EQ(o.Securities.Taxable4, M("94"));
    EXPECT_EQ(o.Securities.Taxable5, M("93"));
    EXPECT_EQ(o.Securities.Taxable6, M("92"));
    EXPECT_EQ(o.Securities.TotalExpense, M("26"));
}

TEST(SecuritySheetK, LossCarriedFromT6ThroughT1AndT2) {
    struct Case {
        const char* name;
        std::vector<Line> lines;
        const char* taxable1;
        const char* carry1;
        const char* used6In1;
        const char* lossOut6;
        const char* taxable2;
        const char* used1In2;
        const char* lossOut1;
    };
    const Case cases[] = {
        {"T1 absorbs the whole T6 loss",
         {{9534, "0", 305, "40"}, {9530, "200", 307, "0"}, {9530, "0", 307, "70"}},
         "90",
         "0",
         "40",
         "0",
         "0",
         "0",
         "0"},
        {"T1 absorbs part of the T6 loss",
         {{9534, "0", 305, "40"}, {9530, "100", 307, "0"}, {9530, "0", 307, "70"}},
         "0",
         "0",
         "30",
         "10",
         "0",
         "0",
         "0"},
        {"T1 loses on its own",
         {{9534, "0", 305, "40"},
          {9530, "20", 307, "0"},
          {9530, "0", 307, "70"},
          {9536, "100", 309, "0"}},
         "0",
         "50",
         "0",
         "40",
         "50",
         "50",
         "0"},
        {"T2 absorbs part of the T1 loss",
         {{9530, "0", 307, "50"}, {9536, "30", 309, "0"}, {9536, "0", 309, "10"}},
         "0",
         "50",
         "0",
         "0",
         "0",
         "20",
         "30"},
        {"T2 loses on its own",
         {{9530, "0", 307, "50"}, {9536, "10", 309, "0"}, {9536, "0", 309, "30"}},
         "0",
         "50",
         "0",
         "0",
         "0",
         "0",
         "50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Each line from a source of its own, so that profits and losses stay apart.
        std::vector<std::vector<Line>> sources;
        for (const Line& l : c.lines) sources.push_back({l});
        mTDeclaration d = Operations(sources);
        kTSvodSum s = Computed(d);
        const kTSvodSumPrilK& k = s.TrustSecurities;
        EXPECT_EQ(k.Taxable1, M(c.taxable1));
        EXPECT_EQ(k.Carry1, M(c.carry1));
        EXPECT_EQ(k.Used6In1, M(c.used6In1));
        EXPECT_EQ(k.LossOut6, M(c.lossOut6));
        EXPECT_EQ(k.Taxable2, M(c.taxable2));
        EXPECT_EQ(k.Used1In2, M(c.used1In2));
        EXPECT_EQ(k.LossOut1, M(c.lossOut1));
        EXPECT_EQ(k.TotalTaxable, k.Taxable1 + k.Taxable2);
        EXPECT_EQ(k.TotalExpense, k.TotalIncome - k.TotalTaxable);
    }
}

TEST(SecuritySheets, ComputedWhateverTheResidency) {
    mTDeclaration d = Operations({{{1530, "100", 307, "10"}, {9533, "50", 306, "5"}}});
    d.DeclarationKind = kNonResident3NDFL;
    kTSvodSum s = Computed(d);
    EXPECT_EQ(s.Securities.TotalExpense, M("10"));
    EXPECT_EQ(s.TrustSecurities.TotalExpense, M("5"));
}

}  // namespace
}  // namespace zorv
