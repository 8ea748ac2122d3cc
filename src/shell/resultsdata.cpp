#include "shell/resultsdata.h"

#include <initializer_list>
#include <utility>

#include "calc/totalsrange.h"
#include "check/lawnotes.h"
#include "export/exportxml.h"
#include "pages/entrykit.h"
#include "storage/errors.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

// An amount of a section and the ids of its lines.
template <class Section>
class TSectionLines {
  public:
    TSectionLines(const Section& section, const char* prefix)
        : section_(section), prefix_(prefix) {}

    TResultAmount Sum(std::initializer_list<std::pair<Money Section::*, const char*>> lines) const {
        TResultAmount result;
        for (const auto& [member, key] : lines) {
            result.amount += section_.*member;
            result.lines.push_back(std::string(prefix_) + "." + key);
        }
        return result;
    }

  private:
    const Section& section_;
    const char* prefix_;
};

bool AnyAmount(const TSectionResult& s) {
    for (const TResultAmount* a : {&s.base, &s.computed, &s.paid, &s.refund, &s.payment})
        if (!a->amount.IsZero()) return true;
    return false;
}

std::vector<TSectionResult> Sections(const kTSvodSum& t, uint8_t kind) {
    using S1 = kTSvodSumList1;
    using S2 = kTSvodSumList2;
    using S3 = kTSvodSumList3;
    using S4 = kTSvodSumList4;
    using S5 = kTSvodSumList5;
    const TSectionLines<S1> s1(t.Section1, "Section1");
    const TSectionLines<S2> s2(t.Section2, "Section2");
    const TSectionLines<S3> s3(t.Section3, "Section3");
    const TSectionLines<S4> s4(t.Section4, "Section4");
    const TSectionLines<S5> s5(t.Base15, "Base15");
    const TSectionResult all[] = {
        {QStringLiteral("Раздел 1 (13 %)"), s1.Sum({{&S1::L050, "L050"}}),
         s1.Sum({{&S1::L060, "L060"}}),
         s1.Sum(
             {{&S1::L070, "L070"}, {&S1::L075, "L075"}, {&S1::L080, "L080"}, {&S1::L090, "L090"}}),
         s1.Sum({{&S1::L100, "L100"}}), s1.Sum({{&S1::L110, "L110"}})},
        {QStringLiteral("Раздел 2 (30 %)"), s2.Sum({{&S2::L050, "L050"}}),
         s2.Sum({{&S2::L060, "L060"}}), s2.Sum({{&S2::L070, "L070"}, {&S2::L080, "L080"}}),
         s2.Sum({{&S2::L090, "L090"}}), s2.Sum({{&S2::L100, "L100"}})},
        {QStringLiteral("Раздел 3 (35 %)"), s3.Sum({{&S3::L030, "L030"}}),
         s3.Sum({{&S3::L040, "L040"}}),
         s3.Sum({{&S3::L050, "L050"}, {&S3::L060, "L060"}, {&S3::L070, "L070"}}),
         s3.Sum({{&S3::L080, "L080"}}), s3.Sum({{&S3::L090, "L090"}})},
        {QStringLiteral("Раздел 4 (9 %)"), s4.Sum({{&S4::L020, "L020"}}),
         s4.Sum({{&S4::L030, "L030"}}),
         s4.Sum({{&S4::L040, "L040"}, {&S4::L050, "L050"}, {&S4::L060, "L060"}}),
         s4.Sum({{&S4::L070, "L070"}}), s4.Sum({{&S4::L080, "L080"}})},
        {QStringLiteral("Дивиденды (15 %)"), s5.Sum({{&S5::TaxBase, "TaxBase"}}),
         s5.Sum({{&S5::TaxComputed, "TaxComputed"}}),
         s5.Sum({{&S5::TaxWithheld, "TaxWithheld"}, {&S5::PaidOnNotice, "PaidOnNotice"}}),
         s5.Sum({{&S5::Refund, "Refund"}}), s5.Sum({{&S5::Payment, "Payment"}})},
    };
    // The bases with an amount; with none, the main base of the declaration's
    // kind with its zeros.
    std::vector<TSectionResult> shown;
    for (const TSectionResult& s : all)
        if (AnyAmount(s)) shown.push_back(s);
    if (shown.empty()) shown.push_back(all[kind == kNonResident3NDFL ? 1 : 0]);
    return shown;
}

}  // namespace

QString ResultSummary(const TResults& results) {
    if (!results.failure.isEmpty() || !results.note.isEmpty()) return {};
    Money refund, payment;
    for (const TSectionResult& s : results.sections) {
        refund += s.refund.amount;
        payment += s.payment.amount;
    }
    const auto amount = [](Money m) { return GroupedAmount(MoneyText(m)); };
    if (!refund.IsZero() && !payment.IsZero())
        return QStringLiteral("к уплате %1\nк возврату %2").arg(amount(payment), amount(refund));
    if (!refund.IsZero()) return QStringLiteral("к возврату\n") + amount(refund);
    if (!payment.IsZero()) return QStringLiteral("к уплате\n") + amount(payment);
    return {};
}

QString PaymentCaption(const std::string& sign) {
    if (sign == "1") return QStringLiteral("К уплате в бюджет");
    if (sign == "2") return QStringLiteral("К возврату из бюджета");
    return QStringLiteral("Нет налога к уплате или возврату");
}

TResults ComputeResults(const mTDeclaration& declaration) {
    TResults results;
    results.problems = ListDeclarationAndTotalsProblems(declaration);
    for (DeclarationProblem& note : ListLawNotes(declaration, ProgramTreatyCountries()))
        results.problems.push_back(std::move(note));
    if (declaration.DeclarationKind == kEstimated4NDFL) {
        results.note =
            QStringLiteral(
                "Суммы к уплате и возврату рассчитываются в декларации 3-НДФЛ. В декларации "
                "4-НДФЛ указываются предполагаемый доход (%1 руб.) и предполагаемые расходы "
                "(%2 руб.); налоговая инспекция сама исчислит по ним авансовые платежи.")
                .arg(MoneyText(declaration.ExpectedIncome), MoneyText(declaration.ExpectedExpense));
        return results;
    }
    auto copy = std::make_shared<mTDeclaration>(declaration);
    auto totals = std::make_shared<kTSvodSum>();
    try {
        if (!totals->Compute(*copy)) results.failure = QString::fromUtf8(exportmsg::kCalcFailed);
    } catch (const mEPrivBase& e) {
        results.failure = UserMessage(e.what());
    } catch (const std::exception& e) {
        results.failure = QString::fromUtf8(e.what());
    }
    if (!results.failure.isEmpty()) return results;

    for (size_t i = 0; i < totals->Section6.Rows.size(); ++i) {
        const bmTList1& row = totals->Section6.Rows[i];
        results.payments.push_back({PaymentCaption(row.Sign), row.Amount, ToQ(row.BudgetCode),
                                    ToQ(row.OKATO), "Section6.Row" + std::to_string(i + 1)});
    }
    results.sections = Sections(*totals, declaration.DeclarationKind);
    results.declaration = std::move(copy);
    results.totals = std::move(totals);
    return results;
}

}  // namespace zorv
