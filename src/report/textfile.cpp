#include "report/textfile.h"

#include <cstdio>
#include <ctime>
#include <exception>
#include <utility>

#include "model/declaration.h"
#include "model/documentkinds.h"
#include "model/programversion.h"
#include "report/celltext.h"
#include "report/reportdata.h"
#include "storage/codepage.h"
#include "storage/daynumber.h"
#include "storage/errors.h"
#include "storage/fileloader.h"
#include "storage/textutil.h"

namespace zorv {
namespace {

constexpr const char* kIndicatorCountKey = "КолПокФОтч:";
constexpr const char* kGroupEnd = "###";
constexpr const char* kNoTaxNumber = "000000000000";

// Look-alikes for characters of windows-1251 that code page 866 lacks.
constexpr std::pair<const char*, const char*> kLookAlikes[] = {
    {"«", "\""}, {"»", "\""},  {"„", "\""},  {"“", "\""},  {"”", "\""},  {"‘", "'"},  {"’", "'"},
    {"‚", "'"},  {"–", "-"},   {"—", "-"},   {"…", "..."}, {"‹", "<"},   {"›", ">"},  {"•", "·"},
    {"™", "TM"}, {"©", "(C)"}, {"®", "(R)"}, {"±", "+-"},  {"€", "EUR"}, {"‰", "%."},
};

std::string Trimmed(std::string_view text) {
    return std::string(TrimBlanks(text));
}

// Commas taken out of a value that stands in a comma-separated list.
std::string Clean(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == ',') c = ' ';
    }
    return Trimmed(out);
}

// Upper case of Latin and Cyrillic letters of UTF-8 text.
std::string Upper(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 'a' && c <= 'z') {
            out += static_cast<char>(c - 'a' + 'A');
        } else if ((c == 0xD0 || c == 0xD1) && i + 1 < text.size()) {
            unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            if (cp >= 0x430 && cp <= 0x44F) {
                cp -= 0x20;
            } else if (cp >= 0x450 && cp <= 0x45F) {
                cp -= 0x50;
            }
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// Control characters (line breaks, tabs) would break the line structure.
std::string WithoutControls(std::string text) {
    for (char& c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) c = ' ';
    }
    return text;
}

std::string TwoDigits(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

std::string LeftPadded(std::string text, size_t width, char fill) {
    if (text.size() < width) text.insert(0, width - text.size(), fill);
    return text;
}

std::string TaxNumberOrZeros(const std::string& inn) {
    std::string trimmed = Trimmed(inn);
    return trimmed.empty() ? kNoTaxNumber : trimmed;
}

// Whole rubles, a negative amount as 0, halves up; empty beyond twelve digits.
std::string WholeRublesText(Money amount) {
    int64_t raw = amount.IsNegative() ? 0 : amount.Raw();
    std::string text = std::to_string((raw + Money::kScale / 2) / Money::kScale);
    return text.size() > 12 ? std::string() : text;
}

std::string DocumentCode(const kTPersonDan& p) {
    for (const DocumentKind& kind : kDocumentKinds) {
        if (Trimmed(p.DocTypeName) == kind.name) return std::string(kind.code);
    }
    // A kind named otherwise (an earlier wording): the code it was chosen with.
    return p.DocTypeCode != 0 ? TwoDigits(p.DocTypeCode) : std::string();
}

std::optional<std::string> ReporterDocument(uint8_t category) {
    switch (category) {
        case 0:
            return "120";  // entrepreneur
        case 3:
            return "121";  // lawyer
        case 2:
            return "122";  // notary
        default:
            return std::nullopt;
    }
}

std::string FullName(const kTPersonDan& p) {
    return Upper(Clean(p.SurName) + "," + Clean(p.Name) + "," + Clean(p.Patronymic));
}

std::string AddressText(const kTPersonDan& p) {
    std::string text = "643," + Clean(p.PostIndex) + "," + TwoDigits(p.RegionCode);
    for (const std::string* part :
         {&p.District, &p.City, &p.Locality, &p.Street, &p.House, &p.Building, &p.Flat}) {
        text += "," + Clean(*part);
    }
    return Upper(text);
}

// Replaces the provisional indicator count by the number of indicator lines: the
// lines from the count line to the end, group ends not counted, less the count
// line itself and the two closing markers.
void SetIndicatorCount(std::vector<std::string>& lines) {
    const std::string key = kIndicatorCountKey;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].compare(0, key.size(), key) != 0) continue;
        int count = 0;
        for (size_t j = i; j < lines.size(); ++j) {
            if (lines[j] != kGroupEnd) ++count;
        }
        lines[i] = key + std::to_string(count - 3);
        return;
    }
}

}  // namespace

