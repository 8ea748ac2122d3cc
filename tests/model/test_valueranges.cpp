#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "fixtures.h"
#include "imagebuilder.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/documentstorage.h"
#include "storage/errors.h"
#include "storage/fileloader.h"
#include "tempdir.h"

namespace zorv {
namespace {

using testing::ImageBuilder;

// A value read from a document in the JSON form, where the model's field is compared.
Json AsJson(Money m) {
    return MoneyToJson(m);
}
Json AsJson(double dayNumber) {
    return DateToJson(dayNumber);
}
Json AsJson(uint32_t n) {
    return n;
}
Json AsJson(const std::string& s) {
    return s;
}

// The value of one stored text: as the document reader takes it, the text the writer
// stores for that value, and the value read back from that text.
struct StoredValue {
    Json read;
    std::string written;
    Json readBack;
};

template <typename Read, typename Write>
StoredValue ThroughDocument(std::string_view text, Read read, Write write) {
    auto image = ImageBuilder().V({"@S", text}).Image();
    mTDocumentStorage in(image.data(), image.size());
    in.OpenDocument();
    in.OpenStream("@S");
    auto value = read(in);

    mTFileLoader loader(1000);
    mTDocumentStorage out(&loader);
    out.CreateDocument(kDocumentTypeName);
    out.BeginStream("@S");
    write(out, value);
    std::vector<uint8_t> saved(loader.Data(), loader.Data() + out.Position());
    mTDocumentStorage back(saved.data(), saved.size());
    back.OpenDocument();
    back.OpenStream("@S");
    std::string written = testing::AsText(saved).substr(kHeaderSize + 6 + 4);
    return {AsJson(value), written, AsJson(read(back))};
}

// One kind of value: how the document stores it and a field of that kind in the
// JSON form.
struct Kind {
    std::function<StoredValue(std::string_view)> throughDocument;
    uint16_t damagedCode;
    Json::json_pointer field;
};

template <typename Read, typename Write>
Kind MakeKind(Read read, Write write, uint16_t damagedCode, const char* field) {
    return {[=](std::string_view text) { return ThroughDocument(text, read, write); }, damagedCode,
            Json::json_pointer(field)};
}

const Kind kMoney = MakeKind([](auto& s) { return s.ReadMoney(); },
                             [](auto& s, Money v) { s.WriteMoney(v); }, 124, "/ExpectedIncome");
const Kind kDay = MakeKind([](auto& s) { return s.ReadDate(); },
                           [](auto& s, double v) { s.WriteDate(v); }, 134, "/FilingDate");
const Kind kInt = MakeKind([](auto& s) { return s.ReadInt(); },
                           [](auto& s, uint32_t v) { s.WriteInt(v); }, 104, "/CorrectionNumber");
const Kind kShort = MakeKind([](auto& s) { return uint32_t{s.ReadShort()}; },
                             [](auto& s, uint32_t v) { s.WriteShort(static_cast<uint16_t>(v)); },
                             114, "/Person/RegionCode");
const Kind kByte =
    MakeKind([](auto& s) { return uint32_t{s.ReadByte()}; },
             [](auto& s, uint32_t v) { s.WriteByte(static_cast<uint8_t>(v)); }, 144, "/IsPrimary");
const Kind kText =
    MakeKind([](auto& s) { return s.ReadStr(); },
             [](auto& s, const std::string& v) { s.WriteStr(v); }, 95, "/Person/City");

// Values at and beyond the edge of each range. Whatever the document reader takes is
// written so that it reads back unchanged; the JSON form takes nothing the document
// reader refuses, and what it takes saves and reads back the same.
TEST(ValueRanges, ReadWrittenAndReadBackAtTheEdges) {
    struct Case {
        const char* what;
        const Kind& kind;
        const char* text;     // as the document holds it
        const char* written;  // what the writer stores for it; nullptr: refused as damaged
        const char* json;     // a value at the same edge in the JSON form
        bool jsonTakes;
    } cases[] = {
        {"largest amount", kMoney, "922337203685477", "922337203685477", "922337203685477", true},
        {"largest amount as text", kMoney, "922337203685477", "922337203685477",
         R"("922337203685477")", true},
        // An expected income is never negative: the JSON form refuses it.
        {"smallest amount", kMoney, "-922337203685477", "-922337203685477", "-922337203685477",
         false},
        {"rounded up to the largest", kMoney, "922337203685476.99995", "922337203685477",
         R"("922337203685476.99995")", false},
        {"a ten-thousandth beyond", kMoney, "922337203685477.0001", nullptr,
         R"("922337203685477.0001")", false},
        {"rounded up beyond", kMoney, "-922337203685477.00005", nullptr, "-922337203685478", false},
        {"a ruble beyond", kMoney, "922337203685478", nullptr, "922337203685478", false},
        {"the 64-bit limit", kMoney, "922337203685477.5807", nullptr, "9223372036854775807", false},

        {"whole day in 15 digits", kDay, "39448.5", "39448.5", "39448.5", true},
        {"time needing 17 digits", kDay, "39448.123456789013", "39448.123456789013",
         "39448.123456789013", true},
        {"last moment of 9999", kDay, "2958465.9999999995", "2958465.9999999995",
         "2958465.9999999995", true},
        {"first moment of year 1", kDay, "-693593.99999999988", "-693593.99999999988",
         "-693593.99999999988", true},
        {"first day of year 1", kDay, "-693593", "-693593", R"("01.01.0001")", true},
        {"day after 31.12.9999", kDay, "2958466", nullptr, "2958466", false},
        {"day before 01.01.0001", kDay, "-693594", nullptr, "-693594", false},
        {"a day number of 98 digits", kDay, "5.398920001000015e97", nullptr, "5.398920001000015e97",
         false},

        {"largest int", kInt, "4294967295", "4294967295", "4294967295", true},
        {"negative int keeps 32 bits", kInt, "-2147483648", "2147483648", "-2147483648", false},
        {"int beyond", kInt, "4294967296", nullptr, "4294967296", false},
        {"negative int beyond", kInt, "-2147483649", nullptr, "-2147483649", false},
        {"largest short", kShort, "65535", "65535", "65535", true},
        {"short keeps 16 bits", kShort, "65537", "1", "65537", false},
        {"largest byte", kByte, "255", "255", "255", true},
        {"byte keeps 8 bits", kByte, "257", "1", "257", false},

        {"control characters", kText, "Москва\tТверь\n", "Москва\tТверь\n", R"("Москва\tТверь\n")",
         true},
        {"a stream name in place of a text", kText, "@God", nullptr, R"("@God")", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<StoredValue> stored;
        try {
            stored = c.kind.throughDocument(c.text);
        } catch (const mEBadStorage& e) {
            EXPECT_EQ(e.ErrorCode(), c.kind.damagedCode);
        }
        ASSERT_EQ(stored.has_value(), c.written != nullptr);
        if (stored) {
            EXPECT_EQ(stored->written, c.written);
            EXPECT_EQ(stored->readBack, stored->read);
        }

        mTDeclaration fromJson;
        Json json = Json::object();
        json[c.kind.field] = Json::parse(c.json);
        bool taken = true;
        try {
            DeclarationFromJson(json, fromJson);
        } catch (const JsonFormError&) {
            taken = false;
        }
        ASSERT_EQ(taken, c.jsonTakes);
        if (!taken) continue;
        ASSERT_TRUE(stored) << "the JSON form takes what the document reader refuses";
        EXPECT_EQ(DeclarationToJson(fromJson)[c.kind.field], stored->read);
        std::vector<uint8_t> image = fromJson.BuildImage();
        mTDeclaration back;
        back.LoadFromImage(image.data(), image.size());
        EXPECT_EQ(DeclarationToJson(back)[c.kind.field], stored->read);
        EXPECT_EQ(back.BuildImage(), image);
    }
}

// Values held in the model beyond their range are refused by the writer, never
// stored as text the reader would refuse.
TEST(ValueRanges, WriterRefusesValuesOutOfRange) {
    struct Case {
        std::function<void(mTDeclaration&)> spoil;
        const char* part;
    } cases[] = {
        {[](mTDeclaration& d) { d.ExpectedIncome = Money::FromRaw(INT64_MAX); }, "922337203685477"},
        {[](mTDeclaration& d) { d.ExpectedIncome = -Money::FromRaw(INT64_MAX); },
         "922337203685477"},
        {[](mTDeclaration& d) { d.FilingDate = 2958466; }, "31.12.9999"},
        {[](mTDeclaration& d) { d.Person.BirthDate = std::numeric_limits<double>::quiet_NaN(); },
         "31.12.9999"},
    };
    for (const Case& c : cases) {
        mTDeclaration d;
        c.spoil(d);
        try {
            d.BuildImage();
            ADD_FAILURE() << "saved " << c.part;
        } catch (const mEBadValue& e) {
            EXPECT_NE(std::string(e.what()).find(c.part), std::string::npos) << e.what();
        }
    }
}

std::vector<uint8_t> RegressionFile() {
    return testing::ReadBytes(testing::FixturePath("model/day-number-17-digits.zv8"));
}

// A damaged document whose day number (5.4e97) was read, saved with 15 digits and
// written to JSON that could not be read back: the reader now refuses it.
TEST(ValueRanges, DayNumberOf98DigitsIsDamage) {
    std::vector<uint8_t> image = RegressionFile();
    ASSERT_FALSE(image.empty());
    mTDeclaration d;
    try {
        d.LoadFromImage(image.data(), image.size());
        FAIL() << "loaded";
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.ErrorCode(), 134);
        EXPECT_STREQ(e.what(), msg::kBadFormat);
    }
}

// The same document with a day number of 17 significant digits inside the range:
// document, JSON text and document again give the same bytes and the same day.
TEST(ValueRanges, SeventeenDigitDayNumberSurvivesDocumentAndJson) {
    std::vector<uint8_t> image = RegressionFile();
    std::string bytes(image.begin(), image.end());
    const std::string damaged = "0100005398920001";
    size_t at = bytes.find(damaged);
    ASSERT_NE(at, std::string::npos);
    std::string day = "39892.000100001525";
    bytes.replace(at + 4, 100, std::string(100 - day.size(), '0') + day);

    mTDeclaration loaded;
    loaded.LoadFromImage(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(loaded.Person.DocIssueDate, 39892.000100001525);
    // The file also holds a negative object cost, which the JSON form refuses.
    ASSERT_TRUE(loaded.ConstructionDeduct.ObjectCost.IsNegative());
    loaded.ConstructionDeduct.ObjectCost = -loaded.ConstructionDeduct.ObjectCost;
    std::vector<uint8_t> saved = loaded.BuildImage();
    EXPECT_NE(testing::AsText(saved).find("001839892.000100001525"), std::string::npos);

    mTDeclaration reread;
    reread.LoadFromImage(saved.data(), saved.size());
    EXPECT_EQ(reread.BuildImage(), saved);

    mTDeclaration fromJson;
    DeclarationFromJson(Json::parse(DeclarationToJson(loaded).dump()), fromJson);
    EXPECT_EQ(fromJson.Person.DocIssueDate, 39892.000100001525);
    EXPECT_EQ(fromJson.BuildImage(), saved);
}

}  // namespace
}  // namespace zorv
