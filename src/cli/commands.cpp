#include "commands.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

#include "declaration.h"
#include "errors.h"
#include "fileloader.h"
#include "jsonform.h"

namespace zorv::cli {
namespace {

const char* kUsage =
    "Использование:\n"
    "  zorv convert ВХОД ВЫХОД   перевести декларацию из JSON в документ .zv8 или обратно\n"
    "                            (читает также документы прошлых лет .zv7 .zv6 .zv5 .zvl)\n";

std::string Extension(const std::string& path) {
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

bool IsDocumentExtension(const std::string& ext) {
    return ext == "zv8" || ext == "zv7" || ext == "zv6" || ext == "zv5" || ext == "zvl";
}

class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace

// Reads a declaration from a document of any year or from its JSON form.
void LoadDeclaration(const std::string& path, mTDeclaration& declaration) {
    std::string ext = Extension(path);
    if (ext == "json") {
        std::ifstream in(path, std::ios::binary);
        if (!in) throw CommandError(std::string(msg::kReadError) + path);
        Json json;
        try {
            json = Json::parse(in);
        } catch (const Json::exception& e) {
            throw CommandError("Файл " + path + " не является правильным JSON: " + e.what());
        }
        DeclarationFromJson(json, declaration);
        return;
    }
    if (!IsDocumentExtension(ext)) {
        throw CommandError("Неизвестный тип файла: " + path +
                           " (ожидается .json, .zv8, .zv7, .zv6, .zv5 или .zvl)");
    }
    declaration.LoadFromFile(path);
}

namespace {

void WriteText(const std::string& path, const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    WriteFileAtomically(path, bytes.data(), bytes.size());
}

int Convert(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 3) throw CommandError(kUsage);
    const std::string& input = args[1];
    const std::string& output = args[2];
    std::string inExt = Extension(input);
    std::string outExt = Extension(output);
    mTDeclaration declaration;
    if (inExt == "json" && outExt == "zv8") {
        LoadDeclaration(input, declaration);
        declaration.SaveToFile(output);
        out << "Документ " << output << " записан из " << input << " ("
            << declaration.ComputeSize() << " байт).\n";
        return kDone;
    }
    if (IsDocumentExtension(inExt) && outExt == "json") {
        LoadDeclaration(input, declaration);
        WriteText(output, DeclarationToJson(declaration).dump(2) + "\n");
        out << "Декларация из " << input << " записана в " << output << ".\n";
        return kDone;
    }
    throw CommandError(
        "convert переводит .json в .zv8 или документ (.zv8 .zv7 .zv6 .zv5 .zvl) в .json.\n" +
        std::string(kUsage));
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return kFailed;
    }
    try {
        if (args[0] == "convert") return Convert(args, out);
        err << "Неизвестная команда: " << args[0] << "\n" << kUsage;
        return kFailed;
    } catch (const std::exception& e) {
        std::string message = e.what();
        std::replace(message.begin(), message.end(), '\r', '\n');
        err << message << "\n";
        return kFailed;
    }
}

}  // namespace zorv::cli
