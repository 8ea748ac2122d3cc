#pragma once

// What the results page shows, worked out from one declaration: the amounts to
// pay or refund by budget code and territory code, each tax base's totals and
// every problem of the whole-declaration check.

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "calc/svodsum.h"
#include "check/declarationcheck.h"
#include "model/declaration.h"
#include "storage/money.h"

namespace zorv {

// One amount of the results and the lines of the form it is the sum of (ids
// of the explanation tree, "Section1.L070").
struct TResultAmount {
    Money amount;
    std::vector<std::string> lines;
};

// One tax base: its caption ("Раздел 1 (13 %)") and totals.
struct TSectionResult {
    QString caption;
    TResultAmount base;
    TResultAmount computed;
    TResultAmount paid;  // withheld, paid in advance and on notices, credited abroad
    TResultAmount refund;
    TResultAmount payment;
};

// One row of the amounts to pay or refund.
struct TPaymentRow {
    QString what;  // "К возврату из бюджета", ...
    Money amount;
    QString budgetCode;
    QString okato;
    std::string line;  // the tree of the row
};

struct TResults {
    // Set when the totals could not be worked out: the engine's message. The
    // problems are listed all the same.
    QString failure;
    // An estimated-income declaration has no totals; the note says so.
    QString note;
    std::vector<TPaymentRow> payments;
    std::vector<TSectionResult> sections;
    std::vector<DeclarationProblem> problems;
    // The declaration the totals were worked out from and the totals, for the
    // trees of the lines; null when there are none.
    std::shared_ptr<const mTDeclaration> declaration;
    std::shared_ptr<const kTSvodSum> totals;
};

// Works the results out from a copy of the declaration: the engine may adjust
// what it computes from (the cap of children's education), which must not
// change the document being edited.
TResults ComputeResults(const mTDeclaration& declaration);

// The result in two short lines for the navigation column ("к возврату\n78 000"),
// empty when there is nothing to say: no totals, or neither a refund nor a
// payment.
QString ResultSummary(const TResults& results);

// The caption of a row of section 6 by its sign.
QString PaymentCaption(const std::string& sign);

}  // namespace zorv
