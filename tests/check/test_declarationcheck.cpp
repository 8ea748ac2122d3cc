#include <gtest/gtest.h>

#include <functional>

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "check/checkrules.h"
#include "check/declarationcheck.h"
#include "check/pagecheck.h"
#include "fixtures.h"
#include "model/declaration.h"
#include "model/jsonform.h"

namespace zorv {
namespace {

const char kConditions[] = "Задание условий";
const char kTaxpayer[] = "Сведения о декларанте";
const char kIncome13[] = "Доходы, облагаемые ставкой 13%";
const char kForeign[] = "Доходы в валюте";
const char kBusiness[] = "Доходы от предпринимательской деятельности";
const char kPractice[] = "Доходы от частной практики";
const char kSocial[] = "Социальные вычеты";
const char kStandard[] = "Стандартные вычеты";
const char kHousing[] = "Имущественный налоговый вычет";

// Fixtures: "complete" has every income group, all three deductions claimed and
// a valid 12-digit INN; "employee" has 13 % income only, no INN and a passport
// issued the day after the holder's fourteenth birthday (born 29.02.1992).
Json Fixture(const std::string& name) {
    return testing::ReadFixtureJson("check/" + name + ".json");
}

// One change of a fixture: the value at a JSON pointer; null removes the key.
struct Edit {
    std::string path;
    Json value;
};
using Edits = std::vector<Edit>;

mTDeclaration Declaration(const std::string& fixture, const Edits& edits = {}) {
    Json json = Fixture(fixture);
    for (const Edit& e : edits) {
        Json::json_pointer pointer(e.path);
        if (e.value.is_null()) {
            json[pointer.parent_pointer()].erase(pointer.back());
        } else {
            json[pointer] = e.value;
        }
    }
    mTDeclaration d;
    DeclarationFromJson(json, d);
    return d;
}

std::vector<std::string> RuleIds(const std::vector<DeclarationProblem>& problems) {
    std::vector<std::string> ids;
    for (const DeclarationProblem& p : problems) ids.push_back(p.rule);
    return ids;
}

// Answers the windows in turn (the last answer repeats).
class ScriptedUser {
  public:
    explicit ScriptedUser(std::vector<CheckAnswer> answers) : answers_(std::move(answers)) {}

    CheckPrompter Prompter() {
        return [this](const CheckQuestion& q) {
            ++windows;
            EXPECT_TRUE(q.canCancel);
            EXPECT_FALSE(q.canSkip);
            return answers_[std::min(windows, answers_.size()) - 1];
        };
    }

    size_t windows = 0;

