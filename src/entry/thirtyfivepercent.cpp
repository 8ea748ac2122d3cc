#include "entry/thirtyfivepercent.h"

namespace zorv {

TfrThirtyFivePercent::TfrThirtyFivePercent(TShellContext& ctx, QWidget* parent)
    : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frThirtyFivePercent"));
}

void TfrThirtyFivePercent::StoreToModel() {}

int TfrThirtyFivePercent::Validate() {
    return 0;
}

}  // namespace zorv
