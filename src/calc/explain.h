#pragma once

// How each total of form 3-NDFL is made up: for a line of a section or sheet, a
// tree that goes from the line through the lines it adds up down to the
// payers, income lines and records of the declaration behind them.
//
// Line ids name a section or sheet and its line, joined by a dot. The line is
// "L" and its code on the form ("L040"); an amount with no line on paper goes
// by its key in the JSON of the totals ("TaxBase"); a row of section 6 is "Row"
// and its number from 1.
//   Section1 … Section4, Base15, Section6   the sections and the 15 % base;
//   SheetA13, SheetA30, SheetA35, SheetA9, SheetA15   sheet А at each rate;
//   SheetB13, SheetB9, SheetB35              sheet Б at each rate;
//   SheetV1, SheetV2, SheetG, SheetGBenefit  sheets В1, В2, Г and the 2620 benefit;
//   SheetD, SheetDForeign, SheetE, SheetEForeign   sheets Д and Е;
//   SheetZh1, SheetZh2, SheetZh2Foreign      sheets Ж1 and Ж2;
//   SheetZ, SheetI                           sheets З and И;
//   SheetK1 … SheetK4, SheetL                sheets К1-К4 and Л.
// For example Section1.L040, Section6.Row1, SheetA13.L080, SheetL.L210.
// ExplainableLines gives the ids that apply to a declaration.
//
// Every node holds its amount and the way its children make it up: where any
// child is added or subtracted (sign +1 or -1), the children's amounts with
// their signs add up exactly to Before() - the amount itself, or the total
// before a limit cut it (limit says which) or before a rate was applied to it
// (percent). Children of sign 0 are shown for reference only.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/svodsum.h"
#include "model/declaration.h"
#include "storage/money.h"

namespace zorv {

// A record of the declaration that a node stands for, so that its page can be
// opened with the record selected.
struct TExplainTarget {
    enum class Kind : uint8_t {
        ThirteenSource,     // a 13 % source: index
        ThirteenLine,       // an income line: index of the source, subIndex of the line
        Dividend,           // a dividend record: index
        ThirtyFive,         // a 35 % source: index
        Foreign,            // a foreign-currency income record: index
        Business,           // a business activity: index
        PrivatePractice,    // a private-practice record: index
        AdvancePayment,     // an advance payment on a notice: index
        StandardDeduction,  // the standard deductions
        SocialDeduction,    // the social deductions (charity, education, treatment)
        ChildEducation,     // a child's education amount: index
        PensionContract,    // a pension or insurance contract: index
        PropertyDeduction,  // the dwelling of the property deduction
    };

    Kind kind = Kind::ThirteenSource;
    size_t index = 0;
    size_t subIndex = 0;

    bool operator==(const TExplainTarget&) const = default;
};

struct TExplainNode {
    std::string id;  // the line id for a line of a section or sheet; empty otherwise
    std::string line;  // "Раздел 1, строка 040", "Лист А, строка 080", or the record's name
    std::string words;  // the formula in words, or what the amount is
    Money amount;       // exact
    int sign = 1;       // +1 added to the parent, -1 subtracted, 0 shown for reference only
    // The total the children add up to when the amount is not that total: cut by
    // a limit, raised to zero, or the base of a tax at a rate.
    std::optional<Money> before;
    int percent = 0;  // when not 0, the amount is TaxAtRate(before, percent)
    std::string limit;  // the limit that cut the amount: "ограничено 2 000 000 (ст. 220 НК)"
    std::optional<TExplainTarget> target;
    std::vector<TExplainNode> children;

    // What the children add up to.
    Money Before() const { return before.value_or(amount); }
    // Σ sign × amount over the children (those of sign 0 left out).
    Money ChildrenTotal() const;
};

// The ids of every line of the sections and of the sheets the declaration fills,
// in the order of the form.
std::vector<std::string> ExplainableLines(const kTSvodSum& totals);

// The tree of one line; nullopt for an id that names no line. totals must have
// been computed from d.
std::optional<TExplainNode> Explain(const mTDeclaration& d, const kTSvodSum& totals,
                                    std::string_view lineId);

// Every line of the sections that apply to the declaration, each with its tree,
// under one root node that holds no amount of its own (sign 0 children).
TExplainNode ExplainAll(const mTDeclaration& d, const kTSvodSum& totals);

}  // namespace zorv
