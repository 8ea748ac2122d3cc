#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "check/taxnumbers.h"

namespace zorv {
namespace {

struct InnCase {
    const char* number;
    int kind;
    int expected;
};

TEST(CheckINN, LengthsAndCheckDigits) {
    const InnCase cases[] = {
        {"1234567894", kInnAny, kInnValid},
        {"1234567894", kInnOrganisation, kInnValid},
        {"1234567894", kInnPerson, kInnNotTwelve},
        {"123456789047", kInnPerson, kInnValid},
        {"123456789047", kInnAny, kInnValid},
        {"123456789047", kInnOrganisation, kInnNotTen},
        {"123456789048", kInnPerson, kInnWrongDigits},
        {"123456789037", kInnPerson, kInnWrongDigits},  // eleventh digit wrong
        {"1234567895", kInnAny, kInnWrongDigits},
        {"12345678901", kInnAny, kInnNotTenOrTwelve},
        {"12345678901", kInnPerson, kInnNotTwelve},
        {"", kInnPerson, kInnEmpty},
        {"   ", kInnAny, kInnEmpty},
        {" 1234567894 ", kInnOrganisation, kInnValid},
        // A weighted sum leaving 10 gives the check digit 0.
        {"1000000010", kInnOrganisation, kInnValid},
        {"100000001102", kInnPerson, kInnValid},
        // Anything but a digit at the right length is a wrong number.
        {"123456789X", kInnOrganisation, kInnWrongDigits},
        {"12345678904Ж", kInnPerson, kInnWrongDigits},
        {"1234-67894", kInnAny, kInnWrongDigits},
        // A kind outside the three is taken as "10 or 12 digits".
        {"123456789047", 7, kInnValid},
        {"123", 7, kInnNotTenOrTwelve},
    };
    for (const InnCase& c : cases) {
        EXPECT_EQ(CheckINN(c.number, c.kind), c.expected)
            << "\"" << c.number << "\" kind " << c.kind;
    }
}

TEST(CheckKPP, EmptyAndLength) {
    EXPECT_EQ(CheckKPP(""), 1);
    EXPECT_EQ(CheckKPP("  "), 1);
    EXPECT_EQ(CheckKPP("77050100"), 2);
    EXPECT_EQ(CheckKPP("7705010011"), 2);
    EXPECT_EQ(CheckKPP(" 770501001 "), 0);
}

// Answers the windows in turn (the last answer repeats) and keeps what they showed.
class ScriptedUser {
  public:
    explicit ScriptedUser(std::vector<CheckAnswer> answers) : answers_(std::move(answers)) {}

    CheckPrompter Prompter() {
        return [this](const CheckQuestion& q) {
            shown.push_back(q);
            return answers_[std::min(shown.size(), answers_.size()) - 1];
        };
    }

    std::vector<CheckQuestion> shown;

  private:
    std::vector<CheckAnswer> answers_;
};

const char kName[] = "ООО \"Ромашка\"";
const char kOkato[] = "45286560000";
const char kKpp[] = "770501001";
const char kInn10[] = "7705012343";
const char kInn12[] = "770512345650";

const char kNameMissing[] = "Не заполненно поле \"Наименование источника выплаты\"";
const char kOkatoShort[] =
    "Не введен код ОКАТО (11 символов). (При продаже имущества физ.лицу - не нужен)";

struct SourceCase {
    const char* label;
    const char* name;
    const char* okato;
    const char* kpp;
    const char* inn;
    std::vector<SourceProblem> expected;
};

void ExpectProblems(const std::vector<SourceProblem>& actual,
                    const std::vector<SourceProblem>& expected, const char* label) {
    ASSERT_EQ(actual.size(), expected.size()) << label;
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].check, expected[i].check) << label << " #" << i;
        EXPECT_EQ(actual[i].focus, expected[i].focus) << label << " #" << i;
        EXPECT_EQ(actual[i].message, expected[i].message) << label << " #" << i;
        EXPECT_EQ(actual[i].canSkip, expected[i].canSkip) << label << " #" << i;
    }
}

TEST(PaymentSource, ProblemsInCheckOrder) {
    const SourceCase cases[] = {
        {"organisation", kName, kOkato, kKpp, kInn10, {}},
        {"person without KPP", kName, kOkato, "", kInn12, {}},
        {"no number at all", kName, kOkato, "", "", {}},
        {"name blank", "  ", kOkato, kKpp, kInn10, {{1, 1, kNameMissing, false}}},
        {"OKATO short after trimming",
         kName,
         "4528656000 ",
         kKpp,
         kInn10,
         {{2, 4, kOkatoShort, true}}},
        {"INN of 11 digits",
         kName,
         kOkato,
         "",
         "77051234565",
         {{3, 2, "Длинна ИНН должна быть равна 10 или 12 цифрам", false}}},
        {"INN check digit",
         kName,
         kOkato,
         "",
         "770512345651",
         {{3, 2, "Номер ИНН введен неверно", true}}},
        {"organisation without KPP", kName, kOkato, "", kInn10, {{4, 3, "Отсутствует КПП", true}}},
        {"KPP of 8",
         kName,
         kOkato,
         "77050100",
         kInn10,
         {{4, 3, "Длинна КПП должна быть равна 9 цифрам", false}}},
        {"KPP without INN", kName, kOkato, kKpp, "", {{4, 2, "Введите ИНН", false}}},
        {"KPP with a person's INN",
         kName,
         kOkato,
         kKpp,
         kInn12,
         {{4, 2, "Длинна ИНН для юрлиц должна быть равна 10 цифрам", false}}},
        {"everything wrong",
         "",
         "",
         kKpp,
         "123",
         {{1, 1, kNameMissing, false},
          {2, 4, kOkatoShort, true},
          {3, 2, "Длинна ИНН должна быть равна 10 или 12 цифрам", false},
          {4, 2, "Длинна ИНН для юрлиц должна быть равна 10 цифрам", false}}},
    };
    for (const SourceCase& c : cases) {
        ExpectProblems(PaymentSourceProblems(c.name, c.okato, c.kpp, c.inn), c.expected, c.label);
    }
}

