// The rules of each page: one table per page, read by the page's own check
// and by the whole-declaration check.

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>

#include "check/checkrules.h"
#include "check/checktext.h"
#include "check/taxnumbers.h"
#include "model/declaration.h"
#include "model/numtext.h"
#include "model/taxlimits2008.h"

namespace zorv {
namespace {

// Sums of amounts are formed wide: a document may hold amounts whose sum does
// not fit the 64 bits of Money.
__extension__ typedef __int128 WideRaw;

Verdict Broken(bool broken, const char* message) {
    return broken ? Verdict(message) : std::nullopt;
}

bool IsBlank(const std::string& text) {
    return TrimText(text).empty();
}

// The inspection code is the four digits of the inspection list.
bool IsInspectionCode(const std::string& code) {
    if (code.size() != 4) return false;
    for (char c : code) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

int TaxpayerInnState(const mTDeclaration& d) {
    return CheckINN(d.Person.INN, kInnPerson);
}

double WholeDay(double dayNumber) {
    return std::trunc(dayNumber);
}

int YearOf(double dayNumber) {
    return CivilFromDayNumber(dayNumber).year;
}

// The day the person turns 14; a birthday on 29 February counts from 28 February.
double FourteenthBirthday(double birthDate) {
    CivilDate birth = CivilFromDayNumber(birthDate);
    int day = birth.month == 2 && birth.day == 29 ? 28 : birth.day;
    return DayNumber(birth.year + 14, birth.month, day);
}

// Kinds of identity document that a child may hold before the age of 14.
bool IssuedAtAnyAge(uint16_t docTypeCode) {
    return docTypeCode == 3 || docTypeCode == 23 || docTypeCode == 91;
}

WideRaw Raw(Money m) {
    return m.Raw();
}

template <size_t N>
WideRaw RawSum(const std::array<Money, N>& values, size_t first, size_t last) {
    WideRaw sum = 0;
    for (size_t i = first; i <= last; ++i) sum += values[i].Raw();
    return sum;
}

// An amount as the user writes it, "," for the decimal separator.
std::string AmountText(WideRaw raw) {
    if (raw >= std::numeric_limits<int64_t>::min() && raw <= std::numeric_limits<int64_t>::max()) {
        return MoneyToUserText(Money::FromRaw(static_cast<int64_t>(raw)));
    }
    // Beyond Money: the same shortest form, built by hand.
    bool negative = raw < 0;
    unsigned __int128 magnitude = negative ? static_cast<unsigned __int128>(-(raw + 1)) + 1
                                           : static_cast<unsigned __int128>(raw);
    unsigned __int128 whole = magnitude / Money::kScale;
    unsigned fraction = static_cast<unsigned>(magnitude % Money::kScale);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(whole % 10)));
        whole /= 10;
    } while (whole != 0);
    if (fraction != 0) {
        std::string decimals = std::to_string(fraction + Money::kScale).substr(1);
        while (decimals.back() == '0') decimals.pop_back();
        digits += "," + decimals;
    }
    return negative ? "-" + digits : digits;
}

std::string AmountText(Money m) {
    return MoneyToUserText(m);
}

// Two 13 % sources report an amount for the same month.
bool SourcesShareAMonth(const mTDeclaration& d) {
    for (size_t month = 0; month < 12; ++month) {
        int sources = 0;
        for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
            if (d.ThirteenPercent(i).HasMonthlyAmount(month)) ++sources;
        }
        if (sources >= 2) return true;
    }
    return false;
}

// The limit of the years before 2008 times the ownership share is less than the amounts already
// used. A share without a denominator is taken as numerator / 1.
bool CarriedOverBeyondShare(const mTConstructionDeduct& c) {
    WideRaw used =
        Raw(c.HousingPriorYears) + Raw(c.HousingPriorYearsAgent) + Raw(c.HousingCarriedOver);
    WideRaw denominator = c.ShareDenominator == 0 ? 1 : c.ShareDenominator;
    WideRaw limit =
        static_cast<WideRaw>(limits2008::kHousingLimitBefore2008.Raw()) * c.ShareNumerator;
    return limit < used * denominator;
}

