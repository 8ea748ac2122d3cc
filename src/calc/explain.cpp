#include "calc/explain.h"

#include <functional>
#include <stdexcept>
#include <utility>

#include "calc/calcmoney.h"
#include "codes/incomecodes.h"
#include "model/taxlimits2008.h"
#include "storage/daynumber.h"

namespace zorv {

Money TExplainNode::ChildrenTotal() const {
    Money total;
    for (const TExplainNode& child : children) {
        if (child.sign > 0) total += child.amount;
        if (child.sign < 0) total -= child.amount;
    }
    return total;
}

namespace {

namespace L = limits2008;
using Kind = TExplainTarget::Kind;

// ---- Texts ----------------------------------------------------------------------

// Whole rubles grouped by thousands, kopecks after a comma when there are any:
// "2 000 000", "1 250,50".
std::string Grouped(Money amount) {
    const std::string plain = amount.ToString();
    const bool negative = !plain.empty() && plain.front() == '-';
    const size_t dot = plain.find('.');
    const std::string whole = plain.substr(
        negative ? 1 : 0, dot == std::string::npos ? std::string::npos : dot - (negative ? 1 : 0));
    std::string text;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i != 0 && (whole.size() - i) % 3 == 0) text += ' ';
        text += whole[i];
    }
    if (dot != std::string::npos) {
        std::string kopecks = plain.substr(dot + 1, 2);
        if (kopecks.size() < 2) kopecks += '0';
        text += "," + kopecks;
    }
    return negative ? "-" + text : text;
}

std::string Limited(Money limit, const char* article) {
    return "ограничено " + Grouped(limit) + " (" + article + ")";
}

constexpr const char* kNotBelowZero = "разность меньше 0, в строку идёт 0";

std::string SourceTitle(const mTSourseIncomeInfo& source) {
    std::string title = source.SourceName.empty() ? "Источник без названия" : source.SourceName;
    if (!source.INN.empty()) title += ", ИНН " + source.INN;
    return title;
}

// ---- Nodes ----------------------------------------------------------------------

TExplainNode Record(std::string line, std::string words, Money amount,
                    std::optional<TExplainTarget> target = std::nullopt) {
    TExplainNode node;
    node.line = std::move(line);
    node.words = std::move(words);
    node.amount = amount;
    node.target = target;
    return node;
}

TExplainTarget Target(Kind kind, size_t index = 0, size_t subIndex = 0) {
    return TExplainTarget{kind, index, subIndex};
}

// Adds child with its sign; an amount of zero changes nothing and is left out.
void Add(TExplainNode& node, TExplainNode child, int sign = 1) {
    if (child.amount.IsZero()) return;
    child.sign = sign;
    node.children.push_back(std::move(child));
}

// Where the children add up to more (or less) than the amount: the total they
// make, and the note of what cut it.
void CutBy(TExplainNode& node, std::string note) {
    const Money total = node.ChildrenTotal();
    if (total == node.amount) return;
    node.before = total;
    node.limit = std::move(note);
}

// The amount as tax at percent on the base line.
void TaxOn(TExplainNode& node, TExplainNode base, int percent) {
    const Money total = base.amount;
    node.children.clear();
    base.sign = 1;
    node.children.push_back(std::move(base));
    node.before = total;
    node.percent = percent;
}

// ---- The lines of the sections and sheets -----------------------------------------

struct LineEntry {
    std::string key;   // "L040", "TaxBase"
    const char* code;  // "040"; nullptr where the form has no line
    Money amount;
};

template <class Sheet>
std::vector<LineEntry> TableLines(const Sheet& sheet, SheetLines<Sheet> table) {
    std::vector<LineEntry> lines;
    for (const SheetLine<Sheet>& line : table) {
        lines.push_back({line.code != nullptr ? std::string("L") + line.code : line.jsonKey,
                         line.code, sheet.*(line.member)});
    }
    return lines;
}

struct SheetDesc {
    const char* id;
    const char* title;
    std::function<std::vector<LineEntry>(const kTSvodSum&)> lines;
};

template <class Member, class Sheet>
SheetDesc Desc(const char* id, const char* title, Member kTSvodSum::*object,
               SheetLines<Sheet> table) {
    return {id, title,
            [object, table](const kTSvodSum& s) { return TableLines<Sheet>(s.*object, table); }};
}

const std::vector<SheetDesc>& Sheets() {
    static const std::vector<SheetDesc> sheets = {
        Desc<kTSvodSumList1, kTSvodSumList1>("Section1", "Раздел 1", &kTSvodSum::Section1,
                                             kSection1Lines),
        Desc<kTSvodSumList2, kTSvodSumList2>("Section2", "Раздел 2", &kTSvodSum::Section2,
                                             kSection2Lines),
        Desc<kTSvodSumList3, kTSvodSumList3>("Section3", "Раздел 3", &kTSvodSum::Section3,
                                             kSection3Lines),
        Desc<kTSvodSumList4, kTSvodSumList4>("Section4", "Раздел 4", &kTSvodSum::Section4,
                                             kSection4Lines),
        Desc<kTSvodSumList5, kTSvodSumList5>("Base15", "Дивиденды нерезидента (15 %)",
                                             &kTSvodSum::Base15, kBase15Lines),
        Desc<kTSvodSumPrilA13, kTSheetATotals>("SheetA13", "Лист А (13 %)", &kTSvodSum::Income13,
                                               kSheetALines),
        Desc<kTSvodSumPrilA30, kTSheetATotals>("SheetA30", "Лист А (30 %)", &kTSvodSum::Income30,
                                               kSheetALines),
        Desc<kTSvodSumPrilA35, kTSheetATotals>("SheetA35", "Лист А (35 %)", &kTSvodSum::Income35,
                                               kSheetALines),
        Desc<kTSvodSumPrilA6, kTSheetATotals>("SheetA9", "Лист А (9 %)", &kTSvodSum::DividendsRes,
                                              kSheetALines),
        Desc<kTSvodSumPrilA15, kTSheetATotals>("SheetA15", "Лист А (15 %)",
                                               &kTSvodSum::DividendsNonRes, kSheetALines),
        Desc<kTSvodSumPrilB, kTSvodSumPrilB>("SheetB13", "Лист Б (13 %)", &kTSvodSum::Foreign13,
                                             kSheetBLines),
        Desc<kTSvodSumPrilB, kTSvodSumPrilB>("SheetB9", "Лист Б (9 %)", &kTSvodSum::Foreign9,
                                             kSheetBLines),
        Desc<kTSvodSumPrilB, kTSvodSumPrilB>("SheetB35", "Лист Б (35 %)", &kTSvodSum::Foreign35,
                                             kSheetBLines),
        Desc<kTSvodSumPrilV1, kTSheetVTotals>("SheetV1", "Лист В1", &kTSvodSum::Business,
                                              kSheetV1Lines),
        Desc<kTSvodSumPrilV2, kTSheetVTotals>("SheetV2", "Лист В2", &kTSvodSum::PrivatePractice,
                                              kSheetV2Lines),
        Desc<kTSvodSumPrilM, kTSvodSumPrilM>("SheetG", "Лист Г", &kTSvodSum::Exempt, kSheetGLines),
        Desc<kTSvodSumPrilM2, kTSvodSumPrilM2>("SheetGBenefit", "Материальная выгода (2620)",
                                               &kTSvodSum::BenefitWithheld, kBenefitLines),
        Desc<kTSvodSumPrilG, kTSheetDTotals>("SheetD", "Лист Д", &kTSvodSum::AuthorFees,
                                             kSheetDLines),
        Desc<kTSvodSumPrilG_In, kTSheetDTotals>("SheetDForeign", "Лист Д (в валюте)",
                                                &kTSvodSum::AuthorFeesForeign, kSheetDLines),
        Desc<kTSvodSumPrilD, kTSheetETotals>("SheetE", "Лист Е", &kTSvodSum::CivilContracts,
                                             kSheetELines),
        Desc<kTSvodSumPrilD_In, kTSheetETotals>("SheetEForeign", "Лист Е (в валюте)",
                                                &kTSvodSum::CivilContractsForeign, kSheetELines),
        Desc<kTSvodSumPrilH1, kTSvodSumPrilH1>("SheetZh1", "Лист Ж1", &kTSvodSum::PropertySale,
                                               kSheetZh1Lines),
        Desc<kTSvodSumPrilH2, kTSheetH2Totals>("SheetZh2", "Лист Ж2", &kTSvodSum::ShareSale,
                                               kSheetZh2Lines),
        Desc<kTSvodSumPrilH2_In, kTSheetH2Totals>("SheetZh2Foreign", "Лист Ж2 (в валюте)",
                                                  &kTSvodSum::ShareSaleForeign, kSheetZh2Lines),
        Desc<kTSvodSumPrilJ, kTSvodSumPrilJ>("SheetZ", "Лист З", &kTSvodSum::Securities,
                                             kSheetZLines),
        Desc<kTSvodSumPrilK, kTSvodSumPrilK>("SheetI", "Лист И", &kTSvodSum::TrustSecurities,
                                             kSheetILines),
        Desc<kTSvodSumPrilE1, kTSvodSumPrilE1>("SheetK1", "Лист К1", &kTSvodSum::StandardDeductions,
                                               kSheetK1Lines),
        Desc<kTSvodSumPrilE2, kTSvodSumPrilE2>("SheetK2", "Лист К2", &kTSvodSum::SocialDeductions,
                                               kSheetK2Lines),
        Desc<kTSvodSumPrilE3, kTSvodSumPrilE3>("SheetK3", "Лист К3", &kTSvodSum::PensionInsurance,
                                               kSheetK3Lines),
        Desc<kTSvodSumPrilE4, kTSvodSumPrilE4>("SheetK4", "Лист К4", &kTSvodSum::PensionFunds,
                                               kSheetK4Lines),
        Desc<kTSvodSumPrilZ, kTSvodSumPrilZ>("SheetL", "Лист Л", &kTSvodSum::Housing, kSheetLLines),
    };
    return sheets;
}

