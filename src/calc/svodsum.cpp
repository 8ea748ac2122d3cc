#include "calc/svodsum.h"

#include <type_traits>

namespace zorv {

namespace {

template <class Field>
constexpr bool kIsText = std::is_same_v<std::remove_cvref_t<Field>, std::string>;

}  // namespace

void kTSvodSum::ClearAll() {
    ForEachField(*this, [](const char*, auto& field) {
        if constexpr (kIsText<decltype(field)>) {
            field.clear();
        } else {
            field.Clear();
        }
    });
}

bool kTSvodSum::Compute(mTDeclaration& d) {
    ClearAll();
    // The estimated-income declaration (4-NDFL) has no sheets.
    if (d.DeclarationKind == kEstimated4NDFL) return true;

    // Each sheet sees the results of those before it: the 35 % sheet reads the rows
    // of sheet Г, sheet З the losses passed on by sheet И, the social deductions the
    // income totals, sheet Л the totals of almost every deduction sheet. Each sheet
    // decides for itself whether it applies to a resident, a non-resident or both.
    bool ok = DividendsRes.Compute(d, *this) && Income13.Compute(d, *this) &&
              DividendsNonRes.Compute(d, *this) && Income30.Compute(d, *this) &&
              Exempt.Compute(d, *this) && BenefitWithheld.Compute(d, *this) &&
              Income35.Compute(d, *this) && Business.Compute(d, *this) &&
              PrivatePractice.Compute(d, *this) && AuthorFees.Compute(d, *this) &&
              AuthorFeesForeign.Compute(d, *this) && CivilContracts.Compute(d, *this) &&
              CivilContractsForeign.Compute(d, *this) && PropertySale.Compute(d, *this) &&
              ShareSale.Compute(d, *this) && ShareSaleForeign.Compute(d, *this) &&
              TrustSecurities.Compute(d, *this) && Securities.Compute(d, *this) &&
              Foreign13.Compute(d, *this) && Foreign9.Compute(d, *this) &&
              Foreign35.Compute(d, *this) && StandardDeductions.Compute(d, *this) &&
              SocialDeductions.Compute(d, *this) && Housing.Compute(d, *this);
    if (!ok) return false;

    // Refunds at 9, 30, 35 and 15 % go to the territory of the source that withheld
    // the tax; without such a source, to the taxpayer's own territory.
    for (std::string* okato : {&OkatoDividends, &OkatoThirteen, &OkatoThirtyFive, &OkatoFifteen}) {
        if (okato->empty()) *okato = d.Person.OKATO;
    }

    return Section1.Compute(d, *this) && Section2.Compute(d, *this) && Section3.Compute(d, *this) &&
           Section4.Compute(d, *this) && Base15.Compute(d, *this) && Section6.Compute(d, *this);
}

Json SvodSumToJson(const kTSvodSum& s) {
    Json json = Json::object();
    kTSvodSum::ForEachField(s, [&](const char* key, const auto& field) {
        if constexpr (kIsText<decltype(field)>) {
            json[key] = field;
        } else {
            json[key] = ToJson(field);
        }
    });
    return json;
}

}  // namespace zorv
