#pragma once

namespace zorv {

// The pages of the declaration, numbered as the whole-declaration check
// reports them. The desktop program places each of them under a navigation
// button (and, on a hub, as a sub-page) by this code alone.
enum PageCode : int {
    kPageNone = 0,
    kPageConditions = 1,
    kPageTaxpayer = 2,
    kPageAddress = 3,
    kPageIncome13 = 4,
    kPageDividends = 5,
    kPageIncome35 = 6,
    kPageForeignIncome = 7,
    kPageBusiness = 8,
    kPageDeductions = 9,
    kPageHousing = 10,
    kPagePrivatePractice = 11,
};

// The focus codes of each page: the control a problem leads to. A check
// returns one of them, and the page puts the focus on its control. On the
// pages of lists (income at 13 %, foreign-currency income, business income,
// private practice) the focus is the number of the record, counted from 1.

enum class ConditionsFocus : int {
    Inspection = 1,
    ExpectedIncome = 2,
    RepresentativeName = 3,
    RepresentativeDocument = 4,
    RepresentativeOrganisation = 5,
};

enum class TaxpayerFocus : int {
    SurName = 1,
    Name = 2,
    Patronymic = 3,
    INN = 4,
    DocType = 5,
    DocNumber = 6,
    DocIssueDate = 7,
    DocIssuedBy = 8,
    BirthPlace = 9,
    Citizenship = 10,
};

enum class AddressFocus : int {
    Region = 2,
    OKATO = 4,
    Locality = 5,
};

// The standard and social deductions share the page code: SocialSums and
// EducationList belong to the social deductions, StandardMonths to the standard.
enum class DeductionsFocus : int {
    SocialSums = 1,
    StandardMonths = 2,
    EducationList = 3,
};

enum class HousingFocus : int {
    ObjectName = 1,
    PostIndex = 2,
    RegistrationDate = 4,
    StartYear = 5,
    CarriedOver = 6,
    CreditCarriedOver = 7,
    PriorYears = 8,
    CreditPriorYears = 9,
};

// The number a focus code travels as.
template <typename Focus>
constexpr int FocusNumber(Focus focus) {
    return static_cast<int>(focus);
}

}  // namespace zorv
