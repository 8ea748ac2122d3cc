// The paper form: cell texts, the page plan and print ranges, the primitives,
// the 4-NDFL sheets, the preview window and the print command's PDF.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "model/declaration.h"
#include "model/jsonform.h"
#include "report/celltext.h"
#include "report/pagelayer.h"
#include "report/pageplan.h"
#include "report/preview.h"
#include "report/printout.h"
#include "report/reportdata.h"
#include "report/reportrun.h"
#include "report/reportsums.h"
#include "report/sheets.h"
#include "storage/daynumber.h"
#include "tempdir.h"

namespace zorv {
namespace {

const std::string kFixtures = std::string(ZORV_SOURCE_DIR) + "/tests/fixtures/report/";

class PaperForm : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_report";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) new QApplication(argc, argv);
    }
};

mTDeclaration Notary() {
    std::ifstream in(kFixtures + "notary.json");
    mTDeclaration d;
    DeclarationFromJson(Json::parse(in), d);
    return d;
}

std::vector<uint8_t> HandedImage(const mTDeclaration& d) {
    std::vector<uint8_t> image = d.BuildImage();
    image.push_back(0);
    return image;
}

// The library's run on a declaration: its data, totals and page plan.
struct LibraryRun {
    explicit LibraryRun(const mTDeclaration& d, bool hideDate = false)
        : image(HandedImage(d)), data(image.data(), image.size() - 1, hideDate) {
        sums.Compute(data);
        data.Plan = ComputePagePlan(data, sums);
    }
    std::vector<uint8_t> image;
    kTDanLog data;
    kTRepSvodSum sums;
};

mTDeclaration Resident() {
    mTDeclaration d;
    d.InspectionCode = "7705";
    d.DeclarationKind = kResident3NDFL;
    d.SetIncomeFlags(kIncomeFromAgents | kIncomeForeign);
    d.StandartDeduct.Granted = 0;
    return d;
}

void AddSource(mTDeclaration& d, uint32_t code, uint32_t deductCode) {
    mTThirteenPercent& s = d.ThirteenPercent(d.AddThirteenPercent());
    s.INN = "7701234567";
    s.SourceName = "ООО Ромашка";
    mTSourseIncome line;
    line.IncomeCode = code;
    line.IncomeSum = Money::Rubles(10000);
    line.DeductCode = deductCode;
    line.DeductSum = deductCode == 0 ? Money() : Money::Rubles(1000);
    line.Month = 3;
    s.AddIncome(line);
}

// All texts of a page in drawing order, and the texts placed in a box.
QString PageText(const kTPage& page) {
    QString all;
    for (const PageItem& item : page.Items) {
        if (item.kind == PageItem::Text) all += item.text + "|";
    }
    return all;
}
QString TextIn(const std::vector<PageItem>& items, double x0, double x1, double y0, double y1) {
    std::vector<const PageItem*> found;
    for (const PageItem& item : items) {
        if (item.kind == PageItem::Text && item.x >= x0 && item.x < x1 && item.y >= y0 &&
            item.y < y1) {
            found.push_back(&item);
        }
    }
    std::sort(found.begin(), found.end(), [](auto a, auto b) { return a->x < b->x; });
    QString text;
    for (const PageItem* item : found) text += item->text;
    return text;
}
QString Digits(const QString& text) {
    QString digits;
    for (QChar c : text) {
        if (c.isDigit()) digits += c;
    }
    return digits;
}
// The three cells of "Стр." on a page of the common header.
// (or of the estimated-income section's own header).
QString PageNumberOn(const kTPage& page) {
    const QString common = Digits(TextIn(page.Items, 119, 134, 18, 19));
    return common.isEmpty() ? Digits(TextIn(page.Items, 146, 161, 18, 20)) : common;
}

// ---- cell texts ----

TEST(CellTexts, MoneyGoesIntoItsCellsOrIsMarkedWhenTooLarge) {
    struct Case {
        const char* amount;
        int rub;
        int kop;
        const char* wantRub;
        const char* wantKop;
    };
    const Case cases[] = {
        {"1234.5", 12, 2, "        1234", "50"},
        {"1234.5", 15, 0, "           1235", ""},  // rubles only: half up
        {"1234.4999", 15, 0, "           1234", ""},
        {"0.07", 12, 2, "           0", "07"},
        {"999.9999", 12, 2, "         999", "99"},  // kopecks are cut, not rounded
        {"12.5", 10, 4, "        12", "5000"},
        {"1000000000000", 12, 2, "************", "**"},
        {"999999999999.99", 12, 2, "999999999999", "99"},
        {"123456", 5, 0, "*****", ""},
        {"0", 12, 2, "", ""},  // zero leaves the cells empty
    };
    for (const Case& c : cases) {
        mbRubKop cells = MoneyToCells(*Money::Parse(c.amount), c.rub, c.kop);
        EXPECT_EQ(cells.Rub, c.wantRub) << c.amount;
        EXPECT_EQ(cells.Kop, c.wantKop) << c.amount;
    }
}

