#pragma once

#include "widgets/thinkingframe.h"

namespace zorv {

// "Доходы, полученные в РФ": income taxed at 13 % (for a non-resident, all
// income from Russian payers), dividends and income taxed at 35 %, one sub-page
// at a time.
class TfrRussianIncome : public THubFrame {
    Q_OBJECT
  public:
    enum TSubPage { subThirteen = 0, subDividends = 1, subThirtyFive = 2 };

    TfrRussianIncome(TShellContext& ctx, QWidget* parent);

  protected:
    TThinkingFrame* CreateSubPage(int index, QWidget* parent) override;
    void SubPageShown(int index) override;
};

}  // namespace zorv
