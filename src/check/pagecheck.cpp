#include "pagecheck.h"

#include <cassert>

#include "checkrules.h"

namespace zorv {

int CheckPage(PageCode page, const mTDeclaration& declaration, const CheckPrompter& ask) {
    const PageRules& table = RulesOf(page);
    assert(!table.records);
    for (const CheckRule& rule : table.rules) {
        if (rule.use == RuleUse::DeclarationOnly) continue;
        Verdict verdict = rule.test(declaration, 0);
        if (!verdict) continue;
        CheckQuestion question{rule.section, *verdict, rule.buttons.canSkip,
                               rule.buttons.canSkipAll, false};
        switch (AskCheck(ask, question)) {
            case CheckAnswer::Skip:
                continue;
            case CheckAnswer::SkipAll:
                return 0;
            case CheckAnswer::Correct:
            case CheckAnswer::Cancel:
                return RuleFocus(rule, 0);
        }
    }
    return 0;
}

}  // namespace zorv
