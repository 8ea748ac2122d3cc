#include "report/sheets.h"

#include <algorithm>
#include <cctype>

#include "report/celltext.h"
#include "report/form2008.h"
#include "report/formsheets.h"
#include "report/reportdata.h"
#include "report/reportsums.h"
#include "report/sumsheets.h"
#include "storage/daynumber.h"
#include "storage/textutil.h"

namespace zorv {
namespace {

constexpr double kNameCells = 34;  // the name rows of the title pages run to x 200

std::string Trim(const std::string& text) {
    return std::string(TrimBlanks(text));
}

std::string DigitsOf(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) != 0) digits += c;
    }
    return digits;
}

kTPageHeading Heading(const kTDanLog& data, const QString& barcode, int page, const QString& code) {
    const mTPersonInformation& p = data.Person;
    kTPageHeading h;
    h.Barcode = barcode;
    h.PageNumber = page;
    h.SheetCode = code;
    h.Initial1 = Q(Initial(p.Name));
    h.Initial2 = Q(Initial(p.Patronymic));
    h.SurName = Q(p.SurName);
    h.INN = Q(p.INN);
    return h;
}

QString FooterDate(const kTDanLog& data) {
    return Q(DateCellsText(data.Header.FilingDate, data.PrintDate));
}

// A caption with a free text on a line after it.
void Row(kTBand& b, double y, const QString& caption, double x, double width,
         const std::string& value) {
    mbLabel(b, 10, y - 3.2, false, 8, {caption});
    mbRek(b, x, y, width, false, Q(value));
}

// The header of a title page: barcode, marks, the INN and page 001.
void TitleHeading(kTBand& b, const QString& barcode, const std::string& inn) {
    b.AddBarcode(19, 10, 28, 9, barcode);
    mbBlackSquare(b, 10.2, 10);
    mbBlackSquare(b, 49, 10);
    mbBlackSquare(b, 195, 10);
    mbLabel(b, 59, 12, false, 8, {"ИНН"});
    mbSq5(b, 67.5, 10, Q(inn), 12);
    mbLabel(b, 111, 19, false, 8, {"Стр."});
    mbSq5(b, 119.31, 17.5, "001", 3);
}

// Surname, name and patronymic, each in its row of cells.
void NameRows(kTBand& b, double y, const kTTitulNRDan& t) {
    const std::vector<std::pair<QString, std::string>> rows = {
        {"Фамилия", t.SurName}, {"Имя", t.Name}, {"Отчество", t.Patronymic}};
    for (const auto& [caption, value] : rows) {
        mbLabel(b, 10, y + 1.5, false, 8, {caption});
        mbSq5(b, 40, y, Q(Trim(value)), static_cast<int>(kNameCells));
        y += 8;
    }
}

// The insurance number in cells grouped 3, 3, 3 and 2.
void InsuranceCells(kTBand& b, double x, double y, const std::string& digits) {
    const QString all = Q(digits);
    mbSq5(b, x, y, all.mid(0, 3), 3);
    mbLabel(b, x + 14.6, y + 1, false, 10, {"-"});
    mbSq5(b, x + 17, y, all.mid(3, 3), 3);
    mbLabel(b, x + 31.6, y + 1, false, 10, {"-"});
    mbSq5(b, x + 34, y, all.mid(6, 3), 3);
    mbSq5(b, x + 51, y, all.mid(9, 2), 2);
}

