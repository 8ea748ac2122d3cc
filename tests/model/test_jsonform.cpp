#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

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

// Text that is no JSON declaration: each refusal says what was found, in
// Russian, and where reading stopped.
TEST(JsonForm, RefusesBrokenTextInRussianWithThePosition) {
    const std::string deep = std::string(65, '[') + std::string(65, ']');
    const std::string deepObject = [] {
        std::string text;
        for (int i = 0; i < 70; ++i) text += "{\"a\":";
        return text + "1" + std::string(70, '}');
    }();
    struct Case {
        std::string text;
        const char* says;
        size_t byte;  // 0: the message names the field
    } cases[] = {
        {R"({"ExpectedIncome": 1e400})", "число 1e400 выходит за пределы", 24},
        {R"({"ExpectedIncome": -1e400})", "число -1e400 выходит за пределы", 25},
        {std::string("{}\0", 3), "байт с кодом 0", 3},
        {std::string("{}") + std::string(1000, '\0'), "байт с кодом 0", 3},
        {"{} {}", "после объекта декларации есть лишние знаки", 4},
        {"{", "файл обрывается", 2},
        {R"({"a" 1})", "ошибка", 6},
        {deep, "«[0][0]", 0},
        {deepObject, "«a.a.a.", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        try {
            ParseDeclarationJson(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const JsonTextError& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
            EXPECT_EQ(e.Byte(), c.byte) << e.what();
        }
    }
    // 64 levels are still read.
    EXPECT_NO_THROW(ParseDeclarationJson(std::string(64, '[') + std::string(64, ']')));
}

// A text nested 100 000 deep is refused at once, in linear memory.
TEST(JsonForm, DeepNestingIsRefusedAtOnce) {
    const std::string text = std::string(100000, '[') + std::string(100000, ']');
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(ParseDeclarationJson(text), JsonTextError);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

// Incomes, expenses, taxes and deductions are never negative in the JSON form.
TEST(JsonForm, RefusesNegativeAmounts) {
    struct Case {
        const char* json;
        const char* path;
    } cases[] = {
        {R"({"ExpectedIncome": "-5000"})", "«ExpectedIncome»"},
        {R"({"ExpectedIncome": -0.01})", "«ExpectedIncome»"},
        {R"({"IncomeFlags": 1, "ThirteenPercentList": [{"IncomeList": [{"IncomeSum": "-5000"}]}]})",
         "«ThirteenPercentList[0].IncomeList[0].IncomeSum»"},
        {R"({"ConstructionDeduct": {"ObjectCost": "-1"}})", "«ConstructionDeduct.ObjectCost»"},
        {R"({"SocialDeduct": {"MedicalSum": "-100"}})", "«SocialDeduct.MedicalSum»"},
    };
    for (const Case& c : cases) {
        mTDeclaration d;
        try {
            DeclarationFromJson(Json::parse(c.json), d);
            ADD_FAILURE() << c.json;
        } catch (const JsonValueRefused& e) {
            EXPECT_NE(std::string(e.what()).find(c.path), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("не может быть отрицательной"), std::string::npos);
        }
    }
    mTDeclaration d;
    EXPECT_NO_THROW(DeclarationFromJson(Json::parse(R"({"ExpectedIncome": "-0"})"), d));
}

}  // namespace
}  // namespace zorv