const SheetDesc* FindSheet(std::string_view id) {
    for (const SheetDesc& sheet : Sheets()) {
        if (id == sheet.id) return &sheet;
    }
    return nullptr;
}

// Names of the amounts that have no line on the form.
std::string KeyName(std::string_view key) {
    static const std::pair<const char*, const char*> names[] = {
        {"Income", "доход"},
        {"TaxBase", "налоговая база"},
        {"TaxComputed", "налог исчислен"},
        {"TaxWithheld", "налог удержан"},
        {"PaidOnNotice", "уплачено по уведомлениям"},
        {"Refund", "к возврату"},
        {"Payment", "к уплате"},
        {"WithheldOnExempt", "удержано с материальной выгоды (2620)"},
        {"BirthAidIncome", "материальная помощь при рождении ребёнка (2762)"},
        {"BirthAidExempt", "её необлагаемая часть"},
        {"OwnTotal", "взносы в свою пользу"},
        {"RelativesTotal", "взносы в пользу родственников"},
    };
    for (const auto& [k, name] : names) {
        if (key == k) return name;
    }
    // The amounts of the tables of operations of sheets З and И, by table number.
    static const std::pair<const char*, const char*> tables[] = {
        {"Taxable", "налоговая база"},
        {"Profit", "финансовый результат"},
        {"LossOut", "убыток, переданный в лист З"},
        {"Loss", "убыток"},
        {"Carry1", "убыток таблицы 1, перенесённый в таблицу 2"},
        {"Carry6", "убыток таблицы 6, перенесённый в таблицу 1"},
        {"Used1In2", "убыток таблицы 1, учтённый в таблице 2"},
        {"Used6In1", "убыток таблицы 6, учтённый в таблице 1"},
    };
    for (const auto& [prefix, name] : tables) {
        const std::string_view p = prefix;
        if (key.rfind(p, 0) != 0) continue;
        const std::string_view rest = key.substr(p.size());
        if (rest.empty()) return name;
        if (rest.size() == 1 && rest[0] >= '1' && rest[0] <= '6')
            return std::string(name) + ", таблица " + std::string(rest);
    }
    return std::string(key);
}

std::string LineTitle(const SheetDesc& sheet, const LineEntry& line) {
    if (line.code != nullptr) return std::string(sheet.title) + ", строка " + line.code;
    return std::string(sheet.title) + ", " + KeyName(line.key);
}

// ---- The explanations -------------------------------------------------------------

class Explainer {
  public:
    Explainer(const mTDeclaration& d, const kTSvodSum& s) : d_(d), s_(s) {}

    std::optional<TExplainNode> Line(std::string_view id) const {
        const size_t dot = id.find('.');
        if (dot == std::string_view::npos) return std::nullopt;
        const std::string_view sheetId = id.substr(0, dot);
        const std::string_view key = id.substr(dot + 1);
        if (sheetId == "Section6") return Section6Row(key);
        const SheetDesc* sheet = FindSheet(sheetId);
        if (sheet == nullptr) return std::nullopt;
        for (const LineEntry& line : sheet->lines(s_)) {
            if (line.key != key) continue;
            TExplainNode node;
            node.id = std::string(id);
            node.line = LineTitle(*sheet, line);
            node.amount = line.amount;
            Detail(node, sheetId, key);
            return node;
        }
        return std::nullopt;
    }

  private:
    // A line that the explanation of another line adds up; it must exist.
    TExplainNode Ref(const std::string& id) const {
        std::optional<TExplainNode> node = Line(id);
        if (!node) throw std::logic_error("no line " + id + " to explain a total by");
        return std::move(*node);
    }

    void Detail(TExplainNode& n, std::string_view sheet, std::string_view key) const {
        // A 4-NDFL declaration has no totals to explain.
        if (d_.DeclarationKind == kEstimated4NDFL) return;
        if (sheet == "Section1") return Section1(n, key);
        if (sheet == "Section2") return Section2(n, key);
        if (sheet == "Section3") return Section3(n, key);
        if (sheet == "Section4") return Section4(n, key);
        if (sheet == "Base15") return Base15(n, key);
        if (sheet == "SheetA13" || sheet == "SheetA30") return SheetAThirteen(n, key);
        if (sheet == "SheetA9" || sheet == "SheetA15") return SheetADividends(n, key, sheet);
        if (sheet == "SheetA35") return SheetAThirtyFive(n, key);
        if (sheet == "SheetB13") return SheetB(n, key, s_.Foreign13);
        if (sheet == "SheetB9") return SheetB(n, key, s_.Foreign9);
        if (sheet == "SheetB35") return SheetB(n, key, s_.Foreign35);
        if (sheet == "SheetV1") return SheetV1(n, key);
        if (sheet == "SheetV2") return SheetV2(n, key);
        if (sheet == "SheetG") return SheetG(n, key);
        if (sheet == "SheetGBenefit") return Benefit(n);
        if (sheet == "SheetD")
            return RowRefSheet(n, key, s_.AuthorFees, "авторские вознаграждения");
        if (sheet == "SheetDForeign")
            return RowRefSheet(n, key, s_.AuthorFeesForeign, "авторские вознаграждения");
        if (sheet == "SheetE") return RowRefSheet(n, key, s_.CivilContracts, "договоры ГПХ");
        if (sheet == "SheetEForeign")
            return RowRefSheet(n, key, s_.CivilContractsForeign, "договоры ГПХ");
        if (sheet == "SheetZh1") return SheetZh1(n, key);
        if (sheet == "SheetZh2") return SheetZh2(n, key, "SheetZh2", false);
        if (sheet == "SheetZh2Foreign") return SheetZh2(n, key, "SheetZh2Foreign", true);
        if (sheet == "SheetZ") return Securities(n, key, s_.Securities, sheet);
        if (sheet == "SheetI") return Securities(n, key, s_.TrustSecurities, sheet);
        if (sheet == "SheetK1") return SheetK1(n, key);
        if (sheet == "SheetK2") return SheetK2(n, key);
        if (sheet == "SheetK3") return PensionSheet(n, key, 1, 2);
        if (sheet == "SheetK4") return PensionSheet(n, key, 3, 4);
        if (sheet == "SheetL") return SheetL(n, key);
    }

    // n = the listed lines, each added (+) or subtracted (-).
    void SumOfLines(TExplainNode& n,
                    std::initializer_list<std::pair<const char*, int>> lines) const {
        for (const auto& [id, sign] : lines) Add(n, Ref(id), sign);
    }

    // The advance payments on notices under one of the codes.
    void Notices(TExplainNode& n, std::string_view code1, std::string_view code2 = {}) const {
        n.words = "уплачено по уведомлениям с КБК " + std::string(code1) +
                  (code2.empty() ? "" : " и " + std::string(code2));
        for (size_t i = 0; i < d_.NalogCount(); ++i) {
            const mTNalog& notice = d_.Nalog(i);
            if (notice.BudgetCode != code1 && (code2.empty() || notice.BudgetCode != code2))
                continue;
            Add(n, Record("Платёж по уведомлению, КБК " + notice.BudgetCode, notice.BudgetCodeName,
                          notice.Amount, Target(Kind::AdvancePayment, i)));
        }
    }

    // Refund or payment: what was paid less the tax, or the tax less what was paid.
    void Difference(TExplainNode& n, std::string words,
                    std::initializer_list<std::pair<const char*, int>> lines) const {
        n.words = std::move(words);
        SumOfLines(n, lines);
        CutBy(n, kNotBelowZero);
    }

    // ---- Sections ----

    void Section1(TExplainNode& n, std::string_view key) const {
        if (d_.DeclarationKind != kResident3NDFL) return;
        if (key == "L010") {
            n.words =
                "Раздел 1, строка 010 = доходы листа А (13 %) + листа В1 + листа В2 + "
                "листа Б (13 %)";
            SumOfLines(n, {{"SheetA13.L080", 1},
                           {"SheetV1.L230", 1},
                           {"SheetV2.L210", 1},
                           {"SheetB13.L150", 1}});
        } else if (key == "L020") {
            n.words = "Раздел 1, строка 020 = необлагаемые доходы части 1 листа Г";
            SumOfLines(n, {{"SheetG.L130", 1}});
        } else if (key == "L030") {
            n.words = "Раздел 1, строка 030 = строка 010 - строка 020";
            SumOfLines(n, {{"Section1.L010", 1}, {"Section1.L020", -1}});
        } else if (key == "L040") {
            n.words =
                "Раздел 1, строка 040 = вычеты стандартные + социальные + имущественные "
                "(продажа имущества и долей, жильё) + по ценным бумагам + "
                "профессиональные";
            SumOfLines(n, {{"SheetK1.L220", 1},
                           {"SheetK2.L130", 1},
                           {"SheetZh1.L210", 1},
                           {"SheetZh2.L130", 1},
                           {"SheetZh2Foreign.L130", 1},
                           {"SheetL.L180", 1},
                           {"SheetL.L190", 1},
                           {"SheetL.L210", 1},
                           {"SheetL.L220", 1},
                           {"SheetZ.L430", 1},
                           {"SheetI.L420", 1},
                           {"SheetV1.L240", 1},
                           {"SheetV2.L220", 1},
                           {"SheetD.L110", 1},
                           {"SheetDForeign.L110", 1},
                           {"SheetE.L070", 1},
                           {"SheetEForeign.L070", 1}});
        } else if (key == "L050") {
            n.words = "Раздел 1, строка 050 = строка 030 - строка 040, не меньше 0";
            SumOfLines(n, {{"Section1.L030", 1}, {"Section1.L040", -1}});
            CutBy(n, kNotBelowZero);
        } else if (key == "L060") {
            n.words = "Раздел 1, строка 060 = строка 050 × 13 %, в целых рублях";
            TaxOn(n, Ref("Section1.L050"), L::kRateMain);
        } else if (key == "L070") {
            n.words = "Раздел 1, строка 070 = налог, удержанный налоговыми агентами (лист А)";
            SumOfLines(n, {{"SheetA13.L110", 1}});
        } else if (key == "L075") {
            n.words = "Раздел 1, строка 075 = авансовые платежи по листам В1 и В2";
            SumOfLines(n, {{"SheetV1.L260", 1}, {"SheetV2.L240", 1}});
        } else if (key == "L080") {
            Notices(n, L::kKbkSelfEmployed, L::kKbkAgents);
        } else if (key == "L090") {
            n.words = "Раздел 1, строка 090 = налог, уплаченный за рубежом и зачтённый (лист Б)";
            SumOfLines(n, {{"SheetB13.L180", 1}});
        } else if (key == "L100") {
            Difference(n,
                       "Раздел 1, строка 100 = строки 070 + 075 + 080 - строка 060, если больше "
                       "0 (налог, уплаченный за рубежом, не возвращается)",
                       {{"Section1.L070", 1},
                        {"Section1.L075", 1},
                        {"Section1.L080", 1},
                        {"Section1.L060", -1}});
        } else if (key == "L110") {
            Difference(n,
                       "Раздел 1, строка 110 = строка 060 - строки 070, 075, 080, 090, если "
                       "больше 0",
                       {{"Section1.L060", 1},
                        {"Section1.L070", -1},
                        {"Section1.L075", -1},
                        {"Section1.L080", -1},
                        {"Section1.L090", -1}});
        }
    }

