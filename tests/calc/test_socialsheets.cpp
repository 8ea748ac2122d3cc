// Sheets К1-К4: standard deductions by month, social deductions and their limits,
// pension contracts sharing the limit.

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>
#include <vector>

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

// A resident whose primary workplace paid `salary[m]` rubles in month m + 1
// (no line where 0), with the given standard-deduction block.
Json Employee(const std::array<int, 12>& salary, const Json& standard) {
    Json lines = Json::array();
    for (int m = 0; m < 12; ++m) {
        if (salary[static_cast<size_t>(m)] == 0) continue;
        lines.push_back({{"IncomeCode", 2000},
                         {"IncomeSum", std::to_string(salary[static_cast<size_t>(m)])},
                         {"Month", m + 1}});
    }
    return {{"DeclarationKind", 0},
            {"IncomeFlags", 1},
            {"ThirteenPercentList",
             {{{"OKATO", "45286560000"}, {"IsPrimaryWorkplace", 1}, {"IncomeList", lines}}}},
            {"StandartDeduct", standard}};
}

std::array<int, 12> Every(int amount) {
    std::array<int, 12> a{};
    a.fill(amount);
    return a;
}

struct Computed {
    mTDeclaration d;
    kTSvodSum s;
};

void Compute(const Json& json, Computed& c) {
    DeclarationFromJson(json, c.d);
    ASSERT_TRUE(c.s.Compute(c.d));
}

struct K1Case {
    const char* name;
    std::array<int, 12> salary;
    Json standard;
    int l130, l140;
    // Lines 150-220 in rubles.
    std::array<int, 8> lines;
};

