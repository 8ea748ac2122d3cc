#include "calc/incomesheets.h"

#include "calc/calcmoney.h"
#include "calc/svodsum.h"
#include "codes/incomecodes.h"
#include "model/numtext.h"
#include "model/taxlimits2008.h"

namespace zorv {
namespace {

bool IsResident(const mTDeclaration& d) {
    return d.DeclarationKind == kResident3NDFL;
}
bool IsNonResident(const mTDeclaration& d) {
    return d.DeclarationKind == kNonResident3NDFL;
}

// Income codes of sheets А and Г.
using codes::kAdvertisingPrizes;
using codes::kBirthAid;
using codes::kCompetitionPrizes;
using codes::kDisabledAid;
using codes::kEmployerAid;
using codes::kGifts;
using codes::kItem33Aid;
using codes::kMaterialBenefit;
using codes::kMedicines;

using limits2008::kExemptIncomeLimit;
using limits2008::kExemptItem33Limit;

void SetIfEmpty(std::string& okato, const std::string& value) {
    if (okato.empty()) okato = value;
}

// Sheet А over the 13 % sources; the resident's and the non-resident's objects differ
// only in who they are computed for.
void SumThirteenPercentSources(const mTDeclaration& d, kTSheetATotals& totals, kTSvodSum& s) {
    for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
        const mTThirteenPercent& source = d.ThirteenPercent(i);
        for (size_t j = 0; j < source.IncomeCount(); ++j)
            totals.Income += source.Income(j).IncomeSum;
        totals.TaxableIncome += source.TaxableIncome;
        totals.TaxComputed += source.TaxComputed;
        totals.TaxWithheld += source.TaxWithheld;
        SetIfEmpty(s.OkatoThirteen, source.OKATO);
    }
}

}  // namespace

// ---- Sheet А --------------------------------------------------------------

bool kTSvodSumPrilA13::Compute(mTDeclaration& d, kTSvodSum& s) {
    if (IsResident(d)) SumThirteenPercentSources(d, *this, s);
    return true;
}

bool kTSvodSumPrilA30::Compute(mTDeclaration& d, kTSvodSum& s) {
    if (IsNonResident(d)) SumThirteenPercentSources(d, *this, s);
    return true;
}

bool kTSvodSumPrilA6::Compute(mTDeclaration& d, kTSvodSum& s) {
    if (!IsResident(d)) return true;
    for (size_t i = 0; i < d.ThirtyPercentCount(); ++i) {
        const mTThirtyPercent& source = d.ThirtyPercent(i);
        Income += source.IncomeTotal;
        TaxableIncome += source.TaxableIncome;
        TaxComputed += source.TaxComputed;
        TaxWithheld += source.TaxWithheld;
        SetIfEmpty(s.OkatoDividends, source.OKATO);
    }
    return true;
}

bool kTSvodSumPrilA15::Compute(mTDeclaration& d, kTSvodSum& s) {
    if (!IsNonResident(d)) return true;
    for (size_t i = 0; i < d.ThirtyPercentCount(); ++i) {
        const mTThirtyPercent& source = d.ThirtyPercent(i);
        Income += source.IncomeTotal;
        TaxableIncome += source.TaxableIncome;
        // Dividends of a non-resident are taxed at 15 % (item 3 of article 224),
        // source by source.
        TaxComputed += TaxAtRate(source.TaxableIncome, limits2008::kRateDividendsNonRes);
        TaxWithheld += source.TaxWithheld;
        SetIfEmpty(s.OkatoFifteen, source.OKATO);
    }
    return true;
}

