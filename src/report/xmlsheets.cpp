#include "report/xmlsheets.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <map>
#include <string_view>

#include "calc/housingsheet.h"
#include "calc/incomesheets.h"
#include "calc/salesheets.h"
#include "calc/sections.h"
#include "calc/securitysheets.h"
#include "calc/socialsheets.h"
#include "model/numtext.h"
#include "report/reportdata.h"
#include "storage/codepage.h"
#include "storage/daynumber.h"
#include "storage/money.h"

namespace zorv {
namespace {

// ---- the file as a tree ----

struct XNode {
    std::string name;
    std::string
        path;  // "Файл:0/Документ:0/…": each element with its index among same-named siblings
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<XNode> children;

    const std::string* Attr(std::string_view attribute) const {
        for (const auto& [n, v] : attributes) {
            if (n == attribute) return &v;
        }
        return nullptr;
    }
    std::string Value(std::string_view attribute) const {
        const std::string* v = Attr(attribute);
        return v != nullptr ? *v : std::string();
    }
    std::string Origin(std::string_view attribute) const {
        return path + "@" + std::string(attribute);
    }
    const XNode* Child(std::string_view child) const {
        for (const XNode& c : children) {
            if (c.name == child) return &c;
        }
        return nullptr;
    }
};

QByteArray Utf8Xml(const QByteArray& xml) {
    static const QRegularExpression declaration(
        QStringLiteral(R"(^\s*<\?xml[^>]*encoding\s*=\s*["']([^"']+)["'][^>]*\?>)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = declaration.match(QString::fromLatin1(xml.left(200)));
    const QString encoding = m.hasMatch() ? m.captured(1).toLower() : QString();
    if (encoding.isEmpty() || encoding == QLatin1String("utf-8")) return xml;
    if (encoding != QLatin1String("windows-1251") && encoding != QLatin1String("cp1251")) {
        throw XmlSheetsError("Текст декларации не читается: неизвестная кодировка " +
                             encoding.toStdString() + ".");
    }
    const Conversion text = Cp1251ToUtf8(std::string_view(xml.constData(), xml.size()));
    if (!text.ok) {
        throw XmlSheetsError(
            "Текст декларации не читается: недопустимый символ в кодировке windows-1251.");
    }
    QByteArray utf8 = QByteArray::fromStdString(text.text);
    utf8.replace(m.capturedStart(1), m.capturedLength(1), "UTF-8");
    return utf8;
}

XNode ReadTree(const QByteArray& xml) {
    QXmlStreamReader reader(Utf8Xml(xml));
    std::vector<XNode> stack;
    XNode root;
    bool haveRoot = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            XNode node;
            node.name = reader.name().toString().toStdString();
            int index = 0;
            if (!stack.empty()) {
                for (const XNode& sibling : stack.back().children)
                    index += sibling.name == node.name;
            }
            node.path = (stack.empty() ? std::string() : stack.back().path + "/") + node.name +
                        ":" + std::to_string(index);
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                node.attributes.emplace_back(a.name().toString().toStdString(),
                                             a.value().toString().toStdString());
            }
            stack.push_back(std::move(node));
        } else if (token == QXmlStreamReader::EndElement) {
            XNode node = std::move(stack.back());
            stack.pop_back();
            if (stack.empty()) {
                root = std::move(node);
                haveRoot = true;
            } else {
                stack.back().children.push_back(std::move(node));
            }
        }
    }
    if (reader.hasError() || !haveRoot) {
        throw XmlSheetsError("Текст декларации поврежден: " +
                             (reader.hasError() ? reader.errorString().toStdString()
                                                : std::string("в нем нет ни одного элемента")) +
                             ".");
    }
    return root;
}

// ---- putting attributes on their lines ----

// Copies the attribute, when the element has it, onto the line.
void Put(kTSheetBlock& block, const XNode& e, const char* attribute, const std::string& code) {
    if (const std::string* v = e.Attr(attribute)) block.Set(code, *v, e.Origin(attribute));
}

// Every attribute of the element that the sheet's table of lines names, on its
// line; only lines whose codes lie within [from, to] when a range is given.
template <class Sheet, size_t N>
void PutLines(kTSheetBlock& block, const XNode& e, const SheetLine<Sheet> (&lines)[N],
              const char* from = "000", const char* to = "999") {
    for (const SheetLine<Sheet>& line : lines) {
        if (line.code == nullptr || line.xmlAttribute == nullptr) continue;
        if (std::string_view(line.code) < from || std::string_view(line.code) > to) continue;
        Put(block, e, line.xmlAttribute, line.code);
    }
}

