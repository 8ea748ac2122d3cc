// НДФЛ3: the tax bases by rate, the payment rows and the income half of СведДохВыч.

#include <utility>

#include "calc/calcmoney.h"
#include "calc/svodsum.h"
#include "codes/incomecodes.h"
#include "export/xmltree.h"
#include "model/declaration.h"
#include "model/numtext.h"
#include "model/taxlimits2008.h"

namespace zorv {
namespace {

constexpr uint32_t kBenefitCode = codes::kMaterialBenefit;  // listed apart
constexpr uint32_t kPrizeCode = codes::kAdvertisingPrizes;  // exempt up to a limit

// A base is written only when its section has any amount.
template <class Section>
void Base(XmlTreeWriter& w, XmlElement parent, const char* name, const Section& section,
          SheetLines<Section> lines) {
    if (SumOfLines(section, lines) > Money()) w.Lines(w.Add(parent, name), section, lines);
}

void Bases(XmlTreeWriter& w, XmlElement parent, const kTSvodSum& s) {
    Base(w, parent, "НалБаза13", s.Section1, kSection1Lines);
    Base(w, parent, "НалБаза30", s.Section2, kSection2Lines);
    Base(w, parent, "НалБаза35", s.Section3, kSection3Lines);
    Base(w, parent, "НалБаза9", s.Section4, kSection4Lines);
    Base(w, parent, "НалБаза15", s.Base15, kBase15Lines);
}

XmlElement RussianIncome(XmlTreeWriter& w, XmlElement parent, const char* rate,
                         const kTSheetATotals& sheet) {
    XmlElement e = w.Add(parent, "ДоходИстРФ");
    e.SetAttribute("Ставка", rate);
    w.Lines(e, sheet, kSheetALines);
    return e;
}

void IncomeBySource(XmlTreeWriter& w, XmlElement parent, const mTSourseIncomeInfo& source,
                    Money taxable, Money tax) {
    XmlElement row = w.Add(parent, "РасчДохНал");
    w.Kopecks(row, "Доход", source.IncomeTotal);
    w.Kopecks(row, "ДоходОбл", taxable);
    w.Limited(row, "НалИсчисл", tax);
    w.Limited(row, "НалУдерж", source.TaxWithheld);
    w.TextIfAny(row, "ОКАТО", source.OKATO);
    w.Source(row, source.INN, source.KPP, source.SourceName);
}

// 1. Income from Russian sources by rate.
void RussianSources(XmlTreeWriter& w, XmlElement details, const mTDeclaration& d,
                    const kTSvodSum& s) {
    const bool resident = d.DeclarationKind == kResident3NDFL;
    const bool nonResident = d.DeclarationKind == kNonResident3NDFL;
    const bool thirteen = d.ThirteenPercentCount() > 0;
    const bool dividends = d.ThirtyPercentCount() > 0;

    auto dividendRows = [&](XmlElement e, bool fifteen) {
        for (size_t i = 0; i < d.ThirtyPercentCount(); ++i) {
            const mTThirtyPercent& src = d.ThirtyPercent(i);
            IncomeBySource(w, e, src, src.TaxableIncome,
                           fifteen ? TaxAtRate(src.TaxableIncome, limits2008::kRateDividendsNonRes)
                                   : src.TaxComputed);
        }
    };
    auto thirteenRows = [&](XmlElement e) {
        for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
            const mTThirteenPercent& src = d.ThirteenPercent(i);
            IncomeBySource(w, e, src, src.TaxableIncome, src.TaxComputed);
        }
    };

