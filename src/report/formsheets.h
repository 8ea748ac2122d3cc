#pragma once

// The report library's own sections and sheets of the 3-NDFL paper form drawn
// from their values (sheetvalues.h): Разделы 1-6 and Листы А to Л with their
// captions, line codes and cell groups. The form of 2008 (form2008.h) draws the
// sheets whose 2008 text is not known with them, under its own page header.
// Every character of a value is tagged with its sheet, line and place in the
// declaration file, so a test can read back what was drawn.

#include "report/pagelayer.h"
#include "report/sheetvalues.h"

namespace zorv {

class kTDanLog;

// Composes every page of one sheet kind (3-32, and Лист А at 15 %) into the report: the page
// header, the title band, the blocks of the page, the totals (a list sheet's only on its last page)
// and the footer. The page numbers come from data.Plan.
void ComposeFormSheet(TQz2004Report& report, const kTDanLog& data, const kTSheetValues& values,
                      int kind);

}  // namespace zorv
