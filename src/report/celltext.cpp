#include "report/celltext.h"

#include <cstdlib>

#include "storage/daynumber.h"

namespace zorv {

namespace {

int64_t WholeRublesHalfUp(Money amount) {
    const int64_t raw = amount.Raw();
    const int64_t whole = raw / Money::kScale;
    const int64_t rest = raw % Money::kScale;
    if (rest >= Money::kScale / 2) return whole + 1;
    if (rest <= -Money::kScale / 2) return whole - 1;
    return whole;
}

}  // namespace

mbRubKop MoneyToCells(Money amount, int rubCells, int kopDigits) {
    mbRubKop cells;
    if (amount.IsZero()) return cells;
    const int64_t raw = amount.Raw();
    int64_t whole = raw / Money::kScale;
    int64_t fraction = std::llabs(raw % Money::kScale);
    if (kopDigits == 0) {
        whole = WholeRublesHalfUp(amount);
        fraction = 0;
    }
    std::string rub = std::to_string(std::llabs(whole));
    if (raw < 0 && (whole != 0 || fraction != 0)) rub.insert(rub.begin(), '-');
    if (rub.size() > static_cast<size_t>(rubCells)) {
        cells.Rub.assign(static_cast<size_t>(rubCells), '*');
        cells.Kop.assign(static_cast<size_t>(kopDigits), '*');
        return cells;
    }
    cells.Rub = std::string(static_cast<size_t>(rubCells) - rub.size(), ' ') + rub;
    if (kopDigits > 0) {
        // Four decimal places are kept; the kopeck cells take the leading ones.
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        cells.Kop = digits.substr(0, static_cast<size_t>(kopDigits));
    }
    return cells;
}

std::string PageNumberText(int page) {
    std::string text = std::to_string(page < 0 ? 0 : page);
    if (text.size() < 3) text.insert(0, 3 - text.size(), '0');
    return text;
}

std::string DateCellsText(double dayNumber, bool printDate) {
    return printDate ? DateText(dayNumber) : std::string("  .  .    ");
}

std::string RublesInWidth(Money amount, int width) {
    std::string text = std::to_string(WholeRublesHalfUp(amount));
    if (text.size() > static_cast<size_t>(width))
        return std::string(static_cast<size_t>(width), '*');
    return std::string(static_cast<size_t>(width) - text.size(), ' ') + text;
}

std::vector<std::string> Utf8Chars(const std::string& text) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 1;
        if (lead >= 0xF0) {
            length = 4;
        } else if (lead >= 0xE0) {
            length = 3;
        } else if (lead >= 0xC0) {
            length = 2;
        }
        chars.push_back(text.substr(i, length));
        i += length;
    }
    return chars;
}

std::string Utf8Mid(const std::string& text, size_t first, size_t last) {
    std::string result;
    std::vector<std::string> chars = Utf8Chars(text);
    for (size_t k = first; k <= last && k <= chars.size(); ++k) result += chars[k - 1];
    return result;
}

std::string EstimatedIncomeYear(const std::string& declarationYear) {
    return declarationYear.find("2008") != std::string::npos ? "2009" : "2010";
}

}  // namespace zorv
