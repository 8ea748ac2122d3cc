#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "check/lawnotes.h"
#include "fixtures.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/money.h"
#include "tempdir.h"

namespace zorv {
namespace {

const std::string kTreaties = std::string(ZORV_SOURCE_DIR) + "/data/" + kTreatyFile;

mTDeclaration Fixture(const std::string& name) {
    mTDeclaration d;
    DeclarationFromJson(testing::ReadFixtureJson("check/" + name + ".json"), d);
    return d;
}

std::vector<std::string> Rules(const std::vector<DeclarationProblem>& notes) {
    std::vector<std::string> rules;
    for (const DeclarationProblem& n : notes) {
        EXPECT_TRUE(n.note) << n.message;
        rules.push_back(n.rule + "@" + std::to_string(n.page) + ":" + std::to_string(n.focus));
    }
    return rules;
}

TEST(LawNotes, TreatyListOfTheShippedFile) {
    TTreatyCountries treaties;
    std::string error;
    ASSERT_TRUE(treaties.Load(kTreaties, error)) << error;
    EXPECT_EQ(treaties.Size(), 69u);
    EXPECT_TRUE(treaties.Has("840"));   // the USA
    EXPECT_TRUE(treaties.Has("392"));   // Japan, by the treaty of the USSR
    EXPECT_FALSE(treaties.Has("076"));  // Brazil: none in force in 2008
    EXPECT_FALSE(treaties.Has("233"));  // Estonia: signed, never in force
}

TEST(LawNotes, AFileThatIsNotAListIsRefusedByName) {
    testing::TempDir dir;
    const std::string path = dir.File("Treaties2008.tsv");
    std::ofstream(path) << "code\tname\nUSA\tСША\n";
    TTreatyCountries treaties;
    std::string error;
    EXPECT_FALSE(treaties.Load(path, error));
    EXPECT_FALSE(treaties.Loaded());
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_FALSE(treaties.Load(dir.File("missing.tsv"), error));
}

TEST(LawNotes, EachFixtureShowsItsNoteAndACleanOneNone) {
    TTreatyCountries treaties;
    std::string error;
    ASSERT_TRUE(treaties.Load(kTreaties, error)) << error;
    EXPECT_EQ(Rules(ListLawNotes(Fixture("notes-clean"), treaties)), std::vector<std::string>{});
    EXPECT_EQ(Rules(ListLawNotes(Fixture("note-treaty"), treaties)),
              std::vector<std::string>{"note-treaty@7:1"});
    EXPECT_EQ(Rules(ListLawNotes(Fixture("note-dividend"), treaties)),
              std::vector<std::string>{"note-dividend@5:1"});
    // Without the list nothing is said about treaties.
    EXPECT_EQ(Rules(ListLawNotes(Fixture("note-treaty"), TTreatyCountries())),
              std::vector<std::string>{});
}

TEST(LawNotes, DividendTaxAtTheRateOfTheForm) {
    TTreatyCountries none;
    const struct {
        uint8_t kind;
        const char* withheld;
        bool note;
    } cases[] = {
        {kResident3NDFL, "1800", false},     // 9 % of 20 000
        {kResident3NDFL, "1801", false},     // a ruble of rounding
        {kResident3NDFL, "1500", true},      // less: the agent credited its own dividends?
        {kResident3NDFL, "3000", true},      // 15 % for a resident
        {kNonResident3NDFL, "3000", false},  // 15 % for a non-resident
        {kNonResident3NDFL, "1800", true},
    };
    for (const auto& c : cases) {
        mTDeclaration d = Fixture("notes-clean");
        d.DeclarationKind = c.kind;
        d.ThirtyPercent(0).TaxWithheld = *Money::Parse(c.withheld);
        EXPECT_EQ(ListLawNotes(d, none).size(), c.note ? 1u : 0u)
            << int(c.kind) << " " << c.withheld;
    }
}

}  // namespace
}  // namespace zorv
