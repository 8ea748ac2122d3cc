// The 3-NDFL paper form printed from the declaration file carries the file: every
// value drawn is the file's value of its line, and every value of the file is
// drawn; the list sheets' page plan; the report library's own composition.

#include <gtest/gtest.h>

#include <QApplication>
#include <QXmlStreamReader>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "export/exportxml.h"
#include "fixtures.h"
#include "model/declaration.h"
#include "report/pageplan.h"
#include "report/printout.h"
#include "report/reportdata.h"
#include "report/reportsums.h"
#include "report/sheets.h"
#include "report/sheetvalues.h"
#include "report/xmlform.h"
#include "report/xmlsheets.h"
#include "storage/money.h"
#include "tempdir.h"

namespace zorv {
namespace {

class XmlForm : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_report";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) new QApplication(argc, argv);
    }
};

mTDeclaration Fixture(const std::string& name) {
    mTDeclaration d;
    DeclarationFromJson(testing::ReadFixtureJson("report/paper/" + name + ".json"), d);
    return d;
}

std::vector<uint8_t> ImageOf(const mTDeclaration& d) {
    std::vector<uint8_t> image = d.BuildImage();
    image.push_back(0);
    return image;
}

std::string Xml(mTDeclaration& d) {
    ExportOptions options;
    options.today = 39887;  // 15.03.2009
    options.guid = "0F8FAD5B-D9CB-469F-A165-70867728950E";
    return ExportXml({}, d, 2, options);
}

// Every attribute of the declaration in the file (the element Документ and all
// under it) by "Element:i/…@Attribute", read here on its own rather than by the
// printing code. The root's own attributes name the file, not the declaration.
std::map<std::string, std::string> AttributesOf(const std::string& xml) {
    std::string utf8 = xml;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    std::map<std::string, std::string> attributes;
    std::vector<std::string> path;
    std::vector<std::map<std::string, int>> seen(1);
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const std::string name = reader.name().toString().toStdString();
            const int index = seen.back()[name]++;
            path.push_back((path.empty() ? std::string() : path.back() + "/") + name + ":" +
                           std::to_string(index));
            seen.emplace_back();
            if (path.back().rfind("Файл:0/Документ:0", 0) != 0) continue;
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                attributes[path.back() + "@" + a.name().toString().toStdString()] =
                    a.value().toString().toStdString();
            }
        } else if (token == QXmlStreamReader::EndElement) {
            path.pop_back();
            seen.pop_back();
        }
    }
    return attributes;
}

struct Drawn {
    int kind = 0;
    std::string code;
    std::string text;   // the value's characters left to right; "=" for the point
    bool free = false;  // a free text, shortened to its box
};

// The values drawn on the pages, by the place in the file they show.
std::map<std::string, Drawn> DrawnValues(const std::vector<kTPage>& pages,
                                         std::vector<std::string>& unplaced) {
    std::map<std::string, Drawn> drawn;
    for (const kTPage& page : pages) {
        std::map<QString, std::vector<const PageItem*>> byTag;
        for (const PageItem& item : page.Items) {
            if (item.kind == PageItem::Text && !item.tag.isEmpty())
                byTag[item.tag].push_back(&item);
        }
        for (auto& [tag, items] : byTag) {
            std::sort(items.begin(), items.end(),
                      [](const PageItem* a, const PageItem* b) { return a->x < b->x; });
            const QStringList parts = tag.split('|');
            Drawn d;
            d.kind = parts[0].toInt();
            d.code = parts[1].toStdString();
            for (const PageItem* item : items) {
                d.text += item->text.toStdString();
                d.free = d.free || item->face == FontFace::Free;
            }
            const std::string origin = parts.mid(2).join('|').toStdString();
            if (origin.empty()) {
                unplaced.push_back(std::string(SheetKind(d.kind).Name) + " " + d.code);
                continue;
            }
            // A sheet's title (its rate, its V mark) repeats on every page of the
            // sheet; a value of a block or of the totals is drawn once.
            auto it = drawn.find(origin);
            if (it != drawn.end()) {
                EXPECT_EQ(d.code, "001") << origin << " drawn twice";
                EXPECT_EQ(d.text, it->second.text) << origin;
            }
            drawn[origin] = d;
        }
    }
    return drawn;
}

bool IsAmountLike(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789.= ") == std::string::npos;
}

