#include "calc/totalsrange.h"

#include <utility>

#include "calc/explain.h"
#include "check/pagecodes.h"
#include "model/numtext.h"
#include "storage/valuerange.h"

namespace zorv {
namespace {

constexpr const char* kRuleId = "totals";

Money Magnitude(Money m) {
    return m.IsNegative() ? -m : m;
}

// The page and focus of the record behind the largest part of the node: down
// the tree, always into the child of the largest amount, to the first record.
std::pair<int, int> PlaceOf(const TExplainNode& node) {
    const TExplainNode* at = &node;
    while (!at->target && !at->children.empty()) {
        const TExplainNode* largest = &at->children.front();
        for (const TExplainNode& child : at->children) {
            if (Magnitude(child.amount) > Magnitude(largest->amount)) largest = &child;
        }
        at = largest;
    }
    if (!at->target) return {kPageConditions, 1};
    const int record = static_cast<int>(at->target->index) + 1;
    using Kind = TExplainTarget::Kind;
    switch (at->target->kind) {
        case Kind::ThirteenSource:
        case Kind::ThirteenLine:
            return {kPageIncome13, record};
        case Kind::Dividend:
            return {kPageDividends, 1};
        case Kind::ThirtyFive:
            return {kPageIncome35, 1};
        case Kind::Foreign:
            return {kPageForeignIncome, record};
        case Kind::Business:
            return {kPageBusiness, record};
        case Kind::PrivatePractice:
            return {kPagePrivatePractice, record};
        case Kind::PropertyDeduction:
            return {kPageHousing, 1};
        case Kind::AdvancePayment:
        case Kind::StandardDeduction:
        case Kind::SocialDeduction:
        case Kind::ChildEducation:
        case Kind::PensionContract:
            return {kPageDeductions, 1};
    }
    return {kPageConditions, 1};
}

}  // namespace

std::string TotalTooLargeMessage(const std::string& line, Money amount) {
    const std::string text = IsMoneyInRange(amount) ? MoneyToUserText(amount) + " руб."
                                                    : "больше 922 337 203 685 477 руб.";
    return line + ": сумма " + text +
           " не помещается в декларацию (в строке не больше 999 999 999 999,99 руб.). Проверьте "
           "суммы записей, из которых она складывается: вероятно, в одной из них лишние цифры.";
}

std::optional<DeclarationProblem> TotalsOutOfRange(const mTDeclaration& d,
                                                   const kTSvodSum& totals) {
    for (const std::string& id : ExplainableLines(totals)) {
        std::optional<TExplainNode> node = Explain(d, totals, id);
        if (!node || FitsTheForm(node->amount)) continue;
        const auto [page, focus] = PlaceOf(*node);
        return DeclarationProblem{kRuleId, page, focus, node->line,
                                  TotalTooLargeMessage(node->line, node->amount)};
    }
    return std::nullopt;
}

std::optional<DeclarationProblem> TotalsOutOfRange(const mTDeclaration& d) {
    mTDeclaration copy = d;
    kTSvodSum totals;
    totals.Compute(copy);
    return TotalsOutOfRange(copy, totals);
}

DeclarationCheckResult CheckDeclarationAndTotals(const mTDeclaration& d, const CheckPrompter& ask) {
    DeclarationCheckResult result = CheckDeclaration(d, ask);
    if (!result.Passed()) return result;
    std::optional<DeclarationProblem> problem = TotalsOutOfRange(d);
    if (!problem) return result;
    const CheckQuestion question{problem->section, problem->message, false, false, true};
    const bool correct = AskCheck(ask, question) == CheckAnswer::Correct;
    result.page = problem->page;
    result.focus = correct ? problem->focus : kFocusCancelled;
    result.shown.push_back(std::move(*problem));
    return result;
}

std::vector<DeclarationProblem> ListDeclarationAndTotalsProblems(const mTDeclaration& d) {
    std::vector<DeclarationProblem> problems = ListDeclarationProblems(d);
    if (std::optional<DeclarationProblem> problem = TotalsOutOfRange(d)) {
        problems.push_back(std::move(*problem));
    }
    return problems;
}

}  // namespace zorv
