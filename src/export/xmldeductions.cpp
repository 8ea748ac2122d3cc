// The deduction half of СведДохВыч: professional deductions, sales of property,
// securities, standard and social deductions, pension contracts and housing.

#include <optional>

#include "declaration.h"
#include "svodsum.h"
#include "xmltree.h"

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
        w.Kopecks(e, "РасходОбщ", sheet->Expense);
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
        w.Kopecks(e, "РасходОбщ", sheet->Expense);
        for (const DohodGragdPravHar& r : sheet->Rows) {
            XmlElement row = w.Add(e, "РасхФактДок");
            w.Kopecks(row, "СумДох", r.Income);
            w.Kopecks(row, "СумРасход", r.Expense);
            w.Source(row, r.INN, r.KPP, r.SourceName);
        }
    }
}

struct SaleLine {
    const char* name;
    Money income;
    const char* deductionName;
    Money deduction;
};

void SaleLines(XmlTreeWriter& w, XmlElement parent, std::initializer_list<SaleLine> lines) {
    for (const SaleLine& line : lines) {
        if (!Positive(line.deduction)) continue;
        XmlElement e = w.Add(parent, line.name);
        w.Kopecks(e, "ДохВсехИст", line.income);
        w.Kopecks(e, line.deductionName, line.deduction);
    }
}

