#pragma once

#include <QDialog>
#include <QList>
#include <array>

#include "widgets/thinkingframe.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QRadioButton;
class QWidget;

namespace zorv {

class TMaskedEdit;
class TUpDown;

// "Комбинация стандартных вычетов": the personal deduction code of each month.
class TfmDif : public QDialog {
    Q_OBJECT
  public:
    explicit TfmDif(QWidget* parent);

    // Position 0, 1, 2 stand for codes 103, 104, 105; any other value shows 103.
    void SetCode(int month, uint32_t position);
    uint32_t Code(int month) const;

    std::array<QComboBox*, 12> CB{};  // January first
};

// The children of one kind: the count of a whole year or one per month.
struct TChildrenRow {
    QCheckBox* constant = nullptr;
    TMaskedEdit* count = nullptr;
    TUpDown* upDown = nullptr;
    std::array<TMaskedEdit*, 12> months{};
};

// Standard deductions: the personal code, the children, and the monthly income
// and expenses of entrepreneurs and private practice.
class TfrFrameStandartDeduct : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrFrameStandartDeduct(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override { return 0; }

    QCheckBox* chbGrantingStanDeduct;
    QRadioButton *rb103, *rb104, *rb105, *rbQ;
    QRadioButton *rbTowParents, *rbOneParent;
    TChildrenRow children, disabled;
    std::array<QCheckBox*, 12> cbMonth{};      // cbJan ... cbDec
    std::array<TMaskedEdit*, 12> meIncome{};   // me1 ... me12
    std::array<TMaskedEdit*, 12> meExpense{};  // meR1 ... meR12

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnGranting();
    void OnConstant(TChildrenRow& row);
    void OnCount(TChildrenRow& row);
    void OnCodeByMonth();
    void FillChildren(TChildrenRow& row, uint8_t constant, uint32_t count,
                      const std::array<uint32_t, 12>& byMonth);
    void StoreChildren(const TChildrenRow& row, uint8_t& constant, uint32_t& count,
                       std::array<uint32_t, 12>& byMonth) const;

    bool businessTable_ = false;
    QList<QWidget*> monthLabels_;
    QList<QWidget*> businessLabels_;
};

}  // namespace zorv
