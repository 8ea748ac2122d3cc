#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "check/checkdialog.h"

namespace zorv {

// What CheckINN is asked to accept.
enum InnKind : int {
    kInnAny = 0,           // 10 digits (organisation) or 12 (person)
    kInnOrganisation = 1,  // 10 digits
    kInnPerson = 2,        // 12 digits
};

// Results of CheckINN.
enum InnState : int {
    kInnValid = 0,
    kInnEmpty = 1,
    kInnNotTenOrTwelve = 2,  // kInnAny
    kInnNotTen = 3,          // kInnOrganisation
    kInnNotTwelve = 4,       // kInnPerson
    kInnWrongDigits = 5,     // right length, but a wrong check digit or not all digits
};

// Checks a taxpayer number of the given kind (any other kind value is taken as
// kInnAny). The number is trimmed first; its check digits follow the published
// rule: weighted sums modulo 11, a remainder of 10 giving 0.
int CheckINN(std::string_view number, int kind);

// Checks a registration-reason code: 0 valid, 1 empty, 2 not 9 characters long.
int CheckKPP(std::string_view code);

// The focus codes of the source checks.
enum SourceFocus : int {
    kSourceFocusName = 1,
    kSourceFocusINN = 2,
    kSourceFocusKPP = 3,
    kSourceFocusOKATO = 4,
};

// One failed check of a payment source's details.
struct SourceProblem {
    int check = 0;  // the number of the check in its list
    int focus = 0;  // SourceFocus
    std::string message;
    bool canSkip = false;  // whether "Пропустить" is offered for it
};

// The answer of a source check: the check the user chose to correct, with its
// focus code and message; focus 0 when there is nothing to correct.
struct SourceCheckResult {
    int focus = 0;
    int check = 0;
    std::string message;
};

// Every failed check of a payment source, in the order of the checks:
// 1 the name, 2 the territory code, 3 the taxpayer number (10 or 12 digits),
// 4 the registration code of an organisation (or a code without a 10-digit number).
std::vector<SourceProblem> PaymentSourceProblems(std::string_view name, std::string_view okato,
                                                 std::string_view kpp, std::string_view inn);

// The same for an organisation (dividends, pension contracts): 1 the name, 2 the
// territory code, 3 the 10-digit number, 4 the registration code, 5 a number at
// all. None of them may be skipped.
std::vector<SourceProblem> OrganisationSourceProblems(std::string_view name, std::string_view okato,
                                                      std::string_view kpp, std::string_view inn);

// The source checks of the income dialogs, each failed check shown in a check
// window of the section ("Пропустить все" is not offered): "Исправить" ends the
// check with that check's focus code, "Пропустить" goes on to the next one.
SourceCheckResult CheckPaymentSource(const CheckPrompter& ask, const std::string& section,
                                     std::string_view name, std::string_view okato,
                                     std::string_view kpp, std::string_view inn);
SourceCheckResult CheckOrganisationSource(const CheckPrompter& ask, const std::string& section,
                                          std::string_view name, std::string_view okato,
                                          std::string_view kpp, std::string_view inn);

}  // namespace zorv
