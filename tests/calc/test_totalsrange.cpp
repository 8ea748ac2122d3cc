#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "calc/svodsum.h"
#include "calc/totalsrange.h"
#include "check/pagecodes.h"
#include "model/jsonform.h"
#include "storage/valuerange.h"

namespace zorv {
namespace {

// The sample resident with one 13 % source per amount, one income line each,
// and nothing withheld or deducted.
mTDeclaration Sources(const std::vector<std::string>& amounts) {
    std::ifstream in(ZORV_SOURCE_DIR "/data/samples/employee.json");
    Json json = Json::parse(in);
    const Json employer = json["ThirteenPercentList"][0];
    Json sources = Json::array();
    for (const std::string& amount : amounts) {
        Json source = employer;
        source["IncomeList"] = {{{"IncomeCode", 2000}, {"IncomeSum", amount}, {"Month", 1}}};
        source["TaxWithheld"] = source["TaxComputed"] = source["TaxableIncome"] = "0";
        sources.push_back(source);
    }
    json["ThirteenPercentList"] = sources;
    json["StandartDeduct"] = {{"Granted", 0}};
    json.erase("SocialDeduct");
    json.erase("ConstructionDeduct");
    mTDeclaration d;
    DeclarationFromJson(json, d);
    return d;
}

TEST(TotalsRange, SumsBeyondTheFormAreRefusedNamingSheetAndLine) {
    struct Case {
        const char* what;
        std::vector<std::string> amounts;
        bool refused;
    } cases[] = {
        {"at the edge", {"999999999999.99"}, false},
        {"at the edge in two parts", {"999999999998.99", "1"}, false},
        {"a kopeck beyond", {"999999999999.99", "0.01"}, true},
        {"one line beyond", {"1000000000000"}, true},
        // 2 × 900 000 000 000 000 leaves 64 bits: it must not wrap round.
        {"past the money type", {"900000000000000", "900000000000000"}, true},
        {"ten at the type's end", std::vector<std::string>(10, "922337203685477"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mTDeclaration d = Sources(c.amounts);
        std::optional<DeclarationProblem> problem = TotalsOutOfRange(d);
        ASSERT_EQ(problem.has_value(), c.refused);
        DeclarationCheckResult check = CheckDeclarationAndTotals(d);
        EXPECT_EQ(check.Passed(), !c.refused);
        if (!problem) continue;
        // The first line of the form in its order: section 1, line 010 (income).
        EXPECT_EQ(problem->section, "Раздел 1, строка 010");
        EXPECT_NE(problem->message.find("Раздел 1, строка 010: сумма"), std::string::npos);
        EXPECT_NE(problem->message.find("999 999 999 999,99"), std::string::npos);
        EXPECT_EQ(problem->page, kPageIncome13);
        EXPECT_GE(problem->focus, 1);
        ASSERT_EQ(check.shown.size(), 1u);
        EXPECT_EQ(check.shown.front().rule, "totals");
        EXPECT_EQ(ListDeclarationAndTotalsProblems(d).back().message, problem->message);
    }
}

TEST(TotalsRange, OverflowingSumIsReportedAsBeyondTheMoneyType) {
    mTDeclaration d = Sources({"900000000000000", "900000000000000"});
    kTSvodSum s;
    mTDeclaration copy = d;
    s.Compute(copy);
    EXPECT_FALSE(IsMoneyInRange(s.Income13.Income));
    EXPECT_FALSE(s.Income13.Income.IsNegative());
    std::optional<DeclarationProblem> problem = TotalsOutOfRange(copy, s);
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->message.find("больше 922 337 203 685 477 руб."), std::string::npos);
}

// Random sources at the edges of the amounts: the income total is the exact sum
// whenever that fits the form, and the check refuses exactly the others.
TEST(TotalsRange, RandomSumsAtTheEdges) {
    std::mt19937_64 random(20081231);
    const int64_t edges[] = {kMaxMoney.Raw(), kMaxFormAmount.Raw(), kMaxFormAmount.Raw() / 2,
                             kMaxFormAmount.Raw() / 7, 1000};
    for (int round = 0; round < 200; ++round) {
        const size_t count = 1 + random() % 12;
        std::vector<std::string> amounts;
        __int128 exact = 0;
        for (size_t i = 0; i < count; ++i) {
            const int64_t edge = edges[random() % std::size(edges)];
            const int64_t raw = edge - static_cast<int64_t>(random() % 3) * 100;
            amounts.push_back(Money::FromRaw(raw).ToString());
            exact += raw;
        }
        SCOPED_TRACE(testing::PrintToString(amounts));
        mTDeclaration d = Sources(amounts);
        kTSvodSum s;
        s.Compute(d);
        const bool fits = exact <= kMaxFormAmount.Raw();
        EXPECT_EQ(TotalsOutOfRange(d, s).has_value(), !fits);
        if (fits) {
            EXPECT_EQ(s.Income13.Income.Raw(), static_cast<int64_t>(exact));
        } else {
            EXPECT_GT(s.Income13.Income, kMaxFormAmount);
        }
    }
}

}  // namespace
}  // namespace zorv