// The payer of a row: ИстЮЛ or ИстФЛИн (or СведИст of a pension contract).
void PutSource(kTSheetBlock& block, const XNode& row, const std::string& inn,
               const std::string& kpp, const std::string& name) {
    for (const char* element : {"ИстЮЛ", "СведИст"}) {
        if (const XNode* s = row.Child(element)) {
            Put(block, *s, "ИННЮЛ", inn);
            Put(block, *s, "КПП", kpp);
            Put(block, *s, "Наим", name);
        }
    }
    if (const XNode* s = row.Child("ИстФЛИн")) {
        Put(block, *s, "ИННФЛ", inn);
        Put(block, *s, "ФИОИн", name);
    }
}

int RateKind(const std::string& rate, int k9, int k13, int k15, int k30, int k35) {
    if (rate == "09") return k9;
    if (rate == "13") return k13;
    if (rate == "15") return k15;
    if (rate == "30") return k30;
    if (rate == "35") return k35;
    return 0;
}

Money Sum(const Money& a, const std::string& text) {
    return a + Money::Parse(text).value_or(Money());
}

// ---- the parts of НДФЛ3 ----

void Bases(kTSheetValues& v, const XNode& totals) {
    for (const XNode& e : totals.children) {
        if (e.name == "НалБаза13") {
            v[kKindR1].Present = true;
            PutLines(v[kKindR1].Totals, e, kSection1Lines);
        } else if (e.name == "НалБаза30") {
            v[kKindR2].Present = true;
            PutLines(v[kKindR2].Totals, e, kSection2Lines);
        } else if (e.name == "НалБаза35") {
            v[kKindR3].Present = true;
            PutLines(v[kKindR3].Totals, e, kSection3Lines);
            Put(v[kKindR3].Totals, e, "УдержОбщЛиш", kWithheldOnExemptCode);
        } else if (e.name == "НалБаза9") {
            v[kKindR4].Present = true;
            PutLines(v[kKindR4].Totals, e, kSection4Lines);
        } else if (e.name == "НалБаза15") {
            // Раздел 5 of the form of 2008, its lines in the order of the file.
            v[kKindR15].Present = true;
            int line = 0;
            for (const auto& l : kBase15Lines) {
                line += 10;
                Put(v[kKindR15].Totals, e, l.xmlAttribute,
                    std::string(line < 100 ? "0" : "") + std::to_string(line));
            }
        }
    }
}

void RussianIncome(kTSheetValues& v, const XNode& e) {
    const int kind = RateKind(e.Value("Ставка"), kKindA9, kKindA13, kKindA15, kKindA30, kKindA35);
    if (kind == 0) return;
    kTSheetData& sheet = v[kind];
    sheet.Present = true;
    PutLines(sheet.Totals, e, kSheetALines);
    sheet.Totals.Set("001", e.Value("Ставка"), e.Origin("Ставка"));
    for (const XNode& row : e.children) {
        if (row.name != "РасчДохНал") continue;
        kTSheetBlock b;
        PutSource(b, row, "010", "020", "030");
        Put(b, row, "ОКАТО", "021");
        Put(b, row, "Доход", "040");
        Put(b, row, "ДоходОбл", "050");
        Put(b, row, "НалИсчисл", "060");
        Put(b, row, "НалУдерж", "070");
        sheet.Blocks.push_back(std::move(b));
    }
}