    void Section2(TExplainNode& n, std::string_view key) const {
        if (key == "L010") {
            n.words = "Раздел 2, строка 010 = доходы листа А (30 %)";
            SumOfLines(n, {{"SheetA30.L080", 1}});
        } else if (key == "L020") {
            n.words = "Раздел 2, строка 020 = необлагаемые доходы листа Г (части 1 и 2)";
            if (d_.DeclarationKind == kNonResident3NDFL)
                SumOfLines(n, {{"SheetG.L130", 1}, {"SheetG.L170", 1}});
        } else if (key == "L030") {
            n.words = "Раздел 2, строка 030 = строка 010 - строка 020";
            SumOfLines(n, {{"Section2.L010", 1}, {"Section2.L020", -1}});
        } else if (key == "L040") {
            n.words = "Раздел 2, строка 040 = расходы по ценным бумагам (листы З и И)";
            if (d_.DeclarationKind == kNonResident3NDFL)
                SumOfLines(n, {{"SheetZ.L430", 1}, {"SheetI.L420", 1}});
        } else if (key == "L050") {
            n.words = "Раздел 2, строка 050 = строка 030 - строка 040, не меньше 0";
            SumOfLines(n, {{"Section2.L030", 1}, {"Section2.L040", -1}});
            CutBy(n, kNotBelowZero);
        } else if (key == "L060") {
            n.words = "Раздел 2, строка 060 = строка 050 × 30 %, в целых рублях";
            TaxOn(n, Ref("Section2.L050"), L::kRateNonResident);
        } else if (key == "L070") {
            n.words = "Раздел 2, строка 070 = налог, удержанный налоговыми агентами (лист А)";
            if (d_.DeclarationKind == kNonResident3NDFL) SumOfLines(n, {{"SheetA30.L110", 1}});
        } else if (key == "L080") {
            Notices(n, L::kKbkNonResident);
        } else if (key == "L090") {
            Difference(n, "Раздел 2, строка 090 = строки 070 + 080 - строка 060, если больше 0",
                       {{"Section2.L070", 1}, {"Section2.L080", 1}, {"Section2.L060", -1}});
        } else if (key == "L100") {
            Difference(n, "Раздел 2, строка 100 = строка 060 - строки 070, 080, если больше 0",
                       {{"Section2.L060", 1}, {"Section2.L070", -1}, {"Section2.L080", -1}});
        }
    }

    void Section3(TExplainNode& n, std::string_view key) const {
        if (d_.DeclarationKind != kResident3NDFL) return;
        if (key == "L010") {
            n.words = "Раздел 3, строка 010 = доходы листа А (35 %) + листа Б (35 %)";
            SumOfLines(n, {{"SheetA35.L080", 1}, {"SheetB35.L150", 1}});
        } else if (key == "L020") {
            n.words = "Раздел 3, строка 020 = необлагаемые призы части 2 листа Г";
            SumOfLines(n, {{"SheetG.L170", 1}});
        } else if (key == "L030") {
            n.words = "Раздел 3, строка 030 = строка 010 - строка 020, не меньше 0";
            SumOfLines(n, {{"Section3.L010", 1}, {"Section3.L020", -1}});
            CutBy(n, kNotBelowZero);
        } else if (key == "L040") {
            n.words = "Раздел 3, строка 040 = строка 030 × 35 %, в целых рублях";
            TaxOn(n, Ref("Section3.L030"), L::kRatePrizes);
        } else if (key == "L050") {
            n.words = "Раздел 3, строка 050 = налог, удержанный налоговыми агентами (лист А)";
            SumOfLines(n, {{"SheetA35.L110", 1}});
        } else if (key == "WithheldOnExempt") {
            n.words =
                "налог, удержанный с необлагаемой материальной выгоды (2620), "
                "возвращается полностью";
            SumOfLines(n, {{"SheetGBenefit.TaxWithheld", 1}});
        } else if (key == "L060") {
            Notices(n, L::kKbkPrizes);
        } else if (key == "L070") {
            n.words = "Раздел 3, строка 070 = налог, уплаченный за рубежом и зачтённый (лист Б)";
            SumOfLines(n, {{"SheetB35.L180", 1}});
        } else if (key == "L080") {
            Difference(n,
                       "Раздел 3, строка 080 = строки 050 + 060 + удержанное с выгоды - строка "
                       "040, если больше 0",
                       {{"Section3.L050", 1},
                        {"Section3.L060", 1},
                        {"Section3.WithheldOnExempt", 1},
                        {"Section3.L040", -1}});
        } else if (key == "L090") {
            Difference(n,
                       "Раздел 3, строка 090 = строка 040 - строки 050, 060, 070 и удержанное с "
                       "выгоды, если больше 0",
                       {{"Section3.L040", 1},
                        {"Section3.L050", -1},
                        {"Section3.L060", -1},
                        {"Section3.L070", -1},
                        {"Section3.WithheldOnExempt", -1}});
        }
    }

    void Section4(TExplainNode& n, std::string_view key) const {
        if (d_.DeclarationKind != kResident3NDFL) return;
        if (key == "L010") {
            n.words = "Раздел 4, строка 010 = дивиденды листа А (9 %) + листа Б (9 %)";
            SumOfLines(n, {{"SheetA9.L080", 1}, {"SheetB9.L150", 1}});
        } else if (key == "L020") {
            n.words = "Раздел 4, строка 020 = облагаемые дивиденды листа А + доход листа Б (9 %)";
            SumOfLines(n, {{"SheetA9.L090", 1}, {"SheetB9.L150", 1}});
        } else if (key == "L030") {
            n.words = "Раздел 4, строка 030 = налог, исчисленный на листе А (9 %) и на листе Б";
            SumOfLines(n, {{"SheetA9.L100", 1}, {"SheetB9.L170", 1}});
        } else if (key == "L040") {
            n.words = "Раздел 4, строка 040 = налог, удержанный налоговыми агентами (лист А)";
            SumOfLines(n, {{"SheetA9.L110", 1}});
        } else if (key == "L050") {
            Notices(n, L::kKbkNineOther, L::kKbkDividends);
        } else if (key == "L060") {
            n.words = "Раздел 4, строка 060 = налог, уплаченный за рубежом и зачтённый (лист Б)";
            SumOfLines(n, {{"SheetB9.L180", 1}});
        } else if (key == "L070") {
            Difference(n, "Раздел 4, строка 070 = строки 040 + 050 - строка 030, если больше 0",
                       {{"Section4.L040", 1}, {"Section4.L050", 1}, {"Section4.L030", -1}});
        } else if (key == "L080") {
            Difference(n, "Раздел 4, строка 080 = строка 030 - строки 040, 050, 060, если больше 0",
                       {{"Section4.L030", 1},
                        {"Section4.L040", -1},
                        {"Section4.L050", -1},
                        {"Section4.L060", -1}});
        }
    }

    void Base15(TExplainNode& n, std::string_view key) const {
        if (d_.DeclarationKind != kNonResident3NDFL) return;
        if (key == "Income") {
            n.words = "дивиденды нерезидента (лист А, 15 %)";
            SumOfLines(n, {{"SheetA15.L080", 1}});
        } else if (key == "TaxBase") {
            n.words = "облагаемые дивиденды нерезидента (лист А, 15 %)";
            SumOfLines(n, {{"SheetA15.L090", 1}});
        } else if (key == "TaxComputed") {
            n.words = "налоговая база × 15 %, в целых рублях";
            TaxOn(n, Ref("Base15.TaxBase"), L::kRateDividendsNonRes);
        } else if (key == "TaxWithheld") {
            n.words = "налог, удержанный налоговыми агентами";
            SumOfLines(n, {{"SheetA15.L110", 1}});
        } else if (key == "PaidOnNotice") {
            Notices(n, L::kKbkDividendsNonRes);
        } else if (key == "Refund") {
            Difference(n, "удержано + уплачено - налог, если больше 0",
                       {{"Base15.TaxWithheld", 1},
                        {"Base15.PaidOnNotice", 1},
                        {"Base15.TaxComputed", -1}});
        } else if (key == "Payment") {
            Difference(n, "налог - удержано - уплачено, если больше 0",
                       {{"Base15.TaxComputed", 1},
                        {"Base15.TaxWithheld", -1},
                        {"Base15.PaidOnNotice", -1}});
        }
    }

    // ---- Section 6 ----

    struct RowPlan {
        std::string code, okato;
        std::vector<TExplainNode> parts;
        Money Total() const {
            Money total;
            for (const TExplainNode& part : parts) total += part.amount;
            return total;
        }
    };