TEST(StandardDeductions, MonthCountsAndAmounts) {
    const std::array<int, 12> gap{5000, 5000, 0, 5000, 5000, 5000, 0, 0, 0, 0, 0, 0};
    const std::array<int, 12> decemberOnly{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 30000};
    const Json none = {{"PersonalCode", 0}, {"ChildKindCode", 0}};
    const K1Case cases[] = {
        // 8 000, 16 000, 24 000: two months within 20 000, five within 40 000.
        {"code103",
         Every(8000),
         {{"PersonalCode", 103}, {"ChildKindCode", 0}},
         2,
         5,
         {0, 0, 800, 0, 0, 0, 0, 800}},
        // 3 000 × 12 = 36 000 is cut to the year's income 12 000.
        {"code105CutToIncome",
         Every(1000),
         {{"PersonalCode", 105}, {"ChildKindCode", 0}},
         12,
         12,
         {36000, 0, 0, 0, 0, 0, 0, 12000}},
        {"code104CountsMonthsWithIncome",
         gap,
         {{"PersonalCode", 104}, {"ChildKindCode", 0}},
         4,
         5,
         {0, 2500, 0, 0, 0, 0, 0, 2500}},
        // March has no income but the walk goes on; 20 000 itself is within the limit.
        {"code103WalksPastEmptyMonth",
         gap,
         {{"PersonalCode", 103}, {"ChildKindCode", 0}},
         4,
         5,
         {0, 0, 1600, 0, 0, 0, 0, 1600}},
        {"parentOneChild",
         Every(10000),
         {{"PersonalCode", 0}, {"ChildKindCode", 101}, {"ChildrenCount", 1}},
         2,
         4,
         {0, 0, 0, 2400, 0, 0, 0, 2400}},
        // With a constant count the months with income within 40 000 count.
        {"parentOneChildEmptyMonth",
         gap,
         {{"PersonalCode", 0}, {"ChildKindCode", 101}, {"ChildrenCount", 1}},
         4,
         5,
         {0, 0, 0, 3000, 0, 0, 0, 3000}},
        {"parentDisabledChild",
         Every(10000),
         {{"PersonalCode", 0},
          {"ChildKindCode", 101},
          {"ChildrenCount", 1},
          {"DisabledChildrenCount", 1}},
         2,
         4,
         {0, 0, 0, 2400, 0, 4800, 0, 7200}},
        {"singleParentDoubleRates",
         Every(10000),
         {{"PersonalCode", 0},
          {"ChildKindCode", 102},
          {"ChildrenCount", 2},
          {"DisabledChildrenCount", 1}},
         2,
         4,
         {0, 0, 0, 0, 9600, 0, 9600, 19200}},
        // Children entered by month: months 1-4 are within 40 000.
        {"childrenByMonth",
         Every(10000),
         {{"PersonalCode", 0},
          {"ChildKindCode", 101},
          {"ChildrenConstant", 0},
          {"ChildrenByMonth", {1, 1, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3}},
          {"DisabledChildrenConstant", 0},
          {"DisabledChildrenByMonth", {0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1}}},
         2,
         4,
         {0, 0, 0, 3600, 0, 1200, 0, 4800}},
        {"childrenByMonthSkipEmptyMonths",
         gap,
         {{"PersonalCode", 0},
          {"ChildKindCode", 101},
          {"ChildrenConstant", 0},
          {"ChildrenByMonth", {1, 1, 5, 1, 1, 1, 5, 5, 5, 5, 5, 5}}},
         4,
         5,
         {0, 0, 0, 3000, 0, 0, 0, 3000}},
        // December, reached within the limits, counts for children but not for 400.
        {"decemberOnly",
         decemberOnly,
         {{"PersonalCode", 103},
          {"ChildKindCode", 101},
          {"ChildrenConstant", 0},
          {"ChildrenByMonth", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}},
         0,
         1,
         {0, 0, 0, 600, 0, 0, 0, 600}},
        // Code 110: 400 for Jan-Mar, 500 for Apr-Jun, 3000 for Jul-Dec.
        {"code110",
         Every(5000),
         {{"PersonalCode", 110},
          {"ChildKindCode", 0},
          {"HasCodeByMonth", 1},
          {"CodeByMonth", {0, 0, 0, 1, 1, 1, 2, 2, 2, 2, 2, 2}}},
         4,
         8,
         {18000, 1500, 1200, 0, 0, 0, 0, 20700}},
        // 400 is lost for the months after the income passed 20 000 (in May).
        {"code110After20000",
         Every(5000),
         {{"PersonalCode", 110},
          {"ChildKindCode", 0},
          {"HasCodeByMonth", 1},
          {"CodeByMonth", {2, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0}}},
         4,
         8,
         {12000, 0, 0, 0, 0, 0, 0, 12000}},
        {"unknownCode",
         Every(5000),
         {{"PersonalCode", 107}, {"ChildKindCode", 0}},
         4,
         8,
         {0, 0, 0, 0, 0, 0, 0, 0}},
        {"noIncome",
         {},
         {{"PersonalCode", 105}, {"ChildKindCode", 101}, {"ChildrenCount", 1}},
         0,
         0,
         {0, 0, 0, 0, 0, 0, 0, 0}},
        {"nothingClaimed", Every(5000), none, 4, 8, {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const K1Case& c : cases) {
        SCOPED_TRACE(c.name);
        Computed r;
        Compute(Employee(c.salary, c.standard), r);
        const kTSvodSumPrilE1& k = r.s.StandardDeductions;
        EXPECT_EQ(k.L130, c.l130);
        EXPECT_EQ(k.L140, c.l140);
        const std::array<Money, 8> got{k.L150, k.L160, k.L170, k.L180,
                                       k.L190, k.L200, k.L210, k.L220};
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i], Money::Rubles(c.lines[i])) << "line " << 150 + 10 * i;
        }
    }
}

TEST(StandardDeductions, CumulativeLinesRunFromJanuary) {
    Computed r;
    Compute(Employee({1000, 2000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 500}, {{"PersonalCode", 103}}), r);
    const kTSvodSumPrilE1& k = r.s.StandardDeductions;
    EXPECT_EQ(k.L010, Money::Rubles(1000));
    EXPECT_EQ(k.L020, Money::Rubles(3000));
    EXPECT_EQ(k.L030, Money::Rubles(3000));
    EXPECT_EQ(k.L110, Money::Rubles(3000));
    EXPECT_EQ(k.L120, Money::Rubles(3500));
    for (int m = 0; m < 12; ++m) EXPECT_TRUE(k.MonthIncome[static_cast<size_t>(m)].IsZero());
}

