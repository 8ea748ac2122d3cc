#pragma once

#include <QStringList>
#include <string>

#include "pages/recorddialog.h"
#include "storage/money.h"

class QComboBox;

namespace zorv {

// The budget classification codes a payment on a tax notice may go to, each
// as the list shows it: the code, "  | ", the description.
const QStringList& BudgetCodeEntries();

// "Данные платежа": the amount of one payment and its budget code.
class TfmInputNalog : public TRecordDialog {
    Q_OBJECT
  public:
    explicit TfmInputNalog(QWidget* parent);

    void SetAmount(Money amount);
    // Selects the entry whose whole text is `entry`; none when no entry is.
    void SelectEntry(const QString& entry);
    // The amount typed, 0 when empty.
    Money Amount() const;
    // The code and the description of the selected entry.
    std::string BudgetCode() const;
    std::string BudgetCodeName() const;

    TMaskedEdit* meHoldSum;
    QComboBox* cbKBK;

  protected:
    // Only with an entry of the list chosen.
    bool Acceptable() override;
};

}  // namespace zorv
