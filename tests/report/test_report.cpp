#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/declaration.h"
#include "model/jsonform.h"
#include "report/qz2008rep.h"
#include "report/reportdata.h"
#include "report/reportrun.h"
#include "report/reportsums.h"
#include "report/textfile.h"
#include "storage/codepage.h"
#include "storage/daynumber.h"
#include "storage/documentstorage.h"
#include "storage/errors.h"
#include "tempdir.h"

namespace zorv {
namespace {

using testing::ReadBytes;
using testing::TempDir;

const std::string kFixtures = std::string(ZORV_SOURCE_DIR) + "/tests/fixtures/report/";
const kTNow kMoment{2009, 3, 20, 14, 5, 9};

Json ReadJson(const std::string& path) {
    std::ifstream in(path);
    return Json::parse(in);
}

mTDeclaration FromJson(const Json& json) {
    mTDeclaration d;
    DeclarationFromJson(json, d);
    return d;
}

// The image as the main program hands it over: the data and one zero byte.
std::vector<uint8_t> HandedImage(const mTDeclaration& d) {
    std::vector<uint8_t> image = d.BuildImage();
    image.push_back(0);
    return image;
}

kTDanLog Load(const std::vector<uint8_t>& image) {
    return kTDanLog(image.data(), BareImageLength(image.data()), true);
}

// A resident's declaration with every income group switched on.
mTDeclaration Resident() {
    mTDeclaration d;
    d.InspectionCode = "7705";
    d.DeclarationKind = kResident3NDFL;
    d.SetIncomeFlags(kIncomeFromAgents | kIncomeForeign);
    d.Person.OKATO = "45286560000";
    d.StandartDeduct.Granted = 0;
    return d;
}

mTDeclaration Estimated(const std::string& fixture) {
    return FromJson(ReadJson(kFixtures + fixture + ".json"));
}

std::string Utf8Lines(const std::string& cp866) {
    return ConvertText(cp866, "CP866", "UTF-8").text;
}

// ---- loading ----

TEST(ReportData, PersonTextsAreNeverEmptyAndCitizenshipIsAForeignersOnly) {
    mTDeclaration d = Estimated("blank_inn");
    d.Person.Name = "  ";
    d.Person.PostIndex = "";
    d.Person.District = "";
    d.Person.WorkPhone = "  222 ";
    d.Person.CitizenshipName = "Франция";  // stored, but the box is not ticked
    d.Person.CitizenshipCode = "250";
    kTDanLog data = Load(HandedImage(d));

    EXPECT_EQ(data.Person.Name, " ");
    EXPECT_EQ(data.Person.INN, " ");
    EXPECT_EQ(data.Person.District, " ");
    EXPECT_EQ(data.Person.PostIndex, "      ");
    EXPECT_EQ(data.Person.SurName, "Сидорова");
    EXPECT_EQ(data.Person.WorkPhone, "222");
    EXPECT_EQ(data.Person.CitizenshipName, "РОССИЯ");
    EXPECT_EQ(data.Person.CitizenshipCode, "643");
    EXPECT_EQ(data.Header.DeclarationKind, kEstimated4NDFL);
    EXPECT_EQ(data.Header.ExpectedIncome, Money::Parse("150000.5"));
    EXPECT_FALSE(data.PrintDate);

    d.Person.IsForeigner = 1;
    d.Person.CitizenshipName = "";
    kTDanLog foreigner = Load(HandedImage(d));
    EXPECT_EQ(foreigner.Person.CitizenshipName, "РОССИЯ");  // empty name
    EXPECT_EQ(foreigner.Person.CitizenshipCode, "250");
}

TEST(ReportData, NoIncomeGroupsMeansNoListsAndNoDeductions) {
    mTDeclaration d = Estimated("blank_inn");
    d.StandartDeduct.Granted = 1;
    kTDanLog data = Load(HandedImage(d));
    EXPECT_EQ(data.Declaration.ThirteenPercentCount(), 0u);
    EXPECT_EQ(data.Declaration.CurrencyIncomeCount(), 0u);
    EXPECT_EQ(data.Declaration.StandartDeduct.Granted, 0);
    EXPECT_EQ(data.Declaration.SocialDeduct.Granted, 0);
    EXPECT_EQ(data.Declaration.ConstructionDeduct.Granted, 0);
    EXPECT_EQ(data.Declaration.ConstructionDeduct.ObjectName, " ");
    EXPECT_EQ(data.PropertyShare, 1.0);
}

TEST(ReportData, ForeignIncomeDeductionIsLimitedOutsideSecurities) {
    struct Case {
        uint32_t code;
        uint32_t rate;
        const char* tax;
        const char* deduct;
        const char* accepted;
        const char* inRussia;
        const char* credited;
    } cases[] = {
        {1510, 13, "100", "1000", "1000", "0", "0"}, {1535, 13, "100", "1500", "1000", "0", "0"},
        {2000, 13, "100", "400", "400", "78", "78"}, {2000, 9, "100.5", "0", "0", "90", "90"},
        {2000, 35, "20.5", "0", "0", "350", "21"},
    };
    mTDeclaration d = Resident();
    for (const Case& c : cases) {
        mTCurrencyIncome& r = d.CurrencyIncome(d.AddCurrencyIncome());
        r.IncomeRate = c.rate;
        r.IncomeCode = c.code;
        r.IncomeInRubles = Money::Rubles(1000);
        r.TaxInRubles = *Money::Parse(c.tax);
        r.DeductSum = c.code == 2000 ? *Money::Parse(c.deduct) : Money::Rubles(1500);
    }
    kTDanLog data = Load(HandedImage(d));
    ASSERT_EQ(data.Foreign.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const mTCurrencyIncome& r = data.Declaration.CurrencyIncome(i);
        EXPECT_EQ(r.DeductSum.ToString(), cases[i].deduct);
        EXPECT_EQ(data.Foreign[i].AcceptedDeduct.ToString(), cases[i].accepted);
        EXPECT_EQ(data.Foreign[i].TaxInRussia.ToString(), cases[i].inRussia);
        EXPECT_EQ(data.Foreign[i].TaxCredited.ToString(), cases[i].credited);
        EXPECT_EQ(r.IncomeUnits, 1u);  // stored as 0
        EXPECT_EQ(r.TaxUnits, 1u);
    }
    EXPECT_EQ(data.ForeignAt13, 3u);
    EXPECT_EQ(data.ForeignAt9, 1u);
    EXPECT_EQ(data.ForeignAt35, 1u);
}

TEST(ReportData, LoadTimeAdjustmentsOfSourcesAndDeductions) {
    mTDeclaration d = Resident();
    mTThirtyFivePercent& prize = d.ThirtyFivePercent(d.AddThirtyFivePercent());
    prize.IncomeTotal = Money::Rubles(10000);
    prize.DeductSum = Money::Rubles(4000);
    d.StandartDeduct.Granted = 1;
    d.StandartDeduct.PersonalCode = 110;
    d.ConstructionDeduct.Granted = 1;

    const std::pair<const char*, double> shares[] = {
        {"0.3334", 0.33333333}, {"0.3333", 0.33333333}, {"0.6666", 0.66666667},
        {"0.6667", 0.66666667}, {"0.5", 0.5},           {"1", 1.0},
    };
    for (const auto& [stored, share] : shares) {
        SCOPED_TRACE(stored);
        d.ConstructionDeduct.Share = *Money::Parse(stored);
        kTDanLog data = Load(HandedImage(d));
        EXPECT_DOUBLE_EQ(data.PropertyShare, share);
        ASSERT_EQ(data.ThirtyFive.size(), 1u);
        EXPECT_EQ(data.ThirtyFive[0].TaxableIncome, Money::Rubles(6000));
        EXPECT_EQ(data.ThirtyFive[0].TaxComputed, Money::Rubles(2100));
        EXPECT_EQ(data.Declaration.StandartDeduct.PersonalCode, 103u);
    }

    d.StandartDeduct.HasCodeByMonth = 1;
    d.StandartDeduct.SetCodeByMonth(1, 110);
    EXPECT_EQ(Load(HandedImage(d)).Declaration.StandartDeduct.PersonalCode, 110u);
}

// The standard-deduction stream of images written before its two flags existed
// ends after the disabled-children count.
TEST(ReportData, StandardDeductionFlagsAreZeroOnlyWhereTheStreamEnds) {
    mTDeclaration d = Resident();
    d.StandartDeduct.Granted = 1;
    d.StandartDeduct.PersonalCode = 110;
    std::vector<uint8_t> image = d.BuildImage();
    std::string bytes(image.begin(), image.end());
    const std::string flags = "0001000010";  // HasMonthlyBusiness 0, HasCodeByMonth 0
    size_t social = bytes.find("0013@SocialDeduct");
    ASSERT_NE(social, std::string::npos);
    ASSERT_EQ(bytes.substr(social - flags.size(), flags.size()), flags);

    std::string older = bytes;
    older.erase(social - flags.size(), flags.size());
    std::vector<uint8_t> olderImage(older.begin(), older.end());
    olderImage.push_back(0);
    kTDanLog data = Load(olderImage);
    EXPECT_EQ(data.Declaration.StandartDeduct.HasMonthlyBusiness, 0);
    EXPECT_EQ(data.Declaration.StandartDeduct.PersonalCode, 103u);

    std::string damaged = bytes;
    damaged.replace(social - flags.size(), 5, "0001x");
    std::vector<uint8_t> damagedImage(damaged.begin(), damaged.end());
    damagedImage.push_back(0);
    try {
        Load(damagedImage);
        FAIL() << "a flag that is not a number was taken";
    } catch (const mEPrivBase& e) {
        EXPECT_EQ(e.ContextCode(), 382);
    }
}

TEST(ReportData, DamagedImagesFailWithTheReadersErrors) {
    std::vector<uint8_t> good = HandedImage(Estimated("blank_inn"));

    try {
        kTDanLog data(nullptr, 0, true);
        FAIL();
    } catch (const mEMemoryAllocate& e) {
        EXPECT_EQ(e.ErrorCode(), 70);
    }

    std::vector<uint8_t> foreign = good;
    foreign[0] = 'X';
    try {
        Load(foreign);
        FAIL();
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.ErrorCode(), 71);
        EXPECT_STREQ(e.what(), msg::kBadFormat);
    }

