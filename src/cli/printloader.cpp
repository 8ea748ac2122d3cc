// "zorv print" loads the paper form, and Qt with it, only when it runs.

#include <dlfcn.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/printusage.h"

namespace zorv::cli {
namespace {

using PrintEntry = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

}  // namespace
}  // namespace zorv::cli

// Present when the program links the command in (the tests do); the tool loads it.
extern "C" int ZorvPrintCommand(const std::vector<std::string>&, std::ostream&, std::ostream&)
    __attribute__((weak));

namespace zorv::cli {
namespace {

// The module beside the running program, in ../lib of its folder (the build
// folder) or in the installation's private library folder.
std::string ModulePath() {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return kPrintModule;
    const std::filesystem::path folder = program.parent_path();
    for (const std::filesystem::path& candidate :
         {folder / kPrintModule, folder.parent_path() / "lib" / kPrintModule,
          (folder / ZORV_LIBS_FROM_PROGRAM / kPrintModule).lexically_normal()})
        if (std::filesystem::exists(candidate, ec)) return candidate.string();
    return (folder / kPrintModule).string();
}

int Print(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    static PrintEntry entry = ZorvPrintCommand;
    if (!entry) {
        const std::string path = ModulePath();
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (module) entry = reinterpret_cast<PrintEntry>(::dlsym(module, kPrintEntry));
        if (!entry) {
            const char* reason = ::dlerror();
            throw CommandError("Печать недоступна: не загружается модуль " + path + " (" +
                               (reason ? reason : "нет функции печати") +
                               "). Переустановите программу.");
        }
    }
    return entry(args, out, err);
}

Registrar printCommand({"print", kPrintUsage, Print});

}  // namespace
}  // namespace zorv::cli
