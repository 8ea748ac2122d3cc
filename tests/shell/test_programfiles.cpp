#include <gtest/gtest.h>

#include <QDir>
#include <filesystem>

#include "shell/programfiles.h"
#include "tempdir.h"

namespace zorv {
namespace {

// The build folder keeps the files beside the program; a system installation
// keeps the program in prefix/bin and its files in prefix/share/zorv2008.
TEST(ProgramFiles, FoundBesideTheProgramOrInTheInstallationsSharedData) {
    struct Case {
        const char* name;
        std::vector<std::string> referenceFolders;  // under the prefix
        std::string expected;                       // under the prefix
    } cases[] = {
        {"build folder", {"bin"}, "bin"},
        {"installed", {"share/zorv2008"}, "share/zorv2008"},
        {"beside wins", {"bin", "share/zorv2008"}, "bin"},
        {"nowhere: the program's folder is named", {}, "bin"},
        {"other program's files do not count", {"share/other"}, "bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir prefix;
        std::filesystem::create_directories(prefix.Path() / "bin");
        for (const std::string& folder : c.referenceFolders) {
            std::filesystem::create_directories(prefix.Path() / folder);
            testing::WriteBytes((prefix.Path() / folder / "InspectionNumbers.xml").string(),
                                "<x/>");
        }
        const QString bin = QString::fromStdString((prefix.Path() / "bin").string());
        EXPECT_EQ(ProgramFilesFolder(bin).toStdString(), (prefix.Path() / c.expected).string());
    }
}

}  // namespace
}  // namespace zorv