    if (dividends && resident) dividendRows(RussianIncome(w, details, "09", s.DividendsRes), false);
    if (thirteen && resident) thirteenRows(RussianIncome(w, details, "13", s.Income13));
    if (dividends && nonResident) {
        dividendRows(RussianIncome(w, details, "15", s.DividendsNonRes), true);
    }
    if (thirteen && nonResident) thirteenRows(RussianIncome(w, details, "30", s.Income30));
    if (s.Income35.Income > Money() && resident) {
        XmlElement e = RussianIncome(w, details, "35", s.Income35);
        size_t prizeRow = 0;  // the rows of sheet Г part 2 belong to the prize sources in order
        for (size_t i = 0; i < d.ThirtyFivePercentCount(); ++i) {
            const mTThirtyFivePercent& src = d.ThirtyFivePercent(i);
            if (src.IncomeCode == kBenefitCode) continue;
            Money taxable = src.IncomeTotal;
            if (src.IncomeCode == kPrizeCode && src.DeductCode != 0) {
                Money exempt =
                    prizeRow < s.Exempt.Rows.size() ? s.Exempt.Rows[prizeRow].Exempt : Money();
                Money income =
                    prizeRow < s.Exempt.Rows.size() ? s.Exempt.Rows[prizeRow].Income : taxable;
                taxable = income - exempt;
                ++prizeRow;
            }
            IncomeBySource(w, e, src, taxable, TaxAtRate(taxable, 35));
        }
    }
}

// 2. Income from abroad by rate.
void ForeignSources(XmlTreeWriter& w, XmlElement details, const mTDeclaration& d,
                    const kTSvodSum& s) {
    if (!d.HasIncome(kIncomeForeign)) return;
    const std::pair<const char*, const kTSvodSumPrilB*> sheets[] = {
        {"09", &s.Foreign9}, {"13", &s.Foreign13}, {"35", &s.Foreign35}};
    for (const auto& [rate, sheet] : sheets) {
        if (!(sheet->Income > Money())) continue;
        XmlElement e = w.Add(details, "ДоходИстИно");
        e.SetAttribute("Ставка", rate);
        w.Lines(e, *sheet, kSheetBLines);
        for (const DohodCur& r : sheet->Rows) {
            XmlElement row = w.Add(e, "РасчДохНалИно");
            w.Text(row, "ОКСМ", ZeroFilled(std::string(TrimmedText(r.CountryCode)), 3));
            w.Text(row, "НаимИстДох", r.SourceName);
            w.TextIfAny(row, "НаимВалют", r.CurrencyName);
            w.Text(row, "КодВалют", ZeroFilled(std::string(TrimmedText(r.CurrencyCode)), 3));
            w.Date(row, "ДатаДох", r.IncomeDate);
            w.Text(row, "КурсВалютДох", r.IncomeRateText);
            w.Text(row, "ДоходИноВал", DotDecimal(r.IncomeInCurrencyText));
            w.Kopecks(row, "ДоходИноРуб", r.IncomeInRubles);
            if (r.TaxInRubles > Money()) {
                w.Date(row, "ДатаУплНал", r.TaxDate);
                w.Text(row, "КурсВалютНал", r.TaxRateText);
                w.Text(row, "НалУплИноВал", DotDecimal(r.TaxInCurrencyText));
                w.Kopecks(row, "НалУплИноРуб", r.TaxInRubles);
            }
            w.Limited(row, "НалЗачРФОбщ", r.TaxRF);
            if (r.TaxCredit > Money()) w.Limited(row, "НалогЗачРФОбщ", r.TaxCredit);
        }
    }
}

// 3. Business income.
void Business(XmlTreeWriter& w, XmlElement details, const mTDeclaration& d, const kTSvodSum& s) {
    if (!d.HasIncome(kIncomeBusiness) || d.BusinessCount() == 0) return;
    XmlElement e = w.Add(details, "ДоходПредпр");
    const kTSheetVTotals& v1 = s.Business;
    w.Line(e, v1, kSheetV1Lines, &kTSheetVTotals::Income);
    w.Line(e, v1, kSheetV1Lines, &kTSheetVTotals::Deduction);
    w.Line(e, v1, kSheetV1Lines, &kTSheetVTotals::AdvanceAccrued);
    if (v1.AdvancePaid > Money()) w.Line(e, v1, kSheetV1Lines, &kTSheetVTotals::AdvancePaid);
    static const char* const kExpenseNames[] = {"РасхФакт",     "РасхФМат",   "РасхФАмНач",
                                                "РасхФОплТруд", "РасхФТрДог", "РасхФПроч"};
    for (size_t i = 0; i < d.BusinessCount(); ++i) {
        const mTBusinessNew& b = d.Business(i);
        XmlElement row = w.Add(e, "РасчВидДеят");
        w.Text(row, "КодВД", b.ActivityKind);
        if (b.ActivityKind == "1") w.Text(row, "ОКВЭД", b.ActivityCode);
        w.Kopecks(row, "Доход", b.Income);
        if (b.HasConfirmedExpenses == 1) {
            for (size_t k = 0; k < 6; ++k) {
                if (!b.ExpenseItems[k].IsZero())
                    w.Kopecks(row, kExpenseNames[k], b.ExpenseItems[k]);
            }
        } else if (!b.ExpenseTotal.IsZero()) {
            w.Kopecks(row, "РасхПредНорм", b.ExpenseTotal);
        }
    }
    if (d.FarmExemptIncome > Money()) {
        XmlElement farm = w.Add(e, "СведКФХ");
        w.Year(farm, "ГодРегКФХ", d.FarmStartDate);
        w.Kopecks(farm, "ДоходНеНал", d.FarmExemptIncome);
    }
}

// 4. Income exempt up to a limit.
void ExemptIncome(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    using M = kTSvodSumPrilM;
    const M& g = s.Exempt;
    if (!(g.L130 + g.L170 > Money())) return;
    XmlElement e = w.Add(details, "ДоходОсвПрев");
    if (g.L130 > Money()) {
        XmlElement part = w.Add(e, "ДоходНеПриз");
        w.Line(part, g, kSheetGLines, &M::L130);
        // An element for each kind of income with an exempt part.
        const struct {
            const char* name;
            Money M::*income;
            Money M::*exempt;
        } kinds[] = {{"МатПомРожд", &M::BirthAidIncome, &M::BirthAidExempt},
                     {"МатПомРаб", &M::L010, &M::L020},
                     {"МатПомИнв", &M::L030, &M::L040},
                     {"ПодарНП", &M::L050, &M::L060},
                     {"ПризНП", &M::L070, &M::L080},
                     {"ВозмМед", &M::L090, &M::L100},
                     {"ПомПодар", &M::L110, &M::L120}};
        for (const auto& kind : kinds) {
            if (!(g.*kind.exempt > Money())) continue;
            XmlElement row = w.Add(part, kind.name);
            w.Line(row, g, kSheetGLines, kind.income);
            w.Line(row, g, kSheetGLines, kind.exempt);
        }
    }
    if (g.L170 > Money()) {
        XmlElement part = w.Add(e, "ДоходПриз");
        w.Line(part, g, kSheetGLines, &M::L170);
        for (const Rec35& r : g.Rows) {
            XmlElement row = w.Add(part, "СвДоход");
            w.Kopecks(row, "Доход", r.Income);
            w.Kopecks(row, "ДоходНеНал", r.Exempt);
            w.Source(row, r.INN, r.KPP, r.SourceName);
        }
    }
}

// 5. Tax withheld from the exempt material benefit.
void MaterialBenefit(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    const kTSvodSumPrilM2& m = s.BenefitWithheld;
    if (!(m.TaxWithheld > Money())) return;
    XmlElement e = w.Add(details, "ДоходМатВыг");
    w.Lines(e, m, kBenefitLines);
    for (const Neo35& r : m.Rows) {
        XmlElement row = w.Add(e, "РасчНалогУдЛ");
        w.Kopecks(row, "Доход", r.Income);
        w.Limited(row, "НалогУдЛ", r.TaxWithheld);
        if (CharacterCount(r.OKATO) == 11) w.Text(row, "ОКАТО", r.OKATO);
        w.Source(row, r.INN, r.KPP, r.SourceName);
    }
}

}  // namespace

