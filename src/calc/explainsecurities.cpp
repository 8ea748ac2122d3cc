// The explanations of the securities sheets З and И: their totals by the tables
// of operations, and the profit and loss of each table by its rows.

#include "calc/explaintree.h"

namespace zorv::explain {
namespace {

// The lines of sheets З and И, filled in alike from the tables of each.
struct SecuritiesExplainer : FamilyExplainer {
    // ---- Sheets З and И ----

    // Sheet З (own operations) or И (a trust manager's): the totals of items
    // 4.1-4.3 and the profit and loss of each table by its rows.
    template <class Sheet>
    void Securities(TExplainNode& n, std::string_view key, const Sheet& sheet,
                    std::string_view id) const {
        const bool own = id == "SheetZ";
        const std::string prefix = std::string(id) + ".";
        const std::string income = own ? "L410" : "L400";
        const std::string taxable = own ? "L420" : "L410";
        const std::string expense = own ? "L430" : "L420";
        const auto rowTitle = [](const CBDoh& row, size_t table) {
            std::string title = row.SourceName.empty() ? "Операции" : row.SourceName;
            if (!row.INN.empty()) title += ", ИНН " + row.INN;
            return title + ", таблица " + std::to_string(table + 1);
        };
        if (key == income) {
            n.words = "доходы по операциям всех таблиц листа";
            for (size_t t = 0; t < sheet.Tables.size(); ++t) {
                for (const CBDoh& row : sheet.Tables[t]) {
                    Add(n, Record(rowTitle(row, t), "доход", row.Income));
                }
            }
        } else if (key == taxable) {
            n.words = "налоговые базы таблиц 1-6 после зачёта убытков";
            for (int t = 1; t <= 6; ++t) Add(n, Ref(prefix + "Taxable" + std::to_string(t)));
        } else if (key == expense) {
            n.words = "расходы, учтённые по листу: доходы (строка " + income.substr(1) +
                      ") - налоговая база (строка " + taxable.substr(1) + ")";
            Add(n, Ref(prefix + income));
            Add(n, Ref(prefix + taxable), -1);
        } else if (key.size() == 7 && (key.rfind("Profit", 0) == 0) && key[6] >= '1' &&
                   key[6] <= '6') {
            const size_t t = static_cast<size_t>(key[6] - '1');
            n.words = "прибыль по строкам таблицы: доход - расходы, где доход больше";
            for (const CBDoh& row : sheet.Tables[t]) {
                Add(n, Record(rowTitle(row, t),
                              "доход " + Grouped(row.Income) + ", расходы " + Grouped(row.Expense),
                              row.Profit));
            }
        } else if (key.size() == 5 && key.rfind("Loss", 0) == 0 && key[4] >= '1' && key[4] <= '6') {
            const size_t t = static_cast<size_t>(key[4] - '1');
            n.words = "убыток по строкам таблицы: расходы - доход, где расходы больше";
            for (const CBDoh& row : sheet.Tables[t]) {
                Add(n, Record(rowTitle(row, t),
                              "доход " + Grouped(row.Income) + ", расходы " + Grouped(row.Expense),
                              row.Loss));
            }
        }
    }
};

}  // namespace

void ExplainSecuritiesLine(const Explainer& lines, TExplainNode& n, std::string_view sheet,
                           std::string_view key) {
    const SecuritiesExplainer securities{FamilyExplainer(lines)};
    if (sheet == "SheetZ") return securities.Securities(n, key, lines.Totals().Securities, sheet);
    if (sheet == "SheetI")
        return securities.Securities(n, key, lines.Totals().TrustSecurities, sheet);
}

}  // namespace zorv::explain
