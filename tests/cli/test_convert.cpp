#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "clitest.h"
#include "tempdir.h"

namespace zorv::cli {
namespace {

using clitest::kSample;
using clitest::Result;
using clitest::RunZorv;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(ConvertCommand, JsonToDocumentAndBack) {
    TempDir dir;
    Result toDocument = RunZorv({"convert", kSample, dir.File("a.zv8")});
    ASSERT_EQ(toDocument.status, kDone) << toDocument.err;
    Result toJson = RunZorv({"convert", dir.File("a.zv8"), dir.File("a.json")});
    ASSERT_EQ(toJson.status, kDone) << toJson.err;
    Result again = RunZorv({"convert", dir.File("a.json"), dir.File("b.zv8")});
    ASSERT_EQ(again.status, kDone) << again.err;
    EXPECT_EQ(ReadBytes(dir.File("a.zv8")), ReadBytes(dir.File("b.zv8")));
    // A document of an earlier year is read by its extension too.
    std::filesystem::copy_file(dir.File("a.zv8"), dir.File("old.zv7"));
    EXPECT_EQ(RunZorv({"convert", dir.File("old.zv7"), dir.File("old.json")}).status, kDone);
}

TEST(ConvertCommand, FailuresSayWhyAndWriteNothing) {
    TempDir dir;
    WriteBytes(dir.File("bad.json"), R"({"Person": {"SurName": 12}})");
    WriteBytes(dir.File("broken.json"), "{");
    WriteBytes(dir.File("damaged.zv8"), "DLSG            Zorv20080102");
    WriteBytes(dir.File("other.zv8"), "PK\x03\x04");
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"convert"}, "Использование:"},
        {{"frobnicate"}, "Неизвестная команда: frobnicate"},
        {{"convert", dir.File("missing.json"), dir.File("out.zv8")}, "Ошибка чтения файла: "},
        {{"convert", dir.File("missing.zv8"), dir.File("out.json")}, "Ошибка чтения файла: "},
        {{"convert", dir.File("bad.json"), dir.File("out.zv8")}, "«Person.SurName»"},
        {{"convert", dir.File("broken.json"), dir.File("out.zv8")}, "не является правильным JSON"},
        {{"convert", dir.File("damaged.zv8"), dir.File("out.json")},
         "Неправильный формат файла декларации, возможно он поврежден."},
        {{"convert", dir.File("other.zv8"), dir.File("out.json")},
         "Неправильный формат файла декларации, возможно он поврежден."},
        {{"convert", kSample, dir.File("out.pdf")}, "convert переводит"},
        {{"convert", kSample, dir.File("no/such/folder/out.zv8")}, "Ошибка записи файла: "},
    };
    for (const Case& c : cases) {
        Result r = RunZorv(c.args);
        EXPECT_EQ(r.status, kFailed) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.zv8")));
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.json")));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing.zv8")));
}

// A JSON file is refused with its name, line and character, and a huge one is
// refused before it is read.
TEST(ConvertCommand, JsonInputIsBounded) {
    TempDir dir;
    WriteBytes(dir.File("overflow.json"), "{\n  \"ExpectedIncome\": 1e400\n}");
    WriteBytes(dir.File("zero.json"), std::string("{}\0", 3));
    WriteBytes(dir.File("deep.json"), std::string(100000, '[') + std::string(100000, ']'));
    {
        // Sparse: 65 MB of zeros after a valid object, on no disk space to speak of.
        std::ofstream huge(dir.File("huge.json"));
        huge << "{}";
        huge.seekp(65 * 1024 * 1024 - 1);
        huge << ' ';
    }
    struct Case {
        const char* file;
        std::string says;
    } cases[] = {
        {"overflow.json",
         "не является правильным JSON: число 1e400 выходит за пределы "
         "допустимых чисел в строке 2, знак 25. Исправьте файл."},
        {"zero.json", "байт с кодом 0 в строке 1, знак 3"},
        {"deep.json", "вложено глубже 64 уровней"},
        {"huge.json", "Файл слишком велик: 65 МБ при пределе 64 МБ."},
    };
    for (const Case& c : cases) {
        Result r = RunZorv({"convert", dir.File(c.file), dir.File("out.zv8")});
        EXPECT_EQ(r.status, kFailed) << c.file;
        EXPECT_NE(r.err.find(dir.File(c.file)), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.zv8")));
    }
}

// Each message names the file and says what to do, in Russian.
TEST(ConvertCommand, DamagedEmptyAndHugeDocumentsAreExplained) {
    TempDir dir;
    WriteBytes(dir.File("empty.zv8"), "");
    // A header and nothing after it: the declaration's parts are missing.
    WriteBytes(dir.File("header.zv8"),
               "DLSG            Zorv20080102FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF");
    { std::ofstream big(dir.File("big.zv8")); }
    std::filesystem::resize_file(dir.File("big.zv8"), 5ull << 30);  // sparse
    WriteBytes(dir.File("plainfile"), "");
    struct Case {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {{"calc", dir.File("empty.zv8")},
         "Файл " + dir.File("empty.zv8") + " пуст (0 байт): декларации в нем нет."},
        {{"calc", dir.File("header.zv8")},
         "Файл " + dir.File("header.zv8") +
             " поврежден или записан не до конца: в нем нет части данных декларации. Откройте "
             "другую копию документа."},
        {{"calc", dir.File("big.zv8")}, "Файл слишком велик: 5120 МБ при пределе 4096 МБ."},
        {{"export", kSample, "-o", dir.File("plainfile")},
         dir.File("plainfile") + " - это файл, а не папка. Укажите после -o папку"},
        {{"convert", kSample, "-o", dir.File("none"), "--to", "zv8"},
         "Папка " + dir.File("none") + " не существует. Создайте ее"},
    };
    for (const Case& c : cases) {
        Result r = RunZorv(c.args);
        EXPECT_EQ(r.status, kFailed) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace zorv::cli