// The drawn characters show the file's value.
bool Shows(const Drawn& d, const std::string& value) {
    if (d.text == "V") return !value.empty();  // a mark in its box
    if (d.free) return !d.text.empty() && value.rfind(d.text, 0) == 0;
    std::string text = d.text;
    for (char& c : text) {
        if (c == '=') c = '.';
    }
    if (text == value) return true;
    if (IsAmountLike(text) && IsAmountLike(value) && value.find('.') == value.rfind('.')) {
        auto a = Money::Parse(text), b = Money::Parse(value);
        return a && b && *a == *b;
    }
    return false;
}

// The last one: birth aid, a material benefit, a representative organisation, a
// correction and no identity document.
const char* const kFixturesOfPaper[] = {"employee",   "housing",           "social_cap",
                                        "car_sale",   "nonresident",       "foreign_credit",
                                        "dividends",  "entrepreneur",      "securities_loss",
                                        "everything", "securities_groups", "benefits"};

TEST_F(XmlForm, ThePaperCarriesEveryValueOfTheFileAndNoOther) {
    for (const char* name : kFixturesOfPaper) {
        SCOPED_TRACE(name);
        mTDeclaration d = Fixture(name);
        const std::string xml = Xml(d);
        ASSERT_NE(xml, kExportError);
        kTXmlForm form(QByteArray::fromStdString(xml), ImageOf(d), d.InspectionName, true);
        std::vector<std::string> unplaced;
        const std::map<std::string, Drawn> drawn = DrawnValues(form.Pages(), unplaced);
        const std::map<std::string, std::string> file = AttributesOf(xml);

        for (const auto& [origin, value] : drawn) {
            auto it = file.find(origin);
            ASSERT_NE(it, file.end()) << origin << " is drawn but the file has no such value";
            // A zero amount or count leaves its cells empty on every sheet (a code
            // of zeros, as "000", is printed).
            const std::string& v = it->second;
            if ((v == "0" || v.find('.') != std::string::npos) && IsZeroText(v)) {
                EXPECT_EQ(value.text.find_first_not_of(" =."), std::string::npos)
                    << SheetKind(value.kind).Name << " " << value.code << " prints «" << value.text
                    << "» for «" << it->second << "»";
            }
            EXPECT_TRUE(Shows(value, it->second))
                << SheetKind(value.kind).Name << " " << value.code << " shows «" << value.text
                << "», the file has «" << it->second << "» at " << origin;
        }
        for (const auto& [origin, value] : file) {
            if (IsZeroText(value)) continue;
            EXPECT_EQ(drawn.count(origin), 1u)
                << origin << " = «" << value << "» is not on the paper form";
        }
        // Only derived lines are drawn without a place in the file: the fee and
        // contract totals of sheets Д and Е; and private practice, which the
        // file does not carry, from the declaration.
        for (const std::string& line : unplaced) {
            EXPECT_TRUE(line.rfind("Лист Д", 0) == 0 || line.rfind("Лист Е", 0) == 0 ||
                        line.rfind("Лист В2", 0) == 0)
                << line;
        }
    }
}

}  // namespace
}  // namespace zorv

