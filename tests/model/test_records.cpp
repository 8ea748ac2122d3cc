#include <gtest/gtest.h>

#include "imagebuilder.h"
#include "model/declaration.h"
#include "storage/documentstorage.h"
#include "storage/errors.h"
#include "storage/fileloader.h"
#include "storage/valuerange.h"

namespace zorv {
namespace {

using testing::AsText;

// The text of the stream that starts with name, up to the next stream name.
std::string StreamText(const mTDeclaration& d, const std::string& name) {
    std::string text = AsText(d.BuildImage());
    size_t start = text.find(name);
    EXPECT_NE(start, std::string::npos) << name;
    if (start == std::string::npos) return {};
    start += name.size();
    size_t end = text.find("@", start);
    // Back up over the four digits of the next name's length.
    return text.substr(start, end == std::string::npos ? std::string::npos : end - 4 - start);
}

TEST(Records, NewDeclarationImage) {
    mTDeclaration d;
    d.SetIncomeFlags(kIncomeFromAgents);
    std::vector<uint8_t> image = d.BuildImage();
    EXPECT_EQ(image.size(), d.ComputeSize());
    std::string text = AsText(image);
    EXPECT_EQ(text.substr(0, 60), "DLSG            Zorv20080102" + std::string(32, 'F'));
    EXPECT_EQ(StreamText(d, "@DeclInquiry"),
              "00010"
              "00010"
              "00010");
    EXPECT_EQ(StreamText(d, "@Nalog"), "00010");
    EXPECT_EQ(text.substr(text.size() - 16), "0004@God00042008");
    for (const char* stream :
         {"@DeclInfo", "@PersonName", "@PersonDocument", "@Foreigner", "@PhoneForeignerHome",
          "@PhoneForeignerWork", "@PersonAddress", "@HomePhone", "@WorkPhone", "@StandartDeduct",
          "@SocialDeduct", "@ConstructionDeduct"}) {
        EXPECT_NE(text.find(stream), std::string::npos) << stream;
    }
    // All eight taxpayer streams are there even when every field is empty.
    EXPECT_EQ(StreamText(d, "@HomePhone"), "00000000");
    // Without any income group no deduction stream is written.
    mTDeclaration bare;
    EXPECT_EQ(AsText(bare.BuildImage()).find("@StandartDeduct"), std::string::npos);
}

TEST(Records, ThirteenPercentSource) {
    mTDeclaration d;
    d.SetIncomeFlags(kIncomeFromAgents);
    mTThirteenPercent& s = d.ThirteenPercent(d.AddThirteenPercent());
    for (size_t m = 0; m < 12; ++m) s.SetMonthlyAmount(m, Money::Rubles(static_cast<int64_t>(m)));
    s.SetMonthlyAmount(2, Money::Absent());
    std::string text = StreamText(d, "@ThirteenPercent000");
    // primary-workplace flag, four empty texts, three amounts, twelve months, line count,
    // then the counts of the 35 % and dividend lists
    EXPECT_EQ(text,
              "00010"
              "0000000000000000"
              "000100001000010"
              "00010"
              "00011"
              "0001a"
              "00013000140001500016000170001800019000210000211"
              "00010"
              "00010"
              "00010");
    EXPECT_FALSE(s.HasMonthlyAmount(2));
    EXPECT_EQ(s.MonthlyAmount(2), Money());

    auto line = [](int64_t rubles) {
        mTSourseIncome l;
        l.IncomeCode = 2000;
        l.IncomeSum = Money::Rubles(rubles);
        return l;
    };
    s.AddIncome(line(100));
    s.AddIncome(line(50));
    EXPECT_EQ(s.IncomeTotal, Money::Rubles(150));
    EXPECT_NE(AsText(d.BuildImage()).find("0019@SourseIncome000001"), std::string::npos);
    s.SetIncome(0, std::nullopt);
    ASSERT_EQ(s.IncomeCount(), 1u);
    EXPECT_EQ(s.Income(0).IncomeSum, Money::Rubles(50));
    EXPECT_EQ(s.IncomeTotal, Money::Rubles(50));
    s.SetIncome(0, line(70));
    EXPECT_EQ(s.IncomeTotal, Money::Rubles(70));

    // The total stays within the range of amounts: a line taking it beyond is refused.
    EXPECT_THROW(s.AddIncome(line(kMaxMoneyRubles)), mEBadValue);
    EXPECT_EQ(s.IncomeCount(), 1u);
    s.SetIncome(0, line(kMaxMoneyRubles));
    mTSourseIncome half;
    half.IncomeSum = Money::FromRaw(5000);  // the sum still fits 64 bits
    EXPECT_THROW(s.AddIncome(half), mEBadValue);
    EXPECT_EQ(s.IncomeTotal, kMaxMoney);
}

TEST(Records, DeductionStreams) {
    mTDeclaration d;
    d.SetIncomeFlags(kIncomeFromAgents);
    d.StandartDeduct.Granted = 0;
    EXPECT_EQ(StreamText(d, "@StandartDeduct"), "00010");

    d.SocialDeduct.Granted = 1;
    d.SocialDeduct.AddEducationSum(Money::Rubles(1000));
    d.SocialDeduct.AddEducationSum(Money::Rubles(2500));
    EXPECT_EQ(StreamText(d, "@SocialDeduct"),
              "00011"
              "00010"
              "00010"
              "00012"
              "00041000"
              "00042500"
              "00010"
              "00010"
              "00010");
    EXPECT_EQ(StreamText(d, "@Pens"), "00010");

    d.ConstructionDeduct.Granted = 1;
    std::string property = StreamText(d, "@ConstructionDeduct");
    EXPECT_NE(property.find("00010"
                            "00010"
                            "00011"),
              std::string::npos);                                    // Share 1 among the amounts
    EXPECT_EQ(property.substr(property.size() - 10), "0001000010");  // the share fraction 0/0
}

TEST(Records, AdvancePaymentsFollowTheirCount) {
    mTDeclaration d;
    d.Nalog(d.AddNalog()).Amount = Money::Rubles(1);
    d.AddNalog();
    std::string text = AsText(d.BuildImage());
    EXPECT_NE(text.find("0006@Nalog000120012@NalogSub000"), std::string::npos);
    EXPECT_NE(text.find("0012@NalogSub001"), std::string::npos);
}

TEST(Records, BusinessWithoutConfirmedExpensesHasNoExpenseStream) {
    mTDeclaration d;
    d.SetIncomeFlags(kIncomeBusiness);
    mTBusinessNew& b = d.Business(d.AddBusiness());
    EXPECT_EQ(b.ActivityCode, "..");
    EXPECT_NE(AsText(d.BuildImage()).find("@BusinessExpense000"), std::string::npos);
    b.HasConfirmedExpenses = 0;
    EXPECT_EQ(AsText(d.BuildImage()).find("@BusinessExpense"), std::string::npos);
}

TEST(Records, CurrencyConversion) {
    mTCurrencyIncome c;
    c.IncomeRate1 = Money::FromRaw(315678);
    c.IncomeUnits = 1;
    c.SetIncomeInCurrency(Money::Rubles(100));
    EXPECT_EQ(c.IncomeInRubles, Money::FromRaw(31567800));
    c.TaxRate1 = Money::FromRaw(315678);
    c.SetTaxInCurrency(Money::Rubles(100));
    EXPECT_EQ(c.TaxInRubles, Money::Rubles(0));  // no units: nothing converted
    c.IncomeUnits = 100;
    c.IncomeRate1 = Money::FromRaw(2675);  // 0.2675 per 100 units
    c.SetIncomeInCurrency(Money::Rubles(100));
    EXPECT_EQ(c.IncomeInRubles, Money::FromRaw(2700));
}

TEST(Records, IncomeGroupsAndAppendixCounters) {
    mTDeclaration d;
    d.SetIncomeFlags(kIncomeFromAgents | kIncomeForeign);
    d.AddThirteenPercent();
    d.AddCurrencyIncome();
    d.SetIncomeFlags(kIncomeForeign);
    d.SetIncomeFlags(kIncomeForeign | kIncomeFromAgents);
    EXPECT_EQ(d.ThirteenPercentCount(), 0u);
    EXPECT_EQ(d.CurrencyIncomeCount(), 1u);
    d.SetIncomeFlags(0);
    EXPECT_THROW(d.AddCurrencyIncome(), std::logic_error);

    d.AutoCountAppendixes = 1;
    d.AppendixTotal = 3;
    d.SetAppendixCount(AppendixCounter::D, 2);
    EXPECT_EQ(d.AppendixTotal, 5u);
    d.SetAppendixCount(AppendixCounter::D, 0);
    d.SetAppendixCount(AppendixCounter::G, 0);
    EXPECT_EQ(d.AppendixTotal, 3u);
    d.AppendixTotal = 0;
    d.SetAppendixCount(AppendixCounter::J, 4);
    d.SetAppendixCount(AppendixCounter::J, 0);
    d.AppendixTotal = 1;
    d.SetAppendixCount(AppendixCounter::E, 5);
    d.AppendixTotal = 0;
    d.SetAppendixCount(AppendixCounter::E, 0);
    EXPECT_EQ(d.AppendixTotal, 0u);  // never wraps below zero
    d.AutoCountAppendixes = 0;
    d.SetAppendixCount(AppendixCounter::Z, 9);
    d.SetAppendixTotal(2);
    EXPECT_EQ(d.AppendixTotal, 2u);
    d.AutoCountAppendixes = 1;
    d.SetAppendixTotal(8);
    EXPECT_EQ(d.AppendixTotal, 2u);
}

TEST(Records, ListsHoldAtMostAThousandEntries) {
    mTDeclaration d;
    for (int i = 0; i < 1000; ++i) d.AddNalog();
    EXPECT_THROW(d.AddNalog(), mEBadValue);
    mTThirteenPercent s;
    for (int i = 0; i < 1000; ++i) s.AddIncome({});
    EXPECT_THROW(s.AddIncome({}), mEBadValue);
    EXPECT_EQ(d.BuildImage().size(), d.ComputeSize());
}

TEST(Records, EducationSumIndexErrors) {
    mTSocialDeduct social;
    social.AddEducationSum(Money::Rubles(1));
    struct Case {
        std::function<void()> action;
        uint16_t code;
    } cases[] = {{[&] { social.EducationSum(1); }, 311},
                 {[&] { social.EducationSum(-1); }, 310},
                 {[&] { social.SetEducationSum(5, {}); }, 321},
                 {[&] { social.RemoveEducationSum(1); }, 331}};
    for (const Case& c : cases) {
        try {
            c.action();
            ADD_FAILURE() << c.code;
        } catch (const mEMemoryAllocate& e) {
            EXPECT_EQ(e.ErrorCode(), c.code);
            EXPECT_STREQ(e.what(), "Не выделена память.");
        }
    }
}

}  // namespace
}  // namespace zorv
