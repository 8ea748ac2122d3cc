#pragma once

// The paper form of the 3-NDFL declaration for 2008 (form of the order of the
// Ministry of Finance of Russia of 31.12.2008 No. 153н), drawn from the values
// of the declaration file of format 5.04: what the desktop program previews and
// prints and `zorv print` writes. The sources of its wording are listed in
// form2008-sources.md beside this file.
//
// Every value of the file is drawn at its sheet and line and tagged with its
// place in the file (see PageItem::tag); texts that the file does not carry
// (the inspection's name, the names of the region, the citizenship and the
// identity document, the number of pages and supporting sheets) come from the
// declaration's data and are not tagged.

#include "report/pagelayer.h"
#include "report/sheetvalues.h"

namespace zorv {

class kTDanLog;

// Composes every page of one sheet kind of the form of 2008.
void ComposeForm2008Sheet(TQz2004Report& report, const kTDanLog& data, const kTSheetValues& values,
                          int kind);

// The parts, by group of sheets.
void ComposeForm2008Title(TQz2004Report& report, const kTDanLog& data, const kTSheetValues& values);
void ComposeForm2008Second(TQz2004Report& report, const kTDanLog& data,
                           const kTSheetValues& values);
// Разделы 1-6; false for a kind that is no section of the form.
bool ComposeForm2008Section(TQz2004Report& report, const kTDanLog& data,
                            const kTSheetValues& values, int kind);
// Листы В, Г1 and Г2; false for a kind drawn as the library draws it.
bool ComposeForm2008Income(TQz2004Report& report, const kTDanLog& data, const kTSheetValues& values,
                           int kind);

}  // namespace zorv
