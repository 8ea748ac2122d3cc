// Whole documents of a few declarations, compared with the expected files beside
// them. The comparison is on an indented UTF-8 rendering of the exported tree
// (the bytes of the file itself are tested elsewhere); a mismatch leaves
// <name>.actual next to <name>.xml for a diff.

#include <fstream>
#include <sstream>

#include "exporttest.h"

namespace zorv::testing {
namespace {

const std::string kFixtures = std::string(ZORV_SOURCE_DIR) + "/tests/fixtures/export/";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ExportFixture : public ::testing::TestWithParam<const char*> {};

TEST_P(ExportFixture, MatchesExpectedDocument) {
    const std::string name = GetParam();
    mTDeclaration d;
    DeclarationFromJson(Json::parse(ReadFile(kFixtures + name + ".json")), d);
    Exported exported = ExportText(d);
    ASSERT_TRUE(exported.messages.empty()) << exported.messages.front().text;
    XmlView view(exported.text);
    ASSERT_TRUE(view.Parsed());
    const std::string actual = view.Pretty();
    const std::string expected = ReadFile(kFixtures + name + ".xml");
    if (actual != expected) {
        std::ofstream(kFixtures + name + ".actual", std::ios::binary) << actual;
        FAIL() << "the export of " << name << ".json differs from " << name << ".xml; see " << name
               << ".actual";
    }
}

INSTANTIATE_TEST_SUITE_P(Declarations, ExportFixture,
                         ::testing::Values("employee", "mixed", "nonresident"));

}  // namespace
}  // namespace zorv::testing