void ForeignIncome(kTSheetValues& v, const XNode& e) {
    const int kind = RateKind(e.Value("Ставка"), kKindB9, kKindB13, 0, 0, kKindB35);
    if (kind == 0) return;
    kTSheetData& sheet = v[kind];
    sheet.Present = true;
    PutLines(sheet.Totals, e, kSheetBLines);
    sheet.Totals.Set("001", e.Value("Ставка"), e.Origin("Ставка"));
    static const std::pair<const char*, const char*> kFields[] = {
        {"ОКСМ", "010"},         {"НаимИстДох", "020"},   {"НаимВалют", "030"},
        {"КодВалют", "040"},     {"ДатаДох", "050"},      {"КурсВалютДох", "060"},
        {"ДоходИноВал", "070"},  {"ДоходИноРуб", "080"},  {"ДатаУплНал", "090"},
        {"КурсВалютНал", "100"}, {"НалУплИноВал", "110"}, {"НалУплИноРуб", "120"},
        {"НалЗачРФОбщ", "130"},  {"НалогЗачРФОбщ", "140"}};
    for (const XNode& row : e.children) {
        if (row.name != "РасчДохНалИно") continue;
        kTSheetBlock b;
        for (const auto& [attribute, code] : kFields) Put(b, row, attribute, code);
        sheet.Blocks.push_back(std::move(b));
    }
}

void Business(kTSheetValues& v, const XNode& e) {
    kTSheetData& sheet = v[kKindV1];
    sheet.Present = true;
    PutLines(sheet.Totals, e, kSheetV1Lines);
    static const std::pair<const char*, const char*> kFields[] = {
        {"КодВД", "010"},        {"ОКВЭД", "020"},      {"Доход", "030"},
        {"РасхФакт", "040"},     {"РасхФМат", "050"},   {"РасхФАмНач", "060"},
        {"РасхФОплТруд", "070"}, {"РасхФТрДог", "080"}, {"РасхФПроч", "090"},
        {"РасхПредНорм", "220"}};
    for (const XNode& row : e.children) {
        if (row.name == "РасчВидДеят") {
            kTSheetBlock b;
            for (const auto& [attribute, code] : kFields) Put(b, row, attribute, code);
            sheet.Blocks.push_back(std::move(b));
        } else if (row.name == "СведКФХ") {
            Put(sheet.Totals, row, "ГодРегКФХ", "270");
            Put(sheet.Totals, row, "ДоходНеНал", "280");
        }
    }
}

// Sheet Г (Г1 of the form of 2008): item 1, the exempt income by kind with its
// total, and item 2, the prizes in advertising by source with their total.
struct ExemptCodes {
    std::tuple<const char*, const char*, const char*> kinds[7];  // element, income, exempt
    const char* total;
    const char* prizeName;
    const char* prizeIncome;
    const char* prizeExempt;
    const char* prizeTotal;
};
const ExemptCodes kExemptLibrary = {{{"МатПомРаб", "010", "020"},
                                     {"МатПомИнв", "030", "040"},
                                     {"ПодарНП", "050", "060"},
                                     {"ПризНП", "070", "080"},
                                     {"ВозмМед", "090", "100"},
                                     {"ПомПодар", "110", "120"},
                                     {nullptr, nullptr, nullptr}},
                                    "130",
                                    "140",
                                    "150",
                                    "160",
                                    "170"};
const ExemptCodes kExempt2008 = {{{"МатПомРожд", "010", "020"},
                                  {"МатПомРаб", "030", "040"},
                                  {"МатПомИнв", "050", "060"},
                                  {"ПодарНП", "070", "080"},
                                  {"ПризНП", "090", "100"},
                                  {"ВозмМед", "110", "120"},
                                  {"ПомПодар", "130", "140"}},
                                 "150",
                                 "160",
                                 "170",
                                 "180",
                                 "190"};

void Exempt(kTSheetValues& v, const XNode& e, FormEdition edition) {
    const ExemptCodes& c = edition == FormEdition::Form2008 ? kExempt2008 : kExemptLibrary;
    kTSheetData& sheet = v[kKindG];
    sheet.Present = true;
    if (const XNode* part = e.Child("ДоходНеПриз")) {
        Put(sheet.Totals, *part, "ДохНеНалОбщ", c.total);
        for (const auto& [name, income, exempt] : c.kinds) {
            if (name == nullptr) continue;
            if (const XNode* row = part->Child(name)) {
                Put(sheet.Totals, *row, "ДоходВсИст", income);
                Put(sheet.Totals, *row, "ДоходНеНал", exempt);
            }
        }
    }
    if (const XNode* part = e.Child("ДоходПриз")) {
        Put(sheet.Totals, *part, "ДоходНеНалОбщ", c.prizeTotal);
        for (const XNode& row : part->children) {
            if (row.name != "СвДоход") continue;
            kTSheetBlock b;
            PutSource(b, row, "ИНН", "КПП", c.prizeName);
            Put(b, row, "Доход", c.prizeIncome);
            Put(b, row, "ДоходНеНал", c.prizeExempt);
            sheet.Blocks.push_back(std::move(b));
        }
    }
}