TEST(CellTexts, PageNumbersDatesAndEstimatedIncome) {
    EXPECT_EQ(PageNumberText(7), "007");
    EXPECT_EQ(PageNumberText(42), "042");
    EXPECT_EQ(PageNumberText(1234), "1234");
    EXPECT_EQ(DateCellsText(DayNumber(2009, 2, 17), true), "17.02.2009");
    EXPECT_EQ(DateCellsText(DayNumber(2009, 2, 17), false), "  .  .    ");
    EXPECT_EQ(EstimatedIncomeCells(Money::Rubles(500000)), "         500000");
    EXPECT_EQ(EstimatedIncomeCells(*Money::Parse("150000.5")), "         150001");
    // The largest amount the money type holds still fits the fifteen cells.
    EXPECT_EQ(EstimatedIncomeCells(Money::FromRaw(INT64_MAX)), "922337203685478");
    EXPECT_EQ(Initial("Ёлкин"), "Ё");
    EXPECT_EQ(Initial(""), " ");
}

// ---- page plan and print ranges ----

TEST(PagePlan, EstimatedIncomeHasTheTitleAndItsSection) {
    LibraryRun run(Notary());
    const kTPagePlan& plan = run.data.Plan;
    EXPECT_EQ(plan.TotalPages, 2);
    for (int kind = 1; kind <= kSheetKindCount; ++kind) {
        EXPECT_EQ(plan.Pages[kind], kind == 1 || kind == 3 ? 1 : 0) << kind;
    }
    EXPECT_EQ(plan.FirstPage(kSection1Sheet), 2);
}

TEST(PagePlan, FiveSourcesOfAResident) {
    mTDeclaration d = Resident();
    for (int i = 0; i < 5; ++i) AddSource(d, 2000, 0);
    LibraryRun run(d);
    const kTPagePlan& plan = run.data.Plan;
    const int section6 = plan.Pages[8];
    EXPECT_EQ(plan.FirstPage(2), 2);
    EXPECT_EQ(plan.FirstPage(3), 3);
    EXPECT_EQ(plan.FirstPage(7), 4);
    EXPECT_EQ(plan.Pages[10], 2);
    EXPECT_EQ(plan.FirstPage(10), 5 + section6);
    EXPECT_EQ(plan.TotalPages, 6 + section6);
    for (int kind : {4, 5, 6, 9, 11, 12, 18, 19, 21, 26, 27, 28, 32})
        EXPECT_EQ(plan.Pages[kind], 0);
    EXPECT_EQ(plan.KindOfPage(plan.TotalPages), 10);
}

TEST(PagePlan, SheetsPlannedFromIncomeCodes) {
    struct Case {
        const char* what;
        uint32_t code;
        uint32_t deduct;
        int sources;
        int kind;
        int pages;
    };
    const Case cases[] = {
        {"exempt income with a deduction: Г", 2760, 503, 1, 18, 1},
        {"exempt income without one", 2760, 0, 1, 18, 0},
        {"securities 1530/307: one З page per source", 1530, 307, 5, 26, 5},
        {"trust securities 1536/307: И", 1536, 307, 2, 27, 2},
        {"author's fees: three Д rows a page", 2201, 403, 4, 19, 2},
        {"civil contracts: six Е rows a page", 2010, 403, 7, 21, 2},
    };
    for (const Case& c : cases) {
        mTDeclaration d = Resident();
        for (int i = 0; i < c.sources; ++i) AddSource(d, c.code, c.deduct);
        LibraryRun run(d);
        EXPECT_EQ(run.data.Plan.Pages[c.kind], c.pages) << c.what;
    }
}