    mTDocumentStorage opened(good.data(), good.size());
    OpenReportDocument(opened, good.data());
    try {
        OpenReportDocument(opened, good.data());
        FAIL();
    } catch (const mEAlreadyCreated& e) {
        EXPECT_EQ(e.ErrorCode(), 72);
    }

    // A zero byte ends the data: what follows it is never read.
    std::vector<uint8_t> cut = good;
    size_t name = std::string(cut.begin(), cut.end()).find("@PersonAddress");
    ASSERT_NE(name, std::string::npos);
    cut[name + 3] = 0;
    EXPECT_THROW(Load(cut), mEPrivBase);

    // The data ends inside the count of advance payments.
    size_t nalog = std::string(good.begin(), good.end()).find("@Nalog");
    ASSERT_NE(nalog, std::string::npos);
    std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(nalog + 8));
    truncated.push_back(0);
    EXPECT_THROW(Load(truncated), mEBadStorage);
}

TEST(ReportData, ARecordStampsItsContextIntoAPassingError) {
    mTDeclaration d = Resident();
    mTThirteenPercent& source = d.ThirteenPercent(d.AddThirteenPercent());
    source.AddIncome({2000, "Зарплата", Money::Rubles(100), 0, Money(), 0, 1});
    std::vector<uint8_t> image = HandedImage(d);
    std::string bytes(image.begin(), image.end());
    size_t line = bytes.find("@SourseIncome000000");
    ASSERT_NE(line, std::string::npos);
    image[line + 19] = 'x';  // the length field of the income code
    try {
        Load(image);
        FAIL();
    } catch (const mEPrivBase& e) {
        EXPECT_EQ(e.ContextCode(), 372);
    }
}

