#include "codes/codedictionary.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>

#include "model/taxlimits2008.h"

namespace zorv {

namespace {

using namespace limits2008;

// ---- Deduction rows -----------------------------------------------------

// Row shapes. "Typed": the user types the amount. "FromIncome": the amount is
// the income, not editable. "TypedFromIncome": starts as the income, editable.
// "Share": a fixed percentage of the income, not editable.
constexpr DeductionRow Typed(std::string_view code, std::string_view name, Money cap = Money()) {
    return {code,
            name,
            {.share = 0, .visible = true, .enabled = true, .equivalent = false, .maxSum = cap}};
}
constexpr DeductionRow FromIncome(std::string_view code, std::string_view name,
                                  Money cap = Money()) {
    return {code,
            name,
            {.share = 0, .visible = true, .enabled = false, .equivalent = true, .maxSum = cap}};
}
constexpr DeductionRow TypedFromIncome(std::string_view code, std::string_view name, Money cap) {
    return {code,
            name,
            {.share = 0, .visible = true, .enabled = true, .equivalent = true, .maxSum = cap}};
}
constexpr DeductionRow Share(std::string_view code, std::string_view name, int share) {
    return {code,
            name,
            {.share = share,
             .visible = true,
             .enabled = false,
             .equivalent = false,
             .maxSum = Money()}};
}

// Closes every non-empty list.
constexpr DeductionRow kNoDeduction{
    "0",
    "Не предоставлять вычет",
    {.share = 0, .visible = false, .enabled = true, .equivalent = false, .maxSum = Money()}};

// Art. 220 and 214.1 of the Tax Code: expenses confirmed by documents. Some
// rows carry the name with a trailing blank; the text is kept as issued.
constexpr std::string_view kConfirmedExpenses = "В сумме документально подтвержденных расходов";
constexpr std::string_view kConfirmedExpensesBlank =
    "В сумме документально подтвержденных расходов ";
// Art. 221: professional expenses.
constexpr std::string_view kIncurredExpenses = "В сумме документально произведенных расходов";
constexpr std::string_view kProperty3Years = "Продажа имущ-ва, наход-ся в собст-ти 3 года и более";

constexpr std::array kRows1010{
    Typed("601", "Сумма, уменьшающая налоговую базу по доходам в виде дивидендов"), kNoDeduction};

// Sale of property (art. 220): 1 000 000 for real estate held under three
// years, 125 000 for other property.
constexpr std::array kRows1510{
    FromIncome("901",
               "Продажа имущ-ва, наход-ся в собст-ти менее 3 лет (в пределах 1 000 000 руб.)",
               kSaleHousingLimit),
    FromIncome("902", kProperty3Years), Typed("903", kConfirmedExpensesBlank), kNoDeduction};
constexpr std::array kRows1511{
    Typed("904", "Продажа доли имущ-ва, наход-ся в собст-ти менее 3 лет", kSaleHousingLimit),
    FromIncome("905", "Продажа доли имущ-ва, наход-ся в собст-ти 3 года и более"),
    Typed("903", kConfirmedExpensesBlank), kNoDeduction};
constexpr std::array kRows1520{
    FromIncome("906", "Продажа имущ-ва, наход-ся в собст-ти менее 3 лет (в пределах 125 000 руб.)",
               kSaleOtherPropertyLimit),
    FromIncome("907", kProperty3Years), Typed("903", kConfirmedExpensesBlank), kNoDeduction};

// Securities and derivatives (art. 214.1), own and held in trust alike.
constexpr std::array kRows1530{Typed("307", kConfirmedExpenses), kNoDeduction};
constexpr std::array kRows1536{Typed("309", kConfirmedExpenses), kNoDeduction};
constexpr std::array kRows1531{Typed("308", kConfirmedExpenses), kNoDeduction};
constexpr std::array kRows1533{Typed("306", kConfirmedExpenses), kNoDeduction};
constexpr std::array kRows1532{Typed("305", kConfirmedExpenses), kNoDeduction};
constexpr std::array kRows1540{Typed("315", kConfirmedExpenses), kNoDeduction};
constexpr std::array kRows1550{Typed("314", kConfirmedExpensesBlank), kNoDeduction};

// Professional deductions (art. 221).
constexpr std::array kRows2010{Typed("403", kIncurredExpenses), kNoDeduction};

// Authors' fees: actual expenses or the standard share of the fee.
constexpr std::array<DeductionRow, 3> AuthorRows(int share) {
    return {Typed("404", kIncurredExpenses), Share("405", "В пределах норматива затрат", share),
            kNoDeduction};
}
constexpr auto kRows2201 = AuthorRows(kAuthorLiteraryWorks);    // literary works
constexpr auto kRows2202 = AuthorRows(kAuthorGraphicArt);       // graphic art
constexpr auto kRows2203 = AuthorRows(kAuthorWorksOfArt);       // works of art
constexpr auto kRows2204 = AuthorRows(kAuthorAudiovisual);      // audiovisual works
constexpr auto kRows2205 = AuthorRows(kAuthorMusicalStage);     // musical stage works
constexpr auto kRows2206 = AuthorRows(kAuthorOtherMusic);       // other musical works
constexpr auto kRows2207 = AuthorRows(kAuthorPerformances);     // performances
constexpr auto kRows2208 = AuthorRows(kAuthorScientificWorks);  // scientific works
constexpr auto kRows2209 = AuthorRows(kAuthorInventions);       // discoveries, inventions, designs

// Exempt parts of income (art. 217 items 28 and 33).
constexpr std::array kRows2720{
    TypedFromIncome("501",
                    "Вычет из стоимости подарка от органицаций и индивидуальных предпринимателей",
                    kExemptIncomeLimit),
    kNoDeduction};
constexpr std::array kRows2730{
    TypedFromIncome("502", "Вычет из стоимости призов, полученных на соревнованиях",
                    kExemptIncomeLimit),
    kNoDeduction};
constexpr std::array kRows2740{
    TypedFromIncome("505", "Вычет из стоимости призов на конкурсах, проводимых в целях рекламы",
                    kExemptIncomeLimit),
    kNoDeduction};
constexpr std::array kRows2760{
    TypedFromIncome("503", "Вычет из стоимости материальной помощи", kExemptIncomeLimit),
    kNoDeduction};
constexpr std::array kRows2761{
    TypedFromIncome(
        "506", "Вычет из суммы мат. помощи, оказываемой инвалидам общественными орг-иями инвалидов",
        kExemptIncomeLimit),
    kNoDeduction};
constexpr std::array kRows2762{
    Typed("508",
          "Вычет из суммы мат. помощи, оказываемой при рождении (усыновлении (удочерении) ребенка"),
    kNoDeduction};
constexpr std::array kRows2770{
    TypedFromIncome("504", "Вычет из суммы возмещения", kExemptIncomeLimit), kNoDeduction};
constexpr std::array kRows2790{
    TypedFromIncome("507", "Вычет из суммы мат.помощи", kExemptItem33Limit), kNoDeduction};

// ---- Income codes -------------------------------------------------------

constexpr std::span<const DeductionRow> kNone{};

constexpr IncomeCode Income(std::string_view code, int rate, std::string_view name,
                            std::span<const DeductionRow> rows = kNone, bool saleDate = false) {
    return {code, rate, name, saleDate, rows};
}
constexpr IncomeCode Sale(std::string_view code, std::string_view name,
                          std::span<const DeductionRow> rows) {
    return {code, kRateMain, name, true, rows};
}

// The order is the order of the pick list.
constexpr std::array kIncomeCodes{
    Income("1010", kRateDividendsRes, "Дивиденды и проценты (пп.1 п.1 ст.208 ст.214 НК)",
           kRows1010),
    Income("1011", kRateMain,
           "Проценты (за исключением процентов по облигациям с ипотечным покрытием, "
           "эмитированным до 01.01.2007)"),
    Income("1110", kRateDividendsRes,
           "Проценты по облигациям с ипотечным покрытием, эмитированным до 01.01.2007"),
    Income("1120", kRateDividendsRes,
           "Доходы учредителей дов. управления ипотечным покрытием, полученные на основании "
           "приобретения ипотечных сертификатов участия, выданных управляющим ипотечным "
           "покрытием до 01.01.2007"),
    Income("1200", kRateMain,
           "Доходы, полученные в виде иных страховых выплат по договорам страхования"),
    Income("1201", kRateMain,
           "Доходы, полученные в виде страховых выплат по договорам страхования в виде оплаты "
           "стоимости санаторно-курортных путевок"),
    Income("1202", kRateMain,
           "Доходы, полученные в виде страховых выплат по договорам добровольного страхования "
           "жизни (за исключением договоров добровольного пенсионного страхования)"),
    Income("1203", kRateMain,
           "Доходы, полученные в виде страховых выплат по договорам добровольного пенсионного "
           "страхования"),
    Income("1211", kRateMain,
           "Доходы, полученные в виде страховых взносов по договорам страхования"),
    Income("1212", kRateMain,
           "Доходы в виде денежных (выкупных) сумм, выплачиваемых по договорам страхования при "
           "их досрочном расторжении"),
    Income("1213", kRateMain,
           "Суммы страховых взносов по договорам добровольного пенсионного страхования, "
           "уплаченные за физических лиц работодателями"),
    Income("1214", kRateMain,
           "Доходы в виде денежных (выкупных) сумм, выплачиваемых по договорам добровольного "
           "пенсионного страхования при их досрочном расторжении"),
    Income("1220", kRateMain,
           "Пенсии, выплачиваемые по договорам негосударственного пенсионного обеспечения"),
    Income("1230", kRateMain,
           "Доходы в виде денежных (выкупных) сумм, выплачиваемых по договорам "
           "негосударственного пенсионного обеспечения при их досрочном расторжении"),
    Income("1240", kRateMain,
           "Суммы пенсионных взносов по договорам негосударственного пенсионного обеспечения, "
           "заключенным организациями и иными работодателями с российскими негосударственными "
           "пенсионными фондами"),
    Income("1300", kRateMain,
           "Доходы, полученные от использования авторских или иных смежных прав"),
    Income("1301", kRateMain,
           "Доходы, полученные от использования прав на изобретения, полезные модели, "
           "промышленные образцы и иные объекты интеллектуальной собственности (роялти)"),
    Income("1400", kRateMain,
           "Доходы, полученные от предоставления в аренду или иное использование имущества"),
    Sale("1510", "Доходы от реализации недвижимого имущества (кроме долей)", kRows1510),
    Sale("1511", "Доходы от реализации доли недвижимого имущества", kRows1511),
    Sale("1520", "Доходы от реализации иного имущества (доли) кроме ЦБ", kRows1520),
    Sale("1530", "Доходы от реализации ЦБ (обращ-ся на орг. рынке ЦБ)", kRows1530),
    Sale("9530",
         "Доходы от реализации ЦБ (обращ-ся на орг. рынке ЦБ), осуществленной доверительным "
         "управляющим",
         kRows1530),
    Sale("1536", "Доходы от реализации ЦБ (на момент приобретения обращ-ся на орг. рынке ЦБ)",
         kRows1536),
    Sale("9536",
         "Доходы от реализации ЦБ (на момент приобретения обращ-ся на орг. рынке ЦБ), "
         "осуществленной доверительным управляющим",
         kRows1536),
    Sale("1531", "Доходы от реализации ЦБ (не обращ-ся на орг. рынке ЦБ)", kRows1531),
    Sale("9531",
         "Доходы от реализации ЦБ (не обращ-ся на орг. рынке ЦБ), осуществленной доверительным "
         "управляющим",
         kRows1531),
    Sale("1533", "Доходы от продажи инв-ных паев паевых инв-ных фондов", kRows1533),
    Sale("9533",
         "Доходы от продажи инв-ных паев паевых инв-ных фондов, осуществленной доверительным "
         "управляющим",
         kRows1533),
    Sale("1532", "Доходы по оп-циям с фин. инстр. сроч. сделок, баз. ак. по которым являются ЦБ",
         kRows1532),
    Sale("9532",
         "Доходы по оп-циям с фин. инстр. сроч. сделок, баз. ак. по которым являются ЦБ, "
         "осуществленным доверительным управляющим",
         kRows1532),
    Sale("1534", "Доходы по оп-циям с фин. инстр. сроч. сделок, закл. в целях снижения рисков",
         kRows1532),
    Sale("9534",
         "Доходы по оп-циям с фин. инстр. сроч. сделок, закл. в целях снижения рисков, "
         "осуществленным доверительным управляющим",
         kRows1532),
    Income("1540", kRateMain, "Доходы от реализации долей участия", kRows1540),
    Income("1550", kRateMain,
           "Доходы от уступки прав требования по договору участия в долевом строительстве",
           kRows1550),
    Income("2000", kRateMain,
           "Вознаграждение, получаемое налогоплательщиком за выполнение трудовых или иных "
           "обязанностей, выполненную работу, оказанную услугу, совершение действия"),
    Income("2001", kRateMain,
           "Вознаграждения членам совета директоров и иные аналогичные выплаты, полученные "
           "членами органа управления организации"),
    Income("2010", kRateMain,
           "Работы по договорам гражданско-правового характера (кроме авторских вознагрождений)",
           kRows2010),
    Income("2012", kRateMain, "Суммы отпускных выплат"),
    Income("2201", kRateMain, "Авторские вознаграждения за создание литературных произведений",
           kRows2201),
    Income("2202", kRateMain, "Авторские вознаграждения за создание худ.-граф. произведений",
           kRows2202),
    Income("2203", kRateMain, "Авторские вознаграждения за создание произведений искусства",
           kRows2203),
    Income("2204", kRateMain, "Авторские вознаграждения за создание аудиовизуальных произведений",
           kRows2204),
    Income("2205", kRateMain,
           "Авторские вознаграждения за создание музыкально-сценических произведений", kRows2205),
    Income("2206", kRateMain,
           "Авторские вознаграждения за создание других музыкальных произведений", kRows2206),
    Income("2207", kRateMain,
           "Авторские вознаграждения за исполнение произведений литературы и искусства", kRows2207),
    Income("2208", kRateMain, "Авторские вознаграждения за создание научных трудов и разработок",
           kRows2208),
    Income("2209", kRateMain,
           "Авторские вознаграждения за открытия, изобретения, промышленные образцы", kRows2209),
    Income("2210", kRateMain,
           "Вознаграждения за создание, исполнение или иное использование произведений науки, "
           "литературы и искусства, не указанные в кодах 2201-2209"),
    Income("2220", kRateMain,
           "Вознаграждения, выплачиваемые наследникам (правопреемникам) авторов произведений "
           "науки, литературы, искусства, открытий, изобретений и промышленных образцов"),
    Income("2300", kRateMain, "Пособия по временной нетрудоспособности"),
    Income("2400", kRateMain,
           "Доходы, полученные от предоставления в аренду или иного использования любых "
           "транспортных средств, включая морские, речные, воздушные суда и автомобильные "
           "транспортные средства, а также доходы от штрафов и иных санкций за простой "
           "(задержку) таких транспортных средств"),
    Income("2510", kRateMain,
           "Оплата за налогоплательщика организациями или индивидуальными предпринимателями "
           "товаров (работ, услуг) или имущественных прав, в том числе коммунальных услуг, "
           "питания, отдыха, обучения в интересах налогоплательщика"),
    Income("2520", kRateMain,
           "Полученные налогоплательщиком товары, выполненные в интересах налогоплательщика "
           "работы, оказанные в интересах налогоплательщика услуги на безвозмездной основе"),
    Income("2530", kRateMain, "Оплата труда в натуральной форме"),
    Income("2610", kRatePrizes, "Сумма мат. выгоды за пользование заемными  средствами"),
    Income("2620", kRatePrizes,
           "Мат. выгода от экономии на процентах по кред. средств. на новое стр-во (не "
           "облагаемая)"),
    Income("2630", kRateMain,
           "Материальная выгода, полученная от приобретения товаров (работ, услуг) в "
           "соответствии с гражданско-правовым договором у физических лиц, организаций и "
           "индивидуальных предпринимателей, являющихся взаимозависимыми по отношению к "
           "налогоплательщику"),
    Income("2640", kRateMain, "Материальная выгода, полученная от приобретения ценных бумаг"),
    Income("2710", kRateMain,
           "Материальная помощь, за исключением материальной помощи, указанной в кодах 2760, "
           "2761, 2762 и 2790"),
    Income("2720", kRateMain,
           "Подарки от организаций или индивидуальных предпринимателей (п.28 ст.217 НК)",
           kRows2720),
    Income("2730", kRateMain, "Призы за соревнования, проводимые правит-ом РФ (п.28 ст.217 НК)",
           kRows2730),
    Income("2740", kRatePrizes,
           "Выигрыши, в конкурсах, проводимых  в целях рекламы (п.28 ст.217 НК)", kRows2740),
    Income("2750", kRateMain,
           "Стоимость призов в денежной и натуральной формах, полученных на конкурсах и "
           "соревнованиях, не указанных в коде 2730"),
    Income("2760", kRateMain, "Суммы мат. помощи от работодателей согласно п.28 ст.217 НК",
           kRows2760),
    Income("2761", kRateMain, "Суммы мат. помощи инвалидам от общественных организаций", kRows2761),
    Income("2762", kRateMain, "Суммы мат. помощи при рождении (усыновлении (удочерении) ребенка",
           kRows2762),
    Income("2770", kRateMain, "Возмещение стоимости медикаментов согласно п.28 ст.217 НК",
           kRows2770),
    Income("2780", kRateMain,
           "Стоимость выигрышей и призов, полученных в конкурсах, играх и других мероприятиях, "
           "не указанных в кодах 2730 и 2740"),
    Income("2790", kRateMain, "Суммы мат.помощи согласно п.33 ст.217 НК", kRows2790),
    Income("2800", kRateMain, "Проценты (дисконт), полученные при погашении векселя"),
    Income("2900", kRateMain, "Другие доходы"),
    Income("3010", kRateMain,
           "Выигрыши, выплачиваемые организаторами лотерей, тотализаторов и других основанных "
           "на риске игр (в том числе с использованием игровых автоматов)"),
    Income("3020", kRatePrizes, "Доходы в виде процентов, получаемых по вкладам в банках"),
    Income("4800", kRateMain, "Иные доходы"),
};
static_assert(kIncomeCodes.size() == 75);

std::optional<size_t> Preselect(size_t count, auto&& codeAt, std::string_view current) {
    if (count == 0) return std::nullopt;
    for (size_t i = 0; i < count; ++i) {
        if (codeAt(i) == current) return i;
    }
    return 0;
}

int RateFromText(std::string_view text) {
    int rate = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), rate);
    if (ec != std::errc() || end != text.data() + text.size()) return 0;
    return rate;
}

