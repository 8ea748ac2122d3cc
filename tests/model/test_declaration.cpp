#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>

#include "fixtures.h"
#include "imagebuilder.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/errors.h"
#include "tempdir.h"

namespace zorv {
namespace {

using testing::ImageBuilder;
using testing::ReadBytes;
using testing::TempDir;

Json Fixture(const std::string& name) {
    return testing::ReadFixtureJson("model/" + name);
}

mTDeclaration FromFixture(const std::string& name) {
    mTDeclaration d;
    DeclarationFromJson(Fixture(name), d);
    return d;
}

Json Reloaded(const std::vector<uint8_t>& image) {
    mTDeclaration back;
    back.LoadFromImage(image.data(), image.size());
    return DeclarationToJson(back);
}

TEST(Declaration, DocumentDateIsItsOwnOrTheDayGiven) {
    const double today = DayNumber(2009, 3, 15);
    mTDeclaration d;
    EXPECT_FALSE(d.HasFilingDate()) << "a new declaration waits for the day of export";
    EXPECT_EQ(d.DocumentDate(today), today);
    d.FilingDate = DayNumber(2009, 4, 20);
    EXPECT_EQ(d.DocumentDate(today), d.FilingDate);
    // 31.12.2012 is where the hidden picker of a 3-NDFL of earlier versions stopped.
    d.FilingDate = DayNumber(2012, 12, 31);
    for (uint8_t kind : {kResident3NDFL, kNonResident3NDFL}) {
        d.DeclarationKind = kind;
        EXPECT_EQ(d.DocumentDate(today), today) << int(kind);
    }
    d.DeclarationKind = kEstimated4NDFL;  // shown and chosen there
    EXPECT_EQ(d.DocumentDate(today), d.FilingDate);
}

TEST(Declaration, SavedAndOpenedUnchanged) {
    TempDir dir;
    mTDeclaration d = FromFixture("full.json");
    std::string path = dir.File("full.zv8");
    d.SaveToFile(path);
    EXPECT_EQ(ReadBytes(path).size(), d.ComputeSize());
    EXPECT_EQ(ReadBytes(path), d.BuildImage());

    mTDeclaration back;
    back.LoadFromFile(path);
    EXPECT_EQ(DeclarationToJson(back), DeclarationToJson(d));
    // Saving what was read gives the same bytes again.
    back.SaveToFile(dir.File("again.zv8"));
    EXPECT_EQ(ReadBytes(dir.File("again.zv8")), ReadBytes(path));
}

// Switched-off blocks are not stored, so their values do not come back.
TEST(Declaration, WhatIsNotStoredIsNotRead) {
    mTDeclaration d = FromFixture("full.json");
    d.SocialDeduct.Granted = 0;
    d.SetIncomeFlags(kIncomeFromAgents);
    Json back = Reloaded(d.BuildImage());
    EXPECT_EQ(back["SocialDeduct"]["ChildEducationSums"].size(), 0u);
    EXPECT_EQ(back["SocialDeduct"]["PensList"].size(), 0u);
    EXPECT_EQ(back["AdvanceActual"], "0");
    EXPECT_FALSE(back.contains("BusinessList"));
}

TEST(Declaration, MissingYearStreamMeansTheTaxYear) {
    mTDeclaration d;
    d.Year = "2009";
    std::vector<uint8_t> image = d.BuildImage();
    image.resize(image.size() - 16);  // drop "@God" and its value
    EXPECT_EQ(Reloaded(image)["Year"], "2008");
}

TEST(Declaration, EveryTruncationFailsCleanly) {
    mTDeclaration d = FromFixture("full.json");
    std::vector<uint8_t> image = d.BuildImage();
    for (size_t size = 0; size < image.size(); ++size) {
        // The missing tail may fall inside "@God", whose absence is allowed.
        std::vector<uint8_t> cut(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(size));
        mTDeclaration back;
        try {
            back.LoadFromImage(cut.data(), cut.size());
            EXPECT_GE(size, image.size() - 16) << "a truncated image loaded at " << size;
        } catch (const mEPrivBase& e) {
            const std::string message = e.what();
            EXPECT_TRUE(message == msg::kBadFormat || message == msg::kNoStream)
                << size << ": " << message;
        }
    }
}

TEST(Declaration, StreamCountsLargerThanTheDataFail) {
    mTDeclaration d;
    d.SetIncomeFlags(kIncomeFromAgents);
    std::string text = testing::AsText(d.BuildImage());
    size_t at = text.find("@DeclInquiry") + 12;
    ASSERT_EQ(text.substr(at, 5), "00010");
    text.replace(at, 5, "0003999");
    std::string bytes = Utf8ToCp1251(text).text;
    mTDeclaration back;
    EXPECT_THROW(back.LoadFromImage(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                 mEPrivBase);
}

TEST(Declaration, ContextCodesTellWhereLoadingStopped) {
    TempDir dir;
    struct Case {
        const char* what;
        std::string bytes;
        uint16_t code;
        uint16_t context;
    } cases[] = {
        {"missing file", "", 20, 390},
        {"wrong signature", "XLSG", 68, 391},
        {"damaged header", ImageBuilder("Zorv2008", "0a", "02").Bytes(), 392, 392},
        {"taxpayer stream missing", ImageBuilder("Zorv2006").V("@DeclInfo").Bytes(), 210, 371},
    };
    for (const Case& c : cases) {
        std::string path = dir.File(std::string(c.what) + ".zv8");
        if (c.code != 20) testing::WriteBytes(path, c.bytes);
        mTDeclaration d;
        try {
            d.LoadFromFile(path);
            ADD_FAILURE() << c.what;
        } catch (const mEPrivBase& e) {
            EXPECT_EQ(e.ErrorCode(), c.code) << c.what;
            EXPECT_EQ(e.ContextCode(), c.context) << c.what;
        }
    }
}

// A storage error passing through a record carries that record's context code, in
// both directions.
TEST(Declaration, ErrorsCarryTheContextOfTheirRecord) {
    struct WriteCase {
        const char* what;
        std::function<void(mTDeclaration&)> spoil;  // a text that cannot be stored
        uint16_t context;
    } writes[] = {
        {"taxpayer", [](mTDeclaration& d) { d.Person.City = "@x"; }, 370},
        {"13 % source", [](mTDeclaration& d) { d.ThirteenPercent(1).SourceName = "@x"; }, 372},
        {"13 % line",
         [](mTDeclaration& d) {
             mTSourseIncome line = d.ThirteenPercent(0).Income(1);
             line.IncomeName = "@x";
             d.ThirteenPercent(0).SetIncome(1, line);
         },
         372},
        {"35 %", [](mTDeclaration& d) { d.ThirtyFivePercent(0).KPP = "@x"; }, 373},
        {"dividends", [](mTDeclaration& d) { d.ThirtyPercent(0).OKATO = "@x"; }, 375},
        {"currency", [](mTDeclaration& d) { d.CurrencyIncome(0).CurrencyName = "@x"; }, 377},
        {"business", [](mTDeclaration& d) { d.Business(1).ActivityCode = "@x"; }, 379},
        {"Repetit", [](mTDeclaration& d) { d.Repetit(0).Name = "@x"; }, 393},
        {"advance payment", [](mTDeclaration& d) { d.Nalog(1).BudgetCode = "@x"; }, 375},
        {"pension contract", [](mTDeclaration& d) { d.SocialDeduct.Pens(0).KPP = "@x"; }, 375},
        {"property", [](mTDeclaration& d) { d.ConstructionDeduct.Flat = "@x"; }, 385},
    };
    for (const WriteCase& c : writes) {
        mTDeclaration d = FromFixture("full.json");
        c.spoil(d);
        try {
            d.BuildImage();
            ADD_FAILURE() << c.what;
        } catch (const mEBadValue& e) {
            EXPECT_EQ(e.ContextCode(), c.context) << c.what;
        }
    }

    // Reading: the image ends right after the stream's name. Second entries of lists
    // stop inside the record that opened its stream by its own index.
    const std::vector<uint8_t> image = FromFixture("full.json").BuildImage();
    const std::string bytes(image.begin(), image.end());
    struct ReadCase {
        const char* stream;
        uint16_t context;
    } reads[] = {
        {"@PersonName", 371},         {"@PhoneForeignerWork", 371},   {"@ThirteenPercent001", 372},
        {"@SourseIncome000001", 372}, {"@ThirtyFivePercent000", 374}, {"@ThirtyPercent000", 376},
        {"@CurrencyIncome000", 378},  {"@BusinessExpense000", 380},   {"@BusinessIncome001", 380},
        {"@RepetitIncome000", 394},   {"@StandartDeduct", 382},       {"@SocialDeduct", 384},
        {"@PensSub000", 376},         {"@ConstructionDeduct", 386},   {"@NalogSub001", 376},
    };
    for (const ReadCase& c : reads) {
        size_t at = bytes.find(c.stream);
        ASSERT_NE(at, std::string::npos) << c.stream;
        std::vector<uint8_t> cut(
            image.begin(), image.begin() + static_cast<std::ptrdiff_t>(at + std::strlen(c.stream)));
        mTDeclaration back;
        try {
            back.LoadFromImage(cut.data(), cut.size());
            ADD_FAILURE() << c.stream;
        } catch (const mEPrivBase& e) {
            EXPECT_EQ(e.ContextCode(), c.context) << c.stream;
        }
    }
}

// A failed save or a refused value never touches the document on disk.
TEST(Declaration, RefusedSaveKeepsTheOldFile) {
    TempDir dir;
    std::string path = dir.File("doc.zv8");
    mTDeclaration d = FromFixture("full.json");
    d.SaveToFile(path);
    std::vector<uint8_t> before = ReadBytes(path);

    std::vector<std::function<void(mTDeclaration&)>> spoilers = {
        [](mTDeclaration& x) { x.Person.SurName = std::string(10000, 'x'); },
        [](mTDeclaration& x) { x.Person.City = "東京"; },
        [](mTDeclaration& x) { x.InspectionName = "@God"; },
    };
    for (auto& spoil : spoilers) {
        mTDeclaration changed = FromFixture("full.json");
        spoil(changed);
        EXPECT_THROW(changed.SaveToFile(path), mEBadValue);
        EXPECT_EQ(ReadBytes(path), before);
    }
}

// The standard block of an older build ends after the disabled children.
TEST(Declaration, OlderStandardBlockReadsWithoutTheMonthlyTables) {
    auto prefix = [] {
        ImageBuilder b;
        b.V({"@DeclInfo", "7701", "", "0", "0", "39448", "0", "5", "0", "1", "0"}).Repeat("0", 10);
        b.V({"", "0", "", ""});
        b.V({"@PersonName",
             "",
             "",
             "",
             "",
             "",
             "0",
             "@PersonDocument",
             "0",
             "",
             "",
             "0",
             "0",
             "",
             "",
             "0",
             "@PersonAddress",
             "0",
             "",
             "0",
             "",
             "",
             "",
             "",
             "",
             "",
             "",
             "",
             "",
             "@HomePhone",
             "",
             "",
             "@WorkPhone",
             "",
             ""});
        b.V({"@DeclInquiry", "0", "0", "0"});
        return b;
    };
    ImageBuilder old = prefix();
    old.V({"@StandartDeduct", "1", "104", "101", "1", "2", "1", "0"});
    old.V({"@SocialDeduct", "0", "@ConstructionDeduct", "0", "@Nalog", "0"});
    mTDeclaration d;
    d.LoadFromImage(old.Image().data(), old.Image().size());
    EXPECT_EQ(d.StandartDeduct.PersonalCode, 104u);
    EXPECT_EQ(d.StandartDeduct.ChildrenCount, 2u);
    EXPECT_EQ(d.StandartDeduct.HasMonthlyBusiness, 0);
    EXPECT_EQ(d.StandartDeduct.HasCodeByMonth, 0);
    EXPECT_EQ(d.Year, "2008");

    // When a value follows, it is the flag and is read as such; a bad one is an error.
    ImageBuilder current = prefix();
    current.V({"@StandartDeduct", "1", "110", "101", "1", "0", "1", "0", "0", "1"})
        .Repeat("105", 12)
        .V({"@SocialDeduct", "0", "@ConstructionDeduct", "0", "@Nalog", "0"});
    mTDeclaration e;
    e.LoadFromImage(current.Image().data(), current.Image().size());
    EXPECT_EQ(e.StandartDeduct.HasCodeByMonth, 1);
    EXPECT_EQ(e.StandartDeduct.CodeByMonth(12), 105u);

    ImageBuilder damaged = prefix();
    damaged.V({"@StandartDeduct", "1", "110", "101", "1", "0", "1", "0", "x"})
        .V({"@SocialDeduct", "0", "@ConstructionDeduct", "0", "@Nalog", "0"});
    mTDeclaration f;
    EXPECT_THROW(f.LoadFromImage(damaged.Image().data(), damaged.Image().size()), mEBadStorage);
}

// Documents of earlier years: the taxpayer alone, by the rules of the year.
TEST(Declaration, EarlierYearsLoadTheTaxpayerOnly) {
    auto document = [](const char* type, const char* minor, bool withForeigner,
                       bool withForeignerFlag, bool full) {
        ImageBuilder b(type, "01", minor);
        b.V({"@DeclInfo", "9999", "чужая инспекция"});
        b.V("@PersonName").V({"Петров", "Пётр", "Петрович", "771234567890"});
        if (full) b.V({"11223344595", "1"});
        b.V({"@PersonDocument", "21", "Паспорт", "45 01 000001"});
        if (std::string(minor) == "02") {
            b.V({"37000", "28000"});
        } else {
            b.V({"20.04.2001", "28.08.1976"});
        }
        if (full) b.V({"ОВД", "Москва"});
        if (withForeignerFlag) b.V("1");
        if (withForeigner) {
            b.V({"@Foreigner", "1", "УКРАИНА"});
            if (full) b.V({"Киев", "804"});
        }
        b.V({"@PersonAddress"});
        if (std::string(type) >= "Zorv2005" && std::string(type) <= "Zorv2008") b.V("1");
        b.V({"101000", "77", "Москва г", "", "", "", "Тверская ул", "1", "", "2"});
        return b.Image();
    };
    struct Case {
        const char* type;
        const char* minor;
        bool foreigner;
        bool flagWritten;
        bool full;
        uint8_t isForeigner;
        const char* sex;
        const char* citizenship;
        const char* code;
    } cases[] = {
        {"Zorv2004", "01", false, false, true, 0, "1", "РОССИЯ", "643"},
        {"Zorv2004", "01", true, false, true, 0, "1", "УКРАИНА", "804"},
        {"DeclPro", "00", true, false, false, 0, "0", "УКРАИНА", "643"},
    };
    for (const Case& c : cases) {
        auto image = document(c.type, c.minor, c.foreigner, c.flagWritten, c.full);
        mTDeclaration d;
        d.LoadFromImage(image.data(), image.size());
        EXPECT_EQ(d.IncomeFlags(), 0) << c.type;
        EXPECT_EQ(d.InspectionCode, "") << c.type;
        EXPECT_EQ(d.Person.SurName, "Петров") << c.type;
        EXPECT_EQ(d.Person.Sex, c.sex) << c.type;
        EXPECT_EQ(d.Person.IsForeigner, c.isForeigner) << c.type;
        EXPECT_EQ(d.Person.CitizenshipName, c.citizenship) << c.type;
        EXPECT_EQ(d.Person.CitizenshipCode, c.code) << c.type;
        EXPECT_EQ(d.Person.Flat, "2") << c.type;
        EXPECT_EQ(DateText(d.Person.BirthDate), "28.08.1976") << c.type;
        if (!c.full) {
            EXPECT_EQ(d.Person.DocIssuedBy, "");
            EXPECT_EQ(d.Person.OKATO, "");
        }
    }
}

TEST(Declaration, Year2006And2007Documents) {
    for (const char* type : {"Zorv2006", "Zorv2007"}) {
        ImageBuilder b(type, "01", "01");
        b.V({"@DeclInfo", "@PersonName", "Сидоров", "", "", "", "", "1"});
        b.V({"@PersonDocument", "10", "Паспорт иностранного гражданина", "N1", "01.01.2001",
             "01.01.1970", "", "", "1"});
        b.V({"@Foreigner", "2", "", "Berlin", "276", "@PhoneForeignerHome", "1", "2",
             "@PhoneForeignerWork", "3", "4"});
        b.V({"@PersonAddress", "1", "", "0", "", "", "", "", "", "", "", "", "45000000000",
             "@HomePhone", "", "123", "@WorkPhone", "", "456"});
        b.V({"@DeclInquiry", "5"});
        mTDeclaration d;
        d.LoadFromImage(b.Image().data(), b.Image().size());
        EXPECT_EQ(d.Person.IsForeigner, std::string(type) == "Zorv2006" ? 1 : 0) << type;
        EXPECT_EQ(d.Person.CitizenshipKind, "2");
        EXPECT_EQ(d.Person.ForeignWorkPhone2, "4");
        EXPECT_EQ(d.Person.IsTemporaryAddress, 1);
        EXPECT_EQ(d.Person.OKATO, "45000000000");
        EXPECT_EQ(d.Person.WorkPhone, "456");
        EXPECT_EQ(d.IncomeFlags(), 0);
    }
}

// Format 1.0: no primary-workplace byte in a 13 % source, dates as text.
TEST(Declaration, Format10ThirteenPercentSource) {
    ImageBuilder b("Zorv2008", "01", "00");
    b.V({"@DeclInfo", "7701", "", "0", "0", "01.03.2008", "0", "5", "0", "1", "0"}).Repeat("0", 10);
    b.V({"", "0", "", ""});
    b.V({"@PersonName",
         "",
         "",
         "",
         "",
         "",
         "0",
         "@PersonDocument",
         "0",
         "",
         "",
         "01.01.1990",
         "01.01.1977",
         "",
         "",
         "0",
         "@PersonAddress",
         "0",
         "",
         "0",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "@HomePhone",
         "",
         "",
         "@WorkPhone",
         "",
         ""});
    b.V({"@DeclInquiry", "1"})
        .V({"@ThirteenPercent000", "7705000000", "", "", "Агент", "1", "2", "3"});
    b.Repeat("a", 12).V({"0", "0", "0"});
    b.V({"@StandartDeduct", "0", "@SocialDeduct", "0", "@ConstructionDeduct", "0", "@Nalog", "0"});
    mTDeclaration d;
    d.LoadFromImage(b.Image().data(), b.Image().size());
    ASSERT_EQ(d.ThirteenPercentCount(), 1u);
    EXPECT_EQ(d.ThirteenPercent(0).IsPrimaryWorkplace, 0);
    EXPECT_EQ(d.ThirteenPercent(0).INN, "7705000000");
    EXPECT_EQ(d.ThirteenPercent(0).TaxComputed, Money::Rubles(3));
    EXPECT_EQ(DateText(d.FilingDate), "01.03.2008");
}

}  // namespace
}  // namespace zorv
