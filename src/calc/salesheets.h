#pragma once

// Professional deductions and deductions on the sale of property: sheet Д
// (author's fees), sheet Е (civil-law contracts), sheet Ж1 (sale of property) and
// sheet Ж2 (sale of a share in charter capital, assignment of claims), each of
// Д, Е and Ж2 with a second object for the same income in foreign currency.

#include <cstddef>
#include <string>
#include <vector>

#include "calc/sheetlines.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/money.h"

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

// The totals of sheet Д, lines 100 and 110.
inline constexpr SheetLine<kTSheetDTotals> kSheetDLines[] = {
    {"100", &kTSheetDTotals::Income, "Income", nullptr, kKopecks},
    {"110", &kTSheetDTotals::Expense, "Expense", "РасходОбщ", kKopecks},
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

// The totals of sheet Е, lines 060 and 070.
inline constexpr SheetLine<kTSheetETotals> kSheetELines[] = {
    {"060", &kTSheetETotals::Income, "Income", nullptr, kKopecks},
    {"070", &kTSheetETotals::Expense, "Expense", "РасходОбщ", kKopecks},
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

// Sheet Ж1. In the file each income and its deduction are the two attributes of
// one element; the totals of the housing and of the other property are the
// attributes of the elements around them.
inline constexpr SheetLine<kTSvodSumPrilH1> kSheetZh1Lines[] = {
    {"010", &kTSvodSumPrilH1::L010, "L010", "ДохВсехИст", kKopecks},
    {"020", &kTSvodSumPrilH1::L020, "L020", "НалВычет", kKopecks},
    {"030", &kTSvodSumPrilH1::L030, "L030", "ДохВсехИст", kKopecks},
    {"040", &kTSvodSumPrilH1::L040, "L040", "НалВычет", kKopecks},
    {"050", &kTSvodSumPrilH1::L050, "L050", "ДохВсехИст", kKopecks},
    {"060", &kTSvodSumPrilH1::L060, "L060", "НалВычет", kKopecks},
    {"070", &kTSvodSumPrilH1::L070, "L070", "ДохВсехИст", kKopecks},
    {"080", &kTSvodSumPrilH1::L080, "L080", "РасхДок", kKopecks},
    {"090", &kTSvodSumPrilH1::L090, "L090", "ДохВсехИст", kKopecks},
    {"100", &kTSvodSumPrilH1::L100, "L100", "НалВычет", kKopecks},
    {"110", &kTSvodSumPrilH1::L110, "L110", "ДохИстИтог", kKopecks},
    {"120", &kTSvodSumPrilH1::L120, "L120", "ВычИмущИтог", kKopecks},
    {"130", &kTSvodSumPrilH1::L130, "L130", "ДохВсехИст", kKopecks},
    {"140", &kTSvodSumPrilH1::L140, "L140", "НалВычет", kKopecks},
    {"150", &kTSvodSumPrilH1::L150, "L150", "ДохВсехИст", kKopecks},
    {"160", &kTSvodSumPrilH1::L160, "L160", "РасхДок", kKopecks},
    {"170", &kTSvodSumPrilH1::L170, "L170", "ДохВсехИст", kKopecks},
    {"180", &kTSvodSumPrilH1::L180, "L180", "НалВычет", kKopecks},
    {"190", &kTSvodSumPrilH1::L190, "L190", "ДохИстИтог", kKopecks},
    {"200", &kTSvodSumPrilH1::L200, "L200", "ВычИнИмущИтог", kKopecks},
    {"210", &kTSvodSumPrilH1::L210, "L210", "ВычетОбщ", kKopecks},
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

// The totals of sheet Ж2: part 1 (060), part 2 (120) and the whole sheet (130).
inline constexpr SheetLine<kTSheetH2Totals> kSheetZh2Lines[] = {
    {"060", &kTSheetH2Totals::L060, "L060", "РасхДокОбщ", kKopecks},
    {"120", &kTSheetH2Totals::L120, "L120", "РасхДокОбщ", kKopecks},
    {"130", &kTSheetH2Totals::L130, "L130", "СумВычОбщ", kKopecks},
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
