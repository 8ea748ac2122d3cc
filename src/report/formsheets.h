#pragma once

// The sections and sheets of the 3-NDFL paper form drawn from their values
// (sheetvalues.h): Разделы 1-6 and Листы А to Л with the form's captions, line
// codes and cell groups. Every character of a value is tagged with its sheet,
// line and place in the declaration file, so a test can read back what was drawn.

#include "report/pagelayer.h"
#include "report/sheetvalues.h"

namespace zorv {

class kTDanLog;

// Composes every page of one sheet kind (3-32) into the report: the page header,
// the title band, the blocks of the page, the totals (a list sheet's only on its
// last page) and the footer. The page numbers come from data.Plan.
void ComposeFormSheet(TQz2004Report& report, const kTDanLog& data, const kTSheetValues& values,
                      int kind);

}  // namespace zorv
