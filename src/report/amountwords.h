#pragma once

// An amount of money in Russian words, as an application or a payment order
// writes it: "одна тысяча двести рублей 50 копеек". Rubles in words, kopecks in
// two figures; each word agrees with its number ("один рубль", "две тысячи",
// "пять миллионов", "21 копейка").

#include <cstdint>
#include <string>

#include "storage/money.h"

namespace zorv {

// A whole number in words; feminine for a feminine noun (одна, две).
std::string NumberInWords(uint64_t n, bool feminine = false);

// The form of the noun for n: one of "рубль", "рубля", "рублей".
const char* PluralForm(uint64_t n, const char* one, const char* few, const char* many);

// Rounded half up to kopecks; a negative amount starts with "минус".
std::string AmountInWords(Money amount);

}  // namespace zorv
