#include <gtest/gtest.h>

#include "storage/codepage.h"
#include "storage/daynumber.h"
#include "storage/money.h"

namespace zorv {
namespace {

TEST(Money, ShortestTextIsBuiltFromTheInteger) {
    struct Case {
        int64_t raw;
        const char* text;
    } cases[] = {{0, "0"},
                 {15000000, "1500"},
                 {12345000, "1234.5"},
                 {1, "0.0001"},
                 {-122500, "-12.25"},
                 {-5000, "-0.5"},
                 {INT64_MAX, "922337203685477.5807"},
                 {100, "0.01"}};
    for (const Case& c : cases) EXPECT_EQ(Money::FromRaw(c.raw).ToString(), c.text) << c.raw;
}

TEST(Money, ParsesWithTheGivenSeparator) {
    struct Case {
        const char* text;
        char separator;
        std::optional<int64_t> raw;
    } cases[] = {
        {"1234.5", '.', 12345000},
        {"12,5", ',', 125000},
        {"12,5", '.', std::nullopt},
        {"-12.25", '.', -122500},
        {"+3", '.', 30000},
        {" 7 ", '.', 70000},
        {"0.00005", '.', 1},
        {"0.00004", '.', 0},
        {"", '.', std::nullopt},
        {"1.2.3", '.', std::nullopt},
        {"a", '.', std::nullopt},
        {"-", '.', std::nullopt},
        {"99999999999999999999", '.', std::nullopt},
        {".5", '.', 5000},
    };
    for (const Case& c : cases) {
        std::optional<Money> m = Money::Parse(c.text, c.separator);
        ASSERT_EQ(m.has_value(), c.raw.has_value()) << c.text;
        if (m) {
            EXPECT_EQ(m->Raw(), *c.raw) << c.text;
        }
    }
}

TEST(Money, ArithmeticStopsAtTheEndsInsteadOfWrapping) {
    constexpr int64_t kMin = INT64_MIN;
    constexpr int64_t kMax = INT64_MAX;
    const Money max = Money::FromRaw(kMax);
    const Money min = Money::FromRaw(kMin);
    struct Case {
        const char* what;
        Money result;
        int64_t raw;
    } cases[] = {
        {"exact in range", Money::FromRaw(5) + Money::FromRaw(-7), -2},
        {"max + 1", max + Money::FromRaw(1), kMax},
        {"max + max", max + max, kMax},
        {"min - 1", min - Money::FromRaw(1), kMin},
        {"min + min", min + min, kMin},
        {"-min", -min, kMax},
        {"max - min", max - min, kMax},
        {"min - max", min - max, kMin},
        {"max * 3", max * 3, kMax},
        {"max * -3", max * -3, kMin},
        {"max - 1 + 1", max - Money::FromRaw(1) + Money::FromRaw(1), kMax},
        {"rubles beyond", Money::Rubles(kMax / 1000), kMax},
        {"rubles below", Money::Rubles(kMin / 1000), kMin},
    };
    for (const Case& c : cases) EXPECT_EQ(c.result.Raw(), c.raw) << c.what;

    Money sum;
    sum += max;
    sum += Money::FromRaw(1);
    sum -= Money::FromRaw(0);
    EXPECT_EQ(sum, max);
    sum = min;
    sum -= Money::FromRaw(1);
    EXPECT_EQ(sum, min);
}

TEST(DayNumber, CalendarAndShortestForm) {
    EXPECT_EQ(DayNumber(2008, 1, 1), 39448);
    EXPECT_EQ(DayNumber(1899, 12, 30), 0);
    EXPECT_EQ(DateText(39448), "01.01.2008");
    EXPECT_EQ(DateText(DayNumber(2008, 2, 29)), "29.02.2008");
    EXPECT_EQ(DateText(39448.75), "01.01.2008");

    EXPECT_EQ(FormatShortestNumber(39448), "39448");
    EXPECT_EQ(FormatShortestNumber(39448.5), "39448.5");
    EXPECT_EQ(FormatShortestNumber(0.00001), "0.00001");  // never an exponent
    EXPECT_EQ(FormatShortestNumber(1e20), "100000000000000000000");
    EXPECT_EQ(FormatShortestNumber(-2.5), "-2.5");
    EXPECT_EQ(FormatShortestNumber(1.0 / 3), "0.333333333333333");

    EXPECT_EQ(ParseNumber("39448.5", '.'), 39448.5);
    EXPECT_EQ(ParseNumber("39448,5", ','), 39448.5);
    EXPECT_FALSE(ParseNumber("39448,5", '.'));
    EXPECT_FALSE(ParseNumber("nan", '.'));
    EXPECT_EQ(ParseDateText("01.01.2008", '.'), 39448);
    EXPECT_EQ(ParseDateText("01,01,2008", ','), 39448);
    EXPECT_FALSE(ParseDateText("30.02.2008", '.'));
    EXPECT_FALSE(ParseDateText("01.01.2008", ','));
}

TEST(CodePage, RefusesWhatTheCodePageCannotHold) {
    Conversion ok = Utf8ToCp1251("Иванов №5 «ёж» €");
    ASSERT_TRUE(ok.ok);
    EXPECT_EQ(ok.text.size(), SingleByteLength("Иванов №5 «ёж» €"));
    EXPECT_EQ(Cp1251ToUtf8(ok.text).text, "Иванов №5 «ёж» €");

    Conversion bad = Utf8ToCp1251("Фирма 中国");
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.badCharacter, "中");

    EXPECT_FALSE(Utf8ToCp866("€").ok);
    EXPECT_TRUE(Utf8ToCp866("Иванов").ok);
    EXPECT_FALSE(Cp1251ToUtf8("\x98").ok);  // the one byte windows-1251 leaves undefined

    EXPECT_TRUE(HasControlCharacter("a\nb"));
    EXPECT_TRUE(HasControlCharacter("a\x7f"));
    EXPECT_FALSE(HasControlCharacter("Ёлки-палки"));
}

}  // namespace
}  // namespace zorv
