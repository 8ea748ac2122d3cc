#include "calc/salesheets.h"

#include <string>

#include "calc/incomesheets.h"
#include "calc/svodsum.h"
#include "codes/incomecodes.h"
#include "model/taxlimits2008.h"

namespace zorv {
namespace {

bool IsResident(const mTDeclaration& d) {
    return d.DeclarationKind == kResident3NDFL;
}

bool IsAuthorFee(uint32_t incomeCode) {
    return incomeCode >= codes::kFirstAuthorFee && incomeCode <= codes::kLastAuthorFee;
}

// Property deduction on a sale, sub-item 1 of item 1 of article 220.
constexpr Money kHousingSaleLimit = limits2008::kSaleHousingLimit;
constexpr Money kOtherPropertyLimit = limits2008::kSaleOtherPropertyLimit;

void AddAuthorFee(kTSheetDTotals& sheet, kTRowRef ref, const std::string& inn,
                  const std::string& kpp, const std::string& sourceName, uint32_t incomeCode,
                  const std::string& incomeName, Money income, uint32_t deductCode,
                  uint32_t deductPercent, Money expense) {
    sheet.RowRefs.push_back(ref);
    DohodAvtVozn row;
    row.INN = inn;
    row.KPP = kpp;
    row.SourceName = sourceName;
    row.IncomeCodeText = std::to_string(incomeCode);
    row.IncomeName = incomeName;
    row.Income = income;
    row.DeductCodeText = std::to_string(deductCode);
    row.DeductPercentText = std::to_string(deductPercent);
    row.Expense = expense;
    sheet.Rows.push_back(std::move(row));
    sheet.Income += income;
    sheet.Expense += expense;
}

void AddCivilContract(kTSheetETotals& sheet, kTRowRef ref, const std::string& inn,
                      const std::string& kpp, const std::string& sourceName, Money income,
                      Money expense) {
    sheet.RowRefs.push_back(ref);
    DohodGragdPravHar row;
    row.INN = inn;
    row.KPP = kpp;
    row.SourceName = sourceName;
    row.Income = income;
    row.Expense = expense;
    sheet.Rows.push_back(std::move(row));
    sheet.Income += income;
    sheet.Expense += expense;
}

}  // namespace

// ---- Sheet Д -----------------------------------------------------------------

bool kTSvodSumPrilG::Compute(mTDeclaration& d, kTSvodSum&) {
    if (!IsResident(d)) return true;
    for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
        const mTThirteenPercent& source = d.ThirteenPercent(i);
        for (size_t j = 0; j < source.IncomeCount(); ++j) {
            const mTSourseIncome& line = source.Income(j);
            if (!IsAuthorFee(line.IncomeCode) || line.DeductCode == 0) continue;
            AddAuthorFee(*this, {i, j}, source.INN, source.KPP, source.SourceName, line.IncomeCode,
                         line.IncomeName, line.IncomeSum, line.DeductCode, line.DeductPercent,
                         line.DeductSum);
        }
    }
    Expense = Min(Expense, Income);
    return true;
}

bool kTSvodSumPrilG_In::Compute(mTDeclaration& d, kTSvodSum&) {
    if (!d.HasIncome(kIncomeForeign)) return true;
    for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
        const mTCurrencyIncome& record = d.CurrencyIncome(i);
        if (!IsAuthorFee(record.IncomeCode) || record.IncomeRate != limits2008::kRateMain ||
            record.DeductCode == 0) {
            continue;
        }
        AddAuthorFee(*this, {i, kTRowRef::kCurrencyLine}, {}, {}, record.SourceName,
                     record.IncomeCode, record.IncomeName, record.IncomeInRubles, record.DeductCode,
                     record.DeductPercent, record.DeductSum);
    }
    Expense = Min(Expense, Income);
    return true;
}

// ---- Sheet Е -----------------------------------------------------------------

