// Sheet Л: the housing property deduction, its limit by year and share, and how
// this year's 13 % base absorbs it.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "calc/svodsum.h"
#include "fixtures.h"
#include "model/jsonform.h"

namespace zorv {
namespace {

Money Rub(const char* text) {
    return *Money::Parse(text);
}

Json ReadFixture(const std::string& name) {
    return testing::ReadFixtureJson("calc/" + name);
}

mTDeclaration Housing(double registration, uint32_t numerator, uint32_t denominator,
                      const char* cost) {
    mTDeclaration d;
    mTConstructionDeduct& h = d.ConstructionDeduct;
    h.Granted = 1;
    h.RegistrationDate = registration;
    h.ShareNumerator = numerator;
    h.ShareDenominator = denominator;
    h.ObjectCost = Rub(cost);
    return d;
}

TEST(HousingDeduction, ExpenseLimitByYearAndShare) {
    struct Case {
        double registration;
        uint32_t numerator, denominator;
        const char* cost;
        double share;
        const char* l080;
    };
    const Case cases[] = {
        {DayNumber(2007, 9, 10), 1, 2, "1500000", 0.5, "500000"},
        {DayNumber(2008, 1, 1), 1, 1, "2400000", 1.0, "2000000"},
        {DayNumber(2007, 12, 31), 1, 3, "1000000", 1.0 / 3, "333333.33"},
        {DayNumber(2008, 3, 15), 2, 3, "3000000", 2.0 / 3, "1333333.33"},
        {DayNumber(2008, 3, 15), 1, 1, "1234567.891", 1.0, "1234567.89"},
        // A half is a half, not 0 as in whole-number division.
        {DayNumber(2008, 3, 15), 1, 2, "800000", 0.5, "800000"},
        {DayNumber(2008, 3, 15), 1, 2, "1000000.01", 0.5, "1000000"},
        // No denominator: the numerator is the share.
        {DayNumber(2008, 3, 15), 1, 0, "2500000", 1.0, "2000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cost) + " share " + std::to_string(c.numerator) + "/" +
                     std::to_string(c.denominator));
        mTDeclaration d = Housing(c.registration, c.numerator, c.denominator, c.cost);
        kTSvodSum s;
        ASSERT_TRUE(s.Housing.Compute(d, s));
        EXPECT_DOUBLE_EQ(s.Housing.Share, c.share);
        EXPECT_EQ(s.Housing.L080, Rub(c.l080));
        EXPECT_EQ(s.Housing.L230, Rub(c.l080));  // no income: everything carried over
        EXPECT_EQ(s.Housing.L210, Money());
    }
}

// Expenses are served before interest, together within line 200; the rest is
// carried to the next year.
TEST(HousingDeduction, BaseAbsorbsExpensesThenInterest) {
    struct Case {
        const char* name;
        int income, cost, interest;
        int priorDecl, priorAgent, interestCarried, agentExpense, agentInterest;
        int l200, l210, l220, l230, l240;
    };
    const Case cases[] = {
        {"expensesAboveBase", 300000, 1000000, 50000, 0, 0, 0, 0, 0, 300000, 300000, 0, 700000,
         50000},
        {"noIncome", 0, 1000000, 50000, 0, 0, 0, 0, 0, 0, 0, 0, 1000000, 50000},
        {"earlierYearsAboveExpenses", 500000, 1000000, 0, 800000, 300000, 0, 0, 0, 500000, 0, 0,
         -100000, 0},
        {"interestPartly", 400000, 300000, 150000, 0, 0, 20000, 0, 10000, 390000, 300000, 90000, 0,
         70000},
        {"agentThisYear", 500000, 1000000, 0, 100000, 0, 0, 200000, 0, 300000, 300000, 0, 400000,
         0},
        {"agentInterestAboveInterest", 500000, 100000, 10000, 0, 0, 5000, 0, 30000, 470000, 100000,
         0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d = Housing(DayNumber(2007, 5, 5), 1, 1, "0");
        mTConstructionDeduct& h = d.ConstructionDeduct;
        h.ObjectCost = Money::Rubles(c.cost);
        h.CreditInterest = Money::Rubles(c.interest);
        h.HousingPriorYears = Money::Rubles(c.priorDecl);
        h.HousingPriorYearsAgent = Money::Rubles(c.priorAgent);
        h.CreditCarriedOver = Money::Rubles(c.interestCarried);
        h.HousingAgentThisYear = Money::Rubles(c.agentExpense);
        h.CreditAgentThisYear = Money::Rubles(c.agentInterest);
        kTSvodSum s;
        s.Income13.Income = Money::Rubles(c.income);
        ASSERT_TRUE(s.Housing.Compute(d, s));
        const kTSvodSumPrilZ& z = s.Housing;
        EXPECT_EQ(z.L200, Money::Rubles(c.l200));
        EXPECT_EQ(z.L210, Money::Rubles(c.l210));
        EXPECT_EQ(z.L220, Money::Rubles(c.l220));
        EXPECT_EQ(z.L230, Money::Rubles(c.l230));
        EXPECT_EQ(z.L240, Money::Rubles(c.l240));
        EXPECT_EQ(z.L100, Money::Rubles(c.priorDecl + c.priorAgent));
        EXPECT_EQ(z.L180, Money::Rubles(c.agentExpense));
        EXPECT_EQ(z.L190, Money::Rubles(c.agentInterest));
        EXPECT_LE(z.L210 + z.L220, z.L200);
    }
}

TEST(HousingDeduction, EnteredLinesAreCopied) {
    mTDeclaration d = Housing(DayNumber(2006, 1, 1), 1, 1, "100");
    mTConstructionDeduct& h = d.ConstructionDeduct;
    h.CreditInterest = Money::Rubles(9);
    h.HousingPriorYears = Money::Rubles(11);
    h.HousingPriorYearsAgent = Money::Rubles(12);
    h.CreditPriorYears = Money::Rubles(14);
    h.CreditPriorYearsAgent = Money::Rubles(15);
    h.HousingCarriedOver = Money::Rubles(16);
    h.CreditCarriedOver = Money::Rubles(17);
    h.HousingAgentThisYear = Money::Rubles(18);
    h.CreditAgentThisYear = Money::Rubles(19);
    h.Share = Money::Rubles(0);  // the block's own share is not used
    kTSvodSum s;
    ASSERT_TRUE(s.Housing.Compute(d, s));
    const kTSvodSumPrilZ& z = s.Housing;
    EXPECT_EQ(z.L080, Money::Rubles(100));
    EXPECT_EQ(z.L090, Money::Rubles(9));
    EXPECT_EQ(z.L100, Money::Rubles(23));
    EXPECT_EQ(z.L110, Money::Rubles(11));
    EXPECT_EQ(z.L120, Money::Rubles(12));
    EXPECT_EQ(z.L130, Money::Rubles(29));
    EXPECT_EQ(z.L140, Money::Rubles(14));
    EXPECT_EQ(z.L150, Money::Rubles(15));
    EXPECT_EQ(z.L160, Money::Rubles(16));
    EXPECT_EQ(z.L170, Money::Rubles(17));
    EXPECT_EQ(z.L180, Money::Rubles(18));
    EXPECT_EQ(z.L190, Money::Rubles(19));
    // 100 - 23 - 18: the remainder of the previous year (160) enters no formula.
    EXPECT_EQ(z.L230, Money::Rubles(59));
}

// Line 200 is the 13 % income less every other deduction of the declaration.
TEST(HousingDeduction, BaseLeftAfterEveryOtherDeduction) {
    mTDeclaration d = Housing(DayNumber(2008, 6, 1), 1, 1, "2000000");
    d.ConstructionDeduct.HousingAgentThisYear = Money::Rubles(1 << 14);
    d.ConstructionDeduct.CreditAgentThisYear = Money::Rubles(1 << 15);
    kTSvodSum s;
    s.Income13.Income = Money::Rubles(1000000);
    s.Foreign13.Income = Money::Rubles(200000);
    s.Business.Income = Money::Rubles(300000);
    s.PrivatePractice.Income = Money::Rubles(400000);
    Money* deductions[] = {&s.Business.Deduction,      &s.PrivatePractice.Deduction,
                           &s.ShareSale.L130,          &s.ShareSaleForeign.L130,
                           &s.PropertySale.L210,       &s.Exempt.L130,
                           &s.AuthorFees.Expense,      &s.AuthorFeesForeign.Expense,
                           &s.CivilContracts.Expense,  &s.CivilContractsForeign.Expense,
                           &s.SocialDeductions.L130,   &s.StandardDeductions.L220,
                           &s.Securities.TotalExpense, &s.TrustSecurities.TotalExpense};
    int64_t bit = 1;
    for (Money* m : deductions) {
        *m = Money::Rubles(bit);
        bit <<= 1;
    }
    ASSERT_TRUE(s.Housing.Compute(d, s));
    // Every term 2^0 ... 2^15 subtracted once.
    EXPECT_EQ(s.Housing.L200, Money::Rubles(1900000 - ((1 << 16) - 1)));

    s.Business.Deduction = Money::Rubles(5000000);
    ASSERT_TRUE(s.Housing.Compute(d, s));
    EXPECT_EQ(s.Housing.L200, Money());
}

TEST(HousingDeduction, OnlyForGrantedResident) {
    struct Case {
        const char* name;
        uint8_t kind, granted;
    };
    for (const Case& c : {Case{"nonResident", 1, 1}, Case{"notGranted", 0, 0}}) {
        SCOPED_TRACE(c.name);
        mTDeclaration d = Housing(DayNumber(2008, 6, 1), 1, 1, "2000000");
        d.DeclarationKind = c.kind;
        d.ConstructionDeduct.Granted = c.granted;
        d.ConstructionDeduct.CreditInterest = Money::Rubles(1000);
        kTSvodSum s;
        s.Income13.Income = Money::Rubles(100000);
        ASSERT_TRUE(s.Housing.Compute(d, s));
        EXPECT_EQ(s.Housing.L080, Money());
        EXPECT_EQ(s.Housing.L090, Money());
        EXPECT_EQ(s.Housing.L200, Money());
        EXPECT_EQ(s.Housing.L230, Money());
        EXPECT_EQ(s.Housing.Share, 0.0);
    }
}

// A half share of a flat registered in 2008, after the standard and social
// deductions of the same declaration.
TEST(HousingDeduction, BuyerFixture) {
    mTDeclaration d;
    DeclarationFromJson(ReadFixture("l_buyer.json"), d);
    kTSvodSum s;
    ASSERT_TRUE(s.Compute(d));
    const kTSvodSumPrilZ& z = s.Housing;
    EXPECT_EQ(z.L080, Money::Rubles(1000000));
    EXPECT_EQ(z.L090, Money::Rubles(85000));
    EXPECT_EQ(z.L200, Money::Rubles(420000 - 600 - 73500));
    EXPECT_EQ(z.L210, Money::Rubles(345900));
    EXPECT_EQ(z.L220, Money());
    EXPECT_EQ(z.L230, Money::Rubles(654100));
    EXPECT_EQ(z.L240, Money::Rubles(85000));

    const Json json = ToJson(z);
    EXPECT_TRUE(json["Share"].is_number_float());
    EXPECT_DOUBLE_EQ(json["Share"].get<double>(), 0.5);
    EXPECT_EQ(json.begin().key(), "Share");
    EXPECT_EQ(json["L080"], "1000000");
    EXPECT_EQ(json["L230"], "654100");
    EXPECT_EQ(json.size(), 18u);
}

}  // namespace
}  // namespace zorv
