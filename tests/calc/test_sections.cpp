// Sections 1-4, the 15 % base and section 6: tax by rate, refund or payment,
// and the split of the amounts by budget classification code and territory.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
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

constexpr const char* k010 = "18210102010011000110";  // 9 %
constexpr const char* k011 = "18210102011011000110";  // 15 %
constexpr const char* k021 = "18210102021011000110";  // 13 %, agents
constexpr const char* k022 = "18210102022011000110";  // 13 %, own activity
constexpr const char* k030 = "18210102030011000110";  // 30 %
constexpr const char* k040 = "18210102040011000110";  // 35 %
constexpr const char* k050 = "18210102050011000110";  // 9 %, other

void AddNotice(mTDeclaration& d, const char* code, int rubles) {
    mTNalog& n = d.Nalog(d.AddNalog());
    n.BudgetCode = code;
    n.Amount = Money::Rubles(rubles);
}

mTThirteenPercent& AddSource(mTDeclaration& d, const char* okato, int withheld) {
    mTThirteenPercent& source = d.ThirteenPercent(d.AddThirteenPercent());
    source.OKATO = okato;
    source.TaxWithheld = Money::Rubles(withheld);
    return source;
}

TEST(Section1, TaxAndBalance) {
    struct Case {
        const char* name;
        const char* income;
        int withheld, advances, credit;
        int l060, l100, l110;
    };
    const Case cases[] = {
        // The foreign credit lowers what is due but never makes a refund.
        {"creditNoRefund", "10000", 1000, 0, 500, 1300, 0, 0},
        {"refund", "10000", 2000, 0, 0, 1300, 700, 0},
        {"advancesRefunded", "10000", 1000, 500, 0, 1300, 200, 0},
        {"payment", "10000", 1000, 0, 100, 1300, 0, 200},
        {"roundDown", "10000.04", 0, 0, 0, 1300, 0, 1300},
        {"roundUp", "10003.85", 0, 0, 0, 1301, 0, 1301},
        {"balanced", "10000", 1300, 0, 0, 1300, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d;
        kTSvodSum s;
        s.Income13.Income = Rub(c.income);
        s.Income13.TaxWithheld = Money::Rubles(c.withheld);
        s.Business.AdvancePaid = Money::Rubles(c.advances);
        s.Foreign13.TaxCredit = Money::Rubles(c.credit);
        ASSERT_TRUE(s.Section1.Compute(d, s));
        EXPECT_EQ(s.Section1.L060, Money::Rubles(c.l060));
        EXPECT_EQ(s.Section1.L100, Money::Rubles(c.l100));
        EXPECT_EQ(s.Section1.L110, Money::Rubles(c.l110));
    }
}

TEST(Section1, IncomeDeductionsAndPayments) {
    mTDeclaration d;
    AddNotice(d, k021, 100);
    AddNotice(d, k022, 200);
    AddNotice(d, k030, 400);  // another rate
    AddNotice(d, "", 800);
    kTSvodSum s;
    s.Income13.Income = Money::Rubles(1000000);
    s.Business.Income = Money::Rubles(200000);
    s.PrivatePractice.Income = Money::Rubles(300000);
    s.Foreign13.Income = Money::Rubles(500000);
    s.Exempt.L130 = Money::Rubles(4000);
    s.Business.AdvancePaid = Money::Rubles(1000);
    s.PrivatePractice.AdvancePaid = Money::Rubles(2000);
    Money* deductions[] = {&s.StandardDeductions.L220,
                           &s.SocialDeductions.L130,
                           &s.ShareSale.L130,
                           &s.PropertySale.L210,
                           &s.ShareSaleForeign.L130,
                           &s.Housing.L210,
                           &s.Housing.L220,
                           &s.Housing.L190,
                           &s.Housing.L180,
                           &s.Securities.TotalExpense,
                           &s.TrustSecurities.TotalExpense,
                           &s.Business.Deduction,
                           &s.PrivatePractice.Deduction,
                           &s.AuthorFees.Expense,
                           &s.AuthorFeesForeign.Expense,
                           &s.CivilContracts.Expense,
                           &s.CivilContractsForeign.Expense};
    int64_t bit = 1;
    for (Money* m : deductions) {
        *m = Money::Rubles(bit);
        bit <<= 1;
    }
    ASSERT_TRUE(s.Section1.Compute(d, s));
    const kTSvodSumList1& x = s.Section1;
    EXPECT_EQ(x.L010, Money::Rubles(2000000));
    EXPECT_EQ(x.L020, Money::Rubles(4000));
    EXPECT_EQ(x.L030, Money::Rubles(1996000));
    EXPECT_EQ(x.L040, Money::Rubles((1 << 17) - 1));  // every term once
    EXPECT_EQ(x.L050, Money::Rubles(1996000 - ((1 << 17) - 1)));
    EXPECT_EQ(x.L075, Money::Rubles(3000));
    EXPECT_EQ(x.L080, Money::Rubles(300));

    // Deductions above the income leave a zero base.
    s.Business.Deduction = Money::Rubles(3000000);
    ASSERT_TRUE(s.Section1.Compute(d, s));
    EXPECT_EQ(s.Section1.L050, Money());
    EXPECT_EQ(s.Section1.L060, Money());
    EXPECT_EQ(s.Section1.L100, Money::Rubles(3300));
}

TEST(Section2, NonResidentAt30Percent) {
    mTDeclaration d;
    d.DeclarationKind = kNonResident3NDFL;
    AddNotice(d, k030, 500);
    kTSvodSum s;
    s.Income30.Income = Money::Rubles(100000);
    s.Income30.TaxWithheld = Money::Rubles(26000);
    s.Exempt.L130 = Money::Rubles(1000);
    s.Exempt.L170 = Money::Rubles(2000);
    s.Securities.TotalExpense = Money::Rubles(4000);
    s.TrustSecurities.TotalExpense = Money::Rubles(3000);
    ASSERT_TRUE(s.Section2.Compute(d, s));
    const kTSvodSumList2& x = s.Section2;
    EXPECT_EQ(x.L010, Money::Rubles(100000));
    EXPECT_EQ(x.L020, Money::Rubles(3000));
    EXPECT_EQ(x.L030, Money::Rubles(97000));
    EXPECT_EQ(x.L040, Money::Rubles(7000));
    EXPECT_EQ(x.L050, Money::Rubles(90000));
    EXPECT_EQ(x.L060, Money::Rubles(27000));
    EXPECT_EQ(x.L080, Money::Rubles(500));
    EXPECT_EQ(x.L090, Money());
    EXPECT_EQ(x.L100, Money::Rubles(500));

    // A resident's payments under the 30 % code are refunded in full.
    d.DeclarationKind = kResident3NDFL;
    ASSERT_TRUE(s.Section2.Compute(d, s));
    EXPECT_EQ(s.Section2.L010, Money());
    EXPECT_EQ(s.Section2.L060, Money());
    EXPECT_EQ(s.Section2.L090, Money::Rubles(500));
    EXPECT_EQ(s.Section2.L100, Money());
}

TEST(Section3, PrizesAt35Percent) {
    struct Case {
        const char* name;
        int withheld;
        int l080, l090;
    };
    // Tax 35 % of 12 000 - 4 000 = 2 800; benefit tax 350, notices 500, credit 100.
    const Case cases[] = {{"payment", 1000, 0, 850}, {"refund", 3000, 1050, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d;
        AddNotice(d, k040, 500);
        kTSvodSum s;
        s.Income35.Income = Money::Rubles(10000);
        s.Foreign35.Income = Money::Rubles(2000);
        s.Exempt.L170 = Money::Rubles(4000);
        s.Income35.TaxWithheld = Money::Rubles(c.withheld);
        s.BenefitWithheld.TaxWithheld = Money::Rubles(350);
        s.Foreign35.TaxCredit = Money::Rubles(100);
        ASSERT_TRUE(s.Section3.Compute(d, s));
        const kTSvodSumList3& x = s.Section3;
        EXPECT_EQ(x.L010, Money::Rubles(12000));
        EXPECT_EQ(x.L030, Money::Rubles(8000));
        EXPECT_EQ(x.L040, Money::Rubles(2800));
        EXPECT_EQ(x.L060, Money::Rubles(500));
        EXPECT_EQ(x.WithheldOnExempt, Money::Rubles(350));
        EXPECT_EQ(x.L080, Money::Rubles(c.l080));
        EXPECT_EQ(x.L090, Money::Rubles(c.l090));
    }

    // Exempt part above the income: no negative base; the benefit tax is refunded.
    mTDeclaration d;
    kTSvodSum s;
    s.Income35.Income = Money::Rubles(3000);
    s.Exempt.L170 = Money::Rubles(4000);
    s.BenefitWithheld.TaxWithheld = Money::Rubles(350);
    ASSERT_TRUE(s.Section3.Compute(d, s));
    EXPECT_EQ(s.Section3.L030, Money());
    EXPECT_EQ(s.Section3.L080, Money::Rubles(350));
}

TEST(Section4AndBase15, Dividends) {
    mTDeclaration d;
    AddNotice(d, k010, 100);
    AddNotice(d, k050, 50);
    AddNotice(d, k011, 100);
    kTSvodSum s;
    s.DividendsRes.Income = Money::Rubles(100000);
    s.DividendsRes.TaxableIncome = Money::Rubles(90000);
    s.DividendsRes.TaxComputed = Money::Rubles(8101);  // the sheet's tax, taken as is
    s.DividendsRes.TaxWithheld = Money::Rubles(8000);
    s.Foreign9.Income = Money::Rubles(10000);
    s.Foreign9.TaxComputedRF = Money::Rubles(900);
    s.Foreign9.TaxCredit = Money::Rubles(300);
    s.DividendsNonRes.Income = Money::Rubles(20000);
    s.DividendsNonRes.TaxableIncome = Rub("10000.04");
    s.DividendsNonRes.TaxWithheld = Money::Rubles(1000);
    ASSERT_TRUE(s.Section4.Compute(d, s));
    ASSERT_TRUE(s.Base15.Compute(d, s));
    const kTSvodSumList4& x = s.Section4;
    EXPECT_EQ(x.L010, Money::Rubles(110000));
    EXPECT_EQ(x.L020, Money::Rubles(100000));
    EXPECT_EQ(x.L030, Money::Rubles(9001));
    EXPECT_EQ(x.L050, Money::Rubles(150));
    EXPECT_EQ(x.L060, Money::Rubles(300));
    EXPECT_EQ(x.L070, Money());
    EXPECT_EQ(x.L080, Money::Rubles(551));
    // The 15 % base is a non-resident's.
    EXPECT_EQ(s.Base15.TaxComputed, Money());

    d.DeclarationKind = kNonResident3NDFL;
    ASSERT_TRUE(s.Section4.Compute(d, s));
    ASSERT_TRUE(s.Base15.Compute(d, s));
    EXPECT_EQ(s.Section4.L030, Money());
    EXPECT_EQ(s.Section4.L080, Money());
    const kTSvodSumList5& b = s.Base15;
    EXPECT_EQ(b.Income, Money::Rubles(20000));
    EXPECT_EQ(b.TaxBase, Rub("10000.04"));
    EXPECT_EQ(b.TaxComputed, Money::Rubles(1500));
    EXPECT_EQ(b.PaidOnNotice, Money::Rubles(100));
    EXPECT_EQ(b.Payment, Money::Rubles(400));
    EXPECT_EQ(b.Refund, Money());

    s.DividendsNonRes.TaxWithheld = Money::Rubles(2000);
    ASSERT_TRUE(s.Base15.Compute(d, s));
    EXPECT_EQ(s.Base15.Refund, Money::Rubles(600));
    EXPECT_EQ(s.Base15.Payment, Money());
}

struct Row6 {
    const char* code;
    const char* okato;
    const char* sign;
    int amount;
};

void ExpectRows(const kTSvodSumList6& section, const std::vector<Row6>& want) {
    ASSERT_EQ(section.Rows.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(section.Rows[i].BudgetCode, want[i].code);
        EXPECT_EQ(section.Rows[i].OKATO, want[i].okato);
        EXPECT_EQ(section.Rows[i].Sign, want[i].sign);
        EXPECT_EQ(section.Rows[i].Amount, Money::Rubles(want[i].amount));
    }
}

// Territory codes: the taxpayer's own, and A, B of sources.
constexpr const char* kOwn = "46204501000";
constexpr const char* kA = "45286560000";
constexpr const char* kB = "45263591000";

TEST(Section6, SplitsTheSection1Balance) {
    struct Case {
        const char* name;
        int refund, payment;
        std::function<void(mTDeclaration&, kTSvodSum&)> setup;
        std::vector<Row6> rows;
    };
    const auto sources = [](std::vector<std::pair<const char*, int>> list) {
        return [list](mTDeclaration& d, kTSvodSum&) {
            for (const auto& [okato, withheld] : list) AddSource(d, okato, withheld);
        };
    };
    const Case cases[] = {
        {"sameTerritoryMerged", 700, 0, sources({{kA, 500}, {kA, 400}}), {{k021, kA, "2", 700}}},
        {"sourcesInListOrder",
         1000,
         0,
         sources({{kA, 500}, {kB, 400}, {kA, 300}}),
         {{k021, kA, "2", 600}, {k021, kB, "2", 400}}},
        {"sourceWithoutTaxSkipped", 300, 0, sources({{kA, 0}, {kB, 400}}), {{k021, kB, "2", 300}}},
        {"restUnderAgentsCode",
         700,
         0,
         sources({{kA, 400}}),
         {{k021, kA, "2", 400}, {k021, kOwn, "2", 300}}},
        {"noSourcesNoNotices", 300, 0, sources({}), {{k021, kOwn, "2", 300}}},
        {"businessAdvances",
         700,
         0,
         [](mTDeclaration& d, kTSvodSum&) {
             d.AddBusiness();
             d.AdvanceActual = Money::Rubles(900);
         },
         {{k022, kOwn, "2", 700}}},
        {"advancesBeforeSources",
         700,
         0,
         [](mTDeclaration& d, kTSvodSum&) {
             d.AddBusiness();
             d.AdvanceActual = Money::Rubles(200);
             AddSource(d, kA, 1000);
         },
         {{k022, kOwn, "2", 200}, {k021, kA, "2", 500}}},
        {"advancesWithoutActivityIgnored",
         700,
         0,
         [](mTDeclaration& d, kTSvodSum&) {
             d.AdvanceActual = Money::Rubles(900);
             AddSource(d, kA, 1000);
         },
         {{k021, kA, "2", 700}}},
        {"privatePracticeAdvances",
         700,
         0,
         [](mTDeclaration& d, kTSvodSum&) {
             d.AddBusiness();
             d.AdvanceActual = Money::Rubles(200);
             d.AddRepetit();
             d.RepetitTotal1 = Money::Rubles(300);
         },
         {{k022, kOwn, "2", 500}, {k021, kOwn, "2", 200}}},
        {"noticesOwnActivity",
         700,
         0,
         [](mTDeclaration& d, kTSvodSum&) { AddNotice(d, k022, 300); },
         {{k022, kOwn, "2", 300}, {k021, kOwn, "2", 400}}},
        {"noticesAgentsCode",
         700,
         0,
         [](mTDeclaration& d, kTSvodSum&) { AddNotice(d, k021, 300); },
         {{k021, kOwn, "2", 300}, {k022, kOwn, "2", 400}}},
        {"noticesOfTheFirstCodeOnly",
         700,
         0,
         [](mTDeclaration& d, kTSvodSum&) {
             AddNotice(d, k022, 100);
             AddNotice(d, k021, 200);
             AddNotice(d, k022, 50);
         },
         {{k022, kOwn, "2", 150}, {k021, kOwn, "2", 550}}},
        // A notice of another rate is that section's business: the first 13 % code
        // decides, and no part of this refund goes under the 35 % or an empty code.
        {"noticesOfOtherRatesIgnored",
         700,
         0,
         [](mTDeclaration& d, kTSvodSum&) {
             AddNotice(d, k040, 500);
             AddNotice(d, "", 500);
             AddNotice(d, k022, 300);
         },
         {{k022, kOwn, "2", 300}, {k021, kOwn, "2", 400}}},
        {"noticesAboveRefund",
         200,
         0,
         [](mTDeclaration& d, kTSvodSum&) { AddNotice(d, k022, 300); },
         {{k022, kOwn, "2", 200}}},
        {"paymentAgents", 0, 500, sources({{kA, 100}}), {{k021, kOwn, "1", 500}}},
        // Own activity: 13 % of (100 000 - 40 000) = 7 800 less 5 000 advances.
        {"paymentOwnActivityFirst",
         0,
         3000,
         [](mTDeclaration& d, kTSvodSum& s) {
             d.AddBusiness();
             s.Business.Income = Money::Rubles(100000);
             s.Business.Deduction = Money::Rubles(40000);
             s.Business.AdvancePaid = Money::Rubles(5000);
         },
         {{k022, kOwn, "1", 2800}, {k021, kOwn, "1", 200}}},
        {"paymentOwnActivityCapped",
         0,
         1000,
         [](mTDeclaration& d, kTSvodSum& s) {
             d.AddRepetit();
             s.PrivatePractice.Income = Money::Rubles(100000);
         },
         {{k022, kOwn, "1", 1000}}},
        {"paymentAdvancesCoverOwnActivity",
         0,
         3000,
         [](mTDeclaration& d, kTSvodSum& s) {
             d.AddBusiness();
             s.Business.Income = Money::Rubles(100000);
             s.Business.AdvancePaid = Money::Rubles(13000);
         },
         {{k021, kOwn, "1", 3000}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d;
        d.SetIncomeFlags(kIncomeFromAgents | kIncomeBusiness | kIncomeRepetit);
        d.Person.OKATO = kOwn;
        kTSvodSum s;
        c.setup(d, s);
        s.Section1.L100 = Money::Rubles(c.refund);
        s.Section1.L110 = Money::Rubles(c.payment);
        ASSERT_TRUE(s.Section6.Compute(d, s));
        ExpectRows(s.Section6, c.rows);
    }
}

// Refunds at the other rates go to the territory of the withholding source,
// payments to the taxpayer's; the rows follow sections 3, 2, 4 and the 15 % base.
TEST(Section6, OtherRatesByTerritory) {
    mTDeclaration d;
    d.Person.OKATO = kOwn;
    kTSvodSum s;
    s.OkatoThirtyFive = "35";
    s.OkatoThirteen = "30";
    s.OkatoDividends = "09";
    s.OkatoFifteen = "15";
    s.Section1.L110 = Money::Rubles(1);
    s.Section3.L080 = Money::Rubles(2);
    s.Section3.L090 = Money::Rubles(3);
    s.Section2.L090 = Money::Rubles(4);
    s.Section2.L100 = Money::Rubles(5);
    s.Section4.L070 = Money::Rubles(6);
    s.Section4.L080 = Money::Rubles(7);
    s.Base15.Refund = Money::Rubles(8);
    s.Base15.Payment = Money::Rubles(9);
    ASSERT_TRUE(s.Section6.Compute(d, s));
    ExpectRows(s.Section6, {{k021, kOwn, "1", 1},
                            {k040, "35", "2", 2},
                            {k040, kOwn, "1", 3},
                            {k030, "30", "2", 4},
                            {k030, kOwn, "1", 5},
                            {k010, "09", "2", 6},
                            {k010, kOwn, "1", 7},
                            {k011, "15", "2", 8},
                            {k011, kOwn, "1", 9}});
}

// Nothing to pay or refund: one row "3" under the code of the main income.
TEST(Section6, NothingDueRow) {
    struct Case {
        const char* name;
        uint8_t category;
        bool thirteen, dividends, prizes;
        const char* code;
    };
    const Case cases[] = {
        {"individualWithSalary", 5, true, true, true, k021},
        {"entrepreneur", 0, true, false, false, k022},
        {"lawyer", 3, false, true, false, k022},
        {"dividendsOnly", 4, false, true, true, k010},
        {"prizesOnly", 5, false, false, true, k040},
        {"noIncome", 5, false, false, false, k021},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d;
        d.SetIncomeFlags(kIncomeFromAgents);
        d.TaxpayerCategory = c.category;
        d.Person.OKATO = kOwn;
        if (c.thirteen) d.AddThirteenPercent();
        if (c.dividends) d.AddThirtyPercent();
        if (c.prizes) d.AddThirtyFivePercent();
        kTSvodSum s;
        ASSERT_TRUE(s.Section6.Compute(d, s));
        ExpectRows(s.Section6, {{c.code, kOwn, "3", 0}});
    }
}

// The buyer of a flat: the deductions take the whole 13 % base, and the tax
// withheld is refunded to the employer's territory.
TEST(Sections, BuyerFixture) {
    mTDeclaration d;
    DeclarationFromJson(ReadFixture("l_buyer.json"), d);
    kTSvodSum s;
    ASSERT_TRUE(s.Compute(d));
    const kTSvodSumList1& x = s.Section1;
    EXPECT_EQ(x.L010, Money::Rubles(420000));
    EXPECT_EQ(x.L030, Money::Rubles(420000));
    EXPECT_EQ(x.L040, Money::Rubles(420000));
    EXPECT_EQ(x.L050, Money());
    EXPECT_EQ(x.L060, Money());
    EXPECT_EQ(x.L070, Money::Rubles(54600));
    EXPECT_EQ(x.L100, Money::Rubles(54600));
    EXPECT_EQ(x.L110, Money());
    ExpectRows(s.Section6, {{k021, kA, "2", 54600}});

    const Json json = ToJson(s.Section6);
    const Json expected = {
        {"Rows", {{{"BudgetCode", k021}, {"OKATO", kA}, {"Sign", "2"}, {"Amount", "54600"}}}}};
    EXPECT_EQ(json, expected);
    const Json section1 = ToJson(x);
    EXPECT_EQ(section1["L100"], "54600");
    EXPECT_EQ(std::next(section1.begin(), 2).key(), "L040");

    // A second computation on the same declaration gives the same result.
    kTSvodSum again;
    ASSERT_TRUE(again.Compute(d));
    EXPECT_EQ(SvodSumToJson(again), SvodSumToJson(s));
}

// A non-resident: sections 1, 3 and 4 and the resident-only deductions stay
// zero; section 2 and the 15 % base carry the income.
TEST(Sections, NonResidentFixture) {
    mTDeclaration d;
    DeclarationFromJson(ReadFixture("s_nonresident.json"), d);
    kTSvodSum s;
    ASSERT_TRUE(s.Compute(d));
    EXPECT_EQ(ToJson(s.Section1), ToJson(kTSvodSumList1()));
    EXPECT_EQ(ToJson(s.Section3), ToJson(kTSvodSumList3()));
    EXPECT_EQ(ToJson(s.Section4), ToJson(kTSvodSumList4()));
    EXPECT_EQ(s.StandardDeductions.L220, Money());
    EXPECT_EQ(s.SocialDeductions.L130, Money());
    EXPECT_EQ(s.Housing.L080, Money());
    EXPECT_EQ(s.Section2.L010, Money::Rubles(100000));
    EXPECT_EQ(s.Section2.L060, Money::Rubles(30000));
    EXPECT_EQ(s.Section2.L090, Money::Rubles(1000));
    EXPECT_EQ(s.Base15.TaxComputed, Money::Rubles(1500));
    EXPECT_EQ(s.Base15.Payment, Money::Rubles(500));
    ExpectRows(s.Section6, {{k030, kA, "2", 1000}, {k011, kOwn, "1", 500}});
}

}  // namespace
}  // namespace zorv
