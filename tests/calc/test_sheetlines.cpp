#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "calc/svodsum.h"

namespace zorv {
namespace {

// What a hand-written table can get wrong: a field listed twice (and another
// left out), a key given twice, lines out of the form's order, an amount of the
// file given the cells of an exchange rate.
template <class Sheet>
void ExpectWellFormed(const char* name, SheetLines<Sheet> lines) {
    SCOPED_TRACE(name);
    std::vector<Money Sheet::*> members;
    std::set<std::string> keys;
    std::string lastCode;
    for (const SheetLine<Sheet>& line : lines) {
        EXPECT_EQ(std::find(members.begin(), members.end(), line.member), members.end())
            << line.jsonKey;
        members.push_back(line.member);
        EXPECT_TRUE(keys.insert(line.jsonKey).second) << line.jsonKey;
        if (line.xmlAttribute != nullptr) {
            EXPECT_NE(line.cells, CellPattern::ExchangeRate) << line.jsonKey;
        }
        if (line.code != nullptr) {
            EXPECT_EQ(std::strlen(line.code), 3u) << line.jsonKey;
            EXPECT_LT(lastCode, line.code) << line.jsonKey;
            lastCode = line.code;
        }
    }
}

// A sheet that holds amounts only has every one of them in its table.
template <class Sheet>
void ExpectEveryAmount(const char* name, SheetLines<Sheet> lines) {
    ExpectWellFormed<Sheet>(name, lines);
    EXPECT_EQ(lines.size() * sizeof(Money), sizeof(Sheet)) << name;
}

TEST(SheetLines, TablesListEachAmountOnceInTheOrderOfTheForm) {
    ExpectEveryAmount<kTSvodSumList1>("section 1", kSection1Lines);
    ExpectEveryAmount<kTSvodSumList2>("section 2", kSection2Lines);
    ExpectEveryAmount<kTSvodSumList3>("section 3", kSection3Lines);
    ExpectEveryAmount<kTSvodSumList4>("section 4", kSection4Lines);
    ExpectEveryAmount<kTSvodSumList5>("15 % base", kBase15Lines);
    ExpectEveryAmount<kTSheetATotals>("sheet А", kSheetALines);
    ExpectWellFormed<kTSvodSumPrilB>("sheet Б", kSheetBLines);
    ExpectEveryAmount<kTSheetVTotals>("sheet В1", kSheetV1Lines);
    ExpectEveryAmount<kTSheetVTotals>("sheet В2", kSheetV2Lines);
    ExpectWellFormed<kTSvodSumPrilM>("sheet Г", kSheetGLines);
    ExpectWellFormed<kTSvodSumPrilM2>("material benefit", kBenefitLines);
    ExpectWellFormed<kTSheetDTotals>("sheet Д", kSheetDLines);
    ExpectWellFormed<kTSheetETotals>("sheet Е", kSheetELines);
    ExpectEveryAmount<kTSvodSumPrilH1>("sheet Ж1", kSheetZh1Lines);
    ExpectWellFormed<kTSheetH2Totals>("sheet Ж2", kSheetZh2Lines);
    ExpectWellFormed<kTSvodSumPrilE1>("sheet К1", kSheetK1Lines);
    ExpectEveryAmount<kTSvodSumPrilE2>("sheet К2", kSheetK2Lines);
    ExpectWellFormed<kTSvodSumPrilE3>("sheet К3", kSheetK3Lines);
    ExpectWellFormed<kTSvodSumPrilE4>("sheet К4", kSheetK4Lines);
    ExpectWellFormed<kTSvodSumPrilZ>("sheet Л", kSheetLLines);
    ExpectWellFormed<kTSvodSumPrilJ>("sheet З", kSheetZLines);
    ExpectWellFormed<kTSvodSumPrilK>("sheet И", kSheetILines);
}

std::vector<std::string> Keys(const Json& json) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : json.items()) keys.push_back(key);
    return keys;
}

// The table follows the form, the JSON the order in which the object keeps its
// fields: section 3 keeps line 040 before 030 and 070 before 060.
TEST(SheetLines, JsonFollowsTheFieldsAndNotTheTable) {
    kTSvodSumList3 section;
    section.L030 = Money::Rubles(30);
    section.L040 = Money::Rubles(40);
    const Json json = ToJson(section);
    EXPECT_EQ(Keys(json), (std::vector<std::string>{"L010", "L020", "L040", "L030", "L050", "L070",
                                                    "L060", "L080", "L090", "WithheldOnExempt"}));
    EXPECT_EQ(json["L030"], "30");
    EXPECT_EQ(json["L040"], "40");

    // Sheet Г keeps its rows between the totals of its two parts.
    const std::vector<std::string> exempt = Keys(ToJson(kTSvodSumPrilM()));
    ASSERT_EQ(exempt.size(), 17u);
    EXPECT_EQ(std::vector<std::string>(exempt.begin(), exempt.begin() + 6),
              (std::vector<std::string>{"BirthAidIncome", "BirthAidExempt", "L010", "L020", "L040",
                                        "L030"}));
    EXPECT_EQ(std::vector<std::string>(exempt.end() - 3, exempt.end()),
              (std::vector<std::string>{"L130", "Rows", "L170"}));
}

}  // namespace
}  // namespace zorv