std::string DotDecimal(std::string_view text) {
    std::string result(TrimmedText(text));
    for (char& c : result) {
        if (c == ',') c = '.';
    }
    return result;
}

void BuildTotals(XmlTreeWriter& w, XmlElement document, const mTDeclaration& d,
                 const kTSvodSum& s) {
    XmlElement body = w.Add(document, "НДФЛ3");
    XmlElement totals = w.Add(body, "ИтогУплВозв");
    Bases(w, totals, s);

    // Details are kept only when there is something to detail.
    XmlElement details = w.Create("СведДохВыч");
    RussianSources(w, details, d, s);
    ForeignSources(w, details, d, s);
    Business(w, details, d, s);
    ExemptIncome(w, details, s);
    MaterialBenefit(w, details, s);
    BuildDeductionDetails(w, details, d, s);
    if (details.HasChildren()) totals.AppendChild(details);

    for (const bmTList1& r : s.Section6.Rows) {
        XmlElement row = w.Add(body, "ПодлУплВозв");
        w.Text(row, "ПрУплВозв", r.Sign);
        w.Text(row, "КБК", r.BudgetCode);
        w.Text(row, "ОКАТО", r.OKATO);
        row.SetAttribute("ПодлУпл", r.Sign == "1" ? MoneyToLimitedText(r.Amount) : "0");
        row.SetAttribute("ПодлВозв", r.Sign == "2" ? MoneyToLimitedText(r.Amount) : "0");
    }
}

}  // namespace zorv
