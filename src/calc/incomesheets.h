#pragma once

// Income sheets of form 3-NDFL: sheet А (income from Russian sources at 9, 13,
// 15, 30 and 35 %), sheet Б (income from abroad), sheets В1 and В2 (business and
// private practice), sheet Г (income exempt up to a limit) and the material
// benefit of code 2620.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/sheetlines.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/money.h"

namespace zorv {

class kTSvodSum;

// An income line of the sheets: a line of a 13 % source, or a foreign-currency
// record, whose amount is its income in rubles and whose deduction is DeductSum.
struct kTIncomeLine {
    size_t Source = 0;  // position of the source or of the currency record
    size_t Line = 0;    // position of the line in its source; 0 for a currency record
    bool Currency = false;
    uint32_t IncomeCode = 0;
    Money Amount;
    uint32_t DeductCode = 0;
    Money DeductSum;
};

// Every line of every 13 % source in list order, then, when the declaration has
// foreign-currency income, every currency record.
template <class F>
void ForEachIncomeLine(const mTDeclaration& d, F&& f) {
    for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
        const mTThirteenPercent& source = d.ThirteenPercent(i);
        for (size_t j = 0; j < source.IncomeCount(); ++j) {
            const mTSourseIncome& line = source.Income(j);
            f(kTIncomeLine{i, j, false, line.IncomeCode, line.IncomeSum, line.DeductCode,
                           line.DeductSum});
        }
    }
    if (!d.HasIncome(kIncomeForeign)) return;
    for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
        const mTCurrencyIncome& record = d.CurrencyIncome(i);
        f(kTIncomeLine{i, 0, true, record.IncomeCode, record.IncomeInRubles, record.DeductCode,
                       record.DeductSum});
    }
}

// The four totals of a sheet А object, in the form's order of storage.
struct kTSheetATotals {
    Money Income;         // item 2.1
    Money TaxWithheld;    // item 2.4
    Money TaxComputed;    // item 2.3
    Money TaxableIncome;  // item 2.2

    void Clear() { *this = kTSheetATotals(); }
};

// The totals of sheet А, lines 080-110 of its last page.
inline constexpr SheetLine<kTSheetATotals> kSheetALines[] = {
    {"080", &kTSheetATotals::Income, "Income", "ДоходОбщ", kKopecks},
    {"090", &kTSheetATotals::TaxableIncome, "TaxableIncome", "ДоходОблОбщ", kKopecks},
    {"100", &kTSheetATotals::TaxComputed, "TaxComputed", "НалИсчислИт", kRubles},
    {"110", &kTSheetATotals::TaxWithheld, "TaxWithheld", "НалУдержИт", kRubles},
};

// Sheet А, dividends of a resident at 9 % (the dividend list).
class kTSvodSumPrilA6 : public kTSheetATotals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet А, income of a resident at 13 % (the 13 % sources).
class kTSvodSumPrilA13 : public kTSheetATotals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Dividends of a non-resident at 15 % (the dividend list).
class kTSvodSumPrilA15 : public kTSheetATotals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet А, income of a non-resident at 30 % (the 13 % sources).
class kTSvodSumPrilA30 : public kTSheetATotals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet А, income of a resident at 35 % (reads the rows of sheet Г part 2).
class kTSvodSumPrilA35 : public kTSheetATotals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// One row of sheet Б: an item of income received in foreign currency.
struct DohodCur {
    std::string CountryCode;
    std::string CurrencyName;
    std::string CurrencyCode;
    std::string SourceName;
    double IncomeDate = 0;
    std::string IncomeRateText;
    std::string IncomeInCurrencyText;
    Money IncomeInRubles;
    uint32_t IncomeCode = 0;
    Money DeductSum;
    uint32_t DeductCode = 0;
    double TaxDate = 0;
    std::string TaxRateText;
    std::string TaxInCurrencyText;
    Money TaxInRubles;
    Money TaxRF;      // tax computed in Russia, whole rubles
    Money TaxCredit;  // tax paid abroad credited in Russia
};

// Sheet Б at one rate (13, 9 or 35 %).
class kTSvodSumPrilB {
  public:
    explicit kTSvodSumPrilB(uint32_t rate) : Rate(rate) {}

    uint32_t Rate;  // the sheet's rate in percent; Clear keeps it

    Money Income;         // item 2.1
    Money TaxPaidAbroad;  // item 2.2
    Money TaxComputedRF;  // item 2.3
    Money TaxCredit;      // item 2.4
    std::vector<DohodCur> Rows;

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// The totals of sheet Б, lines 150-180.
inline constexpr SheetLine<kTSvodSumPrilB> kSheetBLines[] = {
    {"150", &kTSvodSumPrilB::Income, "Income", "ДоходИноРубОбщ", kKopecks},
    {"160", &kTSvodSumPrilB::TaxPaidAbroad, "TaxPaidAbroad", "НалУплИноРубОбщ", kKopecks},
    {"170", &kTSvodSumPrilB::TaxComputedRF, "TaxComputedRF", "НалИсчислРФОбщ", kRubles},
    {"180", &kTSvodSumPrilB::TaxCredit, "TaxCredit", "НалЗачРФОбщ", kRubles},
};

// Totals of sheets В1 and В2.
struct kTSheetVTotals {
    Money Income;          // item 3.1
    Money Deduction;       // item 3.2, professional deduction
    Money AdvancePaid;     // item 3.4
    Money AdvanceAccrued;  // item 3.3