void ClTitulNR(TQz2004Report& report, const kTTitulNRDan& t) {
    kTBand& b = report.AddBand(kPaperHeight, true);
    TitleHeading(b, "!5102!1016!", t.INN);

    mbLabel(b, 150, 25, false, 7,
            {"Приложение № 1", "к приказу МНС России", "от 15.06.2004", "№ САЭ-3-04/366@"});
    mbLabel(b, 163, 35, true, 8, {"Форма по КНД 1151021"});
    mbLabel(b, 72, 39, true, 12, {"Налоговая декларация"});
    mbLabel(b, 42, 44.5, true, 10, {"по налогу на доходы физических лиц (форма 4-НДФЛ)"});

    mbLabel(
        b, 10, 51, false, 8,
        {"Вид документа: 1 - первичный, 3 - корректирующий", "(через дробь номер корректировки)"});
    mbSq5(b, 95, 51, t.Primary ? "1" : "3", 1);
    mbLabel(b, 101.2, 52, false, 10, {"/"});
    mbSq5(b, 104, 51, t.Primary ? QString() : Q(t.CorrectionNumber), 2);
    mbLabel(b, 140, 52.5, false, 8, {"Отчетный год"});
    mbSq5(b, 165, 51, Q(t.Year), 4);

    mbLabel(b, 10, 61.5, false, 8, {"Представляется в"});
    mbRek(b, 36, 65, 124, false, Q(t.InspectionName));
    mbLabel(b, 80, 65.5, false, 6, {"(наименование налогового органа)"});
    mbLabel(b, 165, 61.5, false, 8, {"Код"});
    mbSq5(b, 172, 60, Q(t.InspectionCode), 4);

    mbLabel(b, 10, 73, false, 8, {"по месту жительства"});
    mbMark(b, 80.2, 72, t.Category == 0);
    mbLabel(b, 85.5, 71.5, false, 7, {"индивидуального", "предпринимателя"});
    mbMark(b, 111.2, 72, t.Category == 2);
    mbLabel(b, 116.5, 71.5, false, 7, {"частного", "нотариуса"});
    mbMark(b, 134.2, 72, t.Category == 3);
    mbLabel(b, 139.5, 73, false, 7, {"адвоката"});
    mbLabel(b, 80, 78.5, false, 6, {"(нужное отметить знаком V)"});

    NameRows(b, 84, t);

    mbLabel(b, 10, 108, false, 7, {"Номер страхового", "свидетельства в ПФР"});
    InsuranceCells(b, 40, 108, t.InsuranceNumber);
    mbLabel(b, 120, 109.5, false, 8, {"Дата рождения"});
    mbDate(b, 145, 108, Q(t.BirthDate));

    mbLabel(b, 10, 118.5, false, 8, {"Пол"});
    mbLabel(b, 41, 118.5, false, 8, {"Муж"});
    mbMark(b, 50.2, 117.5, !t.Female);
    mbLabel(b, 61, 118.5, false, 8, {"Жен"});
    mbMark(b, 70.2, 117.5, t.Female);

    Row(b, 131, "Гражданство*", 39, 110, t.CitizenshipName);
    mbLabel(b, 152, 127.5, false, 8, {"Код страны**"});
    mbSq5(b, 176, 126, Q(t.CitizenshipCode), 3);
    Row(b, 139, "Место рождения***", 44, 151, t.BirthPlace);
    Row(b, 147, "Вид документа, удостоверяющего личность", 82, 79, t.DocTypeName);
    mbLabel(b, 163, 143.5, false, 8, {"Код документа"});
    mbSq5(b, 188, 142, Q(t.DocTypeCode), 2);
    Row(b, 155, "Серия и номер документа, удостоверяющего личность", 98, 97, t.DocNumber);
    Row(b, 163, "Кем выдан", 38, 150, t.DocIssuedBy);
    mbLabel(b, 10, 168.5, false, 8, {"Дата выдачи"});
    mbDate(b, 38, 167, Q(t.DocIssueDate));

    mbLabel(b, 10, 176, true, 8, {"Адрес места жительства в Российской Федерации:"});
    mbLabel(b, 10, 182.5, false, 7, {"Почтовый индекс"});
    mbSq5(b, 37, 181, Q(t.PostIndex), 6);
    mbRek(b, 66, 186, 95, false, Q(t.RegionName));
    mbLabel(b, 95, 186.3, false, 6, {"Субъект Российской Федерации"});
    mbLabel(b, 165, 182.5, false, 8, {"Код"});
    mbSq5(b, 172, 181, Q(t.RegionCode), 2);
    Row(b, 194, "Район", 30, 165, t.District);
    Row(b, 201, "Город", 30, 165, t.City);
    Row(b, 208, "Населенный пункт (село, поселок и т.д.)", 79, 116, t.Locality);
    Row(b, 215, "Улица (проспект, переулок и т.д.)", 69, 126, t.Street);
    Row(b, 222, "Номер дома (владения)", 55, 140, t.House);
    Row(b, 229, "Номер корпуса (строения)", 59, 136, t.Building);
    Row(b, 236, "Номер квартиры", 55, 140, t.Flat);
    Row(b, 243, "Адрес места жительства за пределами Российской Федерации*", 114, 80,
        t.ForeignAddress);

    mbLabel(b, 10, 249.5, false, 8, {"Данная декларация составлена на"});
    mbSq5(b, 64, 248, Q(t.Pages), 3);
    mbLabel(b, 79, 249.5, false, 8, {"страницах"});
    mbLabel(b, 10, 255.5, false, 8, {"с приложением подтверждающих документов или их копий на"});
    mbSq5(b, 108, 254, Q(t.Appendixes), 3);
    mbLabel(b, 123, 255.5, false, 8, {"листах"});

    mbPolosa(b, 10, 261.5, 190, 0.3);
    mbLabel(
        b, 10, 263, false, 8,
        {"Достоверность и полноту сведений,", "указанных в настоящей декларации, подтверждаю:"});
    mbLabel(b, 10, 270.5, false, 8, {"Подпись ____________________"});
    mbLabel(b, 10, 277.5, false, 8, {"Дата"});
    mbDate(b, 20, 276, Q(t.Date));

    b.AddVLine(104, 261.5, 23, PenStyle::Solid);
    mbLabel(b, 107, 263, true, 8, {"Заполняется работником налогового органа"});
    mbLabel(b, 107, 266.5, false, 7, {"Сведения о представлении налоговой декларации"});
    mbLabel(b, 107, 269.5, false, 7, {"Данная декларация представлена"});
    mbLabel(b, 155, 269.5, false, 7, {"по почте"});
    mbLabel(b, 172, 269.5, false, 7, {"представителем"});
    mbLabel(b, 107, 272.5, false, 7, {"на страницах"});
    mbLabel(b, 107, 275.5, false, 7, {"Дата представления"});
    mbLabel(b, 107, 278.5, false, 7, {"Зарегистрирована за №"});
    mbLabel(b, 107, 281.5, false, 7, {"Фамилия, И.О."});
    mbLabel(b, 170, 281.5, false, 7, {"Подпись"});

    mbLabel(b, 17, 284, false, 6,
            {"*   заполняется иностранными гражданами",
             "**  код страны по классификатору ОКСМ (числовой)",
             "*** заполняется согласно свидетельству о рождении"});
    mbBlackSquare(b, 10.2, 290);
    mbBlackSquare(b, 195, 290);
}