// A page's table; its rules without a section of their own take the page's.
PageRules Page(PageCode page, const char* section, Walk walk,
               size_t (*records)(const mTDeclaration&), std::vector<CheckRule> rules) {
    for (CheckRule& rule : rules) {
        if (!rule.section) rule.section = section;
    }
    return {page, walk, records, std::move(rules)};
}

PageRules Page(PageCode page, const char* section, std::vector<CheckRule> rules) {
    return Page(page, section, Walk::Once, nullptr, std::move(rules));
}

const char kTaxpayerSection[] = "Сведения о декларанте";

PageRules ConditionsRules() {
    using F = ConditionsFocus;
    return Page(
        kPageConditions, "Задание условий",
        {
            // The page asks for any code; the whole check for the four digits of the list.
            {"1", RuleUse::PageOnly, Gate::Always, FocusNumber(F::Inspection),
             [](const mTDeclaration& d, size_t) {
                 return Broken(d.InspectionCode.empty(), "Не введен номер инспекции");
             }},
            {"1", RuleUse::DeclarationOnly, Gate::Always, FocusNumber(F::Inspection),
             [](const mTDeclaration& d, size_t) {
                 return Broken(!IsInspectionCode(d.InspectionCode), "Не введен номер инспекции");
             }},
            {"2", RuleUse::DeclarationOnly, Gate::Always, FocusNumber(F::ExpectedIncome),
             [](const mTDeclaration& d, size_t) {
                 return Broken(d.IsPrimary != 0 && d.DeclarationKind == kEstimated4NDFL &&
                                   d.ExpectedIncome.IsZero(),
                               "Для первичной Декларации предполагаемый доход должен отличаться "
                               "от нулевого");
             }},
            {"3", RuleUse::Both, Gate::UntilCorrected, FocusNumber(F::RepresentativeName),
             [](const mTDeclaration& d, size_t) {
                 return Broken(IsBlank(d.RepresentativeName) && d.SubmitterKind != 0,
                               "Не указаны ФИО подписанта-представителя");
             }},
            {"4", RuleUse::Both, Gate::UntilCorrected, FocusNumber(F::RepresentativeDocument),
             [](const mTDeclaration& d, size_t) {
                 return Broken(IsBlank(d.RepresentativeDocument) && d.SubmitterKind != 0,
                               "Не указан документ, подтверждающий полномочия представителя");
             }},
            {"5", RuleUse::Both, Gate::UntilCorrected, FocusNumber(F::RepresentativeOrganisation),
             [](const mTDeclaration& d, size_t) {
                 return Broken(IsBlank(d.RepresentativeOrganisation) && d.SubmitterKind == 2,
                               "Не указано наименование Юр.лица-представителя");
             }},
        });
}

