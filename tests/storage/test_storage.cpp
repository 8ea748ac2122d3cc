#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "imagebuilder.h"
#include "storage/documentstorage.h"
#include "storage/errors.h"
#include "storage/fileloader.h"

namespace zorv {
namespace {

using testing::ImageBuilder;

std::string Written(const mTFileLoader& loader, const mTDocumentStorage& s) {
    return std::string(reinterpret_cast<const char*>(loader.Data()), s.Position());
}

TEST(DocumentStorage, NewImageIsTheSixtyByteHeader) {
    mTFileLoader loader(60);
    mTDocumentStorage s(&loader);
    s.CreateDocument("Zorv2008");
    EXPECT_EQ(Written(loader, s), "DLSG            Zorv20080102" + std::string(32, 'F'));
    EXPECT_TRUE(s.IsCreated());
    EXPECT_TRUE(s.IsOpened());
}

TEST(DocumentStorage, ValuesAreLengthPrefixedText) {
    mTFileLoader loader(400);
    mTDocumentStorage s(&loader);
    s.CreateDocument("Zorv2008");
    s.BeginStream("@DeclInfo");
    s.WriteStr("");
    s.WriteStr("Иванов");
    s.WriteInt(4294967295u);
    s.WriteShort(65535);
    s.WriteByte(7);
    s.WriteMoney(Money::FromRaw(12345000));
    s.WriteMoney(Money::FromRaw(1));
    s.WriteMoney(Money::FromRaw(-122500));
    s.WriteDate(39448);
    s.WriteDate(39448.5);
    s.WriteAbsentMoney();
    std::string body = Written(loader, s).substr(60);
    EXPECT_EQ(testing::AsText(std::vector<uint8_t>(body.begin(), body.end())),
              "0009@DeclInfo00000006Иванов001042949672950005655350001700061234.500060.0001"
              "0006-12.25000539448000739448.50001a");

    mTDocumentStorage r(loader.Data(), s.Position());
    r.OpenDocument();
    r.OpenStream("@DeclInfo");
    EXPECT_EQ(r.ReadStr(), "");
    EXPECT_EQ(r.ReadStr(), "Иванов");
    EXPECT_EQ(r.ReadInt(), 4294967295u);  // the whole unsigned range reads back
    EXPECT_EQ(r.ReadShort(), 65535);
    EXPECT_EQ(r.ReadByte(), 7);
    EXPECT_EQ(r.ReadMoney(), Money::FromRaw(12345000));
    EXPECT_EQ(r.ReadMoney(), Money::FromRaw(1));
    EXPECT_EQ(r.ReadMoney(), Money::FromRaw(-122500));
    EXPECT_EQ(r.ReadDate(), 39448);
    EXPECT_EQ(r.ReadDate(), 39448.5);
    EXPECT_EQ(r.ReadMoney(), Money::Absent());
    EXPECT_TRUE(r.AtStreamEnd());
}

TEST(DocumentStorage, ReadsMoneyWithEitherSeparatorAndDatesByFormat) {
    auto image = ImageBuilder().V({"@S", "12,5", "12.5", "39448", "39448,25"}).Image();
    mTDocumentStorage s(image.data(), image.size());
    s.OpenDocument();
    s.OpenStream("@S");
    EXPECT_EQ(s.ReadMoney(), Money::FromRaw(125000));
    EXPECT_EQ(s.ReadMoney(), Money::FromRaw(125000));
    EXPECT_EQ(s.ReadDate(), 39448);
    EXPECT_EQ(s.ReadDate(), 39448.25);

    // Before format 1.2 a date is the text "dd.mm.yyyy".
    auto old =
        ImageBuilder("Zorv2008", "01", "01").V({"@S", "01.01.2008", "01,01,2008", "39448"}).Image();
    mTDocumentStorage o(old.data(), old.size());
    o.OpenDocument();
    EXPECT_EQ(o.Format(), FormatNumber(1, 1));
    o.OpenStream("@S");
    EXPECT_EQ(o.ReadDate(), 39448);
    EXPECT_EQ(o.ReadDate(), 39448);
    EXPECT_THROW(o.ReadDate(), mEBadStorage);
}

TEST(DocumentStorage, FindsStreamsOnlyAsWholeValues) {
    // "@Nalog" stands before the longer names that begin with it, and a text that
    // merely contains a stream name is not taken for it.
    auto image =
        ImageBuilder()
            .V({"@Person", "Фирма @God", "@Nalog", "1", "@NalogSub000", "2", "@God", "2008"})
            .Image();
    mTDocumentStorage s(image.data(), image.size());
    s.OpenDocument();
    s.OpenStream("@NalogSub000");
    EXPECT_EQ(s.ReadStr(), "2");
    s.OpenStream("@Nalog");
    EXPECT_EQ(s.ReadStr(), "1");
    s.OpenStream("@God");
    EXPECT_EQ(s.ReadStr(), "2008");
    EXPECT_EQ(s.CurrentStream(), "@God");
    uint32_t before = s.Position();
    EXPECT_THROW(s.OpenStream("@Missing"), mEOpenStream);
    EXPECT_EQ(s.Position(), before);
}

TEST(DocumentStorage, ZeroBytesAfterTheDataEndTheImage) {
    std::string bytes = ImageBuilder().V({"@A", "x"}).Bytes() + std::string(20, '\0');
    std::vector<uint8_t> image(bytes.begin(), bytes.end());
    mTDocumentStorage s(image.data(), image.size());
    s.OpenDocument();
    s.OpenStream("@A");
    EXPECT_EQ(s.ReadStr(), "x");
    EXPECT_TRUE(s.AtStreamEnd());
    EXPECT_THROW(s.OpenStream("@B"), mEOpenStream);
}

TEST(DocumentStorage, WrongSignatureLeavesTheCursorFresh) {
    for (std::string bytes :
         {std::string("DLSX") + std::string(56, 'F'), std::string("DL"), std::string()}) {
        std::vector<uint8_t> image(bytes.begin(), bytes.end());
        mTDocumentStorage s(image.data(), image.size());
        try {
            s.OpenDocument();
            FAIL() << "opened " << bytes;
        } catch (const mEBadStorage& e) {
            EXPECT_EQ(e.ErrorCode(), 68);
            EXPECT_STREQ(e.what(), "Неправильный формат файла декларации, возможно он поврежден.");
        }
        EXPECT_FALSE(s.IsOpened());
    }
}

// Each failing step: its error class, code and message.
TEST(DocumentStorage, ErrorsCarryTheirClassCodeAndMessage) {
    const std::string kReadOnly = "Попытка записи в память только для чтения";
    const std::string kNotInit = "Попытка доступа к неинициализированным данным.";
    const std::string kAlready = "Объект уже был создан.";
    auto image = ImageBuilder().V({"@S", "1"}).Image();

    struct Case {
        const char* what;
        std::function<void()> action;
        const std::type_info& type;
        uint16_t code;
        std::string message;
    };
    auto fresh = [] { return std::make_unique<mTFileLoader>(100); };
    auto loader = fresh();
    std::vector<Case> cases = {
        {"create without a loader", [] { mTDocumentStorage(nullptr).CreateDocument("Zorv2008"); },
         typeid(mEMemoryAllocate), 50, "Не выделена память."},
        {"create read-only",
         [&] { mTDocumentStorage(image.data(), image.size()).CreateDocument("x"); },
         typeid(mEMemoryAllocate), 50, "Не выделена память."},
        {"create twice",
         [&] {
             mTDocumentStorage s(loader.get());
             s.CreateDocument("Zorv2008");
             s.CreateDocument("Zorv2008");
         },
         typeid(mEAlreadyCreated), 52, kAlready},
        {"open twice",
         [&] {
             mTDocumentStorage s(image.data(), image.size());
             s.OpenDocument();
             s.OpenDocument();
         },
         typeid(mEAlreadyCreated), 69, kAlready},
        {"stream before opening", [&] { mTDocumentStorage(loader.get()).BeginStream("@A"); },
         typeid(mEObjectAccess), 82, kNotInit},
        {"stream on a read-only image",
         [&] {
             mTDocumentStorage s(image.data(), image.size());
             s.OpenDocument();
             s.BeginStream("@A");
         },
         typeid(mEWriteStorage), 81, kReadOnly},
        {"search before opening", [&] { mTDocumentStorage(loader.get()).OpenStream("@A"); },
         typeid(mEObjectAccess), 211, kNotInit},
        {"search for a missing stream",
         [&] {
             mTDocumentStorage s(image.data(), image.size());
             s.OpenDocument();
             s.OpenStream("@A");
         },
         typeid(mEOpenStream), 210, "Попытка открытия несуществующего потока"},
    };
    const uint16_t readCodes[] = {93, 102, 112, 122, 132, 142};
    const std::function<void(mTDocumentStorage&)> reads[] = {
        [](auto& s) { s.ReadStr(); },   [](auto& s) { s.ReadInt(); },
        [](auto& s) { s.ReadShort(); }, [](auto& s) { s.ReadMoney(); },
        [](auto& s) { s.ReadDate(); },  [](auto& s) { s.ReadByte(); }};
    for (int i = 0; i < 6; ++i) {
        cases.push_back({"read before opening",
                         [&, i] {
                             mTDocumentStorage s(loader.get());
                             reads[i](s);
                         },
                         typeid(mEObjectAccess), readCodes[i], kNotInit});
    }
    const uint16_t writeCodes[] = {150, 160, 170, 180, 190, 200};
    const std::function<void(mTDocumentStorage&)> writes[] = {
        [](auto& s) { s.WriteStr("x"); }, [](auto& s) { s.WriteInt(1); },
        [](auto& s) { s.WriteShort(1); }, [](auto& s) { s.WriteMoney(Money()); },
        [](auto& s) { s.WriteDate(1); },  [](auto& s) { s.WriteByte(1); }};
    for (int i = 0; i < 6; ++i) {
        cases.push_back({"write on a read-only image",
                         [&, i] {
                             mTDocumentStorage s(image.data(), image.size());
                             s.OpenDocument();
                             writes[i](s);
                         },
                         typeid(mEWriteStorage), writeCodes[i], kReadOnly});
        cases.push_back({"write before creating",
                         [&, i] {
                             mTDocumentStorage s(loader.get());
                             writes[i](s);
                         },
                         typeid(mEObjectAccess), static_cast<uint16_t>(writeCodes[i] + 1),
                         kNotInit});
    }
    for (const Case& c : cases) {
        loader = fresh();
        try {
            c.action();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const mEPrivBase& e) {
            EXPECT_EQ(typeid(e), c.type) << c.what;
            EXPECT_EQ(e.ErrorCode(), c.code) << c.what;
            EXPECT_EQ(e.what(), c.message) << c.what;
            EXPECT_EQ(e.ContextCode(), 0) << c.what;
        }
    }
}

TEST(DocumentStorage, RefusesValuesTheImageCannotHold) {
    mTFileLoader loader(30000);
    mTDocumentStorage s(&loader);
    s.CreateDocument("Zorv2008");
    s.BeginStream("@A");
    uint32_t before = s.Position();
    struct Case {
        std::string text;
        uint16_t code;
        const char* part;
    } cases[] = {
        {std::string(10000, 'x'), 153, "9999"},
        {"Фирма 中国", 154, "«中»"},
        {"@God", 155, "«@»"},
        {std::string("a\0b", 3), 155, "недопустимый"},
    };
    for (const Case& c : cases) {
        try {
            s.WriteStr(c.text);
            ADD_FAILURE() << "accepted " << c.code;
        } catch (const mEBadValue& e) {
            EXPECT_EQ(e.ErrorCode(), c.code);
            EXPECT_NE(std::string(e.what()).find(c.part), std::string::npos)
                << e.what() << " / " << c.part;
        }
        EXPECT_EQ(s.Position(), before);
    }
    s.WriteStr(std::string(9999, 'x'));
    EXPECT_EQ(s.Position(), before + 4 + 9999);
}

TEST(DocumentStorage, AFullImageIsRefusedNotOverrun) {
    mTFileLoader loader(66);
    mTDocumentStorage s(&loader);
    s.CreateDocument("Zorv2008");
    s.WriteStr("ab");
    EXPECT_THROW(s.WriteStr("c"), mEMemoryAllocate);
}

// A damaged image: every read stays inside it and fails with the format error.
TEST(DocumentStorage, DamagedValuesAreFormatErrors) {
    struct Case {
        const char* what;
        std::string tail;
    } cases[] = {
        {"length past the end", "0002@S0009abc"},
        {"non-digits in a length", "0002@S00x1a"},
        {"a length cut short", "0002@S00"},
        {"a number that is not one", "0002@S0003abc"},
        {"a zero-length number at the end", "0002@S0000"},
    };
    for (const Case& c : cases) {
        std::string bytes = ImageBuilder().Raw(c.tail).Bytes();
        std::vector<uint8_t> image(bytes.begin(), bytes.end());
        mTDocumentStorage s(image.data(), image.size());
        s.OpenDocument();
        s.OpenStream("@S");
        EXPECT_THROW(s.ReadInt(), mEBadStorage) << c.what;
    }
    // A search that meets a damaged value before finding the name.
    std::string bytes = ImageBuilder().V("@A").Raw("9999xyz").Bytes();
    std::vector<uint8_t> image(bytes.begin(), bytes.end());
    mTDocumentStorage s(image.data(), image.size());
    s.OpenDocument();
    s.OpenStream("@A");
    try {
        s.OpenStream("@B");
        FAIL();
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.ErrorCode(), 212);
    }
}

TEST(DocumentStorage, ZeroLengthNumberTakesOneByte) {
    auto image = ImageBuilder().V("@S").Raw("00007").Image();
    mTDocumentStorage s(image.data(), image.size());
    s.OpenDocument();
    s.OpenStream("@S");
    EXPECT_EQ(s.ReadInt(), 7u);
}

TEST(DocumentStorage, HeaderIsReadAndTrimmed) {
    auto image = ImageBuilder("Zorv2006", "01", "01").V("@A").Image();
    mTDocumentStorage s(image.data(), image.size());
    s.OpenDocument();
    EXPECT_EQ(s.TypeName(), "Zorv2006");
    EXPECT_EQ(s.FormatMajor(), 1);
    EXPECT_EQ(s.FormatMinor(), 1);
    EXPECT_EQ(s.ReservedText(), std::string(32, 'F'));
    EXPECT_EQ(s.Position(), 60u);

    auto bad = ImageBuilder("Zorv2008", "0x", "02").Image();
    mTDocumentStorage b(bad.data(), bad.size());
    try {
        b.OpenDocument();
        FAIL();
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.ErrorCode(), 61);
    }
    EXPECT_FALSE(b.IsOpened());
}

}  // namespace
}  // namespace zorv