namespace zorv {
namespace {

// The codes of the values drawn on a page, with the block they belong to.
std::multiset<std::string> TaggedOrigins(const kTPage& page, int kind) {
    std::multiset<std::string> origins;
    std::set<QString> tags;
    for (const PageItem& item : page.Items) {
        if (item.kind != PageItem::Text || item.tag.isEmpty()) continue;
        const QStringList parts = item.tag.split('|');
        if (parts[0].toInt() == kind) tags.insert(item.tag);
    }
    for (const QString& tag : tags) origins.insert(tag.section('|', 1).toStdString());
    return origins;
}

int LabelCount(const kTPage& page, const QString& text) {
    int count = 0;
    for (const PageItem& item : page.Items)
        count += item.kind == PageItem::Text && item.text == text;
    return count;
}

bool HasTagged(const std::multiset<std::string>& origins, const std::string& part) {
    return std::any_of(origins.begin(), origins.end(),
                       [&](const std::string& o) { return o.find(part) != std::string::npos; });
}

TEST_F(XmlForm, ListSheetsFillTheirLastPageWithEmptyBlocksAndTheTotals) {
    mTDeclaration d = Fixture("employee");
    while (d.ThirteenPercentCount() < 5) {
        const size_t i = d.AddThirteenPercent();
        d.ThirteenPercent(i) = d.ThirteenPercent(0);
        d.ThirteenPercent(i).INN = "770501234" + std::to_string(i);
    }
    const std::string xml = Xml(d);
    ASSERT_NE(xml, kExportError);
    kTXmlForm form(QByteArray::fromStdString(xml), ImageOf(d), {}, true);
    const kTPagePlan& plan = form.Data().Plan;
    ASSERT_EQ(plan.Pages[kKindA13], 2);
    // Title, second sheet, sections 1 and 6 (one row), then sheet А.
    EXPECT_EQ(plan.FirstPage(kKindR1), 3);
    EXPECT_FALSE(plan.Has(kKindR5));
    EXPECT_EQ(plan.FirstPage(kKindR6), 4);
    EXPECT_EQ(plan.FirstPage(kKindA13), 5);
    const std::vector<kTPage> pages = form.Sheets().Sheet(kKindA13).Pages();
    ASSERT_EQ(pages.size(), 2u);

    const auto first = TaggedOrigins(pages[0], kKindA13);
    const auto second = TaggedOrigins(pages[1], kKindA13);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(HasTagged(first, "РасчДохНал:" + std::to_string(i)));
    EXPECT_FALSE(HasTagged(first, "РасчДохНал:4"));
    EXPECT_TRUE(HasTagged(second, "РасчДохНал:4"));
    EXPECT_FALSE(HasTagged(second, "РасчДохНал:3"));
    // Four blocks on each page: the fifth source and three empty ones.
    EXPECT_EQ(LabelCount(pages[0], "010"), 4);
    EXPECT_EQ(LabelCount(pages[1], "010"), 4);
    // The sheet's totals only on its last page.
    for (const char* total : {"080|", "090|", "100|", "110|"}) {
        EXPECT_FALSE(HasTagged(first, total)) << total;
        EXPECT_TRUE(HasTagged(second, total)) << total;
    }
    // The pages are numbered on from the sheet's first page.
    EXPECT_EQ(form.Pages().size(), static_cast<size_t>(plan.TotalPages));
}

TEST_F(XmlForm, ThreeForeignIncomesAtThirteenPercentTakeTwoPagesOfSheetB) {
    mTDeclaration d = Fixture("foreign_credit");
    while (d.CurrencyIncomeCount() < 3) {
        const size_t i = d.AddCurrencyIncome();
        d.CurrencyIncome(i) = d.CurrencyIncome(0);
    }
    const std::string xml = Xml(d);
    ASSERT_NE(xml, kExportError);
    kTXmlForm form(QByteArray::fromStdString(xml), ImageOf(d), {}, true);
    EXPECT_EQ(form.Data().Plan.Pages[kKindB13], 2);
    const std::vector<kTPage> pages = form.Sheets().Sheet(kKindB13).Pages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(HasTagged(TaggedOrigins(pages[1], kKindB13), "РасчДохНалИно:2"));
    EXPECT_FALSE(HasTagged(TaggedOrigins(pages[0], kKindB13), "150|"));
    EXPECT_TRUE(HasTagged(TaggedOrigins(pages[1], kKindB13), "150|"));
}

TEST_F(XmlForm, FivePrizeRowsGiveSheetG1ThreePagesWithItemOneOnTheFirst) {
    mTDeclaration d;
    DeclarationFromJson(testing::ReadFixtureJson("report/paper/everything.json"), d);
    const mTThirtyFivePercent prize = d.ThirtyFivePercent(0);
    ASSERT_EQ(prize.IncomeCode, 2740u);
    for (int i = 0; i < 4; ++i) d.ThirtyFivePercent(d.AddThirtyFivePercent()) = prize;
    const std::string xml = Xml(d);
    ASSERT_NE(xml, kExportError);
    kTXmlForm form(QByteArray::fromStdString(xml), ImageOf(d), {}, true);
    ASSERT_EQ(form.Data().Plan.Pages[kKindG], 3);
    const std::vector<kTPage> pages = form.Sheets().Sheet(kKindG).Pages();
    ASSERT_EQ(pages.size(), 3u);
    // Item 1's total (1.8, line 150) on the first page, item 3 (190) on the last.
    EXPECT_TRUE(HasTagged(TaggedOrigins(pages[0], kKindG), "150|"));
    EXPECT_FALSE(HasTagged(TaggedOrigins(pages[1], kKindG), "150|"));
    EXPECT_TRUE(HasTagged(TaggedOrigins(pages[2], kKindG), "СвДоход:4"));
    EXPECT_FALSE(HasTagged(TaggedOrigins(pages[1], kKindG), "190|"));
    EXPECT_TRUE(HasTagged(TaggedOrigins(pages[2], kKindG), "190|"));
}

// The sources of the first group of sheets З and И (securities traded on the
// organised market) and that group's results sit at the form's line codes; the
// other groups keep their names.
TEST_F(XmlForm, TheFirstSecuritiesGroupSitsAtItsLineCodes) {
    struct Case {
        int kind;
        const char* attribute;  // the end of the value's place in the file
        const char* code;
    };
    const Case cases[] = {
        {kKindZ, "@ИННЮЛ", "010"},
        {kKindZ, "@КПП", "020"},
        {kKindZ, "@Наим", "030"},
        {kKindZ, "@СумДохОпИст", "040"},
        {kKindZ, "@СумУбытИст", "060"},
        {kKindZ, "@СумОблДохИст", "080"},
        {kKindZ, "РезОпер1:0@СумУбытВыч", "070"},
        {kKindZ, "РезОпер1:0@СумУбытУчРасч", "090"},
        {kKindI, "@ИННЮЛ", "010"},
        {kKindI, "@КПП", "020"},
        {kKindI, "@Наим", "030"},
        {kKindI, "@СумДохОпИст", "040"},
        {kKindI, "@СумУбытИст", "060"},
        {kKindI, "@СумОблДохИст", "070"},
    };
    int checked = 0;
    for (const char* name : {"securities_loss", "everything"}) {
        SCOPED_TRACE(name);
        mTDeclaration d = Fixture(name);
        const kTSheetValues values = SheetValuesFromXml(QByteArray::fromStdString(Xml(d)));
        for (const int kind : {kKindZ, kKindI}) {
            std::vector<const kTSheetBlock*> blocks = values[kind].Group(1);
            blocks.push_back(&values[kind].Totals);
            for (const kTSheetBlock* block : blocks) {
                for (const kTSheetValue& v : block->Values) {
                    for (const Case& c : cases) {
                        const std::string end = c.attribute;
                        if (c.kind != kind || v.Origin.size() < end.size() ||
                            v.Origin.compare(v.Origin.size() - end.size(), end.size(), end) != 0)
                            continue;
                        EXPECT_EQ(v.Code, c.code) << v.Origin;
                        ++checked;
                    }
                }
            }
            // The later groups keep their names.
            for (int group = 2; group <= 6; ++group) {
                for (const kTSheetBlock* block : values[kind].Group(group)) {
                    for (const kTSheetValue& v : block->Values)
                        EXPECT_NE(v.Code.find_first_not_of("0123456789"), std::string::npos)
                            << v.Origin;
                }
            }
        }
    }
    EXPECT_GT(checked, 0);
}

// The values the earlier paper had no place for, or put on the wrong line, are
// drawn at their sheet and line of the form of 2008.
TEST_F(XmlForm, ValuesSitAtTheirSheetAndLineOfTheFormOf2008) {
    struct Case {
        const char* fixture;
        const char* origin;  // the end of the value's place in the file
        int kind;
        const char* code;
    };
    const Case cases[] = {
        {"benefits", "МатПомРожд:0@ДоходВсИст", kKindG, "010"},
        {"benefits", "МатПомРожд:0@ДоходНеНал", kKindG, "020"},
        {"benefits", "ДоходНеПриз:0@ДохНеНалОбщ", kKindG, "150"},
        {"benefits", "НалБаза35:0@УдержОбщЛиш", kKindR3, "055"},
        {"benefits", "РасчНалогУдЛ:0@Доход", kKindG2, "050"},
        {"benefits", "РасчНалогУдЛ:0@НалогУдЛ", kKindG2, "060"},
        {"benefits", "ДоходМатВыг:0@НалогУдЛОбщ", kKindG2, "070"},
        {"benefits", "СвПред:0@НаимОрг", kTitleSheet, "НаимОрг"},
        {"benefits", "Документ:0@НомКорр", kTitleSheet, "НомКорр"},
        {"everything", "ДоходПриз:0@ДоходНеНалОбщ", kKindG, "190"},
        {"everything", "СвДоход:0@ДоходНеНал", kKindG, "180"},
        {"nonresident", "НалБаза15:0@ДоходОбщ", kKindR15, "010"},
        {"nonresident", "НалБаза15:0@ПодлУпл", kKindR15, "070"},
        {"nonresident", "ДоходИстРФ:0/РасчДохНал:0@Доход", kKindA15, "040"},
        {"housing", "СвОбъектРасх:0@ДатаПриобр", kKindL, "030"},
        {"housing", "СвОбъектРасх:0@ДатаПередач", kKindL, "040"},
    };
    std::map<std::string, std::map<std::string, Drawn>> papers;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fixture) + " " + c.origin);
        auto paper = papers.find(c.fixture);
        if (paper == papers.end()) {
            mTDeclaration d = Fixture(c.fixture);
            kTXmlForm form(QByteArray::fromStdString(Xml(d)), ImageOf(d), {}, true);
            std::vector<std::string> unplaced;
            paper = papers.emplace(c.fixture, DrawnValues(form.Pages(), unplaced)).first;
        }
        const std::string end = c.origin;
        int found = 0;
        for (const auto& [origin, drawn] : paper->second) {
            if (origin.size() < end.size() ||
                origin.compare(origin.size() - end.size(), end.size(), end) != 0)
                continue;
            ++found;
            EXPECT_EQ(drawn.kind, c.kind);
            EXPECT_EQ(drawn.code, c.code);
        }
        EXPECT_EQ(found, 1);
    }
}

