#include "calc/explain.h"

namespace zorv {

Money TExplainNode::ChildrenTotal() const {
    Money total;
    for (const TExplainNode& child : children) {
        if (child.sign > 0) total += child.amount;
        if (child.sign < 0) total -= child.amount;
    }
    return total;
}

std::vector<std::string> ExplainableLines(const kTSvodSum&) {
    return {};
}

std::optional<TExplainNode> Explain(const mTDeclaration&, const kTSvodSum&, std::string_view) {
    return std::nullopt;
}

TExplainNode ExplainAll(const mTDeclaration&, const kTSvodSum&) {
    return {};
}

}  // namespace zorv
