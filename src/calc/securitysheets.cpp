#include "calc/securitysheets.h"

#include "calc/svodsum.h"

namespace zorv {
namespace {

// The (income code, deduction code) pair that selects the lines of each table;
// the income codes of sheet И are those of sheet З with 9 in place of the leading 1.
struct TablePair {
    uint32_t incomeCode;
    uint32_t deductCode;
};
constexpr TablePair kOwnPairs[kSecurityTableCount] = {{1530, 307}, {1536, 309}, {1531, 308},
                                                      {1532, 305}, {1533, 306}, {1534, 305}};
constexpr TablePair kTrustPairs[kSecurityTableCount] = {{9530, 307}, {9536, 309}, {9531, 308},
                                                        {9532, 305}, {9533, 306}, {9534, 305}};

// The table of a line, or kSecurityTableCount for a line of no table.
size_t TableOf(const TablePair (&pairs)[kSecurityTableCount], uint32_t incomeCode,
               uint32_t deductCode) {
    size_t t = 0;
    while (t < kSecurityTableCount &&
           !(pairs[t].incomeCode == incomeCode && pairs[t].deductCode == deductCode)) {
        ++t;
    }
    return t;
}

struct TableSums {
    Money profit[kSecurityTableCount];
    Money loss[kSecurityTableCount];
    Money income;
};

// Builds the six tables: one row per 13 % source and table, one row per matching
// currency record; then each row's profit or loss and the sums per table.
TableSums BuildTables(const mTDeclaration& d, const TablePair (&pairs)[kSecurityTableCount],
                      SecurityTables& tables) {
    for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
        const mTThirteenPercent& source = d.ThirteenPercent(i);
        Money income[kSecurityTableCount];
        Money expense[kSecurityTableCount];
        bool used[kSecurityTableCount] = {};
        for (size_t j = 0; j < source.IncomeCount(); ++j) {
            const mTSourseIncome& line = source.Income(j);
            size_t t = TableOf(pairs, line.IncomeCode, line.DeductCode);
            if (t == kSecurityTableCount) continue;
            income[t] += line.IncomeSum;
            expense[t] += line.DeductSum;
            used[t] = true;
        }
        for (size_t t = 0; t < kSecurityTableCount; ++t) {
            if (!used[t]) continue;
            CBDoh row;
            row.INN = source.INN;
            row.KPP = source.KPP;
            row.SourceName = source.SourceName;
            row.Income = income[t];
            row.Expense = expense[t];
            tables[t].push_back(std::move(row));
        }
    }
    if (d.HasIncome(kIncomeForeign)) {
        for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
            const mTCurrencyIncome& record = d.CurrencyIncome(i);
            size_t t = TableOf(pairs, record.IncomeCode, record.DeductCode);
            if (t == kSecurityTableCount) continue;
            CBDoh row;
            row.SourceName = record.SourceName;
            row.Income = record.IncomeInRubles;
            row.Expense = record.DeductSum;
            tables[t].push_back(std::move(row));
        }
    }
    TableSums sums;
    for (size_t t = 0; t < kSecurityTableCount; ++t) {
        for (CBDoh& row : tables[t]) {
            if (row.Expense > row.Income) {
                row.Loss = row.Expense - row.Income;
                row.Profit = Money();
            } else {
                row.Profit = row.Income - row.Expense;
                row.Loss = Money();
            }
            sums.profit[t] += row.Profit;
            sums.loss[t] += row.Loss;
            sums.income += row.Income;
        }
    }
    return sums;
}

// Profit less the losses set against it, not below zero.
Money NetOrZero(Money profit, Money losses) {
    return Max(Money(), profit - losses);
}

template <class Sheet>
void TakeSums(Sheet& sheet, const TableSums& sums) {
    sheet.Profit1 = sums.profit[kTradedSecurities];
    sheet.Profit2 = sums.profit[kOnceTradedSecurities];
    sheet.Profit3 = sums.profit[kUntradedSecurities];
    sheet.Profit4 = sums.profit[kDerivatives];
    sheet.Profit5 = sums.profit[kFundUnits];
    sheet.Profit6 = sums.profit[kHedgingDerivatives];
    sheet.Loss1 = sums.loss[kTradedSecurities];
    sheet.Loss2 = sums.loss[kOnceTradedSecurities];
    sheet.Loss3 = sums.loss[kUntradedSecurities];
    sheet.Loss4 = sums.loss[kDerivatives];
    sheet.Loss5 = sums.loss[kFundUnits];
    sheet.Loss6 = sums.loss[kHedgingDerivatives];
    sheet.TotalIncome = sums.income;
}

void TablesToJson(Json& json, const SecurityTables& tables) {
    constexpr const char* kKeys[kSecurityTableCount] = {"T1", "T2", "T3", "T4", "T5", "T6"};
    for (size_t t = 0; t < kSecurityTableCount; ++t) json[kKeys[t]] = RowsToJson(tables[t]);
}

}  // namespace

