#include <ostream>
#include <string>
#include <vector>

#include "calc/totalsrange.h"
#include "check/declarationcheck.h"
#include "check/lawnotes.h"
#include "cli/batch.h"
#include "cli/commands.h"
#include "model/declaration.h"

namespace zorv::cli {
namespace {

const char kUsage[] =
    "zorv check ФАЙЛ... [--all] [-j N] [--json]   проверка декларации: первая ошибка (как "
    "после «Исправить») или, с --all, все нарушенные правила одного файла";

void PrintProblem(std::ostream& out, const DeclarationProblem& p) {
    out << p.page << '\t' << p.focus << '\t' << p.section << '\t' << p.message << '\n';
}

// One file of a batch: its first problem, or that it passed.
FileOutcome CheckOne(const std::string& path) {
    mTDeclaration declaration;
    LoadDeclaration(path, declaration);
    DeclarationCheckResult result = CheckDeclarationAndTotals(declaration);
    if (result.shown.empty()) return {kDone, "Проверка декларации завершена успешно", {}};
    const DeclarationProblem& p = result.shown.front();
    return {kProblem, p.section + ": " + p.message, {}};
}

int Check(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    BatchArguments batch = TakeBatchOptions(args);
    std::string path;
    bool all = false;
    for (const std::string& arg : args) {
        if (arg == "--all" && !all) {
            all = true;
        } else if (!arg.empty() && arg.front() != '-') {
            if (path.empty()) path = arg;
            batch.inputs.push_back(arg);
        } else {
            throw CommandError(std::string("Использование: ") + kUsage);
        }
    }
    if (path.empty()) throw CommandError(std::string("Использование: ") + kUsage);
    if (batch.IsBatch()) {
        if (all) throw CommandError("--all проверяет один файл.");
        return RunBatch(batch, CheckOne, out, err);
    }

    mTDeclaration declaration;
    LoadDeclaration(path, declaration);

    if (all) {
        std::vector<DeclarationProblem> problems = ListDeclarationAndTotalsProblems(declaration);
        for (const DeclarationProblem& p : problems) PrintProblem(out, p);
        // The notes of the law follow; they never make the declaration fail.
        std::string treatyError;
        const TTreatyCountries& treaties = ProgramTreatyCountries(&treatyError);
        if (!treaties.Loaded()) err << treatyError << "\n";
        for (const DeclarationProblem& p : ListLawNotes(declaration, treaties))
            PrintProblem(out, p);
        if (!problems.empty()) return kProblem;
    } else {
        // Every window is answered "Исправить"; the first one tells the problem.
        DeclarationCheckResult result = CheckDeclarationAndTotals(declaration);
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