bool kTSvodSumPrilA35::Compute(mTDeclaration& d, kTSvodSum& s) {
    if (!IsResident(d)) return true;
    size_t prizeRow = 0;
    for (size_t i = 0; i < d.ThirtyFivePercentCount(); ++i) {
        const mTThirtyFivePercent& source = d.ThirtyFivePercent(i);
        if (source.IncomeCode == kMaterialBenefit) {
            // The benefit itself is exempt; its source gives the territory code of the
            // refund of the tax withheld from it.
            s.OkatoThirtyFive = source.OKATO;
            continue;
        }
        if (source.IncomeCode == kAdvertisingPrizes && source.DeductCode != 0) {
            // The k-th prize source owns the k-th row of sheet Г part 2.
            Money exempt =
                prizeRow < s.Exempt.Rows.size() ? s.Exempt.Rows[prizeRow].Exempt : Money();
            Money taxable = source.IncomeTotal - exempt;
            TaxableIncome += taxable;
            TaxComputed += TaxAtRate(taxable, limits2008::kRatePrizes);
            ++prizeRow;
        } else {
            TaxableIncome += source.IncomeTotal;
            TaxComputed += TaxAtRate(source.IncomeTotal, limits2008::kRatePrizes);
        }
        Income += source.IncomeTotal;
        TaxWithheld += source.TaxWithheld;
        SetIfEmpty(s.OkatoThirtyFive, source.OKATO);
    }
    return true;
}

// ---- Sheet Б --------------------------------------------------------------

void kTSvodSumPrilB::Clear() {
    *this = kTSvodSumPrilB(Rate);
}

bool kTSvodSumPrilB::Compute(mTDeclaration& d, kTSvodSum&) {
    if (!d.HasIncome(kIncomeForeign)) return true;
    for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
        const mTCurrencyIncome& record = d.CurrencyIncome(i);
        if (record.IncomeRate != Rate || record.IncomeCode == kMaterialBenefit) continue;
        DohodCur row;
        row.CountryCode = record.CountryCode;
        row.CurrencyName = record.CurrencyName;
        row.CurrencyCode = record.CurrencyCode;
        row.SourceName = record.SourceName;
        row.IncomeDate = record.IncomeDate;
        if (record.IncomeUnits != 0) {
            row.IncomeRateText = RatePerUnit(record.IncomeRate1, record.IncomeUnits).ToString();
        }
        row.IncomeInCurrencyText = MoneyToKopeckText(record.IncomeInCurrency);
        row.IncomeInRubles = record.IncomeInRubles;
        row.IncomeCode = record.IncomeCode;
        row.DeductSum = record.DeductSum;
        row.DeductCode = record.DeductCode;
        row.TaxDate = record.TaxDate;
        if (record.TaxUnits != 0) {
            row.TaxRateText = RatePerUnit(record.TaxRate1, record.TaxUnits).ToString();
        }
        row.TaxInCurrencyText = MoneyToKopeckText(record.TaxInCurrency);
        row.TaxInRubles = record.TaxInRubles;
        // Tax paid abroad is credited up to the Russian tax on the same income
        // (article 232); the credit is in whole rubles as well.
        row.TaxRF = TaxAtRate(Max(Money(), record.IncomeInRubles - record.DeductSum),
                              static_cast<int>(Rate));
        row.TaxCredit =
            row.TaxRF > record.TaxInRubles ? TaxAtRate(record.TaxInRubles, 100) : row.TaxRF;
        Income += row.IncomeInRubles;
        TaxPaidAbroad += row.TaxInRubles;
        TaxComputedRF += row.TaxRF;
        TaxCredit += row.TaxCredit;
        Rows.push_back(std::move(row));
    }
    return true;
}

// ---- Sheets В1 and В2 -----------------------------------------------------

bool kTSvodSumPrilV1::Compute(mTDeclaration& d, kTSvodSum&) {
    if (!d.HasIncome(kIncomeBusiness)) return true;
    for (size_t i = 0; i < d.BusinessCount(); ++i) {
        const mTBusinessNew& activity = d.Business(i);
        Income += activity.Income;
        // Confirmed expenses: item 1 is their total; otherwise the 20 % norm.
        Deduction +=
            activity.HasConfirmedExpenses == 1 ? activity.ExpenseItems[0] : activity.ExpenseTotal;
    }
    AdvancePaid = d.AdvanceActual;
    AdvanceAccrued = d.AdvanceAccrued;
    Deduction = Min(Deduction, Income);
    return true;
}

