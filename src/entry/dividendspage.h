#pragma once

#include "shell/thinkingframe.h"

namespace zorv {

// Dividends, one record per paying organisation.
class TfrThirtyPercent : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrThirtyPercent(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;
};

}  // namespace zorv
