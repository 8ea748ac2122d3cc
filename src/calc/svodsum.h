#pragma once

// The totals of form 3-NDFL: every sheet (А-Л) and section (1-4, the 15 % base,
// 6) computed from one declaration. The totals are not kept in the model; each
// consumer computes a fresh object and reads its fields.

#include <string>

#include "calc/housingsheet.h"
#include "calc/incomesheets.h"
#include "calc/salesheets.h"
#include "calc/sections.h"
#include "calc/securitysheets.h"
#include "calc/socialsheets.h"
#include "model/declaration.h"
#include "model/jsonform.h"

namespace zorv {

class kTSvodSum {
  public:
    kTSvodSumList1 Section1;  // section 1, 13 %
    kTSvodSumList2 Section2;  // section 2, 30 %
    kTSvodSumList3 Section3;  // section 3, 35 %
    kTSvodSumList4 Section4;  // section 4, 9 %
    kTSvodSumList5 Base15;    // 15 % dividend base of a non-resident
    kTSvodSumList6 Section6;  // section 6, payment or refund by budget code
    kTSvodSumPrilA6 DividendsRes;
    kTSvodSumPrilA13 Income13;
    kTSvodSumPrilA15 DividendsNonRes;
    kTSvodSumPrilA30 Income30;
    kTSvodSumPrilA35 Income35;
    kTSvodSumPrilB Foreign13{13};
    kTSvodSumPrilB Foreign9{9};
    kTSvodSumPrilB Foreign35{35};
    kTSvodSumPrilV1 Business;
    kTSvodSumPrilV2 PrivatePractice;
    kTSvodSumPrilM Exempt;
    kTSvodSumPrilM2 BenefitWithheld;
    kTSvodSumPrilG AuthorFees;
    kTSvodSumPrilG_In AuthorFeesForeign;
    kTSvodSumPrilD CivilContracts;
    kTSvodSumPrilD_In CivilContractsForeign;
    kTSvodSumPrilE1 StandardDeductions;
    kTSvodSumPrilE2 SocialDeductions;
    kTSvodSumPrilE3 PensionInsurance;
    kTSvodSumPrilE4 PensionFunds;
    kTSvodSumPrilH1 PropertySale;
    kTSvodSumPrilH2 ShareSale;
    kTSvodSumPrilH2_In ShareSaleForeign;
    kTSvodSumPrilZ Housing;
    kTSvodSumPrilJ Securities;
    kTSvodSumPrilK TrustSecurities;
    std::string OkatoDividends;   // territory code of 9 % refunds
    std::string OkatoThirteen;    // territory code of 30 % refunds
    std::string OkatoThirtyFive;  // territory code of 35 % refunds
    std::string OkatoFifteen;     // territory code of 15 % refunds

    // Calls visit(key, field) for every field of s in field order: the sections,
    // the sheets, the territory codes. The key is the field's name in the JSON.
    template <class Totals, class Visit>
    static void ForEachField(Totals& s, Visit&& visit);

    // Clears every object: the sections first, then the sheets in field order.
    void ClearAll();

    // Clears everything and computes every sheet and section of the declaration.
    // A 4-NDFL declaration leaves everything zero. The one change made to the
    // model is the cap of children's-education amounts (sheet К2).
    bool Compute(mTDeclaration& d);
};

template <class Totals, class Visit>
void kTSvodSum::ForEachField(Totals& s, Visit&& visit) {
    visit("Section1", s.Section1);
    visit("Section2", s.Section2);
    visit("Section3", s.Section3);
    visit("Section4", s.Section4);
    visit("Base15", s.Base15);
    visit("Section6", s.Section6);
    visit("DividendsRes", s.DividendsRes);
    visit("Income13", s.Income13);
    visit("DividendsNonRes", s.DividendsNonRes);
    visit("Income30", s.Income30);
    visit("Income35", s.Income35);
    visit("Foreign13", s.Foreign13);
    visit("Foreign9", s.Foreign9);
    visit("Foreign35", s.Foreign35);
    visit("Business", s.Business);
    visit("PrivatePractice", s.PrivatePractice);
    visit("Exempt", s.Exempt);
    visit("BenefitWithheld", s.BenefitWithheld);
    visit("AuthorFees", s.AuthorFees);
    visit("AuthorFeesForeign", s.AuthorFeesForeign);
    visit("CivilContracts", s.CivilContracts);
    visit("CivilContractsForeign", s.CivilContractsForeign);
    visit("StandardDeductions", s.StandardDeductions);
    visit("SocialDeductions", s.SocialDeductions);
    visit("PensionInsurance", s.PensionInsurance);
    visit("PensionFunds", s.PensionFunds);
    visit("PropertySale", s.PropertySale);
    visit("ShareSale", s.ShareSale);
    visit("ShareSaleForeign", s.ShareSaleForeign);
    visit("Housing", s.Housing);
    visit("Securities", s.Securities);
    visit("TrustSecurities", s.TrustSecurities);
    visit("OkatoDividends", s.OkatoDividends);
    visit("OkatoThirteen", s.OkatoThirteen);
    visit("OkatoThirtyFive", s.OkatoThirtyFive);
    visit("OkatoFifteen", s.OkatoFifteen);
}

// The totals as one JSON object with a key per field, in field order.
Json SvodSumToJson(const kTSvodSum& s);

}  // namespace zorv