bool OfferedToNonResident(std::string_view code) {
    return code == "0" || code.starts_with("30") || code.starts_with("5");
}

}  // namespace

std::span<const IncomeCode> IncomeCodes() {
    return kIncomeCodes;
}

const IncomeCode* FindIncomeCodeText(std::string_view code) {
    for (const IncomeCode& income : kIncomeCodes) {
        if (income.code == code) return &income;
    }
    return nullptr;
}

const IncomeCode* FindIncomeCode(uint32_t code) {
    return FindIncomeCodeText(std::to_string(code));
}

std::optional<int> IncomeRate(uint32_t code) {
    const IncomeCode* income = FindIncomeCode(code);
    if (income == nullptr) return std::nullopt;
    return income->rate;
}

const DeductionRow* FindDeductionText(const IncomeCode& income, std::string_view code) {
    for (const DeductionRow& row : income.deductions) {
        if (row.code == code) return &row;
    }
    return nullptr;
}

const DeductionRow* FindDeduction(const IncomeCode& income, uint32_t code) {
    return FindDeductionText(income, std::to_string(code));
}

IncomeChoice IncomePickList::Choose(size_t row) const {
    const IncomeCode& income = *rows.at(row);
    return {.code = income.code,
            .name = income.name,
            .rate = rateFilter.empty() ? income.rate : RateFromText(rateFilter),
            .hasDeductions = income.HasDeductions(),
            .saleDate = income.saleDate};
}