// ---- totals ----

TEST(ReportSums, EstimatedIncomeLeavesEveryMemberZero) {
    mTDeclaration d = Estimated("comma_surname");
    kTDanLog data = Load(HandedImage(d));
    kTRepSvodSum sums;
    sums.Compute(data);
    EXPECT_EQ(SvodSumToJson(sums.Core), SvodSumToJson(kTSvodSum()));
    EXPECT_TRUE(sums.Section5.L040.IsZero());
    EXPECT_EQ(data.Header.Okato13, "40276000000");
}

TEST(ReportSums, SheetAUsesTheSumOfTheLinesAndTheSourcesTerritory) {
    mTDeclaration d = Resident();
    mTThirteenPercent& source = d.ThirteenPercent(d.AddThirteenPercent());
    source.OKATO = "11111111111";
    source.TaxWithheld = Money::Rubles(1950);
    source.AddIncome({2000, "", Money::Rubles(10000), 0, Money(), 0, 1});
    source.AddIncome({2000, "", Money::Rubles(5000), 0, Money(), 0, 2});
    source.IncomeTotal = Money::Rubles(1);  // stale total in the document
    kTDanLog data = Load(HandedImage(d));
    kTRepSvodSum sums;
    sums.Compute(data);
    EXPECT_EQ(sums.Core.Income13.Income, Money::Rubles(15000));
    EXPECT_EQ(data.Declaration.ThirteenPercent(0).IncomeTotal, Money::Rubles(15000));
    EXPECT_EQ(sums.Core.Section1.L010, Money::Rubles(15000));
    EXPECT_EQ(data.Header.Okato13, "11111111111");
    EXPECT_EQ(data.Header.Okato9, "45286560000");

    // The non-resident's sheet instead.
    d.DeclarationKind = kNonResident3NDFL;
    kTDanLog nonResident = Load(HandedImage(d));
    sums.Compute(nonResident);
    EXPECT_TRUE(sums.Core.Income13.Income.IsZero());
    EXPECT_TRUE(sums.Core.Section1.L010.IsZero());
    EXPECT_EQ(sums.Core.Income30.Income, Money::Rubles(15000));
    EXPECT_EQ(sums.Core.Section2.L010, Money::Rubles(15000));
}

