#pragma once

#include <QString>
#include <optional>
#include <string_view>

#include "codes/codedictionary.h"
#include "widgets/lookups.h"

namespace zorv {

// The income-code list "Справочник видов доходов": the codes of the rate filter
// (empty: every code) in dictionary order, the current code selected.
class TfmInputIncomeCode : public TfmLookup {
    Q_OBJECT
  public:
    TfmInputIncomeCode(QWidget* parent, std::string_view rateFilter, const QString& current);
    // The row the list closed on; none when no row is selected.
    std::optional<IncomeChoice> Choice() const;

  private:
    IncomePickList pick_;
};

// The deduction-code list "Справочник видов вычетов" of an income code.
class TfmInputDeductCode : public TfmLookup {
    Q_OBJECT
  public:
    TfmInputDeductCode(QWidget* parent, const QString& incomeCode, bool allRows,
                       const QString& current);
    const DeductionRow* Choice() const;

  private:
    DeductionPickList pick_;
};

// Runs a list with the current code selected; the choice when the user
// confirms a row, none when the list is cancelled.
std::optional<IncomeChoice> PickIncomeCode(QWidget* parent, std::string_view rateFilter,
                                           const QString& current);
const DeductionRow* PickDeductionCode(QWidget* parent, const QString& incomeCode, bool allRows,
                                      const QString& current);

// A code of the dictionary as a list shows it.
inline QString CodeText(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace zorv
