#pragma once

#include "pages/recordpage.h"

namespace zorv {

// Tax paid on tax notices: one row per payment with its amount and budget code.
class TfrNalog : public TRecordListPage {
    Q_OBJECT
  public:
    TfrNalog(TShellContext& ctx, QWidget* parent);

  protected:
    size_t RecordCount() const override;
    QStringList RowTexts(size_t index) const override;
    QString RecordsWhat() const override;
    bool RunAdd() override;
    bool RunEdit(size_t index) override;
    void Remove(size_t index) override;
};

}  // namespace zorv