// Sheet Г2 of the form of 2008: the tax withheld from material benefit that is
// not taxed, by source, and its total.
void ExemptBenefit(kTSheetValues& v, const XNode& e) {
    kTSheetData& sheet = v[kKindG2];
    sheet.Present = true;
    Put(sheet.Totals, e, "НалогУдЛОбщ", "070");
    for (const XNode& row : e.children) {
        if (row.name != "РасчНалогУдЛ") continue;
        kTSheetBlock b;
        PutSource(b, row, "010", "020", "030");
        Put(b, row, "ОКАТО", "040");
        Put(b, row, "Доход", "050");
        Put(b, row, "НалогУдЛ", "060");
        sheet.Blocks.push_back(std::move(b));
    }
}

void AuthorFees(kTSheetValues& v, const XNode& e) {
    kTSheetData& sheet = v[e.Value("ПрИст") == "2" ? kKindDForeign : kKindD];
    sheet.Present = true;
    sheet.Totals.Set("001", e.Value("ПрИст"), e.Origin("ПрИст"));
    Put(sheet.Totals, e, "РасходОбщ", "110");
    Money income;
    for (const XNode& row : e.children) {
        if (row.name != "РасхФактДок") continue;
        kTSheetBlock b;
        PutSource(b, row, "010", "020", "030");
        Put(b, row, "ВидВозн", "040");
        Put(b, row, "НаимВозн", "050");
        Put(b, row, "СумВозн", "060");
        Put(b, row, "КодРасход", "070");
        Put(b, row, "Норматив", "080");
        Put(b, row, "СумРасход", "090");
        income = Sum(income, row.Value("СумВозн"));
        sheet.Blocks.push_back(std::move(b));
    }
    // The file carries the rows' fees but not their total.
    sheet.Totals.Set("100", MoneyToKopeckText(income));
}

void CivilContracts(kTSheetValues& v, const XNode& e) {
    kTSheetData& sheet = v[e.Value("ПрИст") == "2" ? kKindEForeign : kKindE];
    sheet.Present = true;
    sheet.Totals.Set("001", e.Value("ПрИст"), e.Origin("ПрИст"));
    Put(sheet.Totals, e, "РасходОбщ", "070");
    Money income;
    for (const XNode& row : e.children) {
        if (row.name != "РасхФактДок") continue;
        kTSheetBlock b;
        PutSource(b, row, "010", "020", "030");
        Put(b, row, "СумДох", "040");
        Put(b, row, "СумРасход", "050");
        income = Sum(income, row.Value("СумДох"));
        sheet.Blocks.push_back(std::move(b));
    }
    sheet.Totals.Set("060", MoneyToKopeckText(income));
}

void PropertySale(kTSheetValues& v, const XNode& e) {
    kTSheetData& sheet = v[kKindZh1];
    sheet.Present = true;
    kTSheetBlock& t = sheet.Totals;
    Put(t, e, "ВычетОбщ", "210");
    static const std::tuple<const char*, const char*, const char*, const char*> kKinds[] = {
        {"СумИмущ", "010", "020", "НалВычет"},     {"СумДолИмущ", "030", "040", "НалВычет"},
        {"СумИмущОбщ", "050", "060", "НалВычет"},  {"СумИмущДок", "070", "080", "РасхДок"},
        {"СумИмущ3Год", "090", "100", "НалВычет"}, {"СумИнИмущ", "130", "140", "НалВычет"},
        {"СумИнИмущДок", "150", "160", "РасхДок"}, {"СумИнИмущ3Год", "170", "180", "НалВычет"}};
    auto kinds = [&](const XNode& part) {
        for (const auto& [name, income, deduction, attribute] : kKinds) {
            if (const XNode* row = part.Child(name)) {
                Put(t, *row, "ДохВсехИст", income);
                Put(t, *row, attribute, deduction);
            }
        }
    };
    if (const XNode* part = e.Child("ВычЖилИмущ")) {
        Put(t, *part, "ДохИстИтог", "110");
        Put(t, *part, "ВычИмущИтог", "120");
        kinds(*part);
    }
    if (const XNode* part = e.Child("ВычИноеИмущ")) {
        Put(t, *part, "ДохИстИтог", "190");
        Put(t, *part, "ВычИнИмущИтог", "200");
        kinds(*part);
    }
}

