#include "widgets/navigation.h"

namespace zorv {

namespace {

// Every page the program shows; a hub's sub-pages in the order of its sub-buttons.
constexpr TPagePlace kPlaces[] = {
    {kPageConditions, navInitialData, kNoSubPage},
    {kPageTaxpayer, navPersonInfo, 0},
    {kPageAddress, navPersonInfo, 1},
    {kPageIncome13, navRussianIncome, 0},
    {kPageDividends, navRussianIncome, 1},
    {kPageIncome35, navRussianIncome, 2},
    {kPageForeignIncome, navForeignIncome, kNoSubPage},
    {kPageBusiness, navBusinessIncome, kNoSubPage},
    {kPageDeductions, navDeduction, 0},
    {kPageHousing, navDeduction, 1},
    {kPageDeductions, navDeduction, 2, FocusNumber(DeductionsFocus::SocialSums)},
    {kPageDeductions, navDeduction, 2, FocusNumber(DeductionsFocus::EducationList)},
};

}  // namespace

const TPagePlace* PlaceOf(int page, int focus) {
    const TPagePlace* found = nullptr;
    for (const TPagePlace& place : kPlaces) {
        if (place.page != page) continue;
        if (focus != 0 && place.focus == focus) return &place;
        if (place.focus == 0 && !found) found = &place;
    }
    return found;
}

int SubPageOf(PageCode page) {
    const TPagePlace* place = PlaceOf(page);
    return place ? place->subPage : kNoSubPage;
}

PageCode PageAt(TNavPage nav, int index) {
    for (const TPagePlace& place : kPlaces) {
        if (place.nav == nav && place.subPage == index) return place.page;
    }
    return kPageNone;
}

}  // namespace zorv
