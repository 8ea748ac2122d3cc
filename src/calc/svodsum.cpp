#include "svodsum.h"

namespace zorv {

void kTSvodSum::ClearAll() {
    Section1.Clear();
    Section2.Clear();
    Section3.Clear();
    Section4.Clear();
    Base15.Clear();
    Section6.Clear();
    DividendsRes.Clear();
    Income13.Clear();
    DividendsNonRes.Clear();
    Income30.Clear();
    Income35.Clear();
    Foreign13.Clear();
    Foreign9.Clear();
    Foreign35.Clear();
    Business.Clear();
    PrivatePractice.Clear();
    Exempt.Clear();
    BenefitWithheld.Clear();
    AuthorFees.Clear();
    AuthorFeesForeign.Clear();
    CivilContracts.Clear();
    CivilContractsForeign.Clear();
    StandardDeductions.Clear();
    SocialDeductions.Clear();
    PensionInsurance.Clear();
    PensionFunds.Clear();
    PropertySale.Clear();
    ShareSale.Clear();
    ShareSaleForeign.Clear();
    Housing.Clear();
    Securities.Clear();
    TrustSecurities.Clear();
    OkatoDividends.clear();
    OkatoThirteen.clear();
    OkatoThirtyFive.clear();
    OkatoFifteen.clear();
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
    json["Section1"] = ToJson(s.Section1);
    json["Section2"] = ToJson(s.Section2);
    json["Section3"] = ToJson(s.Section3);
    json["Section4"] = ToJson(s.Section4);
    json["Base15"] = ToJson(s.Base15);
    json["Section6"] = ToJson(s.Section6);
    json["DividendsRes"] = ToJson(s.DividendsRes);
    json["Income13"] = ToJson(s.Income13);
    json["DividendsNonRes"] = ToJson(s.DividendsNonRes);
    json["Income30"] = ToJson(s.Income30);
    json["Income35"] = ToJson(s.Income35);
    json["Foreign13"] = ToJson(s.Foreign13);
    json["Foreign9"] = ToJson(s.Foreign9);
    json["Foreign35"] = ToJson(s.Foreign35);
    json["Business"] = ToJson(s.Business);
    json["PrivatePractice"] = ToJson(s.PrivatePractice);
    json["Exempt"] = ToJson(s.Exempt);
    json["BenefitWithheld"] = ToJson(s.BenefitWithheld);
    json["AuthorFees"] = ToJson(s.AuthorFees);
    json["AuthorFeesForeign"] = ToJson(s.AuthorFeesForeign);
    json["CivilContracts"] = ToJson(s.CivilContracts);
    json["CivilContractsForeign"] = ToJson(s.CivilContractsForeign);
    json["StandardDeductions"] = ToJson(s.StandardDeductions);
    json["SocialDeductions"] = ToJson(s.SocialDeductions);
    json["PensionInsurance"] = ToJson(s.PensionInsurance);
    json["PensionFunds"] = ToJson(s.PensionFunds);
    json["PropertySale"] = ToJson(s.PropertySale);
    json["ShareSale"] = ToJson(s.ShareSale);
    json["ShareSaleForeign"] = ToJson(s.ShareSaleForeign);
    json["Housing"] = ToJson(s.Housing);
    json["Securities"] = ToJson(s.Securities);
    json["TrustSecurities"] = ToJson(s.TrustSecurities);
    json["OkatoDividends"] = s.OkatoDividends;
    json["OkatoThirteen"] = s.OkatoThirteen;
    json["OkatoThirtyFive"] = s.OkatoThirtyFive;
    json["OkatoFifteen"] = s.OkatoFifteen;
    return json;
}

}  // namespace zorv