PageRules TaxpayerRules() {
    using F = TaxpayerFocus;
    return Page(
        kPageTaxpayer, kTaxpayerSection,
        {
            {"6", RuleUse::Both, Gate::Always, FocusNumber(F::SurName),
             [](const mTDeclaration& d, size_t) {
                 return Broken(d.Person.SurName.empty(), "Не введена фамилия");
             }},
            {"7", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::Name),
             [](const mTDeclaration& d, size_t) {
                 return Broken(d.Person.Name.empty(), "Не введено имя");
             }},
            {"8", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::INN),
             [](const mTDeclaration& d, size_t) {
                 return Broken(TaxpayerInnState(d) == kInnNotTwelve,
                               "Длинна ИНН должна быть равна 12 цифрам");
             }},
            {"8a", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::INN),
             [](const mTDeclaration& d, size_t) {
                 return Broken(TaxpayerInnState(d) == kInnWrongDigits, "Номер ИНН введен неверно");
             }},
            {"9", RuleUse::DeclarationOnly, Gate::BeforeAnyWindow, FocusNumber(F::INN),
             [](const mTDeclaration& d, size_t) {
                 return Broken(TaxpayerInnState(d) == kInnEmpty &&
                                   (d.HasIncome(kIncomeBusiness) || d.TaxpayerCategory == 0),
                               "Лицам имеющим доходы от предпринимательской деятельности "
                               "необходимо ввести ИНН");
             }},
            {"10", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::BirthPlace),
             [](const mTDeclaration& d, size_t) {
                 return Broken(TaxpayerInnState(d) != kInnValid && IsBlank(d.Person.BirthPlace),
                               "Не указано место рождения");
             }},
            {"11", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::DocType),
             [](const mTDeclaration& d, size_t) {
                 return Broken(TaxpayerInnState(d) != kInnValid && d.Person.DocTypeCode == 0,
                               "Не указан документ, удостоверяющий личность");
             }},
            {"12", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::DocNumber),
             [](const mTDeclaration& d, size_t) {
                 return Broken(d.Person.DocTypeCode != 0 && d.Person.DocNumber.empty(),
                               "Не указаны серия и номер документа, удостоверяющего личность");
             }},
            {"13", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::DocIssueDate),
             [](const mTDeclaration& d, size_t) {
                 const mTPersonInformation& p = d.Person;
                 return Broken(
                     p.DocTypeCode != 0 && WholeDay(p.DocIssueDate) < WholeDay(p.BirthDate),
                     "Дата выдачи документа не может быть меньше даты рождения");
             }},
            // Judged only when the issue date is not before the birth date (rule 13).
            {"13a", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::DocIssueDate),
             [](const mTDeclaration& d, size_t) {
                 const mTPersonInformation& p = d.Person;
                 double issued = WholeDay(p.DocIssueDate);
                 return Broken(p.DocTypeCode != 0 && !IssuedAtAnyAge(p.DocTypeCode) &&
                                   issued >= WholeDay(p.BirthDate) &&
                                   FourteenthBirthday(p.BirthDate) >= issued,
                               "Дата выдачи документа должна быть больше даты рождения как "
                               "минимум на 14 лет");
             }},
            {"14", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::DocIssuedBy),
             [](const mTDeclaration& d, size_t) {
                 return Broken(d.Person.DocTypeCode != 0 && d.Person.DocIssuedBy.empty(),
                               "Не указано, кем выдан документ, удостоверяющий личность");
             }},
            {"15", RuleUse::DeclarationOnly, Gate::BeforeAnyWindow, FocusNumber(F::Citizenship),
             [](const mTDeclaration& d, size_t) {
                 return Broken(d.Person.IsForeigner != 0 && d.Person.CitizenshipName.empty(),
                               "Не указано гражданство");
             }},
        });
}

PageRules AddressRules() {
    using F = AddressFocus;
    return Page(kPageAddress, kTaxpayerSection,
                {
                    {"16", RuleUse::Both, Gate::Always, FocusNumber(F::Region),
                     [](const mTDeclaration& d, size_t) {
                         return Broken(d.Person.RegionCode == 0,
                                       "Не указан регион постоянного местожительства");
                     }},
                    {"17", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::Locality),
                     [](const mTDeclaration& d, size_t) {
                         return Broken(
                             d.Person.Locality.empty() && d.Person.Street.empty(),
                             "Не указан населенный пункт (село, поселок) или улица (проспект, "
                             "переулок)");
                     }},
                    {"42", RuleUse::DeclarationOnly, Gate::Always, FocusNumber(F::OKATO),
                     [](const mTDeclaration& d, size_t) {
                         return Broken(TextLength(TrimText(d.Person.OKATO)) < 11,
                                       "Не введен код ОКАТО(11 симв.) по месту жительства");
                     },
                     Stage::AfterAllPages},
                });
}

