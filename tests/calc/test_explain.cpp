#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "calc/calcmoney.h"
#include "calc/explain.h"
#include "calc/svodsum.h"
#include "fixtures.h"
#include "model/jsonform.h"

namespace zorv {
namespace {

using Kind = TExplainTarget::Kind;

Money M(std::string_view text) {
    return *Money::Parse(text);
}

struct Computed {
    mTDeclaration d;
    kTSvodSum s;
};

// A fixture declaration with its totals; kind overrides the declaration kind.
std::unique_ptr<Computed> Load(const std::string& fixture, int kind = -1) {
    Json json = testing::ReadFixtureJson(fixture);
    if (kind >= 0) json["DeclarationKind"] = kind;
    auto c = std::make_unique<Computed>();
    DeclarationFromJson(json, c->d);
    EXPECT_TRUE(c->s.Compute(c->d));
    return c;
}

TExplainNode Tree(const Computed& c, std::string_view id) {
    std::optional<TExplainNode> node = Explain(c.d, c.s, id);
    if (!node) throw std::runtime_error("no tree for " + std::string(id));
    return *node;
}

// The first node of the tree (depth first) that satisfies pred; nullptr if none.
const TExplainNode* Find(const TExplainNode& node,
                         const std::function<bool(const TExplainNode&)>& pred) {
    if (pred(node)) return &node;
    for (const TExplainNode& child : node.children) {
        if (const TExplainNode* found = Find(child, pred)) return found;
    }
    return nullptr;
}

// Every node adds up: its children with their signs make Before(); an amount
// other than Before() is explained by a limit or a rate, and a rate gives the
// amount exactly.
void ExpectAddsUp(const TExplainNode& node, const std::string& path) {
    const std::string here = path + " / " + node.line;
    bool counted = false;
    for (const TExplainNode& child : node.children) {
        EXPECT_TRUE(child.sign >= -1 && child.sign <= 1) << here;
        counted = counted || child.sign != 0;
    }
    if (counted) {
        EXPECT_EQ(node.ChildrenTotal().ToString(), node.Before().ToString()) << here;
    }
    if (node.before && *node.before != node.amount) {
        EXPECT_TRUE(!node.limit.empty() || node.percent != 0) << here;
    }
    if (node.percent != 0) {
        ASSERT_TRUE(node.before.has_value()) << here;
        EXPECT_EQ(node.amount.ToString(), TaxAtRate(*node.before, node.percent).ToString()) << here;
    }
    for (const TExplainNode& child : node.children) ExpectAddsUp(child, here);
}

// Every target names a record that the declaration holds.
void ExpectTargetsExist(const TExplainNode& node, const mTDeclaration& d) {
    if (node.target) {
        const TExplainTarget& t = *node.target;
        switch (t.kind) {
            case Kind::ThirteenSource:
                EXPECT_LT(t.index, d.ThirteenPercentCount()) << node.line;
                break;
            case Kind::ThirteenLine:
                ASSERT_LT(t.index, d.ThirteenPercentCount()) << node.line;
                EXPECT_LT(t.subIndex, d.ThirteenPercent(t.index).IncomeCount()) << node.line;
                break;
            case Kind::Dividend:
                EXPECT_LT(t.index, d.ThirtyPercentCount()) << node.line;
                break;
            case Kind::ThirtyFive:
                EXPECT_LT(t.index, d.ThirtyFivePercentCount()) << node.line;
                break;
            case Kind::Foreign:
                EXPECT_LT(t.index, d.CurrencyIncomeCount()) << node.line;
                break;
            case Kind::Business:
                EXPECT_LT(t.index, d.BusinessCount()) << node.line;
                break;
            case Kind::PrivatePractice:
                EXPECT_LT(t.index, d.RepetitCount()) << node.line;
                break;
            case Kind::AdvancePayment:
                EXPECT_LT(t.index, d.NalogCount()) << node.line;
                break;
            case Kind::ChildEducation:
                EXPECT_LT(t.index, d.SocialDeduct.EducationSumCount()) << node.line;
                break;
            case Kind::PensionContract:
                EXPECT_LT(t.index, d.SocialDeduct.PensCount()) << node.line;
                break;
            default:
                break;
        }
    }
    for (const TExplainNode& child : node.children) ExpectTargetsExist(child, d);
}

TEST(Explain, EveryLineOfEveryFixtureAddsUpToItsParent) {
    const struct {
        const char* fixture;
        int kind;
    } cases[] = {
        {"calc/mixed.json", kResident3NDFL},
        {"calc/mixed.json", kNonResident3NDFL},
        {"calc/mixed.json", kEstimated4NDFL},
        {"calc/housing_refund.json", -1},
        {"calc/l_buyer.json", -1},
        {"calc/k_employee.json", -1},
        {"calc/s_nonresident.json", -1},
        {"report/paper/car_sale.json", -1},
        {"report/paper/dividends.json", -1},
        {"report/paper/entrepreneur.json", -1},
        {"report/paper/everything.json", -1},
        {"report/paper/foreign_credit.json", -1},
        {"report/paper/securities_loss.json", -1},
        {"report/paper/social_cap.json", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fixture) + " kind " + std::to_string(c.kind));
        const auto computed = Load(c.fixture, c.kind);
        const std::vector<std::string> ids = ExplainableLines(computed->s);
        EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), ids.size());
        for (const std::string& id : ids) {
            const TExplainNode node = Tree(*computed, id);
            EXPECT_EQ(node.id, id);
            ExpectAddsUp(node, id);
            ExpectTargetsExist(node, computed->d);
            // Every amount of section 6 is broken down as the totals built it.
            if (id.rfind("Section6.", 0) == 0 && !node.amount.IsZero()) {
                EXPECT_FALSE(node.children.empty()) << id;
            }
        }
        const TExplainNode all = ExplainAll(computed->d, computed->s);
        EXPECT_FALSE(all.children.empty());
        ExpectAddsUp(all, "all");
    }
}

