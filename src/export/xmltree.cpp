#include "export/xmltree.h"

#include <libxml/tree.h>

#include <algorithm>
#include <cstdio>

#include "model/declaration.h"
#include "model/numtext.h"
#include "storage/codepage.h"
#include "storage/daynumber.h"

namespace zorv {
namespace {

constexpr size_t kNamePartLength = 60;  // characters of each part of the signer's name

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// The character for a message: itself and its code point when it is valid UTF-8.
std::string DescribeCharacter(const std::string& utf8) {
    const auto* b = reinterpret_cast<const unsigned char*>(utf8.data());
    uint32_t code = 0;
    size_t n = utf8.size();
    bool valid = n >= 2 && n <= 4 && (b[0] & 0xC0) == 0xC0;
    if (valid) {
        code = b[0] & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
        for (size_t i = 1; i < n; ++i) {
            if ((b[i] & 0xC0) != 0x80) valid = false;
            code = (code << 6) | (b[i] & 0x3F);
        }
    }
    char buffer[64];
    if (valid) {
        std::snprintf(buffer, sizeof buffer, " (U+%04X)", static_cast<unsigned>(code));
        return "«" + utf8 + "»" + buffer;
    }
    std::string hex;
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned>(b[i]));
        hex += buffer;
    }
    return "с байтами " + hex;
}

std::string ElementName(XmlElement element) {
    const auto* name = element.Node() ? element.Node()->name : nullptr;
    return name ? reinterpret_cast<const char*>(name) : "";
}

}  // namespace

std::string_view TrimmedText(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

bool IsBlank(std::string_view text) {
    return TrimmedText(text).empty();
}

std::string ZeroFilled(std::string text, size_t width) {
    size_t length = CharacterCount(text);
    if (length < width) text.insert(0, width - length, '0');
    return text;
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) ++count;
    }
    return count;
}

std::string_view CharacterRange(std::string_view text, size_t start, size_t count) {
    size_t index = 0;
    size_t begin = text.size();
    size_t end = text.size();
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (index == start) begin = i;
        if (index == start + count) {
            end = i;
            break;
        }
        ++index;
    }
    if (begin >= end) return {};
    return text.substr(begin, end - begin);
}

SplitName SplitRepresentativeName(std::string_view name) {
    SplitName split;
    std::string_view whole = TrimmedText(name);

    // The first word, at most 60 characters of it.
    auto firstWord = [](std::string_view text) {
        size_t space = text.find(' ');
        if (space == std::string_view::npos) return std::string(text);
        size_t before = CharacterCount(text.substr(0, space));
        return std::string(TrimmedText(CharacterRange(text, 0, std::min(before, kNamePartLength))));
    };

    split.surname = firstWord(whole);
    if (split.surname.empty()) split.surname.assign(1, ' ');
    std::string_view rest = TrimmedText(CharacterRange(whole, CharacterCount(split.surname), 1000));

    split.given = firstWord(rest);
    if (split.given.empty()) split.given.assign(1, ' ');
    split.patronymic = std::string(
        TrimmedText(CharacterRange(rest, CharacterCount(split.given), kNamePartLength)));
    return split;
}

XmlElement XmlTreeWriter::Add(XmlElement parent, const char* name) {
    XmlElement element = document_.CreateElement(name);
    parent.AppendChild(element);
    return element;
}

void XmlTreeWriter::Text(XmlElement element, const char* name, std::string_view value) {
    std::string text(value);
    for (char& c : text) {
        if (IsControl(static_cast<unsigned char>(c))) c = ' ';
    }
    Conversion check = Utf8ToCp1251(text);
    if (!check.ok) {
        throw ExportRefused("Символ " + DescribeCharacter(check.badCharacter) + " в значении «" +
                            ElementName(element) + "/" + name + "» = «" + text +
                            "» нельзя записать в кодировке windows-1251. Исправьте значение и "
                            "повторите выгрузку.");
    }
    element.SetAttribute(name, text);
}

void XmlTreeWriter::TextIfAny(XmlElement element, const char* name, std::string_view value) {
    if (!IsBlank(value)) Text(element, name, value);
}

void XmlTreeWriter::Kopecks(XmlElement element, const char* name, Money amount) {
    element.SetAttribute(name, MoneyToKopeckText(amount));
}

void XmlTreeWriter::Limited(XmlElement element, const char* name, Money amount) {
    element.SetAttribute(name, MoneyToLimitedText(amount));
}

void XmlTreeWriter::Amount(XmlElement element, const char* name, Money amount, CellPattern cells) {
    switch (cells) {
        case CellPattern::RublesKopecks:
            return Kopecks(element, name, amount);
        case CellPattern::WholeRubles:
            return Limited(element, name, amount);
        case CellPattern::ExchangeRate:
            break;
    }
    throw std::logic_error(std::string("an exchange rate is no amount: ") + name);
}

void XmlTreeWriter::Date(XmlElement element, const char* name, double dayNumber) {
    element.SetAttribute(name, DateText(dayNumber));
}

void XmlTreeWriter::Year(XmlElement element, const char* name, double dayNumber) {
    char year[8];
    std::snprintf(year, sizeof year, "%04d", CivilFromDayNumber(dayNumber).year);
    element.SetAttribute(name, year);
}

void XmlTreeWriter::Number(XmlElement element, const char* name, int64_t value) {
    element.SetAttribute(name, std::to_string(value));
}

