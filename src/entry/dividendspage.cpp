#include "entry/dividendspage.h"

namespace zorv {

TfrThirtyPercent::TfrThirtyPercent(TShellContext& ctx, QWidget* parent)
    : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frThirtyPercent"));
}

void TfrThirtyPercent::StoreToModel() {}

int TfrThirtyPercent::Validate() {
    return 0;
}

}  // namespace zorv