void ClNR2(TQz2004Report& report, const kTDanLog& data) {
    const mTPersonInformation& p = data.Person;
    kTBand& h = report.AddBand(40, true);
    h.AddBarcode(14, 8, 38, 10, "!5102!1023!");
    mbBlackSquare(h, 8, 10);
    mbBlackSquare(h, 197, 10);
    mbLabel(h, 56, 10.5, false, 12, {"ИНН"});
    mbSq5(h, 76.2, 10, Q(p.INN), 12, 4.8);
    mbLabel(h, 125, 18.5, false, 12, {"Стр."});
    mbSq5(h, 146.2, 18, "002", 3, 4.8);
    mbLabel(h, 171, 19, false, 12, {"Раздел 00001"});
    // Left of the initials, which stand right under it.
    mbLabel(h, 125, 25.5, true, 12, {"Форма по КНД 1151021"});
    // The initials' captions stand above their cells: the surname cells reach x 182.
    mbLabel(h, 10, 33.5, false, 9, {"Фамилия"});
    mbSq5(h, 28.3, 32.5, Q(Trim(p.SurName)), 32, 4.8);
    mbLabel(h, 184.9, 28.5, false, 9, {"И."});
    mbLabel(h, 197.2, 28.5, false, 9, {"О."});
    mbSq5(h, 184.6, 32.5, Q(Initial(p.Name)), 1, 4.8);
    mbSq5(h, 196.9, 32.5, Q(Initial(p.Patronymic)), 1, 4.8);

    kTBand& b = report.AddBand(240);
    mbLabel(b, 20, 10, true, 11,
            {"Раздел 1. Сумма предполагаемого дохода по данным налогоплательщика"});
    b.AddRect(10, 20, 188, 9);
    for (double x : {20.0, 104.0, 117.0}) b.AddVLine(x, 20, 19, PenStyle::Solid);
    mbLabel(b, 12, 21, false, 9, {"№", "п/п"});
    mbLabel(b, 50, 23, false, 9, {"Показатели"});
    // 8 pt keeps "строки" inside its column (x 104 to 117).
    mbLabel(b, 105.5, 21.3, false, 8, {"Код", "строки"});
    mbLabel(b, 127, 23, false, 9, {"Значение показателей   (руб.)"});
    b.AddRect(10, 29, 188, 10);
    mbLabel(b, 12, 31.5, false, 11, {"1        Сумма предполагаемого дохода"});
    mbLabel(b, 108, 31.5, false, 11, {"010"});
    mbSq5(b, 118.2, 31, Q(EstimatedIncomeCells(data.Header.ExpectedIncome)), 15);

    mbPodval(report, data.PrintDate, FooterDate(data));
}