// Only the month in the low seven bits, and only 1-12, places a line; other
// sources than the primary workplace do not count; deductions are netted.
TEST(StandardDeductions, LineMonthsOutsideTheYearCountNowhere) {
    const Json json = {
        {"DeclarationKind", 0},
        {"IncomeFlags", 1},
        {"ThirteenPercentList",
         {{{"IsPrimaryWorkplace", 1},
           {"IncomeList",
            {{{"IncomeCode", 2000}, {"IncomeSum", "10000"}, {"Month", 0}},
             {{"IncomeCode", 2000}, {"IncomeSum", "10000"}, {"Month", 13}},
             {{"IncomeCode", 2000}, {"IncomeSum", "10000"}, {"Month", 127}},
             {{"IncomeCode", 2000}, {"IncomeSum", "10000"}, {"Month", 65535}},
             {{"IncomeCode", 2000},
              {"IncomeSum", "7000"},
              {"DeductCode", 201},
              {"DeductSum", "2000"},
              {"Month", 128 + 3}}}}},
          {{"IsPrimaryWorkplace", 0},
           {"IncomeList", {{{"IncomeCode", 2000}, {"IncomeSum", "50000"}, {"Month", 1}}}}}}},
        {"StandartDeduct", {{"PersonalCode", 104}, {"ChildKindCode", 0}}}};
    Computed r;
    Compute(json, r);
    const kTSvodSumPrilE1& k = r.s.StandardDeductions;
    EXPECT_EQ(k.L010, Money());
    EXPECT_EQ(k.L020, Money());
    EXPECT_EQ(k.L030, Money::Rubles(5000));
    EXPECT_EQ(k.L120, Money::Rubles(5000));
    EXPECT_EQ(k.L160, Money::Rubles(500));  // March only
}

