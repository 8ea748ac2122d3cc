// The export driver: file identifier and name, modes, failures, encoding.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "calc/svodsum.h"
#include "export/fileident.h"
#include "exporttest.h"
#include "storage/codepage.h"
#include "storage/fileloader.h"
#include "tempdir.h"

namespace zorv::testing {
namespace {

namespace fs = std::filesystem;

size_t FileCount(const fs::path& dir) {
    return static_cast<size_t>(
        std::distance(fs::recursive_directory_iterator(dir), fs::recursive_directory_iterator()));
}

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

int Shell(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const char kEmployee[] = R"({
  "InspectionCode": "7701",
  "Person": {"SurName": "Иванов", "Name": "Пётр", "INN": "123456789012", "OKATO": "45286560000"},
  "IncomeFlags": 1,
  "ThirteenPercentList": [{"INN": "7705012343", "KPP": "770501001", "SourceName": "ООО Ромашка",
    "TaxWithheld": "1300", "TaxableIncome": "10000", "TaxComputed": "1300",
    "IncomeList": [{"IncomeCode": 2000, "IncomeSum": "10000", "Month": 1}]}]
})";

TEST(ExportXml, FileIsNamedByInspectionInnDateAndGuid) {
    TempDir dir;
    mTDeclaration d = FromJson(kEmployee);
    Exported file = ExportText(d, 1, dir.Path().string());
    const std::string id = "NO_NDFL3_7701_7701_123456789012_20090315_" + std::string(kGuid);
    ASSERT_EQ(file.text, id + ".xml");
    EXPECT_TRUE(file.messages.empty());

    // The file holds exactly the text that mode 2 returns, and mode 2 writes nothing.
    Exported text = ExportText(d, 2, dir.Path().string());
    EXPECT_EQ(ReadText(dir.File(file.text)), text.text);
    EXPECT_EQ(FileCount(dir.Path()), 1u);

    XmlView view(text.text);
    EXPECT_EQ(view.AttrNames("/Файл"),
              (std::vector<std::string>{"ИдФайл", "ВерсПрог", "ВерсФорм"}));
    EXPECT_EQ(view.Attr("/Файл", "ИдФайл"), id);
    EXPECT_EQ(view.Attr("/Файл", "ВерсПрог"), "1.0.7");
    EXPECT_EQ(view.Attr("/Файл", "ВерсФорм"), "5.04");

    // Without INN the middle part is twelve zeros; blanks count as no INN.
    d.Person.INN = "  ";
    EXPECT_EQ(ExportText(d, 1, dir.Path().string()).text,
              "NO_NDFL3_7701_7701_000000000000_20090315_" + std::string(kGuid) + ".xml");
}

TEST(ExportXml, EachExportHasAFreshVersion4Guid) {
    TempDir dir;
    mTDeclaration d = FromJson(kEmployee);
    ExportOptions options;
    options.today = Day(2009, 3, 15);
    const std::string first = ExportXml(dir.Path().string(), d, 1, options);
    const std::string second = ExportXml(dir.Path().string(), d, 1, options);
    const std::regex name(
        "NO_NDFL3_7701_7701_123456789012_20090315_"
        "[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\.xml");
    EXPECT_TRUE(std::regex_match(first, name)) << first;
    EXPECT_TRUE(std::regex_match(second, name)) << second;
    EXPECT_NE(first, second);
    EXPECT_EQ(FileCount(dir.Path()), 2u);

    EXPECT_TRUE(IsGuidText("0f8fad5b-d9cb-469f-a165-70867728950e"));
    EXPECT_FALSE(IsGuidText("{0F8FAD5B-D9CB-469F-A165-70867728950E}"));
    EXPECT_FALSE(IsGuidText("0F8FAD5B-D9CB-469F-A165-70867728950"));
    EXPECT_FALSE(IsGuidText("0F8FAD5B-D9CB-469F-A165+70867728950E"));
    EXPECT_FALSE(IsGuidText("0F8FAD5B-D9CB-469F-A165-70867728950G"));
}

// A name made of an inspection code or INN with a path in it never leaves the folder.
TEST(ExportXml, NameThatWouldLeaveTheFolderIsRefused) {
    const struct {
        const char* inspection;
        const char* inn;
    } cases[] = {{"7701", "../../../../tmp/x"},
                 {"77/01", "123456789012"},
                 {"7701", "..\\x"},
                 {"7701", ".."},
                 {"77\n01", "123456789012"}};
    for (const auto& c : cases) {
        TempDir dir;
        fs::create_directory(dir.Path() / "out");
        mTDeclaration d = FromJson(kEmployee);
        d.InspectionCode = c.inspection;
        d.Person.INN = c.inn;
        Exported result = ExportText(d, 1, (dir.Path() / "out").string());
        EXPECT_EQ(result.text, kExportError) << c.inspection << " " << c.inn;
        ASSERT_EQ(result.messages.size(), 1u);
        EXPECT_EQ(result.messages[0].failure, ExportFailure::Refused);
        EXPECT_NE(result.messages[0].text.find("Файл декларации нельзя назвать"), std::string::npos)
            << result.messages[0].text;
        EXPECT_EQ(FileCount(dir.Path()), 1u) << c.inn;  // only the folder itself
    }
    EXPECT_EQ(UnsafeFileNameReason("NO_NDFL3_7701_7701_123456789012_20090315_X.xml"), "");
}

// The calculation fails part way: nothing is written, whatever it reached.
bool FailingCompute(kTSvodSum& s, mTDeclaration&) {
    s.Section1.L010 = Money::Rubles(100);
    return false;
}
bool ThrowingCompute(kTSvodSum&, mTDeclaration&) {
    throw std::out_of_range("list index");
}

TEST(ExportXml, FailedCalculationWritesNothing) {
    for (ComputeFunction compute : {FailingCompute, ThrowingCompute}) {
        TempDir dir;
        mTDeclaration d = FromJson(kEmployee);
        SetComputeFunctionForTesting(compute);
        Exported file = ExportText(d, 1, dir.Path().string());
        Exported text = ExportText(d, 2);
        SetComputeFunctionForTesting(nullptr);
        EXPECT_EQ(file.text, kExportError);
        EXPECT_EQ(text.text, kExportError);
        ASSERT_EQ(file.messages.size(), 1u);
        EXPECT_EQ(file.messages[0].failure, ExportFailure::Calculation);
        EXPECT_EQ(file.messages[0].text, exportmsg::kCalcFailed);
        EXPECT_EQ(FileCount(dir.Path()), 0u);
    }
}

long FailingWrite(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}

TEST(ExportXml, FailedSaveReportsAndLeavesNoFile) {
    TempDir dir;
    mTDeclaration d = FromJson(kEmployee);
    Exported missing = ExportText(d, 1, dir.File("no-such-folder"));
    EXPECT_EQ(missing.text, kExportError);
    ASSERT_EQ(missing.messages.size(), 1u);
    EXPECT_EQ(missing.messages[0].failure, ExportFailure::Writing);
    // The file and the reason, and no request to call the developers.
    const std::string& text = missing.messages[0].text;
    EXPECT_EQ(text.rfind("Ошибка записи файла: " + dir.File("no-such-folder") + "/NO_NDFL3_", 0),
              0u)
        << text;
    EXPECT_NE(text.find(".xml\nПапка не существует."), std::string::npos) << text;

    SetWriteFunctionForTesting(FailingWrite);
    Exported failed = ExportText(d, 1, dir.Path().string());
    SetWriteFunctionForTesting(nullptr);
    EXPECT_EQ(failed.text, kExportError);
    ASSERT_EQ(failed.messages.size(), 1u);
    EXPECT_EQ(failed.messages[0].failure, ExportFailure::Writing);
    EXPECT_NE(failed.messages[0].text.find("\nНедостаточно места на диске."), std::string::npos);
    EXPECT_EQ(FileCount(dir.Path()), 0u);
}

TEST(ExportXml, CharacterOutsideWindows1251IsRefusedNamingTheField) {
    TempDir dir;
    mTDeclaration d = FromJson(kEmployee);
    d.Person.SurName = "Zhōu";
    Exported result = ExportText(d, 1, dir.Path().string());
    EXPECT_EQ(result.text, kExportError);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].failure, ExportFailure::Refused);
    const std::string& m = result.messages[0].text;
    EXPECT_NE(m.find("«ō» (U+014D)"), std::string::npos) << m;
    EXPECT_NE(m.find("ФИОФЛ/Фамилия"), std::string::npos) << m;
    EXPECT_EQ(FileCount(dir.Path()), 0u);

    // A source's name deep in the tree is refused the same way.
    d.Person.SurName = "Чжоу";
    d.ThirteenPercent(0).SourceName = "Ромашка™ Ltd ✓";
    result = ExportText(d, 2);
    EXPECT_EQ(result.text, kExportError);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_NE(result.messages[0].text.find("ИстЮЛ/Наим"), std::string::npos);
    EXPECT_NE(result.messages[0].text.find("U+2713"), std::string::npos);
}

