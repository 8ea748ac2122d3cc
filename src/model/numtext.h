#pragma once

#include <cstdint>
#include <string>

#include "storage/money.h"

namespace zorv {

// Whole part when the fraction is below one half, else the next whole number up.
// Negative values are cut toward zero (-2.5 gives -2).
int64_t RoundHalfUp(long double x);

// x taken as a double, x * 100 formed in extended precision and rounded half up,
// so a decimal half that lies below it in binary rounds down (2.675 gives 2.67).
double RoundTo2(double x);

// An amount of a double rounded to the nearest ten-thousandth.
Money MoneyFromDouble(double x);

// Whole rubles, ".", two kopeck digits (further digits are cut); a negative
// amount gives "0.00"; longer than 15 characters gives "999999999999.99".
std::string MoneyToKopeckText(Money m);

// The shortest text of the amount with "."; longer than 15 characters gives
// "999999999999999".
std::string MoneyToLimitedText(Money m);

// The amount as the user sees it: the shortest form with "," as separator.
std::string MoneyToUserText(Money m);

}  // namespace zorv