// An entrepreneur's own table: the running balance shows 0 while negative and
// the shortfall reduces the following months; marked months count.
TEST(StandardDeductions, HandEnteredMonths) {
    Json standard = {
        {"PersonalCode", 105},
        {"ChildKindCode", 0},
        {"HasMonthlyBusiness", 1},
        {"MonthlyIncome", {"1000", "5000", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"MonthlyExpense", {"3000", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "500.5"}},
        {"MonthMarks", {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}};
    Computed r;
    Compute(Employee(Every(100000), standard), r);  // the workplace lines are not used
    const kTSvodSumPrilE1& k = r.s.StandardDeductions;
    EXPECT_EQ(k.MonthIncome[0], Money::Rubles(1000));
    EXPECT_EQ(k.MonthExpense[0], Money::Rubles(3000));
    EXPECT_EQ(k.L010, Money());
    EXPECT_EQ(k.L020, Money::Rubles(3000));
    EXPECT_EQ(k.L110, Money::Rubles(3000));
    EXPECT_EQ(k.L120, Rub("2499.5"));
    EXPECT_EQ(k.L130, 2);
    EXPECT_EQ(k.L150, Money::Rubles(6000));
    EXPECT_EQ(k.L220, Rub("2499.5"));  // cut to the year's income
}

TEST(StandardDeductions, NeverNegative) {
    const Json json = {{"DeclarationKind", 0},
                       {"IncomeFlags", 1},
                       {"ThirteenPercentList",
                        {{{"IsPrimaryWorkplace", 1},
                          {"IncomeList",
                           {{{"IncomeCode", 2000},
                             {"IncomeSum", "1000"},
                             {"DeductCode", 201},
                             {"DeductSum", "5000"},
                             {"Month", 1}}}}}}},
                       {"StandartDeduct", {{"PersonalCode", 103}, {"ChildKindCode", 0}}}};
    Computed r;
    Compute(json, r);
    EXPECT_EQ(r.s.StandardDeductions.L120, Money::Rubles(-4000));
    EXPECT_EQ(r.s.StandardDeductions.L170, Money::Rubles(400));
    EXPECT_EQ(r.s.StandardDeductions.L220, Money());
}

// Sheets К1-К4 are for a resident whose block is granted.
TEST(SocialDeductions, OnlyForGrantedResident) {
    const char* const names[] = {"k_employee.json"};
    struct Variant {
        const char* name;
        int kind;
        int standardGranted, socialGranted;
        bool standard, social;
    };
    const Variant variants[] = {
        {"resident", 0, 1, 1, true, true},
        {"nonResident", 1, 1, 1, false, false},
        {"standardNotGranted", 0, 0, 1, false, true},
        {"socialNotGranted", 0, 1, 0, true, false},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        Json json = ReadFixture(names[0]);
        json["DeclarationKind"] = v.kind;
        json["StandartDeduct"]["Granted"] = v.standardGranted;
        json["SocialDeduct"]["Granted"] = v.socialGranted;
        Computed r;
        Compute(json, r);
        EXPECT_EQ(r.s.StandardDeductions.L220.IsZero(), !v.standard);
        EXPECT_EQ(r.s.StandardDeductions.L140 == 0, !v.standard);
        EXPECT_EQ(r.s.SocialDeductions.L130.IsZero(), !v.social);
        EXPECT_EQ(r.s.PensionInsurance.OwnRows.empty(), !v.social);
        EXPECT_EQ(r.s.PensionFunds.OwnTotal.IsZero(), !v.social);
        // The education amount is capped only when the sheet is computed.
        EXPECT_EQ(r.d.SocialDeduct.EducationSum(0),
                  v.social ? Money::Rubles(50000) : Money::Rubles(60000));
    }
}

// The employee fixture end to end: salary 35 000 a month, one child, treatment,
// children's education above the limit, pension contracts.
TEST(SocialDeductions, EmployeeFixture) {
    Computed r;
    Compute(ReadFixture("k_employee.json"), r);
    const kTSvodSumPrilE1& k1 = r.s.StandardDeductions;
    EXPECT_EQ(k1.L130, 0);
    EXPECT_EQ(k1.L140, 1);
    EXPECT_EQ(k1.L180, Money::Rubles(600));
    EXPECT_EQ(k1.L220, Money::Rubles(600));

    const kTSvodSumPrilE2& k2 = r.s.SocialDeductions;
    EXPECT_EQ(k2.L010, Money::Rubles(5000));
    EXPECT_EQ(k2.L020, Money::Rubles(80000));
    EXPECT_EQ(k2.L030, Money::Rubles(150000));
    EXPECT_EQ(k2.L040, Money::Rubles(235000));
    EXPECT_EQ(k2.L050, Money::Rubles(20000));
    EXPECT_EQ(k2.L060, Money::Rubles(23500));
    EXPECT_EQ(k2.L070, Money::Rubles(6500));
    // Limit left for pensions: 100 000 - 20 000 - 23 500 - 6 500 = 50 000.
    EXPECT_EQ(k2.L080, Money::Rubles(12000));
    EXPECT_EQ(k2.L090, Money());
    EXPECT_EQ(k2.L100, Money::Rubles(30000));
    EXPECT_EQ(k2.L110, Money::Rubles(8000));
    EXPECT_EQ(k2.L120, Money::Rubles(100000));
    EXPECT_EQ(k2.L130, Money::Rubles(335000));

    const kTSvodSumPrilE3& k3 = r.s.PensionInsurance;
    ASSERT_EQ(k3.OwnRows.size(), 1u);
    EXPECT_EQ(k3.OwnRows[0].Name, "СК Росгосстрах-Жизнь");
    EXPECT_EQ(k3.OwnRows[0].INN, "7704186064");
    EXPECT_EQ(k3.OwnRows[0].KPP, "770401001");
    EXPECT_EQ(k3.OwnRows[0].ContractNumber, "П-17");
    EXPECT_EQ(k3.OwnRows[0].ContractDate, DayNumber(2008, 2, 1));
    EXPECT_EQ(k3.OwnRows[0].Contributions, Money::Rubles(12000));
    EXPECT_EQ(k3.OwnRows[0].Accepted, Money::Rubles(12000));
    EXPECT_TRUE(k3.RelativesRows.empty());

    const kTSvodSumPrilE4& k4 = r.s.PensionFunds;
    ASSERT_EQ(k4.OwnRows.size(), 1u);
    ASSERT_EQ(k4.RelativesRows.size(), 1u);
    EXPECT_EQ(k4.OwnRows[0].Accepted, Money::Rubles(30000));
    EXPECT_EQ(k4.RelativesRows[0].Contributions, Money::Rubles(25000));
    EXPECT_EQ(k4.RelativesRows[0].Accepted, Money::Rubles(8000));  // what the limit left
}

// Charity is limited to 25 % of the income at 13 % from all four sheets,
// truncated to the kopeck.
TEST(SocialDeductions, CharityLimit) {
    struct Case {
        const char* charity;
        const char *income13, *foreign13, *business, *practice;
        const char* expected;
    };
    const Case cases[] = {
        {"30000", "100000.04", "0", "0", "0", "25000.01"},
        {"30000", "40000", "30000", "20000", "10000.04", "25000.01"},
        {"30000", "100000.03", "0", "0", "0", "25000"},
        {"25000.0075", "100000.03", "0", "0", "0", "25000.0075"},  // exactly 25 %
        {"1000", "100000", "0", "0", "0", "1000"},
        {"1000", "0", "0", "0", "0", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.charity) + " of " + c.income13);
        mTDeclaration d;
        d.SocialDeduct.Granted = 1;
        d.SocialDeduct.CharitySum = Rub(c.charity);
        kTSvodSum s;
        s.Income13.Income = Rub(c.income13);
        s.Foreign13.Income = Rub(c.foreign13);
        s.Business.Income = Rub(c.business);
        s.PrivatePractice.Income = Rub(c.practice);
        ASSERT_TRUE(s.SocialDeductions.Compute(d, s));
        EXPECT_EQ(s.SocialDeductions.L010, Rub(c.expected));
        EXPECT_EQ(s.SocialDeductions.L040, Rub(c.expected));
        EXPECT_EQ(s.SocialDeductions.L130, Rub(c.expected));
    }
}

// Amounts above 50 000 per child are cut in the declaration itself, so a second
// computation gives the same totals.
TEST(SocialDeductions, ChildrenEducationCapIsWrittenBack) {
    mTDeclaration d;
    d.SocialDeduct.Granted = 1;
    d.SocialDeduct.AddEducationSum(Money::Rubles(60000));
    d.SocialDeduct.AddEducationSum(Rub("30000.5"));
    d.SocialDeduct.AddEducationSum(Money::Rubles(50000));
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        kTSvodSum s;
        ASSERT_TRUE(s.Compute(d));
        EXPECT_EQ(s.SocialDeductions.L020, Rub("130000.5"));
        EXPECT_EQ(s.SocialDeductions.L040, Rub("130000.5"));
        EXPECT_EQ(d.SocialDeduct.EducationSum(0), Money::Rubles(50000));
        EXPECT_EQ(d.SocialDeduct.EducationSum(1), Rub("30000.5"));
        EXPECT_EQ(d.SocialDeduct.EducationSum(2), Money::Rubles(50000));
    }
}

