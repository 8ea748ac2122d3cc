#pragma once

#include "codes/codedictionary.h"
#include "pages/recorddialog.h"

class QLabel;

namespace zorv {

class mTThirtyFivePercent;

// "Доход": income taxed at 35 % from one payer, with its income code and, where
// the code allows one, a deduction.
class TfmInput35SourseIncome : public TRecordDialog {
    Q_OBJECT
  public:
    explicit TfmInput35SourseIncome(QWidget* parent);

    void Load(const mTThirtyFivePercent& record);
    // Writes the dialog's values (empty amounts and codes as 0).
    void Store(mTThirtyFivePercent& record) const;

    // The lists of the two "..." buttons.
    void ChooseIncomeCode();
    void ChooseDeductionCode();

    TSourceFields source;
    QLabel* pnlIncomeCod;
    QPushButton* bnIncomeCod;
    TMaskedEdit* meItogIncomeSum;
    QLabel* lbSubtractCod;
    QLabel* pnlSubtractCod;
    QPushButton* bnSubtractCod;
    QLabel* lbSubtractSum;
    TMaskedEdit* meSubtractSum;
    TMaskedEdit* meHoldSum;

  protected:
    bool Acceptable() override;

  private:
    // The deduction controls usable or not, with the deduction-applies flag.
    void SetDeductionApplies(bool applies);
    // The deduction row's way of giving its amount, applied to the amount field.
    void ApplyRow(const DeductionRule& rule);
    // The deduction amount that follows the income: the income, or none.
    QString AmountFollowingIncome() const;
    void OnIncomeChanged();
    void OnDeductionChanged();
    bool IncomeChecked();

    bool deductionApplies_ = false;
    DeductionRule row_;  // the applied deduction row; its share is not used here
    bool loading_ = false;
};

}  // namespace zorv