    // The rows of section 6 built again with what each is made of, in the order
    // in which the totals build them.
    std::vector<RowPlan> Section6Plan() const {
        std::vector<RowPlan> rows;
        const std::string& own = d_.Person.OKATO;
        const std::string agents = L::kKbkAgents;
        const std::string selfEmployed = L::kKbkSelfEmployed;
        if (!s_.Section1.L100.IsZero()) {
            Money r = s_.Section1.L100;
            Money advances;
            if (d_.HasIncome(kIncomeBusiness) && d_.BusinessCount() > 0 &&
                d_.AdvanceActual > Money())
                advances = d_.AdvanceActual;
            if (d_.HasIncome(kIncomeRepetit) && d_.RepetitCount() > 0 && d_.RepetitTotal1 > Money())
                advances += d_.RepetitTotal1;
            if (advances > Money()) {
                const Money part = Min(advances, r);
                const bool business = d_.HasIncome(kIncomeBusiness) && d_.BusinessCount() > 0;
                rows.push_back(
                    {selfEmployed,
                     own,
                     {Record("Авансовые платежи", "возврат уплаченных авансов", part,
                             Target(business ? Kind::Business : Kind::PrivatePractice))}});
                r -= part;
            }
            for (size_t i = 0; i < d_.ThirteenPercentCount() && r > Money(); ++i) {
                const mTThirteenPercent& source = d_.ThirteenPercent(i);
                if (source.TaxWithheld <= Money()) continue;
                const Money part = Min(source.TaxWithheld, r);
                TExplainNode node = Record(SourceTitle(source),
                                           "возврат налога, удержанного агентом (удержано " +
                                               Grouped(source.TaxWithheld) + ")",
                                           part, Target(Kind::ThirteenSource, i));
                bool merged = false;
                for (RowPlan& row : rows) {
                    if (row.code == agents && row.okato == source.OKATO) {
                        row.parts.push_back(std::move(node));
                        merged = true;
                        break;
                    }
                }
                if (!merged) rows.push_back({agents, source.OKATO, {std::move(node)}});
                r -= part;
            }
            std::string noticeCode;
            if (r > Money()) {
                for (size_t i = 0; i < d_.NalogCount() && noticeCode.empty(); ++i) {
                    const std::string& code = d_.Nalog(i).BudgetCode;
                    if (code == agents || code == selfEmployed) noticeCode = code;
                }
                Money paid;
                std::optional<TExplainTarget> first;
                for (size_t i = 0; i < d_.NalogCount(); ++i) {
                    if (d_.Nalog(i).BudgetCode != noticeCode) continue;
                    paid += d_.Nalog(i).Amount;
                    if (!first) first = Target(Kind::AdvancePayment, i);
                }
                if (!noticeCode.empty() && paid > Money()) {
                    const Money part = Min(paid, r);
                    rows.push_back({noticeCode,
                                    own,
                                    {Record("Платежи по уведомлениям",
                                            "возврат уплаченного по уведомлениям", part, first)}});
                    r -= part;
                }
            }
            if (r > Money()) {
                rows.push_back({noticeCode != agents ? agents : selfEmployed,
                                own,
                                {Record("Остаток возврата", "остаток строки 100 раздела 1", r)}});
            }
        }
        if (!s_.Section1.L110.IsZero()) {
            Money t = s_.Section1.L110;
            if (d_.HasIncome(kIncomeBusiness) || d_.HasIncome(kIncomeRepetit)) {
                const Money own13 =
                    TaxAtRate(s_.Business.Income + s_.PrivatePractice.Income -
                                  s_.Business.Deduction - s_.PrivatePractice.Deduction,
                              L::kRateMain) -
                    s_.Business.AdvancePaid - s_.PrivatePractice.AdvancePaid;
                if (own13 > Money()) {
                    const Money part = Min(own13, t);
                    rows.push_back({selfEmployed,
                                    own,
                                    {Record("Налог с предпринимательской деятельности",
                                            "налог по листам В1 и В2 за вычетом авансов", part)}});
                    t -= part;
                }
            }
            if (t > Money()) {
                rows.push_back(
                    {agents, own, {Record("Остаток к уплате", "остаток строки 110 раздела 1", t)}});
            }
        }
        const auto refundOrPay = [&](const char* code, const std::string& okato,
                                     const char* refundId, Money refund, const char* payId,
                                     Money payment) {
            if (!refund.IsZero()) rows.push_back({code, okato, {Ref(refundId)}});
            if (!payment.IsZero()) rows.push_back({code, own, {Ref(payId)}});
        };
        refundOrPay(L::kKbkPrizes, s_.OkatoThirtyFive, "Section3.L080", s_.Section3.L080,
                    "Section3.L090", s_.Section3.L090);
        refundOrPay(L::kKbkNonResident, s_.OkatoThirteen, "Section2.L090", s_.Section2.L090,
                    "Section2.L100", s_.Section2.L100);
        refundOrPay(L::kKbkDividends, s_.OkatoDividends, "Section4.L070", s_.Section4.L070,
                    "Section4.L080", s_.Section4.L080);
        refundOrPay(L::kKbkDividendsNonRes, s_.OkatoFifteen, "Base15.Refund", s_.Base15.Refund,
                    "Base15.Payment", s_.Base15.Payment);
        return rows;
    }

    std::optional<TExplainNode> Section6Row(std::string_view key) const {
        if (key.size() < 4 || key.substr(0, 3) != "Row") return std::nullopt;
        size_t number = 0;
        for (char c : key.substr(3)) {
            if (c < '0' || c > '9' || number > s_.Section6.Rows.size()) return std::nullopt;
            number = number * 10 + static_cast<size_t>(c - '0');
        }
        if (number == 0 || number > s_.Section6.Rows.size() || key[3] == '0') return std::nullopt;
        const bmTList1& row = s_.Section6.Rows[number - 1];
        TExplainNode n;
        n.id = "Section6.Row" + std::to_string(number);
        n.line = "Раздел 6, строка " + std::to_string(number) + ": КБК " + row.BudgetCode +
                 ", ОКАТО " + row.OKATO;
        n.amount = row.Amount;
        n.words = row.Sign == "1"   ? "к уплате в бюджет"
                  : row.Sign == "2" ? "к возврату из бюджета"
                                    : "ни к уплате, ни к возврату";
        // The plan follows the totals; were they ever to part ways, the row keeps
        // its amount without a breakdown rather than show a wrong one.
        const std::vector<RowPlan> plan = Section6Plan();
        if (plan.size() == s_.Section6.Rows.size()) {
            const RowPlan& rowPlan = plan[number - 1];
            if (rowPlan.code == row.BudgetCode && rowPlan.okato == row.OKATO &&
                rowPlan.Total() == row.Amount) {
                for (const TExplainNode& part : rowPlan.parts) Add(n, part);
            }
        }
        return n;
    }

    // ---- Sheet А ----

    void SheetAThirteen(TExplainNode& n, std::string_view key) const {
        const bool resident = d_.DeclarationKind == kResident3NDFL;
        if (resident != (n.id.rfind("SheetA13", 0) == 0)) return;
        n.words = key == "L080" ? "доходы всех источников выплаты"
                  : key == "L090" ? "облагаемый доход по всем источникам"
                  : key == "L100" ? "налог, исчисленный всеми источниками"
                                  : "налог, удержанный всеми источниками";
        for (size_t i = 0; i < d_.ThirteenPercentCount(); ++i) {
            const mTThirteenPercent& source = d_.ThirteenPercent(i);
            TExplainNode node =
                Record(SourceTitle(source), "", Money(), Target(Kind::ThirteenSource, i));
            if (key == "L080") {
                node.words = "доход по строкам источника";
                for (size_t j = 0; j < source.IncomeCount(); ++j) {
                    const mTSourseIncome& line = source.Income(j);
                    node.amount += line.IncomeSum;
                    Add(node,
                        Record("Доход с кодом " + std::to_string(line.IncomeCode) +
                                   (line.Month != 0 ? ", месяц " + std::to_string(line.Month & 0x7F)
                                                    : ""),
                               line.IncomeName, line.IncomeSum, Target(Kind::ThirteenLine, i, j)));
                }
            } else if (key == "L090") {
                node.words = "облагаемый доход источника";
                node.amount = source.TaxableIncome;
            } else if (key == "L100") {
                node.words = "исчислено источником";
                node.amount = source.TaxComputed;
            } else {
                node.words = "удержано источником";
                node.amount = source.TaxWithheld;
            }
            Add(n, std::move(node));
        }
    }

    void SheetADividends(TExplainNode& n, std::string_view key, std::string_view sheet) const {
        const bool resident = d_.DeclarationKind == kResident3NDFL;
        if (resident != (sheet == "SheetA9")) return;
        n.words = key == "L080" ? "дивиденды всех источников"
                  : key == "L090" ? "облагаемые дивиденды всех источников"
                  : key == "L100" ? "налог, исчисленный по всем источникам"
                                  : "налог, удержанный всеми источниками";
        for (size_t i = 0; i < d_.ThirtyPercentCount(); ++i) {
            const mTThirtyPercent& source = d_.ThirtyPercent(i);
            TExplainNode node = Record(SourceTitle(source), "", Money(), Target(Kind::Dividend, i));
            if (key == "L080") {
                node.words = "дивиденды";
                node.amount = source.IncomeTotal;
            } else if (key == "L090") {
                node.words = "облагаемые дивиденды";
                node.amount = source.TaxableIncome;
            } else if (key == "L100" && resident) {
                node.words = "исчислено источником";
                node.amount = source.TaxComputed;
            } else if (key == "L100") {
                node.words = "облагаемые дивиденды × 15 %, в целых рублях";
                node.amount = TaxAtRate(source.TaxableIncome, L::kRateDividendsNonRes);
                TaxOn(node, Record("Облагаемые дивиденды", "", source.TaxableIncome),
                      L::kRateDividendsNonRes);
            } else {
                node.words = "удержано источником";
                node.amount = source.TaxWithheld;
            }
            Add(n, std::move(node));
        }
    }