IncomePickList MakeIncomePickList(std::string_view rateFilter, std::string_view currentCode) {
    IncomePickList list;
    list.rateFilter = rateFilter;
    for (const IncomeCode& income : kIncomeCodes) {
        if (rateFilter.empty() || std::to_string(income.rate) == rateFilter) {
            list.rows.push_back(&income);
        }
    }
    list.selected = Preselect(
        list.rows.size(), [&](size_t i) { return list.rows[i]->code; }, currentCode);
    return list;
}

DeductionPickList MakeDeductionPickList(std::string_view incomeCode, bool allRows,
                                        std::string_view currentCode) {
    DeductionPickList list;
    if (const IncomeCode* income = FindIncomeCodeText(incomeCode)) {
        for (const DeductionRow& row : income->deductions) {
            if (allRows || OfferedToNonResident(row.code)) list.rows.push_back(&row);
        }
    }
    list.selected = Preselect(
        list.rows.size(), [&](size_t i) { return list.rows[i]->code; }, currentCode);
    return list;
}

std::optional<Money> ParseUserAmount(std::string_view text) {
    std::string normal(text);
    std::replace(normal.begin(), normal.end(), '.', ',');
    return Money::Parse(normal, ',');
}

std::string UserAmountText(Money amount) {
    std::string text = amount.ToString();
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

Money ShareOfIncome(Money income, int share) {
    // raw × share / 100 ten-thousandths = raw × share / 10000 kopecks.
    constexpr int64_t kRawPerKopeck = Money::kScale / 100;
    const __int128 scaled = static_cast<__int128>(income.Raw()) * share;
    const __int128 magnitude = scaled < 0 ? -scaled : scaled;
    const __int128 kopecks = (magnitude + 5000) / 10000;
    return Money::Clamped((scaled < 0 ? -kopecks : kopecks) * kRawPerKopeck);
}

Money CapAmount(const DeductionRule& rule, Money amount) {
    if (!rule.maxSum.IsZero() && amount > rule.maxSum) return rule.maxSum;
    return amount;
}

std::string AmountOnChoice(const DeductionRule& rule, std::string_view incomeText) {
    const std::optional<Money> income = ParseUserAmount(incomeText);
    if (rule.share != 0) {
        return income ? UserAmountText(ShareOfIncome(*income, rule.share)) : "0";
    }
    if (rule.equivalent && !rule.maxSum.IsZero()) {
        if (!income) return "0";
        return *income > rule.maxSum ? UserAmountText(rule.maxSum) : std::string(incomeText);
    }
    if (rule.equivalent) return std::string(incomeText);
    return {};
}

Money AmountOnIncomeChange(const DeductionRule& rule, std::string_view incomeText, Money shown) {
    const std::optional<Money> income = ParseUserAmount(incomeText);
    Money amount = shown;
    if (rule.share != 0) {
        amount = income ? ShareOfIncome(*income, rule.share) : Money();
    } else if (rule.equivalent) {
        amount = income.value_or(Money());
    }
    return CapAmount(rule, amount);
}

}  // namespace zorv