PageRules Income13Rules() {
    return Page(kPageIncome13, "Доходы, облагаемые ставкой 13%", Walk::RuleByRule,
                [](const mTDeclaration& d) { return d.ThirteenPercentCount(); },
                {
                    {"18", RuleUse::Both, Gate::Always, kFocusRecord,
                     [](const mTDeclaration& d, size_t i) {
                         const mTThirteenPercent& s = d.ThirteenPercent(i);
                         return Broken(s.IncomeTotal < s.TaxWithheld,
                                       "По данному источнику выплаты общая сумма дохода меньше "
                                       "удержанной суммы");
                     }},
                    // Tested whatever rule 18 gave.
                    {"19", RuleUse::DeclarationOnly, Gate::Always, kFocusRecord,
                     [](const mTDeclaration& d, size_t i) {
                         return Broken(d.ThirteenPercent(i).IncomeCount() == 0,
                                       "По данному источнику не указаны доходы");
                     }},
                    // A document may hold negative amounts (the reader is tolerant);
                    // income, tax and deductions are never negative on the form.
                    {"19a", RuleUse::DeclarationOnly, Gate::Always, kFocusRecord,
                     [](const mTDeclaration& d, size_t i) {
                         const mTThirteenPercent& s = d.ThirteenPercent(i);
                         bool negative = s.TaxWithheld.IsNegative() || s.TaxComputed.IsNegative() ||
                                         s.TaxableIncome.IsNegative();
                         for (size_t j = 0; j < s.IncomeCount(); ++j) {
                             negative = negative || s.Income(j).IncomeSum.IsNegative() ||
                                        s.Income(j).DeductSum.IsNegative();
                         }
                         return Broken(negative,
                                       "По данному источнику указана отрицательная сумма дохода, "
                                       "вычета или налога. Введите сумму без знака «-»");
                     }},
                });
}

PageRules ForeignIncomeRules() {
    return Page(kPageForeignIncome, "Доходы в валюте", Walk::RuleByRule,
                [](const mTDeclaration& d) { return d.CurrencyIncomeCount(); },
                {
                    {"20", RuleUse::Both, Gate::Always, kFocusRecord,
                     [](const mTDeclaration& d, size_t i) {
                         return Broken(d.CurrencyIncome(i).CurrencyCode.empty(),
                                       "По данному источнику выплаты не указан код валюты");
                     }},
                    {"21", RuleUse::Both, Gate::BeforeAnyWindow, kFocusRecord,
                     [](const mTDeclaration& d, size_t i) {
                         const mTCurrencyIncome& c = d.CurrencyIncome(i);
                         return Broken(c.IncomeUnits == 0 || c.IncomeRate1.IsZero(),
                                       "По данному источнику выплаты не указан курс валюты");
                     }},
                    {"22", RuleUse::Both, Gate::BeforeAnyWindow, kFocusRecord,
                     [](const mTDeclaration& d, size_t i) {
                         return Broken(d.CurrencyIncome(i).IncomeCode == 0,
                                       "По данному источнику выплаты не указан код дохода");
                     }},
                    {"23", RuleUse::Both, Gate::BeforeAnyWindow, kFocusRecord,
                     [](const mTDeclaration& d, size_t i) {
                         return Broken(d.CurrencyIncome(i).IncomeInCurrency.IsZero(),
                                       "По данному источнику выплаты не указана сумма дохода");
                     }},
                    {"24", RuleUse::Both, Gate::BeforeAnyWindow, kFocusRecord,
                     [](const mTDeclaration& d, size_t i) {
                         const mTCurrencyIncome& c = d.CurrencyIncome(i);
                         return Broken(c.DeductCode != 0 && c.DeductSum.IsZero(),
                                       "По данному источнику выплаты не указана сумма вычета");
                     }},
                });
}

// The sum of an activity's expense items 2, 3, 4 and 6: material, depreciation,
// labour and other expenses.
WideRaw ExpenseParts(const mTBusinessNew& b) {
    const auto& item = b.ExpenseItems;
    return Raw(item[1]) + Raw(item[2]) + Raw(item[3]) + Raw(item[5]);
}

