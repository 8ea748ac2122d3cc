#include <algorithm>
#include <filesystem>

#include "cli/commands.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/errors.h"
#include "storage/fileloader.h"

namespace zorv::cli {
namespace {

// "в строке L, знак C" of the parser's byte position (counted from 1).
std::string TextPosition(const std::string& text, size_t byte) {
    const size_t at = std::min(byte == 0 ? 0 : byte - 1, text.size());
    const auto begin = text.begin();
    const auto line = 1 + std::count(begin, begin + static_cast<ptrdiff_t>(at), '\n');
    const size_t lineStart = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
    const size_t column = lineStart == std::string::npos ? at + 1 : at - lineStart;
    return "в строке " + std::to_string(line) + ", знак " + std::to_string(column);
}

// No declaration's JSON comes near this; a larger file is refused unread.
constexpr size_t kMaxJsonFileSize = 64 * 1024 * 1024;

}  // namespace

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

void LoadDeclaration(const std::string& path, mTDeclaration& declaration) {
    std::string ext = Extension(path);
    if (ext == "json") {
        const std::string text = ReadWholeFile(path, kMaxJsonFileSize);
        try {
            DeclarationFromJson(ParseDeclarationJson(text), declaration);
        } catch (const JsonTextError& e) {
            const std::string where = e.Byte() == 0 ? "" : " " + TextPosition(text, e.Byte());
            throw CommandError("Файл " + path + " не является правильным JSON: " + e.what() +
                               where + ". Исправьте файл.");
        } catch (const JsonFormError& e) {
            throw CommandError("Файл " + path + ":\n" + e.what());
        }
        return;
    }
    if (!IsDocumentExtension(ext)) {
        throw CommandError("Неизвестный тип файла: " + path +
                           " (ожидается .json, .zv8, .zv7, .zv6, .zv5 или .zvl)");
    }
    try {
        declaration.LoadFromFile(path);
    } catch (const mEPrivBase& e) {
        // File errors name the file already; a damaged content does not.
        const std::string message = e.what();
        if (message.find(path) != std::string::npos) throw;
        throw CommandError("Файл " + path + ":\n" + message);
    }
}

void RequireOutputFolder(const std::string& folder) {
    if (folder.empty()) throw CommandError("Укажите после -o папку для выходных файлов.");
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) return;
    if (std::filesystem::exists(folder, ec)) {
        throw CommandError(folder +
                           " - это файл, а не папка. Укажите после -o папку для "
                           "выходных файлов.");
    }
    throw CommandError("Папка " + folder +
                       " не существует. Создайте ее или укажите после -o другую папку.");
}

void WriteTextFile(const std::string& path, const std::string& text) {
    WriteFileAtomically(path, text.data(), text.size());
}

}  // namespace zorv::cli
