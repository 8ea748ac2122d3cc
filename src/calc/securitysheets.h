#pragma once

// Securities sheets: sheet З (the taxpayer's own operations with securities,
// investment-fund units and derivatives) and sheet И (operations of a trust
// manager), each with six tables of operations and the netting of losses. Losses
// that sheet И cannot absorb pass to sheet З, so sheet И is computed first.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/sheetlines.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/money.h"

namespace zorv {

class kTSvodSum;

// One row of a securities table: the operations of one source of payment.
struct CBDoh {
    std::string INN;
    std::string KPP;
    std::string SourceName;
    Money Income;
    Money Profit;
    Money Loss;
    Money Expense;
};

// The six tables of operations; Tables[0] is T1 ... Tables[5] is T6.
enum SecurityTable : size_t {
    kTradedSecurities = 0,      // T1, item 1.1
    kOnceTradedSecurities = 1,  // T2, item 1.2
    kUntradedSecurities = 2,    // T3, item 1.3
    kDerivatives = 3,           // T4, item 3
    kFundUnits = 4,             // T5, item 2
    kHedgingDerivatives = 5,    // T6
    kSecurityTableCount = 6,
};

using SecurityTables = std::array<std::vector<CBDoh>, kSecurityTableCount>;

// Sheet З: own operations (income codes 1530-1536).
class kTSvodSumPrilJ {
  public:
    Money Taxable1;
    Money Profit1;
    Money Taxable2;
    Money Profit2;
    Money Profit3;
    Money Profit4;
    Money Profit5;
    Money Profit6;
    Money Taxable3;
    Money Taxable4;
    Money Taxable5;
    Money Taxable6;
    Money Carry1;  // loss of T1 left for T2
    Money Loss1;
    Money Loss6;
    Money Loss2;
    Money Loss3;
    Money Loss4;
    Money Loss5;
    Money Carry6;        // loss of T6 left for T1
    Money TotalIncome;   // item 4.1
    Money TotalTaxable;  // item 4.2
    Money TotalExpense;  // item 4.3
    SecurityTables Tables;

    void Clear() { *this = kTSvodSumPrilJ(); }
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet И: operations of a trust manager (income codes 9530-9536).
class kTSvodSumPrilK {
  public:
    Money Taxable1;
    Money Profit1;
    Money Profit2;
    Money Profit3;
    Money Profit4;
    Money Profit5;
    Money Profit6;
    Money Taxable2;
    Money Taxable3;
    Money Taxable4;
    Money Taxable5;
    Money Taxable6;
    Money Carry1;
    Money Loss1;
    Money Loss6;
    Money Loss2;
    Money Loss3;
    Money Loss4;
    Money Loss5;
    Money Carry6;
    Money LossOut1;  // losses passed to the matching tables of sheet З
    Money LossOut3;
    Money LossOut4;
    Money LossOut5;
    Money LossOut6;
    Money Used1In2;      // loss of T1 absorbed by T2
    Money Used6In1;      // loss of T6 absorbed by T1
    Money TotalIncome;   // item 4.1
    Money TotalTaxable;  // item 4.2
    Money TotalExpense;  // item 4.3
    SecurityTables Tables;

    void Clear() { *this = kTSvodSumPrilK(); }
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// The amounts of sheets З and И. The results of the tables are written per source
// block on paper and as result elements in the file, so only the totals of
// items 4.1-4.3 have a line and an attribute; the rest follow the fields.
inline constexpr SheetLine<kTSvodSumPrilJ> kSheetZLines[] = {
    {nullptr, &kTSvodSumPrilJ::Taxable1, "Taxable1", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Profit1, "Profit1", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Taxable2, "Taxable2", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Profit2, "Profit2", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Profit3, "Profit3", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Profit4, "Profit4", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Profit5, "Profit5", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Profit6, "Profit6", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Taxable3, "Taxable3", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Taxable4, "Taxable4", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Taxable5, "Taxable5", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Taxable6, "Taxable6", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Carry1, "Carry1", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Loss1, "Loss1", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Loss6, "Loss6", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Loss2, "Loss2", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Loss3, "Loss3", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Loss4, "Loss4", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Loss5, "Loss5", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilJ::Carry6, "Carry6", nullptr, kKopecks},
    {"410", &kTSvodSumPrilJ::TotalIncome, "TotalIncome", "ДохПолуч16", kKopecks},
    {"420", &kTSvodSumPrilJ::TotalTaxable, "TotalTaxable", "НалБаза16", kKopecks},
    {"430", &kTSvodSumPrilJ::TotalExpense, "TotalExpense", "РасхДокИтог", kKopecks},
};

inline constexpr SheetLine<kTSvodSumPrilK> kSheetILines[] = {
    {nullptr, &kTSvodSumPrilK::Taxable1, "Taxable1", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Profit1, "Profit1", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Profit2, "Profit2", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Profit3, "Profit3", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Profit4, "Profit4", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Profit5, "Profit5", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Profit6, "Profit6", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Taxable2, "Taxable2", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Taxable3, "Taxable3", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Taxable4, "Taxable4", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Taxable5, "Taxable5", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Taxable6, "Taxable6", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Carry1, "Carry1", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Loss1, "Loss1", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Loss6, "Loss6", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Loss2, "Loss2", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Loss3, "Loss3", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Loss4, "Loss4", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Loss5, "Loss5", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Carry6, "Carry6", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::LossOut1, "LossOut1", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::LossOut3, "LossOut3", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::LossOut4, "LossOut4", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::LossOut5, "LossOut5", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::LossOut6, "LossOut6", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Used1In2, "Used1In2", nullptr, kKopecks},
    {nullptr, &kTSvodSumPrilK::Used6In1, "Used6In1", nullptr, kKopecks},
    {"400", &kTSvodSumPrilK::TotalIncome, "TotalIncome", "ДохПолуч16", kKopecks},
    {"410", &kTSvodSumPrilK::TotalTaxable, "TotalTaxable", "НалБаза16", kKopecks},
    {"420", &kTSvodSumPrilK::TotalExpense, "TotalExpense", "РасхДокИт", kKopecks},
};

Json ToJson(const CBDoh& row);
Json ToJson(const kTSvodSumPrilJ& sheet);
Json ToJson(const kTSvodSumPrilK& sheet);

}  // namespace zorv
