#pragma once

#include "shell/thinkingframe.h"

namespace zorv {

// Income taxed at 35 %, one record per payer.
class TfrThirtyFivePercent : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrThirtyFivePercent(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;
};

}  // namespace zorv