void ShareSale(kTSheetValues& v, const XNode& e) {
    kTSheetData& sheet = v[e.Value("ПрИст") == "2" ? kKindZh2Foreign : kKindZh2];
    sheet.Present = true;
    sheet.Totals.Set("001", e.Value("ПрИст"), e.Origin("ПрИст"));
    Put(sheet.Totals, e, "СумВычОбщ", "130");
    struct Part {
        const char* element;
        const char* row;
        const char* income;
        int group;
        const char* codes[6];  // INN, KPP, name, income, expense, part total
    };
    static const Part kParts[] = {{"РасхДокПродДол",
                                   "ПродДолУстКап",
                                   "ДохПродДол",
                                   1,
                                   {"010", "020", "030", "040", "050", "060"}},
                                  {"РасхДокУстПрав",
                                   "СумПолучУстПрав",
                                   "ДохПолуч",
                                   2,
                                   {"070", "080", "090", "100", "110", "120"}}};
    for (const Part& p : kParts) {
        const XNode* part = e.Child(p.element);
        if (part == nullptr) continue;
        Put(sheet.Totals, *part, "РасхДокОбщ", p.codes[5]);
        for (const XNode& row : part->children) {
            if (row.name != p.row) continue;
            kTSheetBlock b;
            b.Group = p.group;
            PutSource(b, row, p.codes[0], p.codes[1], p.codes[2]);
            Put(b, row, p.income, p.codes[3]);
            Put(b, row, "РасхДок", p.codes[4]);
            sheet.Blocks.push_back(std::move(b));
        }
    }
}

// Sheets З and И: the sources of each operation group and the group results.
template <class Sheet, size_t N>
void Securities(kTSheetValues& v, const XNode& e, int kind, const SheetLine<Sheet> (&lines)[N]) {
    kTSheetData& sheet = v[kind];
    sheet.Present = true;
    Put(sheet.Totals, e, "ПрИст", "001");
    PutLines(sheet.Totals, e, lines);
    for (const XNode& row : e.children) {
        if (row.name == "РасчОблДохУбыт") {
            kTSheetBlock b;
            b.Group = std::atoi(row.Value("ПрОпер").c_str());
            const kTSecurityCodes& codes = SecurityCodes(kind, b.Group);
            Put(b, row, "ПрОпер", "ПрОпер");
            PutSource(b, row, codes.INN, codes.KPP, codes.Name);
            Put(b, row, "СумДохОпИст", codes.Income);
            Put(b, row, "СумУбытИст", codes.Loss);
            Put(b, row, "СумОблДохИст", codes.Profit);
            sheet.Blocks.push_back(std::move(b));
        } else if (row.name == "РезОперИт") {
            for (const XNode& result : row.children) {
                const int group = std::atoi(result.name.substr(result.name.size() - 1).c_str());
                for (const char* attribute : kSecurityResults) {
                    Put(sheet.Totals, result, attribute,
                        SecurityResultCode(kind, group, attribute));
                }
            }
        }
    }
}

void Standard(kTSheetValues& v, const XNode& e) {
    kTSheetData& sheet = v[kKindK1];
    sheet.Present = true;
    const auto& lines = kSheetK1Lines;
    PutLines(sheet.Totals, e, lines, "220", "220");
    if (const XNode* months = e.Child("ДохМес")) {
        PutLines(sheet.Totals, *months, lines, "010", "120");
        Put(sheet.Totals, *months, "КолМес20000", "130");
        Put(sheet.Totals, *months, "КолМес40000", "140");
    }
    if (const XNode* items = e.Child("РасчВычСтанд"))
        PutLines(sheet.Totals, *items, lines, "150", "210");
}

void Social(kTSheetValues& v, const XNode& e) {
    kTSheetData& sheet = v[kKindK2];
    sheet.Present = true;
    const auto& lines = kSheetK2Lines;
    PutLines(sheet.Totals, e, lines, "130", "130");
    if (const XNode* p = e.Child("РасчВычСоцБез219.2"))
        PutLines(sheet.Totals, *p, lines, "010", "040");
    if (const XNode* p = e.Child("РасчВычСоц219.2"))
        PutLines(sheet.Totals, *p, lines, "050", "120");
}

