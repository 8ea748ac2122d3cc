// Листы В, Г1 and Г2 of the form of 2008 (Лист А is the report library's, with
// the item numbers of the form of 2008).
//
// Found of their text (see form2008-sources.md): the items 2.1 of Листы А and
// Б and 3.1, 3.2 of Лист В named in Раздел 1; the items 2.2.3, 2.2.3.1, 2.2.4
// and 2.3 of Лист В (its filling procedure, section XII); items 1.7 and 2 of
// Лист Г1 with the lines 110-180. Not found: the titles of Листы А, В and Г1
// (they keep the report library's), the other captions (likewise), Лист Г2 as
// a whole (shaped after the element ДоходМатВыг of format 5.04), and the line
// codes except those of Лист Г1 (the earlier form's codes are kept).

#include <algorithm>
#include <tuple>

#include "report/form2008.h"
#include "report/formsheets.h"
#include "report/sheetdrawer.h"

namespace zorv {
namespace {

using namespace form;

constexpr const char* kSheetVTitle =
    "Лист В. Доходы от предпринимательской, адвокатской деятельности, частной практики";

// The totals of Лист В, item 3.
double SheetVTotals(Drawer& d, double y, std::initializer_list<Row> rows) {
    d.Heading(y + 1, "3. Итого");
    return d.Table(y + 6, rows);
}

void SheetV(Drawer& d) {
    ListSheet(
        d, 1, [](Drawer& d) { return d.Title(2, kSheetVTitle); },
        [](Drawer& d, double y, bool) {
            mbRamkaTit(*d.b, 10, y, true);
            y = d.Table(y + 7,
                        {{"010",
                          "1. Вид деятельности (1 - предпринимательская, 2 - частная практика "
                          "нотариуса, 3 - адвоката, 4 - глава крестьянского (фермерского) "
                          "хозяйства)",
                          Cells::Chars, 1},
                         {"020", "Код вида экономической деятельности", Cells::Chars, 8}});
            return d.Table(
                y,
                {{"030",
                  "2.1. Общая сумма доходов, полученных от предпринимательской деятельности"},
                 {"040", "2.2. Сумма фактически произведенных расходов"},
                 {"050", "2.2.1. материальные расходы"},
                 {"060", "2.2.2. амортизационные начисления"},
                 {"070", "2.2.3. сумма расходов на оплату труда"},
                 {"080",
                  "2.2.3.1. сумма выплат, произведенных физическим лицам на основании "
                  "трудовых договоров"},
                 {"090", "2.2.4. прочие расходы, непосредственно связанные с извлечением доходов"},
                 {"220",
                  "2.3. Сумма расходов, учитываемая в составе профессионального налогового "
                  "вычета, в пределах норматива (пп. 2.1 x 0,20)"}});
        },
        [](Drawer& d, double y) {
            SheetVTotals(
                d, y,
                {{"230", "3.1. Общая сумма дохода"},
                 {"240", "3.2. Общая сумма профессиональных налоговых вычетов"},
                 {"250", "3.3. Сумма исчисленных авансовых платежей", Cells::Rubles},
                 {"260", "3.4. Сумма фактически уплаченных авансовых платежей", Cells::Rubles},
                 {"270", "Год регистрации крестьянского (фермерского) хозяйства", Cells::Chars, 4},
                 {"280", "Сумма дохода, не подлежащая налогообложению"}});
        });
}

// Private practice without registration, which the declaration file does not
// carry: the declaration's own activities and totals on a page of Лист В.
void SheetVPractice(Drawer& d) {
    ListSheet(
        d, 1, [](Drawer& d) { return d.Title(2, kSheetVTitle); },
        [](Drawer& d, double y, bool) {
            mbRamkaTit(*d.b, 10, y, true);
            return d.Table(y + 7, {{"010", "1. Вид деятельности (частная практика)", Cells::Text}});
        },
        [](Drawer& d, double y) {
            SheetVTotals(
                d, y,
                {{"210", "3.1. Общая сумма дохода"},
                 {"220", "3.2. Общая сумма профессиональных налоговых вычетов"},
                 {"230", "3.3. Сумма исчисленных авансовых платежей", Cells::Rubles},
                 {"240", "3.4. Сумма фактически уплаченных авансовых платежей", Cells::Rubles}});
        });
}

// An item of Лист Г1 with its two amounts side by side.
double ExemptItem(Drawer& d, double y, const QString& caption, const char* income,
                  const char* exempt) {
    const std::vector<QString> lines = Wrap(caption, 184, 7);
    mbLabel(*d.b, 12, y, false, 7, lines);
    // Clear of the amounts' own captions under it.
    y += static_cast<double>(lines.size()) * LabelLineSpacing(7) + 1.5;
    return d.Fields(y, {{income, "Сумма дохода от всех источников выплаты"},
                        {exempt, "Сумма дохода, не подлежащего налогообложению"}});
}

void SheetG1(Drawer& d) {
    ListSheet(
        d, 2,
        [](Drawer& d) {
            double y = d.Title(2, "Лист Г1. Расчет суммы доходов, не подлежащих налогообложению");
            // Item 1 is printed once, on the sheet's first page.
            if (d.page > 1) d.block = &kEmpty;
            d.Heading(y, "1. Доходы, не подлежащие налогообложению (руб., коп.)");
            y += 5;
            static const std::tuple<const char*, const char*, const char*> kItems[] = {
                {"1.1. Единовременная материальная помощь, оказываемая работодателями "
                 "работникам при рождении (усыновлении, удочерении) ребенка",
                 "010", "020"},
                {"1.2. Материальная помощь работодателей работникам", "030", "040"},
                {"1.3. Материальная помощь инвалидам", "050", "060"},
                {"1.4. Стоимость подарков от организаций и предпринимателей", "070", "080"},
                {"1.5. Стоимость призов на конкурсах и соревнованиях", "090", "100"},
                {"1.6. Возмещение стоимости медикаментов", "110", "120"},
                {"1.7. Сумма помощи (в денежной и натуральной формах), а также стоимость "
                 "подарков лицам, перечисленным в п. 33 ст. 217 Кодекса",
                 "130", "140"}};
            for (const auto& [caption, income, exempt] : kItems)
                y = ExemptItem(d, y, Q(caption), income, exempt);
            return d.Fields(y,
                            {{"150", "1.8. Общая сумма доходов, не подлежащих налогообложению"}});
        },
        [](Drawer& d, double y, bool first) {
            if (first) {
                y = d.LongHeading(y,
                                  "2. Расчет сумм доходов в виде стоимости любых выигрышей и "
                                  "призов, полученных в проводимых конкурсах, играх и других "
                                  "мероприятиях в целях рекламы товаров, работ и услуг, не "
                                  "подлежащих налогообложению в соответствии с п. 28 ст. 217 "
                                  "Кодекса") +
                    1;
            }
            y = d.Fields(y, {{"ИНН", "ИНН источника выплаты", Cells::Chars, 12},
                             {"КПП", "КПП источника выплаты", Cells::Chars, 9},
                             {"160", "Наименование источника выплаты дохода", Cells::Text}});
            // The two amounts under captions of up to two lines each.
            double bottom = y;
            for (const auto& [x, code, caption] :
                 {std::tuple<double, const char*, const char*>{10, "170",
                                                               "Сумма дохода (руб., коп.)"},
                  {10 + kColumnWidth, "180",
                   "Сумма дохода, не подлежащего налогообложению (равно значению показателя "
                   "170, но не более 4000 руб.)"}}) {
                const std::vector<QString> lines = Wrap(Q(caption), kColumnWidth - 12, 6);
                mbLabel(*d.b, x + 8, y, false, 6, lines);
                const double top = y + static_cast<double>(lines.size()) * LabelLineSpacing(6);
                mbLabel(*d.b, x, top + 1.5, false, 8, {Q(code)});
                d.Value(code, x + 8, top, Cells::Kopecks);
                bottom = std::max(bottom, top + 7);
            }
            return bottom + 1;
        },
        [](Drawer& d, double y) {
            d.Fields(y + 1,
                     {{"190", "3. Общая сумма доходов, не подлежащих налогообложению, по п. 2"}});
        });
}

void SheetG2(Drawer& d) {
    ListSheet(
        d, 4,
        [](Drawer& d) {
            return d.Title(2,
                           "Лист Г2. Расчет суммы налога, удержанного налоговыми агентами с "
                           "доходов в виде материальной выгоды, не подлежащих налогообложению");
        },
        [](Drawer& d, double y, bool first) {
            if (first) d.Heading(y, "1. Показатели по источнику выплаты дохода");
            y += first ? 5 : 1;
            y = d.Fields(y, {{"010", "ИНН", Cells::Chars, 12},
                             {"020", "КПП", Cells::Chars, 9},
                             {"040", "Код ОКАТО", Cells::Chars, 11},
                             {"030", "Наименование (Ф.И.О.) источника выплаты дохода", Cells::Text},
                             {"050", "Сумма дохода в виде материальной выгоды"},
                             {"060", "Сумма налога, удержанная налоговым агентом", Cells::Rubles}});
            d.b->AddHLine(10, y + 0.5, 188, PenStyle::Solid, 0.2);
            return y + 1;
        },
        [](Drawer& d, double y) {
            d.Fields(y + 1, {{"070", "2. Общая сумма налога, удержанная налоговыми агентами",
                              Cells::Rubles}});
        });
}

}  // namespace

bool ComposeForm2008Income(TQz2004Report& report, const kTDanLog& data, const kTSheetValues& values,
                           int kind) {
    Drawer d(report, data, values, kind);
    switch (kind) {
        case kKindV1:
            SheetV(d);
            return true;
        case kKindV2:
            SheetVPractice(d);
            return true;
        case kKindG:
            SheetG1(d);
            return true;
        case kKindG2:
            SheetG2(d);
            return true;
        default:
            return false;
    }
}

void ComposeForm2008Sheet(TQz2004Report& report, const kTDanLog& data, const kTSheetValues& values,
                          int kind) {
    if (kind == kTitleSheet) return ComposeForm2008Title(report, data, values);
    if (kind == kSecondSheet) return ComposeForm2008Second(report, data, values);
    if (ComposeForm2008Section(report, data, values, kind)) return;
    if (ComposeForm2008Income(report, data, values, kind)) return;
    // Листы А, Б, Д-Ж2, З, И, К1-К4 and Л: the report library's drawing, under
    // the header of the form of 2008 (the text of most of them was not found).
    ComposeFormSheet(report, data, values, kind);
}

}  // namespace zorv
