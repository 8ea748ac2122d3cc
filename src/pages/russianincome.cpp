#include "pages/russianincome.h"

#include <QTreeWidget>

#include "pages/dividendspage.h"
#include "pages/thirteenpercent.h"
#include "pages/thirtyfivepercent.h"
#include "widgets/flashbutton.h"

namespace zorv {

TfrRussianIncome::TfrRussianIncome(TShellContext& ctx, QWidget* parent) : THubFrame(ctx, parent) {
    setObjectName(QStringLiteral("frRussianIncome"));
    const bool nonResident = Decl().DeclarationKind == kNonResident3NDFL;
    // A non-resident's income from Russian payers is taxed at 30 % and the
    // dividends at 15 %; the buttons say so, and 35 % income has no page.
    auto* b1 =
        AddSubButton(nonResident ? QStringLiteral("Ставка 30%") : QStringLiteral("Ставка 13%"),
                     QStringLiteral("Доходы, облагаемые по ставке 13%, полученные от "
                                    "налоговых агентов или иных источников выплаты, в т.ч. "
                                    "от физических лиц"));
    auto* b2 =
        AddSubButton(nonResident ? QStringLiteral("Дивиденды 15%") : QStringLiteral("Дивиденды"),
                     QStringLiteral("Доходы в виде дивидендов"));
    auto* b3 = AddSubButton(QStringLiteral("Ставка 35%"),
                            QStringLiteral("Доходы, облагаемые по ставке 35%"));
    b1->setObjectName(QStringLiteral("FlashButton1"));
    b2->setObjectName(QStringLiteral("FlashButton2"));
    b3->setObjectName(QStringLiteral("FlashButton3"));
    b3->setVisible(!nonResident);
    Start(subThirteen);
}

TThinkingFrame* TfrRussianIncome::CreateSubPage(int index, QWidget* parent) {
    switch (index) {
        case subDividends:
            return new TfrThirtyPercent(ctx_, parent);
        case subThirtyFive:
            return new TfrThirtyFivePercent(ctx_, parent);
        default:
            return new TfrThirteenPercent(ctx_, parent);
    }
}

void TfrRussianIncome::SubPageShown(int) {
    // A sub-page with sources opens on the first of them.
    auto* list = SubPage()->findChild<QTreeWidget*>(QStringLiteral("lvSourseIncomeInfo"));
    if (!list || list->topLevelItemCount() == 0) return;
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(0));
    list->topLevelItem(0)->setSelected(true);
}

}  // namespace zorv
