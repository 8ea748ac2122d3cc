#include "calc/housingsheet.h"

#include <cstdint>

#include "calc/svodsum.h"
#include "model/taxlimits2008.h"
#include "storage/daynumber.h"

namespace zorv {
namespace L = limits2008;

namespace {

// amount × numerator / denominator rounded half up to the kopeck, exactly.
Money FractionRoundedToKopeck(Money amount, int64_t numerator, int64_t denominator) {
    constexpr int64_t kRawPerKopeck = Money::kScale / 100;
    __int128 num = static_cast<__int128>(amount.Raw()) * numerator;
    __int128 den = static_cast<__int128>(denominator) * kRawPerKopeck;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    // Halves go away from zero on the positive side, toward zero on the negative
    // side, like RoundHalfUp.
    __int128 kopecks = num >= 0 ? (2 * num + den) / (2 * den) : -((-2 * num + den - 1) / (2 * den));
    return Money::Clamped(kopecks * kRawPerKopeck);
}

}  // namespace

void kTSvodSumPrilZ::Clear() {
    *this = kTSvodSumPrilZ();
}

bool kTSvodSumPrilZ::Compute(mTDeclaration& d, kTSvodSum& s) {
    Clear();
    const mTConstructionDeduct& h = d.ConstructionDeduct;
    if (d.DeclarationKind != kResident3NDFL || h.Granted == 0) return true;

    // The share of ownership; a share entered without a denominator counts as a
    // whole number (n/0 is taken as n/1).
    const int64_t numerator = h.ShareNumerator;
    const int64_t denominator = h.ShareDenominator == 0 ? 1 : h.ShareDenominator;
    Share = static_cast<double>(numerator) / static_cast<double>(denominator);

    // Expense limit by the year of the transfer act or ownership registration.
    const Money limit = CivilFromDayNumber(h.RegistrationDate).year < L::kHousingLimitFirstYear
                            ? L::kHousingLimitBefore2008
                            : L::kHousingLimitFrom2008;

    // Expenses within limit × share (compared exactly), rounded to kopecks.
    if (static_cast<__int128>(h.ObjectCost.Raw()) * denominator >
        static_cast<__int128>(limit.Raw()) * numerator) {
        L080 = FractionRoundedToKopeck(limit, numerator, denominator);
    } else {
        L080 = FractionRoundedToKopeck(h.ObjectCost, 1, 1);
    }

    L090 = h.CreditInterest;
    L180 = h.HousingAgentThisYear;
    L190 = h.CreditAgentThisYear;

    // The 13 % base left after every other deduction.
    const Money income =
        s.Income13.Income + s.Foreign13.Income + s.Business.Income + s.PrivatePractice.Income;
    const Money deductions =
        s.Business.Deduction + s.PrivatePractice.Deduction + s.ShareSale.L130 +
        s.ShareSaleForeign.L130 + s.PropertySale.L210 + s.Exempt.L130 + s.AuthorFees.Expense +
        s.AuthorFeesForeign.Expense + s.CivilContracts.Expense + s.CivilContractsForeign.Expense +
        s.SocialDeductions.L130 + s.StandardDeductions.L220 + s.Securities.TotalExpense +
        s.TrustSecurities.TotalExpense + L180 + L190;
    L200 = Max(Money(), income - deductions);

    L110 = h.HousingPriorYears;
    L120 = h.HousingPriorYearsAgent;
    L140 = h.CreditPriorYears;
    L150 = h.CreditPriorYearsAgent;
    L160 = h.HousingCarriedOver;
    L170 = h.CreditCarriedOver;

    L100 = L110 + L120;
    L130 = L140 + L150;

    // Expenses are served first, then interest; together within line 200.
    L210 = Max(Money(), L080 - L100 - L180);
    L220 = Max(Money(), L090 + L170 - L190);
    if (L200 < L210) L210 = L200;
    if (L200 < L210 + L220) L220 = L200 - L210;
    L230 = L080 - L100 - L180 - L210;
    L240 = Max(Money(), L090 + L170 - L190 - L220);
    return true;
}

Json ToJson(const kTSvodSumPrilZ& sheet) {
    Json out = Json::object();
    out["Share"] = sheet.Share;
    AddLinesToJson(out, sheet, kSheetLLines);
    return out;
}

}  // namespace zorv
