#pragma once

#include <QDialog>
#include <QString>

#include "codes/codedictionary.h"
#include "model/income.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zorv {

class TMaskedEdit;

// The section the checks of the 13 % dialogs name in their windows.
inline constexpr const char* kThirteenSection = "Доходы, облагаемые по ставке 13%";

// A payer of income taxed at 13 %: its name and numbers. "Да" closes it only
// when the payment-source check passes or its problems were skipped.
class TfmInput13SourseIncome : public QDialog {
    Q_OBJECT
  public:
    // A non-resident's declaration has no standard deductions: the box that
    // chooses the payer for them is hidden.
    TfmInput13SourseIncome(QWidget* parent, bool nonResident);

    void Load(const mTThirteenPercent& payer);
    // Copies the name, the numbers and the box into the payer.
    void Save(mTThirteenPercent& payer) const;
    QString SourceName() const;

    void accept() override;

    TMaskedEdit* meSourseName;
    TMaskedEdit* meINN;
    TMaskedEdit* meKPP;
    TMaskedEdit* meOKATO;
    QCheckBox* chbPrimaryWorkplase;
    QPushButton* bnOk;
    QPushButton* bnCansel;
};

// One income line of a payer: month, income code and amount, deduction code
// and amount. A resident picks among the 13 % codes and every deduction; a
// non-resident among all codes, without a month, with the deductions allowed
// to him and only for the codes that have them.
class TfmInput13Income : public QDialog {
    Q_OBJECT
  public:
    TfmInput13Income(QWidget* parent, bool nonResident);

    // Fills the dialog from a stored line.
    void Load(const mTSourseIncome& line);
    // The line as the dialog holds it; empty amounts are 0, an empty month 1.
    mTSourseIncome Line() const;

    // The line check: 0 to accept, else what to correct (1 the income code,
    // 2 the income amount, 3 the deduction code, 4 the deduction amount).
    int CheckLine();
    // Puts the focus on the control of a check result; the lists open at once.
    void FocusProblem(int code);

    void accept() override;

    QLabel* pnlIncomeCod;
    QPushButton* bnIncomeCod;
    QLabel* lbIncomeName;  // the name of the income code
    TMaskedEdit* meIncomeSum;
    QLabel* lbSubtractCod;
    QLabel* pnlSubtractCod;
    QPushButton* bnSubtractCod;
    QLabel* lbSubtractName;  // the name of the deduction code
    QLabel* lbSubtractSum;
    TMaskedEdit* meSubtractSum;
    TMaskedEdit* mePropSale;
    QPushButton* bnYes;
    QPushButton* bnCansel;

  private:
    void LoadLine(const mTSourseIncome& line);
    void ChooseIncomeCode();
    void ChooseDeductCode();
    void OnIncomeSumChanged();
    void OnDeductSumChanged();
    void OnMonthChanged();
    // The deduction code button with its labels, and the amount field: shown
    // or hidden, typable or read-only.
    void SetDeductButton(bool enabled);
    void SetDeductAmount(bool shown, bool typed);
    void ApplyRowToAmount(const DeductionRule& rule);
    // The names of the codes on show, beside them.
    void ShowNames();

    bool nonResident_;
    QString incomeName_;
    DeductionRule rule_;          // the deduction row applied; all 0 when none
    bool deductApplies_ = false;  // the income code takes a deduction
};

// Whether a non-resident may claim a deduction against the income code.
bool NonResidentDeductible(uint32_t incomeCode);

}  // namespace zorv
