#pragma once

#include "widgets/thinkingframe.h"

namespace zorv {

// "Вычеты": the standard, property and social deductions, one sub-page at a
// time. It always opens on the standard deductions.
class TfrFrameDeductData : public THubFrame {
    Q_OBJECT
  public:
    // The sub-pages in the order of their sub-buttons.
    enum TSubPage { subStandard = 0, subProperty = 1, subSocial = 2 };

    TfrFrameDeductData(TShellContext& ctx, QWidget* parent);

  protected:
    TThinkingFrame* CreateSubPage(int index, QWidget* parent) override;
};

}  // namespace zorv
