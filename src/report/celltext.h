#pragma once

// The texts that fill the character cells of the paper form: money split into
// rubles and kopecks, page numbers, the date parts. Every text is sized for its
// cells, so a value too large for them is marked, never spilled over.

#include <string>
#include <vector>

#include "storage/money.h"

namespace zorv {

// The text form of an amount for its cells: the rubles right-aligned in the ruble
// cells, the kopecks in the kopeck cells.
struct mbRubKop {
    std::string Rub;
    std::string Kop;
};

// An amount for rubCells ruble cells and kopDigits (0, 2 or 4) kopeck places.
// Without kopeck places the amount is first rounded half up to whole rubles; with
// them the further decimals are cut. Rubles that do not fit their cells fill
// every cell with "*" (the kopecks too). An amount of exactly 0 gives empty texts.
mbRubKop MoneyToCells(Money amount, int rubCells, int kopDigits);

// The page number in three cells: "007"; a number of more digits is kept whole
// (its cells show the first three).
std::string PageNumberText(int page);

// "DD.MM.YYYY" of a day number, or the blank date "  .  .    ".
std::string DateCellsText(double dayNumber, bool printDate);

// A whole number of rubles, rounded half up, left-padded with blanks to width;
// asterisks in every place when it does not fit.
std::string RublesInWidth(Money amount, int width);

// The year a 4-NDFL declares its expected income for: the year after the
// declaration's tax year ("2008" gives "2009"; any other, as a declaration of
// 2009, "2010").
std::string EstimatedIncomeYear(const std::string& declarationYear);

// Characters first..last (from 1) of a text, counted in characters, not bytes.
std::string Utf8Mid(const std::string& text, size_t first, size_t last);

// The characters of a text, one string per character.
std::vector<std::string> Utf8Chars(const std::string& text);

}  // namespace zorv