kTNow CurrentLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return kTNow{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                 local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::optional<kTNow> ParseNowText(std::string_view text) {
    if (text.size() != 19) return std::nullopt;
    constexpr std::string_view kPattern = "DD.MM.YYYY HH:MM:SS";
    for (size_t i = 0; i < text.size(); ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        bool wantDigit = kPattern[i] != '.' && kPattern[i] != ' ' && kPattern[i] != ':';
        if (wantDigit ? !digit : text[i] != kPattern[i]) return std::nullopt;
    }
    auto number = [&](size_t at, size_t width) {
        int n = 0;
        for (size_t i = at; i < at + width; ++i) n = n * 10 + (text[i] - '0');
        return n;
    };
    kTNow now{number(6, 4),  number(3, 2),  number(0, 2),
              number(11, 2), number(14, 2), number(17, 2)};
    if (!IsValidCivilDate(now.Year, now.Month, now.Day) || now.Hour > 23 || now.Minute > 59 ||
        now.Second > 59) {
        return std::nullopt;
    }
    return now;
}

std::string EstimatedIncomeFileName(const kTDanLog& data) {
    const std::string& code = data.Header.InspectionCode;
    return "O" + TaxNumberOrZeros(data.Person.INN) + "_" + code + code + "__10_000001.txt";
}

std::optional<std::vector<std::string>> EstimatedIncomeLines(const kTDanLog& data, const kTNow& now,
                                                             std::string& refusal) {
    const kTDeclDan& h = data.Header;
    const kTPersonDan& p = data.Person;
    if (h.DeclarationKind != kEstimated4NDFL) {
        refusal = "Текстовый файл формируется только для декларации по форме 4-НДФЛ.";
        return std::nullopt;
    }
    // The format has one digit for the correction number.
    if (h.CorrectionNumber > 9) {
        refusal = "Номер корректировки " + std::to_string(h.CorrectionNumber) +
                  " не помещается в файл: формат 3.00 допускает номера от 0 до 9.";
        return std::nullopt;
    }
    // A farm household head or another person files without the line of the
    // reporter's document: the format has no code for them.
    const std::optional<std::string> reporter = ReporterDocument(h.TaxpayerCategory);

    const std::string inn = TaxNumberOrZeros(p.INN);
    const std::string fullName = FullName(p);
    std::string phone = p.WorkPhoneExtra + p.WorkPhone;
    if (phone.empty()) phone = p.HomePhoneExtra + p.HomePhone;

    const std::string year = EstimatedIncomeYear(data.Declaration.Year);
    std::vector<std::string> lines = {
        "ИдФайл:" + inn + "*********" + year + TwoDigits(now.Month) + TwoDigits(now.Day) +
            TwoDigits(now.Hour) + TwoDigits(now.Minute) + TwoDigits(now.Second),
        "ТипИнф:ОТЧЕТНОСТЬНП",
        "ВерсФорм:3.00",
        "ИдПол:" + h.InspectionCode,
        std::string("ВерсПрог:ZORV2008_") + kProgramVersion,
        "КолДок:1",
        "ФИООтпрФЛ:" + fullName,
        "ТелОтпр:" + phone,
        "@@@",
        "ИдДок:" + inn + "*********" + year + "00000001",
        "ДатаДок:" + TwoDigits(now.Day) + "." + TwoDigits(now.Month) + "." +
            std::to_string(now.Year),
        kGroupEnd,
        "ФИО:" + fullName,
        "ИННФЛ:" + p.INN,
        "НомСтрСвПФР:" + p.InsuranceNumber,
        "МестоРожд:" + Upper(p.BirthPlace),
        "ДатаРожд:" + DateText(p.BirthDate),
        std::string("Пол:") + (p.Sex == kSexMale ? "1" : "2"),
        "Гражд:" + Upper(p.CitizenshipName),
        "КодГражд:" + LeftPadded(Trimmed(p.CitizenshipCode), 3, '0'),
        "УдЛичн:" + DocumentCode(p) + "," + Clean(p.DocNumber),
        "ВыдУдЛичн:" + Upper(p.DocIssuedBy),
        "ДатаУдЛичн:" + DateText(p.DocIssueDate),
        (p.IsTemporaryAddress != 0 ? "АдрМПр:" : "АдрМЖ:") + AddressText(p),
        "АдрМЖРез:" + Upper(p.ForeignAddress),
        kGroupEnd,
        "ПризФОтч:1",
        "КНД:1151021",
        "НаимФОтч:НАЛОГОВАЯ ДЕКЛАРАЦИЯ ПО НАЛОГУ НА ДОХОДЫ ФИЗИЧЕСКИХ ЛИЦ (4-НДФЛ)",
        "ВерФОтч:3.00000",
        "ПериодВерОтч:15.06.2004,",
        std::string("ПризВидДок:") + (h.CorrectionNumber != 0 ? "3" : "1"),
    };
    if (h.CorrectionNumber != 0) lines.push_back("НомерКорр:" + std::to_string(h.CorrectionNumber));
    lines.push_back("ГодПериодОтч:" + year);
    if (reporter) lines.push_back("ДокПредст:" + *reporter);
    lines.push_back("ОКЕИ:383");
    lines.push_back(std::string(kIndicatorCountKey) + "444");
    lines.push_back(kGroupEnd);
    lines.push_back("П000010001000:" + WholeRublesText(h.ExpectedIncome));
    lines.push_back(kGroupEnd);
    lines.push_back("@@@");
    lines.push_back("===");
    SetIndicatorCount(lines);
    for (std::string& line : lines) line = WithoutControls(std::move(line));
    return lines;
}

std::optional<std::string> EstimatedIncomeBytes(const std::vector<std::string>& lines,
                                                std::string& refusal) {
    std::string bytes;
    for (const std::string& line : lines) {
        std::string text = line;
        for (const auto& [from, to] : kLookAlikes) {
            const std::string_view needle = from;
            for (size_t at = text.find(needle); at != std::string::npos;
                 at = text.find(needle, at + std::string_view(to).size())) {
                text.replace(at, needle.size(), to);
            }
        }
        Conversion converted = Utf8ToCp866(text);
        if (!converted.ok) {
            std::string key = line.substr(0, line.find(':'));
            refusal = "Символ «" + converted.badCharacter + "» в строке «" + key +
                      "» нельзя записать в кодировке DOS (866); замените его.";
            return std::nullopt;
        }
        bytes += converted.text;
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<EstimatedIncomeFile> ComposeEstimatedIncomeFile(const kTDanLog& data,
                                                              const kTNow& now,
                                                              std::string& refusal) {
    std::optional<std::vector<std::string>> lines = EstimatedIncomeLines(data, now, refusal);
    std::optional<std::string> bytes;
    if (lines) bytes = EstimatedIncomeBytes(*lines, refusal);
    const std::string name = EstimatedIncomeFileName(data);
    if (bytes && (name.find('/') != std::string::npos || HasControlCharacter(name))) {
        refusal = "Код налогового органа «" + data.Header.InspectionCode +
                  "» не годится для имени файла.";
        bytes.reset();
    }
    if (!bytes) {
        refusal += " Файл не сформирован.";
        return std::nullopt;
    }
    return EstimatedIncomeFile{name, std::move(*bytes)};
}

std::optional<EstimatedIncomeFile> ComposeEstimatedIncomeFile(const std::vector<uint8_t>& image,
                                                              const kTNow& now,
                                                              std::string& refusal) {
    kTDanLog data(image.data(), image.size(), false);
    return ComposeEstimatedIncomeFile(data, now, refusal);
}

TextFileResult WriteEstimatedIncomeTextFile(const kTDanLog& data, const std::string& folder,
                                            const kTNow& now) {
    TextFileResult result;
    std::string refusal;
    const std::optional<EstimatedIncomeFile> file = ComposeEstimatedIncomeFile(data, now, refusal);
    if (!file) {
        result.Result = TextFileResult::Refused;
        result.Message = refusal;
        return result;
    }
    const std::string& name = file->name;
    const std::optional<std::string> bytes = file->bytes;

    std::string path = folder;
    if (path.empty() || path.back() != '/') path += '/';
    path += name;
    result.Path = path;
    try {
        WriteFileAtomically(path, bytes->data(), bytes->size());
    } catch (const std::exception& e) {
        result.Result = TextFileResult::WriteFailed;
        result.Message = std::string(textmsg::kWriteError) + "\n" + e.what();
        return result;
    }
    result.Result = TextFileResult::Written;
    result.Message = textmsg::kWritten + path;
    return result;
}

TextFileResult WriteEstimatedIncomeTextFile(const std::vector<uint8_t>& image,
                                            const std::string& folder, const kTNow& now) {
    kTDanLog data(image.data(), image.size(), false);
    return WriteEstimatedIncomeTextFile(data, folder, now);
}

}  // namespace zorv
