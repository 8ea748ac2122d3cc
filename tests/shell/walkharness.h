#pragma once

// What the walks of a new user through the pages check at their end: the XML
// that "Экспорт" writes equals what `zorv export` writes for the same
// declaration given as JSON, and a saved document reads back whole.

#include <QAction>
#include <QProcess>
#include <QString>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "model/jsonform.h"
#include "shell/formmain.h"
#include "shelltest.h"
#include "storage/codepage.h"
#include "tempdir.h"

namespace zorv::testing {

inline std::string ReadFileText(const std::filesystem::path& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path.string());
    return std::string(bytes.begin(), bytes.end());
}

// The one file a folder holds; empty when it holds none or several.
inline std::filesystem::path OnlyFile(const std::filesystem::path& folder) {
    std::filesystem::path found;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        found = entry.path();
        ++count;
    }
    return count == 1 ? found : std::filesystem::path();
}

// An exported XML in UTF-8 with the file identifier and the date of the
// document blanked: the two values that differ between two exports.
inline std::string WithoutIdAndDate(const std::string& cp1251) {
    const Conversion utf8 = Cp1251ToUtf8(cp1251);
    std::string xml = utf8.ok ? utf8.text : cp1251;
    xml = std::regex_replace(xml, std::regex("ИдФайл=\"[^\"]*\""), "ИдФайл=\"\"");
    return std::regex_replace(xml, std::regex("(<Документ [^>]*ДатаДок=\")[^\"]*\""), "$1\"",
                              std::regex_constants::format_first_only);
}

// What `zorv export` writes for the declaration given as JSON.
inline std::string CliExportXml(const Json& declaration) {
    TempDir dir;
    const std::string input = dir.File("declaration.json");
    std::ofstream(input) << declaration.dump(2);
    const std::filesystem::path out = dir.Path() / "out";
    std::filesystem::create_directory(out);
    QProcess zorv;
    zorv.start(QStringLiteral(ZORV_BINARY_DIR "/bin/zorv"),
               {QStringLiteral("export"), QString::fromStdString(input), QStringLiteral("-o"),
                QString::fromStdString(out.string())});
    if (!zorv.waitForFinished(60000) || zorv.exitCode() != 0)
        return "zorv export failed: " + zorv.readAllStandardError().toStdString();
    const std::filesystem::path file = OnlyFile(out);
    return file.empty() ? std::string("zorv export wrote no single file") : ReadFileText(file);
}

// What the main window's "Экспорт" writes, the folder answered by the script.
inline std::string FormExportXml(TFormMain& form, ScriptedDialogs& dialogs) {
    TempDir out;
    dialogs.folderNames.push_back(QString::fromStdString(out.Path().string()));
    form.Action("ExportDoc")->trigger();
    const std::filesystem::path file = OnlyFile(out.Path());
    return file.empty() ? std::string("the window wrote no single file") : ReadFileText(file);
}

}  // namespace zorv::testing
