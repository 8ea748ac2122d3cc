#include "report/reportsums.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

#include "calc/totalsrange.h"
#include "codes/incomecodes.h"
#include "report/reportdata.h"
#include "storage/daynumber.h"

namespace zorv {
namespace {

// The earlier code list's property-sale deductions, translated to the codes the
// engine's sheet Ж1 knows. A current code has no place on the library's sheet.
bool IsSaleIncome(uint32_t code) {
    return code == codes::kSaleOfHousing || code == codes::kSaleOfHousingShare ||
           code == codes::kSaleOfOtherProperty;
}

std::optional<uint32_t> SaleDeductionCode(uint32_t incomeCode, uint32_t deductCode) {
    using namespace codes;
    if (deductCode == kOldSaleExpenses && IsSaleIncome(incomeCode)) return kSaleExpenses;
    switch (incomeCode) {
        case kSaleOfHousing:
            if (deductCode == kOldSaleHousingUnder3Years) return kSaleHousingUnder3Years;
            if (deductCode == kOldSaleHousing3Years) return kSaleHousing3Years;
            break;
        case kSaleOfHousingShare:
            if (deductCode == kOldSaleShareUnder3Years) return kSaleShareUnder3Years;
            if (deductCode == kOldSaleShare3Years) return kSaleShare3Years;
            break;
        case kSaleOfOtherProperty:
            if (deductCode == kOldSaleOtherUnder3Years) return kSaleOtherUnder3Years;
            if (deductCode == kOldSaleOther3Years) return kSaleOther3Years;
            break;
        default:
            break;
    }
    return std::nullopt;
}

// A copy of the declaration that the engine's sheet Ж1 reads as the library's
// rules demand: deduction codes translated, the rest of the sale lines left out.
mTDeclaration WithTranslatedSaleCodes(const mTDeclaration& d) {
    mTDeclaration copy = d;
    for (size_t i = 0; i < copy.ThirteenPercentCount(); ++i) {
        mTThirteenPercent& source = copy.ThirteenPercent(i);
        for (size_t j = 0; j < source.IncomeCount(); ++j) {
            mTSourseIncome line = source.Income(j);
            if (!IsSaleIncome(line.IncomeCode)) continue;
            line.DeductCode = SaleDeductionCode(line.IncomeCode, line.DeductCode).value_or(0);
            source.SetIncome(j, line);
        }
    }
    for (size_t i = 0; i < copy.CurrencyIncomeCount(); ++i) {
        mTCurrencyIncome& record = copy.CurrencyIncome(i);
        if (!IsSaleIncome(record.IncomeCode)) continue;
        record.DeductCode = SaleDeductionCode(record.IncomeCode, record.DeductCode).value_or(0);
    }
    return copy;
}

// A copy whose share and registration date make the engine's sheet Л apply the
// library's limit: 1 000 000 x the stored share, rounded to kopecks.
mTDeclaration WithStoredShare(const mTDeclaration& d, double share) {
    constexpr uint32_t kDenominator = 100000000;
    mTDeclaration copy = d;
    mTConstructionDeduct& property = copy.ConstructionDeduct;
    share = std::clamp(share, 0.0, 40.0);
    property.ShareNumerator = static_cast<uint32_t>(std::llround(share * kDenominator));
    property.ShareDenominator = kDenominator;
    property.RegistrationDate = DayNumber(2007, 1, 1);  // the 1 000 000 limit
    return copy;
}

constexpr bool IsAuthorFee(uint32_t code) {
    return code > 2200 && code < 2300;
}

void AddAuthorFee(kTSheetDTotals& sheet, kTRowRef ref, const mTSourseIncomeInfo* source,
                  const std::string& sourceName, uint32_t incomeCode, const std::string& incomeName,
                  Money income, uint32_t deductCode, uint32_t deductPercent, Money expense) {
    sheet.RowRefs.push_back(ref);
    DohodAvtVozn row;
    if (source != nullptr) {
        row.INN = source->INN;
        row.KPP = source->KPP;
    }
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

// Sheets Д and Д($): author's fees of every code from 2201 to 2299.
void ComputeAuthorFees(const mTDeclaration& d, kTSvodSum& s) {
    s.AuthorFees.Clear();
    s.AuthorFeesForeign.Clear();
    if (d.DeclarationKind == kResident3NDFL) {
        for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
            const mTThirteenPercent& source = d.ThirteenPercent(i);
            for (size_t j = 0; j < source.IncomeCount(); ++j) {
                const mTSourseIncome& line = source.Income(j);
                if (!IsAuthorFee(line.IncomeCode) || line.DeductCode == 0) continue;
                AddAuthorFee(s.AuthorFees, {i, j}, &source, source.SourceName, line.IncomeCode,
                             line.IncomeName, line.IncomeSum, line.DeductCode, line.DeductPercent,
                             line.DeductSum);
            }
        }
    }
    for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
        const mTCurrencyIncome& r = d.CurrencyIncome(i);
        if (!IsAuthorFee(r.IncomeCode) || r.IncomeRate != 13 || r.DeductCode == 0) continue;
        AddAuthorFee(s.AuthorFeesForeign, {i, kTRowRef::kCurrencyLine}, nullptr, r.SourceName,
                     r.IncomeCode, r.IncomeName, r.IncomeInRubles, r.DeductCode, r.DeductPercent,
                     r.DeductSum);
    }
    s.AuthorFees.Expense = Min(s.AuthorFees.Expense, s.AuthorFees.Income);
    s.AuthorFeesForeign.Expense = Min(s.AuthorFeesForeign.Expense, s.AuthorFeesForeign.Income);
}

// A 1511/313 line deducts at most its own amount.
void LimitShareSaleDeductions(mTDeclaration& d) {
    for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
        mTThirteenPercent& source = d.ThirteenPercent(i);
        for (size_t j = 0; j < source.IncomeCount(); ++j) {
            mTSourseIncome line = source.Income(j);
            if (line.IncomeCode == codes::kSaleOfHousingShare &&
                line.DeductCode == codes::kOldSaleShareUnder3Years &&
                line.DeductSum > line.IncomeSum) {
                line.DeductSum = line.IncomeSum;
                source.SetIncome(j, line);
            }
        }
    }
}