// The lines the explanations rest on: a section line, sheet lines built from
// row references, and lines cut by a limit.
TEST(Explain, LinesLeadToTheirSourcesAndLimits) {
    const struct {
        const char* fixture;
        const char* id;
        const char* amount;
        const char* limit;   // a note somewhere in the tree; "" for none
        const char* before;  // the uncut total of the node with that note
        Kind target;         // a record the tree reaches
        size_t index;
    } cases[] = {
        // A housing refund: the 3 000 000 flat is cut to 2 000 000, and that to
        // the 600 000 base.
        {"calc/housing_refund.json", "Section1.L040", "600000", "ограничено 2 000 000 (ст. 220 НК)",
         "3000000", Kind::PropertyDeduction, 0},
        {"calc/housing_refund.json", "SheetL.L210", "600000",
         "ограничено налоговой базой (строка 200)", "2000000", Kind::PropertyDeduction, 0},
        {"calc/housing_refund.json", "Section1.L100", "78000", "", "", Kind::ThirteenSource, 0},
        {"calc/housing_refund.json", "Section6.Row1", "78000", "", "", Kind::ThirteenSource, 0},
        // Social deductions over the 100 000 limit.
        {"report/paper/social_cap.json", "SheetK2.L120", "100000",
         "ограничено 100 000 (ст. 219 НК)", "", Kind::SocialDeduction, 0},
        // A civil contract and author's fees: rows of sheets Е and Д.
        {"calc/mixed.json", "SheetE.L070", "", "", "", Kind::ThirteenLine, 0},
        {"calc/mixed.json", "SheetD.L110", "", "", "", Kind::ThirteenLine, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fixture) + " " + c.id);
        const auto computed = Load(c.fixture);
        const TExplainNode node = Tree(*computed, c.id);
        if (*c.amount != '\0') {
            EXPECT_EQ(node.amount.ToString(), c.amount);
        }
        if (*c.limit != '\0') {
            const TExplainNode* cut =
                Find(node, [&](const TExplainNode& n) { return n.limit == c.limit; });
            ASSERT_NE(cut, nullptr);
            ASSERT_TRUE(cut->before.has_value());
            if (*c.before != '\0') {
                EXPECT_EQ(cut->before->ToString(), c.before);
            }
            EXPECT_GT(*cut->before, cut->amount);
        }
        EXPECT_NE(Find(node,
                       [&](const TExplainNode& n) {
                           return n.target && n.target->kind == c.target &&
                                  n.target->index >= c.index;
                       }),
                  nullptr);
    }
}

