#include <ostream>
#include <string>
#include <vector>

#include "check/declarationcheck.h"
#include "cli/commands.h"
#include "model/declaration.h"

namespace zorv::cli {
namespace {

const char kUsage[] =
    "zorv check ФАЙЛ [--all]   проверка декларации: первая ошибка (как после «Исправить») "
    "или, с --all, все нарушенные правила";

void PrintProblem(std::ostream& out, const DeclarationProblem& p) {
    out << p.page << '\t' << p.focus << '\t' << p.section << '\t' << p.message << '\n';
}

int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    std::string path;
    bool all = false;
    for (const std::string& arg : args) {
        if (arg == "--all" && !all) {
            all = true;
        } else if (path.empty() && !arg.empty() && arg.front() != '-') {
            path = arg;
        } else {
            throw CommandError(std::string("Использование: ") + kUsage);
        }
    }
    if (path.empty()) throw CommandError(std::string("Использование: ") + kUsage);

    mTDeclaration declaration;
    LoadDeclaration(path, declaration);

    if (all) {
        std::vector<DeclarationProblem> problems = ListDeclarationProblems(declaration);
        for (const DeclarationProblem& p : problems) PrintProblem(out, p);
        if (!problems.empty()) return kProblem;
    } else {
        // Every window is answered "Исправить"; the first one tells the problem.
        DeclarationCheckResult result = CheckDeclaration(declaration);
        if (!result.shown.empty()) {
            PrintProblem(out, result.shown.front());
            return kProblem;
        }
    }
    out << "Проверка декларации завершена успешно\n";
    return kDone;
}

Registrar check({"check", kUsage, Check});

}  // namespace
}  // namespace zorv::cli