TEST(PrintRange, EachSheetPrintsItsPagesInsideTheRange) {
    kTPagePlan plan;  // title, second, Раздел 1, Раздел 5, Раздел 6 x3, А (13%) x2
    plan.Pages[1] = plan.Pages[2] = plan.Pages[3] = plan.Pages[7] = 1;
    plan.Pages[8] = 3;
    plan.Pages[10] = 2;
    plan.Base = {0, 0, 1, 2, 3, 3, 3, 3, 4, 7, 7};
    plan.TotalPages = 9;
    using P = std::vector<kTSheetPrint>;
    EXPECT_EQ(PrintsOfRange(plan, 3, 3), (P{{3, 1, 1}}));
    EXPECT_EQ(PrintsOfRange(plan, 9, 9), (P{{10, 2, 2}}));
    EXPECT_EQ(PrintsOfRange(plan, 6, 8), (P{{8, 2, 3}, {10, 1, 1}}));
    EXPECT_EQ(PrintsOfRange(plan, 1, 2), (P{{1, 1, 1}, {2, 1, 1}}));
    EXPECT_EQ(PrintsOfRange(plan, 1, 9).size(), 6u);
}

// ---- primitives ----

TEST_F(PaperForm, FreeTextIsShortenedFromTheEndUntilItFits) {
    kTBand band;
    const QString name = "Межрайонная инспекция Федеральной налоговой службы России № 10";
    EXPECT_EQ(mbText(band, 200, name, 10, 10), name.size());
    const int kept = mbText(band, 30, name, 10, 10);
    EXPECT_GT(kept, 3);
    EXPECT_LT(kept, name.size());
    const PageItem& shortened = band.Items.back();
    EXPECT_EQ(shortened.text, name.left(kept));
    EXPECT_LE(TextWidthMm(shortened.text, FontFace::Free, 10, true), 28.0);
    EXPECT_GT(TextWidthMm(name.left(kept + 1), FontFace::Free, 10, true), 28.0);
    EXPECT_DOUBLE_EQ(shortened.x, 12);
    EXPECT_DOUBLE_EQ(shortened.y, 5.5);
    EXPECT_EQ(mbText(band, 1, name, 0, 0), 0);  // a box too narrow for anything
}

// Fitting as it was first done: the last character dropped and the rest measured
// again until it fits. The faster fitting must keep exactly what this keeps.
FittedText FitOneAtATime(const QString& text, double width) {
    QList<uint> kept = text.toUcs4();
    QString fitted = text;
    while (!kept.isEmpty() && TextWidthMm(fitted, FontFace::Free, 10, true) > width) {
        kept.removeLast();
        fitted =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(kept.constData()), kept.size());
    }
    return {fitted, static_cast<int>(kept.size())};
}

TEST_F(PaperForm, FittingKeepsWhatDroppingOneCharacterAtATimeKeeps) {
    const QString texts[] = {
        QString(),
        "Иванов",
        "Межрайонная инспекция Федеральной налоговой службы России № 10",
        QString::fromUcs4(U"\U0001D504\U0001D505 ab \U00020000\U0001F600 Жук \U00020001"),
        QString::fromUcs4(U"е\u0301ж\u0308\u0301ик О\u0308ffice ffi"),
        // A lam and an alef join into a ligature narrower than the lam alone, so a
        // longer beginning can be narrower than a shorter one.
        QString::fromUcs4(U"\u0645\u062D\u0645\u062F \u0639\u0644\u064A \u0644\u0627 "
                          U"\u0643\u0644\u0627\u0644\u0627"),
        QString::fromUcs4(U"\u0644\u0627\u0644\u0627\u0644\u0627\u0644\u0627\u0644\u0627"
                          U"\u0644\u0627\u0644\u0627"),
        QString(160, QChar(0x0416)) + "W",
    };
    for (const QString& raw : texts) {
        const QString text = PrintableText(raw, FontFace::Free, 10, true);
        const QList<uint> chars = text.toUcs4();
        // No room at all, a whole text, and every beginning both exactly fitting and
        // a hair too wide (so one character over).
        std::vector<double> widths = {-1, 0, 1000};
        for (qsizetype k = 1; k <= chars.size() && k <= 80; ++k) {
            const double w = TextWidthMm(
                QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), k),
                FontFace::Free, 10, true);
            widths.push_back(w);
            widths.push_back(std::nextafter(w, -std::numeric_limits<double>::infinity()));
        }
        for (double width : widths) {
            const FittedText expected = FitOneAtATime(text, width);
            const FittedText fitted = FitToWidth(text, width, FontFace::Free, 10, true);
            EXPECT_EQ(fitted.text, expected.text) << raw.toStdString() << " in " << width;
            EXPECT_EQ(fitted.characters, expected.characters) << raw.toStdString();
        }
    }
}