TEST(ReportSums, PropertySaleKnowsOnlyTheEarlierDeductionCodes) {
    struct Case {
        uint32_t income;
        uint32_t deduct;
        const char* amount;
        const char* sum;
        const char* l210;
    } cases[] = {
        {1510, 901, "2000000", "2000000", "0"},        // the main program's code
        {1510, 301, "2000000", "2000000", "1000000"},  // capped housing sale
        {1510, 302, "2000000", "0", "2000000"},        // held three years
        {1520, 303, "300000", "300000", "125000"},     // other property, capped
        {1520, 305, "300000", "200000", "200000"},     // documented expenses
        {1511, 313, "100000", "150000", "100000"},     // share of housing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.income) + "/" + std::to_string(c.deduct));
        mTDeclaration d = Resident();
        mTThirteenPercent& source = d.ThirteenPercent(d.AddThirteenPercent());
        source.AddIncome(
            {c.income, "", *Money::Parse(c.amount), c.deduct, *Money::Parse(c.sum), 0, 1});
        kTDanLog data = Load(HandedImage(d));
        kTRepSvodSum sums;
        sums.Compute(data);
        EXPECT_EQ(sums.Core.PropertySale.L210.ToString(), c.l210);
        if (c.deduct == 313) {
            EXPECT_EQ(data.Declaration.ThirteenPercent(0).Income(0).DeductSum,
                      Money::Rubles(100000));
        }
    }
}

