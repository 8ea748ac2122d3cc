#include "check/taxnumbers.h"

#include <array>
#include <cstddef>

#include "check/checktext.h"

namespace zorv {
namespace {

constexpr std::array<int, 9> kWeights10 = {2, 4, 10, 3, 5, 9, 4, 6, 8};
constexpr std::array<int, 10> kWeights11 = {7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
constexpr std::array<int, 11> kWeights12 = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// The check digit over the first weights.size() digits of the number.
template <size_t N>
int CheckDigit(std::string_view digits, const std::array<int, N>& weights) {
    int sum = 0;
    for (size_t i = 0; i < N; ++i) sum += (digits[i] - '0') * weights[i];
    return sum % 11 % 10;
}

bool CheckDigitsMatch(std::string_view digits) {
    if (digits.size() == 10) return CheckDigit(digits, kWeights10) == digits[9] - '0';
    return CheckDigit(digits, kWeights11) == digits[10] - '0' &&
           CheckDigit(digits, kWeights12) == digits[11] - '0';
}

const char kNameMissing[] = "Не заполненно поле \"Наименование источника выплаты\"";
const char kKppMissing[] = "Отсутствует КПП";
const char kKppLength[] = "Длинна КПП должна быть равна 9 цифрам";
const char kInnMissing[] = "Введите ИНН";
const char kInnNotTenForOrganisation[] = "Длинна ИНН для юрлиц должна быть равна 10 цифрам";
const char kInnWrong[] = "Номер ИНН введен неверно";

SourceCheckResult RunSourceChecks(const CheckPrompter& ask, const std::string& section,
                                  const std::vector<SourceProblem>& problems) {
    std::vector<CheckQuestion> questions;
    for (const SourceProblem& problem : problems) {
        questions.push_back({section, problem.message, problem.canSkip, false, false});
    }
    std::optional<size_t> corrected = AskInTurn(ask, questions);
    if (!corrected) return {};
    const SourceProblem& problem = problems[*corrected];
    return {problem.focus, problem.check, problem.message};
}

}  // namespace

int CheckINN(std::string_view number, int kind) {
    std::string_view digits = TrimText(number);
    if (digits.empty()) return kInnEmpty;
    size_t length = TextLength(digits);
    switch (kind) {
        case kInnOrganisation:
            if (length != 10) return kInnNotTen;
            break;
        case kInnPerson:
            if (length != 12) return kInnNotTwelve;
            break;
        default:
            if (length != 10 && length != 12) return kInnNotTenOrTwelve;
            break;
    }
    // The right number of characters; a letter among them is a wrong number.
    if (!AllDigits(digits) || !CheckDigitsMatch(digits)) return kInnWrongDigits;
    return kInnValid;
}

int CheckKPP(std::string_view code) {
    std::string_view text = TrimText(code);
    if (text.empty()) return 1;
    return TextLength(text) == 9 ? 0 : 2;
}

std::vector<SourceProblem> PaymentSourceProblems(std::string_view name, std::string_view okato,
                                                 std::string_view kpp, std::string_view inn) {
    std::vector<SourceProblem> problems;
    if (TrimText(name).empty()) problems.push_back({1, kSourceFocusName, kNameMissing, false});
    if (TextLength(TrimText(okato)) < 11) {
        problems.push_back({2, kSourceFocusOKATO,
                            "Не введен код ОКАТО (11 символов). (При продаже имущества физ.лицу "
                            "- не нужен)",
                            true});
    }
    switch (CheckINN(inn, kInnAny)) {
        case kInnNotTenOrTwelve:
            problems.push_back(
                {3, kSourceFocusINN, "Длинна ИНН должна быть равна 10 или 12 цифрам", false});
            break;
        case kInnWrongDigits:
            problems.push_back({3, kSourceFocusINN, kInnWrong, true});
            break;
        default:
            break;
    }
    std::string_view innText = TrimText(inn);
    if (TextLength(innText) == 10) {
        switch (CheckKPP(kpp)) {
            case 1:
                problems.push_back({4, kSourceFocusKPP, kKppMissing, true});
                break;
            case 2:
                problems.push_back({4, kSourceFocusKPP, kKppLength, false});
                break;
            default:
                break;
        }
    } else if (!TrimText(kpp).empty()) {
        problems.push_back(
            {4, kSourceFocusINN, innText.empty() ? kInnMissing : kInnNotTenForOrganisation, false});
    }
    return problems;
}

std::vector<SourceProblem> OrganisationSourceProblems(std::string_view name, std::string_view okato,
                                                      std::string_view kpp, std::string_view inn) {
    std::vector<SourceProblem> problems;
    if (TrimText(name).empty()) problems.push_back({1, kSourceFocusName, kNameMissing, false});
    if (TextLength(TrimText(okato)) < 11) {
        problems.push_back({2, kSourceFocusOKATO, "Не введен код ОКАТО (11 символов)", false});
    }
    switch (CheckINN(inn, kInnOrganisation)) {
        case kInnNotTen:
            problems.push_back(
                {3, kSourceFocusINN, "Длинна ИНН должна быть равна 10 цифрам", false});
            break;
        case kInnWrongDigits:
            problems.push_back({3, kSourceFocusINN, kInnWrong, false});
            break;
        default:
            break;
    }
    switch (CheckKPP(kpp)) {
        case 1:
            problems.push_back({4, kSourceFocusKPP, kKppMissing, false});
            break;
        case 2:
            problems.push_back({4, kSourceFocusKPP, kKppLength, false});
            break;
        default:
            break;
    }
    std::string_view innText = TrimText(inn);
    if (innText.empty()) {
        problems.push_back({5, kSourceFocusINN, kInnMissing, false});
    } else if (TextLength(innText) != 10) {
        problems.push_back({5, kSourceFocusINN, kInnNotTenForOrganisation, false});
    }
    return problems;
}

SourceCheckResult CheckPaymentSource(const CheckPrompter& ask, const std::string& section,
                                     std::string_view name, std::string_view okato,
                                     std::string_view kpp, std::string_view inn) {
    return RunSourceChecks(ask, section, PaymentSourceProblems(name, okato, kpp, inn));
}

SourceCheckResult CheckOrganisationSource(const CheckPrompter& ask, const std::string& section,
                                          std::string_view name, std::string_view okato,
                                          std::string_view kpp, std::string_view inn) {
    return RunSourceChecks(ask, section, OrganisationSourceProblems(name, okato, kpp, inn));
}

}  // namespace zorv
