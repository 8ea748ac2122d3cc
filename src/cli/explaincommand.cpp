// zorv explain FILE [LINE]: how a total of the declaration is made up, as an
// indented tree down to the payers, income lines and records behind it.

#include <ostream>
#include <set>
#include <string>

#include "calc/explain.h"
#include "calc/svodsum.h"
#include "cli/commands.h"
#include "model/declaration.h"

namespace zorv::cli {
namespace {

const char kUsage[] =
    "zorv explain ФАЙЛ [СТРОКА] [--lines]   как составлен итог строки декларации: дерево до "
    "источников, строк дохода и записей; без СТРОКИ - все строки разделов; --lines - список "
    "строк декларации. СТРОКА - раздел или лист и строка через точку: Section1.L040 (раздел "
    "1, строка 040), Section6.Row1 (строка раздела 6 по порядку), Base15.TaxBase, SheetA13.L080 "
    "(лист А по ставке: SheetA13 SheetA30 SheetA35 SheetA9 SheetA15), SheetB13.L150 (SheetB9 "
    "SheetB35), SheetV1 SheetV2 SheetG SheetGBenefit SheetD SheetDForeign SheetE SheetEForeign "
    "SheetZh1 SheetZh2 SheetZh2Foreign SheetZ SheetI SheetK1 SheetK2 SheetK3 SheetK4 SheetL; "
    "строка без кода на бланке - по имени суммы (TaxBase, OwnTotal)";

constexpr int kIndent = 2;

// Prints node and its children; a line already printed in full is shown again
// without its tree.
void Print(const TExplainNode& node, int depth, std::set<std::string>& shown, std::ostream& out) {
    out << std::string(static_cast<size_t>(depth * kIndent), ' ');
    if (depth > 0) out << (node.sign > 0 ? "+ " : node.sign < 0 ? "- " : "");
    out << node.line;
    if (!node.id.empty()) out << " [" << node.id << "]";
    out << ": " << node.amount.ToString();
    if (!node.id.empty() && !node.children.empty() && !shown.insert(node.id).second) {
        out << " (см. выше)\n";
        return;
    }
    if (node.percent != 0 && node.before) {
        out << " = " << node.before->ToString() << " × " << node.percent << " %";
    } else if (node.before) {
        out << " (" << node.limit << "; сумма слагаемых " << node.before->ToString() << ")";
    }
    // A formula that names its own line goes on a line of its own, from "=".
    const std::string self = node.line + " = ";
    if (node.words.rfind(self, 0) == 0) {
        out << "\n"
            << std::string(static_cast<size_t>(depth * kIndent + 2 * kIndent), ' ')
            << node.words.substr(node.line.size() + 1) << "\n";
    } else {
        if (!node.words.empty()) out << " - " << node.words;
        out << "\n";
    }
    for (const TExplainNode& child : node.children) Print(child, depth + 1, shown, out);
}

int Explain(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    std::string file, line;
    bool listLines = false;
    for (const std::string& arg : args) {
        if (arg == "--lines") {
            listLines = true;
        } else if (!arg.empty() && arg.front() != '-' && file.empty()) {
            file = arg;
        } else if (!arg.empty() && arg.front() != '-' && line.empty()) {
            line = arg;
        } else {
            throw CommandError("Использование: " + std::string(kUsage));
        }
    }
    if (file.empty() || (listLines && !line.empty()))
        throw CommandError("Использование: " + std::string(kUsage));

    mTDeclaration declaration;
    LoadDeclaration(file, declaration);
    kTSvodSum totals;
    totals.Compute(declaration);

    if (listLines) {
        for (const std::string& id : ExplainableLines(totals)) out << id << "\n";
        return kDone;
    }
    if (line.empty()) {
        std::set<std::string> shown;
        for (const TExplainNode& node : ExplainAll(declaration, totals).children) {
            Print(node, 0, shown, out);
        }
        return kDone;
    }
    const std::optional<TExplainNode> node = Explain(declaration, totals, line);
    if (!node)
        throw CommandError("Строки " + line +
                           " в декларации нет. Укажите строку как Section1.L040 или SheetL.L210; "
                           "список строк этой декларации: zorv explain " +
                           file + " --lines");
    std::set<std::string> shown;
    Print(*node, 0, shown, out);
    return kDone;
}

Registrar explain({"explain", kUsage, Explain});

}  // namespace
}  // namespace zorv::cli
