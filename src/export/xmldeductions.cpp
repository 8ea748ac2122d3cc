// The deduction half of СведДохВыч: professional deductions, sales of property,
// securities, standard and social deductions, pension contracts and housing.

#include <initializer_list>
#include <optional>

#include "calc/svodsum.h"
#include "export/xmltree.h"
#include "model/declaration.h"

namespace zorv {
namespace {

bool Positive(Money m) {
    return m > Money();
}

// 6. Expenses against author's fees: Russian sources ("1"), then currency ("2").
void AuthorFees(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    const std::pair<const char*, const kTSheetDTotals*> sheets[] = {{"1", &s.AuthorFees},
                                                                    {"2", &s.AuthorFeesForeign}};
    for (const auto& [origin, sheet] : sheets) {
        if (!Positive(sheet->Expense)) continue;
        XmlElement e = w.Add(details, "ВычВозн");
        e.SetAttribute("ПрИст", origin);
        w.Line(e, *sheet, kSheetDLines, &kTSheetDTotals::Expense);
        for (const DohodAvtVozn& r : sheet->Rows) {
            XmlElement row = w.Add(e, "РасхФактДок");
            w.Text(row, "НаимВозн", r.IncomeName);
            w.Text(row, "ВидВозн", r.IncomeCodeText);
            w.Kopecks(row, "СумВозн", r.Income);
            w.Text(row, "КодРасход", r.DeductCodeText);
            w.Text(row, "Норматив", r.DeductPercentText);
            w.Kopecks(row, "СумРасход", r.Expense);
            w.Source(row, r.INN, r.KPP, r.SourceName);
        }
    }
}

// 7. Expenses under civil-law contracts.
void CivilContracts(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    const std::pair<const char*, const kTSheetETotals*> sheets[] = {
        {"1", &s.CivilContracts}, {"2", &s.CivilContractsForeign}};
    for (const auto& [origin, sheet] : sheets) {
        if (!Positive(sheet->Expense)) continue;
        XmlElement e = w.Add(details, "ВычДоговорГПХ");
        e.SetAttribute("ПрИст", origin);
        w.Line(e, *sheet, kSheetELines, &kTSheetETotals::Expense);
        for (const DohodGragdPravHar& r : sheet->Rows) {
            XmlElement row = w.Add(e, "РасхФактДок");
            w.Kopecks(row, "СумДох", r.Income);
            w.Kopecks(row, "СумРасход", r.Expense);
            w.Source(row, r.INN, r.KPP, r.SourceName);
        }
    }
}

// A kind of property sold: the element and the lines of its income and deduction.
struct SaleKind {
    const char* name;
    Money kTSvodSumPrilH1::*income;
    Money kTSvodSumPrilH1::*deduction;
};

void SaleKinds(XmlTreeWriter& w, XmlElement parent, const kTSvodSumPrilH1& h,
               std::initializer_list<SaleKind> kinds) {
    for (const SaleKind& kind : kinds) {
        if (!Positive(h.*kind.deduction)) continue;
        XmlElement e = w.Add(parent, kind.name);
        w.Line(e, h, kSheetZh1Lines, kind.income);
        w.Line(e, h, kSheetZh1Lines, kind.deduction);
    }
}

// 8. Deductions on the sale of property.
void PropertySale(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    using H = kTSvodSumPrilH1;
    const H& h = s.PropertySale;
    if (!Positive(h.L210)) return;
    XmlElement e = w.Add(details, "ВычПродИмущ");
    w.Line(e, h, kSheetZh1Lines, &H::L210);
    if (Positive(h.L120)) {
        XmlElement housing = w.Add(e, "ВычЖилИмущ");
        w.Line(housing, h, kSheetZh1Lines, &H::L110);
        w.Line(housing, h, kSheetZh1Lines, &H::L120);
        SaleKinds(w, housing, h,
                  {{"СумИмущ", &H::L010, &H::L020},
                   {"СумДолИмущ", &H::L030, &H::L040},
                   {"СумИмущОбщ", &H::L050, &H::L060},
                   {"СумИмущДок", &H::L070, &H::L080},
                   {"СумИмущ3Год", &H::L090, &H::L100}});
    }
    if (Positive(h.L200)) {
        XmlElement other = w.Add(e, "ВычИноеИмущ");
        w.Line(other, h, kSheetZh1Lines, &H::L190);
        w.Line(other, h, kSheetZh1Lines, &H::L200);
        SaleKinds(w, other, h,
                  {{"СумИнИмущ", &H::L130, &H::L140},
                   {"СумИнИмущДок", &H::L150, &H::L160},
                   {"СумИнИмущ3Год", &H::L170, &H::L180}});
    }
}

// 9. Sale of a share in charter capital and assignment of claims.
void ShareSale(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    const std::pair<const char*, const kTSheetH2Totals*> sheets[] = {{"1", &s.ShareSale},
                                                                     {"2", &s.ShareSaleForeign}};
    for (const auto& [origin, sheet] : sheets) {
        if (!Positive(sheet->L130)) continue;
        XmlElement e = w.Add(details, "ВычИмущПрав");
        e.SetAttribute("ПрИст", origin);
        w.Line(e, *sheet, kSheetZh2Lines, &kTSheetH2Totals::L130);
        if (Positive(sheet->L060)) {
            XmlElement part = w.Add(e, "РасхДокПродДол");
            w.Line(part, *sheet, kSheetZh2Lines, &kTSheetH2Totals::L060);
            for (const mbDohH2& r : sheet->ShareRows) {
                XmlElement row = w.Add(part, "ПродДолУстКап");
                w.Kopecks(row, "ДохПродДол", r.Income);
                w.Kopecks(row, "РасхДок", r.Expense);
                w.Source(row, r.INN, r.KPP, r.SourceName);
            }
        }
        if (Positive(sheet->L120)) {
            XmlElement part = w.Add(e, "РасхДокУстПрав");
            w.Line(part, *sheet, kSheetZh2Lines, &kTSheetH2Totals::L120);
            for (const mbDohH2& r : sheet->ClaimRows) {
                XmlElement row = w.Add(part, "СумПолучУстПрав");
                w.Kopecks(row, "ДохПолуч", r.Income);
                w.Kopecks(row, "РасхДок", r.Expense);
                w.Source(row, r.INN, r.KPP, r.SourceName);
            }
        }
    }
}

// One result line of a securities sheet: the losses, the losses set off, the
// profits, the base and the losses carried on, the last two or three as listed.
struct SecurityResult {
    SecurityTable table;
    Money loss;
    std::optional<Money> setOff;
    Money profit;
    Money taxable;
    std::optional<Money> carried;
};

// The tables in the order of the file, with their operation marks.
constexpr std::pair<SecurityTable, const char*> kSecurityOrder[] = {
    {kTradedSecurities, "1"}, {kOnceTradedSecurities, "2"}, {kUntradedSecurities, "3"},
    {kFundUnits, "4"},        {kDerivatives, "5"},          {kHedgingDerivatives, "6"}};

template <class Sheet>
void Securities(XmlTreeWriter& w, XmlElement details, const char* name, const Sheet& sheet,
                SheetLines<Sheet> lines, const SecurityResult (&results)[6]) {
    if (!Positive(sheet.TotalIncome)) return;
    XmlElement e = w.Add(details, name);
    e.SetAttribute("ПрИст", "1");
    w.Lines(e, sheet, lines);
    for (const auto& [table, mark] : kSecurityOrder) {
        for (const CBDoh& r : sheet.Tables[table]) {
            XmlElement row = w.Add(e, "РасчОблДохУбыт");
            row.SetAttribute("ПрОпер", mark);
            w.Kopecks(row, "СумДохОпИст", r.Income);
            w.Kopecks(row, "СумУбытИст", r.Loss);
            w.Kopecks(row, "СумОблДохИст", r.Profit);
            w.Source(row, r.INN, r.KPP, r.SourceName);
        }
    }
    XmlElement total = w.Add(e, "РезОперИт");
    static const char* const kResultNames[] = {"РезОпер1", "РезОпер2", "РезОпер3",
                                               "РезОпер4", "РезОпер5", "РезОпер6"};
    for (size_t i = 0; i < 6; ++i) {
        const SecurityResult& r = results[i];
        if (sheet.Tables[r.table].empty()) continue;
        XmlElement row = w.Add(total, kResultNames[i]);
        w.Kopecks(row, "СумУбытВсИст", r.loss);
        if (r.setOff) w.Kopecks(row, "СумУбытВыч", *r.setOff);
        w.Kopecks(row, "СумОблДохВсИст", r.profit);
        w.Kopecks(row, "НалБазаОпер", r.taxable);
        if (r.carried) w.Kopecks(row, "СумУбытУчРасч", *r.carried);
    }
}

// 10. Operations with securities: own (sheet З), then by a trust manager (sheet И).
void Securities(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    const kTSvodSumPrilJ& j = s.Securities;
    const kTSvodSumPrilK& k = s.TrustSecurities;
    const std::nullopt_t none = std::nullopt;
    const SecurityResult own[6] = {
        {kTradedSecurities, j.Loss1, k.LossOut1 + j.Carry6, j.Profit1, j.Taxable1, j.Carry1},
        {kOnceTradedSecurities, j.Loss2, j.Carry1, j.Profit2, j.Taxable2, none},
        {kUntradedSecurities, j.Loss3, k.LossOut3, j.Profit3, j.Taxable3, none},
        {kFundUnits, j.Loss5, k.LossOut5, j.Profit5, j.Taxable5, none},
        {kDerivatives, j.Loss4, k.LossOut4, j.Profit4, j.Taxable4, none},
        {kHedgingDerivatives, j.Loss6, k.LossOut6, j.Profit6, j.Taxable6, j.Carry6}};
    Securities(w, details, "НалБазОперЦБ", j, kSheetZLines, own);
    const SecurityResult trust[6] = {
        {kTradedSecurities, k.Loss1, k.Used6In1, k.Profit1, k.Taxable1, k.Carry1},
        {kOnceTradedSecurities, k.Loss2, k.Used1In2, k.Profit2, k.Taxable2, none},
        {kUntradedSecurities, k.Loss3, none, k.Profit3, k.Taxable3, k.LossOut3},
        {kFundUnits, k.Loss5, none, k.Profit5, k.Taxable5, k.LossOut5},
        {kDerivatives, k.Loss4, none, k.Profit4, k.Taxable4, k.LossOut4},
        {kHedgingDerivatives, k.Loss6, none, k.Profit6, k.Taxable6, k.Carry6}};
    Securities(w, details, "НалБазОперЦБДУ", k, kSheetILines, trust);
}

// 11. Standard deductions.
void Standard(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    using E1 = kTSvodSumPrilE1;
    const E1& k1 = s.StandardDeductions;
    XmlElement e = w.Add(details, "ВычСтанд");
    w.Line(e, k1, kSheetK1Lines, &E1::L220);
    XmlElement months = w.Add(e, "ДохМес");
    for (int i = 0; i < 12; ++i) w.Line(months, k1, kSheetK1Lines[i]);
    w.Number(months, "КолМес20000", k1.L130);
    w.Number(months, "КолМес40000", k1.L140);
    XmlElement items = w.Add(e, "РасчВычСтанд");
    for (Money E1::*line :
         {&E1::L150, &E1::L160, &E1::L170, &E1::L180, &E1::L190, &E1::L200, &E1::L210}) {
        if (Positive(k1.*line)) w.Line(items, k1, kSheetK1Lines, line);
    }
}

// 12. Social deductions.
void Social(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    using E2 = kTSvodSumPrilE2;
    const E2& k2 = s.SocialDeductions;
    XmlElement e = w.Add(details, "ВычСоциал");
    w.Line(e, k2, kSheetK2Lines, &E2::L130);
    auto part = [&](const char* name, std::initializer_list<Money E2::*> lines, Money E2::*total) {
        XmlElement p = w.Add(e, name);
        for (Money E2::*line : lines) {
            if (Positive(k2.*line)) w.Line(p, k2, kSheetK2Lines, line);
        }
        w.Line(p, k2, kSheetK2Lines, total);
    };
    if (Positive(k2.L040)) {
        part("РасчВычСоцБез219.2", {&E2::L010, &E2::L020, &E2::L030}, &E2::L040);
    }
    if (Positive(k2.L120)) {
        part("РасчВычСоц219.2",
             {&E2::L050, &E2::L060, &E2::L070, &E2::L080, &E2::L090, &E2::L100, &E2::L110},
             &E2::L120);
    }
}

// The element names of the pension contract sheets К3 and К4.
struct PensionNames {
    const char* sheet;
    const char* own;
    const char* relatives;
    const char* row;
    const char* date;
    const char* number;
    const char* contributions;
    const char* accepted;
};

constexpr PensionNames kInsuranceNames = {"ВычДогДПС",    "РасчВычДогДПС", "РасчВычДогДПСДр",
                                          "РасчСумСВВыч", "ДатаДогДПС",    "НомДогДПС",
                                          "СумСВОбщПер",  "СумСВВыч"};
constexpr PensionNames kFundNames = {"ВычДогНПО",    "РасчВычДогНПО", "РасчВычДогНПОДр",
                                     "РасчСумПВВыч", "ДатаДогНПО",    "НомДогНПО",
                                     "СумПВОбщПер",  "СумПВВыч"};

// 13, 14. Pension contracts in own favour and in favour of relatives.
template <class Sheet>
void Pensions(XmlTreeWriter& w, XmlElement details, const PensionNames& n, const Sheet& sheet,
              SheetLines<Sheet> lines) {
    if (sheet.OwnRows.empty() && sheet.RelativesRows.empty()) return;
    XmlElement e = w.Add(details, n.sheet);
    auto part = [&](const char* name, Money Sheet::*total, const std::vector<mbTPens>& rows) {
        if (rows.empty()) return;
        XmlElement p = w.Add(e, name);
        w.Line(p, sheet, lines, total);
        for (const mbTPens& r : rows) {
            XmlElement row = w.Add(p, n.row);
            w.Date(row, n.date, r.ContractDate);
            w.Text(row, n.number, r.ContractNumber);
            w.Kopecks(row, n.contributions, r.Contributions);
            w.Kopecks(row, n.accepted, r.Accepted);
            XmlElement fund = w.Add(row, "СведИст");
            w.Text(fund, "Наим", r.Name);
            w.Text(fund, "ИННЮЛ", r.INN);
            w.Text(fund, "КПП", r.KPP);
        }
    };
    part(n.own, &Sheet::OwnTotal, sheet.OwnRows);
    part(n.relatives, &Sheet::RelativesTotal, sheet.RelativesRows);
}

// 15. The property deduction for building or buying housing.
void Housing(XmlTreeWriter& w, XmlElement details, const mTDeclaration& d, const kTSvodSum& s) {
    const mTConstructionDeduct& c = d.ConstructionDeduct;
    using Z = kTSvodSumPrilZ;
    const Z& l = s.Housing;
    XmlElement e = w.Add(details, "ВычИмущНовМ");
    XmlElement object = w.Add(e, "СвОбъектРасх");
    w.Text(object, "НаимОбъект", c.ObjectName);
    w.Date(object, "ДатаПриобр", c.PurchaseDate);
    w.Date(object, "ДатаПередач", c.RegistrationDate);
    // A share without a denominator is the whole object, as the calculation takes it.
    object.SetAttribute("ДолСобств", c.ShareDenominator == 0
                                         ? std::string("1/1")
                                         : std::to_string(c.ShareNumerator) + "/" +
                                               std::to_string(c.ShareDenominator));
    w.Year(object, "ГодНачИспВыч", c.StartYearDate);
    w.Line(object, l, kSheetLLines, &Z::L080);
    w.Line(object, l, kSheetLLines, &Z::L090);

    XmlElement address = w.Add(object, "АдрОбъект");
    w.TextIfAny(address, "Индекс", c.PostIndex);
    w.Text(address, "КодРегион", ZeroFilled(c.RegionCode, 2));
    w.TextIfAny(address, "Район", c.District);
    w.TextIfAny(address, "Город", c.City);
    w.TextIfAny(address, "НаселПункт", c.Locality);
    w.TextIfAny(address, "Улица", c.Street);
    w.TextIfAny(address, "Дом", c.House);
    w.TextIfAny(address, "Корпус", c.Building);
    w.TextIfAny(address, "Кварт", c.Flat);

    XmlElement calc = w.Add(e, "РасчИмущВычНов");
    for (const SheetLine<Z>& line : kSheetLLines) {
        if (line.member != &Z::L080 && line.member != &Z::L090) w.Line(calc, l, line);
    }
}

}  // namespace

void BuildDeductionDetails(XmlTreeWriter& w, XmlElement details, const mTDeclaration& d,
                           const kTSvodSum& s) {
    const bool resident = d.DeclarationKind == kResident3NDFL;
    AuthorFees(w, details, s);
    CivilContracts(w, details, s);
    PropertySale(w, details, s);
    ShareSale(w, details, s);
    Securities(w, details, s);
    if (resident && d.StandartDeduct.Granted) Standard(w, details, s);
    if (resident && d.SocialDeduct.Granted) Social(w, details, s);
    Pensions(w, details, kInsuranceNames, s.PensionInsurance, kSheetK3Lines);
    Pensions(w, details, kFundNames, s.PensionFunds, kSheetK4Lines);
    if (resident && d.ConstructionDeduct.Granted) Housing(w, details, d, s);
}

}  // namespace zorv
