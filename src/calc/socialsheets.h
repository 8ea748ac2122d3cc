#pragma once

// Standard deductions (sheet К1, article 218) and social deductions (sheet К2,
// article 219) of form 3-NDFL, with the pension contracts of sheets К3
// (voluntary pension insurance) and К4 (non-state pension funds).

#include <array>
#include <string>
#include <vector>

#include "calc/sheetlines.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/money.h"

namespace zorv {

class kTSvodSum;

// Sheet К1: standard deductions month by month.
class kTSvodSumPrilE1 {
  public:
    int L130 = 0;                          // months with cumulative income within 20 000
    int L140 = 0;                          // months with cumulative income within 40 000
    std::array<Money, 12> MonthIncome{};   // hand-entered income of each month
    std::array<Money, 12> MonthExpense{};  // hand-entered expenses of each month
    // Lines 010-120: cumulative income from January to the end of each month.
    Money L010, L020, L030, L040, L050, L060, L070, L080, L090, L100, L110, L120;
    Money L150;  // item 2.1, 3000 rubles a month
    Money L160;  // item 2.2, 500 rubles a month
    Money L170;  // item 2.3, 400 rubles a month within 20 000
    Money L180;  // item 2.4, children of a parent
    Money L190;  // item 2.5, children of a single parent, guardian and others
    Money L200;  // item 2.6, disabled children of a parent
    Money L210;  // item 2.7, disabled children of a single parent and others
    Money L220;  // item 2.8, total

    // Line 010 + i, i = 0 (January) to 11 (December): the first twelve lines of
    // the sheet's table.
    Money& Cumulative(int i);
    const Money& Cumulative(int i) const;

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet К1. The month counts of lines 130 and 140 are numbers, not amounts; the
// file gives the deductions of each kind in whole rubles and their total in
// kopecks.
inline constexpr SheetLine<kTSvodSumPrilE1> kSheetK1Lines[] = {
    {"010", &kTSvodSumPrilE1::L010, "L010", "ИтогЯнв", kKopecks},
    {"020", &kTSvodSumPrilE1::L020, "L020", "ИтогЯнвФевр", kKopecks},
    {"030", &kTSvodSumPrilE1::L030, "L030", "ИтогЯнвМарт", kKopecks},
    {"040", &kTSvodSumPrilE1::L040, "L040", "ИтогЯнвАпр", kKopecks},
    {"050", &kTSvodSumPrilE1::L050, "L050", "ИтогЯнвМай", kKopecks},
    {"060", &kTSvodSumPrilE1::L060, "L060", "ИтогЯнвИюн", kKopecks},
    {"070", &kTSvodSumPrilE1::L070, "L070", "ИтогЯнвИюл", kKopecks},
    {"080", &kTSvodSumPrilE1::L080, "L080", "ИтогЯнвАвг", kKopecks},
    {"090", &kTSvodSumPrilE1::L090, "L090", "ИтогЯнвСент", kKopecks},
    {"100", &kTSvodSumPrilE1::L100, "L100", "ИтогЯнвОкт", kKopecks},
    {"110", &kTSvodSumPrilE1::L110, "L110", "ИтогЯнвНояб", kKopecks},
    {"120", &kTSvodSumPrilE1::L120, "L120", "ИтогЯнвДек", kKopecks},
    {"150", &kTSvodSumPrilE1::L150, "L150", "ВычСтанд218.1.1", kRubles},
    {"160", &kTSvodSumPrilE1::L160, "L160", "ВычСтанд218.1.2", kRubles},
    {"170", &kTSvodSumPrilE1::L170, "L170", "ВычСтанд218.1.3", kRubles},
    {"180", &kTSvodSumPrilE1::L180, "L180", "ВычСтандРеб", kRubles},
    {"190", &kTSvodSumPrilE1::L190, "L190", "ВычСтРебОпек", kRubles},
    {"200", &kTSvodSumPrilE1::L200, "L200", "ВычСтРебИнв", kRubles},
    {"210", &kTSvodSumPrilE1::L210, "L210", "ВычСтРебИнвОпек", kRubles},
    {"220", &kTSvodSumPrilE1::L220, "L220", "ИтогВычСтанд", kKopecks},
};

// Sheet К2: social deductions.
class kTSvodSumPrilE2 {
  public:
    Money L040;  // 1.4: charity, children's education, expensive treatment
    Money L070;  // 2.3: personal insurance contracts
    Money L080;  // 2.4: pension insurance in own favour (sheet К3)
    Money L090;  // 2.5: pension insurance for relatives (sheet К3)
    Money L100;  // 2.6: non-state pension funds, own favour (sheet К4)
    Money L110;  // 2.7: non-state pension funds, relatives (sheet К4)
    Money L120;  // 2.8: within the 100 000 limit
    Money L010;  // 1.1: charity
    Money L050;  // 2.1: own education
    Money L020;  // 1.2: children's education
    Money L060;  // 2.2: treatment
    Money L030;  // 1.3: expensive treatment
    Money L130;  // 3.1: total social deductions

