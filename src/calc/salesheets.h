#pragma once

// Professional deductions and deductions on the sale of property: sheet Д
// (author's fees), sheet Е (civil-law contracts), sheet Ж1 (sale of property) and
// sheet Ж2 (sale of a share in charter capital, assignment of claims), each of
// Д, Е and Ж2 with a second object for the same income in foreign currency.

#include <cstddef>
#include <string>
#include <vector>

#include "declaration.h"
#include "jsonform.h"
#include "money.h"

namespace zorv {

class kTSvodSum;

// The income line a row comes from: (source index, line index), or
// (currency record index, kCurrencyLine) for a foreign-currency record.
struct kTRowRef {
    static constexpr size_t kCurrencyLine = 777;

    size_t Source = 0;
    size_t Line = 0;

    bool operator==(const kTRowRef&) const = default;
};

// A row of sheet Д.
struct DohodAvtVozn {
    std::string INN;  // empty for currency income
    std::string KPP;
    std::string SourceName;
    std::string IncomeCodeText;
    std::string IncomeName;  // the kind of fee
    Money Income;
    std::string Reserved1;       // not filled in
    std::string DeductCodeText;  // 404 actual expenses, 405 standard percentage
    std::string DeductPercentText;
    Money Expense;
    std::string Reserved2;  // not filled in
};

struct kTSheetDTotals {
    Money Income;   // item 2.1, line 100
    Money Expense;  // item 2.2, line 110
    std::vector<kTRowRef> RowRefs;
    std::vector<DohodAvtVozn> Rows;

    void Clear() { *this = kTSheetDTotals(); }
};

// Sheet Д: author's fees (codes 2201-2209) of the 13 % sources.
class kTSvodSumPrilG : public kTSheetDTotals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet Д: author's fees received in foreign currency at 13 %.
class kTSvodSumPrilG_In : public kTSheetDTotals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// A row of sheet Е.
struct DohodGragdPravHar {
    std::string INN;
    std::string KPP;
    std::string SourceName;
    Money Income;
    std::string Reserved1;  // not filled in
    Money Expense;
    std::string Reserved2;  // not filled in
};

struct kTSheetETotals {
    Money Income;   // item 2.1, line 060
    Money Expense;  // item 2.2, line 070
    std::vector<kTRowRef> RowRefs;
    std::vector<DohodGragdPravHar> Rows;

    void Clear() { *this = kTSheetETotals(); }
};

// Sheet Е: civil-law contracts (code 2010) of the 13 % sources.
class kTSvodSumPrilD : public kTSheetETotals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet Е: civil-law contracts paid in foreign currency.
class kTSvodSumPrilD_In : public kTSheetETotals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet Ж1: sale of housing and other property; fields named after the lines.
class kTSvodSumPrilH1 {
  public:
    Money L010;  // sale of housing, land (1510/901)
    Money L020;  // its deduction, at most 1 000 000
    Money L040;  // deduction for shares in housing
    Money L030;  // sale of shares in housing (1511/904)
    Money L050;
    Money L060;
    Money L070;  // housing sold with documented expenses (903)
    Money L080;
    Money L090;  // housing held three years or more (902, 905)
    Money L100;
    Money L110;
    Money L120;
    Money L130;  // other property (1520/906)
    Money L140;  // its deduction, at most 125 000
    Money L150;  // other property with documented expenses (1520/903)
    Money L160;
    Money L170;  // other property held three years or more (1520/907)
    Money L180;
    Money L190;
    Money L200;
    Money L210;  // total deduction of the sheet

    void Clear() { *this = kTSvodSumPrilH1(); }
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// A row of sheet Ж2.
struct mbDohH2 {
    std::string SourceName;
    std::string INN;
    std::string KPP;
    Money Income;
    Money Expense;
};

struct kTSheetH2Totals {
    std::vector<mbDohH2> ShareRows;  // part 1, sale of a share (1540/315)
    std::vector<mbDohH2> ClaimRows;  // part 2, assignment of claims (1550/314)
    Money L060;                      // item 1.2
    Money L120;                      // item 2.2
    Money L130;                      // item 3.1

    void Clear() { *this = kTSheetH2Totals(); }
};

// Sheet Ж2 over the 13 % sources.
class kTSvodSumPrilH2 : public kTSheetH2Totals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet Ж2 over the foreign-currency records.
class kTSvodSumPrilH2_In : public kTSheetH2Totals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

Json ToJson(const kTRowRef& ref);
Json ToJson(const DohodAvtVozn& row);
Json ToJson(const kTSheetDTotals& sheet);
Json ToJson(const DohodGragdPravHar& row);
Json ToJson(const kTSheetETotals& sheet);
Json ToJson(const kTSvodSumPrilH1& sheet);
Json ToJson(const mbDohH2& row);
Json ToJson(const kTSheetH2Totals& sheet);

}  // namespace zorv