    void Clear() { *this = kTSheetVTotals(); }
};

// Sheet В1: entrepreneurial activity.
class kTSvodSumPrilV1 : public kTSheetVTotals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet В2: private practice (the Repetit group).
class kTSvodSumPrilV2 : public kTSheetVTotals {
  public:
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// The totals of sheet В1, lines 230-260, items 3.1-3.4.
inline constexpr SheetLine<kTSheetVTotals> kSheetV1Lines[] = {
    {"230", &kTSheetVTotals::Income, "Income", "ДоходИт", kKopecks},
    {"240", &kTSheetVTotals::Deduction, "Deduction", "ВычПрофИт", kKopecks},
    {"250", &kTSheetVTotals::AdvanceAccrued, "AdvanceAccrued", "НачислАванИт", kRubles},
    {"260", &kTSheetVTotals::AdvancePaid, "AdvancePaid", "УплАванИт", kRubles},
};

// The totals of sheet В2, lines 210-240; the file has no private practice.
inline constexpr SheetLine<kTSheetVTotals> kSheetV2Lines[] = {
    {"210", &kTSheetVTotals::Income, "Income", nullptr, kKopecks},
    {"220", &kTSheetVTotals::Deduction, "Deduction", nullptr, kKopecks},
    {"230", &kTSheetVTotals::AdvanceAccrued, "AdvanceAccrued", nullptr, kRubles},
    {"240", &kTSheetVTotals::AdvancePaid, "AdvancePaid", nullptr, kRubles},
};

// A row of sheet Г part 2 (advertising prizes, code 2740).
struct Rec35 {
    std::string INN;
    std::string KPP;
    std::string SourceName;
    Money Income;
    Money Exempt;
    size_t SourceIndex = 0;  // position of the source in its list
};

// Sheet Г: income exempt up to a limit (item 28 of article 217).
class kTSvodSumPrilM {
  public:
    Money BirthAidIncome;  // 2762
    Money BirthAidExempt;
    Money L010;  // 2760, employers' material aid
    Money L020;
    Money L040;  // 2761, exempt part
    Money L030;  // 2761, income
    Money L050;  // 2720, gifts
    Money L060;
    Money L070;  // 2730, prizes of official competitions
    Money L080;
    Money L090;  // 2770, reimbursed medicines
    Money L100;
    Money L110;  // 2790, aid under item 33 of article 217
    Money L120;
    Money L130;               // total exempt income of part 1
    std::vector<Rec35> Rows;  // lines 140-160
    Money L170;               // total exempt part of part 2

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// Sheet Г. The material aid on the birth of a child has no line of its own. In
// the file each income and its exempt part are the two attributes of one element.
inline constexpr SheetLine<kTSvodSumPrilM> kSheetGLines[] = {
    {nullptr, &kTSvodSumPrilM::BirthAidIncome, "BirthAidIncome", "ДоходВсИст", kKopecks},
    {nullptr, &kTSvodSumPrilM::BirthAidExempt, "BirthAidExempt", "ДоходНеНал", kKopecks},
    {"010", &kTSvodSumPrilM::L010, "L010", "ДоходВсИст", kKopecks},
    {"020", &kTSvodSumPrilM::L020, "L020", "ДоходНеНал", kKopecks},
    {"030", &kTSvodSumPrilM::L030, "L030", "ДоходВсИст", kKopecks},
    {"040", &kTSvodSumPrilM::L040, "L040", "ДоходНеНал", kKopecks},
    {"050", &kTSvodSumPrilM::L050, "L050", "ДоходВсИст", kKopecks},
    {"060", &kTSvodSumPrilM::L060, "L060", "ДоходНеНал", kKopecks},
    {"070", &kTSvodSumPrilM::L070, "L070", "ДоходВсИст", kKopecks},
    {"080", &kTSvodSumPrilM::L080, "L080", "ДоходНеНал", kKopecks},
    {"090", &kTSvodSumPrilM::L090, "L090", "ДоходВсИст", kKopecks},
    {"100", &kTSvodSumPrilM::L100, "L100", "ДоходНеНал", kKopecks},
    {"110", &kTSvodSumPrilM::L110, "L110", "ДоходВсИст", kKopecks},
    {"120", &kTSvodSumPrilM::L120, "L120", "ДоходНеНал", kKopecks},
    {"130", &kTSvodSumPrilM::L130, "L130", "ДохНеНалОбщ", kKopecks},
    {"170", &kTSvodSumPrilM::L170, "L170", "ДоходНеНалОбщ", kKopecks},
};

// A 35 % source of material benefit (code 2620).
struct Neo35 {
    std::string INN;
    std::string KPP;
    std::string OKATO;
    std::string SourceName;
    Money Income;
    Money TaxWithheld;
    size_t SourceIndex = 0;
};

// Tax withheld from the exempt material benefit of code 2620.
class kTSvodSumPrilM2 {
  public:
    Money TaxWithheld;
    std::vector<Neo35> Rows;

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// No paper sheet; the file gives the total of the tax withheld.
inline constexpr SheetLine<kTSvodSumPrilM2> kBenefitLines[] = {
    {nullptr, &kTSvodSumPrilM2::TaxWithheld, "TaxWithheld", "НалогУдЛОбщ", kRubles},
};

Json ToJson(const kTSheetATotals& sheet);
Json ToJson(const DohodCur& row);
Json ToJson(const kTSvodSumPrilB& sheet);
Json ToJson(const kTSvodSumPrilV1& sheet);
Json ToJson(const kTSvodSumPrilV2& sheet);
Json ToJson(const Rec35& row);
Json ToJson(const kTSvodSumPrilM& sheet);
Json ToJson(const Neo35& row);
Json ToJson(const kTSvodSumPrilM2& sheet);

}  // namespace zorv