    void Clear();
    // Also computes sheets К3 and К4 of s.
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet К2. In the file lines 010-030 and 050-110 are the parts of the
// deduction without and within the 100 000 limit, with their totals 040 and 120.
inline constexpr SheetLine<kTSvodSumPrilE2> kSheetK2Lines[] = {
    {"010", &kTSvodSumPrilE2::L010, "L010", "СумБлагЦел", kKopecks},
    {"020", &kTSvodSumPrilE2::L020, "L020", "СумОбуч", kKopecks},
    {"030", &kTSvodSumPrilE2::L030, "L030", "СумЛечен", kKopecks},
    {"040", &kTSvodSumPrilE2::L040, "L040", "ИтогВычСоциал", kKopecks},
    {"050", &kTSvodSumPrilE2::L050, "L050", "СумОбуч", kKopecks},
    {"060", &kTSvodSumPrilE2::L060, "L060", "СумЛечен", kKopecks},
    {"070", &kTSvodSumPrilE2::L070, "L070", "СумЛичСтрах", kKopecks},
    {"080", &kTSvodSumPrilE2::L080, "L080", "СумПенсСтрах", kKopecks},
    {"090", &kTSvodSumPrilE2::L090, "L090", "СумПенсСтрахДр", kKopecks},
    {"100", &kTSvodSumPrilE2::L100, "L100", "СумНгПенсСтрах", kKopecks},
    {"110", &kTSvodSumPrilE2::L110, "L110", "СумНгПенсСтрахДр", kKopecks},
    {"120", &kTSvodSumPrilE2::L120, "L120", "ИтогВычСоциал", kKopecks},
    {"130", &kTSvodSumPrilE2::L130, "L130", "ИтогВычСоциал", kKopecks},
};

// A pension contract row of sheets К3 and К4.
struct mbTPens {
    int Reserved = 0;
    std::string Name;
    std::string INN;
    std::string KPP;
    std::string ContractNumber;
    double ContractDate = 0;
    Money Contributions;  // paid in the year
    Money Accepted;       // accepted for the deduction
};

// Sheet К3: voluntary pension insurance contracts (kinds 1 own, 2 relatives).
class kTSvodSumPrilE3 {
  public:
    std::vector<mbTPens> OwnRows;
    std::vector<mbTPens> RelativesRows;
    Money OwnTotal;
    Money RelativesTotal;

    void Clear();
    // Hands out the part of the social limit left after lines 050-070 of sheet К2.
    void Compute(const mTDeclaration& d, Money limit);
};

// Sheet К4: non-state pension fund contracts (kinds 3 own, 4 relatives).
class kTSvodSumPrilE4 {
  public:
    std::vector<mbTPens> OwnRows;
    std::vector<mbTPens> RelativesRows;
    Money OwnTotal;
    Money RelativesTotal;

    void Clear();
    void Compute(const mTDeclaration& d, Money limit);
};

// The totals of the two parts of sheets К3 and К4 (items 1.2 and 2.2).
inline constexpr SheetLine<kTSvodSumPrilE3> kSheetK3Lines[] = {
    {nullptr, &kTSvodSumPrilE3::OwnTotal, "OwnTotal", "СумСВВычОбщ", kKopecks},
    {nullptr, &kTSvodSumPrilE3::RelativesTotal, "RelativesTotal", "СумСВВычОбщ", kKopecks},
};

inline constexpr SheetLine<kTSvodSumPrilE4> kSheetK4Lines[] = {
    {nullptr, &kTSvodSumPrilE4::OwnTotal, "OwnTotal", "СумПВВычОбщ", kKopecks},
    {nullptr, &kTSvodSumPrilE4::RelativesTotal, "RelativesTotal", "СумПВВычОбщ", kKopecks},
};

Json ToJson(const kTSvodSumPrilE1& sheet);
Json ToJson(const kTSvodSumPrilE2& sheet);
Json ToJson(const mbTPens& row);
Json ToJson(const kTSvodSumPrilE3& sheet);
Json ToJson(const kTSvodSumPrilE4& sheet);

}  // namespace zorv
