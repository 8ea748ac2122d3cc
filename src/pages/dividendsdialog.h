#pragma once

#include "pages/recorddialog.h"

namespace zorv {

class mTThirtyPercent;

// "Доход": the dividends of one paying organisation. The tax on the taxable
// dividends is computed as they are typed.
class TfmInput30SourseIncome : public TRecordDialog {
    Q_OBJECT
  public:
    explicit TfmInput30SourseIncome(QWidget* parent);

    void Load(const mTThirtyPercent& record);
    // Writes the dialog's values (empty amounts as 0); the income code is the caller's.
    void Store(mTThirtyPercent& record) const;

    TSourceFields source;
    TMaskedEdit* meItogIncomeSum;
    TMaskedEdit* meOblSum;
    TMaskedEdit* meHoldSum;
    TMaskedEdit* meTaxDiscount;  // the computed tax; not shown

  protected:
    bool Acceptable() override;

  private:
    void OnTaxableChanged();
    bool DividendsCoverTax();
};

}  // namespace zorv
