#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "storage/money.h"

namespace zorv {

// The built-in dictionary of income codes and of the deduction (expense) codes
// that may be claimed against each of them.
//
// All data is static and immutable: the pointers and views handed out stay
// valid for the life of the program. Codes are texts of decimal digits, as the
// pick lists show them; the model stores them as numbers, hence the numeric
// look-ups. Amount texts typed by the user use "," as the decimal separator
// ("." is accepted as well); amount texts produced here use ",".

// How the amount of a deduction row is obtained. A default value (all false/0)
// stands for "no row chosen yet".
struct DeductionRule {
    int share = 0;            // percent of the income (0..100); 0 = not a share
    bool visible = false;     // the amount field is shown
    bool enabled = false;     // the user may type the amount
    bool equivalent = false;  // the amount follows the income amount
    Money maxSum;             // cap of the amount; 0 = no cap

    bool operator==(const DeductionRule&) const = default;
};

struct DeductionRow {
    std::string_view code;  // three digits, or "0" for "Не предоставлять вычет"
    std::string_view name;
    DeductionRule rule;
};

struct IncomeCode {
    std::string_view code;  // four digits
    int rate = 0;           // tax rate in percent: 9, 13 or 35
    std::string_view name;
    bool saleDate = false;                     // sale of property or securities
    std::span<const DeductionRow> deductions;  // empty, or ending with the "0" row

    bool HasDeductions() const { return !deductions.empty(); }
};

// ---- Look-ups -----------------------------------------------------------

// All income codes in list order.
std::span<const IncomeCode> IncomeCodes();

const IncomeCode* FindIncomeCode(uint32_t code);
const IncomeCode* FindIncomeCodeText(std::string_view code);
std::optional<int> IncomeRate(uint32_t code);

// The deduction row of an income code; deduction code 0 is the "no deduction" row.
const DeductionRow* FindDeduction(const IncomeCode& income, uint32_t code);
const DeductionRow* FindDeductionText(const IncomeCode& income, std::string_view code);

// ---- Pick lists ---------------------------------------------------------

// What the income-code list returns for the chosen row.
struct IncomeChoice {
    std::string_view code;
    std::string_view name;
    int rate = 0;  // the filter's rate when the list was filtered
    bool hasDeductions = false;
    bool saleDate = false;
};

struct IncomePickList {
    std::string rateFilter;  // empty = no filter
    std::vector<const IncomeCode*> rows;
    std::optional<size_t> selected;  // preselected row; none when the list is empty

    // The result of closing the list on `row`; throws std::out_of_range.
    IncomeChoice Choose(size_t row) const;
};

// Rows in list order whose rate text equals the filter exactly ("9", "13",
// "35"), or all rows for an empty filter. The row of `currentCode` is
// preselected, else the first row.
IncomePickList MakeIncomePickList(std::string_view rateFilter, std::string_view currentCode);

struct DeductionPickList {
    std::vector<const DeductionRow*> rows;
    std::optional<size_t> selected;
};

// The deduction rows of an income code (none for an unknown code). Without
// `allRows` (the non-resident 13 % page) only the rows whose code begins with
// "30" or "5" and the "0" row are offered. Preselection as for the income list.
DeductionPickList MakeDeductionPickList(std::string_view incomeCode, bool allRows,
                                        std::string_view currentCode);

// ---- Deduction amounts --------------------------------------------------

// A user's amount text: "," or "." as separator. Blank or malformed text gives nothing.
std::optional<Money> ParseUserAmount(std::string_view text);
// The shortest text of an amount with ",": "250", "3000,5", "246,91".
std::string UserAmountText(Money amount);

// income × share / 100, rounded half up (away from zero) to whole kopecks, exactly.
Money ShareOfIncome(Money income, int share);

// The amount text right after a row is chosen, for the income amount text:
//   share ≠ 0:                  the share of the income, "0" without an income;
//   equivalent with a cap:      the income text unchanged while within the cap,
//                               else the cap, "0" without an income;
//   equivalent without a cap:   the income text unchanged (even when empty);
//   otherwise:                  empty: the user types it or there is none.
// An income text that is not an amount counts as no income.
std::string AmountOnChoice(const DeductionRule& rule, std::string_view incomeText);

// The amount after the income amount changes, starting from the amount now
// shown (0 when empty): a share gives the share of the new income, an
// equivalent row the new income (0 without one); a non-zero cap limits the
// result. Consumers that reset other rows to 0 pass Money() as `shown`.
Money AmountOnIncomeChange(const DeductionRule& rule, std::string_view incomeText, Money shown);

// A typed amount limited by the row's cap (no cap: unchanged).
Money CapAmount(const DeductionRule& rule, Money amount);

}  // namespace zorv