// The paper of the file is the form of 2008: the approval of order No. 153н on
// the title page, its sheets' names, no section labels of the earlier form; and
// a taxpayer without an identity document gets none invented.
TEST_F(XmlForm, ThePaperIsTheFormOf2008) {
    mTDeclaration d = Fixture("benefits");
    const std::string xml = Xml(d);
    ASSERT_NE(xml, kExportError);
    kTXmlForm form(QByteArray::fromStdString(xml), ImageOf(d), {}, true);
    const std::vector<kTPage> pages = form.Pages();
    QString title;
    for (const PageItem& item : pages[0].Items) {
        if (item.kind == PageItem::Text) title += item.text + "|";
    }
    EXPECT_TRUE(title.contains("от 31.12.2008 № 153н")) << title.toStdString();
    EXPECT_FALSE(title.contains("162н"));
    EXPECT_FALSE(title.contains("1990"));
    EXPECT_EQ(TitulNRDan(form.Data()).DocTypeCode, "");
    const kTPagePlan& plan = form.Data().Plan;
    EXPECT_STREQ(SheetName(plan, kKindG), "Лист Г1");
    EXPECT_TRUE(plan.Has(kKindG2));
    EXPECT_FALSE(plan.Has(kKindR5));
    for (const kTPage& page : pages) {
        for (const PageItem& item : page.Items) {
            EXPECT_FALSE(item.kind == PageItem::Text && item.text.startsWith("Раздел 000"))
                << item.text.toStdString();
        }
    }
}

