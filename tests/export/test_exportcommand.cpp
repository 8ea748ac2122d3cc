// zorv export: the check first, the file into the folder, reproducible names.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const char kGuid[] = "0F8FAD5B-D9CB-469F-A165-70867728950E";

class ExportCommand : public testing::Test {
  protected:
    void SetUp() override {
        tool_ = fs::path(ZORV_BINARY_DIR) / "bin" / "zorv";
        if (!fs::exists(tool_)) GTEST_SKIP() << "zorv is not built";
        dir_ = fs::path(testing::TempDir()) / "zorv_export_command" /
               testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "out");
    }

    // Runs the tool in dir_ with the arguments (already quoted).
    Outcome Run(const std::string& args) {
        fs::path out = dir_ / "stdout.txt";
        fs::path err = dir_ / "stderr.txt";
        std::string command = "cd '" + dir_.string() + "' && '" + tool_.string() + "' export " +
                              args + " >'" + out.string() + "' 2>'" + err.string() + "'";
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
    }

    std::string Write(const std::string& name, const std::string& text) {
        fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return "'" + path.string() + "'";
    }

    size_t Written() const {
        return static_cast<size_t>(
            std::distance(fs::directory_iterator(dir_ / "out"), fs::directory_iterator()));
    }

    static std::string Fixture(const std::string& name) {
        return "'" + std::string(ZORV_SOURCE_DIR) + "/tests/fixtures/export/" + name + ".json'";
    }

    fs::path tool_;
    fs::path dir_;
};

TEST_F(ExportCommand, WritesTheFileAndPrintsItsName) {
    Outcome o = Run(Fixture("employee") + " -o out --today 15.03.2009 --guid " + kGuid);
    const std::string name =
        std::string("NO_NDFL3_7705_7705_770512345650_20090315_") + kGuid + ".xml";
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, name + "\n");
    EXPECT_EQ(o.err, "");
    ASSERT_TRUE(fs::exists(dir_ / "out" / name));
    EXPECT_EQ(std::system(("xmllint --noout '" + (dir_ / "out" / name).string() + "'").c_str()), 0);

    // Without -o the file goes to the current folder; a lower-case GUID is written upper-case.
    Outcome here = Run(Fixture("employee") + " --guid 0f8fad5b-d9cb-469f-a165-70867728950e");
    EXPECT_EQ(here.status, 0) << here.err;
    ASSERT_GT(here.out.size(), 1u);
    EXPECT_NE(here.out.find(kGuid), std::string::npos);
    EXPECT_TRUE(fs::exists(dir_ / here.out.substr(0, here.out.size() - 1)));
}

TEST_F(ExportCommand, FailedCheckStopsBeforeWriting) {
    std::string bad = Write("bad.json", R"({"InspectionCode": "", "Person": {"SurName": ""}})");
    Outcome o = Run(bad + " -o out");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("не прошла проверку"), std::string::npos) << o.err;
    EXPECT_EQ(Written(), 0u);

    Outcome unchecked = Run(bad + " -o out --no-check");
    EXPECT_EQ(unchecked.status, 0) << unchecked.err;
    EXPECT_EQ(Written(), 1u);
}

TEST_F(ExportCommand, RefusedDeclarationWritesNothing) {
    std::string path = Write("escape.json", R"({"InspectionCode": "7701",
        "Person": {"SurName": "Иванов", "INN": "../../evil"}})");
    Outcome o = Run(path + " -o out --no-check");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("Файл декларации нельзя назвать"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("Ошибка записи. Файл не сформирован."), std::string::npos);
    EXPECT_EQ(Written(), 0u);
    EXPECT_FALSE(fs::exists(dir_.parent_path() / "evil_20090315"));
}

// A 4-NDFL declaration goes through the same check before its text file is written.
TEST_F(ExportCommand, EstimatedIncomeDeclarationIsCheckedFirst) {
    std::string path = Write("four.json", R"({"DeclarationKind": 2})");
    Outcome o = Run(path + " -o out");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("Не введен номер инспекции"), std::string::npos) << o.err;
    EXPECT_EQ(Written(), 0u);
}

TEST_F(ExportCommand, BadArguments) {
    const std::string fixture = Fixture("employee");
    for (const std::string& args :
         {fixture + " -o missing", fixture + " --guid 1234", fixture + " --today 2009-03-15",
          fixture + " --today 31.02.2009", fixture + " -o", std::string("-o out"),
          fixture + " --no-check --no-check", fixture + " -j 0"}) {
        Outcome o = Run(args);
        EXPECT_EQ(o.status, 2) << args;
        EXPECT_FALSE(o.err.empty()) << args;
    }
    EXPECT_EQ(Written(), 0u);
}

}  // namespace