// Expense items are numbered from 1: 1 total, 2 material, 3 depreciation,
// 4 labour, 5 of it under labour contracts, 6 other, 7-19 parts of other.
PageRules BusinessRules() {
    return Page(
        kPageBusiness, "Доходы от предпринимательской деятельности", Walk::RecordByRecord,
        [](const mTDeclaration& d) { return d.BusinessCount(); },
        {
            {"25", RuleUse::Both, Gate::Always, kFocusRecord,
             [](const mTDeclaration& d, size_t i) {
                 return Broken((d.Business(i).HasConfirmedExpenses != 0) !=
                                   (d.Business(0).HasConfirmedExpenses != 0),
                               "Нельзя одновременно пользоваться и подтвержденными расходами и "
                               "нормативом 20%.");
             }},
            {"26", RuleUse::Both, Gate::BeforeAnyWindow, kFocusRecord,
             [](const mTDeclaration& d, size_t i) -> Verdict {
                 const mTBusinessNew& b = d.Business(i);
                 const auto& item = b.ExpenseItems;
                 if (b.HasConfirmedExpenses == 0 || !(item[3] < item[4])) return std::nullopt;
                 return "Расходы по оплате трудовых договоров(" + AmountText(item[4]) +
                        ") превышают сумму расходов на оплату труда (" + AmountText(item[3]) + ")";
             }},
            {"27", RuleUse::DeclarationOnly, Gate::BeforeAnyWindow, kFocusRecord,
             [](const mTDeclaration& d, size_t i) -> Verdict {
                 const mTBusinessNew& b = d.Business(i);
                 WideRaw parts = RawSum(b.ExpenseItems, 6, 18);
                 if (b.HasConfirmedExpenses == 0 || !(parts > Raw(b.ExpenseItems[5]))) {
                     return std::nullopt;
                 }
                 return "Сумма прочих расходов (" + AmountText(b.ExpenseItems[5]) +
                        ") меньше суммы ее составляющих (" + AmountText(parts) + ")";
             }},
            // The whole check lets the total exceed its parts; the page wants them equal.
            {"28", RuleUse::DeclarationOnly, Gate::BeforeAnyWindow, kFocusRecord,
             [](const mTDeclaration& d, size_t i) -> Verdict {
                 const mTBusinessNew& b = d.Business(i);
                 WideRaw parts = ExpenseParts(b);
                 if (b.HasConfirmedExpenses == 0 || !(parts > Raw(b.ExpenseItems[0]))) {
                     return std::nullopt;
                 }
                 return "Общие расходы (" + AmountText(b.ExpenseItems[0]) +
                        ") меньше суммы расходов материальных, на оплату труда, прочих и "
                        "амортизационных отчислений (" +
                        AmountText(parts) + ")";
             }},
            {"28", RuleUse::PageOnly, Gate::Always, kFocusRecord,
             [](const mTDeclaration& d, size_t i) -> Verdict {
                 const mTBusinessNew& b = d.Business(i);
                 WideRaw parts = ExpenseParts(b);
                 if (b.HasConfirmedExpenses == 0 || parts == Raw(b.ExpenseItems[0])) {
                     return std::nullopt;
                 }
                 return "Общие расходы (" + AmountText(b.ExpenseItems[0]) +
                        ") не совпадают с суммой расходов материальных, на оплату труда, прочих "
                        "и амортизационных отчислений (" +
                        AmountText(parts) + ")";
             }},
        });
}

