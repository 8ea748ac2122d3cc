#pragma once

#include <cstdint>

#include "storage/money.h"

namespace zorv {

// Tax in whole rubles: RoundHalfUp(base × percent / 100), computed exactly on the
// integer amount (no floating point). A negative product is cut toward zero.
Money TaxAtRate(Money base, int percent);

// base × percent / 100 cut to whole kopecks (toward zero): the percent limits of the form.
Money PercentTruncatedToKopeck(Money base, int percent);

// amount × numerator / denominator, cut to whole kopecks (toward zero); 0 for a zero denominator.
Money FractionTruncatedToKopeck(Money amount, int64_t numerator, int64_t denominator);

}  // namespace zorv
