#include "report/formsheets.h"

#include <algorithm>
#include <set>

#include "report/sheetdrawer.h"

namespace zorv {
namespace {

using namespace form;

// ---- Разделы 1-6 ----

void Section1(Drawer& d) {
    Section(
        d, "Раздел 1. Расчёт налоговой базы и суммы налога по доходам, облагаемым по ставке 13 %",
        true,
        {{"I Расчёт общей суммы дохода, подлежащего налогообложению по ставке 13%",
          {{"010",
            "Общая сумма дохода (сумма значений строк 080 Листа А, 150 Листа Б, 230 Листа В1, 210 "
            "Листа В2)"},
           {"020", "Общая сумма дохода, не подлежащего налогообложению (строка 130 Листа Г)"},
           {"030", "Общая сумма дохода, подлежащего налогообложению (стр.010 - стр.020)"}}},
         {"II Сумма расходов и налоговых вычетов, уменьшающих налоговую базу",
          {{"040",
            "Общая сумма расходов и налоговых вычетов (сумма значений строк 240 Листа В1, 220 "
            "Листа В2, 110 Листа Д, 070 Листа Е, 210 Листа Ж1, 130 Листа Ж2, 430 Листа З, 420 "
            "Листа И, 220 Листа К1, 130 Листа К2, 240 Листа Л)"}}},
         {"III Расчёт налоговой базы", {{"050", "Налоговая база (стр.030 - стр.040)"}}},
         {"IV Расчёт итоговой суммы налога, подлежащей уплате (доплате) / возврату (руб.)",
          {{"060", "Сумма налога, исчисленного к уплате (стр.050 х 13 / 100)", Cells::Rubles},
           {"070",
            "Общая сумма налога, удержанная у источника выплаты (сумма значений строк 110 Листа А)",
            Cells::Rubles},
           {"075", "Сумма фактически уплаченных авансовых платежей (строка 260 Листа В1)",
            Cells::Rubles},
           {"080", "Общая сумма налога, уплаченного на основании налоговых уведомлений",
            Cells::Rubles},
           {"090",
            "Сумма налога, уплаченного в иностранных государствах, подлежащая зачёту (строка 180 "
            "Листа Б)",
            Cells::Rubles},
           {"100",
            "Сумма налога, подлежащая возврату из бюджета (стр.070 + стр.075 + стр.080 + стр.090 - "
            "стр.060)",
            Cells::Rubles},
           {"110",
            "Сумма налога, подлежащая уплате (доплате) в бюджет (стр.060 - стр.070 - стр.075 - "
            "стр.080 - стр.090)",
            Cells::Rubles}}}});
}

void Section2(Drawer& d) {
    Section(
        d, "Раздел 2. Расчёт налоговой базы и суммы налога по доходам, облагаемым по ставке 30 %",
        true,
        {{"I Расчёт общей суммы дохода, подлежащего налогообложению по ставке 30%",
          {{"010", "Общая сумма дохода (строка 080 Листа А)"},
           {"020", "Общая сумма дохода, не подлежащего налогообложению (строка 130 Листа Г)"},
           {"030", "Общая сумма дохода, подлежащего налогообложению (стр.010 - стр.020)"},
           {"040", "Сумма расходов, уменьшающих налоговую базу (строки 430 Листа З и 420 Листа И)"},
           {"050", "Налоговая база (стр.030 - стр.040)"}}},
         {"II Расчёт итоговой суммы налога, подлежащей уплате (доплате) / возврату (руб.)",
          {{"060", "Сумма налога, исчисленного к уплате (стр.050 х 30 / 100)", Cells::Rubles},
           {"070", "Общая сумма налога, удержанная у источника выплаты", Cells::Rubles},
           {"080", "Общая сумма налога, уплаченного на основании налоговых уведомлений",
            Cells::Rubles},
           {"090", "Сумма налога, подлежащая возврату из бюджета (стр.070 + стр.080 - стр.060)",
            Cells::Rubles},
           {"100",
            "Сумма налога, подлежащая уплате (доплате) в бюджет (стр.060 - стр.070 - стр.080)",
            Cells::Rubles}}}});
}

void Section3(Drawer& d) {
    Section(d,
            "Раздел 3. Расчёт налоговой базы и суммы налога по доходам, облагаемым по ставке 35 %",
            true,
            {{"I Расчёт налоговой базы",
              {{"010", "Общая сумма дохода (сумма значений строк 080 Листа А и 150 Листа Б)"},
               {"020", "Общая сумма дохода, не подлежащего налогообложению (строка 170 Листа Г)"},
               {"030", "Налоговая база (стр.010 - стр.020)"}}},
             {"II Расчёт итоговой суммы налога, подлежащей уплате (доплате) / возврату (руб.)",
              {{"040", "Сумма налога, исчисленного к уплате (стр.030 х 35 / 100)", Cells::Rubles},
               {"050", "Общая сумма налога, удержанная у источника выплаты", Cells::Rubles},
               {"060", "Общая сумма налога, уплаченного на основании налоговых уведомлений",
                Cells::Rubles},
               {"070", "Сумма налога, уплаченного в иностранных государствах, подлежащая зачёту",
                Cells::Rubles},
               {"080", "Сумма налога, подлежащая возврату из бюджета", Cells::Rubles},
               {"090", "Сумма налога, подлежащая уплате (доплате) в бюджет", Cells::Rubles}}}});
}

void Section4(Drawer& d) {
    Section(d,
            "Раздел 4. Расчёт налоговой базы и суммы налога по доходам, облагаемым по ставке 9 %",
            true,
            {{"I Расчёт налоговой базы",
              {{"010", "Общая сумма дохода (сумма значений строк 080 Листа А и 150 Листа Б)"},
               {"020", "Налоговая база"}}},
             {"II Расчёт итоговой суммы налога, подлежащей уплате (доплате) / возврату (руб.)",
              {{"030", "Сумма налога, исчисленного к уплате (стр.020 х 9 / 100)", Cells::Rubles},
               {"040", "Общая сумма налога, удержанная у источника выплаты", Cells::Rubles},
               {"050", "Общая сумма налога, уплаченного на основании налоговых уведомлений",
                Cells::Rubles},
               {"060", "Сумма налога, уплаченного в иностранных государствах, подлежащая зачёту",
                Cells::Rubles},
               {"070", "Сумма налога, подлежащая возврату из бюджета", Cells::Rubles},
               {"080", "Сумма налога, подлежащая уплате (доплате) в бюджет", Cells::Rubles}}}});
}

void Section5(Drawer& d) {
    Section(d,
            "Раздел 5. Расчёт общей суммы налога, подлежащей уплате (доплате) в бюджет / возврату "
            "из бюджета",
            false,
            {{"",
              {{"010",
                "Общая сумма налога, подлежащая возврату из бюджета (сумма значений строк 100 "
                "Раздела 1, 090 Раздела 2, 080 Раздела 3, 070 Раздела 4)",
                Cells::Rubles},
               {"020",
                "Общая сумма налога, подлежащая уплате (доплате) в бюджет (сумма значений строк "
                "110 Раздела 1, 100 Раздела 2, 090 Раздела 3, 080 Раздела 4)",
                Cells::Rubles},
               {"030", "Сумма налога, подлежащая возврату из бюджета (стр.010 - стр.020)",
                Cells::Rubles},
               {"040", "Сумма налога, подлежащая уплате (доплате) в бюджет (стр.020 - стр.010)",
                Cells::Rubles}}}});
}

void Section6(Drawer& d) {
    const std::vector<kTSheetBlock>& rows = d.Sheet().Blocks;
    const int pages = std::max<int>(1, static_cast<int>(rows.size()));
    for (int i = 0; i < pages; ++i) {
        d.OpenPage(i + 1);
        d.block = i < static_cast<int>(rows.size()) ? &rows[static_cast<size_t>(i)] : &kEmpty;
        d.Title(
            2,
            "Раздел 6. Суммы налога, подлежащие уплате (доплате) в бюджет / возврату из бюджета");
        mbRamkaTit(*d.b, 10, 12, false);
        double y = 21;
        mbLabel(*d.b, 12, y + 1, true, 10, {"1"});
        mbLabel(*d.b, kCaptionX, y + 1, false, 8, {"Код:"});
        mbLabel(*d.b, kCodeX, y + 1.5, false, 8, {"010"});
        d.Mark(kCellsX, y, "010", "1", "1 - уплата (доплата) в бюджет");
        d.Mark(kCellsX, y + 6, "010", "2", "2 - возврат из бюджета");
        y += 13;
        d.b->AddHLine(10, y, 188, PenStyle::Solid, 0.1);
        // The budget code takes 20 cells: they start left of the usual column.
        mbLabel(*d.b, 12, y + 1, true, 10, {"2"});
        mbLabel(*d.b, kCaptionX, y + 1, false, 8, {"Код бюджетной", "классификации"});
        mbLabel(*d.b, 95, y + 1.5, false, 8, {"020"});
        d.Value("020", 104, y + 1, Cells::Chars, 20);
        y += 8;
        d.b->AddHLine(10, y, 188, PenStyle::Solid, 0.1);
        y = d.Table(y,
                    {{"030", "Код ОКАТО", Cells::Chars, 11},
                     {"040", "Сумма налога, подлежащая уплате (доплате) в бюджет", Cells::Rubles},
                     {"050", "Сумма налога, подлежащая возврату из бюджета", Cells::Rubles}},
                    3);
        d.ClosePage();
    }
}

// On the form of 2008 the sources are item 1 and the totals item 2 (its
// Разделы 1, 4 and 5 refer to items 2.1 and 2.2 of Лист А).
void SheetA(Drawer& d) {
    ListSheet(
        d, 4,
        [](Drawer& d) {
            return RateTitle(d,
                             "Лист А. Доходы от источников в Российской Федерации, облагаемые "
                             "налогом по ставке",
                             true);
        },
        [](Drawer& d, double y, bool first) {
            if (first) {
                d.Heading(y, QString(d.Form2008() ? "1. " : "") +
                                 "Наименование показателей по источнику выплаты дохода");
            }
            y += first ? 5 : 1;
            y = d.Fields(y, {{"010", "ИНН", Cells::Chars, 12},
                             {"020", "КПП", Cells::Chars, 9},
                             {"021", "Код ОКАТО", Cells::Chars, 11},
                             {"030", "Наименование (Ф.И.О.) источника выплаты дохода", Cells::Text},
                             {"040", "Сумма дохода"},
                             {"050", "Сумма облагаемого дохода"},
                             {"060", "Сумма налога исчисленная", Cells::Rubles},
                             {"070", "Сумма налога удержанная", Cells::Rubles}});
            d.b->AddHLine(10, y + 0.5, 188, PenStyle::Solid, 0.2);
            return y + 1;
        },
        [](Drawer& d, double y) {
            if (d.Form2008()) {
                d.Heading(y + 1, "2. Итого по всем источникам выплаты");
                d.Fields(y + 6, {{"080", "2.1. Общая сумма дохода"},
                                 {"090", "2.2. Общая сумма облагаемого дохода"},
                                 {"100", "2.3. Общая сумма налога исчисленная", Cells::Rubles},
                                 {"110", "2.4. Общая сумма налога удержанная", Cells::Rubles}});
                return;
            }
            d.Heading(y + 1, "Итого по всем источникам выплаты");
            d.Fields(y + 6, {{"080", "Общая сумма дохода"},
                             {"090", "Общая сумма облагаемого дохода"},
                             {"100", "Общая сумма налога исчисленная", Cells::Rubles},
                             {"110", "Общая сумма налога удержанная", Cells::Rubles}});
        });
}

void SheetB(Drawer& d) {
    ListSheet(
        d, 2,
        [](Drawer& d) {
            return RateTitle(d, "Лист Б. Доходы от источников за пределами Российской Федерации",
                             false);
        },
        [](Drawer& d, double y, bool first) {
            if (first) d.Heading(y, "Наименование показателей по источнику дохода");
            y += first ? 5 : 1;
            y = d.Fields(
                y, {{"010", "Код страны", Cells::Chars, 3},
                    {"040", "Код валюты", Cells::Chars, 3},
                    {"020", "Наименование источника выплаты дохода", Cells::Text},
                    {"030", "Наименование валюты", Cells::Text},
                    {"050", "Дата получения дохода", Cells::Date},
                    {"060", "Курс валюты на дату получения дохода", Cells::Rate},
                    {"070", "Сумма полученного дохода в иностранной валюте"},
                    {"080", "Сумма полученного дохода в рублях"},
                    {"090", "Дата уплаты налога", Cells::Date},
                    {"100", "Курс валюты на дату уплаты налога", Cells::Rate},
                    {"110", "Сумма налога, уплаченная в иностранном государстве, в валюте"},
                    {"120", "Сумма налога, уплаченная в иностранном государстве, в рублях"},
                    {"130", "Сумма налога, исчисленная в Российской Федерации", Cells::Rubles},
                    {"140", "Сумма налога, подлежащая зачёту", Cells::Rubles}});
            d.b->AddHLine(10, y + 0.5, 188, PenStyle::Solid, 0.2);
            return y + 1;
        },
        [](Drawer& d, double y) {
            d.Heading(y + 1, "Итого по всем источникам дохода");
            d.Fields(
                y + 6,
                {{"150", "Общая сумма дохода в рублях"},
                 {"160", "Общая сумма налога, уплаченная в иностранных государствах, в рублях"},
                 {"170", "Сумма налога, исчисленная в Российской Федерации", Cells::Rubles},
                 {"180", "Сумма налога, подлежащая зачёту", Cells::Rubles}});
        });
}

void SheetV1(Drawer& d) {
    ListSheet(
        d, 1,
        [](Drawer& d) {
            return d.Title(
                2, "Лист В1. Доходы от предпринимательской деятельности и частной практики");
        },
        [](Drawer& d, double y, bool) {
            mbRamkaTit(*d.b, 10, y, true);
            return d.Table(
                y + 7,
                {{"010",
                  "Вид деятельности (1 - предпринимательская, 2 - частная практика нотариуса, 3 - "
                  "адвоката, 4 - глава крестьянского (фермерского) хозяйства)",
                  Cells::Chars, 1},
                 {"020", "Код вида экономической деятельности", Cells::Chars, 8},
                 {"030", "Сумма полученного дохода"},
                 {"040", "Сумма фактически произведённых расходов"},
                 {"050", "материальные расходы"},
                 {"060", "амортизационные начисления"},
                 {"070", "расходы на выплаты и вознаграждения в пользу физических лиц"},
                 {"080", "расходы по договорам гражданско-правового характера"},
                 {"090", "прочие расходы"},
                 {"220",
                  "Сумма профессионального налогового вычета по нормативу (20% от суммы дохода)"}});
        },
        [](Drawer& d, double y) {
            d.Heading(y + 1, "Итого по всем видам деятельности");
            d.Table(
                y + 6,
                {{"230", "Общая сумма дохода"},
                 {"240", "Общая сумма профессиональных налоговых вычетов"},
                 {"250", "Сумма исчисленных авансовых платежей", Cells::Rubles},
                 {"260", "Сумма фактически уплаченных авансовых платежей", Cells::Rubles},
                 {"270", "Год регистрации крестьянского (фермерского) хозяйства", Cells::Chars, 4},
                 {"280", "Сумма дохода, не подлежащая налогообложению"}});
        });
}

void SheetV2(Drawer& d) {
    ListSheet(
        d, 1,
        [](Drawer& d) {
            return d.Title(2,
                           "Лист В2. Доходы, полученные физическими лицами, не являющимися "
                           "индивидуальными предпринимателями, от осуществления частной практики");
        },
        [](Drawer& d, double y, bool) {
            mbRamkaTit(*d.b, 10, y, true);
            return d.Table(y + 7, {{"010", "Вид деятельности", Cells::Text},
                                   {"020", "Сумма полученного дохода"},
                                   {"030", "Сумма фактически произведённых расходов"}});
        },
        [](Drawer& d, double y) {
            d.Heading(y + 1, "Итого по всем видам деятельности");
            d.Table(y + 6,
                    {{"210", "Общая сумма дохода"},
                     {"220", "Общая сумма профессиональных налоговых вычетов"},
                     {"230", "Сумма исчисленных авансовых платежей", Cells::Rubles},
                     {"240", "Сумма фактически уплаченных авансовых платежей", Cells::Rubles}});
        });
}

void SheetG(Drawer& d) {
    ListSheet(
        d, 2,
        [](Drawer& d) {
            const double top =
                d.Title(2, "Лист Г. Расчёт суммы доходов, не подлежащих налогообложению");
            // Item 1 is printed once, on the sheet's first page.
            if (d.page > 1) d.block = &kEmpty;
            mbRamkaTit(*d.b, 10, top, true);
            return d.Table(
                       top + 7,
                       {{"010", "Материальная помощь работодателей работникам: сумма дохода"},
                        {"020", "не подлежащая налогообложению сумма (не более 4000 руб.)"},
                        {"030", "Материальная помощь инвалидам: сумма дохода"},
                        {"040", "не подлежащая налогообложению сумма"},
                        {"050",
                         "Стоимость подарков от организаций и предпринимателей: сумма дохода"},
                        {"060", "не подлежащая налогообложению сумма"},
                        {"070", "Стоимость призов на конкурсах и соревнованиях: сумма дохода"},
                        {"080", "не подлежащая налогообложению сумма"},
                        {"090", "Возмещение стоимости медикаментов: сумма дохода"},
                        {"100", "не подлежащая налогообложению сумма"},
                        {"110", "Стоимость подарков и помощи ветеранам и инвалидам: сумма дохода"},
                        {"120", "не подлежащая налогообложению сумма"},
                        {"130",
                         "Общая сумма доходов, не подлежащих налогообложению (сумма чётных строк "
                         "020-120)"}}) +
                   1;
        },
        [](Drawer& d, double y, bool first) {
            if (first) d.Heading(y, "Доходы в виде призов в рекламных целях (ставка 35 %)");
            y += first ? 5 : 1;
            return d.Fields(y, {{"ИНН", "ИНН источника", Cells::Chars, 12},
                                {"КПП", "КПП источника", Cells::Chars, 9},
                                {"140", "Наименование источника выплаты", Cells::Text},
                                {"150", "Сумма дохода"},
                                {"160", "Сумма, не подлежащая налогообложению"}});
        },
        [](Drawer& d, double y) {
            d.Fields(y + 1,
                     {{"170", "Общая сумма доходов, не подлежащих налогообложению (ставка 35 %)"}});
        });
}

void SheetD(Drawer& d) {
    ListSheet(
        d, 3,
        [](Drawer& d) {
            return OriginTitle(d,
                               "Лист Д. Расчёт профессиональных налоговых вычетов, установленных "
                               "пунктом 3 статьи 221 Налогового кодекса Российской Федерации");
        },
        [](Drawer& d, double y, bool first) {
            if (first) d.Heading(y, "Расчёт по вознаграждениям");
            y += first ? 5 : 1;
            y = d.Fields(y, {{"010", "ИНН", Cells::Chars, 12},
                             {"020", "КПП", Cells::Chars, 9},
                             {"030", "Наименование (Ф.И.О.) источника выплаты", Cells::Text},
                             {"040", "Код вида дохода", Cells::Chars, 4},
                             {"070", "Код вида расхода", Cells::Chars, 3},
                             {"080", "Норматив затрат (%)", Cells::Number, 3},
                             {"050", "Наименование вида вознаграждения", Cells::Text},
                             {"060", "Сумма дохода"},
                             {"090", "Сумма расходов"}});
            d.b->AddHLine(10, y + 0.5, 188, PenStyle::Solid, 0.2);
            return y + 1;
        },
        [](Drawer& d, double y) {
            d.Fields(y + 1, {{"100", "Общая сумма дохода"}, {"110", "Общая сумма расходов"}});
            mbLabel(*d.b, 12, y + 13, false, 6,
                    {"Код 405 - расходы по нормативу; код 404 - фактически произведённые и "
                     "документально подтверждённые расходы"});
        });
}

void SheetE(Drawer& d) {
    ListSheet(
        d, 6,
        [](Drawer& d) {
            return OriginTitle(d,
                               "Лист Е. Расчёт профессиональных налоговых вычетов по договорам "
                               "гражданско-правового характера");
        },
        [](Drawer& d, double y, bool) {
            y = d.Fields(y, {{"010", "ИНН", Cells::Chars, 12},
                             {"020", "КПП", Cells::Chars, 9},
                             {"030", "Наименование (Ф.И.О.) источника выплаты", Cells::Text},
                             {"040", "Сумма дохода"},
                             {"050", "Сумма расходов"}});
            d.b->AddHLine(10, y + 0.5, 188, PenStyle::Solid, 0.2);
            return y + 1;
        },
        [](Drawer& d, double y) {
            d.Fields(y + 1, {{"060", "Общая сумма дохода"}, {"070", "Общая сумма расходов"}});
        });
}

void SheetZh1(Drawer& d) {
    d.OpenPage(1);
    d.block = &d.Sheet().Totals;
    double y = d.Title(
        2, "Лист Ж1. Расчёт имущественных налоговых вычетов по доходам от продажи имущества");
    mbRamkaTit(*d.b, 10, y, true);
    y += 7;
    d.Heading(y + 0.5, "1. Жилые дома, квартиры, дачи, садовые домики, земельные участки");
    y = d.Table(y + 5.5, {{"010", "Доход от продажи, находившегося в собственности менее 3-х лет"},
                          {"020", "Вычет (не более 1 000 000 руб.)"},
                          {"030", "Доход от продажи долей"},
                          {"040", "Вычет пропорционально доле"},
                          {"050", "Доход от продажи в общей совместной собственности"},
                          {"060", "Вычет по соглашению"},
                          {"070", "Доход при уменьшении на расходы"},
                          {"080", "Документально подтверждённые расходы"},
                          {"090", "Доход от продажи, находившегося в собственности 3 года и более"},
                          {"100", "Вычет в сумме дохода"},
                          {"110", "Итого доход"},
                          {"120", "Итого вычет"}});
    d.Heading(y + 0.5, "2. Иное имущество");
    y = d.Table(y + 5.5, {{"130", "Доход от продажи, находившегося в собственности менее 3-х лет"},
                          {"140", "Вычет (не более 125 000 руб.)"},
                          {"150", "Доход при уменьшении на расходы"},
                          {"160", "Документально подтверждённые расходы"},
                          {"170", "Доход от продажи, находившегося в собственности 3 года и более"},
                          {"180", "Вычет в сумме дохода"},
                          {"190", "Итого доход"},
                          {"200", "Итого вычет"}});
    d.Table(y, {{"210", "Общая сумма имущественного налогового вычета (стр.120 + стр.200)"}});
    d.ClosePage();
}

void SheetZh2(Drawer& d) {
    const kTSheetData& sheet = d.Sheet();
    const std::vector<const kTSheetBlock*> shares = sheet.Group(1), claims = sheet.Group(2);
    const int pages =
        std::max<int>(1, static_cast<int>((std::max(shares.size(), claims.size()) + 1) / 2));
    for (int page = 1; page <= pages; ++page) {
        const bool last = page == pages;
        d.OpenPage(page);
        d.block = &sheet.Totals;
        double y = OriginTitle(d,
                               "Лист Ж2. Расчёт имущественных налоговых вычетов по доходам от "
                               "продажи доли в уставном капитале и уступки права требования");
        auto part = [&](const std::vector<const kTSheetBlock*>& rows, const char* heading,
                        std::initializer_list<Row> fields, Row total) {
            d.Heading(y, Q(heading));
            y += 5;
            for (int k = 0; k < 2; ++k) {
                const size_t i = static_cast<size_t>((page - 1) * 2 + k);
                d.block = i < rows.size() ? rows[i] : &kEmpty;
                y = d.Fields(y, fields) + 1;
            }
            d.block = last ? &sheet.Totals : &kEmpty;
            y = d.Fields(y, {total}) + 2;
        };
        part(shares, "1. Продажа доли в уставном капитале",
             {{"010", "ИНН", Cells::Chars, 12},
              {"020", "КПП", Cells::Chars, 9},
              {"030", "Наименование (Ф.И.О.) источника", Cells::Text},
              {"040", "Сумма дохода"},
              {"050", "Документально подтверждённые расходы"}},
             {"060", "Итого расходов"});
        part(claims, "2. Уступка права требования по договору участия в долевом строительстве",
             {{"070", "ИНН", Cells::Chars, 12},
              {"080", "КПП", Cells::Chars, 9},
              {"090", "Наименование (Ф.И.О.) источника", Cells::Text},
              {"100", "Сумма дохода"},
              {"110", "Документально подтверждённые расходы"}},
             {"120", "Итого расходов"});
        d.block = last ? &sheet.Totals : &kEmpty;
        d.Fields(y, {{"130", "Общая сумма имущественного налогового вычета (стр.060 + стр.120)"}});
        d.ClosePage();
    }
}

// The parts of sheets З and И, by the operation mark of their group in the
// file: the form's item number and name. The form has no item of its own for
// the hedging derivatives; they print after item 3 without a number.
struct SecurityGroup {
    const char* number;
    const char* name;
};
const SecurityGroup kSecurityGroups[] = {
    {"", ""},
    {"1.1.", "Ценные бумаги, обращающиеся на организованном рынке ценных бумаг"},
    {"1.2.",
     "Ценные бумаги, не обращающиеся на организованном рынке ценных бумаг, но на момент "
     "приобретения отвечавшие требованиям, предъявляемым к обращающимся ценным бумагам"},
    {"1.3.", "Ценные бумаги, не обращающиеся на организованном рынке ценных бумаг"},
    {"2.", "Инвестиционные паи паевых инвестиционных фондов"},
    {"3.",
     "Финансовые инструменты срочных сделок, базисным активом по которым являются ценные "
     "бумаги"},
    {"",
     "Финансовые инструменты срочных сделок, заключённые в целях снижения рисков изменения "
     "цены ценной бумаги"}};

// One amount of a group: a value of the source's block or a result of the group.
struct SecurityItem {
    std::string code;
    QString caption;
    bool result;
};

// The amounts of a group in the order of the form. Item 1.1 of both sheets
// names its lines as the form does, with the expenses (1.1.2) that the file
// does not carry as empty cells; the other groups name their values as the
// file does.
std::vector<SecurityItem> SecurityItems(int kind, int group) {
    const kTSecurityCodes& c = SecurityCodes(kind, group);
    const auto result = [&](const char* attribute, const char* caption) {
        return SecurityItem{SecurityResultCode(kind, group, attribute), Q(caption), true};
    };
    const SecurityItem allLosses =
        result("СумУбытВсИст", "Сумма убытка по всем источникам выплаты");
    const SecurityItem allProfits =
        result("СумОблДохВсИст", "Сумма облагаемого дохода по всем источникам выплаты");
    const SecurityItem base = result("НалБазаОпер", "Налоговая база по совокупности операций");
    const SecurityItem expenses{"050",
                                "1.1.2. Сумма документально подтверждённых расходов по "
                                "приобретению, хранению и реализации ценных бумаг, других расходов",
                                false};
    if (group == 1 && kind == kKindZ) {
        return {{c.Income, "1.1.1. Сумма, полученная от реализации ценных бумаг", false},
                expenses,
                {c.Loss, "1.1.3. Сумма убытка от реализации ценных бумаг, учитываемого при расчёте",
                 false},
                result("СумУбытВыч",
                       "1.1.4. Сумма убытка, принимаемого к вычету (из пп. 1.1.5 "
                       "Листа И)"),
                {c.Profit, "1.1.5. Сумма облагаемого дохода", false},
                result("СумУбытУчРасч", "1.1.6. Сумма убытка, учитываемая при расчёте пп. 1.2.4"),
                allLosses,
                allProfits,
                base};
    }
    std::vector<SecurityItem> items;
    if (group == 1) {
        items = {{c.Income, "1.1.1. Сумма, полученная от реализации ценных бумаг", false},
                 expenses,
                 {c.Loss,
                  "1.1.3. Сумма убытка от реализации ценных бумаг, учитываемого при "
                  "расчёте",
                  false},
                 {c.Profit, "1.1.4. Сумма облагаемого дохода", false}};
    } else {
        items = {
            {c.Income, "Сумма дохода по совершённым операциям", false},
            {c.Loss, "Сумма убытка по указанному источнику выплаты дохода", false},
            {c.Profit, "Сумма облагаемого дохода по указанному источнику выплаты дохода", false}};
    }
    items.push_back(allLosses);
    items.push_back(result("СумУбытВыч", "Сумма убытка, принимаемого к вычету"));
    items.push_back(allProfits);
    items.push_back(base);
    items.push_back(result("СумУбытУчРасч", "Сумма убытка, учитываемая при расчёте"));
    return items;
}

// Rows of the amounts of a group: two to a row, their captions in up to two
// lines above the cells.
constexpr double kSecurityRow = 10;

// An amount of a group at (x, y): its caption over its code and cells; a
// caption of two lines takes the smaller type to stay clear of the row above.
void SecurityAmount(Drawer& d, double x, double y, const SecurityItem& item) {
    const double width = kColumnWidth - 12;
    int points = 6;
    std::vector<QString> lines = Wrap(item.caption, width, points);
    if (lines.size() > 1) {
        points = 5;
        lines = Wrap(item.caption, width, points);
        lines.resize(std::min<size_t>(lines.size(), 2));
    }
    mbLabel(*d.b, x + 8, y - LabelLineSpacing(points) * static_cast<double>(lines.size() - 1),
            false, points, lines);
    if (item.code.find_first_not_of("0123456789") == std::string::npos)
        mbLabel(*d.b, x, y + 4.3, false, 8, {Q(item.code)});
    d.Value(item.code, x + 8, y + 2.8, Cells::Kopecks);
}

// One group on a page: the heading, the source of the page (its INN, KPP and
// name in one row, then its amounts) and the group's results, which carry
// values only on the sheet's last page of sources.
double SecurityGroupBlock(Drawer& d, double y, int group, const kTSheetBlock* source,
                          const kTSheetBlock* results) {
    const SecurityGroup& g = kSecurityGroups[group];
    const QString heading = Q(g.number) + (*g.number != '\0' ? " " : "") + Q(g.name);
    const kTSecurityCodes& c = SecurityCodes(d.Kind(), group);
    d.block = source;
    if (d.Form2008()) {
        // The paper of the file shows the source's operation mark at the end
        // of its group's heading.
        const double top = y;
        y = d.LongHeading(y, heading, 146) + 2;
        mbLabel(*d.b, 164, top + 0.6, false, 6, {"Признак операции"});
        d.Value("ПрОпер", 188, top - 0.8, Cells::Chars, 1);
    } else {
        y = d.LongHeading(y, heading) + 2;
    }
    d.Field(10, y, {c.INN, "ИНН источника выплаты дохода", Cells::Chars, 12});
    d.Field(10 + 8 + 12 * kCellWidth + 4, y, {c.KPP, "КПП", Cells::Chars, 9});
    const double nameX = 10 + 2 * 8 + 21 * kCellWidth + 8;
    d.Field(nameX, y, {c.Name, "Наименование источника выплаты дохода", Cells::Short},
            200 - nameX - 8);
    // The name's box is taller than the cells: its row is a little higher.
    y += kSecurityRow + 1;
    int column = 0;
    for (const SecurityItem& item : SecurityItems(d.Kind(), group)) {
        // A result the file does not carry for this group has no cells.
        if (item.result && d.Sheet().Totals.Find(item.code) == nullptr) continue;
        d.block = item.result ? results : source;
        SecurityAmount(d, 10 + column * kColumnWidth, y, item);
        column = 1 - column;
        if (column == 0) y += kSecurityRow;
    }
    return (column == 0 ? y : y + kSecurityRow) + 1;
}

// Sheets З and И: every page of sources holds the next source of each group
// present; when the groups do not fit on one page they continue on the next,
// and the sheet's totals close every page of sources.
void Securities(Drawer& d, const char* title, std::initializer_list<Row> totals) {
    const kTSheetData& sheet = d.Sheet();
    std::vector<int> groups;
    for (int g = 1; g <= 6; ++g) {
        if (!sheet.Group(g).empty()) groups.push_back(g);
    }
    int sources = 1;
    for (int g : groups) sources = std::max(sources, static_cast<int>(sheet.Group(g).size()));
    const int spread = SecurityGroupSpread(groups.size());
    int page = 0;
    for (int i = 1; i <= sources; ++i) {
        const bool last = i == sources;
        for (int part = 0; part < spread; ++part) {
            d.OpenPage(++page);
            d.block = &sheet.Totals;
            // The title in 9 pt and the marks close under it leave room for
            // three groups and the totals.
            double y = d.Title(2, Q(title), 9);
            d.Mark(20, y, "001", "1", "1 - источник в Российской Федерации");
            d.Mark(110, y, "001", "2", "2 - источник за пределами Российской Федерации");
            y += 6.5;
            const size_t from = static_cast<size_t>(part * kSecurityGroupsPerPage);
            const size_t to = std::min(groups.size(), from + kSecurityGroupsPerPage);
            for (size_t k = from; k < to; ++k) {
                const std::vector<const kTSheetBlock*> rows = sheet.Group(groups[k]);
                const size_t at = static_cast<size_t>(i - 1);
                y = SecurityGroupBlock(d, y, groups[k], at < rows.size() ? rows[at] : &kEmpty,
                                       last ? &sheet.Totals : &kEmpty);
            }
            if (part == spread - 1) {
                d.block = last ? &sheet.Totals : &kEmpty;
                d.Heading(y + 0.5, "4. Итого");
                d.Table(y + 5.5, totals);
            }
            d.ClosePage();
        }
    }
}

void SheetK1(Drawer& d) {
    d.OpenPage(1);
    d.block = &d.Sheet().Totals;
    double y = d.Title(2, "Лист К1. Расчёт стандартных налоговых вычетов");
    mbRamkaTit(*d.b, 10, y, true);
    y += 7;
    d.Heading(y + 0.5, "1. Доход, облагаемый по ставке 13 %, нарастающим итогом с начала года");
    y = d.Table(
        y + 5.5,
        {{"010", "Январь"},
         {"020", "Февраль"},
         {"030", "Март"},
         {"040", "Апрель"},
         {"050", "Май"},
         {"060", "Июнь"},
         {"070", "Июль"},
         {"080", "Август"},
         {"090", "Сентябрь"},
         {"100", "Октябрь"},
         {"110", "Ноябрь"},
         {"120", "Декабрь"},
         {"130", "Количество месяцев, в которых доход не превысил 20 000 руб.", Cells::Number, 2},
         {"140", "Количество месяцев, в которых доход не превысил 40 000 руб.", Cells::Number, 2}});
    d.Heading(y + 0.5, "2. Стандартные налоговые вычеты");
    d.Table(y + 5.5,
            {{"150", "Вычет 3000 руб. (подпункт 1 пункта 1 статьи 218)", Cells::Rubles},
             {"160", "Вычет 500 руб. (подпункт 2 пункта 1 статьи 218)", Cells::Rubles},
             {"170", "Вычет 400 руб. (подпункт 3 пункта 1 статьи 218)", Cells::Rubles},
             {"180", "Вычет на ребёнка (детей)", Cells::Rubles},
             {"190", "Вычет на ребёнка (детей) вдове (вдовцу), одинокому родителю, опекуну",
              Cells::Rubles},
             {"200", "Вычет на ребёнка-инвалида", Cells::Rubles},
             {"210", "Вычет на ребёнка-инвалида вдове (вдовцу), одинокому родителю, опекуну",
              Cells::Rubles},
             {"220", "Общая сумма стандартных налоговых вычетов"}});
    d.ClosePage();
}

void SheetK2(Drawer& d) {
    d.OpenPage(1);
    d.block = &d.Sheet().Totals;
    double y = d.Title(2, "Лист К2. Расчёт социальных налоговых вычетов");
    mbRamkaTit(*d.b, 10, y, true);
    y += 7;
    y = d.LongHeading(y + 0.5,
                      "1. Расчёт социальных налоговых вычетов, установленных статьёй 219 "
                      "Кодекса, за исключением социальных налоговых вычетов, в отношении которых "
                      "применяются ограничения, установленные п. 2 статьи 219 Кодекса (руб., "
                      "коп.)");
    y = d.Table(y + 0.5, {{"010",
                           "Сумма, перечисленная на благотворительные цели (не более 25% от общей "
                           "суммы дохода, полученного в налоговом периоде)"},
                          {"020", "Суммы, уплаченные за обучение детей"},
                          {"030", "Суммы, уплаченные за дорогостоящее лечение"},
                          {"040", "Итого (стр.010 + стр.020 + стр.030)"}});
    y = d.LongHeading(y + 0.5,
                      "2. Расчёт социальных налоговых вычетов, установленных статьёй 219 "
                      "Кодекса, в отношении которых применяются ограничения, установленные п. 2 "
                      "статьи 219 Кодекса (руб., коп.)");
    y = d.Table(
        y + 0.5,
        {{"050", "Суммы, уплаченные за своё обучение и обучение брата (сестры)"},
         {"060", "Суммы, уплаченные за лечение и медикаменты"},
         {"070", "Страховые взносы по договорам добровольного личного страхования"},
         {"080", "Страховые взносы по договорам добровольного пенсионного страхования"},
         {"090", "то же в пользу супруга, родителей, детей-инвалидов"},
         {"100", "Пенсионные взносы по договорам негосударственного пенсионного обеспечения"},
         {"110", "то же в пользу супруга, родителей, детей-инвалидов"},
         {"120", "Итого с учётом ограничения"}});
    d.Table(y, {{"130", "Общая сумма социальных налоговых вычетов (стр.040 + стр.120)"}});
    d.ClosePage();
}

void Pensions(Drawer& d, const char* title, const char* own, const char* relatives) {
    const kTSheetData& sheet = d.Sheet();
    const std::vector<const kTSheetBlock*> parts[2] = {sheet.Group(1), sheet.Group(2)};
    const int pages =
        std::max<int>(1, static_cast<int>((std::max(parts[0].size(), parts[1].size()) + 1) / 2));
    for (int page = 1; page <= pages; ++page) {
        d.OpenPage(page);
        d.block = &sheet.Totals;
        double y = d.Title(2, Q(title)) + 1;
        for (int p = 0; p < 2; ++p) {
            d.Heading(y, Q(p == 0 ? own : relatives));
            y += 5;
            for (int k = 0; k < 2; ++k) {
                const size_t i = static_cast<size_t>((page - 1) * 2 + k);
                d.block = i < parts[p].size() ? parts[p][i] : &kEmpty;
                y = d.Fields(y, {{"ИНН", "ИНН организации", Cells::Chars, 12},
                                 {"КПП", "КПП организации", Cells::Chars, 9},
                                 {"Наим", "Наименование организации", Cells::Text},
                                 {"Дата", "Дата договора", Cells::Date},
                                 {"Номер", "Номер договора", Cells::Chars, 15},
                                 {"Уплачено", "Сумма уплаченных взносов"},
                                 {"Принято", "Сумма, принимаемая к вычету"}}) +
                    1;
            }
            d.block = page == pages ? &sheet.Totals : &kEmpty;
            // The part's total is its item .2; the form numbers it as an item,
            // not as a line.
            const std::string code = std::to_string(p + 1) + ".2";
            const std::string caption = code + ". Итого сумма, принимаемая к вычету";
            Row total{code.c_str(), caption.c_str(), Cells::Kopecks, 0};
            d.Field(10, y, total);
            y += 12;
        }
        d.ClosePage();
    }
}

void SheetL(Drawer& d) {
    d.OpenPage(1);
    d.block = &d.Sheet().Totals;
    double y = d.Title(2,
                       "Лист Л. Расчёт имущественных налоговых вычетов по расходам на новое "
                       "строительство либо приобретение объекта жилой недвижимости");
    y = d.Fields(y, {{"010", "Наименование объекта", Cells::Text}});
    mbLabel(*d.b, 10, y, false, 8, {"020  Адрес объекта:"});
    y += 3;
    y = d.Fields(y, {{"020.Индекс", "Почтовый индекс", Cells::Chars, 6},
                     {"020.КодРегион", "Код региона", Cells::Chars, 2},
                     {"020.Дом", "Дом", Cells::Chars, 8},
                     {"020.Корпус", "Корпус", Cells::Chars, 8},
                     {"020.Район", "Район", Cells::Short},
                     {"020.Город", "Город", Cells::Short},
                     {"020.НаселПункт", "Населённый пункт", Cells::Short},
                     {"020.Улица", "Улица", Cells::Short},
                     {"020.Кварт", "Квартира", Cells::Chars, 8}});
    // The address is the form's line 020 as a whole; its parts have no codes.
    y = d.Table(y, {{"030", "Дата акта о передаче квартиры, комнаты или доли (долей) в них",
                     Cells::Date},
                    {"040",
                     "Дата регистрации права собственности на жилой дом, квартиру, комнату или "
                     "долю (доли) в них",
                     Cells::Date},
                    {"050", "Доля (доли) в праве собственности", Cells::Chars, 10},
                    {"060", "Год начала использования налогового вычета", Cells::Chars, 4}}) +
        1;
    mbRamkaTit(*d.b, 10, y, true);
    y = d.Table(y + 7, {{"080", "Расходы на новое строительство либо приобретение объекта"},
                        {"090", "Проценты по целевым кредитам и займам"},
                        {"100", "Вычет, предоставленный в предыдущие периоды"},
                        {"110", "то же по налоговой декларации"},
                        {"120", "то же у налогового агента"},
                        {"130", "Вычет по процентам, предоставленный в предыдущие периоды"},
                        {"140", "то же по налоговой декларации"},
                        {"150", "то же у налогового агента"},
                        {"160", "Остаток вычета, перешедший с предыдущего периода"},
                        {"170", "Остаток вычета по процентам, перешедший с предыдущего периода"},
                        {"180", "Вычет, предоставленный налоговым агентом в отчётном периоде"},
                        {"190", "Вычет по процентам, предоставленный налоговым агентом"},
                        {"200", "Налоговая база для исчисления вычета"},
                        {"210", "Вычет за отчётный период"},
                        {"220", "Вычет по процентам за отчётный период"},
                        {"230", "Остаток вычета, переходящий на следующий период"},
                        {"240", "Остаток вычета по процентам, переходящий на следующий период"}});
    // The form of 2008 has no such note.
    if (!d.Form2008())
        mbLabel(
            *d.b, 12, y + 1, false, 6,
            {"Размер вычета без учёта процентов по целевым займам (кредитам) не может превышать "
             "2 000 000 руб., а по объектам, право на которые возникло до 2008 года, - "
             "1 000 000 руб.",
             "Вычет предоставляется один раз в жизни."});
    d.ClosePage();
}

}  // namespace

void ComposeFormSheet(TQz2004Report& report, const kTDanLog& data, const kTSheetValues& values,
                      int kind) {
    Drawer d(report, data, values, kind);
    switch (kind) {
        case kKindR1:
            return Section1(d);
        case kKindR2:
            return Section2(d);
        case kKindR3:
            return Section3(d);
        case kKindR4:
            return Section4(d);
        case kKindR5:
            return Section5(d);
        case kKindR6:
            return Section6(d);
        case kKindA9:
        case kKindA13:
        case kKindA30:
        case kKindA35:
        case kKindA15:
            return SheetA(d);
        case kKindB9:
        case kKindB13:
        case kKindB35:
            return SheetB(d);
        case kKindV1:
            return SheetV1(d);
        case kKindV2:
            return SheetV2(d);
        case kKindG:
            return SheetG(d);
        case kKindD:
        case kKindDForeign:
            return SheetD(d);
        case kKindE:
        case kKindEForeign:
            return SheetE(d);
        case kKindZh1:
            return SheetZh1(d);
        case kKindZh2:
        case kKindZh2Foreign:
            return SheetZh2(d);
        case kKindZ:
            return Securities(d,
                              "Лист З. Расчёт налоговой базы по операциям с ценными бумагами и "
                              "финансовыми инструментами срочных сделок, базисным активом по "
                              "которым являются ценные бумаги",
                              {{"410", "4.1. Сумма полученного дохода"},
                               {"420", "4.2. Сумма облагаемого дохода"},
                               {"430",
                                "4.3. Сумма документально подтверждённых расходов, "
                                "принимаемых к вычету"}});
        case kKindI:
            // The form of 2008 names the sheet as its filling procedure (section
            // XX) does.
            return Securities(d,
                              d.Form2008()
                                  ? "Лист И. Расчет налоговой базы по доходам по операциям с "
                                    "ценными бумагами и финансовыми инструментами срочных "
                                    "сделок, базисным активом по которым являются ценные бумаги "
                                    "или фондовые индексы, осуществляемым доверительным "
                                    "управляющим"
                                  : "Лист И. Расчёт налоговой базы по операциям с ценными "
                                    "бумагами и финансовыми инструментами срочных сделок, "
                                    "базисным активом по которым являются ценные бумаги, "
                                    "осуществляемым доверительным управляющим",
                              {{"400", "4.1. Сумма полученного дохода"},
                               {"410", "4.2. Сумма облагаемого дохода"},
                               {"420",
                                "4.3. Сумма документально подтверждённых расходов, "
                                "принимаемых к вычету"}});
        case kKindK1:
            return SheetK1(d);
        case kKindK2:
            return SheetK2(d);
        case kKindK3:
            return Pensions(d,
                            "Лист К3. Расчёт социального налогового вычета по договорам "
                            "добровольного пенсионного страхования",
                            "1. Договоры в свою пользу",
                            "2. Договоры в пользу супруга, родителей, детей-инвалидов");
        case kKindK4:
            return Pensions(d,
                            "Лист К4. Расчёт социального налогового вычета по договорам "
                            "негосударственного пенсионного обеспечения",
                            "1. Договоры в свою пользу",
                            "2. Договоры в пользу супруга, родителей, детей-инвалидов");
        case kKindL:
            return SheetL(d);
        default:
            return;
    }
}

}  // namespace zorv
