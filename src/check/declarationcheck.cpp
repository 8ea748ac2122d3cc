#include "declarationcheck.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "checktext.h"
#include "declaration.h"
#include "numtext.h"
#include "taxnumbers.h"

namespace zorv {
namespace {

// Sums of amounts are formed wide: a document may hold amounts whose sum does
// not fit the 64 bits of Money.
__extension__ typedef __int128 WideRaw;

// A rule's message when the rule is broken.
using Verdict = std::optional<std::string>;
// A rule's test; record is the index of the record for rules over a list.
using Test = Verdict (*)(const mTDeclaration& d, size_t record);

// When a rule may still show a window during a run.
enum class Gate {
    Always,
    UntilCorrected,  // while no window was answered "Исправить"
    BeforeAnyWindow,
};

struct Rule {
    const char* id;
    Gate gate;
    int focus;  // 0 for rules over a list: the focus is the record's number
    Test test;
};

// How a group goes over its rules.
enum class Walk {
    Once,            // every rule once
    RuleByRule,      // every rule over the records, stopping at its first failing record
    RecordByRecord,  // every record through the rules, stopping at the first record with a window
};

struct Group {
    int page;
    const char* section;
    bool (*applies)(const mTDeclaration& d);
    Walk walk;
    size_t (*records)(const mTDeclaration& d);
    std::vector<Rule> rules;
};

const char kTaxpayerSection[] = "Сведения о декларанте";

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

bool HasAnyIncome(const mTDeclaration& d) {
    return d.IncomeFlags() != 0;
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

// 1 000 000 times the ownership share is less than the amounts already used.
// A share without a denominator is taken as numerator / 1.
bool CarriedOverBeyondShare(const mTConstructionDeduct& c) {
    WideRaw used =
        Raw(c.HousingPriorYears) + Raw(c.HousingPriorYearsAgent) + Raw(c.HousingCarriedOver);
    WideRaw denominator = c.ShareDenominator == 0 ? 1 : c.ShareDenominator;
    WideRaw limit = static_cast<WideRaw>(Money::Rubles(1000000).Raw()) * c.ShareNumerator;
    return limit < used * denominator;
}

const std::vector<Group>& Groups() {
    static const std::vector<Group> groups = {
        {kPageConditions,
         "Задание условий",
         [](const mTDeclaration&) { return true; },
         Walk::Once,
         nullptr,
         {
             {"1", Gate::Always, 1,
              [](const mTDeclaration& d, size_t) {
                  return Broken(!IsInspectionCode(d.InspectionCode), "Не введен номер инспекции");
              }},
             {"2", Gate::Always, 2,
              [](const mTDeclaration& d, size_t) {
                  return Broken(d.IsPrimary != 0 && d.DeclarationKind == kEstimated4NDFL &&
                                    d.ExpectedIncome.IsZero(),
                                "Для первичной Декларации предполагаемый доход должен отличаться "
                                "от нулевого");
              }},
             {"3", Gate::UntilCorrected, 3,
              [](const mTDeclaration& d, size_t) {
                  return Broken(IsBlank(d.RepresentativeName) && d.SubmitterKind != 0,
                                "Не указаны ФИО подписанта-представителя");
              }},
             {"4", Gate::UntilCorrected, 4,
              [](const mTDeclaration& d, size_t) {
                  return Broken(IsBlank(d.RepresentativeDocument) && d.SubmitterKind != 0,
                                "Не указан документ, подтверждающий полномочия представителя");
              }},
             {"5", Gate::UntilCorrected, 5,
              [](const mTDeclaration& d, size_t) {
                  return Broken(IsBlank(d.RepresentativeOrganisation) && d.SubmitterKind == 2,
                                "Не указано наименование Юр.лица-представителя");
              }},
         }},
        {kPageTaxpayer,
         kTaxpayerSection,
         [](const mTDeclaration&) { return true; },
         Walk::Once,
         nullptr,
         {
             {"6", Gate::Always, 1,
              [](const mTDeclaration& d, size_t) {
                  return Broken(d.Person.SurName.empty(), "Не введена фамилия");
              }},
             {"7", Gate::BeforeAnyWindow, 2,
              [](const mTDeclaration& d, size_t) {
                  return Broken(d.Person.Name.empty(), "Не введено имя");
              }},
             {"8", Gate::BeforeAnyWindow, 4,
              [](const mTDeclaration& d, size_t) {
                  return Broken(TaxpayerInnState(d) == kInnNotTwelve,
                                "Длинна ИНН должна быть равна 12 цифрам");
              }},
             {"8a", Gate::BeforeAnyWindow, 4,
              [](const mTDeclaration& d, size_t) {
                  return Broken(TaxpayerInnState(d) == kInnWrongDigits, "Номер ИНН введен неверно");
              }},
             {"9", Gate::BeforeAnyWindow, 4,
              [](const mTDeclaration& d, size_t) {
                  return Broken(TaxpayerInnState(d) == kInnEmpty &&
                                    (d.HasIncome(kIncomeBusiness) || d.TaxpayerCategory == 0),
                                "Лицам имеющим доходы от предпринимательской деятельности "
                                "необходимо ввести ИНН");
              }},
             {"10", Gate::BeforeAnyWindow, 9,
              [](const mTDeclaration& d, size_t) {
                  return Broken(TaxpayerInnState(d) != kInnValid && IsBlank(d.Person.BirthPlace),
                                "Не указано место рождения");
              }},
             {"11", Gate::BeforeAnyWindow, 5,
              [](const mTDeclaration& d, size_t) {
                  return Broken(TaxpayerInnState(d) != kInnValid && d.Person.DocTypeCode == 0,
                                "Не указан документ, удостоверяющий личность");
              }},
             {"12", Gate::BeforeAnyWindow, 6,
              [](const mTDeclaration& d, size_t) {
                  return Broken(d.Person.DocTypeCode != 0 && d.Person.DocNumber.empty(),
                                "Не указаны серия и номер документа, удостоверяющего личность");
              }},
             {"13", Gate::BeforeAnyWindow, 7,
              [](const mTDeclaration& d, size_t) {
                  const mTPersonInformation& p = d.Person;
                  return Broken(
                      p.DocTypeCode != 0 && WholeDay(p.DocIssueDate) < WholeDay(p.BirthDate),
                      "Дата выдачи документа не может быть меньше даты рождения");
              }},
             // Judged only when the issue date is not before the birth date (rule 13).
             {"13a", Gate::BeforeAnyWindow, 7,
              [](const mTDeclaration& d, size_t) {
                  const mTPersonInformation& p = d.Person;
                  double issued = WholeDay(p.DocIssueDate);
                  return Broken(p.DocTypeCode != 0 && !IssuedAtAnyAge(p.DocTypeCode) &&
                                    issued >= WholeDay(p.BirthDate) &&
                                    FourteenthBirthday(p.BirthDate) >= issued,
                                "Дата выдачи документа должна быть больше даты рождения как "
                                "минимум на 14 лет");
              }},
             {"14", Gate::BeforeAnyWindow, 8,
              [](const mTDeclaration& d, size_t) {
                  return Broken(d.Person.DocTypeCode != 0 && d.Person.DocIssuedBy.empty(),
                                "Не указано, кем выдан документ, удостоверяющий личность");
              }},
             {"15", Gate::BeforeAnyWindow, 10,
              [](const mTDeclaration& d, size_t) {
                  return Broken(d.Person.IsForeigner != 0 && d.Person.CitizenshipName.empty(),
                                "Не указано гражданство");
              }},
         }},
        {kPageAddress,
         kTaxpayerSection,
         [](const mTDeclaration&) { return true; },
         Walk::Once,
         nullptr,
         {
             {"16", Gate::Always, 2,
              [](const mTDeclaration& d, size_t) {
                  return Broken(d.Person.RegionCode == 0,
                                "Не указан регион постоянного местожительства");
              }},
             {"17", Gate::BeforeAnyWindow, 5,
              [](const mTDeclaration& d, size_t) {
                  return Broken(d.Person.Locality.empty() && d.Person.Street.empty(),
                                "Не указан населенный пункт (село, поселок) или улица (проспект, "
                                "переулок)");
              }},
         }},
        {kPageIncome13,
         "Доходы, облагаемые ставкой 13%",
         [](const mTDeclaration& d) { return d.HasIncome(kIncomeFromAgents); },
         Walk::RuleByRule,
         [](const mTDeclaration& d) { return d.ThirteenPercentCount(); },
         {
             {"18", Gate::Always, 0,
              [](const mTDeclaration& d, size_t i) {
                  const mTThirteenPercent& s = d.ThirteenPercent(i);
                  return Broken(s.IncomeTotal < s.TaxWithheld,
                                "По данному источнику выплаты общая сумма дохода меньше "
                                "удержанной суммы");
              }},
             {"19", Gate::Always, 0,
              [](const mTDeclaration& d, size_t i) {
                  return Broken(d.ThirteenPercent(i).IncomeCount() == 0,
                                "По данному источнику не указаны доходы");
              }},
         }},
        {kPageForeignIncome,
         "Доходы в валюте",
         [](const mTDeclaration& d) { return d.HasIncome(kIncomeForeign); },
         Walk::RuleByRule,
         [](const mTDeclaration& d) { return d.CurrencyIncomeCount(); },
         {
             {"20", Gate::Always, 0,
              [](const mTDeclaration& d, size_t i) {
                  return Broken(d.CurrencyIncome(i).CurrencyCode.empty(),
                                "По данному источнику выплаты не указан код валюты");
              }},
             {"21", Gate::BeforeAnyWindow, 0,
              [](const mTDeclaration& d, size_t i) {
                  const mTCurrencyIncome& c = d.CurrencyIncome(i);
                  return Broken(c.IncomeUnits == 0 || c.IncomeRate1.IsZero(),
                                "По данному источнику выплаты не указан курс валюты");
              }},
             {"22", Gate::BeforeAnyWindow, 0,
              [](const mTDeclaration& d, size_t i) {
                  return Broken(d.CurrencyIncome(i).IncomeCode == 0,
                                "По данному источнику выплаты не указан код дохода");
              }},
             {"23", Gate::BeforeAnyWindow, 0,
              [](const mTDeclaration& d, size_t i) {
                  return Broken(d.CurrencyIncome(i).IncomeInCurrency.IsZero(),
                                "По данному источнику выплаты не указана сумма дохода");
              }},
             {"24", Gate::BeforeAnyWindow, 0,
              [](const mTDeclaration& d, size_t i) {
                  const mTCurrencyIncome& c = d.CurrencyIncome(i);
                  return Broken(c.DeductCode != 0 && c.DeductSum.IsZero(),
                                "По данному источнику выплаты не указана сумма вычета");
              }},
         }},
        {kPageBusiness,
         "Доходы от предпринимательской деятельности",
         [](const mTDeclaration& d) { return d.HasIncome(kIncomeBusiness); },
         Walk::RecordByRecord,
         [](const mTDeclaration& d) { return d.BusinessCount(); },
         {
             {"25", Gate::Always, 0,
              [](const mTDeclaration& d, size_t i) {
                  return Broken((d.Business(i).HasConfirmedExpenses != 0) !=
                                    (d.Business(0).HasConfirmedExpenses != 0),
                                "Нельзя одновременно пользоваться и подтвержденными расходами и "
                                "нормативом 20%.");
              }},
             // Expense items are numbered from 1: 1 total, 2 material, 3 depreciation,
             // 4 labour, 5 of it under labour contracts, 6 other, 7-19 parts of other.
             {"26", Gate::BeforeAnyWindow, 0,
              [](const mTDeclaration& d, size_t i) -> Verdict {
                  const mTBusinessNew& b = d.Business(i);
                  const auto& item = b.ExpenseItems;
                  if (b.HasConfirmedExpenses == 0 || !(item[3] < item[4])) return std::nullopt;
                  return "Расходы по оплате трудовых договоров(" + AmountText(item[4]) +
                         ") превышают сумму расходов на оплату труда (" + AmountText(item[3]) + ")";
              }},
             {"27", Gate::BeforeAnyWindow, 0,
              [](const mTDeclaration& d, size_t i) -> Verdict {
                  const mTBusinessNew& b = d.Business(i);
                  WideRaw parts = RawSum(b.ExpenseItems, 6, 18);
                  if (b.HasConfirmedExpenses == 0 || !(parts > Raw(b.ExpenseItems[5]))) {
                      return std::nullopt;
                  }
                  return "Сумма прочих расходов (" + AmountText(b.ExpenseItems[5]) +
                         ") меньше суммы ее составляющих (" + AmountText(parts) + ")";
              }},
             {"28", Gate::BeforeAnyWindow, 0,
              [](const mTDeclaration& d, size_t i) -> Verdict {
                  const mTBusinessNew& b = d.Business(i);
                  const auto& item = b.ExpenseItems;
                  WideRaw parts = Raw(item[1]) + Raw(item[2]) + Raw(item[3]) + Raw(item[5]);
                  if (b.HasConfirmedExpenses == 0 || !(parts > Raw(item[0]))) return std::nullopt;
                  return "Общие расходы (" + AmountText(item[0]) +
                         ") меньше суммы расходов материальных, на оплату труда, прочих и "
                         "амортизационных отчислений (" +
                         AmountText(parts) + ")";
              }},
         }},
        {kPagePrivatePractice,
         "Доходы от частной практики",
         [](const mTDeclaration& d) { return d.HasIncome(kIncomeRepetit); },
         Walk::RecordByRecord,
         [](const mTDeclaration& d) { return d.RepetitCount(); },
         {
             // value[n - 1] is the record's n-th amount.
             {"29", Gate::BeforeAnyWindow, 0,
              [](const mTDeclaration& d, size_t i) -> Verdict {
                  const auto& value = d.Repetit(i).Values;
                  if (!(value[6] < value[7])) return std::nullopt;
                  return "Расходы по оплате трудовых договоров(" + AmountText(value[7]) +
                         ") превышают сумму расходов на оплату труда (" + AmountText(value[6]) +
                         ")";
              }},
             {"30", Gate::BeforeAnyWindow, 0,
              [](const mTDeclaration& d, size_t i) -> Verdict {
                  const auto& value = d.Repetit(i).Values;
                  WideRaw parts = Raw(value[3]) + Raw(value[4]);
                  if (!(parts > Raw(value[2]))) return std::nullopt;
                  return "Сумма материальных расходов меньше (" + AmountText(value[2]) +
                         ") суммы расходов на энергию и неамортизируемое имущество(" +
                         AmountText(parts) + ")";
              }},
             {"31", Gate::BeforeAnyWindow, 0,
              [](const mTDeclaration& d, size_t i) -> Verdict {
                  const auto& value = d.Repetit(i).Values;
                  WideRaw parts = RawSum(value, 9, 20);
                  if (!(parts > Raw(value[8]))) return std::nullopt;
                  return "Сумма прочих расходов (" + AmountText(value[8]) +
                         ") не совпадает с суммой ее составляющих (" + AmountText(parts) + ")";
              }},
             {"32", Gate::BeforeAnyWindow, 0,
              [](const mTDeclaration& d, size_t i) -> Verdict {
                  const auto& value = d.Repetit(i).Values;
                  WideRaw parts = Raw(value[2]) + Raw(value[5]) + Raw(value[6]) + Raw(value[8]);
                  if (!(parts > Raw(value[1]))) return std::nullopt;
                  return "Общие расходы (" + AmountText(value[1]) +
                         ") не совпадают с суммой расходов материальных, на оплату труда, "
                         "прочих и амортизационных отчислений (" +
                         AmountText(parts) + ")";
              }},
         }},
        {kPageDeductions,
         "Социальные вычеты",
         HasAnyIncome,
         Walk::Once,
         nullptr,
         {
             {"33", Gate::Always, 1,
              [](const mTDeclaration& d, size_t) {
                  const mTSocialDeduct& s = d.SocialDeduct;
                  return Broken(s.Granted != 0 && s.CharitySum.IsZero() &&
                                    s.SelfEducationSum.IsZero() && s.MedicalSum.IsZero() &&
                                    s.ExpensiveMedicalSum.IsZero() && s.InsuranceSum.IsZero() &&
                                    s.EducationSumCount() == 0 && s.PensCount() == 0,
                                "Не введены данные по социальным налоговым вычетам");
              }},
         }},
        {kPageDeductions,
         "Стандартные вычеты",
         HasAnyIncome,
         Walk::Once,
         nullptr,
         {
             {"34", Gate::Always, 2,
              [](const mTDeclaration& d, size_t) {
                  return Broken(d.StandartDeduct.Granted != 0 &&
                                    d.StandartDeduct.HasMonthlyBusiness == 0 &&
                                    !d.HasIncome(kIncomeBusiness) &&
                                    d.HasIncome(kIncomeFromAgents) && SourcesShareAMonth(d),
                                "Вы не могли получать стандартные вычеты работая в нескольких "
                                "местах ОДНОВРЕМЕННО.");
              }},
         }},
        {kPageHousing,
         "Имущественный налоговый вычет",
         [](const mTDeclaration& d) {
             return HasAnyIncome(d) && d.ConstructionDeduct.Granted != 0;
         },
         Walk::Once,
         nullptr,
         {
             {"35", Gate::Always, 1,
              [](const mTDeclaration& d, size_t) {
                  return Broken(IsBlank(d.ConstructionDeduct.ObjectName),
                                "Не введено наименование объекта");
              }},
             {"36", Gate::BeforeAnyWindow, 2,
              [](const mTDeclaration& d, size_t) {
                  return Broken(IsBlank(d.ConstructionDeduct.PostIndex),
                                "Не введен почтовый индекс");
              }},
             {"37", Gate::BeforeAnyWindow, 4,
              [](const mTDeclaration& d, size_t) {
                  const mTConstructionDeduct& c = d.ConstructionDeduct;
                  return Broken(WholeDay(c.RegistrationDate) < WholeDay(c.PurchaseDate),
                                "Дата регистрации прав собственности меньше даты приобретения "
                                "(даты начала строительства)");
              }},
             {"38", Gate::BeforeAnyWindow, 5,
              [](const mTDeclaration& d, size_t) {
                  const mTConstructionDeduct& c = d.ConstructionDeduct;
                  return Broken(YearOf(c.StartYearDate) < YearOf(c.PurchaseDate),
                                "Год начала пользования льготой меньше даты приобретения (даты "
                                "начала строительства)");
              }},
             {"39", Gate::BeforeAnyWindow, 4,
              [](const mTDeclaration& d, size_t) {
                  return Broken(
                      d.Year == "2008" && YearOf(d.ConstructionDeduct.RegistrationDate) > 2008,
                      "Вы не можете получить вычет за 2008 год если дата акта или "
                      "регистрации прав собственности относится к 2009 году");
              }},
             {"40", Gate::BeforeAnyWindow, 8,
              [](const mTDeclaration& d, size_t) {
                  return Broken(d.Year == "2008" &&
                                    d.ConstructionDeduct.HousingPriorYears > Money::Rubles(1000000),
                                "В предыдущие отчетные годы не могли зачесть более 1000000 "
                                "рублей");
              }},
             {"41", Gate::BeforeAnyWindow, 6,
              [](const mTDeclaration& d, size_t) {
                  return Broken(d.Year == "2008" && CarriedOverBeyondShare(d.ConstructionDeduct),
                                "Перейти с прошлого года может не более 1000000 рублей * долю "
                                "собственности (за вычетом уже зачтеных сумм)");
              }},
         }},
        {kPageAddress,
         kTaxpayerSection,
         [](const mTDeclaration& d) { return d.DeclarationKind != kEstimated4NDFL; },
         Walk::Once,
         nullptr,
         {
             {"42", Gate::Always, 4,
              [](const mTDeclaration& d, size_t) {
                  return Broken(TextLength(TrimText(d.Person.OKATO)) < 11,
                                "Не введен код ОКАТО(11 симв.) по месту жительства");
              }},
         }},
    };
    return groups;
}

int RecordFocus(size_t index) {
    return static_cast<int>(index + 1);
}

// One run of the check: the windows shown so far and the focus they decided.
class CheckRun {
  public:
    explicit CheckRun(const CheckPrompter& ask) : ask_(ask) {}

    DeclarationCheckResult Execute(const mTDeclaration& d) {
        for (const Group& group : Groups()) {
            if (result_.focus != 0) break;
            if (!group.applies(d)) continue;
            result_.page = group.page;
            RunGroup(group, d);
        }
        return result_;
    }

  private:
    enum class Reply { None, Correct, Cancel };

    bool Open(Gate gate) const {
        switch (gate) {
            case Gate::Always:
                return true;
            case Gate::UntilCorrected:
                return reply_ != Reply::Correct;
            case Gate::BeforeAnyWindow:
                return reply_ == Reply::None;
        }
        return false;
    }

    // Tests the rule on the record; shows its window when it is broken.
    bool Try(const Group& group, const Rule& rule, const mTDeclaration& d, size_t record) {
        if (!Open(rule.gate)) return false;
        Verdict verdict = rule.test(d, record);
        if (!verdict) return false;
        Show({rule.id, group.page, rule.focus != 0 ? rule.focus : RecordFocus(record),
              group.section, *verdict});
        return true;
    }

    void Show(DeclarationProblem problem) {
        CheckQuestion question{problem.section, problem.message, false, false, true};
        bool correct = AskCheck(ask_, question) == CheckAnswer::Correct;
        reply_ = correct ? Reply::Correct : Reply::Cancel;
        result_.focus = correct ? problem.focus : kFocusCancelled;
        result_.shown.push_back(std::move(problem));
    }

    void RunGroup(const Group& group, const mTDeclaration& d) {
        switch (group.walk) {
            case Walk::Once:
                for (const Rule& rule : group.rules) Try(group, rule, d, 0);
                break;
            case Walk::RuleByRule:
                for (const Rule& rule : group.rules) {
                    for (size_t i = 0; i < group.records(d); ++i) {
                        if (Try(group, rule, d, i)) break;
                    }
                }
                break;
            case Walk::RecordByRecord:
                for (size_t i = 0; i < group.records(d); ++i) {
                    bool shown = false;
                    for (const Rule& rule : group.rules) shown = Try(group, rule, d, i) || shown;
                    if (shown) break;
                }
                break;
        }
    }

    const CheckPrompter& ask_;
    Reply reply_ = Reply::None;
    DeclarationCheckResult result_;
};

}  // namespace

DeclarationCheckResult CheckDeclaration(const mTDeclaration& declaration,
                                        const CheckPrompter& ask) {
    return CheckRun(ask).Execute(declaration);
}

std::vector<DeclarationProblem> ListDeclarationProblems(const mTDeclaration& declaration) {
    std::vector<DeclarationProblem> problems;
    for (const Group& group : Groups()) {
        if (!group.applies(declaration)) continue;
        for (const Rule& rule : group.rules) {
            size_t records = group.walk == Walk::Once ? 1 : group.records(declaration);
            for (size_t i = 0; i < records; ++i) {
                Verdict verdict = rule.test(declaration, i);
                if (!verdict) continue;
                int focus = rule.focus != 0 ? rule.focus : RecordFocus(i);
                problems.push_back({rule.id, group.page, focus, group.section, *verdict});
                break;
            }
        }
    }
    return problems;
}

}  // namespace zorv
