#include "entry/thirteenpercent.h"

namespace zorv {

TfrThirteenPercent::TfrThirteenPercent(TShellContext& ctx, QWidget* parent)
    : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frThirteenPercent"));
}

void TfrThirteenPercent::StoreToModel() {}

int TfrThirteenPercent::Validate() {
    return 0;
}

}  // namespace zorv