// Every text of every page stays at least 5 mm inside the sheet of paper, where
// any printer prints it: the paper of each fixture's file and the 4-NDFL's.
TEST_F(XmlForm, EveryTextStaysFiveMillimetresInsideThePage) {
    std::vector<std::pair<std::string, std::vector<kTPage>>> papers;
    for (const char* name : kFixturesOfPaper) {
        mTDeclaration d = Fixture(name);
        kTXmlForm form(QByteArray::fromStdString(Xml(d)), ImageOf(d), d.InspectionName, true);
        papers.emplace_back(name, form.Pages());
    }
    mTDeclaration notary;
    DeclarationFromJson(testing::ReadFixtureJson("report/notary.json"), notary);
    std::vector<uint8_t> image = ImageOf(notary);
    kTDanLog data(image.data(), image.size() - 1, false);
    kTRepSvodSum sums;
    sums.Compute(data);
    data.Plan = ComputePagePlan(data, sums);
    kTReportSheets sheets(data, sums);
    papers.emplace_back("4-NDFL", DeclarationPages(sheets));

    constexpr double kMargin = 5;
    for (const auto& [name, pages] : papers) {
        for (size_t p = 0; p < pages.size(); ++p) {
            for (const PageItem& item : pages[p].Items) {
                if (item.kind != PageItem::Text || item.text.trimmed().isEmpty()) continue;
                const double right =
                    item.x + TextWidthMm(item.text, item.face, item.points, item.bold);
                const double bottom = item.y + item.points * 0.3528;
                EXPECT_TRUE(item.x >= kMargin && right <= kPaperWidth - kMargin &&
                            item.y >= kMargin && bottom <= kPaperHeight - kMargin)
                    << name << " page " << p + 1 << ": «" << item.text.toStdString() << "» from "
                    << item.x << " to " << right << " mm, y " << item.y;
            }
        }
    }
}

