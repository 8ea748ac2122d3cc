#pragma once

// Building the explanation trees of explain.h: the texts and nodes that every
// family of sheets builds its trees from, the base of each family's explainer,
// and the families themselves, each in its own file beside the sheets it
// explains (explainsections, explainincome, explainsale, explainsecurities,
// explainsocial, explainhousing). explain.cpp finds a line among the sections
// and sheets and hands it to its family. Only the explain files of this folder
// include this header.

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "calc/explain.h"
#include "calc/incomesheets.h"
#include "calc/svodsum.h"
#include "model/declaration.h"
#include "model/taxlimits2008.h"
#include "storage/money.h"

namespace zorv::explain {

// The limits, rates and budget codes of 2008 that the explanations quote.
namespace L = limits2008;
using Kind = TExplainTarget::Kind;

// ---- Texts ----------------------------------------------------------------------

// Whole rubles grouped by thousands, kopecks after a comma when there are any:
// "2 000 000", "1 250,50".
std::string Grouped(Money amount);

// "ограничено 2 000 000 (ст. 220 НК)".
std::string Limited(Money limit, const char* article);

inline constexpr const char* kNotBelowZero = "разность меньше 0, в строку идёт 0";

// The name of a source of payment and its INN.
std::string SourceTitle(const mTSourseIncomeInfo& source);

// ---- Nodes ----------------------------------------------------------------------

TExplainNode Record(std::string line, std::string words, Money amount,
                    std::optional<TExplainTarget> target = std::nullopt);

TExplainTarget Target(Kind kind, size_t index = 0, size_t subIndex = 0);

// Adds child with its sign; an amount of zero changes nothing and is left out.
void Add(TExplainNode& node, TExplainNode child, int sign = 1);

// Where the children add up to more (or less) than the amount: the total they
// make, and the note of what cut it.
void CutBy(TExplainNode& node, std::string note);

// The amount as tax at percent on the base line.
void TaxOn(TExplainNode& node, TExplainNode base, int percent);

// ---- Lines ----------------------------------------------------------------------

// The tree of any line by its id (explain.cpp): the line found among the
// sections and sheets, then detailed by its family.
class Explainer {
  public:
    Explainer(const mTDeclaration& d, const kTSvodSum& s) : d_(d), s_(s) {}

    // nullopt for an id that names no line.
    std::optional<TExplainNode> Line(std::string_view id) const;

    const mTDeclaration& Declaration() const { return d_; }
    const kTSvodSum& Totals() const { return s_; }

  private:
    void Detail(TExplainNode& n, std::string_view sheet, std::string_view key) const;

    const mTDeclaration& d_;
    const kTSvodSum& s_;
};

// The base of the explainer of one family of sheets: the declaration, its
// totals, and the lines of any family that a total adds up. A family's
// explainer adds only its methods, and is built as Family{FamilyExplainer(lines)}.
class FamilyExplainer {
  public:
    explicit FamilyExplainer(const Explainer& lines)
        : d_(lines.Declaration()), s_(lines.Totals()), lines_(lines) {}

  protected:
    // A line that the explanation of another line adds up; it must exist.
    TExplainNode Ref(const std::string& id) const;

    // n = the listed lines, each added (+) or subtracted (-).
    void SumOfLines(TExplainNode& n,
                    std::initializer_list<std::pair<const char*, int>> lines) const;

    // An income line of a 13 % source or a foreign-currency record, with its
    // income in rubles.
    TExplainNode IncomeLineNode(const kTIncomeLine& line) const;

    const mTDeclaration& d_;
    const kTSvodSum& s_;

  private:
    const Explainer& lines_;
};

// ---- The families ---------------------------------------------------------------

// Each family fills in the node of a line of one of its sheets, whose id, title
// and amount are set: the formula in words and what makes the amount up. It
// leaves the lines of other sheets alone.
using FamilyLine = void(const Explainer& lines, TExplainNode& n, std::string_view sheet,
                        std::string_view key);

FamilyLine ExplainSectionLine;     // sections 1-4 and the 15 % base
FamilyLine ExplainIncomeLine;      // sheets А, Б, В1, В2, Г and the 2620 benefit
FamilyLine ExplainSaleLine;        // sheets Д, Е, Ж1 and Ж2
FamilyLine ExplainSecuritiesLine;  // sheets З and И
FamilyLine ExplainSocialLine;      // sheets К1-К4
FamilyLine ExplainHousingLine;     // sheet Л

// A row of section 6 by its key ("Row1"), whole; nullopt for a row that does
// not exist.
std::optional<TExplainNode> ExplainSection6Row(const Explainer& lines, std::string_view key);

}  // namespace zorv::explain