TEST_F(PaperForm, CellsHoldOneCharacterEachAndNeverMore) {
    kTBand band;
    mbSq5(band, 10, 20, "АБЮВГД", 4);
    std::vector<PageItem> texts;
    for (const PageItem& item : band.Items) {
        if (item.kind == PageItem::Text) texts.push_back(item);
    }
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[2].text, "Ю");
    EXPECT_NEAR(texts[2].x, 10 + 1.2 + 2 * 4.71 - 0.2, 1e-9);
    EXPECT_NEAR(texts[3].x, 10 + 1.2 + 3 * 4.71, 1e-9);
    for (const PageItem& t : texts) EXPECT_LT(t.x, 10 + 4 * 4.71);

    kTBand paired;  // a surrogate pair takes one cell
    mbSq5(paired, 0, 0, QString::fromUcs4(U"\U00020000ЖЮ"), 2);
    texts.clear();
    for (const PageItem& item : paired.Items) {
        if (item.kind == PageItem::Text) texts.push_back(item);
    }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, "Ж");

    kTBand amount;
    mbSumRK(amount, 0, 0, 12, 2, *Money::Parse("1234.5"));
    EXPECT_EQ(TextIn(amount.Items, 0, 300, 0, 10), "1234.50");
    kTBand zero;
    mbSumRK(zero, 0, 0, 12, 2, Money());
    EXPECT_EQ(TextIn(zero.Items, 0, 300, 0, 10), ".");
}

TEST_F(PaperForm, CharactersTheFontLacksAreSubstituted) {
    const QString odd = QString::fromUcs4(U"Щ\tё\U000F0001\u00AB", 5);
    const QString printable = PrintableText(odd, FontFace::Form, 10, false);
    EXPECT_EQ(printable.size(), 5);
    EXPECT_EQ(printable.left(3), QString::fromUtf8("Щ ё"));
    EXPECT_EQ(printable[3], QChar('?'));
    EXPECT_EQ(printable[4], QChar(0x00AB));  // the font has it
}

// ---- the 4-NDFL sheets ----

// The expected income is declared for the year after the declaration's tax year.
TEST_F(PaperForm, EstimatedIncomeYearFollowsTheDeclarationsYear) {
    for (const auto& [year, printed] :
         {std::pair<const char*, const char*>{"2008", "2009"}, {"2009", "2010"}}) {
        mTDeclaration d = Notary();
        d.Year = year;
        LibraryRun run(d);
        kTReportSheets sheets(run.data, run.sums);
        EXPECT_EQ(TextIn(DeclarationPages(sheets)[0].Items, 165, 190, 51, 53), printed) << year;
    }
}

TEST_F(PaperForm, EstimatedIncomePagesCarryTheTaxpayersData) {
    LibraryRun run(Notary());
    kTReportSheets sheets(run.data, run.sums);
    std::vector<kTPage> pages = DeclarationPages(sheets);
    ASSERT_EQ(pages.size(), 2u);
    const QString title = PageText(pages[0]);
    for (const char* word : {"Красногорским УВД Московской области", "Ленина ул", "РОССИЯ"}) {
        EXPECT_TRUE(title.contains(QString::fromUtf8(word))) << word;
    }
    const auto& items = pages[0].Items;
    EXPECT_EQ(TextIn(items, 67, 125, 10, 12), "502400112233");  // INN
    EXPECT_EQ(TextIn(items, 119, 134, 18, 19), "001");
    EXPECT_EQ(TextIn(items, 40, 200, 84, 86), "Юдашкина");
    EXPECT_EQ(Digits(TextIn(items, 40, 100, 108, 110)), "11223344595");
    EXPECT_EQ(TextIn(items, 165, 190, 51, 53), "2009");  // the year after the tax year 2008
    EXPECT_EQ(TextIn(items, 176, 191, 126, 128), "643");
    EXPECT_EQ(TextIn(items, 20, 70, 276, 279), "17.02.2009");
    EXPECT_EQ(TextIn(items, 64, 79, 248, 250), "2");  // pages of the declaration

    const auto& section = pages[1].Items;
    EXPECT_EQ(TextIn(section, 146, 161, 18, 20), "002");
    // "Код строки" stays inside its column, which ends at x 117.
    for (const PageItem& item : section) {
        if (item.kind == PageItem::Text && (item.text == "Код" || item.text == "строки")) {
            EXPECT_LE(item.x + TextWidthMm(item.text, item.face, item.points, item.bold), 117)
                << item.text.toStdString();
        }
    }
    EXPECT_EQ(TextIn(section, 118, 190, 71, 73), "500000");
    EXPECT_EQ(TextIn(section, 118, 160, 71, 73), "");  // right-aligned
    EXPECT_EQ(Digits(TextIn(section, 159, 190, 278, 282)), "17022009");
}