// Each 13 % source prints the sum of its lines as its income.
void SetSourceTotals(mTDeclaration& d) {
    for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
        mTThirteenPercent& source = d.ThirteenPercent(i);
        Money total;
        for (size_t j = 0; j < source.IncomeCount(); ++j) total += source.Income(j).IncomeSum;
        source.IncomeTotal = total;
    }
}

}  // namespace

std::string kTRepSvodSum::TooLarge(const kTDanLog& data) const {
    if (data.IsEstimatedIncome()) return {};
    if (std::optional<DeclarationProblem> problem = TotalsOutOfRange(data.Declaration, Core)) {
        return problem->message;
    }
    const std::pair<const char*, Money> section5[] = {{"010", Section5.L010},
                                                      {"020", Section5.L020},
                                                      {"030", Section5.L030},
                                                      {"040", Section5.L040}};
    for (const auto& [line, amount] : section5) {
        if (FitsTheForm(amount)) continue;
        return TotalTooLargeMessage(std::string("Раздел 5, строка ") + line, amount);
    }
    return {};
}

void kTRepSvodSum::Compute(kTDanLog& data) {
    kTSvodSum& s = Core;
    s.ClearAll();
    Section5 = kTSvodSumList5Rep();
    mTDeclaration& d = data.Declaration;
    SetSourceTotals(d);

    kTDeclDan& h = data.Header;
    h.Okato13.clear();
    h.Okato9.clear();
    h.Okato35.clear();
    if (!data.IsEstimatedIncome()) {
        LimitShareSaleDeductions(d);

        s.DividendsRes.Compute(d, s);
        s.Income13.Compute(d, s);
        s.Income30.Compute(d, s);
        s.Exempt.Compute(d, s);
        // No line for birth aid on the library's sheet Г; its part 2 is a resident's.
        s.Exempt.L130 -= s.Exempt.BirthAidExempt;
        s.Exempt.BirthAidIncome = s.Exempt.BirthAidExempt = Money();
        if (d.DeclarationKind != kResident3NDFL) {
            s.Exempt.Rows.clear();
            s.Exempt.L170 = Money();
        }
        s.Income35.Compute(d, s);
        s.Business.Compute(d, s);
        s.PrivatePractice.Compute(d, s);
        ComputeAuthorFees(d, s);
        s.CivilContracts.Compute(d, s);
        s.CivilContractsForeign.Compute(d, s);
        mTDeclaration saleCodes = WithTranslatedSaleCodes(d);
        s.PropertySale.Compute(saleCodes, s);
        s.ShareSale.Compute(d, s);
        s.ShareSaleForeign.Compute(d, s);
        s.TrustSecurities.Compute(d, s);
        s.Securities.Compute(d, s);
        s.Foreign13.Compute(d, s);
        s.Foreign9.Compute(d, s);
        s.Foreign35.Compute(d, s);
        s.StandardDeductions.Compute(d, s);
        s.SocialDeductions.Compute(d, s);
        mTDeclaration shared = WithStoredShare(d, data.PropertyShare);
        s.Housing.Compute(shared, s);
        s.Housing.Share = data.PropertyShare;

        // The territory of each tax line: the first source of that rate, else the
        // taxpayer's own.
        const bool resident = d.DeclarationKind == kResident3NDFL;
        const bool nonResident = d.DeclarationKind == kNonResident3NDFL;
        if ((resident || nonResident) && d.ThirteenPercentCount() > 0) {
            h.Okato13 = d.ThirteenPercent(0).OKATO;
        }
        if (d.ThirtyPercentCount() > 0) h.Okato9 = d.ThirtyPercent(0).OKATO;
        if (resident && d.ThirtyFivePercentCount() > 0) h.Okato35 = d.ThirtyFivePercent(0).OKATO;
    }
    for (std::string* okato : {&h.Okato13, &h.Okato9, &h.Okato35}) {
        if (okato->empty()) *okato = d.Person.OKATO;
    }
    if (data.IsEstimatedIncome()) return;

    s.OkatoThirteen = h.Okato13;
    s.OkatoDividends = h.Okato9;
    s.OkatoThirtyFive = h.Okato35;
    s.OkatoFifteen = d.Person.OKATO;
    s.Section1.Compute(d, s);
    s.Section2.Compute(d, s);
    s.Section3.Compute(d, s);
    s.Section4.Compute(d, s);
    s.Section6.Compute(d, s);

    Section5.L010 = s.Section1.L100 + s.Section2.L090 + s.Section3.L080 + s.Section4.L070;
    Section5.L020 = s.Section1.L110 + s.Section2.L100 + s.Section3.L090 + s.Section4.L080;
    if (Section5.L010 > Section5.L020) {
        Section5.L030 = Section5.L010 - Section5.L020;
    } else {
        Section5.L040 = Section5.L020 - Section5.L010;
    }
}

}  // namespace zorv
