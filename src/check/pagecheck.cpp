#include "check/pagecheck.h"

#include <cassert>
#include <optional>
#include <vector>

#include "check/checkrules.h"

namespace zorv {

int CheckPage(PageCode page, const mTDeclaration& declaration, const CheckPrompter& ask) {
    const PageRules& table = RulesOf(page);
    assert(!table.records);
    std::vector<CheckQuestion> questions;
    std::vector<int> focuses;
    for (const CheckRule& rule : table.rules) {
        if (rule.use == RuleUse::DeclarationOnly) continue;
        Verdict verdict = rule.test(declaration, 0);
        if (!verdict) continue;
        questions.push_back(
            {rule.section, *verdict, rule.buttons.canSkip, rule.buttons.canSkipAll, false});
        focuses.push_back(RuleFocus(rule, 0));
    }
    std::optional<size_t> corrected = AskInTurn(ask, questions);
    return corrected ? focuses[*corrected] : 0;
}

}  // namespace zorv