TEST_F(PaperForm, TitleMarksKindCategorySexAndDate) {
    struct Case {
        const char* what;
        int primary;
        int correction;
        int category;
        bool hideDate;
        const char* kind;
        double markX;
    };
    const Case cases[] = {
        {"primary notary", 1, 0, 2, false, "1/", 111.2},
        {"corrective entrepreneur", 0, 2, 0, true, "3/2", 80.2},
        {"lawyer", 1, 0, 3, false, "1/", 134.2},
    };
    for (const Case& c : cases) {
        mTDeclaration d = Notary();
        d.IsPrimary = static_cast<uint8_t>(c.primary);
        d.CorrectionNumber = static_cast<uint32_t>(c.correction);
        d.TaxpayerCategory = static_cast<uint8_t>(c.category);
        d.Person.CitizenshipCode = "";
        LibraryRun run(d, c.hideDate);
        kTReportSheets sheets(run.data, run.sums);
        const std::vector<kTPage> title = sheets.Sheet(kTitleSheet).Pages();
        const auto& items = title.at(0).Items;
        EXPECT_EQ(TextIn(items, 95, 115, 51, 53), c.kind) << c.what;
        EXPECT_EQ(TextIn(items, 78, 140, 72, 73), "V") << c.what;
        EXPECT_EQ(TextIn(items, c.markX, c.markX + 1, 72, 73), "V") << c.what;
        EXPECT_EQ(TextIn(items, 69, 72, 117, 118.5), "V") << c.what;  // female
        EXPECT_EQ(TextIn(items, 176, 191, 126, 128), "643") << c.what;
        EXPECT_EQ(TextIn(items, 20, 70, 276, 279), c.hideDate ? ".." : "17.02.2009") << c.what;
        const std::vector<kTPage> section = sheets.Sheet(kSection1Sheet).Pages();
        const auto& footer = section.at(0).Items;
        EXPECT_EQ(Digits(TextIn(footer, 159, 190, 278, 282)).size(), c.hideDate ? 0 : 8) << c.what;
    }
}

TEST_F(PaperForm, TooLongNamesAndAmountsStayInsideTheirBoxes) {
    mTDeclaration d = Notary();
    d.Person.SurName = std::string(20, 'X') + "Константинопольский";
    d.Person.DocIssuedBy = std::string(200, 'W');
    d.ExpectedIncome = Money::Rubles(900000000000000);  // as large as an amount gets
    LibraryRun run(d);
    kTReportSheets sheets(run.data, run.sums);
    for (const kTPage& page : DeclarationPages(sheets)) {
        for (const PageItem& item : page.Items) {
            if (item.kind != PageItem::Text) continue;
            const double right = item.x + TextWidthMm(item.text, item.face, item.points, item.bold);
            EXPECT_LE(right, kPaperWidth) << item.text.toStdString();
        }
    }
    const std::vector<kTPage> titlePages = sheets.Sheet(kTitleSheet).Pages();
    const auto& title = titlePages.at(0).Items;
    EXPECT_EQ(TextIn(title, 40, 201, 84, 86).size(), 34);  // 34 cells of the row
    const QString issuedBy = TextIn(title, 38, 200, 158, 159);
    EXPECT_GT(issuedBy.size(), 10);
    EXPECT_LE(TextWidthMm(issuedBy, FontFace::Free, 10, true), 148.0);
    const std::vector<kTPage> sectionPages = sheets.Sheet(kSection1Sheet).Pages();
    const auto& section = sectionPages.at(0).Items;
    EXPECT_EQ(TextIn(section, 118, 190, 71, 73), "900000000000000");
}

TEST_F(PaperForm, PlannedThreeNdflSheetsGetHeaderAndFooterWithTheirPageNumbers) {
    mTDeclaration d = Resident();
    d.Person.SurName = "Петров";
    d.Person.Name = "Иван";
    for (int i = 0; i < 5; ++i) AddSource(d, 2000, 0);
    LibraryRun run(d);
    kTReportSheets sheets(run.data, run.sums);
    std::vector<kTPage> pages = DeclarationPages(sheets);
    ASSERT_EQ(static_cast<int>(pages.size()), run.data.Plan.TotalPages);
    for (size_t i = 1; i < pages.size(); ++i) {
        EXPECT_EQ(PageNumberOn(pages[i]), Q(PageNumberText(static_cast<int>(i) + 1)));
        EXPECT_TRUE(PageText(pages[i]).contains("Петров"));
    }
    const kTPage& a = pages.back();
    EXPECT_TRUE(PageText(a).contains("Раздел 00007"));
    EXPECT_TRUE(PageText(pages[1]).contains(QString::fromUtf8("налоговый резидент")));
}

