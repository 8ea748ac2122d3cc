#include "storage/daynumber.h"
#include "storage/textutil.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zorv {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

CivilDate CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return CivilDate{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

const long long kEpochOffset = DaysFromCivil(1899, 12, 30);

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
    return days[month - 1];
}

}  // namespace

bool IsValidCivilDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

double DayNumber(int year, int month, int day) {
    return static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
        kEpochOffset);
}

CivilDate CivilFromDayNumber(double dayNumber) {
    if (!std::isfinite(dayNumber) || std::fabs(dayNumber) > 3.0e6) return CivilDate{1899, 12, 30};
    return CivilFromDays(static_cast<long long>(std::trunc(dayNumber)) + kEpochOffset);
}

std::string DateText(double dayNumber) {
    CivilDate c = CivilFromDayNumber(dayNumber);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", c.day, c.month, c.year);
    return buffer;
}

namespace {

// The general form with the given number of significant digits, trailing zeros
// dropped, never an exponent.
std::string FormatSignificant(double value, int digits) {
    if (!std::isfinite(value)) return "0";
    if (value == 0) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
    // buffer: [-]d.ddd…e[+-]xx
    std::string text(buffer);
    bool negative = text[0] == '-';
    if (negative) text.erase(0, 1);
    size_t e = text.find('e');
    int exponent = std::atoi(text.c_str() + e + 1);
    std::string digitText = text.substr(0, 1) + text.substr(2, e - 2);
    while (digitText.size() > 1 && digitText.back() == '0') digitText.pop_back();
    std::string result;
    if (exponent >= 0) {
        size_t wholeLen = static_cast<size_t>(exponent) + 1;
        if (digitText.size() <= wholeLen) {
            result = digitText + std::string(wholeLen - digitText.size(), '0');
        } else {
            result = digitText.substr(0, wholeLen) + "." + digitText.substr(wholeLen);
        }
    } else {
        result = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digitText;
    }
    return negative ? "-" + result : result;
}

}  // namespace

std::string FormatShortestNumber(double value) {
    return FormatSignificant(value, 15);
}

std::string FormatDayNumber(double value) {
    std::string text = FormatSignificant(value, 15);
    if (ParseNumber(text, '.') == value) return text;
    return FormatSignificant(value, 17);
}

std::optional<double> ParseNumber(std::string_view text, char separator) {
    text = TrimBlanks(text);
    if (text.empty() || text.size() > 400) return std::nullopt;
    std::string copy(text);
    for (char& c : copy) {
        if (c == separator) {
            c = '.';
        } else if (c == '.' || c == ',') {
            return std::nullopt;
        }
    }
    const char* begin = copy.c_str();
    if (*begin == '+') ++begin;
    double value = 0;
    auto [end, ec] = std::from_chars(begin, copy.c_str() + copy.size(), value);
    if (ec != std::errc() || end != copy.c_str() + copy.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseDateText(std::string_view text, char separator) {
    int parts[3] = {0, 0, 0};
    int lengths[3] = {0, 0, 0};
    int index = 0;
    for (char c : text) {
        if (c == separator) {
            if (++index > 2) return std::nullopt;
        } else if (c >= '0' && c <= '9') {
            if (++lengths[index] > 4) return std::nullopt;
            parts[index] = parts[index] * 10 + (c - '0');
        } else {
            return std::nullopt;
        }
    }
    if (index != 2 || lengths[0] == 0 || lengths[1] == 0 || lengths[2] == 0) return std::nullopt;
    int year = parts[2];
    if (lengths[2] <= 2) year += year < 50 ? 2000 : 1900;
    if (!IsValidCivilDate(year, parts[1], parts[0])) return std::nullopt;
    return DayNumber(year, parts[1], parts[0]);
}

}  // namespace zorv
