#include "pages/deductionhub.h"

#include "pages/propertydeduct.h"
#include "pages/socialdeduct.h"
#include "pages/standarddeduct.h"
#include "widgets/flashbutton.h"

namespace zorv {

TfrFrameDeductData::TfrFrameDeductData(TShellContext& ctx, QWidget* parent)
    : THubFrame(ctx, parent) {
    setObjectName(QStringLiteral("frFrameDeductData"));
    AddSubButton(QStringLiteral("Стандартные"), QStringLiteral("Стандартные налоговые вычеты"))
        ->setObjectName(QStringLiteral("fbStandartDeduct"));
    AddSubButton(QStringLiteral("Имущественный"),
                 QStringLiteral("Имущественный налоговый вычет на строительство"))
        ->setObjectName(QStringLiteral("fbConstructionDeduct"));
    AddSubButton(QStringLiteral("Социальные"), QStringLiteral("Социальные налоговые вычеты"))
        ->setObjectName(QStringLiteral("fbPensDeduct"));
    Start(subStandard);
}

TThinkingFrame* TfrFrameDeductData::CreateSubPage(int index, QWidget* parent) {
    switch (index) {
        case subSocial:
            return new TfrFramePensDeduct(ctx_, parent);
        case subStandard:
            return new TfrFrameStandartDeduct(ctx_, parent);
        default:
            return new TfrConstructionDeduct(ctx_, parent);
    }
}

}  // namespace zorv
