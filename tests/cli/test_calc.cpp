#include <gtest/gtest.h>

#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "tempdir.h"

namespace zorv::cli {
namespace {

int RunZorv(const std::vector<std::string>& args, std::string& out, std::string& err) {
    std::ostringstream o, e;
    int status = Run(args, o, e);
    out = o.str();
    err = e.str();
    return status;
}

TEST(CalcCommand, PrintsTheSameTotalsForTheDocumentAndItsJson) {
    testing::TempDir dir;
    const std::string sample = std::string(ZORV_SOURCE_DIR) + "/data/samples/employee.json";
    std::string out, err, fromDocument;
    ASSERT_EQ(RunZorv({"convert", sample, dir.File("e.zv8")}, out, err), kDone) << err;
    ASSERT_EQ(RunZorv({"calc", sample}, out, err), kDone) << err;
    ASSERT_EQ(RunZorv({"calc", dir.File("e.zv8")}, fromDocument, err), kDone) << err;
    EXPECT_EQ(out, fromDocument);

    auto totals = nlohmann::ordered_json::parse(out);
    EXPECT_EQ(totals.begin().key(), "Section1");
    EXPECT_EQ(totals["Section1"]["L070"], "54600");
    EXPECT_EQ(totals["Section6"]["Rows"][0]["Sign"], "2");
    EXPECT_EQ(totals["OkatoThirteen"], "45286560000");
}

TEST(CalcCommand, BadFilesAreReported) {
    testing::TempDir dir;
    testing::WriteBytes(dir.File("bad.zv8"), "nonsense");
    std::string out, err;
    EXPECT_EQ(RunZorv({"calc", dir.File("bad.zv8")}, out, err), kFailed);
    EXPECT_NE(err.find("Неправильный формат файла декларации"), std::string::npos) << err;
    EXPECT_EQ(RunZorv({"calc"}, out, err), kFailed);
    EXPECT_EQ(RunZorv({"calc", dir.File("none.json")}, out, err), kFailed);
    EXPECT_NE(err.find("Ошибка чтения файла: "), std::string::npos) << err;
}

}  // namespace
}  // namespace zorv::cli