bool kTSvodSumPrilV2::Compute(mTDeclaration& d, kTSvodSum&) {
    if (!d.HasIncome(kIncomeRepetit)) return true;
    for (size_t i = 0; i < d.RepetitCount(); ++i) {
        const mTRepetitNew& record = d.Repetit(i);
        Income += record.Values[0];
        Deduction += record.Values[1];
    }
    AdvancePaid = d.RepetitTotal1;
    AdvanceAccrued = d.RepetitTotal2;
    Deduction = Min(Deduction, Income);
    return true;
}

// ---- Sheet Г ---------------------------------------------------------------

void kTSvodSumPrilM::Clear() {
    *this = kTSvodSumPrilM();
}

bool kTSvodSumPrilM::Compute(mTDeclaration& d, kTSvodSum&) {
    // Form part 2: advertising prizes, 4000 rubles in all (item 28 of article 217). The
    // 35 % sources come first, so the k-th row belongs to the k-th prize source.
    Money remaining = kExemptIncomeLimit;
    auto addPrize = [&](const mTSourseIncomeInfo& source, size_t index, Money income,
                        Money deduction) {
        Rec35 row{source.INN, source.KPP, source.SourceName, income, Min(remaining, deduction),
                  index};
        L170 += row.Exempt;
        remaining -= row.Exempt;
        Rows.push_back(std::move(row));
    };
    if (IsResident(d)) {
        for (size_t i = 0; i < d.ThirtyFivePercentCount(); ++i) {
            const mTThirtyFivePercent& source = d.ThirtyFivePercent(i);
            if (source.IncomeCode == kAdvertisingPrizes && source.DeductCode != 0) {
                addPrize(source, i, source.IncomeTotal, source.DeductSum);
            }
        }
    }
    // A non-resident's 13 % sources may carry prize lines of every rate.
    for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
        const mTThirteenPercent& source = d.ThirteenPercent(i);
        for (size_t j = 0; j < source.IncomeCount(); ++j) {
            const mTSourseIncome& line = source.Income(j);
            if (line.IncomeCode == kAdvertisingPrizes && line.DeductCode != 0) {
                addPrize(source, i, line.IncomeSum, line.DeductSum);
            }
        }
    }

    // Form part 1: exempt income up to its limits, by income code.
    if (d.ThirteenPercentCount() == 0 && !d.HasIncome(kIncomeForeign)) return true;
    ForEachIncomeLine(d, [&](const kTIncomeLine& line) {
        auto exempt = [&](uint32_t deductCode, Money& income, Money& exemptPart, Money limit) {
            income += line.Amount;
            if (line.DeductCode == deductCode) exemptPart += Min(line.Amount, limit);
        };
        switch (line.IncomeCode) {
            case kBirthAid:
                BirthAidIncome += line.Amount;
                if (line.DeductCode == codes::kBirthAidDeduction) BirthAidExempt += line.DeductSum;
                break;
            case kEmployerAid:
                exempt(503, L010, L020, kExemptIncomeLimit);
                break;
            case kDisabledAid:
                exempt(506, L030, L040, kExemptIncomeLimit);
                break;
            case kGifts:
                exempt(501, L050, L060, kExemptIncomeLimit);
                break;
            case kCompetitionPrizes:
                exempt(502, L070, L080, kExemptIncomeLimit);
                break;
            case kMedicines:
                exempt(504, L090, L100, kExemptIncomeLimit);
                break;
            case kItem33Aid:
                exempt(507, L110, L120, kExemptItem33Limit);
                break;
            default:
                break;
        }
    });
    L020 = Min(L020, kExemptIncomeLimit);
    L040 = Min(L040, kExemptIncomeLimit);
    L060 = Min(L060, kExemptIncomeLimit);
    L080 = Min(L080, kExemptIncomeLimit);
    L100 = Min(L100, kExemptIncomeLimit);
    L120 = Min(L120, kExemptItem33Limit);
    L130 = BirthAidExempt + L020 + L040 + L060 + L080 + L100 + L120;
    return true;
}

// ---- Material benefit -------------------------------------------------------

void kTSvodSumPrilM2::Clear() {
    *this = kTSvodSumPrilM2();
}

