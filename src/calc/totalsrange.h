#pragma once

// Totals the form has no room for. Every amount of a sheet or section is written
// into twelve ruble cells and two kopeck cells on paper and into at most fifteen
// characters in the declaration file; a larger one would be cut to the largest
// text the format allows, or, where a sum ran past the money type itself, would
// come out as nonsense. The check refuses such a declaration before anything is
// exported or printed, naming the sheet and line.

#include <optional>
#include <string>
#include <vector>

#include "calc/svodsum.h"
#include "check/declarationcheck.h"
#include "model/declaration.h"
#include "storage/money.h"

namespace zorv {

// The largest amount a line of the form holds: 999 999 999 999,99 rubles (the
// digits beyond the kopecks are dropped when it is written).
inline constexpr Money kMaxFormAmount = Money::FromRaw(9'999'999'999'999'999);

constexpr bool FitsTheForm(Money amount) {
    return amount >= -kMaxFormAmount && amount <= kMaxFormAmount;
}

// What the check says of a line ("Лист А (13 %), строка 080") holding amount.
std::string TotalTooLargeMessage(const std::string& line, Money amount);

// The first line of the computed totals whose amount the form cannot hold, as a
// problem of the check; the page and focus lead to the record behind the largest
// part of it. totals must have been computed from d.
std::optional<DeclarationProblem> TotalsOutOfRange(const mTDeclaration& d, const kTSvodSum& totals);

// The same after computing the totals of a copy of d.
std::optional<DeclarationProblem> TotalsOutOfRange(const mTDeclaration& d);

// The whole-declaration check followed, when every page passed, by the totals:
// what every command that exports, prints or reports a check runs.
DeclarationCheckResult CheckDeclarationAndTotals(const mTDeclaration& d,
                                                 const CheckPrompter& ask = {});

// Every problem of ListDeclarationProblems and then the totals' one, if any.
std::vector<DeclarationProblem> ListDeclarationAndTotalsProblems(const mTDeclaration& d);

}  // namespace zorv