bool kTSvodSumPrilD::Compute(mTDeclaration& d, kTSvodSum&) {
    if (!IsResident(d)) return true;
    for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
        const mTThirteenPercent& source = d.ThirteenPercent(i);
        for (size_t j = 0; j < source.IncomeCount(); ++j) {
            const mTSourseIncome& line = source.Income(j);
            if (line.IncomeCode != codes::kCivilContract || line.DeductCode == 0) continue;
            AddCivilContract(*this, {i, j}, source.INN, source.KPP, source.SourceName,
                             line.IncomeSum, line.DeductSum);
        }
    }
    Expense = Min(Expense, Income);
    return true;
}

bool kTSvodSumPrilD_In::Compute(mTDeclaration& d, kTSvodSum&) {
    if (!d.HasIncome(kIncomeForeign)) return true;
    for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
        const mTCurrencyIncome& record = d.CurrencyIncome(i);
        if (record.IncomeCode != codes::kCivilContract || record.DeductCode == 0) continue;
        AddCivilContract(*this, {i, kTRowRef::kCurrencyLine}, {}, {}, record.SourceName,
                         record.IncomeInRubles, record.DeductSum);
    }
    Expense = Min(Expense, Income);
    return true;
}

// ---- Sheet Ж1 ----------------------------------------------------------------

bool kTSvodSumPrilH1::Compute(mTDeclaration& d, kTSvodSum&) {
    if (!IsResident(d)) return true;
    if (d.ThirteenPercentCount() == 0 && !d.HasIncome(kIncomeForeign)) return true;
    Money documentedExpenses;  // other property sold with documented expenses
    ForEachIncomeLine(d, [&](const kTIncomeLine& line) {
        const uint32_t code = line.IncomeCode;
        const uint32_t deduct = line.DeductCode;
        // The deduction on a sale never exceeds what the sale brought (article 220,
        // item 1, sub-item 1). The income dialog refuses a larger deduction on a 13 %
        // line, but a currency record may carry one; its excess would otherwise reduce
        // the rest of the 13 % base.
        const Money accepted = Min(line.DeductSum, line.Amount);
        using namespace codes;
        const bool housing = code == kSaleOfHousing;
        const bool share = code == kSaleOfHousingShare;
        const bool other = code == kSaleOfOtherProperty;
        if (housing && deduct == kSaleHousingUnder3Years) {
            L010 += line.Amount;
        } else if (share && deduct == kSaleShareUnder3Years) {
            L030 += line.Amount;
            L040 += accepted;
        } else if ((housing || share) && deduct == kSaleExpenses) {
            L070 += line.Amount;
            L080 += accepted;
        } else if ((housing && deduct == kSaleHousing3Years) ||
                   (share && deduct == kSaleShare3Years)) {
            L090 += line.Amount;
        } else if (other && deduct == kSaleOtherUnder3Years) {
            L130 += line.Amount;
            L140 += Min(accepted, kOtherPropertyLimit);
        } else if (other && deduct == kSaleExpenses) {
            L150 += line.Amount;
            documentedExpenses += line.DeductSum;
        } else if (other && deduct == kSaleOther3Years) {
            L170 += line.Amount;
        }
    });
    L020 = Min(L010, kHousingSaleLimit);
    L040 = Min(L040, kHousingSaleLimit);
    L050 = L010 + L030;
    L060 = Min(L020 + L040, kHousingSaleLimit);
    // Property held three years or more is deducted in full.
    L100 = L090;
    L110 = L050 + L070 + L090;
    L120 = L060 + L080 + L100;
    L140 = Min(L140, kOtherPropertyLimit);
    L160 = Min(L150, documentedExpenses);
    L180 = L170;
    L190 = L130 + L150 + L170;
    L200 = L140 + L160 + L180;
    L210 = L120 + L200;
    return true;
}

// ---- Sheet Ж2 ----------------------------------------------------------------