// Private practice has no page; its records are checked by the whole check only.
// value[n - 1] is the record's n-th amount.
PageRules PrivatePracticeRules() {
    return Page(
        kPagePrivatePractice, "Доходы от частной практики", Walk::RecordByRecord,
        [](const mTDeclaration& d) { return d.RepetitCount(); },
        {
            {"29", RuleUse::DeclarationOnly, Gate::BeforeAnyWindow, kFocusRecord,
             [](const mTDeclaration& d, size_t i) -> Verdict {
                 const auto& value = d.Repetit(i).Values;
                 if (!(value[6] < value[7])) return std::nullopt;
                 return "Расходы по оплате трудовых договоров(" + AmountText(value[7]) +
                        ") превышают сумму расходов на оплату труда (" + AmountText(value[6]) + ")";
             }},
            {"30", RuleUse::DeclarationOnly, Gate::BeforeAnyWindow, kFocusRecord,
             [](const mTDeclaration& d, size_t i) -> Verdict {
                 const auto& value = d.Repetit(i).Values;
                 WideRaw parts = Raw(value[3]) + Raw(value[4]);
                 if (!(parts > Raw(value[2]))) return std::nullopt;
                 return "Сумма материальных расходов меньше (" + AmountText(value[2]) +
                        ") суммы расходов на энергию и неамортизируемое имущество(" +
                        AmountText(parts) + ")";
             }},
            {"31", RuleUse::DeclarationOnly, Gate::BeforeAnyWindow, kFocusRecord,
             [](const mTDeclaration& d, size_t i) -> Verdict {
                 const auto& value = d.Repetit(i).Values;
                 WideRaw parts = RawSum(value, 9, 20);
                 if (!(parts > Raw(value[8]))) return std::nullopt;
                 return "Сумма прочих расходов (" + AmountText(value[8]) +
                        ") не совпадает с суммой ее составляющих (" + AmountText(parts) + ")";
             }},
            {"32", RuleUse::DeclarationOnly, Gate::BeforeAnyWindow, kFocusRecord,
             [](const mTDeclaration& d, size_t i) -> Verdict {
                 const auto& value = d.Repetit(i).Values;
                 WideRaw parts = Raw(value[2]) + Raw(value[5]) + Raw(value[6]) + Raw(value[8]);
                 if (!(parts > Raw(value[1]))) return std::nullopt;
                 return "Общие расходы (" + AmountText(value[1]) +
                        ") не совпадают с суммой расходов материальных, на оплату труда, "
                        "прочих и амортизационных отчислений (" +
                        AmountText(parts) + ")";
             }},
        });
}

PageRules DeductionsRules() {
    using F = DeductionsFocus;
    return Page(
        kPageDeductions, nullptr,
        {
            {"33", RuleUse::Both, Gate::Always, FocusNumber(F::SocialSums),
             [](const mTDeclaration& d, size_t) {
                 const mTSocialDeduct& s = d.SocialDeduct;
                 return Broken(s.Granted != 0 && s.CharitySum.IsZero() &&
                                   s.SelfEducationSum.IsZero() && s.MedicalSum.IsZero() &&
                                   s.ExpensiveMedicalSum.IsZero() && s.InsuranceSum.IsZero() &&
                                   s.EducationSumCount() == 0 && s.PensCount() == 0,
                               "Не введены данные по социальным налоговым вычетам");
             },
             Stage::WithPage, "Социальные вычеты"},
            // A window of rule 33 ends the page.
            {"34", RuleUse::DeclarationOnly, Gate::BeforeAnyWindow, FocusNumber(F::StandardMonths),
             [](const mTDeclaration& d, size_t) {
                 return Broken(d.StandartDeduct.Granted != 0 &&
                                   d.StandartDeduct.HasMonthlyBusiness == 0 &&
                                   !d.HasIncome(kIncomeBusiness) &&
                                   d.HasIncome(kIncomeFromAgents) && SourcesShareAMonth(d),
                               "Вы не могли получать стандартные вычеты работая в нескольких "
                               "местах ОДНОВРЕМЕННО.");
             },
             Stage::WithPage, "Стандартные вычеты"},
        });
}

