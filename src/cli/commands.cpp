#include "cli/commands.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>

#include "cli/batch.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/errors.h"
#include "storage/fileloader.h"

namespace zorv::cli {
namespace {

std::map<std::string, Command>& Commands() {
    static std::map<std::string, Command> commands;
    return commands;
}

std::string Usage() {
    std::string text = "Использование:\n";
    for (const auto& [name, command] : Commands()) text += "  " + std::string(command.usage) + "\n";
    return text;
}

// One file of a batch conversion into `ext` ("zv8" or "json") in folder.
FileOutcome ConvertOne(const std::string& input, const std::string& folder,
                       const std::string& ext) {
    const std::string inExt = Extension(input);
    if (ext == "zv8" ? inExt != "json" : !IsDocumentExtension(inExt))
        throw CommandError(ext == "zv8" ? "в .zv8 переводится только .json"
                                        : "в .json переводится только документ (.zv8 .zv7 .zv6 "
                                          ".zv5 .zvl)");
    mTDeclaration declaration;
    LoadDeclaration(input, declaration);
    std::string bytes;
    if (ext == "zv8") {
        const std::vector<uint8_t> image = declaration.BuildImage();
        bytes.assign(image.begin(), image.end());
    } else {
        bytes = DeclarationToJson(declaration).dump(2) + "\n";
    }
    const std::string name = std::filesystem::path(input).stem().string() + "." + ext;
    return {kDone, "", {{(std::filesystem::path(folder) / name).string(), std::move(bytes)}}};
}

int Convert(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    BatchArguments batch = TakeBatchOptions(args);
    std::string folder, ext;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "-o" || args[i] == "--to") && i + 1 < args.size()) {
            (args[i] == "-o" ? folder : ext) = args[i + 1];
            ++i;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (!folder.empty() || !ext.empty()) {
        RequireOutputFolder(folder);
        if (ext != "zv8" && ext != "json")
            throw CommandError("Укажите, во что переводить: --to zv8 или --to json.");
        batch.inputs = positional;
        if (batch.inputs.empty()) throw CommandError(Usage());
        return RunBatch(
            batch, [&](const std::string& input) { return ConvertOne(input, folder, ext); }, out,
            err);
    }
    if (positional.size() != 2 || batch.given) throw CommandError(Usage());
    const std::string& input = positional[0];
    const std::string& output = positional[1];
    std::string inExt = Extension(input);
    std::string outExt = Extension(output);
    mTDeclaration declaration;
    if (inExt == "json" && outExt == "zv8") {
        LoadDeclaration(input, declaration);
        declaration.SaveToFile(output);
        out << "Документ " << output << " записан из " << input << " (" << declaration.ComputeSize()
            << " байт).\n";
        return kDone;
    }
    if (IsDocumentExtension(inExt) && outExt == "json") {
        LoadDeclaration(input, declaration);
        WriteTextFile(output, DeclarationToJson(declaration).dump(2) + "\n");
        out << "Декларация из " << input << " записана в " << output << ".\n";
        return kDone;
    }
    throw CommandError(
        "convert переводит .json в .zv8 или документ (.zv8 .zv7 .zv6 .zv5 .zvl) в .json.");
}

Registrar convert({"convert",
                   "zorv convert ВХОД ВЫХОД   из JSON в документ .zv8 или из документа любого "
                   "года (.zv8 .zv7 .zv6 .zv5 .zvl) в JSON; zorv convert ФАЙЛ... -o ПАПКА --to "
                   "zv8|json [-j N] [--json] - нескольких файлов в ПАПКА/ИМЯ.РАСШ",
                   Convert});

}  // namespace

std::string OutputLostMessage(int error) {
    std::string text = "Результат не записан в стандартный вывод";
    text += error != 0 ? ": " + FileErrorReason(error, true) : ".";
    return text +
           " Проверьте, есть ли место на диске, куда направлен вывод, или направьте его "
           "в другой файл.";
}

Registrar::Registrar(Command command) {
    std::string name = command.name;
    Commands().emplace(name, std::move(command));
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << Usage();
        return kFailed;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << Usage() << "\n" << kBatchHelp << "\n";
        return kDone;
    }
    auto found = Commands().find(args[0]);
    if (found == Commands().end()) {
        err << "Неизвестная команда: " << args[0] << "\n" << Usage();
        return kFailed;
    }
    int status = kFailed;
    try {
        status =
            found->second.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    } catch (const std::exception& e) {
        std::string message = e.what();
        std::replace(message.begin(), message.end(), '\r', '\n');
        err << message << "\n";
        return kFailed;
    }
    // What the command printed is its result: a listing or totals lost on a full
    // disk must not pass for done.
    if (!out.flush()) {
        err << OutputLostMessage(0) << "\n";
        return kFailed;
    }
    return status;
}

}  // namespace zorv::cli
