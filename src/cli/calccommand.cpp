// zorv calc FILE: computes every sheet and section of the declaration and prints
// the totals as JSON.

#include <ostream>

#include "calc/svodsum.h"
#include "cli/commands.h"
#include "model/declaration.h"
#include "model/jsonform.h"

namespace zorv::cli {
namespace {

int Calc(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    if (args.size() != 1) throw CommandError("calc ожидает один файл: zorv calc ФАЙЛ");
    mTDeclaration declaration;
    LoadDeclaration(args[0], declaration);
    kTSvodSum totals;
    totals.Compute(declaration);
    out << SvodSumToJson(totals).dump(2) << "\n";
    return kDone;
}

Registrar calc({"calc",
                "zorv calc ФАЙЛ            итоги всех листов и разделов декларации (.zv8 или "
                ".json) в JSON",
                Calc});

}  // namespace
}  // namespace zorv::cli
