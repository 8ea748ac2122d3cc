#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorv {

// Dates are day numbers: days since 30 December 1899, the fraction being the time of day.
struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

double DayNumber(int year, int month, int day);
CivilDate CivilFromDayNumber(double dayNumber);
bool IsValidCivilDate(int year, int month, int day);

// "DD.MM.YYYY" of the whole day.
std::string DateText(double dayNumber);

// The general form with 15 significant digits, trailing zeros dropped, never an
// exponent: "39448", "39448.5".
std::string FormatShortestNumber(double value);

// A day number as the document stores it: the 15-digit form above when it reads
// back to the very same number, 17 significant digits when it does not. Zero of
// either sign is "0".
std::string FormatDayNumber(double value);

// A floating-point number written with the given decimal separator.
std::optional<double> ParseNumber(std::string_view text, char separator);

// A date "dd.mm.yyyy" written with the given separator; gives its day number.
std::optional<double> ParseDateText(std::string_view text, char separator);

}  // namespace zorv
