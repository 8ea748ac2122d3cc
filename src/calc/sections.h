#pragma once

// Tax bases by rate and the amounts to pay or refund: sections 1-4 of form
// 3-NDFL, the 15 % base of a non-resident's dividends and section 6 (amounts by
// budget classification code and territory code).

#include <string>
#include <vector>

#include "calc/sheetlines.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/money.h"

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

// The lines of each section in the order of the form; the file writes them in
// this order too.
inline constexpr SheetLine<kTSvodSumList1> kSection1Lines[] = {
    {"010", &kTSvodSumList1::L010, "L010", "ДоходОбщ", kKopecks},
    {"020", &kTSvodSumList1::L020, "L020", "ДоходОбщНеНал", kKopecks},
    {"030", &kTSvodSumList1::L030, "L030", "ДоходОбщНал", kKopecks},
    {"040", &kTSvodSumList1::L040, "L040", "РасхВычОбщ", kKopecks},
    {"050", &kTSvodSumList1::L050, "L050", "НалБаза", kKopecks},
    {"060", &kTSvodSumList1::L060, "L060", "Исчисл", kRubles},
    {"070", &kTSvodSumList1::L070, "L070", "УдержОбщ", kRubles},
    {"075", &kTSvodSumList1::L075, "L075", "УплФактАв", kRubles},
    {"080", &kTSvodSumList1::L080, "L080", "УплУвед", kRubles},
    {"090", &kTSvodSumList1::L090, "L090", "УплИно", kRubles},
    {"100", &kTSvodSumList1::L100, "L100", "ПодлВозв", kRubles},
    {"110", &kTSvodSumList1::L110, "L110", "ПодлУпл", kRubles},
};

inline constexpr SheetLine<kTSvodSumList2> kSection2Lines[] = {
    {"010", &kTSvodSumList2::L010, "L010", "ДоходОбщ", kKopecks},
    {"020", &kTSvodSumList2::L020, "L020", "ДоходОбщНеНал", kKopecks},
    {"030", &kTSvodSumList2::L030, "L030", "ДоходОбщНал", kKopecks},
    {"040", &kTSvodSumList2::L040, "L040", "РасхОбщ", kKopecks},
    {"050", &kTSvodSumList2::L050, "L050", "НалБаза", kKopecks},
    {"060", &kTSvodSumList2::L060, "L060", "Исчисл", kRubles},
    {"070", &kTSvodSumList2::L070, "L070", "УдержОбщ", kRubles},
    {"080", &kTSvodSumList2::L080, "L080", "УплУвед", kRubles},
    {"090", &kTSvodSumList2::L090, "L090", "ПодлВозв", kRubles},
    {"100", &kTSvodSumList2::L100, "L100", "ПодлУпл", kRubles},
};

// The tax withheld from the exempt benefit has no line on paper; the file
// gives it after the tax withheld.
inline constexpr SheetLine<kTSvodSumList3> kSection3Lines[] = {
    {"010", &kTSvodSumList3::L010, "L010", "ДоходОбщ", kKopecks},
    {"020", &kTSvodSumList3::L020, "L020", "ДоходОбщНеНал", kKopecks},
    {"030", &kTSvodSumList3::L030, "L030", "НалБаза", kKopecks},
    {"040", &kTSvodSumList3::L040, "L040", "Исчисл", kRubles},
    {"050", &kTSvodSumList3::L050, "L050", "УдержОбщ", kRubles},
    {nullptr, &kTSvodSumList3::WithheldOnExempt, "WithheldOnExempt", "УдержОбщЛиш", kRubles},
    {"060", &kTSvodSumList3::L060, "L060", "УплУвед", kRubles},
    {"070", &kTSvodSumList3::L070, "L070", "УплИно", kRubles},
    {"080", &kTSvodSumList3::L080, "L080", "ПодлВозв", kRubles},
    {"090", &kTSvodSumList3::L090, "L090", "ПодлУпл", kRubles},
};

inline constexpr SheetLine<kTSvodSumList4> kSection4Lines[] = {
    {"010", &kTSvodSumList4::L010, "L010", "ДоходОбщ", kKopecks},
    {"020", &kTSvodSumList4::L020, "L020", "НалБаза", kKopecks},
    {"030", &kTSvodSumList4::L030, "L030", "Исчисл", kRubles},
    {"040", &kTSvodSumList4::L040, "L040", "УдержОбщ", kRubles},
    {"050", &kTSvodSumList4::L050, "L050", "УплУвед", kRubles},
    {"060", &kTSvodSumList4::L060, "L060", "УплИно", kRubles},
    {"070", &kTSvodSumList4::L070, "L070", "ПодлВозв", kRubles},
    {"080", &kTSvodSumList4::L080, "L080", "ПодлУпл", kRubles},
};

// The 15 % base has no section of its own on paper.
inline constexpr SheetLine<kTSvodSumList5> kBase15Lines[] = {
    {nullptr, &kTSvodSumList5::Income, "Income", "ДоходОбщ", kKopecks},
    {nullptr, &kTSvodSumList5::TaxBase, "TaxBase", "НалБаза", kKopecks},
    {nullptr, &kTSvodSumList5::TaxComputed, "TaxComputed", "Исчисл", kRubles},
    {nullptr, &kTSvodSumList5::TaxWithheld, "TaxWithheld", "УдержОбщ", kRubles},
    {nullptr, &kTSvodSumList5::PaidOnNotice, "PaidOnNotice", "УплУвед", kRubles},
    {nullptr, &kTSvodSumList5::Refund, "Refund", "ПодлВозв", kRubles},
    {nullptr, &kTSvodSumList5::Payment, "Payment", "ПодлУпл", kRubles},
};

Json ToJson(const kTSvodSumList1& section);
Json ToJson(const kTSvodSumList2& section);
Json ToJson(const kTSvodSumList3& section);
Json ToJson(const kTSvodSumList4& section);
Json ToJson(const kTSvodSumList5& section);
Json ToJson(const bmTList1& row);
Json ToJson(const kTSvodSumList6& section);

}  // namespace zorv