TEST(ReportSums, HousingExpensesAreLimitedByTheStoredShare) {
    const std::pair<const char*, const char*> cases[] = {
        {"0.5", "500000"}, {"0.3334", "333333.33"}, {"1", "1000000"}};
    for (const auto& [share, l080] : cases) {
        SCOPED_TRACE(share);
        mTDeclaration d = Resident();
        d.ConstructionDeduct.Granted = 1;
        d.ConstructionDeduct.ObjectCost = Money::Rubles(3000000);
        d.ConstructionDeduct.Share = *Money::Parse(share);
        d.ConstructionDeduct.RegistrationDate = DayNumber(2008, 5, 1);
        d.ConstructionDeduct.ShareNumerator = 1;
        d.ConstructionDeduct.ShareDenominator = 1;
        kTDanLog data = Load(HandedImage(d));
        kTRepSvodSum sums;
        sums.Compute(data);
        EXPECT_EQ(sums.Core.Housing.L080.ToString(), l080);
        EXPECT_EQ(data.Declaration.ConstructionDeduct.RegistrationDate, DayNumber(2008, 5, 1));
    }
}

TEST(ReportSums, ExemptSheetHasNoBirthAidAndAuthorFeesReach2299) {
    mTDeclaration d = Resident();
    mTThirteenPercent& source = d.ThirteenPercent(d.AddThirteenPercent());
    source.AddIncome({2762, "", Money::Rubles(30000), 508, Money::Rubles(30000), 0, 1});
    source.AddIncome({2720, "", Money::Rubles(5000), 501, Money::Rubles(5000), 0, 2});
    source.AddIncome({2299, "", Money::Rubles(1000), 405, Money::Rubles(200), 20, 3});
    source.AddIncome({2205, "", Money::Rubles(1000), 405, Money::Rubles(300), 30, 4});
    kTDanLog data = Load(HandedImage(d));
    kTRepSvodSum sums;
    sums.Compute(data);
    EXPECT_EQ(sums.Core.Exempt.L130, Money::Rubles(4000));
    EXPECT_TRUE(sums.Core.Exempt.BirthAidExempt.IsZero());
    EXPECT_EQ(sums.Core.AuthorFees.Rows.size(), 2u);
    EXPECT_EQ(sums.Core.AuthorFees.Expense, Money::Rubles(500));
}

TEST(ReportSums, SectionFiveNetsRefundsAgainstPayments) {
    mTDeclaration d = Resident();
    mTThirteenPercent& source = d.ThirteenPercent(d.AddThirteenPercent());
    source.AddIncome({2000, "", Money::Rubles(10000), 0, Money(), 0, 1});
    source.TaxWithheld = Money::Rubles(2000);  // 700 more than the 1300 due
    mTThirtyFivePercent& prize = d.ThirtyFivePercent(d.AddThirtyFivePercent());
    prize.IncomeCode = 2740;
    prize.IncomeTotal = Money::Rubles(1000);
    kTDanLog data = Load(HandedImage(d));
    kTRepSvodSum sums;
    sums.Compute(data);
    const kTSvodSum& s = sums.Core;
    EXPECT_EQ(sums.Section5.L010, s.Section1.L100 + s.Section3.L080);
    EXPECT_EQ(sums.Section5.L020, s.Section1.L110 + s.Section3.L090);
    EXPECT_EQ(sums.Section5.L010, Money::Rubles(700));
    EXPECT_EQ(sums.Section5.L020, Money::Rubles(350));
    EXPECT_EQ(sums.Section5.L030, Money::Rubles(350));
    EXPECT_TRUE(sums.Section5.L040.IsZero());
}

