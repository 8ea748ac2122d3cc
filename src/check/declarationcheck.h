#pragma once

#include <string>
#include <vector>

#include "check/checkdialog.h"
#include "check/pagecodes.h"

namespace zorv {

class mTDeclaration;

// The focus of a check the user cancelled.
inline constexpr int kFocusCancelled = -1;

// One failing rule.
struct DeclarationProblem {
    std::string rule;  // "1", "8a", "13a", ... "42"
    int page = 0;      // PageCode
    int focus = 0;     // the page's focus code, or the record counted from 1
    std::string section;
    std::string message;
    bool note = false;  // a note to look at again, never a refusal
};

// The outcome of a whole-declaration check: the page and, when focus is not 0,
// the field (or, on list pages, the record counted from 1) to show there; focus
// kFocusCancelled when the user cancelled. Shown lists the problems whose windows
// appeared, in order; the answer to the last of them decided the focus.
struct DeclarationCheckResult {
    int page = 0;  // PageCode
    int focus = 0;
    std::vector<DeclarationProblem> shown;

    bool Passed() const { return focus == 0; }
};

// Runs the rules over the whole declaration page by page, showing each problem
// through the prompter ("Исправить" or "Отмена"; an empty prompter corrects
// every problem). The run ends with the first page that shows a problem; when
// nothing is found the result has focus 0 and the page of the last rule group
// entered.
DeclarationCheckResult CheckDeclaration(const mTDeclaration& declaration,
                                        const CheckPrompter& ask = {});

// Every failing rule in rule order, each judged on its own: the order of the
// windows and their answers play no part, but a rule still applies only where
// its group does (income groups, claimed deductions, declaration kind). A rule
// over records gives its first failing record.
std::vector<DeclarationProblem> ListDeclarationProblems(const mTDeclaration& declaration);

}  // namespace zorv