  private:
    std::vector<CheckAnswer> answers_;
};

TEST(DeclarationCheck, FixturesPass) {
    for (const char* fixture : {"complete", "employee"}) {
        mTDeclaration d = Declaration(fixture);
        EXPECT_TRUE(ListDeclarationProblems(d).empty()) << fixture;
        DeclarationCheckResult r = CheckDeclaration(d);
        EXPECT_EQ(r.focus, 0) << fixture;
        EXPECT_TRUE(r.shown.empty()) << fixture;
        // The last group entered is the territory-code rule of the address page.
        EXPECT_EQ(r.page, kPageAddress) << fixture;
    }
    // A 4-NDFL declaration has no territory-code rule: the housing group is the last.
    DeclarationCheckResult r = CheckDeclaration(Declaration("complete", {{"/DeclarationKind", 2}}));
    EXPECT_EQ(r.focus, 0);
    EXPECT_EQ(r.page, kPageHousing);
}

struct RuleCase {
    const char* label;
    const char* fixture;
    Edits edits;
    std::vector<std::string> failing;  // every failing rule; empty when the declaration passes
    int page = 0;                      // the check's first window
    int focus = 0;
    const char* section = "";
    std::string message = {};
};

std::vector<RuleCase> RuleCases() {
    const Json noLines = {{"SourceName", "ООО \"Б\""}};
    const Json salary = {{"IncomeCode", 2000}, {"IncomeSum", "1000"}, {"Month", 1}};
    Json januaryOnly = Json::array();
    Json februaryOnly = Json::array();
    for (int m = 0; m < 12; ++m) {
        januaryOnly.push_back(m == 0 ? Json("1000") : Json());
        februaryOnly.push_back(m == 1 ? Json("1000") : Json());
    }
    const Json secondSource = {
        {"SourceName", "ООО \"Б\""}, {"IncomeList", {salary}}, {"MonthlyAmounts", januaryOnly}};

    return {
        // Conditions page.
        {"no inspection",
         "complete",
         {{"/InspectionCode", ""}},
         {"1"},
         1,
         1,
         kConditions,
         "Не введен номер инспекции"},
        {"inspection of three digits",
         "complete",
         {{"/InspectionCode", "770"}},
         {"1"},
         1,
         1,
         kConditions,
         "Не введен номер инспекции"},
        {"inspection with a letter",
         "complete",
         {{"/InspectionCode", "77O5"}},
         {"1"},
         1,
         1,
         kConditions,
         "Не введен номер инспекции"},
        {"primary 4-NDFL without expected income",
         "complete",
         {{"/DeclarationKind", 2}, {"/IsPrimary", 1}},
         {"2"},
         1,
         2,
         kConditions,
         "Для первичной Декларации предполагаемый доход должен отличаться от нулевого"},
        {"primary 4-NDFL with expected income",
         "complete",
         {{"/DeclarationKind", 2}, {"/IsPrimary", 1}, {"/ExpectedIncome", "100000"}},
         {}},
        {"primary 3-NDFL needs no expected income", "complete", {{"/IsPrimary", 1}}, {}},
        {"representative without name",
         "complete",
         {{"/SubmitterKind", 1}, {"/RepresentativeDocument", "Доверенность"}},
         {"3"},
         1,
         3,
         kConditions,
         "Не указаны ФИО подписанта-представителя"},
        {"representative without document",
         "complete",
         {{"/SubmitterKind", 1},
          {"/RepresentativeName", "Петров П.П."},
          {"/RepresentativeDocument", "   "}},
         {"4"},
         1,
         4,
         kConditions,
         "Не указан документ, подтверждающий полномочия представителя"},
        {"person as representative needs no organisation",
         "complete",
         {{"/SubmitterKind", 1},
          {"/RepresentativeName", "Петров П.П."},
          {"/RepresentativeDocument", "Доверенность"}},
         {}},
        {"organisation as representative without its name",
         "complete",
         {{"/SubmitterKind", 2},
          {"/RepresentativeName", "Петров П.П."},
          {"/RepresentativeDocument", "Доверенность"},
          {"/RepresentativeOrganisation", " "}},
         {"5"},
         1,
         5,
         kConditions,
         "Не указано наименование Юр.лица-представителя"},

        // Taxpayer page.
        {"no surname",
         "complete",
         {{"/Person/SurName", ""}},
         {"6"},
         2,
         1,
         kTaxpayer,
         "Не введена фамилия"},
        {"no name", "complete", {{"/Person/Name", ""}}, {"7"}, 2, 2, kTaxpayer, "Не введено имя"},
        {"INN of 11 digits",
         "complete",
         {{"/Person/INN", "77051234565"}},
         {"8"},
         2,
         4,
         kTaxpayer,
         "Длинна ИНН должна быть равна 12 цифрам"},
        {"INN of an organisation",
         "complete",
         {{"/Person/INN", "7705012343"}},
         {"8"},
         2,
         4,
         kTaxpayer,
         "Длинна ИНН должна быть равна 12 цифрам"},
        {"INN with a wrong check digit",
         "complete",
         {{"/Person/INN", "770512345651"}},
         {"8a"},
         2,
         4,
         kTaxpayer,
         "Номер ИНН введен неверно"},
        {"INN with a letter",
         "complete",
         {{"/Person/INN", "77051234565Ж"}},
         {"8a"},
         2,
         4,
         kTaxpayer,
         "Номер ИНН введен неверно"},
        {"business income without INN",
         "complete",
         {{"/Person/INN", ""}},
         {"9"},
         2,
         4,
         kTaxpayer,
         "Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН"},
        {"entrepreneur without INN",
         "employee",
         {{"/TaxpayerCategory", 0}},
         {"9"},
         2,
         4,
         kTaxpayer,
         "Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН"},
        {"no INN and no birth place",
         "employee",
         {{"/Person/BirthPlace", "  "}},
         {"10"},
         2,
         9,
         kTaxpayer,
         "Не указано место рождения"},
        {"no INN and no document",
         "employee",
         {{"/Person/DocTypeCode", 0}},
         {"11"},
         2,
         5,
         kTaxpayer,
         "Не указан документ, удостоверяющий личность"},
        {"valid INN needs neither birth place nor document",
         "complete",
         {{"/Person/BirthPlace", ""},
          {"/Person/DocTypeCode", 0},
          {"/Person/DocNumber", ""},
          {"/Person/DocIssuedBy", ""}},
         {}},
        {"no document number",
         "complete",
         {{"/Person/DocNumber", ""}},
         {"12"},
         2,
         6,
         kTaxpayer,
         "Не указаны серия и номер документа, удостоверяющего личность"},
        {"issued before birth",
         "complete",
         {{"/Person/DocIssueDate", "11.04.1975"}},
         {"13"},
         2,
         7,
         kTaxpayer,
         "Дата выдачи документа не может быть меньше даты рождения"},
        {"born 29.02.1992, passport of 28.02.2006",
         "employee",
         {{"/Person/DocIssueDate", "28.02.2006"}},
         {"13a"},
         2,
         7,
         kTaxpayer,
         "Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет"},
        {"passport on the fourteenth birthday",
         "complete",
         {{"/Person/DocIssueDate", "12.04.1989"}},
         {"13a"},
         2,
         7,
         kTaxpayer,
         "Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет"},
        {"passport the day after", "complete", {{"/Person/DocIssueDate", "13.04.1989"}}, {}},
        {"no issuer",
         "complete",
         {{"/Person/DocIssuedBy", ""}},
         {"14"},
         2,
         8,
         kTaxpayer,
         "Не указано, кем выдан документ, удостоверяющий личность"},
        {"foreigner without citizenship",
         "complete",
         {{"/Person/IsForeigner", 1}, {"/Person/CitizenshipName", ""}},
         {"15"},
         2,
         10,
         kTaxpayer,
         "Не указано гражданство"},

        // Address page.
        {"no region",
         "complete",
         {{"/Person/RegionCode", 0}},
         {"16"},
         3,
         2,
         kTaxpayer,
         "Не указан регион постоянного местожительства"},
        {"neither locality nor street",
         "complete",
         {{"/Person/Street", ""}},
         {"17"},
         3,
         5,
         kTaxpayer,
         "Не указан населенный пункт (село, поселок) или улица (проспект, переулок)"},
        {"locality without street", "employee", {}, {}},
        {"OKATO of 10 digits",
         "complete",
         {{"/Person/OKATO", "4528656000 "}},
         {"42"},
         3,
         4,
         kTaxpayer,
         "Не введен код ОКАТО(11 симв.) по месту жительства"},
        {"4-NDFL with a 5-digit OKATO",
         "complete",
         {{"/DeclarationKind", 2}, {"/Person/OKATO", "45286"}},
         {}},

        // Income at 13 %.
        {"more tax withheld than income",
         "complete",
         {{"/ThirteenPercentList/0/TaxWithheld", "70000.01"}},
         {"18"},
         4,
         1,
         kIncome13,
         "По данному источнику выплаты общая сумма дохода меньше удержанной суммы"},
        {"second source without income lines",
         "complete",
         {{"/ThirteenPercentList/1", noLines}},
         {"19"},
         4,
         2,
         kIncome13,
         "По данному источнику не указаны доходы"},

        // Foreign-currency income.
        {"no currency code",
         "complete",
         {{"/CurrencyIncomeList/0/CurrencyCode", ""}},
         {"20"},
         7,
         1,
         kForeign,
         "По данному источнику выплаты не указан код валюты"},
        {"no units",
         "complete",
         {{"/CurrencyIncomeList/0/IncomeUnits", 0}},
         {"21"},
         7,
         1,
         kForeign,
         "По данному источнику выплаты не указан курс валюты"},
        {"no rate",
         "complete",
         {{"/CurrencyIncomeList/0/IncomeRate1", "0"}},
         {"21"},
         7,
         1,
         kForeign,
         "По данному источнику выплаты не указан курс валюты"},
        {"no income code",
         "complete",
         {{"/CurrencyIncomeList/0/IncomeCode", 0}},
         {"22"},
         7,
         1,
         kForeign,
         "По данному источнику выплаты не указан код дохода"},
        {"no income amount",
         "complete",
         {{"/CurrencyIncomeList/0/IncomeInCurrency", "0"}},
         {"23"},
         7,
         1,
         kForeign,
         "По данному источнику выплаты не указана сумма дохода"},
        {"deduction code without amount",
         "complete",
         {{"/CurrencyIncomeList/0/DeductCode", 201}},
         {"24"},
         7,
         1,
         kForeign,
         "По данному источнику выплаты не указана сумма вычета"},
        {"second item without currency code",
         "complete",
         {{"/CurrencyIncomeList/1",
           {{"IncomeCode", 2000},
            {"IncomeRate1", "1"},
            {"IncomeUnits", 1},
            {"IncomeInCurrency", "1"}}}},
         {"20"},
         7,
         2,
         kForeign,
         "По данному источнику выплаты не указан код валюты"},

        // Business income.
        {"confirmed and standard expenses mixed",
         "complete",
         {{"/BusinessList/1", {{"HasConfirmedExpenses", 0}, {"ExpenseTotal", "1000"}}}},
         {"25"},
         8,
         2,
         kBusiness,
         "Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%."},
        {"labour contracts above labour",
         "complete",
         {{"/BusinessList/0/ExpenseItems/4", "40000.5"}},
         {"26"},
         8,
         1,
         kBusiness,
         "Расходы по оплате трудовых договоров(40000,5) превышают сумму расходов на оплату "
         "труда (40000)"},
        {"parts of other expenses above them",
         "complete",
         {{"/BusinessList/0/ExpenseItems/6", "15000.25"}},
         {"27"},
         8,
         1,
         kBusiness,
         "Сумма прочих расходов (20000) меньше суммы ее составляющих (20000,25)"},
        {"total below its parts",
         "complete",
         {{"/BusinessList/0/ExpenseItems/0", "99999.99"}},
         {"28"},
         8,
         1,
         kBusiness,
         "Общие расходы (99999,99) меньше суммы расходов материальных, на оплату труда, прочих и "
         "амортизационных отчислений (100000)"},
        {"items of unconfirmed expenses are not checked",
         "complete",
         {{"/BusinessList/0/HasConfirmedExpenses", 0}, {"/BusinessList/0/ExpenseItems/4", "99999"}},
         {}},

        // Private practice (value n is Values[n - 1]).
        {"practice: labour contracts above labour",
         "complete",
         {{"/RepetitList/0/Values/7", "20.5"}},
         {"29"},
         11,
         1,
         kPractice,
         "Расходы по оплате трудовых договоров(20,5) превышают сумму расходов на оплату труда "
         "(20)"},
        {"practice: material parts above material",
         "complete",
         {{"/RepetitList/0/Values/4", "20.01"}},
         {"30"},
         11,
         1,
         kPractice,
         "Сумма материальных расходов меньше (30) суммы расходов на энергию и неамортизируемое "
         "имущество(30,01)"},
        {"practice: parts of other expenses above them",
         "complete",
         {{"/RepetitList/0/Values/20", "30.5"}},
         {"31"},
         11,
         1,
         kPractice,
         "Сумма прочих расходов (40) не совпадает с суммой ее составляющих (40,5)"},
        {"practice: parts summing beyond 64 bits",
         "complete",
         {{"/RepetitList/0/Values",
           {0,
            100,
            30,
            10,
            10,
            10,
            20,
            10,
            40,
            "900000000000000",
            "900000000000000",
            "900000000000000",
            "900000000000000",
            "900000000000000",
            "900000000000000",
            "900000000000000",
            "900000000000000",
            "900000000000000",
            "900000000000000",
            "900000000000000",
            "900000000000000.5"}}},
         {"31"},
         11,
         1,
         kPractice,
         "Сумма прочих расходов (40) не совпадает с суммой ее составляющих "
         "(10800000000000000,5)"},
        {"practice: total below its parts",
         "complete",
         {{"/RepetitList/0/Values/5", "10.1"}},
         {"32"},
         11,
         1,
         kPractice,
         "Общие расходы (100) не совпадают с суммой расходов материальных, на оплату труда, "
         "прочих и амортизационных отчислений (100,1)"},

        // Deductions.
        {"social deductions claimed without data",
         "complete",
         {{"/SocialDeduct/MedicalSum", "0"}},
         {"33"},
         9,
         1,
         kSocial,
         "Не введены данные по социальным налоговым вычетам"},
        {"social deductions with a pension contract only",
         "complete",
         {{"/SocialDeduct/MedicalSum", "0"}, {"/SocialDeduct/PensList", {{{"ContractKind", 1}}}}},
         {}},
        {"standard deductions from two employers in one month",
         "employee",
         {{"/ThirteenPercentList/0/MonthlyAmounts", januaryOnly},
          {"/ThirteenPercentList/1", secondSource}},
         {"34"},
         9,
         2,
         kStandard,
         "Вы не могли получать стандартные вычеты работая в нескольких местах ОДНОВРЕМЕННО."},
        {"two employers in different months",
         "employee",
         {{"/ThirteenPercentList/0/MonthlyAmounts", februaryOnly},
          {"/ThirteenPercentList/1", secondSource}},
         {}},
        {"two employers with the monthly business table",
         "employee",
         {{"/ThirteenPercentList/0/MonthlyAmounts", januaryOnly},
          {"/ThirteenPercentList/1", secondSource},
          {"/StandartDeduct/HasMonthlyBusiness", 1}},
         {}},
        {"two employers with business income",
         "complete",
         {{"/ThirteenPercentList/0/MonthlyAmounts", januaryOnly},
          {"/ThirteenPercentList/1", secondSource}},
         {}},
        {"no deduction groups without income",
         "employee",
         {{"/IncomeFlags", 0},
          {"/ThirteenPercentList", nullptr},
          {"/SocialDeduct/Granted", 1},
          {"/ConstructionDeduct/Granted", 1}},
         {}},

        // Housing deduction.
        {"no object name",
         "complete",
         {{"/ConstructionDeduct/ObjectName", " "}},
         {"35"},
         10,
         1,
         kHousing,
         "Не введено наименование объекта"},
        {"no post index",
         "complete",
         {{"/ConstructionDeduct/PostIndex", ""}},
         {"36"},
         10,
         2,
         kHousing,
         "Не введен почтовый индекс"},
        {"registered before purchase",
         "complete",
         {{"/ConstructionDeduct/RegistrationDate", "31.07.2008"}},
         {"37"},
         10,
         4,
         kHousing,
         "Дата регистрации прав собственности меньше даты приобретения (даты начала "
         "строительства)"},
        {"first used before the purchase year",
         "complete",
         {{"/ConstructionDeduct/StartYearDate", "01.01.2007"}},
         {"38"},
         10,
         5,
         kHousing,
         "Год начала пользования льготой меньше даты приобретения (даты начала строительства)"},
        {"registered in 2009",
         "complete",
         {{"/ConstructionDeduct/RegistrationDate", "15.01.2009"}},
         {"39"},
         10,
         4,
         kHousing,
         "Вы не можете получить вычет за 2008 год если дата акта или регистрации прав "
         "собственности относится к 2009 году"},
        {"registered in 2009 for the year 2009",
         "complete",
         {{"/Year", "2009"}, {"/ConstructionDeduct/RegistrationDate", "15.01.2009"}},
         {}},
        {"prior years above the limit",
         "complete",
         {{"/ConstructionDeduct/HousingPriorYears", "1000000.01"},
          {"/ConstructionDeduct/ShareNumerator", 2}},
         {"40"},
         10,
         8,
         kHousing,
         "В предыдущие отчетные годы не могли зачесть более 1000000 рублей"},
        {"carried over beyond the share",
         "complete",
         {{"/ConstructionDeduct/HousingCarriedOver", "400000"},
          {"/ConstructionDeduct/HousingPriorYearsAgent", "100000.01"},
          {"/ConstructionDeduct/ShareDenominator", 2}},
         {"41"},
         10,
         6,
         kHousing,
         "Перейти с прошлого года может не более 1000000 рублей * долю собственности (за вычетом "
         "уже зачтеных сумм)"},
        {"carried over up to the share",
         "complete",
         {{"/ConstructionDeduct/HousingCarriedOver", "400000"},
          {"/ConstructionDeduct/HousingPriorYearsAgent", "100000"},
          {"/ConstructionDeduct/ShareDenominator", 2}},
         {}},
        // A denominator of 0 would make the deduction vanish or count a share
        // the user never gave.
        {"share without denominator",
         "complete",
         {{"/ConstructionDeduct/HousingCarriedOver", "600000"},
          {"/ConstructionDeduct/ShareDenominator", 0}},
         {"35b"},
         10,
         1,
         kHousing,
         "Не указана доля в праве собственности: знаменатель доли равен 0. Укажите долю, например "
         "1/1 "
         "для единственного владельца"},
        {"share of nothing",
         "complete",
         {{"/ConstructionDeduct/HousingCarriedOver", "1"},
          {"/ConstructionDeduct/ShareNumerator", 0},
          {"/ConstructionDeduct/ShareDenominator", 0}},
         {"35b", "41"},
         10,
         1,
         kHousing,
         "Не указана доля в праве собственности: знаменатель доли равен 0. Укажите долю, например "
         "1/1 "
         "для единственного владельца"},
        {"housing not claimed",
         "complete",
         {{"/ConstructionDeduct/Granted", 0}, {"/ConstructionDeduct/ObjectName", ""}},
         {}},
    };
}

TEST(DeclarationCheck, EachRule) {
    for (const RuleCase& c : RuleCases()) {
        SCOPED_TRACE(c.label);
        mTDeclaration d = Declaration(c.fixture, c.edits);
        EXPECT_EQ(RuleIds(ListDeclarationProblems(d)), c.failing);

        DeclarationCheckResult corrected = CheckDeclaration(d);
        if (c.failing.empty()) {
            EXPECT_EQ(corrected.focus, 0);
            EXPECT_TRUE(corrected.shown.empty());
            continue;
        }
        EXPECT_EQ(corrected.page, c.page);
        EXPECT_EQ(corrected.focus, c.focus);
        ASSERT_EQ(corrected.shown.size(), 1u);
        EXPECT_EQ(corrected.shown[0].section, c.section);
        EXPECT_EQ(corrected.shown[0].message, c.message);

        ScriptedUser user({CheckAnswer::Cancel});
        DeclarationCheckResult cancelled = CheckDeclaration(d, user.Prompter());
        EXPECT_EQ(cancelled.page, c.page);
        EXPECT_EQ(cancelled.focus, kFocusCancelled);
    }
}

// Negative amounts reach the model only from a document (the JSON form refuses
// them); the check refuses them too.
TEST(DeclarationCheck, NegativeAmountsFromADocument) {
    struct Case {
        const char* label;
        std::function<void(mTDeclaration&)> change;
        const char* rule;
        int page;
        int focus;
    };
    const Case cases[] = {
        {"negative income line",
         [](mTDeclaration& d) {
             mTSourseIncome line = d.ThirteenPercent(0).Income(0);
             line.IncomeSum = -Money::Rubles(5000);
             d.ThirteenPercent(0).SetIncome(0, line);
         },
         "19a", kPageIncome13, 1},
        {"negative tax withheld",
         [](mTDeclaration& d) { d.ThirteenPercent(0).TaxWithheld = -Money::Rubles(1); }, "19a",
         kPageIncome13, 1},
        {"negative object cost",
         [](mTDeclaration& d) { d.ConstructionDeduct.ObjectCost = -Money::Rubles(100); }, "35a",
         kPageHousing, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        mTDeclaration d = Declaration("complete");
        c.change(d);
        std::vector<std::string> ids = RuleIds(ListDeclarationProblems(d));
        EXPECT_NE(std::find(ids.begin(), ids.end(), c.rule), ids.end());
        DeclarationCheckResult result = CheckDeclaration(d);
        ASSERT_EQ(result.shown.size(), 1u);
        EXPECT_EQ(result.shown[0].rule, c.rule);
        EXPECT_EQ(result.page, c.page);
        EXPECT_EQ(result.focus, c.focus);
        EXPECT_NE(result.shown[0].message.find("без знака «-»"), std::string::npos);
    }
}

TEST(DeclarationCheck, DocumentKindsIssuedBeforeFourteen) {
    // A document issued at the age of two (born 29.02.1992).
    for (int kind : {3, 23, 91, 7, 10, 14, 21}) {
        mTDeclaration d = Declaration(
            "employee", {{"/Person/DocTypeCode", kind}, {"/Person/DocIssueDate", "01.03.1994"}});
        bool anyAge = kind == 3 || kind == 23 || kind == 91;
        EXPECT_EQ(RuleIds(ListDeclarationProblems(d)),
                  anyAge ? std::vector<std::string>{} : std::vector<std::string>{"13a"})
            << "kind " << kind;
    }
}

struct FlowCase {
    const char* label;
    const char* fixture;
    Edits edits;
    std::vector<CheckAnswer> answers;
    std::vector<std::string> windows;  // the rules whose windows appear, in order
    int page;
    int focus;
};

TEST(DeclarationCheck, WindowsAndAnswers) {
    const Edits representativeMissing = {
        {"/InspectionCode", ""}, {"/SubmitterKind", 2}, {"/RepresentativeName", ""}};
    const Edits twoBadSources = {{"/ThirteenPercentList/0/TaxWithheld", "70000.01"},
                                 {"/ThirteenPercentList/1", {{"SourceName", "ООО \"Б\""}}}};
    const Json badLabour = {
        {"ExpenseItems", {100, 0, 0, 10, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}};
    const Json unconfirmed = {{"HasConfirmedExpenses", 0}};
    const CheckAnswer yes = CheckAnswer::Correct;
    const CheckAnswer no = CheckAnswer::Cancel;

    const FlowCase cases[] = {
        // After "Исправить" the representative rules of the conditions page are skipped;
        // after "Отмена" they still show, and the last answer decides.
        {"inspection corrected", "complete", representativeMissing, {yes}, {"1"}, 1, 1},
        {"inspection cancelled",
         "complete",
         representativeMissing,
         {no},
         {"1", "3", "4", "5"},
         1,
         -1},
        {"cancelled, then corrected",
         "complete",
         representativeMissing,
         {no, yes},
         {"1", "3"},
         1,
         3},
        // Rules 1 and 2 are both ungated.
        {"inspection and expected income",
         "complete",
         {{"/InspectionCode", ""}, {"/DeclarationKind", 2}, {"/IsPrimary", 1}},
         {yes},
         {"1", "2"},
         1,
         2},
        {"inspection corrected, expected income cancelled",
         "complete",
         {{"/InspectionCode", ""}, {"/DeclarationKind", 2}, {"/IsPrimary", 1}},
         {yes, no},
         {"1", "2"},
         1,
         -1},
        // Past the first window only the ungated rules of the page run, whatever the answer.
        {"surname, name and issuer",
         "complete",
         {{"/Person/SurName", ""}, {"/Person/Name", ""}, {"/Person/DocIssuedBy", ""}},
         {no},
         {"6"},
         2,
         -1},
        {"issuer waits for the issue date",
         "complete",
         {{"/Person/DocIssueDate", "01.01.1970"}, {"/Person/DocIssuedBy", ""}},
         {yes},
         {"13"},
         2,
         7},
        {"region and street",
         "complete",
         {{"/Person/RegionCode", 0}, {"/Person/Street", ""}},
         {yes},
         {"16"},
         3,
         2},
        // Both rules of the 13 % page show their windows.
        {"two bad sources", "complete", twoBadSources, {yes}, {"18", "19"}, 4, 2},
        {"two bad sources, second cancelled",
         "complete",
         twoBadSources,
         {yes, no},
         {"18", "19"},
         4,
         -1},
        {"two bad sources, first cancelled",
         "complete",
         twoBadSources,
         {no, yes},
         {"18", "19"},
         4,
         2},
        {"currency code and rate",
         "complete",
         {{"/CurrencyIncomeList/0/CurrencyCode", ""}, {"/CurrencyIncomeList/0/IncomeUnits", 0}},
         {yes},
         {"20"},
         7,
         1},
        {"rate of one item, code of another",
         "complete",
         {{"/CurrencyIncomeList/0/IncomeUnits", 0},
          {"/CurrencyIncomeList/1",
           {{"CurrencyCode", "978"},
            {"IncomeRate1", "1"},
            {"IncomeUnits", 1},
            {"IncomeInCurrency", "1"}}}},
         {yes},
         {"21"},
         7,
         1},
        // The walk over activities ends with the first one that shows a window.
        {"activities",
         "complete",
         {{"/BusinessList/1", badLabour}, {"/BusinessList/2", unconfirmed}},
         {yes},
         {"26"},
         8,
         2},
        {"private practice cancelled",
         "complete",
         {{"/RepetitList/0/Values/7", "99"}},
         {no},
         {"29"},
         11,
         -1},
        // A page with a problem ends the run.
        {"surname and region",
         "complete",
         {{"/Person/SurName", ""}, {"/Person/RegionCode", 0}, {"/Person/OKATO", ""}},
         {yes},
         {"6"},
         2,
         1},
    };
    for (const FlowCase& c : cases) {
        SCOPED_TRACE(c.label);
        ScriptedUser user(c.answers);
        DeclarationCheckResult r =
            CheckDeclaration(Declaration(c.fixture, c.edits), user.Prompter());
        EXPECT_EQ(RuleIds(r.shown), c.windows);
        EXPECT_EQ(user.windows, c.windows.size());
        EXPECT_EQ(r.page, c.page);
        EXPECT_EQ(r.focus, c.focus);
    }
}

TEST(DeclarationCheck, EmptyDeclaration) {
    mTDeclaration d;
    ScriptedUser corrects({CheckAnswer::Correct});
    DeclarationCheckResult r = CheckDeclaration(d, corrects.Prompter());
    EXPECT_EQ(RuleIds(r.shown), std::vector<std::string>{"1"});
    EXPECT_EQ(r.page, kPageConditions);
    EXPECT_EQ(r.focus, 1);

    ScriptedUser cancels({CheckAnswer::Cancel});
    r = CheckDeclaration(d, cancels.Prompter());
    EXPECT_EQ(r.page, kPageConditions);
    EXPECT_EQ(r.focus, kFocusCancelled);

    // Judged on its own every rule of the pages without income data applies.
    EXPECT_EQ(RuleIds(ListDeclarationProblems(d)),
              (std::vector<std::string>{"1", "6", "7", "10", "11", "16", "17", "42"}));
}

TEST(DeclarationCheck, ListGivesEveryRuleAndItsFirstRecord) {
    mTDeclaration d = Declaration(
        "complete",
        {{"/Person/SurName", ""},
         {"/Person/Name", ""},
         {"/Person/DocIssueDate", "01.01.1970"},
         {"/Person/DocIssuedBy", ""},
         {"/BusinessList/1", {{"HasConfirmedExpenses", 0}}},
         {"/BusinessList/2", {{"HasConfirmedExpenses", 0}}},
         {"/BusinessList/3",
          {{"ExpenseItems", {100, 0, 0, 10, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}}}});
    std::vector<DeclarationProblem> problems = ListDeclarationProblems(d);
    EXPECT_EQ(RuleIds(problems), (std::vector<std::string>{"6", "7", "13", "14", "25", "26"}));
    ASSERT_EQ(problems.size(), 6u);
    EXPECT_EQ(problems[4].focus, 2);  // the first activity without confirmed expenses
    EXPECT_EQ(problems[5].focus, 4);
    EXPECT_EQ(problems[5].page, kPageBusiness);
}

// A page's own check reads the table of the whole check. Where the two judge
// differently on purpose, each keeps its rule; the rules of the whole check
// alone never stop a page from being left.
TEST(PageCheck, SharesTheTableOfTheWholeCheck) {
    struct Case {
        const char* label;
        const char* fixture;
        Edits edits;
        PageCode page;
        std::string pageMessage;  // empty: the page passes
        int pageFocus;
        std::vector<std::string> declarationRules;
    };
    const std::string noInspection = "Не введен номер инспекции";
    const Case cases[] = {
        {"no inspection",
         "complete",
         {{"/InspectionCode", ""}},
         kPageConditions,
         noInspection,
         1,
         {"1"}},
        // The page takes any code; the whole check wants the four digits of the list.
        {"inspection of three digits",
         "complete",
         {{"/InspectionCode", "770"}},
         kPageConditions,
         "",
         0,
         {"1"}},
        {"primary 4-NDFL without expected income",
         "complete",
         {{"/DeclarationKind", 2}, {"/IsPrimary", 1}},
         kPageConditions,
         "",
         0,
         {"2"}},
        {"representative named with blanks",
         "complete",
         {{"/SubmitterKind", 1},
          {"/RepresentativeName", " \t"},
          {"/RepresentativeDocument", "Доверенность"}},
         kPageConditions,
         "Не указаны ФИО подписанта-представителя",
         3,
         {"3"}},
        {"no surname",
         "complete",
         {{"/Person/SurName", ""}},
         kPageTaxpayer,
         "Не введена фамилия",
         1,
         {"6"}},
        {"business income without INN",
         "complete",
         {{"/Person/INN", ""}},
         kPageTaxpayer,
         "",
         0,
         {"9"}},
        {"no INN and a blank birth place",
         "employee",
         {{"/Person/BirthPlace", "  "}},
         kPageTaxpayer,
         "Не указано место рождения",
         9,
         {"10"}},
        {"foreigner without citizenship",
         "complete",
         {{"/Person/IsForeigner", 1}, {"/Person/CitizenshipName", ""}},
         kPageTaxpayer,
         "",
         0,
         {"15"}},
        {"no region",
         "complete",
         {{"/Person/RegionCode", 0}},
         kPageAddress,
         "Не указан регион постоянного местожительства",
         2,
         {"16"}},
        {"OKATO of 10 digits",
         "complete",
         {{"/Person/OKATO", "4528656000"}},
         kPageAddress,
         "",
         0,
         {"42"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        mTDeclaration d = Declaration(c.fixture, c.edits);
        EXPECT_EQ(RuleIds(ListDeclarationProblems(d)), c.declarationRules);

        std::vector<CheckQuestion> asked;
        const int focus = CheckPage(c.page, d, [&](const CheckQuestion& q) {
            asked.push_back(q);
            return CheckAnswer::Correct;
        });
        EXPECT_EQ(focus, c.pageFocus);
        if (c.pageMessage.empty()) {
            EXPECT_TRUE(asked.empty());
            continue;
        }
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].message, c.pageMessage);
        EXPECT_EQ(asked[0].section, ListDeclarationProblems(d).front().section);
        EXPECT_TRUE(asked[0].canSkip);
        EXPECT_TRUE(asked[0].canSkipAll);
        EXPECT_FALSE(asked[0].canCancel);
    }
}

// The business page wants the total of confirmed expenses equal to its parts;
// the whole check only refuses a total below them.
TEST(PageRules, BusinessTotalOnThePageAndInTheWholeCheck) {
    struct Case {
        const char* total;
        std::string page;         // empty: the page's rule holds
        std::string declaration;  // empty: the whole check's rule holds
    } const cases[] = {
        {"100000", "", ""},
        {"100000.01",
         "Общие расходы (100000,01) не совпадают с суммой расходов материальных, на оплату труда, "
         "прочих и амортизационных отчислений (100000)",
         ""},
        {"99999.99",
         "Общие расходы (99999,99) не совпадают с суммой расходов материальных, на оплату труда, "
         "прочих и амортизационных отчислений (100000)",
         "Общие расходы (99999,99) меньше суммы расходов материальных, на оплату труда, прочих и "
         "амортизационных отчислений (100000)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        mTDeclaration d = Declaration("complete", {{"/BusinessList/0/ExpenseItems/0", c.total}});
        std::string page, declaration;
        for (const CheckRule& rule : RulesOf(kPageBusiness).rules) {
            if (std::string(rule.id) != "28") continue;
            std::string message = rule.test(d, 0).value_or("");
            (rule.use == RuleUse::PageOnly ? page : declaration) = message;
        }
        EXPECT_EQ(page, c.page);
        EXPECT_EQ(declaration, c.declaration);
    }
}

}  // namespace
}  // namespace zorv