void ClTitul(TQz2004Report& report, const kTDanLog& data, const kTTitulNRDan& t) {
    const kTDeclDan& d = data.Header;
    kTBand& b = report.AddBand(kPaperHeight, true);
    TitleHeading(b, "!0330-faba!", t.INN);

    mbLabel(b, 140, 25, false, 7,
            {"Приложение № 1", "к приказу Министерства финансов", "Российской Федерации",
             "от 29.12.2007 № 162н"});
    mbLabel(b, 163, 37, true, 8, {"Форма по КНД 1151020"});
    mbLabel(b, 72, 40, true, 12, {"Налоговая декларация"});
    mbLabel(b, 42, 45.5, true, 10, {"по налогу на доходы физических лиц (форма 3-НДФЛ)"});

    mbLabel(
        b, 10, 52, false, 8,
        {"Вид документа: 1 - первичный, 3 - корректирующий", "(через дробь номер корректировки)"});
    mbSq5(b, 95, 52, t.Primary ? "1" : "3", 1);
    mbLabel(b, 101.2, 53, false, 10, {"/"});
    mbSq5(b, 104, 52, t.Primary ? QString() : Q(t.CorrectionNumber), 2);
    mbLabel(b, 10, 60.5, false, 8, {"Отчетный налоговый период (код)"});
    mbSq5(b, 66, 59, "34", 2);
    mbLabel(b, 145, 53.5, false, 8, {"Отчетный год"});
    mbSq5(b, 168, 52, Q(kDeclarationYear), 4);

    mbLabel(b, 10, 66.5, false, 8, {"Представляется в"});
    mbRek(b, 36, 70, 124, false, Q(t.InspectionName));
    mbLabel(b, 80, 70.5, false, 6, {"(наименование налогового органа)"});
    mbLabel(b, 165, 66.5, false, 8, {"Код"});
    mbSq5(b, 172, 65, Q(t.InspectionCode), 4);
    mbLabel(b, 10, 76.5, false, 8, {"Код ОКАТО"});
    mbSq5(b, 40, 75, Q(Trim(data.Person.OKATO)), 11);

    mbLabel(b, 10, 83, false, 8, {"Категория налогоплательщика:"});
    const std::vector<std::pair<int, std::vector<QString>>> categories = {
        {0, {"индивидуальный", "предприниматель"}},
        {1, {"глава крестьянского", "(фермерского) хозяйства"}},
        {2, {"частный", "нотариус"}},
        {3, {"адвокат"}},
        {4, {"иностранное", "физическое лицо"}},
        {5, {"иное", "физическое лицо"}}};
    // Each box after the widest line of the caption before it.
    double x = 12;
    for (const auto& [code, caption] : categories) {
        mbMark(b, x, 88, d.TaxpayerCategory == code);
        mbLabel(b, x + 5, 87.5, false, 6, caption);
        double width = 0;
        for (const QString& line : caption)
            width = std::max(width, TextWidthMm(line, FontFace::Form, 6, false));
        x += std::max(24.0, 5 + width + 4);
    }

    NameRows(b, 96, t);
    mbLabel(b, 10, 121.5, false, 8, {"Дата рождения"});
    mbDate(b, 40, 120, Q(t.BirthDate));
    Row(b, 133, "Место рождения", 40, 155, t.BirthPlace);
    Row(b, 141, "Гражданство", 40, 110, t.CitizenshipName);
    mbLabel(b, 152, 137.5, false, 8, {"Код страны"});
    mbSq5(b, 172, 136, Q(t.CitizenshipCode), 3);

    mbLabel(b, 10, 146, true, 8, {"Сведения о документе, удостоверяющем личность:"});
    Row(b, 155, "Вид документа", 40, 120, t.DocTypeName);
    mbLabel(b, 164, 151.5, false, 8, {"Код"});
    mbSq5(b, 172, 150, Q(t.DocTypeCode), 2);
    Row(b, 163, "Серия и номер", 40, 155, t.DocNumber);
    Row(b, 171, "Кем выдан", 40, 155, t.DocIssuedBy);
    mbLabel(b, 10, 176.5, false, 8, {"Дата выдачи"});
    mbDate(b, 40, 175, Q(t.DocIssueDate));

    mbLabel(b, 10, 186.5, false, 8, {"Декларация составлена на"});
    mbSq5(b, 52, 185, Q(t.Pages), 3);
    mbLabel(b, 67, 186.8, false, 7,
            {"страницах с приложением подтверждающих документов или их копий на"});
    mbSq5(b, 170, 185, Q(t.Appendixes), 3);
    mbLabel(b, 185, 186.5, false, 8, {"листах"});

    mbPolosa(b, 10, 194, 190, 0.3);
    mbLabel(b, 10, 196, true, 8,
            {"Достоверность и полноту сведений, указанных в настоящей декларации, подтверждаю:"});
    const std::vector<std::pair<int, QString>> submitters = {
        {0, "лично"}, {1, "законный представитель"}, {2, "уполномоченный представитель"}};
    x = 12;
    for (const auto& [code, caption] : submitters) {
        mbMark(b, x, 202, d.SubmitterKind == code);
        mbLabel(b, x + 5, 203, false, 7, {caption});
        x += 45;
    }
    Row(b, 216, "Ф.И.О. представителя", 45, 150, d.RepresentativeName);
    Row(b, 224, "Документ, подтверждающий полномочия", 70, 125, d.RepresentativeDocument);
    mbLabel(b, 10, 230, false, 8, {"Подпись ____________________"});
    mbLabel(b, 80, 230, false, 8, {"Дата"});
    mbDate(b, 90, 228.5, Q(t.Date));

    mbPolosa(b, 10, 238, 190, 0.3);
    mbLabel(b, 10, 240, true, 8, {"Заполняется работником налогового органа"});
    mbLabel(b, 10, 244, false, 7,
            {"Сведения о представлении декларации", "Данная декларация представлена (код)",
             "на страницах", "с приложением подтверждающих документов или их копий на листах",
             "Дата представления декларации", "Зарегистрирована за №", "Фамилия, И.О.", "Подпись"});
    mbBlackSquare(b, 10.2, 288);
    mbBlackSquare(b, 195, 288);
}

