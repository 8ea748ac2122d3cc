#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "storage/daynumber.h"
#include "storage/money.h"

namespace zorv {

class mTDocumentStorage;

// Standard deductions: the personal code, children, and the monthly table of
// entrepreneurs and private practice.
class mTStandartDeduct {
  public:
    uint8_t Granted = 1;
    uint32_t PersonalCode = 103;
    uint32_t ChildKindCode = 101;
    uint8_t ChildrenConstant = 1;
    uint32_t ChildrenCount = 0;
    std::array<uint32_t, 12> ChildrenByMonth{};
    uint8_t DisabledChildrenConstant = 1;
    uint32_t DisabledChildrenCount = 0;
    std::array<uint32_t, 12> DisabledChildrenByMonth{};
    uint8_t HasMonthlyBusiness = 0;
    std::array<Money, 12> MonthlyIncomeValues{};   // January first
    std::array<Money, 12> MonthlyExpenseValues{};  // January first
    std::array<uint8_t, 12> MonthMarks{};
    uint8_t HasCodeByMonth = 0;
    std::array<uint32_t, 12> CodeByMonthValues{};  // January first

    // Months 1-12.
    Money MonthlyIncome(int month) const { return MonthlyIncomeValues.at(Slot(month)); }
    void SetMonthlyIncome(int month, Money value) { MonthlyIncomeValues.at(Slot(month)) = value; }
    Money MonthlyExpense(int month) const { return MonthlyExpenseValues.at(Slot(month)); }
    void SetMonthlyExpense(int month, Money value) { MonthlyExpenseValues.at(Slot(month)) = value; }
    uint32_t CodeByMonth(int month) const { return CodeByMonthValues.at(Slot(month)); }
    void SetCodeByMonth(int month, uint32_t code) { CodeByMonthValues.at(Slot(month)) = code; }
    // Months 0-11.
    uint8_t MonthMark(int i) const { return MonthMarks.at(static_cast<size_t>(i)); }
    void SetMonthMark(int i, uint8_t value) { MonthMarks.at(static_cast<size_t>(i)) = value; }

    void SetChildrenCount(uint32_t n);
    void SetChildrenByMonth(int i, uint32_t n);
    void SetDisabledChildrenCount(uint32_t n);
    void SetDisabledChildrenByMonth(int i, uint32_t n);

    void Write(mTDocumentStorage& storage) const;
    void Read(mTDocumentStorage& storage);
    size_t ComputeSize() const;

  private:
    static size_t Slot(int month) { return static_cast<size_t>(month - 1); }
};

// A pension insurance or non-state pension contract.
class mTPens {
  public:
    uint32_t ContractKind = 0;
    std::string Name;
    std::string INN;
    std::string KPP;
    std::string ContractNumber;
    double ContractDate = 0;
    Money Contributions;
    Money DeductSum;

    void Write(mTDocumentStorage& storage, size_t index) const;
    void Read(mTDocumentStorage& storage, size_t index);
    size_t ComputeSize() const;
};

// Social deductions: charity, education, treatment, insurance, pension contracts.
class mTSocialDeduct {
  public:
    uint8_t Granted = 0;
    Money CharitySum;
    Money SelfEducationSum;
    Money MedicalSum;
    Money ExpensiveMedicalSum;
    Money InsuranceSum;

    size_t AddEducationSum(Money value);
    Money EducationSum(int index) const;
    void SetEducationSum(int index, Money value);
    void RemoveEducationSum(int index);
    size_t EducationSumCount() const { return ChildEducationSums.size(); }

    size_t AddPens();
    mTPens& Pens(size_t index) { return PensList.at(index); }
    const mTPens& Pens(size_t index) const { return PensList.at(index); }
    void RemovePens(size_t index);
    size_t PensCount() const { return PensList.size(); }

    void Write(mTDocumentStorage& storage) const;
    void Read(mTDocumentStorage& storage);
    size_t ComputeSize() const;

  private:
    template <typename R, typename V>
    friend void SocialDeductImage(R& r, V& v);

    void CheckIndex(int index, uint16_t negativeCode, uint16_t pastEndCode) const;

    std::vector<Money> ChildEducationSums;
    std::vector<mTPens> PensList;
};

// The property deduction for building or buying housing.
class mTConstructionDeduct {
  public:
    uint8_t Granted = 0;
    std::string ObjectName;
    std::string PostIndex;
    std::string RegionCode;
    std::string RegionName;
    std::string District;
    std::string City;
    std::string Locality;
    std::string Street;
    std::string House;
    std::string Building;
    std::string Flat;
    double RegistrationDate = DayNumber(2003, 1, 1);
    double PurchaseDate = DayNumber(2003, 1, 1);
    double StartYearDate = DayNumber(2003, 1, 1);
    Money HousingCarriedOver;
    Money CreditCarriedOver;
    Money HousingPriorYears;
    Money CreditPriorYears;
    Money Share = Money::Rubles(1);
    Money HousingPriorYearsAgent;
    Money CreditPriorYearsAgent;
    Money ObjectCost;
    Money CreditInterest;
    Money HousingAgentThisYear;
    Money CreditAgentThisYear;
    uint32_t ShareNumerator = 0;
    uint32_t ShareDenominator = 0;

    void Write(mTDocumentStorage& storage) const;
    void Read(mTDocumentStorage& storage);
    size_t ComputeSize() const;

    // The texts and the amounts, for a reader that blanks them.
    std::array<std::string*, 11> Texts();
    std::array<Money*, 11> Amounts();
};

}  // namespace zorv
