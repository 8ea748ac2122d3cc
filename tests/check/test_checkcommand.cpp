#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
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

// Runs the zorv tool of this build with the arguments (already quoted).
class CheckCommand : public testing::Test {
  protected:
    void SetUp() override {
        tool_ = fs::path(ZORV_BINARY_DIR) / "bin" / "zorv";
        if (!fs::exists(tool_)) GTEST_SKIP() << "zorv is not built";
        // One folder per test: CTest may run them side by side.
        dir_ = fs::path(testing::TempDir()) / "zorv_check_command" /
               testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(dir_);
    }

    Outcome Run(const std::string& args) {
        fs::path out = dir_ / "out.txt";
        fs::path err = dir_ / "err.txt";
        std::string command = "'" + tool_.string() + "' check " + args + " >'" + out.string() +
                              "' 2>'" + err.string() + "'";
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
    }

    std::string Write(const std::string& name, const std::string& text) {
        fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return "'" + path.string() + "'";
    }

    static std::string Fixture(const std::string& name) {
        return "'" + std::string(ZORV_SOURCE_DIR) + "/tests/fixtures/check/" + name + ".json'";
    }

    fs::path tool_;
    fs::path dir_;
};

TEST_F(CheckCommand, ValidDeclaration) {
    for (const char* mode : {"", " --all"}) {
        Outcome o = Run(Fixture("employee") + mode);
        EXPECT_EQ(o.status, 0) << mode;
        EXPECT_EQ(o.out, "Проверка декларации завершена успешно\n") << mode;
        EXPECT_EQ(o.err, "") << mode;
    }
}

TEST_F(CheckCommand, FirstProblemAndEveryProblem) {
    // No inspection, a primary 4-NDFL without expected income, no surname.
    std::string file = Write("broken.json",
                             R"({"InspectionCode": "", "IsPrimary": 1, "DeclarationKind": 2,
                                 "IncomeFlags": 1, "Person": {"Name": "Анна"}})");
    Outcome first = Run(file);
    EXPECT_EQ(first.status, 1);
    EXPECT_EQ(first.out, "1\t1\tЗадание условий\tНе введен номер инспекции\n");

    Outcome all = Run("--all " + file);
    EXPECT_EQ(all.status, 1);
    EXPECT_EQ(all.out,
              "1\t1\tЗадание условий\tНе введен номер инспекции\n"
              "1\t2\tЗадание условий\tДля первичной Декларации предполагаемый доход должен "
              "отличаться от нулевого\n"
              "2\t1\tСведения о декларанте\tНе введена фамилия\n"
              "2\t9\tСведения о декларанте\tНе указано место рождения\n"
              "2\t5\tСведения о декларанте\tНе указан документ, удостоверяющий личность\n"
              "3\t2\tСведения о декларанте\tНе указан регион постоянного местожительства\n"
              "3\t5\tСведения о декларанте\tНе указан населенный пункт (село, поселок) или улица "
              "(проспект, переулок)\n");
}

TEST_F(CheckCommand, NotesOfTheLawAreListedButNeverFailTheCheck) {
    const struct {
        const char* fixture;
        const char* note;  // the start of the line, empty for none
    } cases[] = {
        {"notes-clean", ""},
        {"note-treaty", "7\t1\tДоходы в валюте\tЗамечание: налог, уплаченный в стране с кодом 076"},
        {"note-dividend", "5\t1\tДивиденды\tЗамечание: налог, удержанный с дивидендов"},
    };
    for (const auto& c : cases) {
        Outcome all = Run("--all " + Fixture(c.fixture));
        EXPECT_EQ(all.status, 0) << c.fixture;
        EXPECT_EQ(all.err, "") << c.fixture;
        const std::string passed = "Проверка декларации завершена успешно\n";
        if (*c.note == 0) {
            EXPECT_EQ(all.out, passed);
        } else {
            EXPECT_EQ(all.out.rfind(c.note, 0), 0u) << all.out;
            EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 2) << all.out;
            EXPECT_TRUE(all.out.ends_with(passed)) << all.out;
        }
        // Without --all only what stops an export is said.
        EXPECT_EQ(Run(Fixture(c.fixture)).out, passed) << c.fixture;
    }
}

TEST_F(CheckCommand, BadFileOrArguments) {
    for (const std::string& args :
         {Write("bad.json", "{\"InspectionCode\": 7705}"), Write("bad2.json", "{"),
          Fixture("missing"), std::string(), Fixture("employee") + " --fast"}) {
        Outcome o = Run(args);
        EXPECT_EQ(o.status, 2) << args;
        EXPECT_EQ(o.out, "") << args;
        EXPECT_NE(o.err, "") << args;
    }
}

}  // namespace
