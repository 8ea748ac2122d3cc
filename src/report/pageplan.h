#pragma once

// The sheets of the paper form in page order, which of them a declaration has,
// how many pages each takes and the page numbers they get; and which pages of
// which sheets a print over a page range puts out.

#include <array>
#include <vector>

namespace zorv {

class kTDanLog;
class kTRepSvodSum;

inline constexpr int kSheetKindCount = 35;
inline constexpr int kTitleSheet = 1;
inline constexpr int kSecondSheet = 2;
inline constexpr int kSection1Sheet = 3;

// One kind of sheet: its name in the preview's list and its page header.
struct kTSheetKind {
    const char* Name;
    const char* Name2008;  // its name on the form of 2008; empty: the form has no such sheet
    const char* Barcode;  // empty: the sheet draws a header of its own
    const char* Code;     // empty: the header shows no section code
    double HeaderOffset;
};

// Kinds 1 to 35. Kinds 1-32 are in page order; 33-35 are sheets of the form of
// 2008 only (Раздел 5 at 15 %, Лист А at 15 %, Лист Г2), placed by the plan.
const kTSheetKind& SheetKind(int kind);

struct kTPagePlan {
    // The pages follow the form of 2008 (order No. 153н): the paper drawn from
    // the declaration file. Otherwise the report library's own sheets.
    bool Form2008 = false;
    int TotalPages = 0;
    std::array<int, kSheetKindCount + 1> Pages{};  // by kind; index 0 unused
    std::array<int, kSheetKindCount + 1> Base{};   // pages before the kind

    int FirstPage(int kind) const { return Base[kind] + 1; }
    bool Has(int kind) const { return Pages[kind] > 0; }
    // The kind holding a page of the declaration, 0 for none.
    int KindOfPage(int page) const;
    // The kinds that have pages, in page order.
    std::vector<int> KindsInOrder() const;
};

// The name of a sheet kind in the preview's list, by the plan's form.
const char* SheetName(const kTPagePlan& plan, int kind);

kTPagePlan ComputePagePlan(const kTDanLog& data, const kTRepSvodSum& sums);

// One print of a sheet: its pages first..last (from 1, within the sheet).
struct kTSheetPrint {
    int Kind = 0;
    int First = 0;
    int Last = 0;
    bool operator==(const kTSheetPrint&) const = default;
};

// The prints of pages from..to of the declaration, in page order. Every sheet,
// single or multi-page, prints exactly its pages inside the range.
std::vector<kTSheetPrint> PrintsOfRange(const kTPagePlan& plan, int from, int to);

}  // namespace zorv