// ---- the 4-NDFL text file ----

// Writes the fixture's file and compares it byte for byte with the expected file
// beside it; a mismatch leaves the written bytes as <name>.txt.actual.
void ExpectFixtureFile(const std::string& name, const mTDeclaration& d) {
    SCOPED_TRACE(name);
    TempDir dir;
    std::vector<uint8_t> image = HandedImage(d);
    kTDanLog data = Load(image);
    TextFileResult result = WriteEstimatedIncomeTextFile(data, dir.Path().string(), kMoment);
    ASSERT_EQ(result.Result, TextFileResult::Written) << result.Message;
    EXPECT_EQ(result.Message, "Сформирован файл " + result.Path);
    std::vector<uint8_t> actual = ReadBytes(result.Path);
    std::vector<uint8_t> expected = ReadBytes(kFixtures + name + ".txt");
    if (actual != expected) {
        std::ofstream(kFixtures + name + ".txt.actual", std::ios::binary)
            .write(reinterpret_cast<const char*>(actual.data()),
                   static_cast<std::streamsize>(actual.size()));
        ADD_FAILURE() << "written:\n" << Utf8Lines(std::string(actual.begin(), actual.end()));
    }
}

TEST(TextFile, FixturesAreWrittenByteForByte) {
    ExpectFixtureFile("blank_inn", Estimated("blank_inn"));
    ExpectFixtureFile("comma_surname", Estimated("comma_surname"));
    // A line break typed into a text becomes a blank.
    mTDeclaration corrective = Estimated("corrective");
    corrective.Person.BirthPlace = "г. Тверь\r\nКалининской обл.";
    ExpectFixtureFile("corrective", corrective);
}