    void SheetAThirtyFive(TExplainNode& n, std::string_view key) const {
        if (d_.DeclarationKind != kResident3NDFL) return;
        n.words = key == "L080"   ? "доходы всех источников (35 %), кроме материальной выгоды 2620"
                  : key == "L090" ? "облагаемый доход: доход за вычетом необлагаемых призов листа Г"
                  : key == "L100" ? "налог по каждому источнику: облагаемый доход × 35 %"
                                  : "налог, удержанный всеми источниками";
        size_t prizeRow = 0;
        for (size_t i = 0; i < d_.ThirtyFivePercentCount(); ++i) {
            const mTThirtyFivePercent& source = d_.ThirtyFivePercent(i);
            if (source.IncomeCode == codes::kMaterialBenefit) continue;
            Money exempt;
            if (source.IncomeCode == codes::kAdvertisingPrizes && source.DeductCode != 0) {
                if (prizeRow < s_.Exempt.Rows.size()) exempt = s_.Exempt.Rows[prizeRow].Exempt;
                ++prizeRow;
            }
            const Money taxable = source.IncomeTotal - exempt;
            TExplainNode node =
                Record(SourceTitle(source), "", Money(), Target(Kind::ThirtyFive, i));
            TExplainNode income = Record("Доход", "", source.IncomeTotal);
            TExplainNode free = Record("Необлагаемая часть приза (лист Г)", "", exempt);
            if (key == "L080") {
                node.words = "доход с кодом " + std::to_string(source.IncomeCode);
                node.amount = source.IncomeTotal;
            } else if (key == "L090") {
                node.words = "доход - необлагаемая часть";
                node.amount = taxable;
                if (!exempt.IsZero()) {
                    Add(node, income);
                    Add(node, free, -1);
                }
            } else if (key == "L100") {
                node.words = "облагаемый доход × 35 %, в целых рублях";
                node.amount = TaxAtRate(taxable, L::kRatePrizes);
                TaxOn(node, Record("Облагаемый доход", "", taxable), L::kRatePrizes);
            } else {
                node.words = "удержано источником";
                node.amount = source.TaxWithheld;
            }
            Add(n, std::move(node));
        }
    }

    // ---- Sheet Б ----

    void SheetB(TExplainNode& n, std::string_view key, const kTSvodSumPrilB& sheet) const {
        n.words = key == "L150" ? "доходы в рублях всех записей листа"
                  : key == "L160" ? "налог, уплаченный за рубежом, в рублях"
                  : key == "L170" ? "налог в России по каждой записи: (доход - вычет) × ставка"
                                  : "зачтено по каждой записи: уплаченное за рубежом, но не "
                                    "больше налога в России";
        if (!d_.HasIncome(kIncomeForeign)) return;
        size_t row = 0;
        for (size_t i = 0; i < d_.CurrencyIncomeCount() && row < sheet.Rows.size(); ++i) {
            const mTCurrencyIncome& record = d_.CurrencyIncome(i);
            if (record.IncomeRate != sheet.Rate || record.IncomeCode == codes::kMaterialBenefit)
                continue;
            const DohodCur& r = sheet.Rows[row++];
            const std::string title = (record.SourceName.empty() ? std::string("Доход из-за рубежа")
                                                                 : record.SourceName) +
                                      ", код " + std::to_string(record.IncomeCode);
            TExplainNode node = Record(title, "", Money(), Target(Kind::Foreign, i));
            if (key == "L150") {
                node.words = "доход в рублях";
                node.amount = r.IncomeInRubles;
            } else if (key == "L160") {
                node.words = "налог за рубежом в рублях";
                node.amount = r.TaxInRubles;
            } else if (key == "L170") {
                node.words = "(доход - вычет) × " + std::to_string(sheet.Rate) + " %";
                node.amount = r.TaxRF;
            } else {
                node.words = "налог за рубежом, не больше налога в России " + Grouped(r.TaxRF);
                node.amount = r.TaxCredit;
            }
            Add(n, std::move(node));
        }
    }

    // ---- Sheets В1 and В2 ----

    void SheetV1(TExplainNode& n, std::string_view key) const {
        if (!d_.HasIncome(kIncomeBusiness)) return;
        if (key == "L230" || key == "L240") {
            n.words = key == "L230" ? "доходы всех видов деятельности"
                                    : "профессиональный вычет: подтверждённые расходы или норматив "
                                      "20 %, не больше дохода";
            for (size_t i = 0; i < d_.BusinessCount(); ++i) {
                const mTBusinessNew& activity = d_.Business(i);
                const Money amount = key == "L230"                        ? activity.Income
                                     : activity.HasConfirmedExpenses == 1 ? activity.ExpenseItems[0]
                                                                          : activity.ExpenseTotal;
                Add(n,
                    Record(activity.ActivityKind == "1" || activity.ActivityKind.empty()
                               ? "Деятельность, код ОКВЭД " + activity.ActivityCode
                               : ActivityCaption(activity),
                           key == "L230" ? "доход" : "расходы", amount, Target(Kind::Business, i)));
            }
            if (key == "L240") CutBy(n, "ограничено доходом (строка 230)");
        } else {
            n.words = key == "L250" ? "начисленные авансовые платежи"
                                    : "фактически уплаченные авансовые платежи";
            if (d_.BusinessCount() > 0)
                Add(n, Record("Авансовые платежи", "по данным о предпринимательской деятельности",
                              n.amount, Target(Kind::Business, 0)));
        }
    }

    void SheetV2(TExplainNode& n, std::string_view key) const {
        if (!d_.HasIncome(kIncomeRepetit)) return;
        if (key == "L210" || key == "L220") {
            n.words = key == "L210" ? "доходы частной практики"
                                    : "расходы частной практики, не больше дохода";
            for (size_t i = 0; i < d_.RepetitCount(); ++i) {
                const mTRepetitNew& record = d_.Repetit(i);
                Add(n,
                    Record(record.Name.empty() ? "Частная практика" : record.Name,
                           key == "L210" ? "доход" : "расходы",
                           record.Values[key == "L210" ? 0 : 1], Target(Kind::PrivatePractice, i)));
            }
            if (key == "L220") CutBy(n, "ограничено доходом (строка 210)");
        } else {
            n.words = key == "L230" ? "начисленные авансовые платежи"
                                    : "фактически уплаченные авансовые платежи";
            if (d_.RepetitCount() > 0)
                Add(n, Record("Авансовые платежи", "по данным о частной практике", n.amount,
                              Target(Kind::PrivatePractice, 0)));
        }
    }

    // ---- Sheet Г ----

    // Income lines whose income code is code, whole or (with deductCode) their
    // exempt part within limit.
    void ExemptLines(TExplainNode& n, uint32_t code, uint32_t deductCode, Money limit) const {
        ForEachIncomeLine(d_, [&](const kTIncomeLine& line) {
            if (line.IncomeCode != code) return;
            if (deductCode != 0 && line.DeductCode != deductCode) return;
            TExplainNode node = IncomeLineNode(line);
            if (deductCode != 0) {
                const Money part = Min(line.Amount, limit);
                if (part != node.amount) {
                    node.before = node.amount;
                    node.limit = Limited(limit, "ст. 217 НК");
                    node.children.push_back(Record("Доход", "", node.amount));
                    node.amount = part;
                }
            }
            Add(n, std::move(node));
        });
    }

    TExplainNode IncomeLineNode(const kTIncomeLine& line) const {
        if (line.Currency) {
            const mTCurrencyIncome& record = d_.CurrencyIncome(line.Source);
            return Record((record.SourceName.empty() ? std::string("Доход из-за рубежа")
                                                     : record.SourceName) +
                              ", код " + std::to_string(line.IncomeCode),
                          "доход в рублях", line.Amount, Target(Kind::Foreign, line.Source));
        }
        const mTThirteenPercent& source = d_.ThirteenPercent(line.Source);
        return Record(SourceTitle(source) + ", код " + std::to_string(line.IncomeCode),
                      source.Income(line.Line).IncomeName, line.Amount,
                      Target(Kind::ThirteenLine, line.Source, line.Line));
    }

    void SheetG(TExplainNode& n, std::string_view key) const {
        struct Kindof {
            const char* income;
            const char* exempt;
            uint32_t code;
            uint32_t deduct;
            Money limit;
        };
        static const Kindof kinds[] = {
            {"L010", "L020", codes::kEmployerAid, 503, L::kExemptIncomeLimit},
            {"L030", "L040", codes::kDisabledAid, 506, L::kExemptIncomeLimit},
            {"L050", "L060", codes::kGifts, 501, L::kExemptIncomeLimit},
            {"L070", "L080", codes::kCompetitionPrizes, 502, L::kExemptIncomeLimit},
            {"L090", "L100", codes::kMedicines, 504, L::kExemptIncomeLimit},
            {"L110", "L120", codes::kItem33Aid, 507, L::kExemptItem33Limit},
        };
        const bool partOne = d_.ThirteenPercentCount() != 0 || d_.HasIncome(kIncomeForeign);
        for (const Kindof& kind : kinds) {
            if (key == kind.income) {
                n.words = "доходы с кодом " + std::to_string(kind.code);
                if (partOne) ExemptLines(n, kind.code, 0, Money());
                return;
            }
            if (key == kind.exempt) {
                n.words = "необлагаемая часть дохода с кодом " + std::to_string(kind.code) +
                          ", не больше " + Grouped(kind.limit) + " за год";
                if (partOne) ExemptLines(n, kind.code, kind.deduct, kind.limit);
                CutBy(n, Limited(kind.limit, "ст. 217 НК"));
                return;
            }
        }
        if (key == "BirthAidIncome" || key == "BirthAidExempt") {
            n.words = key == "BirthAidIncome" ? "материальная помощь при рождении ребёнка"
                                              : "её необлагаемая часть по вычету";
            if (!partOne) return;
            ForEachIncomeLine(d_, [&](const kTIncomeLine& line) {
                if (line.IncomeCode != codes::kBirthAid) return;
                if (key == "BirthAidIncome") {
                    Add(n, IncomeLineNode(line));
                } else if (line.DeductCode == codes::kBirthAidDeduction) {
                    TExplainNode node = IncomeLineNode(line);
                    node.words = "вычет по строке дохода";
                    node.amount = line.DeductSum;
                    Add(n, std::move(node));
                }
            });
        } else if (key == "L130") {
            n.words =
                "Лист Г, строка 130 = необлагаемые части: помощь при рождении + строки "
                "020, 040, 060, 080, 100, 120";
            SumOfLines(n, {{"SheetG.BirthAidExempt", 1},
                           {"SheetG.L020", 1},
                           {"SheetG.L040", 1},
                           {"SheetG.L060", 1},
                           {"SheetG.L080", 1},
                           {"SheetG.L100", 1},
                           {"SheetG.L120", 1}});
        } else if (key == "L170") {
            n.words = "необлагаемые части рекламных призов (2740), всего не больше " +
                      Grouped(L::kExemptIncomeLimit);
            const std::vector<TExplainTarget> targets = PrizeTargets();
            for (size_t k = 0; k < s_.Exempt.Rows.size(); ++k) {
                const Rec35& row = s_.Exempt.Rows[k];
                std::string title = row.SourceName.empty() ? "Приз" : row.SourceName;
                if (!row.INN.empty()) title += ", ИНН " + row.INN;
                Add(n, Record(title, "необлагаемая часть приза " + Grouped(row.Income), row.Exempt,
                              k < targets.size() ? std::optional(targets[k]) : std::nullopt));
            }
        }
    }