// ---- print and preview ----

class RecordingPrinter : public PrintTarget {
  public:
    std::optional<kTPageRange> range;
    int offered = 0;
    std::vector<QStringList> jobs;  // the page numbers of each job

    std::optional<kTPageRange> ChooseRange(QWidget*, int total) override {
        offered = total;
        return range;
    }
    void Print(const std::vector<kTPage>& pages) override {
        QStringList numbers;
        for (const kTPage& page : pages) numbers << PageNumberOn(page);
        jobs.push_back(numbers);
    }
};

TEST_F(PaperForm, PrintingARangeComposesWholeSheetsAndPrintsTheirPagesInRange) {
    mTDeclaration d = Resident();
    for (int i = 0; i < 5; ++i) AddSource(d, 2000, 0);
    LibraryRun run(d);
    const kTPagePlan& plan = run.data.Plan;
    const int secondPageOfA = plan.FirstPage(10) + 1;
    kTReportSheets sheets(run.data, run.sums);
    RecordingPrinter printer;
    printer.range = kTPageRange{secondPageOfA, plan.TotalPages};
    EXPECT_TRUE(PrintDeclaration(nullptr, sheets, printer));
    EXPECT_EQ(printer.offered, plan.TotalPages);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0], QStringList{Q(PageNumberText(secondPageOfA))});
    EXPECT_EQ(sheets.ComposedCount(), 0);  // released after printing

    printer.jobs.clear();
    printer.range = kTPageRange{3, 3};
    PrintDeclaration(nullptr, sheets, printer);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0], QStringList{"003"});

    printer.jobs.clear();
    printer.range.reset();
    EXPECT_FALSE(PrintDeclaration(nullptr, sheets, printer));
    EXPECT_TRUE(printer.jobs.empty());
}

TEST_F(PaperForm, PreviewPagesThroughTheEstimatedIncomeDeclaration) {
    LibraryRun run(Notary());
    kTReportSheets sheets(run.data, run.sums);
    RecordingPrinter printer;
    TMyFormPreview window(sheets, printer, true);
    EXPECT_EQ(window.SheetNames(), (QStringList{"Титульный Лист", "Раздел 1"}));
    EXPECT_EQ(window.PageNumberText(), "1");
    EXPECT_EQ(window.PageCountText(), "2");
    EXPECT_FALSE(window.IsEnabled("Button2"));
    EXPECT_FALSE(window.PageImage().isNull());

    window.Previous();  // on the first page nothing moves
    EXPECT_EQ(window.PageNumberText(), "1");
    EXPECT_EQ(window.CurrentKind(), kTitleSheet);

    window.Next();
    EXPECT_EQ(window.CurrentKind(), kSection1Sheet);
    EXPECT_EQ(window.PageNumberText(), "2");
    EXPECT_EQ(window.PageCountText(), "2");
    EXPECT_FALSE(window.IsEnabled("Button3"));
    EXPECT_TRUE(window.IsEnabled("Button2"));

    window.First();
    EXPECT_EQ(window.PageNumberText(), "1");
    window.Last();
    EXPECT_EQ(window.PageNumberText(), "2");
    window.SetZoom(TMyFormPreview::Zoom::Percent120);
    EXPECT_GT(window.PageImage().width(), 900);

    EXPECT_TRUE(window.IsEnabled("Button5"));
    printer.range = kTPageRange{1, 2};
    window.Print();
    EXPECT_EQ(printer.jobs, (std::vector<QStringList>{{"001", "002"}}));
}