TEST(OrganisationSource, ProblemsInCheckOrder) {
    const SourceCase cases[] = {
        {"valid", kName, kOkato, kKpp, kInn10, {}},
        {"OKATO short",
         kName,
         "4528656",
         kKpp,
         kInn10,
         {{2, 4, "Не введен код ОКАТО (11 символов)", false}}},
        {"INN of a person",
         kName,
         kOkato,
         kKpp,
         kInn12,
         {{3, 2, "Длинна ИНН должна быть равна 10 цифрам", false},
          {5, 2, "Длинна ИНН для юрлиц должна быть равна 10 цифрам", false}}},
        {"INN check digit",
         kName,
         kOkato,
         kKpp,
         "7705012344",
         {{3, 2, "Номер ИНН введен неверно", false}}},
        {"nothing but the name",
         kName,
         kOkato,
         "",
         "",
         {{4, 3, "Отсутствует КПП", false}, {5, 2, "Введите ИНН", false}}},
    };
    for (const SourceCase& c : cases) {
        ExpectProblems(OrganisationSourceProblems(c.name, c.okato, c.kpp, c.inn), c.expected,
                       c.label);
    }
}

TEST(PaymentSource, SkipGoesOnAndCorrectStops) {
    // Short OKATO (skippable), wrong check digit (skippable), missing KPP (skippable).
    const char* okato = "4528656";
    const char* inn = "7705012344";
    {
        ScriptedUser user({CheckAnswer::Skip, CheckAnswer::Correct});
        SourceCheckResult r = CheckPaymentSource(user.Prompter(), "Доходы", kName, okato, "", inn);
        EXPECT_EQ(r.focus, 2);
        EXPECT_EQ(r.check, 3);
        EXPECT_EQ(r.message, "Номер ИНН введен неверно");
        ASSERT_EQ(user.shown.size(), 2u);
        EXPECT_EQ(user.shown[0].section, "Доходы");
        EXPECT_TRUE(user.shown[0].canSkip);
        EXPECT_FALSE(user.shown[0].canSkipAll);
        EXPECT_FALSE(user.shown[0].canCancel);
    }
    {
        ScriptedUser user({CheckAnswer::Skip});
        SourceCheckResult r = CheckPaymentSource(user.Prompter(), "Доходы", kName, okato, "", inn);
        EXPECT_EQ(r.focus, 0);
        EXPECT_EQ(r.check, 0);
        EXPECT_EQ(user.shown.size(), 3u);
    }
    {
        ScriptedUser user({CheckAnswer::Skip});
        SourceCheckResult r =
            CheckPaymentSource(user.Prompter(), "Доходы", kName, kOkato, kKpp, kInn10);
        EXPECT_EQ(r.focus, 0);
        EXPECT_TRUE(user.shown.empty());
    }
}

TEST(PaymentSource, ButtonsNotOfferedCountAsCorrect) {
    // "Пропустить все" is never offered and "Пропустить" not for a blank name.
    for (CheckAnswer answer : {CheckAnswer::SkipAll, CheckAnswer::Skip, CheckAnswer::Cancel}) {
        ScriptedUser user({answer});
        SourceCheckResult r = CheckPaymentSource(user.Prompter(), "Доходы", "", "", "", kInn10);
        EXPECT_EQ(r.focus, 1);
        EXPECT_EQ(user.shown.size(), 1u);
    }
    // Without a prompter every problem is corrected: the first one is reported.
    SourceCheckResult r = CheckPaymentSource({}, "Доходы", kName, "", "", "123");
    EXPECT_EQ(r.focus, 4);
    EXPECT_EQ(r.check, 2);
}

TEST(OrganisationSource, NothingCanBeSkipped) {
    ScriptedUser user({CheckAnswer::Skip});
    SourceCheckResult r =
        CheckOrganisationSource(user.Prompter(), "Дивиденды", kName, kOkato, "", "");
    EXPECT_EQ(r.focus, 3);
    EXPECT_EQ(r.message, "Отсутствует КПП");
    ASSERT_EQ(user.shown.size(), 1u);
    EXPECT_FALSE(user.shown[0].canSkip);
    EXPECT_FALSE(user.shown[0].canSkipAll);
}

}  // namespace
}  // namespace zorv
