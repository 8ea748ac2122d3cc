#include "storage/money.h"
#include "storage/textutil.h"
#include "storage/valuerange.h"

namespace zorv {

std::optional<Money> Money::Parse(std::string_view text, char separator) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int64_t whole = 0;
    int64_t fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    bool anyDigit = false;
    bool inFraction = false;
    for (char c : text) {
        if (c == separator && !inFraction) {
            inFraction = true;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        anyDigit = true;
        int digit = c - '0';
        if (!inFraction) {
            whole = whole * 10 + digit;
            if (whole > kMaxMoneyRubles) return std::nullopt;
        } else if (fractionDigits < 4) {
            fraction = fraction * 10 + digit;
            ++fractionDigits;
        } else if (fractionDigits == 4) {
            roundUp = digit >= 5;
            ++fractionDigits;
        }
    }
    if (!anyDigit) return std::nullopt;
    for (int i = fractionDigits; i < 4; ++i) fraction *= 10;
    const int64_t raw = whole * kScale;
    const int64_t rest = fraction + (roundUp ? 1 : 0);
    if (rest > kMaxMoney.Raw() - raw) return std::nullopt;
    return Money(negative ? -(raw + rest) : raw + rest);
}

std::string Money::ToString() const {
    // Built from the integer; never through a floating-point value.
    uint64_t magnitude = raw_ < 0 ? 0 - static_cast<uint64_t>(raw_) : static_cast<uint64_t>(raw_);
    std::string text = std::to_string(magnitude / kScale);
    uint64_t fraction = magnitude % kScale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + kScale).substr(1);
        while (digits.back() == '0') digits.pop_back();
        text += '.';
        text += digits;
    }
    return raw_ < 0 ? "-" + text : text;
}

}  // namespace zorv
