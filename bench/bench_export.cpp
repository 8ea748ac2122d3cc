// Times what the export command does with a typical declaration and a large one:
// the whole-declaration check, the calculation, the XML document built in
// memory and the file written.
//
//   bench_export [runs]

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "benchdeclarations.h"
#include "benchtiming.h"
#include "calc/svodsum.h"
#include "check/declarationcheck.h"
#include "export/exportxml.h"
#include "model/declaration.h"

namespace {

using zorv::mTDeclaration;
using namespace zorv::bench;

void Measure(const char* name, mTDeclaration& d, int runs, const std::string& folder) {
    zorv::ExportOptions options;
    options.today = zorv::DayNumber(2009, 3, 15);
    options.guid = "0F8FAD5B-D9CB-469F-A165-70867728950E";
    std::string failure;
    options.report = [&](const zorv::ExportMessage& m) { failure = m.text; };

    std::vector<zorv::DeclarationProblem> found = zorv::ListDeclarationProblems(d);
    size_t problems = found.size();
    for (const zorv::DeclarationProblem& p : found) {
        std::printf("  rule %s: %s\n", p.rule.c_str(), p.message.c_str());
    }
    const double check = Median(runs, [&] { zorv::CheckDeclaration(d); });
    const double rules = Median(runs, [&] { zorv::ListDeclarationProblems(d); });
    const double calc = Median(runs, [&] {
        zorv::kTSvodSum totals;
        totals.Compute(d);
    });
    std::string text;
    const double build = Median(runs, [&] { text = zorv::ExportXml({}, d, 2, options); });
    std::string file;
    const double write = Median(runs, [&] { file = zorv::ExportXml(folder, d, 1, options); });
    if (!failure.empty()) std::printf("export failed: %s\n", failure.c_str());
    std::printf("%-36s %7zu %8zu %9.2f %9.2f %8.2f %10.2f %10.2f %9zu\n", name, LineCount(d),
                problems, check, rules, calc, build, write, text.size());
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    std::string pattern = (std::filesystem::temp_directory_path() / "zorv-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = pattern;

    std::printf(
        "times in ms (median of %d); check = CheckDeclaration, rules = every rule, "
        "build = calculation + XML in memory, write = the same + file\n",
        runs);
    std::printf("%-36s %7s %8s %9s %9s %8s %10s %10s %9s\n", "declaration", "lines", "problems",
                "check", "rules", "calc", "build", "write", "bytes");
    mTDeclaration typical;
    FillTypical(typical);
    Measure("typical (1 employer, 12 lines)", typical, runs * 10, folder);
    for (size_t sources : {250u, 1000u}) {
        mTDeclaration large;
        size_t currency = sources / 5;
        FillLarge(large, sources, 20, currency);
        std::string name = std::to_string(sources) + " sources x 20 lines, " +
                           std::to_string(currency) + " currency";
        Measure(name.c_str(), large, runs, folder);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