    // Where each row of sheet Г part 2 comes from, in the order the rows are built.
    std::vector<TExplainTarget> PrizeTargets() const {
        std::vector<TExplainTarget> targets;
        if (d_.DeclarationKind == kResident3NDFL) {
            for (size_t i = 0; i < d_.ThirtyFivePercentCount(); ++i) {
                const mTThirtyFivePercent& source = d_.ThirtyFivePercent(i);
                if (source.IncomeCode == codes::kAdvertisingPrizes && source.DeductCode != 0)
                    targets.push_back(Target(Kind::ThirtyFive, i));
            }
        }
        for (size_t i = 0; i < d_.ThirteenPercentCount(); ++i) {
            const mTThirteenPercent& source = d_.ThirteenPercent(i);
            for (size_t j = 0; j < source.IncomeCount(); ++j) {
                const mTSourseIncome& line = source.Income(j);
                if (line.IncomeCode == codes::kAdvertisingPrizes && line.DeductCode != 0)
                    targets.push_back(Target(Kind::ThirteenLine, i, j));
            }
        }
        return targets;
    }

    void Benefit(TExplainNode& n) const {
        n.words = "налог, удержанный с материальной выгоды (2620)";
        for (const Neo35& row : s_.BenefitWithheld.Rows) {
            std::string title = row.SourceName.empty() ? "Источник" : row.SourceName;
            if (!row.INN.empty()) title += ", ИНН " + row.INN;
            Add(n, Record(title, "удержано с выгоды " + Grouped(row.Income), row.TaxWithheld,
                          Target(Kind::ThirtyFive, row.SourceIndex)));
        }
    }

    // ---- Sheets Д and Е: rows with references to their income lines ----

    TExplainNode RefNode(const kTRowRef& ref, Money amount, const std::string& words) const {
        if (ref.Line == kTRowRef::kCurrencyLine) {
            const mTCurrencyIncome& record = d_.CurrencyIncome(ref.Source);
            return Record((record.SourceName.empty() ? std::string("Доход из-за рубежа")
                                                     : record.SourceName) +
                              ", код " + std::to_string(record.IncomeCode),
                          words, amount, Target(Kind::Foreign, ref.Source));
        }
        const mTThirteenPercent& source = d_.ThirteenPercent(ref.Source);
        const mTSourseIncome& line = source.Income(ref.Line);
        return Record(SourceTitle(source) + ", код " + std::to_string(line.IncomeCode), words,
                      amount, Target(Kind::ThirteenLine, ref.Source, ref.Line));
    }

    template <class Sheet>
    void RowRefSheet(TExplainNode& n, std::string_view key, const Sheet& sheet,
                     const char* what) const {
        const bool income = key == "L100" || key == "L060";
        n.words = income ? std::string(what) + ": доход по строкам"
                         : std::string(what) + ": расходы по строкам, не больше дохода";
        for (size_t k = 0; k < sheet.RowRefs.size() && k < sheet.Rows.size(); ++k) {
            const auto& row = sheet.Rows[k];
            Add(n, RefNode(sheet.RowRefs[k], income ? row.Income : row.Expense,
                           income ? "доход" : "расходы"));
        }
        if (!income) CutBy(n, "ограничено доходом листа");
    }

    // ---- Sheet Ж1 ----

    // Which line of sheet Ж1 an income line goes to: its income (first) and the
    // line of its deduction where the sheet counts it line by line (second).
    std::pair<const char*, const char*> Zh1Place(const kTIncomeLine& line) const {
        using namespace codes;
        const uint32_t code = line.IncomeCode, deduct = line.DeductCode;
        const bool housing = code == kSaleOfHousing, share = code == kSaleOfHousingShare,
                   other = code == kSaleOfOtherProperty;
        if (housing && deduct == kSaleHousingUnder3Years) return {"L010", nullptr};
        if (share && deduct == kSaleShareUnder3Years) return {"L030", "L040"};
        if ((housing || share) && deduct == kSaleExpenses) return {"L070", "L080"};
        if ((housing && deduct == kSaleHousing3Years) || (share && deduct == kSaleShare3Years))
            return {"L090", nullptr};
        if (other && deduct == kSaleOtherUnder3Years) return {"L130", "L140"};
        if (other && deduct == kSaleExpenses) return {"L150", "L160"};
        if (other && deduct == kSaleOther3Years) return {"L170", nullptr};
        return {nullptr, nullptr};
    }

    // The income lines of one line of sheet Ж1: their income, or their deduction
    // taken up to the income.
    void Zh1Lines(TExplainNode& n, std::string_view key, bool deduction) const {
        if (d_.DeclarationKind != kResident3NDFL) return;
        if (d_.ThirteenPercentCount() == 0 && !d_.HasIncome(kIncomeForeign)) return;
        ForEachIncomeLine(d_, [&](const kTIncomeLine& line) {
            const auto [incomeLine, deductionLine] = Zh1Place(line);
            if ((deduction ? deductionLine : incomeLine) == nullptr) return;
            if (key != (deduction ? deductionLine : incomeLine)) return;
            TExplainNode node = IncomeLineNode(line);
            if (deduction) {
                node.words = "вычет по строке дохода";
                node.amount = key == "L160" ? line.DeductSum : Min(line.DeductSum, line.Amount);
            }
            Add(n, std::move(node));
        });
    }

    void SheetZh1(TExplainNode& n, std::string_view key) const {
        const std::string sale = Grouped(L::kSaleHousingLimit);
        if (key == "L010" || key == "L030" || key == "L070" || key == "L090" || key == "L130" ||
            key == "L150" || key == "L170") {
            n.words = "доходы от продажи по строкам дохода";
            Zh1Lines(n, key, false);
        } else if (key == "L020") {
            n.words = "вычет: строка 010, не больше " + sale;
            SumOfLines(n, {{"SheetZh1.L010", 1}});
            CutBy(n, Limited(L::kSaleHousingLimit, "ст. 220 НК"));
        } else if (key == "L040" || key == "L080") {
            n.words = key == "L040" ? "вычет по долям, не больше " + sale
                                    : "документально подтверждённые расходы";
            Zh1Lines(n, key, true);
            if (key == "L040") CutBy(n, Limited(L::kSaleHousingLimit, "ст. 220 НК"));
        } else if (key == "L050") {
            n.words = "строка 010 + строка 030";
            SumOfLines(n, {{"SheetZh1.L010", 1}, {"SheetZh1.L030", 1}});
        } else if (key == "L060") {
            n.words = "строка 020 + строка 040, не больше " + sale;
            SumOfLines(n, {{"SheetZh1.L020", 1}, {"SheetZh1.L040", 1}});
            CutBy(n, Limited(L::kSaleHousingLimit, "ст. 220 НК"));
        } else if (key == "L100") {
            n.words = "имущество в собственности 3 года и более: вычет в размере дохода";
            SumOfLines(n, {{"SheetZh1.L090", 1}});
        } else if (key == "L110") {
            n.words = "строки 050 + 070 + 090";
            SumOfLines(n, {{"SheetZh1.L050", 1}, {"SheetZh1.L070", 1}, {"SheetZh1.L090", 1}});
        } else if (key == "L120") {
            n.words = "строки 060 + 080 + 100";
            SumOfLines(n, {{"SheetZh1.L060", 1}, {"SheetZh1.L080", 1}, {"SheetZh1.L100", 1}});
        } else if (key == "L140") {
            n.words = "вычет по иному имуществу, не больше " + Grouped(L::kSaleOtherPropertyLimit);
            Zh1Lines(n, key, true);
            CutBy(n, Limited(L::kSaleOtherPropertyLimit, "ст. 220 НК"));
        } else if (key == "L160") {
            n.words = "подтверждённые расходы, не больше дохода строки 150";
            Zh1Lines(n, key, true);
            CutBy(n, "ограничено доходом (строка 150)");
        } else if (key == "L180") {
            n.words = "имущество в собственности 3 года и более: вычет в размере дохода";
            SumOfLines(n, {{"SheetZh1.L170", 1}});
        } else if (key == "L190") {
            n.words = "строки 130 + 150 + 170";
            SumOfLines(n, {{"SheetZh1.L130", 1}, {"SheetZh1.L150", 1}, {"SheetZh1.L170", 1}});
        } else if (key == "L200") {
            n.words = "строки 140 + 160 + 180";
            SumOfLines(n, {{"SheetZh1.L140", 1}, {"SheetZh1.L160", 1}, {"SheetZh1.L180", 1}});
        } else if (key == "L210") {
            n.words =
                "Лист Ж1, строка 210 = вычет по жилью (строка 120) + по иному имуществу "
                "(строка 200)";
            SumOfLines(n, {{"SheetZh1.L120", 1}, {"SheetZh1.L200", 1}});
        }
    }

