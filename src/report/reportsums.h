#pragma once

// The totals of the printed 3-NDFL form, computed from the report data. Where the
// form's line rules are those of the main program, the shared sheet objects of
// the calculation engine compute them; the library computes itself only what it
// does differently:
//  - sheet Ж1 recognises the property-sale deduction codes of the earlier code
//    list (301-305, 313, 314) and none of the current ones;
//  - sheet Л limits the expenses to 1 000 000 x the stored ownership share;
//  - sheet Г has no line for birth aid (2762/508), and its part 2 is a resident's;
//  - sheet Д takes every author's fee code from 2201 to 2299;
//  - there are no dividends of non-residents at 15 % and no material benefit rows;
//  - section 5 nets the refunds and payments of sections 1-4.

#include <string>

#include "calc/svodsum.h"
#include "storage/money.h"

namespace zorv {

class kTDanLog;

// Section 5: the amounts of sections 1-4 netted.
struct kTSvodSumList5Rep {
    Money L010;  // refunds of sections 1-4
    Money L020;  // payments of sections 1-4
    Money L030;  // refund
    Money L040;  // to pay
};

class kTRepSvodSum {
  public:
    kTSvodSum Core;  // every sheet and section except section 5
    kTSvodSumList5Rep Section5;

    // Clears and computes everything. Writes back into the report data the
    // children's-education cap, the income total of each 13 % source, the 1511/313
    // deduction limit and the three territory codes of the header.
    void Compute(kTDanLog& data);

    // After Compute: why the form cannot be printed because a line holds more than
    // its cells can (the sheet and line named), or empty when every line fits.
    std::string TooLarge(const kTDanLog& data) const;
};

}  // namespace zorv
