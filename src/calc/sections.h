#pragma once

// Tax bases by rate and the amounts to pay or refund: sections 1-4 of form
// 3-NDFL, the 15 % base of a non-resident's dividends and section 6 (amounts by
// budget classification code and territory code).

#include <string>
#include <vector>

#include "declaration.h"
#include "jsonform.h"
#include "money.h"

namespace zorv {

class kTSvodSum;

// Section 1: income taxed at 13 % (resident).
class kTSvodSumList1 {
  public:
    Money L010;  // income
    Money L020;  // exempt income
    Money L040;  // expenses and deductions
    Money L030;  // taxable income
    Money L050;  // tax base
    Money L060;  // tax computed
    Money L070;  // tax withheld
    Money L075;  // advance payments actually paid
    Money L080;  // tax paid on notices
    Money L090;  // foreign tax credited
    Money L100;  // to refund
    Money L110;  // to pay

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Section 2: income taxed at 30 % (non-resident).
class kTSvodSumList2 {
  public:
    Money L010;  // income
    Money L020;  // exempt income
    Money L040;  // expenses
    Money L030;  // taxable income
    Money L050;  // tax base
    Money L060;  // tax computed
    Money L070;  // tax withheld
    Money L080;  // tax paid on notices
    Money L090;  // to refund
    Money L100;  // to pay

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Section 3: income taxed at 35 % (resident).
class kTSvodSumList3 {
  public:
    Money L010;              // income
    Money L020;              // exempt income
    Money L040;              // tax computed
    Money L030;              // tax base
    Money L050;              // tax withheld
    Money L070;              // foreign tax credited
    Money L060;              // tax paid on notices
    Money L080;              // to refund
    Money L090;              // to pay
    Money WithheldOnExempt;  // withheld from the exempt benefit of code 2620

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Section 4: dividends taxed at 9 % (resident).
class kTSvodSumList4 {
  public:
    Money L010;  // income
    Money L020;  // tax base
    Money L030;  // tax computed
    Money L040;  // tax withheld
    Money L050;  // tax paid on notices
    Money L070;  // to refund
    Money L060;  // foreign tax credited
    Money L080;  // to pay

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Dividends of a non-resident taxed at 15 %.
class kTSvodSumList5 {
  public:
    Money Income;
    Money TaxBase;
    Money TaxComputed;
    Money TaxWithheld;
    Money PaidOnNotice;
    Money Refund;
    Money Payment;

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// A row of section 6.
struct bmTList1 {
    std::string BudgetCode;  // 20 digits
    std::string OKATO;
    std::string Sign;  // "1" to pay, "2" to refund, "3" nothing
    Money Amount;
};

// Section 6: amounts to pay or refund by budget classification code.
class kTSvodSumList6 {
  public:
    std::vector<bmTList1> Rows;

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

Json ToJson(const kTSvodSumList1& section);
Json ToJson(const kTSvodSumList2& section);
Json ToJson(const kTSvodSumList3& section);
Json ToJson(const kTSvodSumList4& section);
Json ToJson(const kTSvodSumList5& section);
Json ToJson(const bmTList1& row);
Json ToJson(const kTSvodSumList6& section);

}  // namespace zorv