void Pensions(kTSheetValues& v, const XNode& e, int kind, const char* prefix) {
    kTSheetData& sheet = v[kind];
    sheet.Present = true;
    const std::string p(prefix);  // "СВ" or "ПВ"
    const std::string d = kind == kKindK3 ? "ДПС" : "НПО";
    const std::pair<std::string, int> parts[] = {{"РасчВычДог" + d, 1},
                                                 {"РасчВычДог" + d + "Др", 2}};
    for (const auto& [name, group] : parts) {
        const XNode* part = e.Child(name);
        if (part == nullptr) continue;
        Put(sheet.Totals, *part, ("Сум" + p + "ВычОбщ").c_str(), std::to_string(group) + ".2");
        for (const XNode& row : part->children) {
            if (row.name != "РасчСум" + p + "Выч") continue;
            kTSheetBlock b;
            b.Group = group;
            PutSource(b, row, "ИНН", "КПП", "Наим");
            Put(b, row, ("ДатаДог" + d).c_str(), "Дата");
            Put(b, row, ("НомДог" + d).c_str(), "Номер");
            Put(b, row, ("Сум" + p + "ОбщПер").c_str(), "Уплачено");
            Put(b, row, ("Сум" + p + "Выч").c_str(), "Принято");
            sheet.Blocks.push_back(std::move(b));
        }
    }
}

void Housing(kTSheetValues& v, const XNode& e) {
    kTSheetData& sheet = v[kKindL];
    sheet.Present = true;
    kTSheetBlock& t = sheet.Totals;
    const auto& lines = kSheetLLines;
    if (const XNode* object = e.Child("СвОбъектРасх")) {
        Put(t, *object, "НаимОбъект", "010");
        // The file's ДатаПриобр is the date of the act of transfer (line 030),
        // its ДатаПередач the date the ownership was registered (line 040).
        Put(t, *object, "ДатаПриобр", "030");
        Put(t, *object, "ДатаПередач", "040");
        Put(t, *object, "ДолСобств", "050");
        Put(t, *object, "ГодНачИспВыч", "060");
        PutLines(t, *object, lines);
        if (const XNode* a = object->Child("АдрОбъект")) {
            for (const char* part : {"Индекс", "КодРегион", "Район", "Город", "НаселПункт", "Улица",
                                     "Дом", "Корпус", "Кварт"}) {
                Put(t, *a, part, std::string("020.") + part);
            }
        }
    }
    if (const XNode* calc = e.Child("РасчИмущВычНов")) PutLines(t, *calc, lines);
}

void Details(kTSheetValues& v, const XNode& details, FormEdition edition) {
    for (const XNode& e : details.children) {
        if (e.name == "ДоходИстРФ")
            RussianIncome(v, e);
        else if (e.name == "ДоходИстИно")
            ForeignIncome(v, e);
        else if (e.name == "ДоходПредпр")
            Business(v, e);
        else if (e.name == "ДоходОсвПрев")
            Exempt(v, e, edition);
        else if (e.name == "ДоходМатВыг")
            ExemptBenefit(v, e);
        else if (e.name == "ВычВозн")
            AuthorFees(v, e);
        else if (e.name == "ВычДоговорГПХ")
            CivilContracts(v, e);
        else if (e.name == "ВычПродИмущ")
            PropertySale(v, e);
        else if (e.name == "ВычИмущПрав")
            ShareSale(v, e);
        else if (e.name == "НалБазОперЦБ")
            Securities(v, e, kKindZ, kSheetZLines);
        else if (e.name == "НалБазОперЦБДУ")
            Securities(v, e, kKindI, kSheetILines);
        else if (e.name == "ВычСтанд")
            Standard(v, e);
        else if (e.name == "ВычСоциал")
            Social(v, e);
        else if (e.name == "ВычДогДПС")
            Pensions(v, e, kKindK3, "СВ");
        else if (e.name == "ВычДогНПО")
            Pensions(v, e, kKindK4, "ПВ");
        else if (e.name == "ВычИмущНовМ")
            Housing(v, e);
    }
}

const XNode& Required(const XNode* node, const char* name) {
    if (node == nullptr) {
        throw XmlSheetsError(std::string("В тексте декларации нет элемента ") + name + ".");
    }
    return *node;
}