void ClAdr(TQz2004Report& report, const kTDanLog& data) {
    const mTPersonInformation& p = data.Person;
    mbZagL(report, 0, Heading(data, "!0330-fach!", 2, QString()));
    kTBand& b = report.AddBand(232.5);

    mbLabel(b, 10, 4, true, 9, {"Статус налогоплательщика"});
    mbMark(b, 12, 10, data.Header.DeclarationKind == kResident3NDFL);
    mbLabel(b, 17, 11, false, 7, {"физическое лицо - налоговый резидент Российской Федерации"});
    mbMark(b, 118, 10, data.Header.DeclarationKind == kNonResident3NDFL);
    mbLabel(b, 123, 11, false, 7,
            {"физическое лицо, не являющееся налоговым", "резидентом Российской Федерации"});
    mbLabel(b, 12, 16, false, 6, {"(нужное отметить знаком V)"});

    mbLabel(b, 10, 22, true, 9, {"Место жительства налогоплательщика"});
    mbMark(b, 12, 28, p.IsTemporaryAddress == 0);
    mbLabel(b, 17, 29, false, 8, {"адрес места жительства в Российской Федерации"});
    mbMark(b, 118, 28, p.IsTemporaryAddress != 0);
    mbLabel(b, 123, 29, false, 8, {"адрес места пребывания в Российской Федерации"});
    mbLabel(b, 123, 32.2, false, 6,
            {"(заполняется при отсутствии места жительства в Российской Федерации)"});
    mbLabel(b, 12, 34, false, 6, {"(нужное отметить знаком V)"});

    mbLabel(b, 10, 41.5, false, 8, {"Почтовый индекс"});
    mbSq5(b, 40, 40, Q(p.PostIndex), 6);
    mbLabel(b, 80, 41.5, false, 8, {"Код региона"});
    mbSq5(b, 100, 40, Q(p.RegionCode == 0 ? std::string() : std::to_string(p.RegionCode)), 2);
    Row(b, 55, "Субъект Российской Федерации", 62, 133, p.RegionName);
    Row(b, 63, "Район", 40, 155, p.District);
    Row(b, 71, "Город", 40, 155, p.City);
    Row(b, 79, "Населенный пункт", 40, 155, p.Locality);
    Row(b, 87, "Улица", 40, 155, p.Street);
    mbLabel(b, 10, 93.5, false, 8, {"Дом"});
    mbSq5(b, 25, 92, Q(Trim(p.House)), 8);
    mbLabel(b, 68, 93.5, false, 8, {"Корпус"});
    mbSq5(b, 82, 92, Q(Trim(p.Building)), 8);
    mbLabel(b, 125, 93.5, false, 8, {"Квартира"});
    mbSq5(b, 142, 92, Q(Trim(p.Flat)), 8);

    std::string phone =
        Trim(p.HomePhoneExtra.empty() ? p.HomePhone : p.HomePhoneExtra + " " + p.HomePhone);
    if (Trim(phone).empty()) {
        phone = Trim(p.WorkPhoneExtra.empty() ? p.WorkPhone : p.WorkPhoneExtra + " " + p.WorkPhone);
    }
    Row(b, 108, "Контактный телефон", 45, 80, phone);
    Row(b, 120, "Адрес места жительства за пределами Российской Федерации", 106, 89,
        p.ForeignAddress);

    mbPodval(report, data.PrintDate, FooterDate(data));
}

}  // namespace

