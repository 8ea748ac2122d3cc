#pragma once

#include "pages/recordpage.h"

class QLabel;

namespace zorv {

// Income taxed at 35 %, one record per payer, each edited in its dialog.
class TfrThirtyFivePercent : public TRecordListPage {
    Q_OBJECT
  public:
    TfrThirtyFivePercent(TShellContext& ctx, QWidget* parent);

    QLabel* pnlIncomeCod;
    QLabel* pnlItogIncomeSum;
    QLabel* pnlSubtractCod;
    QLabel* pnlSubtractSum;
    QLabel* pnlHoldSum;

  protected:
    size_t RecordCount() const override;
    QStringList RowTexts(size_t index) const override;
    QString RecordsWhat() const override;
    bool RunAdd() override;
    bool RunEdit(size_t index) override;
    void Remove(size_t index) override;
    void ShowRecord(int index) override;
};

}  // namespace zorv
