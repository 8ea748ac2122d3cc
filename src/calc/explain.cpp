// The lines of each section and sheet that can be explained, each found by its
// id and handed to the family that explains it (explaintree.h).

#include "calc/explain.h"

#include <functional>
#include <utility>

#include "calc/explaintree.h"

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

std::optional<TExplainNode> explain::Explainer::Line(std::string_view id) const {
    const size_t dot = id.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view sheetId = id.substr(0, dot);
    const std::string_view key = id.substr(dot + 1);
    if (sheetId == "Section6") return ExplainSection6Row(*this, key);
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

void explain::Explainer::Detail(TExplainNode& n, std::string_view sheet,
                                std::string_view key) const {
    // A 4-NDFL declaration has no totals to explain.
    if (d_.DeclarationKind == kEstimated4NDFL) return;
    // Each family fills in the lines of its own sheets.
    static constexpr FamilyLine* kFamilies[] = {ExplainSectionLine, ExplainIncomeLine,
                                                ExplainSaleLine,    ExplainSecuritiesLine,
                                                ExplainSocialLine,  ExplainHousingLine};
    for (FamilyLine* family : kFamilies) family(*this, n, sheet, key);
}

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
    return explain::Explainer(d, totals).Line(lineId);
}

TExplainNode ExplainAll(const mTDeclaration& d, const kTSvodSum& totals) {
    TExplainNode root;
    root.line = "Декларация";
    root.words = "строки разделов";
    const explain::Explainer explainer(d, totals);
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