// Lines 050-110 together stay within 100 000; pension contracts get only what
// own education, treatment and insurance leave.
TEST(SocialDeductions, CommonLimit) {
    mTDeclaration d;
    d.SocialDeduct.Granted = 1;
    d.SocialDeduct.SelfEducationSum = Money::Rubles(70000);
    d.SocialDeduct.MedicalSum = Money::Rubles(40000);
    d.SocialDeduct.ExpensiveMedicalSum = Money::Rubles(300000);
    mTPens& contract = d.SocialDeduct.Pens(d.SocialDeduct.AddPens());
    contract.ContractKind = 1;
    contract.Contributions = Money::Rubles(20000);
    kTSvodSum s;
    ASSERT_TRUE(s.SocialDeductions.Compute(d, s));
    EXPECT_EQ(s.SocialDeductions.L080, Money());
    EXPECT_TRUE(s.PensionInsurance.OwnRows.empty());
    EXPECT_EQ(s.SocialDeductions.L120, Money::Rubles(100000));
    EXPECT_EQ(s.SocialDeductions.L030, Money::Rubles(300000));  // not limited
    EXPECT_EQ(s.SocialDeductions.L130, Money::Rubles(400000));
}

// К3 takes kinds 1 and 2, К4 kinds 3 and 4; both hand out one limit in list order.
TEST(SocialDeductions, PensionContractsShareTheLimitInListOrder) {
    struct Contract {
        uint32_t kind;
        int contributions;
    };
    struct Row {
        int contributions, accepted;
    };
    struct Case {
        const char* name;
        int selfEducation;  // the limit is 100 000 less this
        std::vector<Contract> contracts;
        std::vector<Row> k3Own, k3Relatives, k4Own, k4Relatives;
    };
    const Case cases[] = {
        {"fundFirst", 40000, {{3, 30000}, {1, 50000}}, {{50000, 30000}}, {}, {{30000, 30000}}, {}},
        {"allKinds",
         40000,
         {{2, 10000}, {4, 15000}, {1, 50000}, {3, 20000}},
         {{50000, 35000}},
         {{10000, 10000}},
         {},
         {{15000, 15000}}},
        {"unknownKindTakesItsShare", 90000, {{7, 4000}, {1, 10000}}, {{10000, 6000}}, {}, {}, {}},
        {"noLimitNoRows", 100000, {{1, 10000}, {4, 10000}}, {}, {}, {}, {}},
    };
    const auto check = [](const std::vector<mbTPens>& got, const std::vector<Row>& want,
                          const char* what) {
        SCOPED_TRACE(what);
        ASSERT_EQ(got.size(), want.size());
        for (size_t i = 0; i < want.size(); ++i) {
            EXPECT_EQ(got[i].Contributions, Money::Rubles(want[i].contributions));
            EXPECT_EQ(got[i].Accepted, Money::Rubles(want[i].accepted));
        }
    };
    const auto total = [](const std::vector<Row>& rows) {
        Money sum;
        for (const Row& r : rows) sum += Money::Rubles(r.accepted);
        return sum;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d;
        d.SocialDeduct.Granted = 1;
        d.SocialDeduct.SelfEducationSum = Money::Rubles(c.selfEducation);
        for (const Contract& k : c.contracts) {
            mTPens& p = d.SocialDeduct.Pens(d.SocialDeduct.AddPens());
            p.ContractKind = k.kind;
            p.Contributions = Money::Rubles(k.contributions);
        }
        kTSvodSum s;
        ASSERT_TRUE(s.SocialDeductions.Compute(d, s));
        check(s.PensionInsurance.OwnRows, c.k3Own, "К3 own");
        check(s.PensionInsurance.RelativesRows, c.k3Relatives, "К3 relatives");
        check(s.PensionFunds.OwnRows, c.k4Own, "К4 own");
        check(s.PensionFunds.RelativesRows, c.k4Relatives, "К4 relatives");
        const kTSvodSumPrilE2& k2 = s.SocialDeductions;
        EXPECT_EQ(k2.L080, total(c.k3Own));
        EXPECT_EQ(k2.L090, total(c.k3Relatives));
        EXPECT_EQ(k2.L100, total(c.k4Own));
        EXPECT_EQ(k2.L110, total(c.k4Relatives));
    }
}