    // ---- Sheet Ж2 ----

    void SheetZh2(TExplainNode& n, std::string_view key, const std::string& sheet,
                  bool currency) const {
        if (key == "L130") {
            n.words = "строка 060 + строка 120";
            SumOfLines(n, {{(sheet + ".L060").c_str(), 1}, {(sheet + ".L120").c_str(), 1}});
            return;
        }
        const bool share = key == "L060";
        const uint32_t wantIncome = share ? 1540 : 1550, wantDeduct = share ? 315 : 314;
        n.words = share ? "расходы на приобретение доли, не больше дохода по каждой продаже"
                        : "расходы по уступке права требования, не больше дохода по каждой";
        if (d_.DeclarationKind != kResident3NDFL) return;
        const auto add = [&](Money income, Money expense, TExplainNode node) {
            const Money accepted = Min(expense, income);
            node.words = "расходы " + Grouped(expense) + ", доход " + Grouped(income);
            node.amount = accepted;
            Add(n, std::move(node));
        };
        if (!currency) {
            for (size_t i = 0; i < d_.ThirteenPercentCount(); ++i) {
                const mTThirteenPercent& source = d_.ThirteenPercent(i);
                for (size_t j = 0; j < source.IncomeCount(); ++j) {
                    const mTSourseIncome& line = source.Income(j);
                    if (line.IncomeCode != wantIncome || line.DeductCode != wantDeduct) continue;
                    add(line.IncomeSum, line.DeductSum,
                        IncomeLineNode({i, j, false, line.IncomeCode, line.IncomeSum,
                                        line.DeductCode, line.DeductSum}));
                }
            }
        } else if (d_.HasIncome(kIncomeForeign)) {
            for (size_t i = 0; i < d_.CurrencyIncomeCount(); ++i) {
                const mTCurrencyIncome& r = d_.CurrencyIncome(i);
                if (r.IncomeCode != wantIncome || r.DeductCode != wantDeduct) continue;
                add(r.IncomeInRubles, r.DeductSum,
                    IncomeLineNode(
                        {i, 0, true, r.IncomeCode, r.IncomeInRubles, r.DeductCode, r.DeductSum}));
            }
        }
    }

    // ---- Sheets З and И ----

    // Sheet З (own operations) or И (a trust manager's): the totals of items
    // 4.1-4.3 and the profit and loss of each table by its rows.
    template <class Sheet>
    void Securities(TExplainNode& n, std::string_view key, const Sheet& sheet,
                    std::string_view id) const {
        const bool own = id == "SheetZ";
        const std::string prefix = std::string(id) + ".";
        const std::string income = own ? "L410" : "L400";
        const std::string taxable = own ? "L420" : "L410";
        const std::string expense = own ? "L430" : "L420";
        const auto rowTitle = [](const CBDoh& row, size_t table) {
            std::string title = row.SourceName.empty() ? "Операции" : row.SourceName;
            if (!row.INN.empty()) title += ", ИНН " + row.INN;
            return title + ", таблица " + std::to_string(table + 1);
        };
        if (key == income) {
            n.words = "доходы по операциям всех таблиц листа";
            for (size_t t = 0; t < sheet.Tables.size(); ++t) {
                for (const CBDoh& row : sheet.Tables[t]) {
                    Add(n, Record(rowTitle(row, t), "доход", row.Income));
                }
            }
        } else if (key == taxable) {
            n.words = "налоговые базы таблиц 1-6 после зачёта убытков";
            for (int t = 1; t <= 6; ++t) Add(n, Ref(prefix + "Taxable" + std::to_string(t)));
        } else if (key == expense) {
            n.words = "расходы, учтённые по листу: доходы (строка " + income.substr(1) +
                      ") - налоговая база (строка " + taxable.substr(1) + ")";
            Add(n, Ref(prefix + income));
            Add(n, Ref(prefix + taxable), -1);
        } else if (key.size() == 7 && (key.rfind("Profit", 0) == 0) && key[6] >= '1' &&
                   key[6] <= '6') {
            const size_t t = static_cast<size_t>(key[6] - '1');
            n.words = "прибыль по строкам таблицы: доход - расходы, где доход больше";
            for (const CBDoh& row : sheet.Tables[t]) {
                Add(n, Record(rowTitle(row, t),
                              "доход " + Grouped(row.Income) + ", расходы " + Grouped(row.Expense),
                              row.Profit));
            }
        } else if (key.size() == 5 && key.rfind("Loss", 0) == 0 && key[4] >= '1' && key[4] <= '6') {
            const size_t t = static_cast<size_t>(key[4] - '1');
            n.words = "убыток по строкам таблицы: расходы - доход, где расходы больше";
            for (const CBDoh& row : sheet.Tables[t]) {
                Add(n, Record(rowTitle(row, t),
                              "доход " + Grouped(row.Income) + ", расходы " + Grouped(row.Expense),
                              row.Loss));
            }
        }
    }

    // ---- Sheet К1 ----

    void SheetK1(TExplainNode& n, std::string_view key) const {
        const mTStandartDeduct& sd = d_.StandartDeduct;
        const auto standard = Target(Kind::StandardDeduction);
        const auto months = [](Money total, Money perMonth) {
            return perMonth.IsZero() ? std::string()
                                     : std::to_string(total.Raw() / perMonth.Raw()) + " мес.";
        };
        if (key == "L150") {
            n.words = Grouped(L::kStdDeduction3000) + " в месяц, " +
                      months(n.amount, L::kStdDeduction3000);
        } else if (key == "L160") {
            n.words =
                Grouped(L::kStdDeduction500) + " в месяц, " + months(n.amount, L::kStdDeduction500);
        } else if (key == "L170") {
            n.words = Grouped(L::kStdDeduction400) +
                      " в месяц, пока доход с начала года не больше " +
                      Grouped(L::kStdPersonalIncomeLimit);
        } else if (key == "L180" || key == "L190" || key == "L200" || key == "L210") {
            n.words = "на детей, пока доход с начала года не больше " +
                      Grouped(L::kChildIncomeLimit) + " (детей: " +
                      std::to_string(key == "L180" || key == "L190" ? sd.ChildrenCount
                                                                    : sd.DisabledChildrenCount) +
                      ")";
        } else if (key == "L220") {
            n.words = "Лист К1, строка 220 = строки 150-210, не больше дохода за год (строка 120)";
            SumOfLines(n, {{"SheetK1.L150", 1},
                           {"SheetK1.L160", 1},
                           {"SheetK1.L170", 1},
                           {"SheetK1.L180", 1},
                           {"SheetK1.L190", 1},
                           {"SheetK1.L200", 1},
                           {"SheetK1.L210", 1}});
            CutBy(n, "ограничено доходом за год (строка 120)");
            return;
        } else {
            n.words = "доход с начала года нарастающим итогом";
        }
        if (!n.amount.IsZero()) n.target = standard;
    }

    // ---- Sheets К2, К3 and К4 ----

    void SheetK2(TExplainNode& n, std::string_view key) const {
        const mTSocialDeduct& social = d_.SocialDeduct;
        const auto socialTarget = Target(Kind::SocialDeduction);
        if (d_.DeclarationKind != kResident3NDFL || social.Granted == 0) return;
        if (key == "L010") {
            n.words = "благотворительность, не больше " + std::to_string(L::kCharityPercent) +
                      " % дохода";
            Add(n, Record("Пожертвования", "", social.CharitySum, socialTarget));
            CutBy(n, "ограничено " + std::to_string(L::kCharityPercent) + " % дохода (ст. 219 НК)");
        } else if (key == "L020") {
            n.words =
                "обучение детей, не больше " + Grouped(L::kChildEducationLimit) + " на ребёнка";
            for (size_t i = 0; i < social.EducationSumCount(); ++i) {
                Add(n, Record("Обучение ребёнка " + std::to_string(i + 1), "",
                              social.EducationSum(static_cast<int>(i)),
                              Target(Kind::ChildEducation, i)));
            }
        } else if (key == "L030" || key == "L050" || key == "L060" || key == "L070") {
            n.words = key == "L030"   ? "дорогостоящее лечение"
                      : key == "L050" ? "собственное обучение"
                      : key == "L060" ? "лечение"
                                      : "договоры добровольного личного страхования";
            if (!n.amount.IsZero()) n.target = socialTarget;
        } else if (key == "L040") {
            n.words = "строки 010 + 020 + 030 (вне общего предела)";
            SumOfLines(n, {{"SheetK2.L010", 1}, {"SheetK2.L020", 1}, {"SheetK2.L030", 1}});
        } else if (key == "L080") {
            n.words = "пенсионное страхование в свою пользу (лист К3)";
            SumOfLines(n, {{"SheetK3.OwnTotal", 1}});
        } else if (key == "L090") {
            n.words = "пенсионное страхование в пользу родственников (лист К3)";
            SumOfLines(n, {{"SheetK3.RelativesTotal", 1}});
        } else if (key == "L100") {
            n.words = "негосударственное пенсионное обеспечение в свою пользу (лист К4)";
            SumOfLines(n, {{"SheetK4.OwnTotal", 1}});
        } else if (key == "L110") {
            n.words = "негосударственное пенсионное обеспечение родственников (лист К4)";
            SumOfLines(n, {{"SheetK4.RelativesTotal", 1}});
        } else if (key == "L120") {
            n.words = "строки 050-110, не больше " + Grouped(L::kSocialLimit);
            SumOfLines(n, {{"SheetK2.L050", 1},
                           {"SheetK2.L060", 1},
                           {"SheetK2.L070", 1},
                           {"SheetK2.L080", 1},
                           {"SheetK2.L090", 1},
                           {"SheetK2.L100", 1},
                           {"SheetK2.L110", 1}});
            CutBy(n, Limited(L::kSocialLimit, "ст. 219 НК"));
        } else if (key == "L130") {
            n.words = "Лист К2, строка 130 = строка 040 + строка 120";
            SumOfLines(n, {{"SheetK2.L040", 1}, {"SheetK2.L120", 1}});
        }
    }