namespace {

constexpr uint32_t kShareSale = 1540, kShareSaleDeduction = 315;
constexpr uint32_t kClaimAssignment = 1550, kClaimAssignmentDeduction = 314;

void AddShareRow(kTSheetH2Totals& sheet, uint32_t incomeCode, uint32_t deductCode, mbDohH2 row) {
    // As on sheet Ж1, the expenses are taken up to the income of the sale.
    row.Expense = Min(row.Expense, row.Income);
    if (incomeCode == kShareSale && deductCode == kShareSaleDeduction) {
        sheet.L060 += row.Expense;
        sheet.ShareRows.push_back(std::move(row));
    } else if (incomeCode == kClaimAssignment && deductCode == kClaimAssignmentDeduction) {
        sheet.L120 += row.Expense;
        sheet.ClaimRows.push_back(std::move(row));
    }
}

}  // namespace

bool kTSvodSumPrilH2::Compute(mTDeclaration& d, kTSvodSum&) {
    if (IsResident(d)) {
        for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
            const mTThirteenPercent& source = d.ThirteenPercent(i);
            for (size_t j = 0; j < source.IncomeCount(); ++j) {
                const mTSourseIncome& line = source.Income(j);
                AddShareRow(
                    *this, line.IncomeCode, line.DeductCode,
                    {source.SourceName, source.INN, source.KPP, line.IncomeSum, line.DeductSum});
            }
        }
    }
    L130 = L060 + L120;
    return true;
}

bool kTSvodSumPrilH2_In::Compute(mTDeclaration& d, kTSvodSum&) {
    if (IsResident(d) && d.HasIncome(kIncomeForeign)) {
        for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
            const mTCurrencyIncome& record = d.CurrencyIncome(i);
            AddShareRow(*this, record.IncomeCode, record.DeductCode,
                        {record.SourceName, {}, {}, record.IncomeInRubles, record.DeductSum});
        }
    }
    L130 = L060 + L120;
    return true;
}

// ---- JSON --------------------------------------------------------------------

Json ToJson(const kTRowRef& ref) {
    return Json::array({ref.Source, ref.Line});
}

Json ToJson(const DohodAvtVozn& row) {
    Json json = Json::object();
    json["INN"] = row.INN;
    json["KPP"] = row.KPP;
    json["SourceName"] = row.SourceName;
    json["IncomeCodeText"] = row.IncomeCodeText;
    json["IncomeName"] = row.IncomeName;
    json["Income"] = MoneyToJson(row.Income);
    json["DeductCodeText"] = row.DeductCodeText;
    json["DeductPercentText"] = row.DeductPercentText;
    json["Expense"] = MoneyToJson(row.Expense);
    return json;
}

Json ToJson(const kTSheetDTotals& sheet) {
    Json json = LinesToJson(sheet, kSheetDLines);
    json["RowRefs"] = RowsToJson(sheet.RowRefs);
    json["Rows"] = RowsToJson(sheet.Rows);
    return json;
}

Json ToJson(const DohodGragdPravHar& row) {
    Json json = Json::object();
    json["INN"] = row.INN;
    json["KPP"] = row.KPP;
    json["SourceName"] = row.SourceName;
    json["Income"] = MoneyToJson(row.Income);
    json["Expense"] = MoneyToJson(row.Expense);
    return json;
}

Json ToJson(const kTSheetETotals& sheet) {
    Json json = LinesToJson(sheet, kSheetELines);
    json["RowRefs"] = RowsToJson(sheet.RowRefs);
    json["Rows"] = RowsToJson(sheet.Rows);
    return json;
}

Json ToJson(const kTSvodSumPrilH1& sheet) {
    return LinesToJson(sheet, kSheetZh1Lines);
}

Json ToJson(const mbDohH2& row) {
    Json json = Json::object();
    json["SourceName"] = row.SourceName;
    json["INN"] = row.INN;
    json["KPP"] = row.KPP;
    json["Income"] = MoneyToJson(row.Income);
    json["Expense"] = MoneyToJson(row.Expense);
    return json;
}

Json ToJson(const kTSheetH2Totals& sheet) {
    Json json = Json::object();
    json["ShareRows"] = RowsToJson(sheet.ShareRows);
    json["ClaimRows"] = RowsToJson(sheet.ClaimRows);
    AddLinesToJson(json, sheet, kSheetZh2Lines);
    return json;
}

}  // namespace zorv
