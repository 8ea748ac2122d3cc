#include "model/numtext.h"

#include <cmath>

#include "storage/daynumber.h"

namespace zorv {

int64_t RoundHalfUp(long double x) {
    long double whole = std::trunc(x);
    long double fraction = x - whole;
    return static_cast<int64_t>(whole) + (fraction >= 0.5L ? 1 : 0);
}

double RoundTo2(double x) {
    long double hundredfold = static_cast<long double>(x) * 100.0L;
    return static_cast<double>(static_cast<long double>(RoundHalfUp(hundredfold)) / 100.0L);
}

Money MoneyFromDouble(double x) {
    return Money::FromRaw(std::llround(static_cast<long double>(x) * Money::kScale));
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
