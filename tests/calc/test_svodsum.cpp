#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <string_view>

#include "calc/calcmoney.h"
#include "calc/svodsum.h"
#include "fixtures.h"
#include "model/jsonform.h"
#include "model/numtext.h"

namespace zorv {
namespace {

Money M(std::string_view text) {
    return *Money::Parse(text);
}

// A declaration with every kind of income and every deduction block: 13 % sources
// with salary, material aid, author's fees, a civil contract, sales and securities;
// a prize and a material benefit at 35 %; dividends; currency income at 13, 9 and
// 35 %; business and private practice; standard, social and housing deductions.
Json MixedJson() {
    return testing::ReadFixtureJson("calc/mixed.json");
}

mTDeclaration Mixed(uint8_t kind) {
    Json json = MixedJson();
    json["DeclarationKind"] = kind;
    mTDeclaration d;
    DeclarationFromJson(json, d);
    return d;
}

Json Totals(mTDeclaration& d) {
    kTSvodSum s;
    EXPECT_TRUE(s.Compute(d));
    return SvodSumToJson(s);
}

// The objects whose JSON differs from that of a freshly created engine.
std::set<std::string> FilledObjects(const Json& totals) {
    const Json empty = SvodSumToJson(kTSvodSum());
    std::set<std::string> filled;
    for (const auto& [key, value] : totals.items()) {
        if (key.rfind("Okato", 0) != 0 && value != empty[key]) filled.insert(key);
    }
    return filled;
}

TEST(MoneyRules, TaxesAreRoundedHalfUpOnTheExactAmount) {
    struct Case {
        const char* base;
        int percent;
        const char* tax;
    };
    const Case cases[] = {
        {"10000.04", 13, "1300"},  // 1300.0052
        {"10003.85", 13, "1301"},  // 1300.5005
        {"1234.5", 100, "1235"},
        {"1234.4999", 100, "1234"},
        {"-2.7", 100, "-2"},  // cut toward zero
        {"-234.5", 100, "-234"},
        {"100.1", 35, "35"},  // 35.035
        {"10.1", 15, "2"},    // 1.515
        {"0.05", 30, "0"},
        {"76923076.93", 13, "10000000"},  // 10 000 000.0009, beyond double's kopecks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " at " + std::to_string(c.percent));
        EXPECT_EQ(TaxAtRate(M(c.base), c.percent), M(c.tax));
    }
    EXPECT_EQ(RoundHalfUp(1234.50L), 1235);
    EXPECT_EQ(RoundHalfUp(1234.4999L), 1234);
    EXPECT_EQ(RoundHalfUp(-2.7L), -2);
    EXPECT_DOUBLE_EQ(RoundTo2(2.675), 2.67);
    EXPECT_DOUBLE_EQ(RoundTo2(1.115), 1.11);
    EXPECT_DOUBLE_EQ(RoundTo2(0.125), 0.13);
    EXPECT_EQ(PercentTruncatedToKopeck(M("100000.04"), 25), M("25000.01"));
}

TEST(SvodSum, ThirteenPercentTaxOfSectionOne) {
    for (auto [income, tax] : {std::pair{"10000.04", "1300"}, std::pair{"10003.85", "1301"}}) {
        SCOPED_TRACE(income);
        mTDeclaration d;
        d.SetIncomeFlags(kIncomeFromAgents);
        d.StandartDeduct.Granted = 0;
        mTSourseIncome line;
        line.IncomeCode = 2000;
        line.IncomeSum = M(income);
        line.Month = 1;
        d.ThirteenPercent(d.AddThirteenPercent()).AddIncome(line);
        kTSvodSum s;
        s.Compute(d);
        EXPECT_EQ(s.Section1.L050, M(income));
        EXPECT_EQ(s.Section1.L060, M(tax));
    }
}

TEST(SvodSum, EstimatedIncomeDeclarationComputesNothing) {
    mTDeclaration d = Mixed(kEstimated4NDFL);
    kTSvodSum s;
    s.Compute(d);
    EXPECT_EQ(SvodSumToJson(s), SvodSumToJson(kTSvodSum()));
    EXPECT_TRUE(s.Section6.Rows.empty());
    EXPECT_EQ(s.OkatoThirteen, "");
}

TEST(SvodSum, ResidentWithoutIncomeGetsEmptySheetsAndTheTerritoryDefaults) {
    mTDeclaration d;
    d.Person.OKATO = "45286560000";
    kTSvodSum s;
    s.Compute(d);
    EXPECT_EQ(FilledObjects(SvodSumToJson(s)), (std::set<std::string>{"Section6"}));
    ASSERT_EQ(s.Section6.Rows.size(), 1u);
    EXPECT_EQ(s.Section6.Rows[0].Sign, "3");
    for (const std::string* okato :
         {&s.OkatoDividends, &s.OkatoThirteen, &s.OkatoThirtyFive, &s.OkatoFifteen}) {
        EXPECT_EQ(*okato, "45286560000");
    }
}

TEST(SvodSum, ResidencyDecidesWhichObjectsAreComputed) {
    const std::set<std::string> both = {
        "Exempt",    "Business", "PrivatePractice", "AuthorFeesForeign", "CivilContractsForeign",
        "Foreign13", "Foreign9", "Foreign35",       "Securities",        "TrustSecurities",
        "Section6"};
    std::set<std::string> resident = {
        "DividendsRes",     "Income13",     "Income35",  "BenefitWithheld",    "AuthorFees",
        "CivilContracts",   "PropertySale", "ShareSale", "StandardDeductions", "SocialDeductions",
        "PensionInsurance", "PensionFunds", "Housing",   "Section1",           "Section3",
        "Section4"};
    std::set<std::string> nonResident = {"DividendsNonRes", "Income30", "Section2", "Base15"};
    resident.insert(both.begin(), both.end());
    nonResident.insert(both.begin(), both.end());

    mTDeclaration res = Mixed(kResident3NDFL);
    EXPECT_EQ(FilledObjects(Totals(res)), resident);
    mTDeclaration non = Mixed(kNonResident3NDFL);
    EXPECT_EQ(FilledObjects(Totals(non)), nonResident);
}

TEST(SvodSum, TerritoryCodesComeFromTheSourcesThatWithheldTheTax) {
    mTDeclaration res = Mixed(kResident3NDFL);
    kTSvodSum s;
    s.Compute(res);
    EXPECT_EQ(s.OkatoThirteen, "45286560000");
    EXPECT_EQ(s.OkatoDividends, "45263000000");
    EXPECT_EQ(s.OkatoThirtyFive, "45268000000");  // the material benefit's source
    EXPECT_EQ(s.OkatoFifteen, "45286560000");     // taxpayer's: no non-resident dividends

    mTDeclaration non = Mixed(kNonResident3NDFL);
    non.ThirteenPercent(0).OKATO.clear();
    s.Compute(non);
    EXPECT_EQ(s.OkatoThirteen, "45293554000");
    EXPECT_EQ(s.OkatoFifteen, "45263000000");
    EXPECT_EQ(s.OkatoDividends, "45286560000");
    EXPECT_EQ(s.OkatoThirtyFive, "45286560000");
}

TEST(SvodSum, ComputingAgainGivesTheSameTotalsAndChangesOnlyTheEducationCap) {
    mTDeclaration d = Mixed(kResident3NDFL);
    Json before = DeclarationToJson(d);
    kTSvodSum s;
    s.Compute(d);
    Json first = SvodSumToJson(s);

    // The one write-back: a child's education above 50 000 is cut in the model.
    Json after = DeclarationToJson(d);
    ASSERT_EQ(before["SocialDeduct"]["ChildEducationSums"][0], "60000");
    before["SocialDeduct"]["ChildEducationSums"][0] = "50000";
    EXPECT_EQ(after, before);

    s.Compute(d);
    EXPECT_EQ(SvodSumToJson(s), first);
    kTSvodSum fresh;
    fresh.Compute(d);
    EXPECT_EQ(SvodSumToJson(fresh), first);

    // Reusing the object for another residency leaves nothing of the earlier run.
    mTDeclaration non = Mixed(kNonResident3NDFL);
    s.Compute(non);
    EXPECT_EQ(SvodSumToJson(s), Totals(non));
    mTDeclaration estimated = Mixed(kEstimated4NDFL);
    s.Compute(estimated);
    EXPECT_EQ(SvodSumToJson(s), SvodSumToJson(kTSvodSum()));
}

TEST(SvodSum, SheetsSeeTheResultsOfTheSheetsBeforeThem) {
    mTDeclaration d = Mixed(kResident3NDFL);
    kTSvodSum s;
    s.Compute(d);
    // The prize source's exempt row reduces the 35 % base.
    EXPECT_EQ(s.Exempt.Rows.at(0).Exempt, M("4000"));
    EXPECT_EQ(s.Income35.TaxableIncome, M("6000"));
    // The trust's unabsorbed T1 loss reduces the own T1 profit.
    EXPECT_EQ(s.TrustSecurities.LossOut1, M("5000"));
    EXPECT_EQ(s.Securities.Taxable1, M("0"));
    // The housing sheet's base is what the other deductions left of the income.
    Money income =
        s.Income13.Income + s.Foreign13.Income + s.Business.Income + s.PrivatePractice.Income;
    Money deductions =
        s.Business.Deduction + s.PrivatePractice.Deduction + s.ShareSale.L130 +
        s.ShareSaleForeign.L130 + s.PropertySale.L210 + s.Exempt.L130 + s.AuthorFees.Expense +
        s.AuthorFeesForeign.Expense + s.CivilContracts.Expense + s.CivilContractsForeign.Expense +
        s.SocialDeductions.L130 + s.StandardDeductions.L220 + s.Securities.TotalExpense +
        s.TrustSecurities.TotalExpense + s.Housing.L180 + s.Housing.L190;
    EXPECT_EQ(s.Housing.L200, Max(Money(), income - deductions));
    EXPECT_GT(s.Housing.L200, Money());
}

TEST(SvodSum, JsonHasAKeyPerObjectInFieldOrder) {
    mTDeclaration d = Mixed(kResident3NDFL);
    Json json = Totals(d);
    std::vector<std::string> keys;
    for (const auto& [key, value] : json.items()) keys.push_back(key);
    const std::vector<std::string> expected = {"Section1",
                                               "Section2",
                                               "Section3",
                                               "Section4",
                                               "Base15",
                                               "Section6",
                                               "DividendsRes",
                                               "Income13",
                                               "DividendsNonRes",
                                               "Income30",
                                               "Income35",
                                               "Foreign13",
                                               "Foreign9",
                                               "Foreign35",
                                               "Business",
                                               "PrivatePractice",
                                               "Exempt",
                                               "BenefitWithheld",
                                               "AuthorFees",
                                               "AuthorFeesForeign",
                                               "CivilContracts",
                                               "CivilContractsForeign",
                                               "StandardDeductions",
                                               "SocialDeductions",
                                               "PensionInsurance",
                                               "PensionFunds",
                                               "PropertySale",
                                               "ShareSale",
                                               "ShareSaleForeign",
                                               "Housing",
                                               "Securities",
                                               "TrustSecurities",
                                               "OkatoDividends",
                                               "OkatoThirteen",
                                               "OkatoThirtyFive",
                                               "OkatoFifteen"};
    EXPECT_EQ(keys, expected);
    EXPECT_TRUE(json["Section6"]["Rows"].is_array());
    EXPECT_EQ(json["AuthorFees"]["RowRefs"], Json::parse("[[0, 13]]"));
    EXPECT_EQ(json["AuthorFeesForeign"]["RowRefs"], Json::parse("[[1, 777]]"));
    EXPECT_EQ(json["Securities"]["T1"][0]["Profit"], "5000");
    EXPECT_EQ(json["TrustSecurities"]["T1"][0]["Loss"], "5000");
    EXPECT_TRUE(json["Housing"]["Share"].is_number());
    EXPECT_TRUE(json["StandardDeductions"]["L130"].is_number_integer());
    EXPECT_EQ(json["Foreign13"]["Rows"][0]["IncomeDate"], "14.03.2008");
    EXPECT_EQ(json["Income13"]["Income"], "1943000");
}

}  // namespace
}  // namespace zorv
