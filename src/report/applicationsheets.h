#pragma once

// The application for a refund of overpaid tax, one page for each refund row of
// section 6, followed by the list ("Опись") of the documents ticked for
// handing in; drawn with the page layer of the paper form.

#include <string>
#include <vector>

#include "report/pagelayer.h"

namespace zorv {

class mTDeclaration;
struct kTRefundApplication;

// The application's page.
void ComposeApplication(TQz2004Report& report, const kTRefundApplication& application,
                        bool printDate);
// The list of ticked documents, signed by signer; no pages when nothing is ticked.
void ComposeDocumentList(TQz2004Report& report, const mTDeclaration& declaration, bool printDate,
                         const std::string& signer);

// The applications, then the list; no pages when nothing is refunded.
std::vector<kTPage> RefundApplicationPages(const mTDeclaration& declaration, bool printDate);

}  // namespace zorv
