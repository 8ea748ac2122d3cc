#pragma once

// Sheet Л of form 3-NDFL: the property deduction for building or buying a
// dwelling (article 220, item 1, sub-item 2).

#include "declaration.h"
#include "jsonform.h"
#include "money.h"

namespace zorv {

class kTSvodSum;

class kTSvodSumPrilZ {
  public:
    double Share = 0;  // the taxpayer's share of ownership
    Money L080;        // 1.7: expenses within the limit
    Money L090;        // 1.8: interest paid on target loans
    Money L100;        // 2.1: expense deduction of earlier years = 110 + 120
    Money L110;        //      of it, on declarations
    Money L120;        //      of it, by a tax agent
    Money L130;        // 2.2: interest deduction of earlier years = 140 + 150
    Money L140;        //      of it, on declarations
    Money L150;        //      of it, by a tax agent
    Money L160;        // 2.3: expense remainder from the previous year
    Money L170;        // 2.4: interest remainder from the previous year
    Money L180;        // 2.5: expense deduction by a tax agent this year
    Money L190;        // 2.6: interest deduction by a tax agent this year
    Money L200;        // 2.7: 13 % base after the other deductions
    Money L210;        // 2.8: expenses accepted this year
    Money L220;        // 2.9: interest accepted this year
    Money L230;        // 2.10: expense remainder carried to the next year
    Money L240;        // 2.11: interest remainder carried to the next year

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

Json ToJson(const kTSvodSumPrilZ& sheet);

}  // namespace zorv
