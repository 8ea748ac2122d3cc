#pragma once

#include <QDialog>

#include "model/deductions.h"
#include "widgets/thinkingframe.h"

class QCheckBox;
class QRadioButton;
class QToolButton;
class QTreeWidget;

namespace zorv {

class TDateEdit;
class TMaskedEdit;

// "Сумма за обучение": one amount paid for a child's education.
class TfmChildEduSum : public QDialog {
    Q_OBJECT
  public:
    explicit TfmChildEduSum(QWidget* parent);

    TMaskedEdit* meChildEduSum;
};

// "Данные договора": a pension insurance or non-state pension contract.
class TfmInputSoursePens : public QDialog {
    Q_OBJECT
  public:
    explicit TfmInputSoursePens(QWidget* parent);

    void Fill(const mTPens& contract);
    // The eight fields of the contract; empty amounts are 0.
    void Store(mTPens& contract) const;

    void accept() override;

    TMaskedEdit *meSourseName, *meINN, *meKPP, *meNomDog, *meVZSum, *meVichSum;
    TDateEdit* dtpDatDog;
    QRadioButton *rbSelf3, *rbSelf4, *rbFam3, *rbFam4;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The checks of the contract; true when the dialog may close with "Да".
    bool Checked();
};

// Social deductions: charity, education, treatment, insurance, the amounts paid
// for children's education and the pension contracts.
class TfrFramePensDeduct : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrFramePensDeduct(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;

    QCheckBox* chbGrantingSocDeduct;
    TMaskedEdit *meCharitySum, *meSelfEducationSum, *meMedicalSum, *meExpensiveMedicalSum,
        *meStrahovka;
    QTreeWidget* lvSumList;
    QToolButton *fbAddSum, *fbDeleteSum, *fbEditSum;
    QTreeWidget* lvPensInfo;
    QToolButton *fbAddPens, *fbDeletePens, *fbEditPens;

    void AddSum();
    void EditSum();
    void DeleteSum();
    void AddPens();
    void EditPens();
    void DeletePens();

  private:
    mTSocialDeduct& Social() { return Decl().SocialDeduct; }
    void OnGranting();
    QList<TMaskedEdit*> Amounts() const;
    QStringList PensRow(const mTPens& contract) const;

    QList<QWidget*> labels_;
};

}  // namespace zorv
