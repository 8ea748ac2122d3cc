#pragma once

#include <cstdint>
#include <limits>

#include "storage/money.h"

namespace zorv {

// The range of each kind of value a document holds. The document reader refuses a
// value outside it as damaged, the writer refuses to store one, and the JSON form
// takes nothing beyond it: whatever is read can be saved and read back unchanged.

// Amounts: up to 922 337 203 685 477 rubles either way, the largest whole number of
// rubles whose ten-thousandths fit in 64 bits.
inline constexpr int64_t kMaxMoneyRubles = std::numeric_limits<int64_t>::max() / Money::kScale;
inline constexpr Money kMaxMoney = Money::Rubles(kMaxMoneyRubles);

constexpr bool IsMoneyInRange(Money value) {
    return value >= -kMaxMoney && value <= kMaxMoney;
}

// Day numbers: any moment of the years 1 to 9999. The whole days run from 01.01.0001
// (-693593) to 31.12.9999 (2958465); the fraction is the time of day, and before
// 30.12.1899 it counts away from zero too, so both ends are open a day further out.
inline constexpr double kFirstDayNumber = -693593;
inline constexpr double kLastDayNumber = 2958465;

constexpr bool IsDayNumberInRange(double value) {
    return value > kFirstDayNumber - 1 && value < kLastDayNumber + 1;  // false for NaN
}

// Whole numbers: the text of one holds -2147483648 to 4294967295, as earlier versions
// wrote them; a field narrower than 32 bits keeps the low bits of what it reads. The
// writer and the JSON form take 0 to the largest value of the field.
inline constexpr int64_t kMinIntegerText = std::numeric_limits<int32_t>::min();
inline constexpr int64_t kMaxIntegerText = std::numeric_limits<uint32_t>::max();

}  // namespace zorv
