#include "model/numtext.h"

#include <cmath>

#include "storage/daynumber.h"

namespace zorv {
namespace {

// x as a whole number, stopped at the ends of 64 bits (NaN gives 0), so that an
// amount out of range never turns into an arbitrary one.
int64_t ClampedWhole(long double x) {
    constexpr long double kHighest = 9223372036854775807.0L;
    constexpr long double kLowest = -9223372036854775808.0L;
    if (!(x == x)) return 0;
    if (x >= kHighest) return INT64_MAX;
    if (x <= kLowest) return INT64_MIN;
    return static_cast<int64_t>(x);
}

}  // namespace

int64_t RoundHalfUp(long double x) {
    long double whole = std::trunc(x);
    long double fraction = x - whole;
    int64_t rounded = ClampedWhole(whole);
    return fraction >= 0.5L && rounded < INT64_MAX ? rounded + 1 : rounded;
}

double RoundTo2(double x) {
    long double hundredfold = static_cast<long double>(x) * 100.0L;
    return static_cast<double>(static_cast<long double>(RoundHalfUp(hundredfold)) / 100.0L);
}

Money MoneyFromDouble(double x) {
    return Money::FromRaw(ClampedWhole(std::round(static_cast<long double>(x) * Money::kScale)));
}

std::string MoneyToKopeckText(Money m) {
    if (m.IsNegative()) m = Money();
    int64_t raw = m.Raw();
    std::string text = std::to_string(raw / Money::kScale) + ".";
    int64_t kopecks = (raw % Money::kScale) / 100;
    text += static_cast<char>('0' + kopecks / 10);
    text += static_cast<char>('0' + kopecks % 10);
    if (text.size() > 15) return "999999999999.99";
    return text;
}

std::string MoneyToLimitedText(Money m) {
    std::string text = m.ToString();
    if (text.size() > 15) return "999999999999999";
    return text;
}

std::string MoneyToUserText(Money m) {
    std::string text = m.ToString();
    for (char& c : text) {
        if (c == '.') c = ',';
    }
    return text;
}

}  // namespace zorv