// 8. Deductions on the sale of property.
void PropertySale(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    const kTSvodSumPrilH1& h = s.PropertySale;
    if (!Positive(h.L210)) return;
    XmlElement e = w.Add(details, "ВычПродИмущ");
    w.Kopecks(e, "ВычетОбщ", h.L210);
    if (Positive(h.L120)) {
        XmlElement housing = w.Add(e, "ВычЖилИмущ");
        w.Kopecks(housing, "ДохИстИтог", h.L110);
        w.Kopecks(housing, "ВычИмущИтог", h.L120);
        SaleLines(w, housing,
                  {{"СумИмущ", h.L010, "НалВычет", h.L020},
                   {"СумДолИмущ", h.L030, "НалВычет", h.L040},
                   {"СумИмущОбщ", h.L050, "НалВычет", h.L060},
                   {"СумИмущДок", h.L070, "РасхДок", h.L080},
                   {"СумИмущ3Год", h.L090, "НалВычет", h.L100}});
    }
    if (Positive(h.L200)) {
        XmlElement other = w.Add(e, "ВычИноеИмущ");
        w.Kopecks(other, "ДохИстИтог", h.L190);
        w.Kopecks(other, "ВычИнИмущИтог", h.L200);
        SaleLines(w, other,
                  {{"СумИнИмущ", h.L130, "НалВычет", h.L140},
                   {"СумИнИмущДок", h.L150, "РасхДок", h.L160},
                   {"СумИнИмущ3Год", h.L170, "НалВычет", h.L180}});
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
        w.Kopecks(e, "СумВычОбщ", sheet->L130);
        if (Positive(sheet->L060)) {
            XmlElement part = w.Add(e, "РасхДокПродДол");
            w.Kopecks(part, "РасхДокОбщ", sheet->L060);
            for (const mbDohH2& r : sheet->ShareRows) {
                XmlElement row = w.Add(part, "ПродДолУстКап");
                w.Kopecks(row, "ДохПродДол", r.Income);
                w.Kopecks(row, "РасхДок", r.Expense);
                w.Source(row, r.INN, r.KPP, r.SourceName);
            }
        }
        if (Positive(sheet->L120)) {
            XmlElement part = w.Add(e, "РасхДокУстПрав");
            w.Kopecks(part, "РасхДокОбщ", sheet->L120);
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
void Securities(XmlTreeWriter& w, XmlElement details, const char* name, const char* expenseName,
                const Sheet& sheet, const SecurityResult (&results)[6]) {
    if (!Positive(sheet.TotalIncome)) return;
    XmlElement e = w.Add(details, name);
    e.SetAttribute("ПрИст", "1");
    w.Kopecks(e, "ДохПолуч16", sheet.TotalIncome);
    w.Kopecks(e, "НалБаза16", sheet.TotalTaxable);
    w.Kopecks(e, expenseName, sheet.TotalExpense);
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
    Securities(w, details, "НалБазОперЦБ", "РасхДокИтог", j, own);
    const SecurityResult trust[6] = {
        {kTradedSecurities, k.Loss1, k.Used6In1, k.Profit1, k.Taxable1, k.Carry1},
        {kOnceTradedSecurities, k.Loss2, k.Used1In2, k.Profit2, k.Taxable2, none},
        {kUntradedSecurities, k.Loss3, none, k.Profit3, k.Taxable3, k.LossOut3},
        {kFundUnits, k.Loss5, none, k.Profit5, k.Taxable5, k.LossOut5},
        {kDerivatives, k.Loss4, none, k.Profit4, k.Taxable4, k.LossOut4},
        {kHedgingDerivatives, k.Loss6, none, k.Profit6, k.Taxable6, k.Carry6}};
    Securities(w, details, "НалБазОперЦБДУ", "РасхДокИт", k, trust);
}

// 11. Standard deductions.
void Standard(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    const kTSvodSumPrilE1& k1 = s.StandardDeductions;
    XmlElement e = w.Add(details, "ВычСтанд");
    w.Kopecks(e, "ИтогВычСтанд", k1.L220);
    XmlElement months = w.Add(e, "ДохМес");
    static const char* const kMonthNames[] = {
        "ИтогЯнв",    "ИтогЯнвФевр", "ИтогЯнвМарт", "ИтогЯнвАпр", "ИтогЯнвМай",  "ИтогЯнвИюн",
        "ИтогЯнвИюл", "ИтогЯнвАвг",  "ИтогЯнвСент", "ИтогЯнвОкт", "ИтогЯнвНояб", "ИтогЯнвДек"};
    for (int i = 0; i < 12; ++i) w.Kopecks(months, kMonthNames[i], k1.Cumulative(i));
    w.Number(months, "КолМес20000", k1.L130);
    w.Number(months, "КолМес40000", k1.L140);
    XmlElement items = w.Add(e, "РасчВычСтанд");
    const std::pair<const char*, Money> lines[] = {
        {"ВычСтанд218.1.1", k1.L150}, {"ВычСтанд218.1.2", k1.L160}, {"ВычСтанд218.1.3", k1.L170},
        {"ВычСтандРеб", k1.L180},     {"ВычСтРебОпек", k1.L190},    {"ВычСтРебИнв", k1.L200},
        {"ВычСтРебИнвОпек", k1.L210}};
    for (const auto& [name, amount] : lines) {
        if (Positive(amount)) w.Limited(items, name, amount);
    }
}

// 12. Social deductions.
void Social(XmlTreeWriter& w, XmlElement details, const kTSvodSum& s) {
    const kTSvodSumPrilE2& k2 = s.SocialDeductions;
    XmlElement e = w.Add(details, "ВычСоциал");
    w.Kopecks(e, "ИтогВычСоциал", k2.L130);
    auto part = [&](const char* name, std::initializer_list<std::pair<const char*, Money>> lines,
                    Money total) {
        XmlElement p = w.Add(e, name);
        for (const auto& [attribute, amount] : lines) {
            if (Positive(amount)) w.Kopecks(p, attribute, amount);
        }
        w.Kopecks(p, "ИтогВычСоциал", total);
    };
    if (Positive(k2.L040)) {
        part("РасчВычСоцБез219.2",
             {{"СумБлагЦел", k2.L010}, {"СумОбуч", k2.L020}, {"СумЛечен", k2.L030}}, k2.L040);
    }
    if (Positive(k2.L120)) {
        part("РасчВычСоц219.2",
             {{"СумОбуч", k2.L050},
              {"СумЛечен", k2.L060},
              {"СумЛичСтрах", k2.L070},
              {"СумПенсСтрах", k2.L080},
              {"СумПенсСтрахДр", k2.L090},
              {"СумНгПенсСтрах", k2.L100},
              {"СумНгПенсСтрахДр", k2.L110}},
             k2.L120);
    }
}

// The element names of the pension contract sheets К3 and К4.
struct PensionNames {
    const char* sheet;
    const char* own;
    const char* relatives;
    const char* total;
    const char* row;
    const char* date;
    const char* number;
    const char* contributions;
    const char* accepted;
};

constexpr PensionNames kInsuranceNames = {"ВычДогДПС",   "РасчВычДогДПС", "РасчВычДогДПСДр",
                                          "СумСВВычОбщ", "РасчСумСВВыч",  "ДатаДогДПС",
                                          "НомДогДПС",   "СумСВОбщПер",   "СумСВВыч"};
constexpr PensionNames kFundNames = {"ВычДогНПО",   "РасчВычДогНПО", "РасчВычДогНПОДр",
                                     "СумПВВычОбщ", "РасчСумПВВыч",  "ДатаДогНПО",
                                     "НомДогНПО",   "СумПВОбщПер",   "СумПВВыч"};

// 13, 14. Pension contracts in own favour and in favour of relatives.
template <class Sheet>
void Pensions(XmlTreeWriter& w, XmlElement details, const PensionNames& n, const Sheet& sheet) {
    if (sheet.OwnRows.empty() && sheet.RelativesRows.empty()) return;
    XmlElement e = w.Add(details, n.sheet);
    auto part = [&](const char* name, Money total, const std::vector<mbTPens>& rows) {
        if (rows.empty()) return;
        XmlElement p = w.Add(e, name);
        w.Kopecks(p, n.total, total);
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
    part(n.own, sheet.OwnTotal, sheet.OwnRows);
    part(n.relatives, sheet.RelativesTotal, sheet.RelativesRows);
}

// 15. The property deduction for building or buying housing.
void Housing(XmlTreeWriter& w, XmlElement details, const mTDeclaration& d, const kTSvodSum& s) {
    const mTConstructionDeduct& c = d.ConstructionDeduct;
    const kTSvodSumPrilZ& l = s.Housing;
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
    w.Kopecks(object, "СумРасхФакт", l.L080);
    w.Kopecks(object, "СумФактУплПроц", l.L090);

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
    const std::pair<const char*, Money> lines[] = {
        {"ВычНовЗачПред", l.L100},  {"ВычНовЗачПредНД", l.L110},  {"ВычНовЗачПредУп", l.L120},
        {"ВычПроцЗачПред", l.L130}, {"ВычПроцЗачПредНД", l.L140}, {"ВычПроцЗачПредУп", l.L150},
        {"РасхНовПршПред", l.L160}, {"ПроцПршПред", l.L170},      {"ВычНовУвед", l.L180},
        {"ПроцУвед", l.L190},       {"НалБаз13БезВыч", l.L200},   {"РасхНовЗачНД", l.L210},
        {"ПроцЗачНД", l.L220},      {"РасхДокПрхСлед", l.L230},   {"ПроцПрхСлед", l.L240}};
    for (const auto& [name, amount] : lines) w.Kopecks(calc, name, amount);
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
    Pensions(w, details, kInsuranceNames, s.PensionInsurance);
    Pensions(w, details, kFundNames, s.PensionFunds);
    if (resident && d.ConstructionDeduct.Granted) Housing(w, details, d, s);
}

}  // namespace zorv
