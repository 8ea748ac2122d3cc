#pragma once

#include "pages/recordpage.h"

class QLabel;

namespace zorv {

// Dividends, one record per paying organisation, each edited in its dialog.
class TfrThirtyPercent : public TRecordListPage {
    Q_OBJECT
  public:
    TfrThirtyPercent(TShellContext& ctx, QWidget* parent);

    QLabel* pnlItogIncomeSum;
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
