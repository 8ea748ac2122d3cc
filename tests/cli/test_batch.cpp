#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/commands.h"
#include "clitest.h"
#include "model/jsonform.h"
#include "tempdir.h"

namespace zorv::cli {
namespace {

using clitest::kSample;
using clitest::Result;
using clitest::RunZorv;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A folder of good and broken declarations: the good ones are written, each
// file has its line, and the worst outcome is the status.
TEST(Batch, GoodFilesAreWrittenAndBrokenOnesReported) {
    TempDir in, out;
    std::filesystem::copy_file(kSample, in.File("a.json"));
    std::filesystem::copy_file(kSample, in.File("b.json"));
    WriteBytes(in.File("c.json"), "{");
    Json unchecked = Json::parse(ReadBytes(kSample));
    unchecked["Person"]["INN"] = "770512345651";
    WriteBytes(in.File("d.json"), unchecked.dump());
    WriteBytes(in.File("notes.txt"), "not a declaration");

    for (const char* threads : {"1", "3"}) {
        SCOPED_TRACE(threads);
        std::filesystem::remove_all(out.Path());
        std::filesystem::create_directory(out.Path());
        const Result r = RunZorv(
            {"export", in.Path().string(), "-o", out.Path().string(), "-j", threads, "--json"});
        EXPECT_EQ(r.status, kFailed) << r.err;
        const std::vector<std::string> lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 5u) << r.out;
        const char* outcomes[] = {"done", "done", "failed", "problem"};
        for (size_t i = 0; i < 4; ++i) {
            const Json line = Json::parse(lines[i]);
            EXPECT_EQ(line["file"], in.File(std::string(1, char('a' + i)) + ".json"));
            EXPECT_EQ(line["outcome"], outcomes[i]) << lines[i];
        }
        EXPECT_NE(
            Json::parse(lines[2])["message"].get<std::string>().find("не является правильным"),
            std::string::npos);
        EXPECT_EQ(Json::parse(lines[4])["summary"]["done"], 2);
        // Two XML files, nothing else: no partial or temporary file is left.
        const std::vector<std::string> written = FileNames(out.Path());
        ASSERT_EQ(written.size(), 2u);
        for (const std::string& name : written) {
            EXPECT_EQ(name.substr(0, 9), "NO_NDFL3_");
            EXPECT_EQ(name.substr(name.size() - 4), ".xml");
        }
    }
}

TEST(Batch, CollidingOutputsAreRefusedBeforeAnythingIsWritten) {
    TempDir one, two, out;
    std::filesystem::copy_file(kSample, one.File("a.json"));
    std::filesystem::copy_file(kSample, two.File("a.json"));
    std::filesystem::copy_file(kSample, two.File("b.json"));
    const Result r = RunZorv({"convert", one.File("a.json"), two.Path().string(), "-o",
                              out.Path().string(), "--to", "zv8"});
    EXPECT_EQ(r.status, kFailed);
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4u) << r.out;
    EXPECT_NE(lines[0].find("\tсбой\t"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("\tсбой\t"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("\tготово\t"), std::string::npos) << lines[2];
    EXPECT_EQ(lines[3], "Итого: файлов 3, готово 1, отказ 0, сбой 2");
    EXPECT_EQ(FileNames(out.Path()), std::vector<std::string>({"b.zv8"}));
}

TEST(Batch, ResultsAreTheSameAsOneFileAtATime) {
    TempDir out;
    const Result batch = RunZorv({"calc", kSample, "-o", out.Path().string()});
    ASSERT_EQ(batch.status, kDone) << batch.err;
    const Result single = RunZorv({"calc", kSample});
    const std::vector<uint8_t> written = ReadBytes(out.File("employee.calc.json"));
    EXPECT_EQ(std::string(written.begin(), written.end()), single.out);
    EXPECT_EQ(RunZorv({"check", kSample, kSample}).status, kDone);
    EXPECT_EQ(RunZorv({"check", kSample, "-j", "0"}).status, kFailed);
}

}  // namespace
}  // namespace zorv::cli