TEST(Explain, TheHousingTreeReachesTheFlatAndTheEmployer) {
    const auto c = Load("calc/housing_refund.json");
    const TExplainNode l040 = Tree(*c, "Section1.L040");
    EXPECT_EQ(l040.line, "Раздел 1, строка 040");
    EXPECT_EQ(l040.words.rfind("Раздел 1, строка 040 = вычеты стандартные + социальные", 0), 0u);
    const TExplainNode* flat = Find(l040, [](const TExplainNode& n) {
        return n.target && n.target->kind == Kind::PropertyDeduction && n.amount == M("3000000");
    });
    ASSERT_NE(flat, nullptr);

    // The refund row of section 6 goes to the employer's territory, and its tree
    // names the employer as a 13 % source.
    const TExplainNode row = Tree(*c, "Section6.Row1");
    EXPECT_NE(row.line.find("18210102021011000110"), std::string::npos);
    EXPECT_NE(row.line.find("45286560000"), std::string::npos);
    ASSERT_EQ(row.children.size(), 1u);
    EXPECT_EQ(row.children[0].target, (TExplainTarget{Kind::ThirteenSource, 0, 0}));

    // The sheet А income goes down to every income line of the employer.
    const TExplainNode income = Tree(*c, "SheetA13.L080");
    ASSERT_EQ(income.children.size(), 1u);
    EXPECT_EQ(income.children[0].children.size(), 12u);
    EXPECT_EQ(income.children[0].children[11].target, (TExplainTarget{Kind::ThirteenLine, 0, 11}));
}

TEST(Explain, SheetRowsFollowTheEngineRowReferences) {
    const auto c = Load("calc/mixed.json");
    const struct {
        const char* id;
        const std::vector<kTRowRef>& refs;
    } sheets[] = {{"SheetD.L100", c->s.AuthorFees.RowRefs},
                  {"SheetDForeign.L100", c->s.AuthorFeesForeign.RowRefs},
                  {"SheetE.L060", c->s.CivilContracts.RowRefs},
                  {"SheetEForeign.L060", c->s.CivilContractsForeign.RowRefs}};
    size_t seen = 0;
    for (const auto& sheet : sheets) {
        SCOPED_TRACE(sheet.id);
        const TExplainNode node = Tree(*c, sheet.id);
        ASSERT_EQ(node.children.size(), sheet.refs.size());
        for (size_t k = 0; k < sheet.refs.size(); ++k) {
            const kTRowRef& ref = sheet.refs[k];
            const TExplainTarget want =
                ref.Line == kTRowRef::kCurrencyLine
                    ? TExplainTarget{Kind::Foreign, ref.Source, 0}
                    : TExplainTarget{Kind::ThirteenLine, ref.Source, ref.Line};
            EXPECT_EQ(node.children[k].target, want);
        }
        seen += sheet.refs.size();
    }
    EXPECT_GT(seen, 0u);
}

TEST(Explain, UnknownLinesHaveNoTree) {
    const auto c = Load("calc/housing_refund.json");
    for (const char* id : {"", "Section1", "Section1.", "Section1.L999", "Nope.L010",
                           "section1.L040", "Section6.Row0", "Section6.Row2", "Section6.Row01",
                           "Section6.Rowx", "Section6.Row99999999999999999999"}) {
        EXPECT_FALSE(Explain(c->d, c->s, id).has_value()) << id;
    }
    // A line of a sheet the declaration leaves empty is still a line.
    EXPECT_TRUE(Explain(c->d, c->s, "SheetZ.L430").has_value());
}

}  // namespace
}  // namespace zorv
