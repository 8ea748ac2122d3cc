// The texts and nodes of the explanation trees, and what every family's
// explainer reaches through its base.

#include "calc/explaintree.h"

#include <stdexcept>
#include <utility>

namespace zorv::explain {

// ---- Texts ----------------------------------------------------------------------

std::string Grouped(Money amount) {
    const std::string plain = amount.ToString();
    const bool negative = !plain.empty() && plain.front() == '-';
    const size_t dot = plain.find('.');
    const std::string whole = plain.substr(
        negative ? 1 : 0, dot == std::string::npos ? std::string::npos : dot - (negative ? 1 : 0));
    std::string text;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i != 0 && (whole.size() - i) % 3 == 0) text += ' ';
        text += whole[i];
    }
    if (dot != std::string::npos) {
        std::string kopecks = plain.substr(dot + 1, 2);
        if (kopecks.size() < 2) kopecks += '0';
        text += "," + kopecks;
    }
    return negative ? "-" + text : text;
}

std::string Limited(Money limit, const char* article) {
    return "ограничено " + Grouped(limit) + " (" + article + ")";
}

std::string SourceTitle(const mTSourseIncomeInfo& source) {
    std::string title = source.SourceName.empty() ? "Источник без названия" : source.SourceName;
    if (!source.INN.empty()) title += ", ИНН " + source.INN;
    return title;
}

// ---- Nodes ----------------------------------------------------------------------

TExplainNode Record(std::string line, std::string words, Money amount,
                    std::optional<TExplainTarget> target) {
    TExplainNode node;
    node.line = std::move(line);
    node.words = std::move(words);
    node.amount = amount;
    node.target = target;
    return node;
}

TExplainTarget Target(Kind kind, size_t index, size_t subIndex) {
    return TExplainTarget{kind, index, subIndex};
}

void Add(TExplainNode& node, TExplainNode child, int sign) {
    if (child.amount.IsZero()) return;
    child.sign = sign;
    node.children.push_back(std::move(child));
}

void CutBy(TExplainNode& node, std::string note) {
    const Money total = node.ChildrenTotal();
    if (total == node.amount) return;
    node.before = total;
    node.limit = std::move(note);
}

void TaxOn(TExplainNode& node, TExplainNode base, int percent) {
    const Money total = base.amount;
    node.children.clear();
    base.sign = 1;
    node.children.push_back(std::move(base));
    node.before = total;
    node.percent = percent;
}

// ---- Lines ----------------------------------------------------------------------

TExplainNode FamilyExplainer::Ref(const std::string& id) const {
    std::optional<TExplainNode> node = lines_.Line(id);
    if (!node) throw std::logic_error("no line " + id + " to explain a total by");
    return std::move(*node);
}

void FamilyExplainer::SumOfLines(TExplainNode& n,
                                 std::initializer_list<std::pair<const char*, int>> lines) const {
    for (const auto& [id, sign] : lines) Add(n, Ref(id), sign);
}

TExplainNode FamilyExplainer::IncomeLineNode(const kTIncomeLine& line) const {
    if (line.Currency) {
        const mTCurrencyIncome& record = d_.CurrencyIncome(line.Source);
        return Record(
            (record.SourceName.empty() ? std::string("Доход из-за рубежа") : record.SourceName) +
                ", код " + std::to_string(line.IncomeCode),
            "доход в рублях", line.Amount, Target(Kind::Foreign, line.Source));
    }
    const mTThirteenPercent& source = d_.ThirteenPercent(line.Source);
    return Record(SourceTitle(source) + ", код " + std::to_string(line.IncomeCode),
                  source.Income(line.Line).IncomeName, line.Amount,
                  Target(Kind::ThirteenLine, line.Source, line.Line));
}

}  // namespace zorv::explain