PageRules HousingRules() {
    using F = HousingFocus;
    return Page(
        kPageHousing, "Имущественный налоговый вычет",
        {
            {"35a", RuleUse::DeclarationOnly, Gate::Always, FocusNumber(F::ObjectName),
             [](const mTDeclaration& d, size_t) {
                 const mTConstructionDeduct& c = d.ConstructionDeduct;
                 bool negative = false;
                 for (Money m : {c.HousingCarriedOver, c.CreditCarriedOver, c.HousingPriorYears,
                                 c.CreditPriorYears, c.HousingPriorYearsAgent,
                                 c.CreditPriorYearsAgent, c.ObjectCost, c.CreditInterest,
                                 c.HousingAgentThisYear, c.CreditAgentThisYear}) {
                     negative = negative || m.IsNegative();
                 }
                 return Broken(negative,
                               "Указана отрицательная сумма расходов или вычета. Введите сумму "
                               "без знака «-»");
             }},
            {"35b", RuleUse::DeclarationOnly, Gate::Always, FocusNumber(F::ObjectName),
             [](const mTDeclaration& d, size_t) {
                 return Broken(d.ConstructionDeduct.ShareDenominator == 0,
                               "Не указана доля в праве собственности: знаменатель доли равен "
                               "0. Укажите долю, например 1/1 для единственного владельца");
             }},
            {"35", RuleUse::Both, Gate::Always, FocusNumber(F::ObjectName),
             [](const mTDeclaration& d, size_t) {
                 return Broken(IsBlank(d.ConstructionDeduct.ObjectName),
                               "Не введено наименование объекта");
             }},
            {"36", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::PostIndex),
             [](const mTDeclaration& d, size_t) {
                 return Broken(IsBlank(d.ConstructionDeduct.PostIndex),
                               "Не введен почтовый индекс");
             }},
            {"37", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::RegistrationDate),
             [](const mTDeclaration& d, size_t) {
                 const mTConstructionDeduct& c = d.ConstructionDeduct;
                 return Broken(WholeDay(c.RegistrationDate) < WholeDay(c.PurchaseDate),
                               "Дата регистрации прав собственности меньше даты приобретения "
                               "(даты начала строительства)");
             }},
            {"38", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::StartYear),
             [](const mTDeclaration& d, size_t) {
                 const mTConstructionDeduct& c = d.ConstructionDeduct;
                 return Broken(YearOf(c.StartYearDate) < YearOf(c.PurchaseDate),
                               "Год начала пользования льготой меньше даты приобретения (даты "
                               "начала строительства)");
             }},
            {"39", RuleUse::Both, Gate::BeforeAnyWindow, FocusNumber(F::RegistrationDate),
             [](const mTDeclaration& d, size_t) {
                 return Broken(
                     d.Year == "2008" && YearOf(d.ConstructionDeduct.RegistrationDate) > 2008,
                     "Вы не можете получить вычет за 2008 год если дата акта или "
                     "регистрации прав собственности относится к 2009 году");
             }},
            // The page does not limit the amounts; the whole check does.
            {"40", RuleUse::DeclarationOnly, Gate::BeforeAnyWindow, FocusNumber(F::PriorYears),
             [](const mTDeclaration& d, size_t) {
                 return Broken(d.Year == "2008" && d.ConstructionDeduct.HousingPriorYears >
                                                       limits2008::kHousingLimitBefore2008,
                               "В предыдущие отчетные годы не могли зачесть более 1000000 "
                               "рублей");
             }},
            {"41", RuleUse::DeclarationOnly, Gate::BeforeAnyWindow, FocusNumber(F::CarriedOver),
             [](const mTDeclaration& d, size_t) {
                 return Broken(d.Year == "2008" && CarriedOverBeyondShare(d.ConstructionDeduct),
                               "Перейти с прошлого года может не более 1000000 рублей * долю "
                               "собственности (за вычетом уже зачтеных сумм)");
             }},
        });
}

}  // namespace

const PageRules& RulesOf(PageCode page) {
    static const std::map<PageCode, PageRules> tables = [] {
        std::map<PageCode, PageRules> all;
        for (PageRules rules : {ConditionsRules(), TaxpayerRules(), AddressRules(), Income13Rules(),
                                ForeignIncomeRules(), BusinessRules(), PrivatePracticeRules(),
                                DeductionsRules(), HousingRules()}) {
            PageCode code = rules.page;
            all.emplace(code, std::move(rules));
        }
        return all;
    }();
    static const PageRules none;
    auto found = tables.find(page);
    return found != tables.end() ? found->second : none;
}

int RuleFocus(const CheckRule& rule, size_t record) {
    return rule.focus != kFocusRecord ? rule.focus : static_cast<int>(record + 1);
}

}  // namespace zorv