// The file as a reader sees it: well-formed, declared and really in windows-1251,
// markup characters escaped, control characters of old documents as blanks.
TEST(ExportXml, FileIsWellFormedWindows1251) {
    TempDir dir;
    mTDeclaration d = FromJson(kEmployee);
    d.Person.SurName = "О'Нил & <Сын> \"Ко\"";
    d.Person.City = "Москва\x01\tцентр";
    d.Person.Street = "Ёлкина №5 €";
    d.ThirteenPercent(0).SourceName = "ООО \"Рога & Копыта\" <филиал>";
    Exported file = ExportText(d, 1, dir.Path().string());
    ASSERT_TRUE(file.messages.empty()) << file.messages[0].text;
    const std::string path = dir.File(file.text);
    const std::string bytes = ReadText(path);

    EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n", 0), 0u);
    EXPECT_NE(bytes.find(Utf8ToCp1251("Ёлкина №5 €").text), std::string::npos);
    EXPECT_EQ(bytes.find("Ёлкина"), std::string::npos);  // not UTF-8
    EXPECT_NE(bytes.find("&amp;"), std::string::npos);
    EXPECT_NE(bytes.find("&lt;"), std::string::npos);
    EXPECT_NE(bytes.find("&quot;"), std::string::npos);
    EXPECT_EQ(bytes.find("&#"), std::string::npos);  // no character references

    EXPECT_EQ(Shell("xmllint --noout '" + path + "' 2>/dev/null"), 0);
    EXPECT_EQ(Shell("iconv -f cp1251 -t utf-8 '" + path + "' >/dev/null 2>&1"), 0);

    XmlView view(bytes);
    ASSERT_TRUE(view.Parsed());
    EXPECT_EQ(view.Attr(kPayer + "/ФИОФЛ", "Фамилия"), "О'Нил & <Сын> \"Ко\"");
    EXPECT_EQ(view.Attr(kPayer + "/СвАдрРФ/АдрРФ", "Город"), "Москва  центр");
    EXPECT_EQ(view.Attr(kDetails + "/ДоходИстРФ/РасчДохНал/ИстЮЛ", "Наим"),
              "ООО \"Рога & Копыта\" <филиал>");
}

}  // namespace
}  // namespace zorv::testing
