#pragma once

#include "shell/thinkingframe.h"

namespace zorv {

// Tax paid on tax notices.
class TfrNalog : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrNalog(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;
};

}  // namespace zorv
