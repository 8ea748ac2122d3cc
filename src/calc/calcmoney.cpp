#include "calc/calcmoney.h"

namespace zorv {
namespace {
constexpr int64_t kRawPerKopeck = Money::kScale / 100;
}

Money TaxAtRate(Money base, int percent) {
    // base.Raw() ten-thousandths × percent / 100 = rubles × 1 000 000.
    __int128 product = static_cast<__int128>(base.Raw()) * percent;
    constexpr __int128 kPerRuble = 1000000;
    __int128 rubles = product >= 0 ? (product + kPerRuble / 2) / kPerRuble : product / kPerRuble;
    return Money::Clamped(rubles * Money::kScale);
}

Money PercentTruncatedToKopeck(Money base, int percent) {
    return FractionTruncatedToKopeck(base, percent, 100);
}

Money FractionTruncatedToKopeck(Money amount, int64_t numerator, int64_t denominator) {
    if (denominator == 0) return Money();
    __int128 scaled = static_cast<__int128>(amount.Raw()) * numerator / denominator;
    __int128 kopecks = scaled / kRawPerKopeck;
    return Money::Clamped(kopecks * kRawPerKopeck);
}

}  // namespace zorv