TEST(TextFile, FileNameCarriesTheTaxNumberAndInspectionTwice) {
    TempDir dir;
    kTDanLog blank = Load(HandedImage(Estimated("blank_inn")));
    EXPECT_EQ(EstimatedIncomeFileName(blank), "O000000000000_77017701__10_000001.txt");
    kTDanLog named = Load(HandedImage(Estimated("comma_surname")));
    TextFileResult result = WriteEstimatedIncomeTextFile(named, dir.Path().string() + "/", kMoment);
    EXPECT_EQ(result.Path, dir.File("O780512345670_78057805__10_000001.txt"));

    // The same taxpayer and inspection later: the file is replaced, the identifier
    // differs by the time.
    kTNow later = kMoment;
    later.Second = 59;
    ASSERT_EQ(WriteEstimatedIncomeTextFile(named, dir.Path().string(), later).Result,
              TextFileResult::Written);
    std::vector<uint8_t> bytes = ReadBytes(result.Path);
    std::string text = Utf8Lines(std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(text.substr(0, text.find('\r')), "ИдФайл:780512345670*********20090320140559");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(TextFile, EstimatedIncomeLineAndIndicatorCount) {
    const std::pair<const char*, const char*> cases[] = {
        {"150000", "150000"},  {"0", "0"},     {"-5", "0"},
        {"10.4999", "10"},     {"10.5", "11"}, {"999999999999.4", "999999999999"},
        {"1000000000000", ""},
    };
    mTDeclaration d = Estimated("blank_inn");
    for (const auto& [amount, text] : cases) {
        SCOPED_TRACE(amount);
        d.ExpectedIncome = *Money::Parse(amount);
        kTDanLog data = Load(HandedImage(d));
        std::string refusal;
        auto lines = EstimatedIncomeLines(data, kMoment, refusal);
        ASSERT_TRUE(lines);
        ASSERT_EQ(lines->size(), 41u);
        EXPECT_EQ((*lines)[37], std::string("П000010001000:") + text);
        EXPECT_EQ((*lines)[35], "КолПокФОтч:1");
    }
}

TEST(TextFile, ReporterLineFollowsTheCategory) {
    // A farm household head and another person have no code of their own: their
    // file goes without the line.
    const std::pair<uint8_t, const char*> cases[] = {
        {0, "ДокПредст:120"}, {3, "ДокПредст:121"}, {2, "ДокПредст:122"},
        {1, nullptr},         {5, nullptr},
    };
    for (const auto& [category, line] : cases) {
        SCOPED_TRACE(int(category));
        mTDeclaration d = Estimated("blank_inn");
        d.TaxpayerCategory = category;
        TempDir dir;
        const TextFileResult result =
            WriteEstimatedIncomeTextFile(HandedImage(d), dir.Path().string(), kMoment);
        ASSERT_EQ(result.Result, TextFileResult::Written) << result.Message;
        std::vector<uint8_t> bytes = ReadBytes(result.Path);
        const std::string text = Utf8Lines(std::string(bytes.begin(), bytes.end()));
        EXPECT_NE(text.find("\r\nГодПериодОтч:2009\r\n" +
                            (line ? std::string(line) + "\r\n" : std::string()) + "ОКЕИ:383\r\n"),
                  std::string::npos)
            << text;
    }
}

// The text file names the year after the declaration's tax year, as its paper does.
TEST(TextFile, ReportingYearFollowsTheDeclarationsYear) {
    for (const auto& [year, printed] :
         {std::pair<const char*, const char*>{"2008", "2009"}, {"2009", "2010"}}) {
        SCOPED_TRACE(year);
        mTDeclaration d = Estimated("blank_inn");
        d.Year = year;
        kTDanLog data = Load(HandedImage(d));
        std::string refusal;
        auto lines = EstimatedIncomeLines(data, kMoment, refusal);
        ASSERT_TRUE(lines);
        const std::string want = std::string("ГодПериодОтч:") + printed;
        EXPECT_NE(std::find(lines->begin(), lines->end(), want), lines->end());
        EXPECT_NE((*lines)[0].find(std::string("*********") + printed), std::string::npos);
        EXPECT_NE((*lines)[9].find(std::string("*********") + printed + "00000001"),
                  std::string::npos);
    }
}

TEST(TextFile, CorrectionNumbersAboveNineAreRefused) {
    mTDeclaration d = Estimated("corrective");
    for (uint32_t number : {9u, 10u, 12u}) {
        SCOPED_TRACE(number);
        d.CorrectionNumber = number;
        kTDanLog data = Load(HandedImage(d));
        TempDir dir;
        TextFileResult result = WriteEstimatedIncomeTextFile(data, dir.Path().string(), kMoment);
        if (number == 9) {
            ASSERT_EQ(result.Result, TextFileResult::Written);
            std::vector<uint8_t> bytes = ReadBytes(result.Path);
            EXPECT_NE(
                Utf8Lines(std::string(bytes.begin(), bytes.end())).find("\r\nНомерКорр:9\r\n"),
                std::string::npos);
        } else {
            EXPECT_EQ(result.Result, TextFileResult::Refused);
            EXPECT_NE(result.Message.find("от 0 до 9"), std::string::npos) << result.Message;
            EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
        }
    }
}

TEST(TextFile, RefusalsAndWriteErrorsWriteNothing) {
    TempDir dir;
    mTDeclaration resident = Estimated("blank_inn");
    resident.DeclarationKind = kResident3NDFL;
    EXPECT_EQ(
        WriteEstimatedIncomeTextFile(HandedImage(resident), dir.Path().string(), kMoment).Result,
        TextFileResult::Refused);

    // A Serbian letter has no place and no look-alike in code page 866.
    mTDeclaration serbian = Estimated("blank_inn");
    serbian.Person.BirthPlace = "Ђаково";
    TextFileResult refused =
        WriteEstimatedIncomeTextFile(HandedImage(serbian), dir.Path().string(), kMoment);
    EXPECT_EQ(refused.Result, TextFileResult::Refused);
    EXPECT_NE(refused.Message.find("«Ђ» в строке «МестоРожд»"), std::string::npos)
        << refused.Message;
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    TextFileResult failed = WriteEstimatedIncomeTextFile(HandedImage(Estimated("blank_inn")),
                                                         dir.File("missing"), kMoment);
    EXPECT_EQ(failed.Result, TextFileResult::WriteFailed);
    // The specified sentence, then the file and the reason.
    EXPECT_EQ(failed.Message, "Ошибка записи. Файл не сформирован.\nОшибка записи файла: " +
                                  failed.Path + "\nПапка не существует.");
}

TEST(TextFile, NowTextIsParsedStrictly) {
    std::optional<kTNow> now = ParseNowText("20.03.2009 14:05:09");
    ASSERT_TRUE(now);
    EXPECT_EQ(now->Year, 2009);
    EXPECT_EQ(now->Month, 3);
    EXPECT_EQ(now->Day, 20);
    EXPECT_EQ(now->Second, 9);
    for (const char* bad : {"", "20.03.2009", "31.02.2009 10:00:00", "20.03.2009 24:00:00",
                            "20-03-2009 14:05:09", "20.03.2009 14:05:9 "}) {
        EXPECT_FALSE(ParseNowText(bad)) << bad;
    }
}

// ---- the library's calls ----

class Answers : public FolderChooser, public MessageShower {
  public:
    std::optional<std::string> folder;
    int asked = 0;
    std::vector<std::string> shown;

    std::optional<std::string> ChooseFolder(QWidget*) override {
        ++asked;
        return folder;
    }
    void Show(QWidget*, const std::string& text) override { shown.push_back(text); }
};

class LibraryCalls : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_report";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) application_ = new QApplication(argc, argv);
    }
    static inline QApplication* application_ = nullptr;
};