    // The contracts of one sheet (kinds own and relatives), each with what the
    // social limit let it take, walked as the sheet walks them.
    void PensionSheet(TExplainNode& n, std::string_view key, uint32_t ownKind,
                      uint32_t relativesKind) const {
        const bool own = key == "OwnTotal";
        n.words = std::string(own ? "взносы в свою пользу" : "взносы в пользу родственников") +
                  ", в пределах остатка " + Grouped(L::kSocialLimit) +
                  " после строк 050-070 листа К2";
        const kTSvodSumPrilE3& insurance = s_.PensionInsurance;
        const kTSvodSumPrilE4& funds = s_.PensionFunds;
        const auto& rows = ownKind == 1 ? (own ? insurance.OwnRows : insurance.RelativesRows)
                                        : (own ? funds.OwnRows : funds.RelativesRows);
        const uint32_t kind = own ? ownKind : relativesKind;
        const mTSocialDeduct& social = d_.SocialDeduct;
        size_t row = 0;
        for (size_t i = 0; i < social.PensCount() && row < rows.size(); ++i) {
            const mTPens& contract = social.Pens(i);
            // The limit only shrinks, so the rows are the first contracts of the
            // kind; those after it ran out have none.
            if (contract.ContractKind != kind) continue;
            TExplainNode node = Record(
                (contract.Name.empty() ? std::string("Договор") : contract.Name) +
                    (contract.ContractNumber.empty() ? "" : ", договор " + contract.ContractNumber),
                "взносы " + Grouped(contract.Contributions), rows[row].Accepted,
                Target(Kind::PensionContract, i));
            if (rows[row].Accepted != contract.Contributions) {
                node.before = contract.Contributions;
                node.limit = Limited(L::kSocialLimit, "ст. 219 НК");
                node.children.push_back(Record("Взносы", "", contract.Contributions));
            }
            Add(n, std::move(node));
            ++row;
        }
    }

    // ---- Sheet Л ----

    void SheetL(TExplainNode& n, std::string_view key) const {
        const mTConstructionDeduct& h = d_.ConstructionDeduct;
        const auto dwelling = Target(Kind::PropertyDeduction);
        if (d_.DeclarationKind != kResident3NDFL || h.Granted == 0) return;
        const auto field = [&](const char* title, Money amount) {
            return Record(title, "", amount, dwelling);
        };
        if (key == "L080") {
            const Money limit =
                CivilFromDayNumber(h.RegistrationDate).year < L::kHousingLimitFirstYear
                    ? L::kHousingLimitBefore2008
                    : L::kHousingLimitFrom2008;
            n.words = "расходы на жильё, не больше " + Grouped(limit) + " × доля";
            std::string title =
                "Объект: " + (h.ObjectName.empty() ? std::string("жильё") : h.ObjectName);
            if (!h.City.empty()) title += ", " + h.City;
            if (!h.Street.empty()) title += ", " + h.Street;
            if (!h.House.empty()) title += ", д. " + h.House;
            if (!h.Flat.empty()) title += ", кв. " + h.Flat;
            Add(n, Record(title, "стоимость объекта", h.ObjectCost, dwelling));
            std::string note = Limited(limit, "ст. 220 НК");
            if (h.ShareDenominator > 1 || h.ShareNumerator != 1)
                note = "ограничено " + Grouped(limit) + " × доля " +
                       std::to_string(h.ShareNumerator) + "/" +
                       std::to_string(h.ShareDenominator == 0 ? 1 : h.ShareDenominator) +
                       " (ст. 220 НК)";
            CutBy(n, note);
        } else if (key == "L090") {
            n.words = "проценты по целевым кредитам";
            Add(n, field("Уплаченные проценты", h.CreditInterest));
        } else if (key == "L100") {
            n.words = "вычет прошлых лет по расходам = строка 110 + строка 120";
            SumOfLines(n, {{"SheetL.L110", 1}, {"SheetL.L120", 1}});
        } else if (key == "L130") {
            n.words = "вычет прошлых лет по процентам = строка 140 + строка 150";
            SumOfLines(n, {{"SheetL.L140", 1}, {"SheetL.L150", 1}});
        } else if (key == "L110" || key == "L120" || key == "L140" || key == "L150" ||
                   key == "L160" || key == "L170" || key == "L180" || key == "L190") {
            n.words = key == "L110" ? "вычет по расходам прошлых лет по декларациям"
                      : key == "L120" ? "вычет по расходам прошлых лет у налогового агента"
                      : key == "L140" ? "вычет по процентам прошлых лет по декларациям"
                      : key == "L150" ? "вычет по процентам прошлых лет у налогового агента"
                      : key == "L160" ? "остаток вычета по расходам с прошлого года"
                      : key == "L170" ? "остаток вычета по процентам с прошлого года"
                      : key == "L180" ? "вычет по расходам у налогового агента в этом году"
                                      : "вычет по процентам у налогового агента в этом году";
            if (!n.amount.IsZero()) n.target = dwelling;
        } else if (key == "L200") {
            n.words =
                "Лист Л, строка 200 = доходы по ставке 13 % - все прочие вычеты, не меньше "
                "0";
            SumOfLines(
                n, {{"SheetA13.L080", 1},  {"SheetB13.L150", 1},         {"SheetV1.L230", 1},
                    {"SheetV2.L210", 1},   {"SheetV1.L240", -1},         {"SheetV2.L220", -1},
                    {"SheetZh2.L130", -1}, {"SheetZh2Foreign.L130", -1}, {"SheetZh1.L210", -1},
                    {"SheetG.L130", -1},   {"SheetD.L110", -1},          {"SheetDForeign.L110", -1},
                    {"SheetE.L070", -1},   {"SheetEForeign.L070", -1},   {"SheetK2.L130", -1},
                    {"SheetK1.L220", -1},  {"SheetZ.L430", -1},          {"SheetI.L420", -1},
                    {"SheetL.L180", -1},   {"SheetL.L190", -1}});
            CutBy(n, kNotBelowZero);
        } else if (key == "L210") {
            n.words =
                "Лист Л, строка 210 = строка 080 - строка 100 - строка 180, не больше "
                "строки 200";
            SumOfLines(n, {{"SheetL.L080", 1}, {"SheetL.L100", -1}, {"SheetL.L180", -1}});
            CutBy(n, "ограничено налоговой базой (строка 200)");
        } else if (key == "L220") {
            n.words =
                "Лист Л, строка 220 = строка 090 + строка 170 - строка 190, не больше "
                "строки 200 - строка 210";
            SumOfLines(n, {{"SheetL.L090", 1}, {"SheetL.L170", 1}, {"SheetL.L190", -1}});
            CutBy(n, "ограничено остатком налоговой базы (строка 200 - строка 210)");
        } else if (key == "L230") {
            n.words = "остаток по расходам на следующий год = строка 080 - строки 100, 180, 210";
            SumOfLines(n, {{"SheetL.L080", 1},
                           {"SheetL.L100", -1},
                           {"SheetL.L180", -1},
                           {"SheetL.L210", -1}});
        } else if (key == "L240") {
            n.words =
                "остаток по процентам на следующий год = строки 090 + 170 - строки 190, "
                "220";
            SumOfLines(
                n,
                {{"SheetL.L090", 1}, {"SheetL.L170", 1}, {"SheetL.L190", -1}, {"SheetL.L220", -1}});
            CutBy(n, kNotBelowZero);
        }
    }

    const mTDeclaration& d_;
    const kTSvodSum& s_;
};

bool AnyAmount(const std::vector<LineEntry>& lines) {
    for (const LineEntry& line : lines) {
        if (!line.amount.IsZero()) return true;
    }
    return false;
}

bool IsSection(std::string_view id) {
    return id.rfind("Section", 0) == 0 || id == "Base15";
}

}  // namespace

std::vector<std::string> ExplainableLines(const kTSvodSum& totals) {
    // Section 1 stands for a declaration whose sections are all empty.
    bool anySection = false;
    for (const SheetDesc& sheet : Sheets()) {
        if (IsSection(sheet.id) && AnyAmount(sheet.lines(totals))) anySection = true;
    }
    std::vector<std::string> ids;
    for (const SheetDesc& sheet : Sheets()) {
        const std::string_view id = sheet.id;
        const std::vector<LineEntry> lines = sheet.lines(totals);
        if ((id == "Section1" && !anySection) || AnyAmount(lines)) {
            for (const LineEntry& line : lines) ids.push_back(std::string(id) + "." + line.key);
        }
        // Section 6 comes after the sections and before the sheets.
        if (id == "Base15") {
            for (size_t i = 1; i <= totals.Section6.Rows.size(); ++i)
                ids.push_back("Section6.Row" + std::to_string(i));
        }
    }
    return ids;
}

std::optional<TExplainNode> Explain(const mTDeclaration& d, const kTSvodSum& totals,
                                    std::string_view lineId) {
    return Explainer(d, totals).Line(lineId);
}

TExplainNode ExplainAll(const mTDeclaration& d, const kTSvodSum& totals) {
    TExplainNode root;
    root.line = "Декларация";
    root.words = "строки разделов";
    const Explainer explainer(d, totals);
    for (const std::string& id : ExplainableLines(totals)) {
        if (!IsSection(id.substr(0, id.find('.')))) continue;
        std::optional<TExplainNode> node = explainer.Line(id);
        if (!node) continue;
        node->sign = 0;
        root.children.push_back(std::move(*node));
    }
    return root;
}

}  // namespace zorv
