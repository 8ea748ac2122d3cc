#include <gtest/gtest.h>

#include "model/numtext.h"

namespace zorv {
namespace {

TEST(NumText, RoundHalfUpCutsNegativesTowardZero) {
    struct Case {
        long double x;
        int64_t result;
    } cases[] = {{1234.50L, 1235}, {1234.4999L, 1234}, {-2.7L, -2}, {-2.5L, -2},
                 {-234.5L, -234},  {0.5L, 1},          {0.49L, 0},  {1300.5005L, 1301}};
    for (const Case& c : cases) EXPECT_EQ(RoundHalfUp(c.x), c.result) << static_cast<double>(c.x);
}

// The argument is a double first, so a decimal half below its binary value rounds down.
TEST(NumText, RoundTo2FollowsTheBinaryValue) {
    struct Case {
        double x;
        double result;
    } cases[] = {{0.125, 0.13}, {2.344, 2.34}, {2.346, 2.35}, {-0.125, -0.12},
                 {2.345, 2.35}, {2.675, 2.67}, {1.115, 1.11}, {3156.78, 3156.78}};
    for (const Case& c : cases) EXPECT_EQ(RoundTo2(c.x), c.result) << c.x;
}

TEST(NumText, MoneyTexts) {
    struct Case {
        int64_t raw;
        const char* kopeck;
        const char* limited;
    } cases[] = {
        {12345000, "1234.50", "1234.5"},
        {0, "0.00", "0"},
        {70500, "7.05", "7.05"},
        {-100000, "0.00", "-10"},
        {12345678, "1234.56", "1234.5678"},
        {15000000, "1500.00", "1500"},
        {10000000000000000, "999999999999.99", "1000000000000"},
        {-123456789012345000, "0.00", "999999999999999"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MoneyToKopeckText(Money::FromRaw(c.raw)), c.kopeck) << c.raw;
        EXPECT_EQ(MoneyToLimitedText(Money::FromRaw(c.raw)), c.limited) << c.raw;
    }
    EXPECT_EQ(MoneyToUserText(Money::FromRaw(12345000)), "1234,5");
}

}  // namespace
}  // namespace zorv
