// The title page (page 001) and page 002 of the form of 2008. Their text on the
// form of order No. 153н was not found in the public copies; both pages are
// shaped after the elements Документ, НПФЛ3 and Подписант of format 5.04, with
// the captions of the report library's title pages.

#include <algorithm>

#include "report/form2008.h"
#include "report/sheetdrawer.h"

namespace zorv {
namespace {

using namespace form;

void Label(kTBand& b, double x, double y, const std::vector<QString>& lines, int points = 8,
           bool bold = false) {
    mbLabel(b, x, y, bold, points, lines);
}

// A caption with the value's box after it on the same row.
void BoxRow(Drawer& d, double y, const QString& caption, const char* code, double x) {
    Label(*d.b, 10, y + 1.5, {caption});
    d.Value(code, x, y, Cells::Text, 0, 200 - x);
}

// The header of the title page: the marks, the INN and page 001.
void TitleHeading(Drawer& d) {
    kTBand& b = *d.b;
    mbBlackSquare(b, 10.2, 10);
    mbBlackSquare(b, 195, 10);
    Label(b, 59, 12, {"ИНН"});
    d.Value("ИННФЛ", 67.5, 10, Cells::Chars, 12);
    Label(b, 111, 19, {"Стр."});
    mbSq5(b, 119.31, 17.5, "001", 3);
}

// The document: its kind, correction, period, year and inspection.
double DocumentRows(Drawer& d, const kTDanLog& data, double y) {
    kTBand& b = *d.b;
    Label(
        b, 10, y,
        {"Вид документа: 1 - первичный, 3 - корректирующий", "(через дробь номер корректировки)"});
    const std::string correction = d.Text("НомКорр");
    const bool corrective = !correction.empty() && !IsZeroText(correction);
    mbSq5(b, 95, y, corrective ? "3" : "1", 1);
    Label(b, 101.2, y + 1, {"/"}, 10);
    if (corrective)
        d.Value("НомКорр", 104, y, Cells::Chars, 2);
    else
        mbSq5(b, 104, y, QString(), 2);
    Label(b, 145, y + 1.5, {"Отчетный год"});
    d.Value("ОтчетГод", 168, y, Cells::Chars, 4);
    y += 8;
    Label(b, 10, y + 1.5, {"Отчетный налоговый период (код)"});
    d.Value("Период", 66, y, Cells::Chars, 2);
    y += 8;
    Label(b, 10, y + 1.5, {"Представляется в"});
    mbRek(b, 36, y + 5, 124, false, Q(data.Header.InspectionName));
    Label(b, 80, y + 5.5, {"(наименование налогового органа)"}, 6);
    Label(b, 165, y + 1.5, {"Код"});
    d.Value("КодНО", 172, y, Cells::Chars, 4);
    y += 10;
    Label(b, 10, y + 1.5, {"Код ОКАТО"});
    d.Value("ОКАТО", 40, y, Cells::Chars, 11);
    Label(b, 100, y + 1.5, {"Код категории налогоплательщика"});
    d.Value("ДокПредст", 160, y, Cells::Chars, 3);
    y += 7;
    Label(b, 10, y,
          {"720 - индивидуальный предприниматель; 770 - глава крестьянского (фермерского) "
           "хозяйства; 730 - частный нотариус;",
           "740 - адвокат; 750 - иностранное физическое лицо; 760 - иное физическое лицо"},
          6);
    return y + 7;
}

// The taxpayer: name, birth, citizenship and identity document.
double PersonRows(Drawer& d, const kTDanLog& data, double y) {
    kTBand& b = *d.b;
    for (const auto& [caption, code] : {std::pair<QString, const char*>{"Фамилия", "Фамилия"},
                                        {"Имя", "Имя"},
                                        {"Отчество", "Отчество"}}) {
        Label(b, 10, y + 1.5, {caption});
        d.Value(code, 40, y, Cells::Chars, 34);
        y += 8;
    }
    Label(b, 10, y + 1.5, {"Дата рождения"});
    d.Value("ДатаРожд", 40, y, Cells::Date);
    y += 8;
    BoxRow(d, y, "Место рождения", "МестоРожд", 40);
    y += 8;
    Label(b, 10, y + 1.5, {"Гражданство"});
    mbRek(b, 40, y + 5, 100, false, Q(data.Person.CitizenshipName));
    Label(b, 150, y + 1.5, {"Код страны"});
    d.Value("ОКСМ", 172, y, Cells::Chars, 3);
    y += 8;
    Label(b, 10, y + 1.5,
          {"Признак гражданства (1 - гражданин государства, 2 - лицо без гражданства)"});
    d.Value("ПрГражд", 135, y, Cells::Chars, 1);
    y += 9;

    Label(b, 10, y, {"Сведения о документе, удостоверяющем личность:"}, 8, true);
    y += 4;
    // The document's name is the declaration's; it is printed with the code the
    // file holds, and not without one.
    const bool document = d.block->Find("КодВидДок") != nullptr;
    Label(b, 10, y + 1.5, {"Вид документа"});
    mbRek(b, 40, y + 5, 120, false, document ? Q(data.Person.DocTypeName) : QString());
    Label(b, 164, y + 1.5, {"Код"});
    d.Value("КодВидДок", 172, y, Cells::Chars, 2);
    y += 8;
    BoxRow(d, y, "Серия и номер", "СерНомДок", 40);
    y += 8;
    BoxRow(d, y, "Кем выдан", "ВыдДок", 40);
    y += 8;
    Label(b, 10, y + 1.5, {"Дата выдачи"});
    d.Value("ДатаУдЛичн", 40, y, Cells::Date);
    return y + 9;
}

// The confirmation: who signs, the representative, the signature and the date.
double SignerRows(Drawer& d, const kTDanLog& data, double y) {
    kTBand& b = *d.b;
    mbPolosa(b, 10, y, 190, 0.3);
    Label(b, 10, y + 2,
          {"Достоверность и полноту сведений, указанных в настоящей декларации, подтверждаю:"}, 8,
          true);
    y += 7;
    Label(b, 10, y + 1.5, {"1 - налогоплательщик, 2 - представитель налогоплательщика"});
    d.Value("ПрПодп", 110, y, Cells::Chars, 1);
    y += 8;
    Label(b, 10, y, {"Фамилия, имя, отчество представителя"}, 7);
    y += 3;
    d.Value("ПредФамилия", 10, y, Cells::Short, 0, 62);
    d.Value("ПредИмя", 74, y, Cells::Short, 0, 62);
    d.Value("ПредОтчество", 138, y, Cells::Short, 0, 62);
    y += 8;
    Label(b, 10, y, {"Наименование организации - представителя налогоплательщика"}, 7);
    d.Value("НаимОрг", 10, y + 3, Cells::Text, 0, 190);
    y += 11;
    Label(b, 10, y, {"Наименование документа, подтверждающего полномочия представителя"}, 7);
    d.Value("НаимДок", 10, y + 3, Cells::Text, 0, 190);
    y += 12;
    Label(b, 10, y + 1.5, {"Подпись ____________________"});
    Label(b, 80, y + 1.5, {"Дата"});
    if (data.PrintDate)
        d.Value("ДатаДок", 90, y, Cells::Date);
    else
        mbDate(b, 90, y, QStringLiteral("  .  .    "));
    return y + 9;
}

}  // namespace

void ComposeForm2008Title(TQz2004Report& report, const kTDanLog& data,
                          const kTSheetValues& values) {
    Drawer d(report, data, values, kTitleSheet);
    d.b = &report.AddBand(kPaperHeight, true);
    d.block = &values[kTitleSheet].Totals;
    kTBand& b = *d.b;
    TitleHeading(d);

    Label(b, 140, 25,
          {"Приложение № 1", "к приказу Министерства финансов", "Российской Федерации",
           "от 31.12.2008 № 153н"},
          7);
    // The form's number is the file's КНД.
    Label(b, 140, 41, {"Форма по КНД"}, 8, true);
    d.Value("КНД", 165, 39.5, Cells::Chars, 7);
    Label(b, 72, 47, {"Налоговая декларация"}, 12, true);
    Label(b, 42, 52.5, {"по налогу на доходы физических лиц (форма 3-НДФЛ)"}, 10, true);

    double y = DocumentRows(d, data, 60);
    y = PersonRows(d, data, y);

    Label(b, 10, y + 1.5, {"Декларация составлена на"});
    mbSq5(b, 52, y, Q(std::to_string(data.Plan.TotalPages)), 3);
    Label(b, 67, y + 1.8, {"страницах с приложением подтверждающих документов или их копий на"}, 7);
    // No supporting sheets: the cells stay empty, as a zero amount's do.
    const uint32_t appendixes = data.Header.AppendixTotal;
    mbSq5(b, 168, y, appendixes == 0 ? QString() : Q(std::to_string(appendixes)), 3);
    Label(b, 183, y + 1.5, {"листах"});
    y = SignerRows(d, data, y + 9);

    mbPolosa(b, 10, y, 190, 0.3);
    Label(b, 10, y + 2, {"Заполняется работником налогового органа"}, 8, true);
    Label(b, 10, y + 6,
          {"Сведения о представлении декларации", "Данная декларация представлена (код)",
           "на страницах", "с приложением подтверждающих документов или их копий на листах",
           "Дата представления декларации", "Зарегистрирована за №", "Фамилия, И.О.    Подпись"},
          7);
    mbBlackSquare(b, 10.2, 287);
    mbBlackSquare(b, 195, 287);
}

void ComposeForm2008Second(TQz2004Report& report, const kTDanLog& data,
                           const kTSheetValues& values) {
    Drawer d(report, data, values, kSecondSheet);
    d.OpenPage(1);
    d.block = &values[kSecondSheet].Totals;
    kTBand& b = *d.b;

    Label(b, 10, 4, {"Статус налогоплательщика"}, 9, true);
    d.Mark(12, 10, "Статус", "1", "1 - физическое лицо - налоговый резидент Российской Федерации");
    d.Mark(110, 10, "Статус", "2", "2 - физическое лицо, не являющееся налоговым");
    Label(b, 116, 14, {"резидентом Российской Федерации"}, 7);

    Label(b, 10, 22, {"Место жительства налогоплательщика"}, 9, true);
    d.Mark(12, 28, "ПрАдр", "1", "1 - адрес места жительства в Российской Федерации");
    d.Mark(110, 28, "ПрАдр", "2", "2 - адрес места пребывания в Российской Федерации");
    Label(b, 116, 32.5, {"(заполняется при отсутствии места жительства в Российской Федерации)"},
          6);

    Label(b, 10, 41.5, {"Почтовый индекс"});
    d.Value("Индекс", 40, 40, Cells::Chars, 6);
    // The region by its code, as on the form of 2008; its name beside the code.
    Label(b, 10, 51.5, {"Субъект Российской Федерации (код)"});
    d.Value("КодРегион", 64, 50, Cells::Chars, 2);
    mbRek(b, 78, 55, 122, false, Q(data.Person.RegionName));
    double y = 60;
    for (const auto& [caption, code] : {std::pair<QString, const char*>{"Район", "Район"},
                                        {"Город", "Город"},
                                        {"Населенный пункт", "НаселПункт"},
                                        {"Улица", "Улица"}}) {
        BoxRow(d, y, caption, code, 40);
        y += 8;
    }
    Label(b, 10, y + 1.5, {"Дом"});
    d.Value("Дом", 25, y, Cells::Chars, 8);
    Label(b, 68, y + 1.5, {"Корпус"});
    d.Value("Корпус", 82, y, Cells::Chars, 8);
    Label(b, 125, y + 1.5, {"Квартира"});
    d.Value("Кварт", 142, y, Cells::Chars, 8);
    y += 14;
    BoxRow(d, y, "Контактный телефон", "Тлф", 45);
    y += 12;
    Label(b, 10, y - 1, {"Адрес места жительства за пределами Российской Федерации"});
    d.Value("АдрИно", 10, y + 3, Cells::Text, 0, 190);
    d.ClosePage();
}

}  // namespace zorv