TEST_F(LibraryCalls, FileOutWithACancelledFolderDialogWritesNothing) {
    std::vector<uint8_t> image = HandedImage(Estimated("blank_inn"));
    Answers answers;
    EXPECT_FALSE(RunFileOut(nullptr, image.data(), answers, answers, kMoment));
    EXPECT_EQ(answers.asked, 1);
    EXPECT_EQ(answers.shown, std::vector<std::string>{"Директория не выбрана. "});

    TempDir dir;
    answers.folder = dir.Path().string();
    answers.shown.clear();
    EXPECT_TRUE(RunFileOut(nullptr, image.data(), answers, answers, kMoment));
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0],
              "Сформирован файл " + dir.File("O000000000000_77017701__10_000001.txt"));
}

TEST_F(LibraryCalls, FileOutRefusesBeforeAskingForAFolder) {
    mTDeclaration d = Estimated("corrective");
    d.CorrectionNumber = 10;
    std::vector<uint8_t> image = HandedImage(d);
    Answers answers;
    EXPECT_TRUE(RunFileOut(nullptr, image.data(), answers, answers, kMoment));
    EXPECT_EQ(answers.asked, 0);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_NE(answers.shown[0].find("Файл не сформирован."), std::string::npos);
}

TEST_F(LibraryCalls, ExportsFailWithTheReadersErrorOnADamagedImage) {
    std::vector<uint8_t> image = HandedImage(Estimated("blank_inn"));
    image[1] = 'X';
    try {
        FileOut(nullptr, image.data());
        FAIL();
    } catch (const mEPrivBase& e) {
        EXPECT_EQ(e.ErrorCode(), 71);
        EXPECT_STREQ(e.what(), msg::kBadFormat);
    }
    EXPECT_THROW(Report("", image.data(), 1, 1, ""), mEBadStorage);
    EXPECT_THROW(PrintReport("", image.data(), 1, 1, ""), mEBadStorage);
}

}  // namespace
}  // namespace zorv
