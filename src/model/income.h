#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "storage/daynumber.h"
#include "storage/money.h"

namespace zorv {

class mTDocumentStorage;

// Common part of the three kinds of income source (13 %, 35 %, dividends).
class mTSourseIncomeInfo {
  public:
    virtual ~mTSourseIncomeInfo() = default;
    virtual void Write(mTDocumentStorage& storage, size_t index) const = 0;
    virtual void Read(mTDocumentStorage& storage, size_t index) = 0;
    virtual size_t ComputeSize() const = 0;

    std::string INN;
    std::string KPP;
    std::string OKATO;
    std::string SourceName;
    Money IncomeTotal;
    Money TaxWithheld;
};

// One income line of a 13 % source.
struct mTSourseIncome {
    uint32_t IncomeCode = 0;
    std::string IncomeName;
    Money IncomeSum;
    uint32_t DeductCode = 0;
    Money DeductSum;
    uint32_t DeductPercent = 0;
    uint16_t Month = 0;

    bool operator==(const mTSourseIncome&) const = default;
};

// A source of income taxed at 13 %. IncomeTotal is the sum of the lines' amounts
// and is kept so by the line operations.
class mTThirteenPercent : public mTSourseIncomeInfo {
  public:
    uint8_t IsPrimaryWorkplace = 0;
    Money TaxComputed;
    Money TaxableIncome;

    size_t AddIncome(const mTSourseIncome& line);
    // With a line, replaces line index; without one, removes it.
    void SetIncome(size_t index, const std::optional<mTSourseIncome>& line);
    const mTSourseIncome& Income(size_t index) const { return IncomeList.at(index); }
    size_t IncomeCount() const { return IncomeList.size(); }

    // month 0-11; Money::Absent() clears the month.
    void SetMonthlyAmount(size_t month, Money value);
    bool HasMonthlyAmount(size_t month) const { return monthlyAmounts_.at(month).has_value(); }
    Money MonthlyAmount(size_t month) const { return monthlyAmounts_.at(month).value_or(Money()); }

    void Write(mTDocumentStorage& storage, size_t index) const override;
    void Read(mTDocumentStorage& storage, size_t index) override;
    size_t ComputeSize() const override;

  private:
    template <typename R, typename V>
    friend void ThirteenPercentImage(R& r, V& v, size_t index);

    std::vector<mTSourseIncome> IncomeList;
    std::array<std::optional<Money>, 12> monthlyAmounts_{};  // January first; empty when absent
};

// A source of income taxed at 35 %.
class mTThirtyFivePercent : public mTSourseIncomeInfo {
  public:
    uint32_t IncomeCode = 0;
    uint32_t DeductCode = 0;
    Money DeductSum;

    void Write(mTDocumentStorage& storage, size_t index) const override;
    void Read(mTDocumentStorage& storage, size_t index) override;
    size_t ComputeSize() const override;
};

// Dividends; IncomeTotal holds the dividend amount.
class mTThirtyPercent : public mTSourseIncomeInfo {
  public:
    uint32_t IncomeCode = 0;
    Money TaxComputed;
    Money TaxableIncome;

    void Write(mTDocumentStorage& storage, size_t index) const override;
    void Read(mTDocumentStorage& storage, size_t index) override;
    size_t ComputeSize() const override;
};

// One item of income received in foreign currency.
class mTCurrencyIncome {
  public:
    uint32_t IncomeRate = 0;
    uint32_t IncomeCode = 0;
    std::string IncomeName;
    std::string SourceName;
    std::string CountryCode;
    double IncomeDate = DayNumber(2008, 1, 1);
    double TaxDate = DayNumber(2008, 1, 1);
    std::string CurrencyCode;
    Money IncomeRate1;
    uint32_t IncomeUnits = 0;
    Money TaxRate1;
    uint32_t TaxUnits = 0;
    std::string CurrencyName;
    Money IncomeInCurrency;
    Money IncomeInRubles;
    Money TaxInCurrency;
    Money TaxInRubles;
    uint8_t AutoRates = 0;
    uint32_t DeductCode = 0;
    Money DeductSum;
    uint32_t DeductPercent = 0;

    // Store the amount and its conversion into rubles, rounded to kopecks.
    void SetIncomeInCurrency(Money value);
    void SetTaxInCurrency(Money value);

    void Write(mTDocumentStorage& storage, size_t index) const;
    void Read(mTDocumentStorage& storage, size_t index);
    size_t ComputeSize() const;
};

// Amount in currency converted at rate per units, rounded to kopecks; 0 without units.
Money ConvertToRubles(Money amount, Money rate, uint32_t units);

// The rate of one unit of a currency quoted per `units` units, rounded half up
// to four decimals, exactly (0 when there are no units).
Money RatePerUnit(Money rate, uint32_t units);

// One business or private-practice activity.
class mTBusinessNew {
  public:
    static constexpr size_t kExpenseItems = 19;

    std::string ActivityKind;
    std::string ActivityCode = "..";
    uint8_t HasConfirmedExpenses = 1;
    Money Income;
    std::array<Money, kExpenseItems> ExpenseItems{};
    Money ExpenseTotal;

    void Clear();
    void Write(mTDocumentStorage& storage, size_t index) const;
    void Read(mTDocumentStorage& storage, size_t index);
    size_t ComputeSize() const;
};

// How an activity is named in lists: notaries, lawyers and other practice by
// their kind, an entrepreneur's activity by its OKVED code.
std::string ActivityCaption(const mTBusinessNew& activity);

// A record of the Repetit group: a name and 21 amounts, carried as stored.
class mTRepetitNew {
  public:
    static constexpr size_t kValues = 21;

    std::string Name;
    std::array<Money, kValues> Values{};

    void Write(mTDocumentStorage& storage, size_t index) const;
    void Read(mTDocumentStorage& storage, size_t index);
    size_t ComputeSize() const;
};

// An advance payment made on a tax notice.
class mTNalog {
  public:
    std::string BudgetCodeName;
    std::string BudgetCode;
    Money Amount;

    void Write(mTDocumentStorage& storage, size_t index) const;
    void Read(mTDocumentStorage& storage, size_t index);
    size_t ComputeSize() const;
};

}  // namespace zorv