TEST(SocialDeductions, JsonForm) {
    Computed r;
    Compute(ReadFixture("k_employee.json"), r);
    const Json k1 = ToJson(r.s.StandardDeductions);
    std::vector<std::string> keys;
    for (const auto& item : k1.items()) keys.push_back(item.key());
    const std::vector<std::string> expectedKeys{
        "L130", "L140", "MonthIncome", "MonthExpense", "L010", "L020", "L030", "L040",
        "L050", "L060", "L070",        "L080",         "L090", "L100", "L110", "L120",
        "L150", "L160", "L170",        "L180",         "L190", "L200", "L210", "L220"};
    EXPECT_EQ(keys, expectedKeys);
    EXPECT_EQ(k1["L140"], 1);
    EXPECT_EQ(k1["MonthIncome"].size(), 12u);
    EXPECT_EQ(k1["MonthIncome"][0], "0");
    EXPECT_EQ(k1["L020"], "70000");
    EXPECT_EQ(k1["L180"], "600");

    const Json k2 = ToJson(r.s.SocialDeductions);
    EXPECT_EQ(k2.begin().key(), "L040");
    EXPECT_EQ(k2["L130"], "335000");

    const Json k3 = ToJson(r.s.PensionInsurance);
    const Json expectedRow = {{"Name", "СК Росгосстрах-Жизнь"},
                              {"INN", "7704186064"},
                              {"KPP", "770401001"},
                              {"ContractNumber", "П-17"},
                              {"ContractDate", "01.02.2008"},
                              {"Contributions", "12000"},
                              {"Accepted", "12000"}};
    EXPECT_EQ(k3["OwnRows"], Json::array({expectedRow}));
    EXPECT_EQ(k3["RelativesRows"], Json::array());
    EXPECT_EQ(k3["OwnTotal"], "12000");
    EXPECT_EQ(k3["RelativesTotal"], "0");
    EXPECT_EQ(ToJson(r.s.PensionFunds)["RelativesRows"][0]["Accepted"], "8000");
}

}  // namespace
}  // namespace zorv