void XmlTreeWriter::Source(XmlElement parent, std::string_view inn, std::string_view kpp,
                           std::string_view name) {
    if (CharacterCount(inn) != 10 && IsBlank(kpp)) {
        XmlElement person = Add(parent, "ИстФЛИн");
        Text(person, "ФИОИн", name);
        TextIfAny(person, "ИННФЛ", inn);
    } else {
        XmlElement organisation = Add(parent, "ИстЮЛ");
        Text(organisation, "Наим", name);
        Text(organisation, "ИННЮЛ", inn);
        Text(organisation, "КПП", kpp);
    }
}

// Документ, СвНП and Подписант.
void BuildTaxpayer(XmlTreeWriter& w, XmlElement document, const mTDeclaration& d, double today) {
    const mTPersonInformation& p = d.Person;
    const bool resident = d.DeclarationKind == kResident3NDFL;

    document.SetAttribute("КНД", "1151020");
    w.Date(document, "ДатаДок", today);
    document.SetAttribute("Период", "34");
    document.SetAttribute("ОтчетГод", d.Year == "2008" ? "2008" : "2009");
    w.Text(document, "КодНО", d.InspectionCode);
    w.Number(document, "НомКорр", d.CorrectionNumber);

    XmlElement taxpayer = w.Add(w.Add(document, "СвНП"), "НПФЛ3");
    w.Text(taxpayer, "ОКАТО", p.OKATO);
    if (!p.HomePhone.empty()) w.Text(taxpayer, "Тлф", p.HomePhone);
    static const char* const kCategories[] = {"720", "770", "730", "740", "750", "760"};
    taxpayer.SetAttribute("ДокПредст",
                          d.TaxpayerCategory < 6 ? kCategories[d.TaxpayerCategory] : "");
    taxpayer.SetAttribute("Статус", resident ? "1" : "2");
    w.TextIfAny(taxpayer, "АдрИно", p.ForeignAddress);

    XmlElement name = w.Add(taxpayer, "ФИОФЛ");
    w.Text(name, "Фамилия", p.SurName);
    w.Text(name, "Имя", p.Name);
    w.TextIfAny(name, "Отчество", p.Patronymic);

    XmlElement addressKind = w.Add(taxpayer, "СвАдрРФ");
    addressKind.SetAttribute("ПрАдр", p.IsTemporaryAddress ? "2" : "1");
    XmlElement address = w.Add(addressKind, "АдрРФ");
    w.TextIfAny(address, "Индекс", p.PostIndex);
    address.SetAttribute("КодРегион", ZeroFilled(std::to_string(p.RegionCode), 2));
    w.TextIfAny(address, "Район", p.District);
    w.TextIfAny(address, "Город", p.City);
    w.TextIfAny(address, "НаселПункт", p.Locality);
    w.TextIfAny(address, "Улица", p.Street);
    w.TextIfAny(address, "Дом", p.House);
    w.TextIfAny(address, "Корпус", p.Building);
    w.TextIfAny(address, "Кварт", p.Flat);

    // An empty citizenship kind is read as a citizen of a country.
    const std::string citizenship = IsBlank(p.CitizenshipKind) ? "1" : p.CitizenshipKind;
    const std::string country = IsBlank(p.CitizenshipCode)
                                    ? "643"
                                    : ZeroFilled(std::string(TrimmedText(p.CitizenshipCode)), 3);
    auto identityDocument = [&](XmlElement parent) {
        XmlElement doc = w.Add(parent, "УдЛичн");
        doc.SetAttribute("КодВидДок", ZeroFilled(std::to_string(p.DocTypeCode), 2));
        w.Text(doc, "СерНомДок", p.DocNumber);
        w.Date(doc, "ДатаДок", p.DocIssueDate);
        w.Text(doc, "ВыдДок", p.DocIssuedBy);
    };
    if (!IsBlank(p.INN)) {
        XmlElement data = w.Add(taxpayer, "СведФЛ1");
        w.Text(data, "ИННФЛ", p.INN);
        w.Date(data, "ДатаРожд", p.BirthDate);
        w.TextIfAny(data, "МестоРожд", p.BirthPlace);
        w.Text(data, "ПрГражд", citizenship);
        w.Text(data, "ОКСМ", country);
        if (p.DocTypeCode != 0) identityDocument(data);
    } else {
        XmlElement data = w.Add(taxpayer, "СведФЛ2");
        w.Date(data, "ДатаРожд", p.BirthDate);
        w.Text(data, "МестоРожд", p.BirthPlace);
        w.Text(data, "ПрГражд", citizenship);
        w.Text(data, "ОКСМ", country);
        identityDocument(data);
    }

    XmlElement signer = w.Add(document, "Подписант");
    const bool representative = d.SubmitterKind != 0;
    signer.SetAttribute("ПрПодп", representative ? "2" : "1");
    if (representative) {
        SplitName split = SplitRepresentativeName(d.RepresentativeName);
        XmlElement fio = w.Add(signer, "ФИО");
        w.Text(fio, "Фамилия", split.surname);
        w.Text(fio, "Имя", split.given);
        if (!split.patronymic.empty()) w.Text(fio, "Отчество", split.patronymic);
        XmlElement proxy = w.Add(signer, "СвПред");
        w.Text(proxy, "НаимДок", d.RepresentativeDocument);
        w.TextIfAny(proxy, "НаимОрг", d.RepresentativeOrganisation);
    }
}

}  // namespace zorv
