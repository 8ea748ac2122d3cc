#pragma once

// The totals of form 3-NDFL: every sheet (А-Л) and section (1-4, the 15 % base,
// 6) computed from one declaration. The totals are not kept in the model; each
// consumer computes a fresh object and reads its fields.

#include <string>

#include "declaration.h"
#include "housingsheet.h"
#include "incomesheets.h"
#include "jsonform.h"
#include "salesheets.h"
#include "sections.h"
#include "securitysheets.h"
#include "socialsheets.h"

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

    // Clears every object: the sections first, then the sheets in field order.
    void ClearAll();

    // Clears everything and computes every sheet and section of the declaration.
    // A 4-NDFL declaration leaves everything zero. The one change made to the
    // model is the cap of children's-education amounts (sheet К2).
    bool Compute(mTDeclaration& d);
};

// The totals as one JSON object with a key per field, in field order.
Json SvodSumToJson(const kTSvodSum& s);

}  // namespace zorv
