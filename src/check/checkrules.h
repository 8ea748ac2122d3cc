#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "check/pagecodes.h"

namespace zorv {

class mTDeclaration;

// A rule's message when the declaration breaks it; nothing when it does not.
using Verdict = std::optional<std::string>;
// A rule's test; record is the index of the record on the pages of lists, 0 elsewhere.
using RuleTest = Verdict (*)(const mTDeclaration& d, size_t record);

// Which checks apply a rule. A page's own check and the whole-declaration
// check share their rules; where the two judge a field differently on
// purpose, the table holds one rule for each.
enum class RuleUse {
    Both,
    PageOnly,
    DeclarationOnly,
};

// When a rule may still show its window during a run of the whole-declaration
// check. (A page's own check ends with the first "Исправить" anyway.)
enum class Gate {
    Always,
    UntilCorrected,  // while no window was answered "Исправить"
    BeforeAnyWindow,
};

// When the whole-declaration check runs a rule: with the other rules of its
// page, or after every page.
enum class Stage {
    WithPage,
    AfterAllPages,
};

// The buttons that the window of a page's own check offers besides "Исправить".
struct PageButtons {
    bool canSkip = true;
    bool canSkipAll = true;
};

// The focus of a rule over a list: the number of the failing record.
inline constexpr int kFocusRecord = 0;

struct CheckRule {
    const char* id;  // "1", "8a", ... "42"
    RuleUse use;
    Gate gate;
    int focus;      // the page's focus code, or kFocusRecord
    RuleTest test;  // gives the message
    Stage stage = Stage::WithPage;
    const char* section = nullptr;  // the caption of its window; nullptr: the page's
    PageButtons buttons = {};
};

// How the whole-declaration check goes over the records of a page of lists.
enum class Walk {
    Once,            // a page without records: every rule once
    RuleByRule,      // every rule over the records, stopping at its first failing record
    RecordByRecord,  // every record through the rules, stopping at the first record with a window
};

// The rules of one page in the order both checks run them; every rule carries
// its section.
struct PageRules {
    PageCode page = kPageNone;
    Walk walk = Walk::Once;
    size_t (*records)(const mTDeclaration& d) = nullptr;  // for a page of lists
    std::vector<CheckRule> rules;

    size_t RecordCount(const mTDeclaration& d) const { return records ? records(d) : 1; }
};

// The rules of a page; a page without rules has an empty table.
const PageRules& RulesOf(PageCode page);

// The focus a rule's window leads to for the record.
int RuleFocus(const CheckRule& rule, size_t record);

}  // namespace zorv
