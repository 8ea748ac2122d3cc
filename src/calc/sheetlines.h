#pragma once

// The lines of a sheet or section of form 3-NDFL: for every amount of a sheet
// object, its line code on the paper form, the field that holds it, its key in
// the JSON of the totals, its attribute in the declaration file and the cells
// it is printed in. Each sheet keeps one table of them beside its class, in the
// order of the form, and the JSON, the declaration file and the paper form all
// read that table. The file writes the lines in the order of the table; the JSON
// keeps the order in which the sheet object holds its fields, which on some
// sheets is not the form's.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include "model/jsonform.h"
#include "storage/money.h"

namespace zorv {

// How an amount is printed in the cells of the paper form; the declaration file
// writes it the same way.
enum class CellPattern : uint8_t {
    RublesKopecks,  // 12 ruble cells and 2 kopeck cells; the file has kopecks
    WholeRubles,    // 15 ruble cells, tax amounts; the file has whole rubles
    ExchangeRate,   // 10 cells and 4 after the point; sheet Б holds its rates as text
};

// Short names for the tables.
inline constexpr CellPattern kKopecks = CellPattern::RublesKopecks;
inline constexpr CellPattern kRubles = CellPattern::WholeRubles;

template <class Sheet>
struct SheetLine {
    const char* code;          // "010"; nullptr where the paper form has no line
    Money Sheet::*member;      // the field that holds the amount
    const char* jsonKey;       // the key in the JSON of the totals
    const char* xmlAttribute;  // nullptr where the declaration file has none
    CellPattern cells;
};

// A sheet's table as the functions below take it; the sheet object's type alone
// decides which table fits.
template <class Sheet>
using SheetLines = std::type_identity_t<std::span<const SheetLine<Sheet>>>;

// The line of the table that holds member.
template <class Sheet>
const SheetLine<Sheet>& LineOf(SheetLines<Sheet> lines, Money Sheet::*member) {
    for (const SheetLine<Sheet>& line : lines) {
        if (line.member == member) return line;
    }
    throw std::logic_error("an amount of a sheet is missing from its table of lines");
}

// The lines in the order of the fields that hold them in the sheet object.
template <class Sheet>
std::vector<const SheetLine<Sheet>*> InFieldOrder(const Sheet& sheet, SheetLines<Sheet> lines) {
    std::vector<const SheetLine<Sheet>*> ordered;
    for (const SheetLine<Sheet>& line : lines) ordered.push_back(&line);
    const auto place = [&](const SheetLine<Sheet>* line) { return &(sheet.*(line->member)); };
    std::sort(ordered.begin(), ordered.end(),
              [&](const SheetLine<Sheet>* a, const SheetLine<Sheet>* b) {
                  return std::less<const Money*>()(place(a), place(b));
              });
    return ordered;
}

// Every line of the sheet added to json under its key, in field order.
template <class Sheet>
void AddLinesToJson(Json& json, const Sheet& sheet, SheetLines<Sheet> lines) {
    for (const SheetLine<Sheet>* line : InFieldOrder(sheet, lines)) {
        json[line->jsonKey] = MoneyToJson(sheet.*(line->member));
    }
}

// The lines of the sheet as a new JSON object.
template <class Sheet>
Json LinesToJson(const Sheet& sheet, SheetLines<Sheet> lines) {
    Json json = Json::object();
    AddLinesToJson(json, sheet, lines);
    return json;
}

// The rows of one of a sheet's tables as a JSON array, each row by its ToJson.
template <class Row>
Json RowsToJson(const std::vector<Row>& rows) {
    Json json = Json::array();
    for (const Row& row : rows) json.push_back(ToJson(row));
    return json;
}

// The sum of every amount of the sheet.
template <class Sheet>
Money SumOfLines(const Sheet& sheet, SheetLines<Sheet> lines) {
    Money total;
    for (const SheetLine<Sheet>& line : lines) total += sheet.*(line.member);
    return total;
}

}  // namespace zorv
