#include "check/declarationcheck.h"

#include <cstddef>
#include <utility>

#include "check/checkrules.h"
#include "model/declaration.h"

namespace zorv {
namespace {

bool Always(const mTDeclaration&) {
    return true;
}

bool HasAnyIncome(const mTDeclaration& d) {
    return d.IncomeFlags() != 0;
}

// One step of the whole check: the rules of a page that run at this stage,
// when the declaration has that part at all.
struct Step {
    PageCode page;
    Stage stage;
    bool (*applies)(const mTDeclaration& d);
};

// The pages in the order the whole check visits them.
constexpr Step kSteps[] = {
    {kPageConditions, Stage::WithPage, Always},
    {kPageTaxpayer, Stage::WithPage, Always},
    {kPageAddress, Stage::WithPage, Always},
    {kPageIncome13, Stage::WithPage,
     [](const mTDeclaration& d) { return d.HasIncome(kIncomeFromAgents); }},
    {kPageForeignIncome, Stage::WithPage,
     [](const mTDeclaration& d) { return d.HasIncome(kIncomeForeign); }},
    {kPageBusiness, Stage::WithPage,
     [](const mTDeclaration& d) { return d.HasIncome(kIncomeBusiness); }},
    {kPagePrivatePractice, Stage::WithPage,
     [](const mTDeclaration& d) { return d.HasIncome(kIncomeRepetit); }},
    {kPageDeductions, Stage::WithPage, HasAnyIncome},
    {kPageHousing, Stage::WithPage,
     [](const mTDeclaration& d) { return HasAnyIncome(d) && d.ConstructionDeduct.Granted != 0; }},
    {kPageAddress, Stage::AfterAllPages,
     [](const mTDeclaration& d) { return d.DeclarationKind != kEstimated4NDFL; }},
};

// Whether the whole check runs the rule in this step.
bool InStep(const CheckRule& rule, const Step& step) {
    return rule.use != RuleUse::PageOnly && rule.stage == step.stage;
}

// One run of the check: the windows shown so far and the focus they decided.
class CheckRun {
  public:
    explicit CheckRun(const CheckPrompter& ask) : ask_(ask) {}

    DeclarationCheckResult Execute(const mTDeclaration& d) {
        for (const Step& step : kSteps) {
            if (result_.focus != 0) break;
            if (!step.applies(d)) continue;
            result_.page = step.page;
            RunStep(step, d);
        }
        return result_;
    }

  private:
    enum class Reply { None, Correct, Cancel };

    bool Open(Gate gate) const {
        switch (gate) {
            case Gate::Always:
                return true;
            case Gate::UntilCorrected:
                return reply_ != Reply::Correct;
            case Gate::BeforeAnyWindow:
                return reply_ == Reply::None;
        }
        return false;
    }

    // Tests the rule on the record; shows its window when it is broken.
    bool Try(PageCode page, const CheckRule& rule, const mTDeclaration& d, size_t record) {
        if (!Open(rule.gate)) return false;
        Verdict verdict = rule.test(d, record);
        if (!verdict) return false;
        Show({rule.id, page, RuleFocus(rule, record), rule.section, *verdict});
        return true;
    }

    void Show(DeclarationProblem problem) {
        CheckQuestion question{problem.section, problem.message, false, false, true};
        bool correct = AskCheck(ask_, question) == CheckAnswer::Correct;
        reply_ = correct ? Reply::Correct : Reply::Cancel;
        result_.focus = correct ? problem.focus : kFocusCancelled;
        result_.shown.push_back(std::move(problem));
    }

    void RunStep(const Step& step, const mTDeclaration& d) {
        const PageRules& page = RulesOf(step.page);
        switch (page.walk) {
            case Walk::Once:
                for (const CheckRule& rule : page.rules) {
                    if (InStep(rule, step)) Try(step.page, rule, d, 0);
                }
                break;
            case Walk::RuleByRule:
                for (const CheckRule& rule : page.rules) {
                    if (!InStep(rule, step)) continue;
                    for (size_t i = 0; i < page.RecordCount(d); ++i) {
                        if (Try(step.page, rule, d, i)) break;
                    }
                }
                break;
            case Walk::RecordByRecord:
                for (size_t i = 0; i < page.RecordCount(d); ++i) {
                    bool shown = false;
                    for (const CheckRule& rule : page.rules) {
                        if (InStep(rule, step)) shown = Try(step.page, rule, d, i) || shown;
                    }
                    if (shown) break;
                }
                break;
        }
    }

    const CheckPrompter& ask_;
    Reply reply_ = Reply::None;
    DeclarationCheckResult result_;
};

}  // namespace

DeclarationCheckResult CheckDeclaration(const mTDeclaration& declaration,
                                        const CheckPrompter& ask) {
    return CheckRun(ask).Execute(declaration);
}

std::vector<DeclarationProblem> ListDeclarationProblems(const mTDeclaration& declaration) {
    std::vector<DeclarationProblem> problems;
    for (const Step& step : kSteps) {
        if (!step.applies(declaration)) continue;
        const PageRules& page = RulesOf(step.page);
        for (const CheckRule& rule : page.rules) {
            if (!InStep(rule, step)) continue;
            for (size_t i = 0; i < page.RecordCount(declaration); ++i) {
                Verdict verdict = rule.test(declaration, i);
                if (!verdict) continue;
                problems.push_back(
                    {rule.id, step.page, RuleFocus(rule, i), rule.section, *verdict});
                break;
            }
        }
    }
    return problems;
}

}  // namespace zorv
