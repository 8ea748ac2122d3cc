#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "pages/okvedform.h"
#include "pages/recorddialog.h"
#include "pages/recordpage.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace zorv {

class TMaskedEdit;

// "Вид деятельности": the kind of an activity and, for an entrepreneur, its
// code, chosen in the classification's lists. Without the classification the
// code is typed. "Да" takes the activity unchecked.
class TfmInputBusinessIncome : public TRecordDialog {
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

  protected:
    bool Acceptable() override { return true; }

  private:
    void OnKind();
    void OnPick();

    TFormOKVED* okvedForm_ = nullptr;  // one instance while the dialog lives
};

// "Предприниматели": the activities of an entrepreneur, a notary, a lawyer or
// another person in private practice, with their income and expenses, the
// advance payments and the farm household.
class TfrBusinessNew : public TRecordListPage {
    Q_OBJECT
  public:
    TfrBusinessNew(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;
    void FocusError(int code) override;

    // The caption of an activity in the list.
    static QString Caption(const mTBusinessNew& b);

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

  protected:
    size_t RecordCount() const override;
    QStringList RowTexts(size_t index) const override;
    QString RecordsWhat() const override;
    bool RunAdd() override;
    bool RunEdit(size_t index) override;
    void Remove(size_t index) override;
    void ShowRecord(int index) override;
    void KeepRecord(size_t index) override;

  private:
    void ShowActivity(size_t index);
    void OnConfirmed();
    void ShowNorm();
    void StepYear(int step);

    QWidget* detail_;    // what the page edits, enabled while there are activities
    QWidget* gbIncome_;  // the selected activity's part of it
    const TOkvedTable& Okved();
    std::unique_ptr<TOkvedTable> okved_;
};

}  // namespace zorv
