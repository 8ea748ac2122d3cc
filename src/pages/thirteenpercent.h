#pragma once

#include <QString>
#include <array>

#include "widgets/thinkingframe.h"

class QGroupBox;
class QLabel;
class QSplitter;
class QToolButton;
class QTreeWidget;

namespace zorv {

class TMaskedEdit;
struct mTSourseIncome;

// Income taxed at 13 % (for a non-resident, all income from Russian payers):
// the payers, the monthly income lines of the payer selected, and that payer's
// totals. Payers and lines go into the declaration at once; the totals when
// the selection moves or the page is stored.
class TfrThirteenPercent : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrThirteenPercent(TShellContext& ctx, QWidget* parent);
    ~TfrThirteenPercent() override;

    void StoreToModel() override;
    // Each payer whose income is below the tax withheld, in turn: the number of
    // the payer to correct, or 0.
    int Validate() override;
    // Selects payer number `code` (from 1) in the focused list.
    void FocusError(int code) override;

    // The commands of the buttons and keys.
    void AddPayer();
    void EditPayer();
    void DeletePayer();
    void AddLine();
    void EditLine();
    void RepeatLine();
    void DeleteLine();

    QSplitter* splitter1;
    QTreeWidget* lvSourseIncomeInfo;
    QToolButton* fbAddSourseIncome;
    QToolButton* fbDeleteSourseIncome;
    QToolButton* fbEditSourseIncome;
    QTreeWidget* lvIncome;
    QToolButton* fbAddIncome;
    QToolButton* fbRemoveIncome;
    QToolButton* fbEditIncome;
    QToolButton* fbCopy;
    QGroupBox* gbResult;
    QLabel* pnlItogIncomeSum;
    TMaskedEdit* meHoldSum;
    TMaskedEdit* meObl;
    TMaskedEdit* meTaxIsch;
    QGroupBox* gbAppendixes;

  private:
    // A field that shows a stored value: the value goes back unchanged unless
    // the user changed the text, so that a value the field cannot show (more
    // digits than it takes) survives a visit.
    struct TShownValue {
        TMaskedEdit* edit = nullptr;
        QString shown;
    };

    bool NonResident() const;
    void OnPayerSelection();
    void OnLineSelection();
    void ShowPayer(int index);
    void StoreTotals(int index);
    void ClearTotals();
    void EnableLineControls(bool enabled);
    void ShowIncomeTotal();
    // Runs a change of the payer's lines; a refusal of the model (a total out
    // of range, a full list) is shown, and false comes back.
    template <typename Change>
    bool ChangeLines(Change change);

    int payer_ = -1;  // the selected payer; -1 for none
    int line_ = -1;   // the selected line of that payer; -1 for none
    bool loading_ = false;
    bool deletingPayer_ = false;
    bool deletingLine_ = false;
    bool destroying_ = false;
    TShownValue holdSum_, obl_, taxIsch_;
    std::array<TShownValue, 6> appendixes_;
};

// The texts of an income line's row, the same when the line is entered and when
// the document is opened again: "Нет" for a line without deduction code and "-"
// for a zero amount.
QStringList IncomeRowTexts(const mTSourseIncome& line);

}  // namespace zorv
