#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"
#include "tempdir.h"

namespace zorv::cli {
namespace {

// A 4-NDFL declaration is exported as the text file of exchange format 3.00.
TEST(ExportCommand, EstimatedIncomeDeclarationGivesTheTextFile) {
    testing::TempDir dir;
    const std::string fixtures = std::string(ZORV_SOURCE_DIR) + "/tests/fixtures/report/";
    std::ostringstream out, err;
    int status = cli::Run({"export", fixtures + "comma_surname.json", "--no-check", "-o",
                           dir.Path().string(), "--now", "20.03.2009 14:05:09"},
                          out, err);
    ASSERT_EQ(status, kDone) << err.str();
    EXPECT_EQ(out.str(), "O780512345670_78057805__10_000001.txt\n");
    EXPECT_EQ(testing::ReadBytes(dir.File("O780512345670_78057805__10_000001.txt")),
              testing::ReadBytes(fixtures + "comma_surname.txt"));

    std::ostringstream out2, err2;
    EXPECT_EQ(cli::Run({"export", fixtures + "comma_surname.json", "--now", "32.03.2009 14:05:09"},
                       out2, err2),
              kFailed);
    EXPECT_NE(err2.str().find("ДД.ММ.ГГГГ ЧЧ:ММ:СС"), std::string::npos) << err2.str();
}

}  // namespace
}  // namespace zorv::cli
