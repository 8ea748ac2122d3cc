#include <gtest/gtest.h>

#include <fstream>

#include "fixtures.h"
#include "model/declaration.h"
#include "model/jsonform.h"

namespace zorv {
namespace {

Json Fixture(const std::string& name) {
    return testing::ReadFixtureJson("model/" + name);
}

TEST(JsonForm, WritesEveryFieldInTheModelsOrder) {
    mTDeclaration d;
    DeclarationFromJson(Fixture("full.json"), d);
    Json out = DeclarationToJson(d);
    std::vector<std::string> keys;
    for (auto it = out.begin(); it != out.end(); ++it) keys.push_back(it.key());
    EXPECT_EQ(keys.front(), "InspectionCode");
    EXPECT_EQ(keys[8], "IncomeFlags");
    EXPECT_EQ(keys.back(), "ConstructionDeduct");
    EXPECT_EQ(out["ThirteenPercentList"][0]["IncomeTotal"], "100000");  // derived from the lines
    EXPECT_EQ(out["ThirteenPercentList"][0]["MonthlyAmounts"][2], nullptr);
    EXPECT_EQ(out["AppendixCountG"], 4294967295u);
    EXPECT_EQ(out["Person"]["BirthDate"], "29.02.1980");

    // Reading what was written gives the same declaration.
    mTDeclaration again;
    DeclarationFromJson(out, again);
    EXPECT_EQ(DeclarationToJson(again), out);
    EXPECT_EQ(again.BuildImage(), d.BuildImage());
}

TEST(JsonForm, AcceptsNumbersForAmountsAndDays) {
    mTDeclaration d;
    DeclarationFromJson(Json::parse(R"({"ExpectedIncome": 1234.5, "ExpectedExpense": 7,
                                        "FilingDate": 39448.5, "IncomeFlags": 1,
                                        "ThirteenPercentList": [{"IncomeTotal": "999"}]})"),
                        d);
    EXPECT_EQ(d.ExpectedIncome, Money::FromRaw(12345000));
    EXPECT_EQ(d.ExpectedExpense, Money::Rubles(7));
    EXPECT_EQ(DeclarationToJson(d)["FilingDate"], 39448.5);
    EXPECT_EQ(d.ThirteenPercent(0).IncomeTotal, Money());  // taken from the lines, not the key
}

TEST(JsonForm, RefusesWithTheKeyPath) {
    struct Case {
        const char* json;
        const char* path;
    } cases[] = {
        {R"({"Colour": 1})", "«Colour»"},
        {R"({"Person": {"SurName": 5}})", "«Person.SurName»"},
        {R"({"Person": {"Nickname": "x"}})", "«Person.Nickname»"},
        {R"({"IsPrimary": 256})", "«IsPrimary»"},
        {R"({"CorrectionNumber": -1})", "«CorrectionNumber»"},
        {R"({"CorrectionNumber": 4294967296})", "«CorrectionNumber»"},
        {R"({"ExpectedIncome": "12.34567"})", "«ExpectedIncome»"},
        {R"({"ExpectedIncome": "1 000"})", "«ExpectedIncome»"},
        {R"({"ExpectedIncome": 0.00001})", "«ExpectedIncome»"},
        {R"({"FilingDate": "31.02.2008"})", "«FilingDate»"},
        {R"({"ThirteenPercentList": []})", "«ThirteenPercentList»"},
        {R"({"IncomeFlags": 1, "ThirteenPercentList": [{"IncomeList": [{"Month": 70000}]}]})",
         "«ThirteenPercentList[0].IncomeList[0].Month»"},
        {R"({"IncomeFlags": 1, "ThirteenPercentList": [{"MonthlyAmounts": [1]}]})",
         "«ThirteenPercentList[0].MonthlyAmounts»"},
        {R"({"IncomeFlags": 4, "BusinessList": [{"ExpenseItems": ["1"]}]})",
         "«BusinessList[0].ExpenseItems»"},
        {R"({"Person": {"SurName": "@God"}})", "«Person.SurName»"},
        {R"({"Person": {"City": "Москва\u0000Тверь"}})", "«Person.City»"},
        {R"({"Person": {"City": "東京"}})", "«Person.City»"},
        {R"({"SocialDeduct": {"PensList": [{"Name": 1}]}})", "«SocialDeduct.PensList[0].Name»"},
        {R"({"StandartDeduct": {"CodeByMonth": [1,2,3]}})", "«StandartDeduct.CodeByMonth»"},
        {R"([1, 2])", "«(корень)»"},
    };
    for (const Case& c : cases) {
        mTDeclaration d;
        try {
            DeclarationFromJson(Json::parse(c.json), d);
            ADD_FAILURE() << "accepted " << c.json;
        } catch (const JsonFormError& e) {
            EXPECT_NE(std::string(e.what()).find(c.path), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace zorv
