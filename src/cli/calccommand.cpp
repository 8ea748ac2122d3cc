// zorv calc FILE: computes every sheet and section of the declaration and prints
// the totals as JSON.

#include <filesystem>
#include <ostream>

#include "calc/svodsum.h"
#include "cli/batch.h"
#include "cli/commands.h"
#include "model/declaration.h"
#include "model/jsonform.h"

namespace zorv::cli {
namespace {

const char kUsage[] =
    "zorv calc ФАЙЛ... [-o ПАПКА] [-j N] [--json]   итоги всех листов и разделов декларации "
    "(.zv8 или .json) в JSON; нескольких файлов - в ПАПКА/ИМЯ.calc.json";

std::string TotalsText(const std::string& path) {
    mTDeclaration declaration;
    LoadDeclaration(path, declaration);
    kTSvodSum totals;
    totals.Compute(declaration);
    return SvodSumToJson(totals).dump(2) + "\n";
}

int Calc(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    BatchArguments batch = TakeBatchOptions(args);
    std::string folder;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && folder.empty() && i + 1 < args.size() && !args[i + 1].empty()) {
            folder = args[++i];
        } else if (!args[i].empty() && args[i].front() != '-') {
            batch.inputs.push_back(args[i]);
        } else {
            throw CommandError("Использование: " + std::string(kUsage));
        }
    }
    if (batch.inputs.empty()) throw CommandError("Использование: " + std::string(kUsage));
    if (!batch.IsBatch() && folder.empty()) {
        out << TotalsText(batch.inputs.front());
        return kDone;
    }
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec))
        throw CommandError("Для нескольких файлов укажите существующую папку итогов: -o ПАПКА.");
    // Each file's totals go to FOLDER/NAME.calc.json.
    return RunBatch(
        batch,
        [&folder](const std::string& path) {
            const std::string name = std::filesystem::path(path).stem().string() + ".calc.json";
            return FileOutcome{
                kDone, "", {{(std::filesystem::path(folder) / name).string(), TotalsText(path)}}};
        },
        out, err);
}

Registrar calc({"calc", kUsage, Calc});

}  // namespace
}  // namespace zorv::cli
