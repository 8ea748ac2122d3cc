// What the commands do with files that are not what they seem: read-only
// documents, links, channels, folders and devices, and failing disks.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <sstream>

#include "cli/commands.h"
#include "clitest.h"
#include "storage/fileloader.h"
#include "tempdir.h"

namespace zorv::cli {
namespace {

using clitest::kSample;
using clitest::Result;
using clitest::RunZorv;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string Text(const std::string& path) {
    auto bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// Messages a user can act on: Russian, line breaks rather than carriage
// returns, and no request to call the developers for a file problem.
void ExpectUsableMessage(const std::string& message) {
    EXPECT_EQ(message.find('\r'), std::string::npos) << message;
    EXPECT_EQ(message.find("разработчик"), std::string::npos) << message;
    for (const char* english : {"error", "basic_filebuf", "json.exception", "No such"})
        EXPECT_EQ(message.find(english), std::string::npos) << message;
}

TEST(FileCommands, InputsThatAreNotRegularFilesAreRefusedAtOnce) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("f.zv8").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(dir.File("f.json").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.Path() / "d.json");
    std::filesystem::create_symlink("/dev/zero", dir.Path() / "zero.zv8");
    WriteBytes(dir.File("broken.json"), "{\n  \"Year\": ,\n}");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"check", dir.File("f.zv8")}, "не обычный файл, а устройство или канал"},
        {{"check", dir.File("f.json")}, "не обычный файл, а устройство или канал"},
        {{"convert", dir.File("f.json"), dir.File("out.zv8")}, "устройство или канал"},
        {{"calc", dir.File("f.zv8")}, "устройство или канал"},
        {{"export", dir.File("f.json"), "-o", dir.Path().string()}, "устройство или канал"},
        {{"print", dir.File("f.zv8"), "-o", dir.File("out.pdf")}, "устройство или канал"},
        {{"check", dir.File("d.json")}, "Указанное имя принадлежит папке, а не файлу."},
        {{"check", dir.File("zero.zv8")}, "устройство или канал"},
        {{"check", dir.File("none.zv8")},
         "Ошибка чтения файла: " + dir.File("none.zv8") + "\nФайл не найден."},
        {{"check", dir.File("broken.json")},
         "не является правильным JSON: ошибка в строке 2, знак 11. Исправьте файл."},
    };
    for (const Case& c : cases) {
        Result r = RunZorv(c.args);
        EXPECT_EQ(r.status, kFailed) << c.args[1];
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        ExpectUsableMessage(r.err);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.zv8")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.pdf")));
}

TEST(FileCommands, ReadOnlyOutputsStayAsTheyWere) {
    TempDir dir;
    for (const char* name : {"X.zv8", "X.json", "X.pdf"}) {
        WriteBytes(dir.File(name), "old");
        ::chmod(dir.File(name).c_str(), 0444);
    }
    std::vector<std::string> commands[] = {
        {"convert", kSample, dir.File("X.zv8")},
        {"convert", dir.File("doc.zv8"), dir.File("X.json")},
        {"print", kSample, "-o", dir.File("X.pdf")},
    };
    ASSERT_EQ(RunZorv({"convert", kSample, dir.File("doc.zv8")}).status, kDone);
    for (const auto& args : commands) {
        const std::string& target = args.back();
        Result r = RunZorv(args);
        EXPECT_EQ(r.status, kFailed) << target;
        const std::string name = std::filesystem::path(target).filename().string();
        EXPECT_NE(r.err.find("Ошибка записи файла: " + target + "\nФайл " + name +
                             " доступен только для чтения."),
                  std::string::npos)
            << r.err;
        ExpectUsableMessage(r.err);
        EXPECT_EQ(Text(target), "old");
    }
}

TEST(FileCommands, OutputsThroughALinkKeepTheLink) {
    TempDir dir;
    WriteBytes(dir.File("X.zv8"), "old");
    WriteBytes(dir.File("X.pdf"), "old");
    std::filesystem::create_symlink("X.zv8", dir.Path() / "L.zv8");
    std::filesystem::create_symlink("X.pdf", dir.Path() / "L.pdf");
    ASSERT_EQ(RunZorv({"convert", kSample, dir.File("L.zv8")}).status, kDone);
    ASSERT_EQ(RunZorv({"print", kSample, "-o", dir.File("L.pdf")}).status, kDone);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "L.zv8"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "L.pdf"));
    EXPECT_EQ(Text(dir.File("X.zv8")).substr(0, 4), "DLSG");
    EXPECT_EQ(Text(dir.File("X.pdf")).substr(0, 5), "%PDF-");
}

long FullDisk(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}

TEST(FileCommands, APrintThatCannotBeWrittenLeavesTheOldPdf) {
    TempDir dir;
    const std::string pdf = dir.File("out.pdf");
    ASSERT_EQ(RunZorv({"print", kSample, "-o", pdf}).status, kDone);
    const std::string old = Text(pdf);
    SetWriteFunctionForTesting(FullDisk);
    Result r = RunZorv({"print", kSample, "--hide-date", "-o", pdf});
    SetWriteFunctionForTesting(nullptr);
    EXPECT_EQ(r.status, kFailed);
    EXPECT_NE(r.err.find("Ошибка записи файла: " + pdf + "\nНедостаточно места на диске."),
              std::string::npos)
        << r.err;
    ExpectUsableMessage(r.err);
    EXPECT_EQ(Text(pdf), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

// A standard output that takes nothing, as on a full disk.
class FullBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(FileCommands, OutputThatCannotBeWrittenFails) {
    TempDir dir;
    const std::string document = dir.File("a.zv8");
    ASSERT_EQ(RunZorv({"convert", kSample, document}).status, kDone);
    const std::vector<std::vector<std::string>> commands = {
        {"calc", document},
        {"explain", document},
        {"check", document},
        {"export", document, "-o", dir.Path().string()},
        {"check", document, kSample, "--json"},
        {"calc", document, kSample, "-o", dir.Path().string()},
    };
    for (const std::vector<std::string>& args : commands) {
        SCOPED_TRACE(args.front() + " " + std::to_string(args.size()));
        FullBuffer full;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(cli::Run(args, out, err), kFailed);
        EXPECT_NE(err.str().find("Результат не записан в стандартный вывод"), std::string::npos)
            << err.str();
    }
}

}  // namespace
}  // namespace zorv::cli