const XNode& DocumentOf(const XNode& root) {
    if (root.name != "Файл")
        throw XmlSheetsError("Текст декларации не начинается с элемента Файл.");
    return Required(root.Child("Документ"), "Документ");
}

// The title page's and page 002's values, keyed by the names of their
// attributes in the file (the signer's name as "Пред" + the part).
void TitleValues(kTSheetValues& v, const XNode& document) {
    kTSheetBlock& title = v[kTitleSheet].Totals;
    kTSheetBlock& second = v[kSecondSheet].Totals;
    for (const char* a : {"КНД", "ДатаДок", "Период", "ОтчетГод", "КодНО", "НомКорр"})
        Put(title, document, a, a);
    const XNode* np = document.Child("СвНП");
    const XNode* taxpayer = np != nullptr ? np->Child("НПФЛ3") : nullptr;
    if (taxpayer != nullptr) {
        for (const char* a : {"ОКАТО", "ДокПредст"}) Put(title, *taxpayer, a, a);
        for (const char* a : {"Тлф", "Статус", "АдрИно"}) Put(second, *taxpayer, a, a);
        if (const XNode* name = taxpayer->Child("ФИОФЛ")) {
            for (const char* a : {"Фамилия", "Имя", "Отчество"}) Put(title, *name, a, a);
        }
        if (const XNode* kind = taxpayer->Child("СвАдрРФ")) {
            Put(second, *kind, "ПрАдр", "ПрАдр");
            if (const XNode* address = kind->Child("АдрРФ")) {
                for (const char* a : {"Индекс", "КодРегион", "Район", "Город", "НаселПункт",
                                      "Улица", "Дом", "Корпус", "Кварт"})
                    Put(second, *address, a, a);
            }
        }
        for (const char* element : {"СведФЛ1", "СведФЛ2"}) {
            const XNode* person = taxpayer->Child(element);
            if (person == nullptr) continue;
            for (const char* a : {"ИННФЛ", "ДатаРожд", "МестоРожд", "ПрГражд", "ОКСМ"})
                Put(title, *person, a, a);
            if (const XNode* doc = person->Child("УдЛичн")) {
                for (const char* a : {"КодВидДок", "СерНомДок", "ВыдДок"}) Put(title, *doc, a, a);
                Put(title, *doc, "ДатаДок", "ДатаУдЛичн");
            }
        }
    }
    if (const XNode* signer = document.Child("Подписант")) {
        Put(title, *signer, "ПрПодп", "ПрПодп");
        if (const XNode* fio = signer->Child("ФИО")) {
            for (const char* a : {"Фамилия", "Имя", "Отчество"})
                Put(title, *fio, a, std::string("Пред") + a);
        }
        if (const XNode* proxy = signer->Child("СвПред")) {
            for (const char* a : {"НаимДок", "НаимОрг"}) Put(title, *proxy, a, a);
        }
    }
}

}  // namespace

kTSheetValues SheetValuesFromXml(const QByteArray& xml, FormEdition edition) {
    const XNode root = ReadTree(xml);
    const XNode& document = DocumentOf(root);
    kTSheetValues v;
    TitleValues(v, document);
    if (const XNode* body = document.Child("НДФЛ3")) {
        if (const XNode* totals = body->Child("ИтогУплВозв")) {
            Bases(v, *totals);
            if (const XNode* details = totals->Child("СведДохВыч")) Details(v, *details, edition);
        }
        for (const XNode& row : body->children) {
            if (row.name != "ПодлУплВозв") continue;
            kTSheetBlock b;
            Put(b, row, "ПрУплВозв", "010");
            Put(b, row, "КБК", "020");
            Put(b, row, "ОКАТО", "030");
            Put(b, row, "ПодлУпл", "040");
            Put(b, row, "ПодлВозв", "050");
            v[kKindR6].Blocks.push_back(std::move(b));
            v[kKindR6].Present = true;
        }
    }
    return v;
}