std::string Initial(const std::string& name) {
    std::vector<std::string> chars = Utf8Chars(name);
    return chars.empty() ? std::string(" ") : chars.front();
}

std::string EstimatedIncomeCells(Money income) {
    return RublesInWidth(income, 15);
}

kTTitulNRDan TitulNRDan(const kTDanLog& data) {
    const kTDeclDan& h = data.Header;
    const mTPersonInformation& p = data.Person;
    kTTitulNRDan t;
    t.INN = Trim(p.INN);
    t.InspectionCode = h.InspectionCode;
    t.InspectionName = h.InspectionName;
    t.Year = EstimatedIncomeYear(data.Declaration.Year);
    t.Primary = h.IsPrimary != 0;
    t.CorrectionNumber = std::to_string(h.CorrectionNumber);
    t.Category = h.TaxpayerCategory;
    t.SurName = p.SurName;
    t.Name = p.Name;
    t.Patronymic = p.Patronymic;
    t.InsuranceNumber = DigitsOf(p.InsuranceNumber);
    t.BirthDate = DateText(p.BirthDate);
    t.Female = Trim(p.Sex) == "1";
    t.CitizenshipName = p.CitizenshipName;
    t.CitizenshipCode = Trim(p.CitizenshipCode);
    if (t.CitizenshipCode.empty()) t.CitizenshipCode = "643";
    if (t.CitizenshipCode.size() < 3)
        t.CitizenshipCode.insert(0, 3 - t.CitizenshipCode.size(), ' ');
    t.BirthPlace = p.BirthPlace;
    t.DocTypeName = p.DocTypeName;
    t.DocTypeCode = std::to_string(p.DocTypeCode);
    if (t.DocTypeCode.size() < 2) t.DocTypeCode.insert(0, 1, '0');
    t.DocNumber = p.DocNumber;
    t.DocIssuedBy = p.DocIssuedBy;
    t.DocIssueDate = DateText(p.DocIssueDate);
    if (p.DocTypeCode == 0) {
        // No identity document chosen: its cells stay empty rather than show a
        // code 00 and the record's default date.
        t.DocTypeName.clear();
        t.DocTypeCode.clear();
        t.DocNumber.clear();
        t.DocIssuedBy.clear();
        t.DocIssueDate.clear();
    }
    t.PostIndex = p.PostIndex;
    t.RegionName = p.RegionName;
    t.RegionCode = p.RegionCode == 0 ? std::string() : std::to_string(p.RegionCode);
    if (t.RegionCode.size() == 1) t.RegionCode.insert(0, 1, '0');
    t.District = p.District;
    t.City = p.City;
    t.Locality = p.Locality;
    t.Street = p.Street;
    t.House = p.House;
    t.Building = p.Building;
    t.Flat = p.Flat;
    t.ForeignAddress = p.ForeignAddress;
    t.Pages = std::to_string(data.Plan.TotalPages);
    t.Appendixes = std::to_string(h.AppendixTotal);
    t.Date = DateCellsText(h.FilingDate, data.PrintDate);
    return t;
}

