#include <gtest/gtest.h>

#include <string>

#include "clitest.h"

namespace zorv::cli {
namespace {

using clitest::RunZorv;

const std::string kHousing =
    std::string(ZORV_SOURCE_DIR) + "/tests/fixtures/calc/housing_refund.json";

TEST(ExplainCommand, PrintsTheTreeOfALine) {
    const struct {
        std::string file;
        const char* line;
        std::vector<const char*> texts;  // each on a line of the output, in this order
    } cases[] = {
        {kHousing,
         "Section1.L040",
         {"Раздел 1, строка 040 [Section1.L040]: 600000", "= вычеты стандартные",
          "  + Лист Л, строка 210 [SheetL.L210]: 600000 (ограничено налоговой базой (строка "
          "200); сумма слагаемых 2000000)",
          "    + Лист Л, строка 080 [SheetL.L080]: 2000000 (ограничено 2 000 000 (ст. 220 НК); "
          "сумма слагаемых 3000000)",
          "      + Объект: Квартира, Москва, ул. Лесная, д. 5, кв. 12: 3000000"}},
        {kHousing,
         "Section6.Row1",
         {"Раздел 6, строка 1: КБК 18210102021011000110, ОКАТО 45286560000 [Section6.Row1]: 78000",
          "  + ООО \"Ромашка\", ИНН 7705012345: 78000"}},
        {kHousing, "Section1.L060", {"Раздел 1, строка 060 [Section1.L060]: 0 = 0 × 13 %"}},
        {clitest::kSample,
         "Section1.L110",
         {"Раздел 1, строка 110 [Section1.L110]: 0 (разность меньше 0, в строку идёт 0; сумма "
          "слагаемых -"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const clitest::Result r = RunZorv({"explain", c.file, c.line});
        ASSERT_EQ(r.status, kDone) << r.err;
        size_t at = 0;
        for (const char* text : c.texts) {
            const size_t found = r.out.find(text, at);
            ASSERT_NE(found, std::string::npos) << text << "\n" << r.out;
            EXPECT_TRUE(found == 0 || r.out[found - 1] == '\n' || r.out[found - 1] == ' ') << text;
            at = found;
        }
    }
}

TEST(ExplainCommand, WithoutALinePrintsEverySectionLineOnce) {
    const clitest::Result r = RunZorv({"explain", kHousing});
    ASSERT_EQ(r.status, kDone) << r.err;
    for (const char* code :
         {"010", "020", "030", "040", "050", "060", "070", "075", "080", "090", "100", "110"}) {
        const std::string head = "\nРаздел 1, строка " + std::string(code) + " [";
        EXPECT_NE(("\n" + r.out).find(head), std::string::npos) << code;
    }
    EXPECT_NE(r.out.find("\nРаздел 6, строка 1: "), std::string::npos);
    // A line explained in full is not explained again.
    EXPECT_NE(r.out.find("[Section1.L010]: 600000 (см. выше)"), std::string::npos);
}

TEST(ExplainCommand, ListsTheLinesAndRefusesAnUnknownOne) {
    const clitest::Result list = RunZorv({"explain", kHousing, "--lines"});
    ASSERT_EQ(list.status, kDone) << list.err;
    EXPECT_NE(list.out.find("\nSection1.L040\n"), std::string::npos);
    EXPECT_NE(list.out.find("\nSheetL.L210\n"), std::string::npos);
    EXPECT_NE(list.out.find("\nSection6.Row1\n"), std::string::npos);

    const clitest::Result unknown = RunZorv({"explain", kHousing, "Section1.L999"});
    EXPECT_EQ(unknown.status, kFailed);
    EXPECT_TRUE(unknown.out.empty());
    EXPECT_NE(unknown.err.find("Строки Section1.L999 в декларации нет"), std::string::npos)
        << unknown.err;
    EXPECT_NE(unknown.err.find("zorv explain " + kHousing + " --lines"), std::string::npos);

    EXPECT_EQ(RunZorv({"explain"}).status, kFailed);
    EXPECT_EQ(RunZorv({"explain", kHousing, "Section1.L040", "extra"}).status, kFailed);
    EXPECT_EQ(RunZorv({"explain", kHousing + ".none"}).status, kFailed);

    const clitest::Result help = RunZorv({"--help"});
    EXPECT_NE(help.out.find("zorv explain ФАЙЛ [СТРОКА]"), std::string::npos);
    EXPECT_NE(help.out.find("Section1.L040"), std::string::npos);
}

}  // namespace
}  // namespace zorv::cli