TEST_F(PaperForm, PreviewZoomFitsThePageToTheWindowAndFollowsItsSize) {
    LibraryRun run(Notary());
    kTReportSheets sheets(run.data, run.sums);
    RecordingPrinter printer;
    TMyFormPreview window(sheets, printer, true);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();
    auto* area = window.findChild<QScrollArea*>("Panel2");
    ASSERT_NE(area, nullptr);
    const auto fitted = [&] {
        QApplication::processEvents();
        return area->maximumViewportSize();
    };

    // at the start, "По ширине": the page is as wide as the area beside its scroll bar
    QSize room = fitted();
    EXPECT_GT(window.PageImage().width(), room.width() - 40);
    EXPECT_LE(window.PageImage().width(), room.width());
    window.resize(1200, 800);
    room = fitted();
    EXPECT_GT(window.PageImage().width(), room.width() - 40) << "the fit follows the window";

    window.SetZoom(TMyFormPreview::Zoom::PageHeight);
    EXPECT_GT(window.PageImage().height(), room.height() - 10);
    EXPECT_LE(window.PageImage().height(), room.height());
    window.resize(900, 600);
    room = fitted();
    EXPECT_GT(window.PageImage().height(), room.height() - 10);
    EXPECT_LE(window.PageImage().height(), room.height());

    window.SetZoom(TMyFormPreview::Zoom::Percent120);
    const int width = window.PageImage().width();
    EXPECT_NEAR(width, std::lround(210 * window.logicalDpiX() * 1.2 / 25.4), 2);
    window.resize(1100, 700);
    fitted();
    EXPECT_EQ(window.PageImage().width(), width) << "120 % stays 120 %";
}

TEST_F(PaperForm, PreviewCrossesSheetsBothWays) {
    mTDeclaration d = Resident();
    for (int i = 0; i < 5; ++i) AddSource(d, 2000, 0);
    LibraryRun run(d);
    const kTPagePlan& plan = run.data.Plan;
    kTReportSheets sheets(run.data, run.sums);
    RecordingPrinter printer;
    TMyFormPreview window(sheets, printer, false);
    EXPECT_FALSE(window.IsEnabled("Button5"));
    const int lastEntry = static_cast<int>(window.SheetNames().size()) - 1;
    EXPECT_EQ(window.SheetNames().at(lastEntry), "Лист А (13%)");

    window.ChooseSheet(lastEntry);
    EXPECT_EQ(window.PageNumberText(), QString::number(plan.FirstPage(10)));
    window.Next();
    EXPECT_EQ(window.PageNumberText(), QString::number(plan.TotalPages));
    window.Previous();
    window.Previous();  // back over the boundary: the previous sheet's last page
    EXPECT_EQ(window.PageNumberText(), QString::number(plan.FirstPage(10) - 1));
    EXPECT_EQ(window.CurrentKind(), plan.KindOfPage(plan.FirstPage(10) - 1));
}

class ScriptedPreview : public PreviewRunner {
  public:
    QString pageCount;
    bool printEnabled = false;
    void Run(TMyFormPreview& window) override {
        pageCount = window.PageCountText();
        printEnabled = window.IsEnabled("Button5");
        window.close();
    }
};

TEST_F(PaperForm, TheRunsOfPreviewAndPrintEndWithoutBlocking) {
    std::vector<uint8_t> image = HandedImage(Notary());
    ScriptedPreview preview;
    RecordingPrinter printer;
    RunReport(image.data(), false, true, preview, printer);
    EXPECT_EQ(preview.pageCount, "2");
    EXPECT_FALSE(preview.printEnabled);

    printer.range = kTPageRange{2, 2};
    EXPECT_TRUE(RunPrintReport(image.data(), true, printer));
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0], QStringList{"002"});
}

// The system's printer, printing into a PDF file, with the range answered.
class PdfPrinter : public QtPrintTarget {
  public:
    explicit PdfPrinter(const std::string& path) {
        Printer().setOutputFormat(QPrinter::PdfFormat);
        Printer().setOutputFileName(QString::fromStdString(path));
    }
    std::optional<kTPageRange> range;
    std::optional<kTPageRange> ChooseRange(QWidget*, int total) override {
        return range ? range : kTPageRange{1, total};
    }
};

std::string Capture(const std::string& command);

// The page number in the header of each page of a PDF, in file order.
std::vector<std::string> PrintedPageNumbers(const std::string& pdf) {
    std::vector<std::string> numbers;
    const std::string info = Capture("pdfinfo " + pdf + " | sed -n 's/^Pages: *//p'");
    const int count = std::atoi(info.c_str());
    for (int page = 1; page <= count; ++page) {
        const std::string text = Capture("pdftotext -f " + std::to_string(page) + " -l " +
                                         std::to_string(page) + " -layout " + pdf + " -");
        // the three cells after the caption "Стр."
        std::string found;
        const size_t caption = text.find("Стр.");
        for (size_t at = caption == std::string::npos ? text.size() : caption + 6;
             at < text.size() && text[at] != '\n' && found.size() < 3; ++at) {
            if (std::isdigit(static_cast<unsigned char>(text[at]))) found += text[at];
        }
        numbers.push_back(found);
    }
    return numbers;
}

