#pragma once

#include "report/sheetvalues.h"

namespace zorv {

class kTDanLog;
class kTRepSvodSum;

// The values of the 3-NDFL sections and sheets from the report library's own
// totals; empty for 4-NDFL.
kTSheetValues SheetValuesFromSums(const kTDanLog& data, const kTRepSvodSum& sums);

// Sheet В2 (private practice), which the declaration file does not carry, from
// the declaration's own data and totals.
void AddPrivatePractice(kTSheetValues& values, const kTDanLog& data, const kTRepSvodSum& sums);

}  // namespace zorv
