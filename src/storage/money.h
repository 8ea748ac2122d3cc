#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorv {

// An exact amount of money: a whole number of ten-thousandths of a ruble.
class Money {
public:
    static constexpr int64_t kScale = 10000;

    constexpr Money() = default;
    static constexpr Money FromRaw(int64_t raw) { return Money(raw); }
    static constexpr Money Rubles(int64_t rubles) {
        return Clamped(static_cast<__int128>(rubles) * kScale);
    }
    // The amount of raw ten-thousandths computed in a wider integer. Beyond 64 bits
    // it stops at the nearest end of the type, far outside every amount a form or a
    // file can hold (IsMoneyInRange, valuerange.h), so an overflowing total is never
    // wrapped round into a plausible amount; the check refuses it. Every operator
    // below goes through here.
    static constexpr Money Clamped(__int128 raw) {
        constexpr __int128 kHighest = INT64_MAX;
        constexpr __int128 kLowest = INT64_MIN;
        return Money(static_cast<int64_t>(raw > kHighest  ? kHighest
                                          : raw < kLowest ? kLowest
                                                          : raw));
    }
    // The "no value" marker of the document format ("a" reads as -1.0000).
    static constexpr Money Absent() { return Money(-kScale); }

    constexpr int64_t Raw() const { return raw_; }
    double ToDouble() const { return static_cast<double>(raw_) / kScale; }
    constexpr bool IsZero() const { return raw_ == 0; }
    constexpr bool IsNegative() const { return raw_ < 0; }

    // Parses "1234.5", "-12.25", "+3", " 7 " with the given decimal separator.
    // More than four decimals are rounded half away from zero. Empty text, stray
    // characters and amounts beyond kMaxMoney (valuerange.h) either way give nothing.
    static std::optional<Money> Parse(std::string_view text, char separator = '.');

    // The shortest text with "." as decimal point: "0", "1500", "1234.5", "-12.25".
    std::string ToString() const;

    constexpr Money operator-() const { return Clamped(-static_cast<__int128>(raw_)); }
    constexpr Money& operator+=(Money other) { return *this = *this + other; }
    constexpr Money& operator-=(Money other) { return *this = *this - other; }
    friend constexpr Money operator+(Money a, Money b) {
        return Clamped(static_cast<__int128>(a.raw_) + b.raw_);
    }
    friend constexpr Money operator-(Money a, Money b) {
        return Clamped(static_cast<__int128>(a.raw_) - b.raw_);
    }
    friend constexpr Money operator*(Money a, int64_t k) {
        return Clamped(static_cast<__int128>(a.raw_) * k);
    }
    friend constexpr auto operator<=>(Money a, Money b) = default;

private:
    constexpr explicit Money(int64_t raw) : raw_(raw) {}
    int64_t raw_ = 0;
};

constexpr Money Min(Money a, Money b) { return a < b ? a : b; }
constexpr Money Max(Money a, Money b) { return a < b ? b : a; }

}  // namespace zorv
