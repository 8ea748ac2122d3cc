#pragma once

#include "check/pagecodes.h"

namespace zorv {

// The navigation column of the main window, top to bottom.
enum TNavPage : int {
    navInitialData,
    navPersonInfo,
    navRussianIncome,
    navForeignIncome,
    navBusinessIncome,
    navDeduction,
    navNalog,
    navResults,
    navCount
};

// The index of a hub's sub-page; kNoSubPage for a page that is not in a hub.
inline constexpr int kNoSubPage = -1;

// Where a page of the declaration is shown: under its navigation button and,
// when that button holds a hub, as the hub's sub-page.
struct TPagePlace {
    PageCode page;
    TNavPage nav;
    int subPage;
    // A focus code that the page hands to a sub-page of its own; 0 for the
    // place of every other code.
    int focus = 0;
};

// The place of a page; nullptr for a page the program cannot show (private practice).
// With a focus code, the place of the control behind it: the deductions page
// keeps the social deductions on a sub-page of their own.
const TPagePlace* PlaceOf(int page, int focus = 0);

// The sub-page index of a page in its hub.
int SubPageOf(PageCode page);

// The page shown as sub-page `index` of the hub under `nav`; kPageNone when
// there is none.
PageCode PageAt(TNavPage nav, int index);

}  // namespace zorv