// The first item of a page's footer: its confirmation line.
size_t FooterStart(const kTPage& page) {
    for (size_t i = 0; i < page.Items.size(); ++i) {
        if (page.Items[i].text.startsWith(QStringLiteral("Достоверность"))) return i;
    }
    return page.Items.size();
}

// Every sheet of every fixture keeps its body above the footer: the items
// placed before the footer end above its confirmation line.
TEST_F(XmlForm, NoSheetRunsIntoItsFooter) {
    for (const char* name : kFixturesOfPaper) {
        SCOPED_TRACE(name);
        mTDeclaration d = Fixture(name);
        const std::string xml = Xml(d);
        kTXmlForm form(QByteArray::fromStdString(xml), ImageOf(d), d.InspectionName, true);
        const std::vector<kTPage> pages = form.Pages();
        for (size_t p = 2; p < pages.size(); ++p) {  // the sheets after the two title pages
            const kTPage& page = pages[p];
            const size_t footer = FooterStart(page);
            ASSERT_LT(footer, page.Items.size()) << "page " << p + 1;
            const double limit = page.Items[footer].y;
            for (size_t i = 0; i < footer; ++i) {
                const PageItem& item = page.Items[i];
                if (item.h > 200) continue;  // the lines that run the page's full height
                const double bottom =
                    item.y + (item.kind == PageItem::Text ? item.points * 0.3528 : item.h);
                EXPECT_LE(bottom, limit) << "page " << p + 1 << ": «" << item.text.toStdString()
                                         << "» at " << item.y << " mm";
            }
        }
    }
}

// Six groups of securities do not fit on one page: each page of sources of
// sheets З and И takes two pages, three groups on each, and both feeders plan
// them so.
TEST_F(XmlForm, SixSecurityGroupsTakeTwoPagesForEachPageOfSources) {
    mTDeclaration d = Fixture("securities_groups");
    const std::string xml = Xml(d);
    ASSERT_NE(xml, kExportError);
    kTXmlForm form(QByteArray::fromStdString(xml), ImageOf(d), {}, true);
    for (const int kind : {kKindZ, kKindI}) {
        SCOPED_TRACE(SheetKind(kind).Name);
        ASSERT_EQ(form.Data().Plan.Pages[kind], 2);
        const std::vector<kTPage> pages = form.Sheets().Sheet(kind).Pages();
        ASSERT_EQ(pages.size(), 2u);
        // The sources of the operation marks 1-3, then 4-6, in the file's order.
        for (int source = 0; source < 6; ++source) {
            const std::string row = "РасчОблДохУбыт:" + std::to_string(source);
            EXPECT_EQ(HasTagged(TaggedOrigins(pages[source < 3 ? 0 : 1], kind), row), true) << row;
            EXPECT_EQ(HasTagged(TaggedOrigins(pages[source < 3 ? 1 : 0], kind), row), false) << row;
        }
        // The totals close the sheet.
        EXPECT_EQ(LabelCount(pages[0], "4. Итого"), 0);
        EXPECT_EQ(LabelCount(pages[1], "4. Итого"), 1);
    }
    std::vector<uint8_t> image = ImageOf(d);
    kTDanLog data(image.data(), image.size() - 1, false);
    kTRepSvodSum sums;
    sums.Compute(data);
    EXPECT_EQ(ComputePagePlan(data, sums).Pages[kKindZ], 2);
}

