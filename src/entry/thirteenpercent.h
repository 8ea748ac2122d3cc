#pragma once

#include "shell/thinkingframe.h"

namespace zorv {

// Income taxed at 13 %: payers and their monthly income lines.
class TfrThirteenPercent : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrThirteenPercent(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;
};

}  // namespace zorv
