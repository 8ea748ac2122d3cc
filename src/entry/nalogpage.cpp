#include "entry/nalogpage.h"

namespace zorv {

TfrNalog::TfrNalog(TShellContext& ctx, QWidget* parent) : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frNalog"));
}

void TfrNalog::StoreToModel() {}

int TfrNalog::Validate() {
    return 0;
}

}  // namespace zorv