// The report library's own composition prints what the file prints where its
// rules are the main program's.
TEST_F(XmlForm, TheLibraryCompositionPrintsTheFilesValues) {
    for (const char* name : {"employee", "housing", "foreign_credit", "entrepreneur", "dividends",
                             "securities_loss", "social_cap"}) {
        SCOPED_TRACE(name);
        mTDeclaration d = Fixture(name);
        const std::string xml = Xml(d);
        const kTSheetValues fromFile = SheetValuesFromXml(QByteArray::fromStdString(xml));
        std::vector<uint8_t> image = ImageOf(d);
        kTDanLog data(image.data(), image.size() - 1, false);
        kTRepSvodSum sums;
        sums.Compute(data);
        data.Plan = ComputePagePlan(data, sums);
        kTReportSheets sheets(data, sums);
        for (int kind = kSection1Sheet; kind <= kSheetKindCount; ++kind) {
            // The library nets sections 1-4 on a page of its own, which the
            // file has no element for.
            if (kind == kKindR5) continue;
            const kTSheetData& a = fromFile[kind];
            const kTSheetData& b = sheets.Values()[kind];
            ASSERT_EQ(a.Present, b.Present) << SheetKind(kind).Name;
            ASSERT_EQ(a.Blocks.size(), b.Blocks.size()) << SheetKind(kind).Name;
            auto same = [&](const kTSheetBlock& x, const kTSheetBlock& y) {
                for (const kTSheetValue& v : x.Values) {
                    EXPECT_EQ(v.Text, y.Text(v.Code)) << SheetKind(kind).Name << " " << v.Code;
                }
            };
            same(a.Totals, b.Totals);
            for (size_t i = 0; i < a.Blocks.size(); ++i) same(a.Blocks[i], b.Blocks[i]);
            // The library plans every sheet of its own form that the file has.
            if (a.Present && kind <= kKindL) {
                EXPECT_GT(data.Plan.Pages[kind], 0) << SheetKind(kind).Name;
            }
        }
    }
}

}  // namespace
}  // namespace zorv

namespace zorv {
namespace {

std::string Output(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
    return text;
}

TEST(PrintCommand, PrintsA3NdflFromItsFileOrFromTheLibrarysTotals) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftotext (Debian poppler-utils) is not installed";
    }
    testing::TempDir dir;
    const std::string zorv = std::string(ZORV_BINARY_DIR) + "/bin/zorv ";
    const std::string fixture = testing::FixturePath("report/paper/housing.json");
    // The file's paper has no netting section: one page less than the
    // library's, whose sheets are those of its own form.
    for (const auto& [option, pages] : {std::pair<std::string, int>{"", 9}, {" --library", 10}}) {
        SCOPED_TRACE(option);
        const std::string count = std::to_string(pages);
        const std::string pdf = dir.File("housing.pdf");
        const std::string out = Output(zorv + "print " + fixture + option + " -o " + pdf + " 2>&1");
        EXPECT_NE(out.find(": " + count + " стр."), std::string::npos) << out;
        EXPECT_NE(Output("pdfinfo " + pdf).find("Pages:           " + count), std::string::npos);
        const std::string last =
            Output("pdftotext -f " + count + " -l " + count + " -layout " + pdf + " -");
        for (const char* word : {"Лист Л.", "Квартира", "Подольск", "1 0 0 0 0 0 0", "8 5 0 0 0"})
            EXPECT_NE(last.find(word), std::string::npos) << word;
        if (!option.empty()) continue;
        const std::string first = Output("pdftotext -f 1 -l 1 -layout " + pdf + " -");
        for (const char* word : {"31.12.2008", "153н"})
            EXPECT_NE(first.find(word), std::string::npos) << word;
        // The act of transfer (01.08.2008) on line 030 and the registration
        // (10.09.2008) on line 040, each between its caption and the next.
        auto between = [&](const char* from, const char* to) {
            const size_t at = last.find(from);
            return at == std::string::npos ? std::string() : last.substr(at, last.find(to) - at);
        };
        const std::string act = between("Дата акта о передаче", "Дата регистрации");
        EXPECT_NE(act.find("030"), std::string::npos) << act;
        EXPECT_NE(act.find("0 1 . 0 8 . 2 0 0 8"), std::string::npos) << act;
        const std::string registration = between("Дата регистрации права", "Доля (доли)");
        EXPECT_NE(registration.find("040"), std::string::npos) << registration;
        EXPECT_NE(registration.find("1 0 . 0 9 . 2 0 0 8"), std::string::npos) << registration;
    }
}

}  // namespace
}  // namespace zorv
