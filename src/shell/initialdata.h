#pragma once

#include "widgets/thinkingframe.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace zorv {

class TDateEdit;
class TMaskedEdit;

// The conditions of the declaration: form, inspection, correction, year,
// taxpayer category, who confirms it and which income groups it has.
class TfrInitialData : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrInitialData(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;

    TMaskedEdit* meInspection;
    QPushButton* bnInspection;
    TMaskedEdit* Edit1;
    QLabel* lbInspectionName;
    TMaskedEdit* meNumVer;
    QToolButton* updCorrUp;
    QToolButton* updCorrDown;
    QRadioButton* rbFirst;
    QRadioButton* rbLast;
    TDateEdit* dtGetDate;
    QLabel* lbGetDate;
    QCheckBox* cbPrintData;
    QGroupBox* pnlYear;
    QRadioButton* rb2008;
    QRadioButton* rb2009;
    QCheckBox* chbIncomeInquiry;
    QLabel* lbIncomeNote;
    QCheckBox* chbIncomeCurrency;
    QCheckBox* chbIncomeBusiness;
    QLabel* lbSupposeIncome;
    TMaskedEdit* meSupposeIncome;
    TMaskedEdit* meSupVich;
    QGroupBox* gbAppendixes;
    TMaskedEdit* meAppendixes;
    QCheckBox* chbAutoCalculateApp;
    QGroupBox* gbCategory;
    QRadioButton* rbFermer;
    QRadioButton* rbPredp;
    QRadioButton* rbNotarius;
    QRadioButton* rbAdvokat;
    QRadioButton* rbFLProch;
    QRadioButton* rbSimple;
    QRadioButton* rbNeRez;
    QRadioButton* rb4ndfl;
    QGroupBox* gbSubmitter;
    QRadioButton* rbGiveSelf;
    QRadioButton* rbGiveTrustFase;
    QRadioButton* rbGiveByMail;
    QLabel* lbFIO;
    TMaskedEdit* meFIO;
    QLabel* lbOsn;
    TMaskedEdit* meOsn;
    QLabel* lbUL;
    TMaskedEdit* meUL;

  private:
    void BuildControls();
    void SetFocusTargets();
    void Fill();
    int FormKind() const;
    void OnIncomeInquiry(bool checked);
    void OnIncomeCurrency(bool checked);
    void OnIncomeBusiness(bool checked);
    void UpdateDeduction();
    void OnForm(int kind);
    void OnSubmitter(int kind);
    void OnYear2009();
    void OnInspection();
    void OnInspectionTyped(const QString& code);
    void StepCorrection(int delta);

    QButtonGroup* formGroup_;
    QButtonGroup* submitterGroup_;
    QButtonGroup* categoryGroup_;
    bool building_ = true;
};

}  // namespace zorv
