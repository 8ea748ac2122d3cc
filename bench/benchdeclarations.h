#pragma once

// Declarations the benchmarks time: a typical one (one employer with monthly
// salary and the usual deductions) and large ones of any size with every kind of
// income and every deduction block.

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/declaration.h"
#include "storage/daynumber.h"

namespace zorv::bench {

// Income codes with their deduction codes, cycled through the lines of a source:
// salary, author's fees, a civil contract, exempt aid, sales and securities.
struct LineKind {
    uint32_t income;
    uint32_t deduct;
};
inline constexpr LineKind kLineKinds[] = {
    {2000, 0},   {2000, 0},   {2000, 0},   {2000, 0},   {2201, 405}, {2010, 403}, {2760, 503},
    {2790, 507}, {1510, 901}, {1511, 904}, {1520, 906}, {1520, 903}, {1540, 315}, {1550, 314},
    {1530, 307}, {1536, 309}, {1531, 308}, {9530, 307}, {9534, 305}, {1533, 306},
};

inline void FillPerson(mTDeclaration& d) {
    d.InspectionCode = "7705";
    d.Person.SurName = "Иванов";
    d.Person.Name = "Пётр";
    d.Person.Patronymic = "Сергеевич";
    d.Person.INN = "770512345650";
    d.Person.DocTypeCode = 21;
    d.Person.DocNumber = "45 05 123456";
    d.Person.DocIssueDate = zorv::DayNumber(2005, 6, 15);
    d.Person.BirthDate = zorv::DayNumber(1975, 4, 12);
    d.Person.DocIssuedBy = "ОВД района Хамовники г. Москвы";
    d.Person.BirthPlace = "г. Москва";
    d.Person.PostIndex = "119021";
    d.Person.RegionCode = 77;
    d.Person.Street = "Тимура Фрунзе ул";
    d.Person.House = "11";
    d.Person.OKATO = "45286560000";
}

inline void FillLarge(mTDeclaration& d, size_t sources, size_t linesPerSource, size_t currency) {
    FillPerson(d);
    d.SetIncomeFlags(zorv::kIncomeFromAgents | zorv::kIncomeForeign | zorv::kIncomeBusiness |
                     zorv::kIncomeRepetit);
    for (size_t i = 0; i < sources; ++i) {
        zorv::mTThirteenPercent& source = d.ThirteenPercent(d.AddThirteenPercent());
        source.INN = "7705" + std::to_string(100000 + i);
        source.KPP = "770501001";
        source.OKATO = "4528656" + std::to_string(1000 + i % 7);
        source.SourceName = "ООО \"Источник № " + std::to_string(i) + "\"";
        source.IsPrimaryWorkplace = i % 10 == 0;
        source.TaxWithheld = Money::Rubles(13000);
        source.TaxComputed = Money::Rubles(13000);
        source.TaxableIncome = Money::Rubles(100000);
        for (size_t j = 0; j < linesPerSource; ++j) {
            const LineKind& kind = kLineKinds[j % std::size(kLineKinds)];
            zorv::mTSourseIncome line;
            line.IncomeCode = kind.income;
            line.IncomeName = "Доход";
            line.IncomeSum = Money::FromRaw(static_cast<int64_t>(50000000 + 12345 * (i + j)));
            line.DeductCode = kind.deduct;
            line.DeductSum =
                kind.deduct ? Money::FromRaw(static_cast<int64_t>(30000000 + 777 * j)) : Money();
            line.Month = static_cast<uint16_t>(1 + j % 12);
            source.AddIncome(line);
        }
    }
    const uint32_t rates[] = {13, 9, 35};
    const uint32_t codes[] = {2000, 2204, 2010, 1530, 1540, 2720};
    for (size_t i = 0; i < currency; ++i) {
        zorv::mTCurrencyIncome& r = d.CurrencyIncome(d.AddCurrencyIncome());
        r.IncomeRate = rates[i % 3];
        r.IncomeCode = r.IncomeRate == 13 ? codes[i % std::size(codes)] : 1010;
        r.IncomeName = "Доход";
        r.SourceName = "Foreign " + std::to_string(i);
        r.CountryCode = "840";
        r.CurrencyCode = "840";
        r.CurrencyName = "Доллар США";
        r.IncomeRate1 = Money::FromRaw(245000);
        r.IncomeUnits = 1;
        r.TaxRate1 = Money::FromRaw(245000);
        r.TaxUnits = 1;
        r.IncomeInCurrency = Money::Rubles(1000);
        r.IncomeInRubles = Money::Rubles(24500);
        r.TaxInCurrency = Money::Rubles(100);
        r.TaxInRubles = Money::Rubles(2450);
        r.DeductCode = r.IncomeCode == 2000 ? 0 : 403;
        r.DeductSum = r.DeductCode ? Money::Rubles(1000) : Money();
    }
    for (size_t i = 0; i < 20; ++i) {
        zorv::mTThirtyFivePercent& s = d.ThirtyFivePercent(d.AddThirtyFivePercent());
        s.INN = "7710" + std::to_string(100000 + i);
        s.SourceName = "Конкурс " + std::to_string(i);
        s.OKATO = "45277000000";
        s.IncomeCode = i % 4 == 0 ? 2620 : 2740;
        s.IncomeTotal = Money::Rubles(5000);
        s.DeductCode = s.IncomeCode == 2740 ? 505 : 0;
        s.DeductSum = s.DeductCode ? Money::Rubles(4000) : Money();
        s.TaxWithheld = Money::Rubles(350);
        zorv::mTThirtyPercent& div = d.ThirtyPercent(d.AddThirtyPercent());
        div.INN = "7720" + std::to_string(100000 + i);
        div.SourceName = "ОАО Дивиденд " + std::to_string(i);
        div.IncomeCode = 1010;
        div.IncomeTotal = Money::Rubles(10000);
        div.TaxableIncome = Money::Rubles(10000);
        div.TaxComputed = Money::Rubles(900);
        div.TaxWithheld = Money::Rubles(900);
    }
    for (size_t i = 0; i < 10; ++i) {
        zorv::mTBusinessNew& b = d.Business(d.AddBusiness());
        b.ActivityKind = "1";
        b.ActivityCode = "72.20";
        b.Income = Money::Rubles(100000);
        b.ExpenseItems[0] = Money::Rubles(60000);
        b.ExpenseItems[1] = Money::Rubles(60000);
        d.AddRepetit();
        d.Repetit(i).Values[0] = Money::Rubles(20000);
        d.Repetit(i).Values[1] = Money::Rubles(5000);
        zorv::mTNalog& n = d.Nalog(d.AddNalog());
        n.BudgetCode = "18210102022011000110";
        n.Amount = Money::Rubles(100);
    }
    d.AdvanceActual = Money::Rubles(5000);

    d.StandartDeduct.Granted = 1;
    d.StandartDeduct.PersonalCode = 103;
    d.StandartDeduct.ChildrenCount = 2;
    d.SocialDeduct.Granted = 1;
    d.SocialDeduct.CharitySum = Money::Rubles(30000);
    d.SocialDeduct.MedicalSum = Money::Rubles(40000);
    for (int i = 0; i < 5; ++i) d.SocialDeduct.AddEducationSum(Money::Rubles(60000));
    for (uint32_t i = 0; i < 20; ++i) {
        zorv::mTPens& p = d.SocialDeduct.Pens(d.SocialDeduct.AddPens());
        p.ContractKind = 1 + i % 4;
        p.Name = "НПФ " + std::to_string(i);
        p.ContractNumber = std::to_string(100 + i);
        p.ContractDate = zorv::DayNumber(2008, 2, 1);
        p.Contributions = Money::Rubles(10000);
    }
    d.ConstructionDeduct.Granted = 1;
    d.ConstructionDeduct.ObjectName = "Квартира";
    d.ConstructionDeduct.RegionCode = "77";
    d.ConstructionDeduct.PostIndex = "119021";
    d.ConstructionDeduct.RegistrationDate = zorv::DayNumber(2008, 5, 1);
    d.ConstructionDeduct.ObjectCost = Money::Rubles(2500000);
    d.ConstructionDeduct.CreditInterest = Money::Rubles(90000);
    d.ConstructionDeduct.ShareNumerator = 1;
    d.ConstructionDeduct.ShareDenominator = 2;
}

// An employee with one employer, monthly salary and the usual deductions.
inline void FillTypical(mTDeclaration& d) {
    FillPerson(d);
    d.SetIncomeFlags(zorv::kIncomeFromAgents);
    zorv::mTThirteenPercent& source = d.ThirteenPercent(d.AddThirteenPercent());
    source.INN = "7705012343";
    source.KPP = "770501001";
    source.OKATO = "45286560000";
    source.SourceName = "ООО \"Ромашка\"";
    source.IsPrimaryWorkplace = 1;
    source.TaxWithheld = Money::Rubles(54600);
    for (uint16_t m = 1; m <= 12; ++m) {
        zorv::mTSourseIncome line;
        line.IncomeCode = 2000;
        line.IncomeName = "Заработная плата";
        line.IncomeSum = Money::Rubles(35000);
        line.Month = m;
        source.AddIncome(line);
    }
    d.StandartDeduct.Granted = 1;
    d.StandartDeduct.ChildrenCount = 1;
    d.SocialDeduct.Granted = 1;
    d.SocialDeduct.MedicalSum = Money::Rubles(23500);
    d.ConstructionDeduct.Granted = 1;
    d.ConstructionDeduct.ObjectName = "Квартира";
    d.ConstructionDeduct.RegionCode = "77";
    d.ConstructionDeduct.PostIndex = "119021";
    d.ConstructionDeduct.RegistrationDate = zorv::DayNumber(2008, 9, 10);
    d.ConstructionDeduct.ObjectCost = Money::Rubles(2500000);
    d.ConstructionDeduct.ShareNumerator = 1;
    d.ConstructionDeduct.ShareDenominator = 1;
}

inline size_t LineCount(const mTDeclaration& d) {
    size_t lines = d.CurrencyIncomeCount();
    for (size_t i = 0; i < d.ThirteenPercentCount(); ++i)
        lines += d.ThirteenPercent(i).IncomeCount();
    return lines;
}

}  // namespace zorv::bench