void ReadTitleFromXml(const QByteArray& xml, kTDanLog& data) {
    const XNode root = ReadTree(xml);
    const XNode& document = DocumentOf(root);
    kTDeclDan& h = data.Header;
    h.InspectionCode = document.Value("КодНО");
    const int correction = std::atoi(document.Value("НомКорр").c_str());
    h.IsPrimary = correction == 0 ? 1 : 0;
    h.CorrectionNumber = static_cast<uint32_t>(correction);
    if (auto day = ParseDateText(document.Value("ДатаДок"), '.')) h.FilingDate = *day;

    const XNode& taxpayer =
        Required(Required(document.Child("СвНП"), "СвНП").Child("НПФЛ3"), "НПФЛ3");
    static const char* const kCategories[] = {"720", "770", "730", "740", "750", "760"};
    for (uint8_t i = 0; i < 6; ++i) {
        if (taxpayer.Value("ДокПредст") == kCategories[i]) h.TaxpayerCategory = i;
    }
    h.DeclarationKind = taxpayer.Value("Статус") == "2" ? kNonResident3NDFL : kResident3NDFL;

    kTPersonDan& p = data.Person;
    auto blankIfEmpty = [](std::string text) { return text.empty() ? std::string(" ") : text; };
    p.OKATO = blankIfEmpty(taxpayer.Value("ОКАТО"));
    if (taxpayer.Attr("Тлф") != nullptr) p.HomePhone = taxpayer.Value("Тлф");
    p.ForeignAddress = taxpayer.Value("АдрИно");
    if (const XNode* name = taxpayer.Child("ФИОФЛ")) {
        p.SurName = blankIfEmpty(name->Value("Фамилия"));
        p.Name = blankIfEmpty(name->Value("Имя"));
        p.Patronymic = blankIfEmpty(name->Value("Отчество"));
    }
    if (const XNode* kind = taxpayer.Child("СвАдрРФ")) {
        p.IsTemporaryAddress = kind->Value("ПрАдр") == "2" ? 1 : 0;
        if (const XNode* a = kind->Child("АдрРФ")) {
            p.PostIndex = a->Attr("Индекс") != nullptr ? a->Value("Индекс") : std::string(6, ' ');
            p.RegionCode = std::atoi(a->Value("КодРегион").c_str());
            p.District = blankIfEmpty(a->Value("Район"));
            p.City = blankIfEmpty(a->Value("Город"));
            p.Locality = blankIfEmpty(a->Value("НаселПункт"));
            p.Street = blankIfEmpty(a->Value("Улица"));
            p.House = blankIfEmpty(a->Value("Дом"));
            p.Building = blankIfEmpty(a->Value("Корпус"));
            p.Flat = blankIfEmpty(a->Value("Кварт"));
        }
    }
    const XNode* person = taxpayer.Child("СведФЛ1");
    if (person == nullptr) person = taxpayer.Child("СведФЛ2");
    if (person != nullptr) {
        p.INN = blankIfEmpty(person->Value("ИННФЛ"));
        if (auto day = ParseDateText(person->Value("ДатаРожд"), '.')) p.BirthDate = *day;
        p.BirthPlace = person->Value("МестоРожд");
        p.CitizenshipCode = person->Value("ОКСМ");
        // Without a document in the file none is printed.
        p.DocTypeCode = 0;
        p.DocTypeName.clear();
        p.DocNumber = " ";
        p.DocIssuedBy.clear();
        p.DocIssueDate = 0;
        if (const XNode* doc = person->Child("УдЛичн")) {
            p.DocTypeCode = std::atoi(doc->Value("КодВидДок").c_str());
            p.DocNumber = blankIfEmpty(doc->Value("СерНомДок"));
            p.DocIssuedBy = doc->Value("ВыдДок");
            if (auto day = ParseDateText(doc->Value("ДатаДок"), '.')) p.DocIssueDate = *day;
        }
    }
    if (const XNode* signer = document.Child("Подписант")) {
        if (signer->Value("ПрПодп") == "1") {
            h.SubmitterKind = 0;
        } else {
            if (h.SubmitterKind == 0) h.SubmitterKind = 1;
            if (const XNode* fio = signer->Child("ФИО")) {
                std::string name = fio->Value("Фамилия") + " " + fio->Value("Имя");
                if (fio->Attr("Отчество") != nullptr) name += " " + fio->Value("Отчество");
                h.RepresentativeName = name;
            }
            if (const XNode* proxy = signer->Child("СвПред")) {
                h.RepresentativeDocument = proxy->Value("НаимДок");
                h.RepresentativeOrganisation = proxy->Value("НаимОрг");
            }
        }
    }
}

}  // namespace zorv
