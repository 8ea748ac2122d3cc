#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "pages/okvedform.h"
#include "widgets/thinkingframe.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;
class QWidget;

namespace zorv {

class TMaskedEdit;

// "Вид деятельности": the kind of an activity and, for an entrepreneur, its
// code, chosen in the classification's lists. Without the classification the
// code is typed.
class TfmInputBusinessIncome : public QDialog {
    Q_OBJECT
  public:
    TfmInputBusinessIncome(QWidget* parent, const TOkvedTable& okved);

    // "1" entrepreneurial, "2" notary, "3" lawyer, "4" other.
    QString Kind() const;
    void SetKind(const QString& kind);
    QString Code() const;
    void SetCode(const QString& code);
    TFormOKVED* OkvedForm() const { return okvedForm_; }

    QRadioButton *rbPredp, *rbNota, *rbAdvokat, *rbInaya;
    TMaskedEdit* me1;
    QLabel* lbIncomeCod;
    QPushButton* bnIncomeCod;
    QPushButton *bnOk, *bnCansel;

  private:
    void OnKind();
    void OnPick();

    TFormOKVED* okvedForm_ = nullptr;  // one instance while the dialog lives
};

// "Предприниматели": the activities of an entrepreneur, a notary, a lawyer or
// another person in private practice, with their income and expenses, the
// advance payments and the farm household.
class TfrBusinessNew : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrBusinessNew(TShellContext& ctx, QWidget* parent);
    ~TfrBusinessNew() override;

    void StoreToModel() override;
    int Validate() override;
    void FocusError(int code) override;

    // The caption of an activity in the list.
    static QString Caption(const mTBusinessNew& b);

    void AddActivity();
    void EditActivity();
    void DeleteActivity();

    QTreeWidget* lvSourseIncomeInfo;
    QToolButton *fbAddSourseIncome, *fbDeleteSourseIncome, *fbEditSourseIncome;
    TMaskedEdit* MaskedEdit1;
    QCheckBox* chbIsConfirmedExpensies;
    QWidget* Panel4;
    QLabel* Panel5;
    QWidget* Panel6;
    std::array<TMaskedEdit*, 6> expenses_{};  // MaskedEdit2 ... MaskedEdit7
    TMaskedEdit* meNachPrepayment;
    TMaskedEdit* meActualPrepayment;
    TMaskedEdit* meBeginninFH;
    QWidget* updBeginningUsePrivilegeDate;
    TMaskedEdit* meFHSum;

  private:
    void OnSelection();
    void StoreActivity(size_t index);
    void ShowActivity(size_t index);
    void OnConfirmed();
    void ShowNorm();
    void EnableDetail(bool enabled);
    void StepYear(int step);

    QWidget* detail_;
    const TOkvedTable& Okved();
    std::unique_ptr<TOkvedTable> okved_;
    int selected_ = -1;
    bool loading_ = false;
    bool deleting_ = false;
};

}  // namespace zorv