// Sheet И: the loss of T6 is set against T1, the loss of T1 against T2 (article
// 214.1); what the trust's tables cannot absorb passes to sheet З.
bool kTSvodSumPrilK::Compute(mTDeclaration& d, kTSvodSum&) {
    TakeSums(*this, BuildTables(d, kTrustPairs, Tables));

    if (Loss6 > Profit6) {
        Carry6 = Loss6 - Profit6;
        Taxable6 = Money();
    } else {
        Taxable6 = Profit6 - Loss6;
        Carry6 = Money();
    }

    const Money h = Carry6;
    if (Profit1 >= Loss1 + h) {
        Taxable1 = Profit1 - Loss1 - h;
        Carry1 = Money();
        Used6In1 = h;
        LossOut6 = Money();
    } else if (Loss1 >= Profit1) {
        Taxable1 = Money();
        Carry1 = Loss1 - Profit1;
        Used6In1 = Money();
        LossOut6 = h;
    } else {
        Taxable1 = Money();
        Carry1 = Money();
        Used6In1 = Profit1 - Loss1;
        LossOut6 = Loss1 + h - Profit1;
    }

    const Money t = Carry1;
    if (Profit2 >= t + Loss2) {
        Taxable2 = Profit2 - t - Loss2;
        LossOut1 = Money();
        Used1In2 = t;
    } else if (Loss2 >= Profit2) {
        Taxable2 = Money();
        LossOut1 = t;
        Used1In2 = Money();
    } else {
        Taxable2 = Money();
        LossOut1 = t + Loss2 - Profit2;
        Used1In2 = Profit2 - Loss2;
    }

    auto standAlone = [](Money profit, Money loss, Money& taxable, Money& lossOut) {
        if (loss > profit) {
            lossOut = loss - profit;
            taxable = Money();
        } else {
            taxable = profit - loss;
            lossOut = Money();
        }
    };
    standAlone(Profit3, Loss3, Taxable3, LossOut3);
    standAlone(Profit4, Loss4, Taxable4, LossOut4);
    standAlone(Profit5, Loss5, Taxable5, LossOut5);

    TotalTaxable = Taxable6 + Taxable1 + Taxable2 + Taxable3 + Taxable4 + Taxable5;
    TotalExpense = TotalIncome - TotalTaxable;
    return true;
}

// Sheet З: own operations, with the losses passed on by sheet И.
bool kTSvodSumPrilJ::Compute(mTDeclaration& d, kTSvodSum& s) {
    TakeSums(*this, BuildTables(d, kOwnPairs, Tables));
    const kTSvodSumPrilK& trust = s.TrustSecurities;

    if (Profit6 >= Loss6 + trust.LossOut6) {
        Taxable6 = Profit6 - Loss6 - trust.LossOut6;
        Carry6 = Money();
    } else {
        Carry6 = Loss6 + trust.LossOut6 - Profit6;
        Taxable6 = Money();
    }

    if (Profit1 >= Loss1 + trust.LossOut1 + Carry6) {
        Taxable1 = Profit1 - Loss1 - trust.LossOut1 - Carry6;
        Carry1 = Money();
    } else {
        Carry1 = Loss1 + trust.LossOut1 + Carry6 - Profit1;
        Taxable1 = Money();
    }

    // What T2 cannot absorb is not carried further.
    Taxable2 = NetOrZero(Profit2, Carry1 + Loss2);
    Taxable3 = NetOrZero(Profit3, Loss3 + trust.LossOut3);
    Taxable4 = NetOrZero(Profit4, Loss4 + trust.LossOut4);
    Taxable5 = NetOrZero(Profit5, Loss5 + trust.LossOut5);

    TotalTaxable = Taxable1 + Taxable2 + Taxable3 + Taxable4 + Taxable5 + Taxable6;
    TotalExpense = TotalIncome - TotalTaxable;
    return true;
}

Json ToJson(const CBDoh& row) {
    Json json = Json::object();
    json["INN"] = row.INN;
    json["KPP"] = row.KPP;
    json["SourceName"] = row.SourceName;
    json["Income"] = MoneyToJson(row.Income);
    json["Profit"] = MoneyToJson(row.Profit);
    json["Loss"] = MoneyToJson(row.Loss);
    json["Expense"] = MoneyToJson(row.Expense);
    return json;
}

Json ToJson(const kTSvodSumPrilJ& sheet) {
    Json json = LinesToJson(sheet, kSheetZLines);
    TablesToJson(json, sheet.Tables);
    return json;
}

Json ToJson(const kTSvodSumPrilK& sheet) {
    Json json = LinesToJson(sheet, kSheetILines);
    TablesToJson(json, sheet.Tables);
    return json;
}

}  // namespace zorv
