// The JSON form takes only values the program stores: enumerations, income
// groups, sex, and each key once.
#include <gtest/gtest.h>

#include "model/declaration.h"
#include "model/jsonform.h"

namespace zorv {
namespace {

TEST(JsonValues, RefusedValuesNameTheirKeyPath) {
    struct Case {
        const char* json;
        const char* message;
    } cases[] = {
        {R"({"DeclarationKind": 99})", "«DeclarationKind»: допустимые значения: 0, 1, 2."},
        {R"({"DeclarationKind": 3})", "«DeclarationKind»: допустимые значения: 0, 1, 2."},
        {R"({"TaxpayerCategory": 4})", "«TaxpayerCategory»: допустимые значения: 0, 1, 2, 3, 5."},
        {R"({"TaxpayerCategory": 6})", "«TaxpayerCategory»"},
        {R"({"SubmitterKind": 3})", "«SubmitterKind»: допустимые значения: 0, 1, 2."},
        {R"({"IncomeFlags": 255})", "«IncomeFlags»: допустимы только сочетания"},
        {R"({"IncomeFlags": 16})", "«IncomeFlags»"},
        {R"({"Person": {"Sex": "2"}})", "«Person.Sex»: допустимые значения: «0», «1»."},
        {R"({"Person": {"Sex": "М"}})", "«Person.Sex»"},
    };
    for (const Case& c : cases) {
        mTDeclaration d;
        try {
            DeclarationFromJson(ParseDeclarationJson(c.json), d);
            ADD_FAILURE() << "accepted " << c.json;
        } catch (const JsonValueRefused& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(JsonValues, EveryStoredValueIsTaken) {
    for (const char* json : {
             R"({"DeclarationKind": 2, "TaxpayerCategory": 5, "SubmitterKind": 2})",
             R"({"DeclarationKind": 0, "TaxpayerCategory": 0, "SubmitterKind": 0})",
             R"({"TaxpayerCategory": 3, "IncomeFlags": 15, "Person": {"Sex": "1"}})",
             // A line's month keeps the tolerance of documents: outside 1-12 it counts nowhere.
             R"({"IncomeFlags": 1, "ThirteenPercentList": [{"IncomeList": [{"Month": 13}]}]})",
         }) {
        mTDeclaration d;
        EXPECT_NO_THROW(DeclarationFromJson(ParseDeclarationJson(json), d)) << json;
    }
}

TEST(JsonValues, AKeyGivenTwiceIsRefusedWhereverItStands) {
    struct Case {
        const char* json;
        const char* path;
    } cases[] = {
        {R"({"DeclarationKind": 0, "DeclarationKind": 1})", "«DeclarationKind»"},
        {R"({"Person": {"SurName": "А", "Name": "Б", "SurName": "В"}})", "«Person.SurName»"},
        {R"({"IncomeFlags": 1, "ThirteenPercentList": [{"INN": "1"},
            {"IncomeList": [{"Month": 1}, {"Month": 2, "Month": 3}]}]})",
         "«ThirteenPercentList[1].IncomeList[1].Month»"},
    };
    for (const Case& c : cases) {
        try {
            ParseDeclarationJson(c.json);
            ADD_FAILURE() << "accepted " << c.json;
        } catch (const JsonFormError& e) {
            EXPECT_NE(std::string(e.what()).find(c.path), std::string::npos) << e.what();
        }
    }
    // The same key in different objects is no repetition.
    EXPECT_NO_THROW(
        ParseDeclarationJson(R"({"Person": {"INN": "1"}, "x": [{"INN": 1}, {"INN": 2}]})"));
}

TEST(JsonValues, ADocumentWithAnUnknownKindOpensButItsJsonFormIsRefused) {
    // Documents stay as tolerant as they were: the value is kept, not lost.
    mTDeclaration d;
    d.DeclarationKind = 7;
    std::vector<uint8_t> image = d.BuildImage();
    mTDeclaration loaded;
    loaded.LoadFromImage(image.data(), image.size());
    EXPECT_EQ(loaded.DeclarationKind, 7);
    mTDeclaration fromJson;
    EXPECT_THROW(DeclarationFromJson(DeclarationToJson(loaded), fromJson), JsonValueRefused);
}

}  // namespace
}  // namespace zorv