std::unique_ptr<TQz2004Report> ComposeSheet(const kTDanLog& data, const kTSheetValues& values,
                                            int kind) {
    auto report = std::make_unique<TQz2004Report>();
    if (data.Plan.Pages[kind] == 0) return report;
    if (data.Plan.Form2008) {
        ComposeForm2008Sheet(*report, data, values, kind);
        return report;
    }
    const bool estimated = data.IsEstimatedIncome();
    if (kind == kTitleSheet) {
        kTTitulNRDan t = TitulNRDan(data);
        if (estimated) {
            ClTitulNR(*report, t);
        } else {
            ClTitul(*report, data, t);
        }
    } else if (kind == kSecondSheet) {
        ClAdr(*report, data);
    } else if (kind == kSection1Sheet && estimated) {
        ClNR2(*report, data);
    } else {
        ComposeFormSheet(*report, data, values, kind);
    }
    return report;
}

kTReportSheets::kTReportSheets(const kTDanLog& data, const kTRepSvodSum& sums)
    : data_(data), values_(SheetValuesFromSums(data, sums)) {}

const TQz2004Report& kTReportSheets::Sheet(int kind) {
    std::unique_ptr<TQz2004Report>& slot = reports_.at(static_cast<size_t>(kind));
    if (!slot) slot = ComposeSheet(data_, values_, kind);
    return *slot;
}

int kTReportSheets::ComposedCount() const {
    int count = 0;
    for (const auto& report : reports_) count += report != nullptr;
    return count;
}

}  // namespace zorv