TEST_F(PaperForm, PrintIntoAFileKeepsEveryPageOfTheRangeInOrder) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftotext (Debian poppler-utils) is not installed";
    }
    testing::TempDir dir;
    const std::vector<uint8_t> image = HandedImage(Notary());
    {  // the main window's print of a 4-NDFL
        const std::string pdf = dir.File("estimated.pdf");
        PdfPrinter printer(pdf);
        EXPECT_TRUE(RunPrintReport(image.data(), false, printer));
        EXPECT_EQ(PrintedPageNumbers(pdf), (std::vector<std::string>{"001", "002"}));
        EXPECT_NE(Capture("pdftotext -f 1 -l 1 " + pdf + " -").find("Налоговая декларация"),
                  std::string::npos);
        EXPECT_NE(Capture("pdftotext -f 2 -l 2 " + pdf + " -").find("Раздел 1"), std::string::npos);
    }
    {  // "Печать" inside the preview
        const std::string pdf = dir.File("preview.pdf");
        LibraryRun run(Notary());
        kTReportSheets sheets(run.data, run.sums);
        PdfPrinter printer(pdf);
        TMyFormPreview window(sheets, printer, true);
        window.Print();
        EXPECT_EQ(PrintedPageNumbers(pdf), (std::vector<std::string>{"001", "002"}));
    }
    {  // a 3-NDFL of several sheets, the whole of it and a range across sheets
        mTDeclaration d = Resident();
        for (int i = 0; i < 5; ++i) AddSource(d, 2000, 0);
        LibraryRun run(d);
        const int total = run.data.Plan.TotalPages;
        std::vector<std::string> all;
        for (int n = 1; n <= total; ++n) all.push_back(PageNumberText(n));
        kTReportSheets sheets(run.data, run.sums);
        const std::string pdf = dir.File("resident.pdf");
        PdfPrinter printer(pdf);
        EXPECT_TRUE(PrintDeclaration(nullptr, sheets, printer));
        EXPECT_EQ(PrintedPageNumbers(pdf), all);
        printer.range = kTPageRange{2, total - 1};
        EXPECT_TRUE(PrintDeclaration(nullptr, sheets, printer));
        EXPECT_EQ(PrintedPageNumbers(pdf),
                  std::vector<std::string>(all.begin() + 1, all.end() - 1));
    }
}

// ---- the print command ----

std::string Capture(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    pclose(pipe);
    return text;
}

TEST(PrintCommand, WritesTheEstimatedIncomeFormAsPdf) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftotext (Debian poppler-utils) is not installed";
    }
    testing::TempDir dir;
    const std::string pdf = dir.File("notary.pdf");
    const std::string zorv = std::string(ZORV_BINARY_DIR) + "/bin/zorv";
    ASSERT_EQ(
        std::system(
            (zorv + " print " + kFixtures + "notary.json -o " + pdf + " >/dev/null 2>&1").c_str()),
        0);
    EXPECT_NE(Capture("pdfinfo " + pdf + " | grep '^Pages:'").find(" 2\n"), std::string::npos);
    const std::string first = Capture("pdftotext -f 1 -l 1 -layout " + pdf + " -");
    for (const char* word :
         {"Налоговая декларация", "форма 4-НДФЛ", "5 0 2 4 0 0 1 1 2 2 3 3",
          "Красногорским УВД Московской области", "Ленина ул", "1 7 . 0 2 . 2 0 0 9"}) {
        EXPECT_NE(first.find(word), std::string::npos) << word;
    }
    const std::string second = Capture("pdftotext -f 2 -l 2 -layout " + pdf + " -");
    for (const char* word :
         {"Раздел 1. Сумма предполагаемого дохода", "5 0 0 0 0 0", "0 0 2", "17", "2009"}) {
        EXPECT_NE(second.find(word), std::string::npos) << word;
    }

    const std::string hidden = dir.File("hidden.pdf");
    ASSERT_EQ(std::system((zorv + " print " + kFixtures + "notary.json -o " + hidden +
                           " --hide-date >/dev/null 2>&1")
                              .c_str()),
              0);
    EXPECT_EQ(Capture("pdftotext " + hidden + " -").find("2009"), std::string::npos);
    EXPECT_NE(std::system((zorv + " print " + kFixtures + "notary.json >/dev/null 2>&1").c_str()),
              0);
}

}  // namespace
}  // namespace zorv