bool kTSvodSumPrilM2::Compute(mTDeclaration& d, kTSvodSum&) {
    if (!IsResident(d)) return true;
    for (size_t i = 0; i < d.ThirtyFivePercentCount(); ++i) {
        const mTThirtyFivePercent& source = d.ThirtyFivePercent(i);
        if (source.IncomeCode != kMaterialBenefit) continue;
        Rows.push_back(Neo35{source.INN, source.KPP, source.OKATO, source.SourceName,
                             source.IncomeTotal, source.TaxWithheld, i});
        TaxWithheld += source.TaxWithheld;
    }
    return true;
}

// ---- JSON --------------------------------------------------------------------

Json ToJson(const kTSheetATotals& sheet) {
    return LinesToJson(sheet, kSheetALines);
}

Json ToJson(const DohodCur& row) {
    Json json = Json::object();
    json["CountryCode"] = row.CountryCode;
    json["CurrencyName"] = row.CurrencyName;
    json["CurrencyCode"] = row.CurrencyCode;
    json["SourceName"] = row.SourceName;
    json["IncomeDate"] = DateToJson(row.IncomeDate);
    json["IncomeRateText"] = row.IncomeRateText;
    json["IncomeInCurrencyText"] = row.IncomeInCurrencyText;
    json["IncomeInRubles"] = MoneyToJson(row.IncomeInRubles);
    json["IncomeCode"] = row.IncomeCode;
    json["DeductSum"] = MoneyToJson(row.DeductSum);
    json["DeductCode"] = row.DeductCode;
    json["TaxDate"] = DateToJson(row.TaxDate);
    json["TaxRateText"] = row.TaxRateText;
    json["TaxInCurrencyText"] = row.TaxInCurrencyText;
    json["TaxInRubles"] = MoneyToJson(row.TaxInRubles);
    json["TaxRF"] = MoneyToJson(row.TaxRF);
    json["TaxCredit"] = MoneyToJson(row.TaxCredit);
    return json;
}

Json ToJson(const kTSvodSumPrilB& sheet) {
    Json json = LinesToJson(sheet, kSheetBLines);
    json["Rows"] = RowsToJson(sheet.Rows);
    return json;
}

Json ToJson(const kTSvodSumPrilV1& sheet) {
    return LinesToJson<kTSheetVTotals>(sheet, kSheetV1Lines);
}

Json ToJson(const kTSvodSumPrilV2& sheet) {
    return LinesToJson<kTSheetVTotals>(sheet, kSheetV2Lines);
}

Json ToJson(const Rec35& row) {
    Json json = Json::object();
    json["INN"] = row.INN;
    json["KPP"] = row.KPP;
    json["SourceName"] = row.SourceName;
    json["Income"] = MoneyToJson(row.Income);
    json["Exempt"] = MoneyToJson(row.Exempt);
    json["SourceIndex"] = row.SourceIndex;
    return json;
}

Json ToJson(const kTSvodSumPrilM& sheet) {
    Json json = Json::object();
    for (const SheetLine<kTSvodSumPrilM>* line : InFieldOrder(sheet, kSheetGLines)) {
        // The rows of part 2 are kept between the totals of part 1 and part 2.
        if (line->member == &kTSvodSumPrilM::L170) json["Rows"] = RowsToJson(sheet.Rows);
        json[line->jsonKey] = MoneyToJson(sheet.*(line->member));
    }
    return json;
}

Json ToJson(const Neo35& row) {
    Json json = Json::object();
    json["INN"] = row.INN;
    json["KPP"] = row.KPP;
    json["OKATO"] = row.OKATO;
    json["SourceName"] = row.SourceName;
    json["Income"] = MoneyToJson(row.Income);
    json["TaxWithheld"] = MoneyToJson(row.TaxWithheld);
    json["SourceIndex"] = row.SourceIndex;
    return json;
}

Json ToJson(const kTSvodSumPrilM2& sheet) {
    Json json = LinesToJson(sheet, kBenefitLines);
    json["Rows"] = RowsToJson(sheet.Rows);
    return json;
}

}  // namespace zorv
