#pragma once

// Putting the composed pages out: the print procedure over a page range, and the
// whole declaration as a PDF file.

#include <optional>
#include <string>
#include <vector>

#include "report/pagelayer.h"
#include "report/sheets.h"

class QWidget;

namespace zorv {

struct kTPageRange {
    int From = 1;
    int To = 1;
};

// Where a print goes: the print dialog and the printer, behind an interface so a
// caller (or a test) can answer them.
class PrintTarget {
  public:
    virtual ~PrintTarget() = default;
    // The pages to print, 1..total offered; nothing when the user cancels.
    virtual std::optional<kTPageRange> ChooseRange(QWidget* owner, int total) = 0;
    // One print job: every page of the chosen range, in page order.
    virtual void Print(const std::vector<kTPage>& pages) = 0;
    // After the last print of a run.
    virtual void Finish() {}
};

// The print procedure: asks for the range, then composes each sheet that has
// pages in it, takes those pages and releases the sheet (the title sheet, which
// the preview shows first, is kept), and prints all of them as one job. False
// when the dialog was cancelled.
bool PrintDeclaration(QWidget* owner, kTReportSheets& sheets, PrintTarget& target);

// Every page of the declaration in page order.
std::vector<kTPage> DeclarationPages(kTReportSheets& sheets);

// Writes the pages as an A4 PDF file through the safe save: the old file stays
// as it was until the new one is complete. False when the pages cannot be
// painted; a file error is thrown as mEBadStorage naming the file and the reason.
bool WritePdf(const std::string& path, const std::vector<kTPage>& pages);

}  // namespace zorv
