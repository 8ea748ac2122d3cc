#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <string>

#include "fixtures.h"
#include "model/jsonform.h"
#include "pages/entrykit.h"
#include "shell/formmain.h"
#include "shell/results.h"
#include "shelltest.h"
#include "tempdir.h"
#include "widgets/flashbutton.h"
#include "widgets/maskededit.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::TempDir;
using zorv::testing::Type;

namespace {

// A salary of 600 000 with 78 000 withheld and a flat of 3 000 000 registered
// in 2008: the housing deduction stops at 2 000 000 and everything withheld
// comes back.
const char kHousingRefund[] = R"({
  "InspectionCode": "7705",
  "InspectionName": "Инспекция ФНС России № 5 по г.Москве",
  "DeclarationKind": 0,
  "IncomeFlags": 1,
  "ThirteenPercentList": [{
    "INN": "7705012343", "KPP": "770501001", "OKATO": "45286560000",
    "SourceName": "ООО \"Ромашка\"",
    "TaxableIncome": "600000", "TaxComputed": "78000", "TaxWithheld": "78000",
    "IncomeList": [{"IncomeCode": 2000, "IncomeName": "Заработная плата",
                    "IncomeSum": "600000", "Month": 12}]
  }],
  "Person": {
    "SurName": "Иванов", "Name": "Пётр", "Patronymic": "Сергеевич", "INN": "770512345650",
    "DocTypeCode": 21, "DocTypeName": "Паспорт гражданина РФ", "DocNumber": "45 05 123456",
    "DocIssueDate": "15.06.2005", "BirthDate": "12.04.1975",
    "DocIssuedBy": "ОВД района Хамовники г. Москвы", "BirthPlace": "г. Москва",
    "CitizenshipKind": "1", "PostIndex": "119021", "RegionCode": 77, "RegionName": "г. Москва",
    "Street": "Тимура Фрунзе ул", "House": "11", "Flat": "34", "OKATO": "45286555000"
  },
  "ConstructionDeduct": {
    "Granted": 1, "ObjectName": "Квартира", "RegistrationDate": "10.09.2008",
    "PurchaseDate": "01.08.2008", "StartYearDate": "01.01.2008", "ObjectCost": "3000000",
    "ShareNumerator": 1, "ShareDenominator": 1,
    "PostIndex": "142100", "RegionCode": "50", "City": "Подольск", "Street": "Ленина ул",
    "House": "3", "Flat": "8"
  }
})";

mTDeclaration FromJson(const char* text) {
    mTDeclaration d;
    DeclarationFromJson(ParseDeclarationJson(text), d);
    return d;
}

// The main window over the declaration, shown and active so that the focus
// can be asserted.
struct Window {
    explicit Window(const mTDeclaration& d) : form(QStringLiteral(ZORV_SOURCE_DIR "/data")) {
        const std::string path = dir.File("results.zv8");
        mTDeclaration copy = d;
        copy.SaveToFile(path);
        form.Start({QString::fromStdString(path)});
        form.ReportStartProblems();
        form.resize(1024, 600);
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    TfrResults* Results() {
        if (!form.SwitchPage(navResults)) return nullptr;
        return qobject_cast<TfrResults*>(form.CurrentPage());
    }
    TempDir dir;
    TFormMain form;
};

// Every item of a tree, depth first.
void ForEachItem(QTreeWidgetItem* item, const std::function<void(QTreeWidgetItem*)>& visit) {
    visit(item);
    for (int i = 0; i < item->childCount(); ++i) ForEachItem(item->child(i), visit);
}

QTreeWidgetItem* FindItem(QTreeWidget* tree, const std::function<bool(QTreeWidgetItem*)>& match) {
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; i < tree->topLevelItemCount() && !found; ++i)
        ForEachItem(tree->topLevelItem(i), [&](QTreeWidgetItem* item) {
            if (!found && match(item)) found = item;
        });
    return found;
}

std::string FocusName() {
    const QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName().toStdString() : "(none)";
}

void DoubleClick(QTreeWidget* list, QTreeWidgetItem* item, int column = 0) {
    QApplication::processEvents();  // the new page is laid out
    list->scrollToItem(item);
    const QRect rect = list->visualItemRect(item);
    QPoint point = rect.center();
    point.setX(list->header()->sectionViewportPosition(column) + 4);
    // A double click as the mouse makes it: a click, then the second press.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
}

}  // namespace

TEST(Results, HousingRefundShowsTheRefundAndHowLine040IsMadeUp) {
    ScriptedDialogs dialogs;
    Window w(FromJson(kHousingRefund));
    TfrResults* page = w.Results();
    ASSERT_NE(page, nullptr);

    // The refund in large type, under its budget code and the employer's territory.
    ASSERT_EQ(page->lvPayments->topLevelItemCount(), 1);
    const QTreeWidgetItem* row = page->lvPayments->topLevelItem(0);
    EXPECT_EQ(row->text(0), "К возврату из бюджета");
    EXPECT_EQ(row->text(1), GroupedAmount(QStringLiteral("78000")));
    EXPECT_EQ(row->text(2), "18210102021011000110");
    EXPECT_EQ(row->text(3), "45286560000");
    for (int column : {0, 1})
        EXPECT_GT(row->font(column).pointSizeF(), page->font().pointSizeF() * 1.4);
    // The 13 % base: 600 000 less the deduction cut to 2 000 000 leaves nothing.
    ASSERT_EQ(page->lvSections->topLevelItemCount(), 1);
    const QStringList base = {"Раздел 1 (13 %)", "0", "0", "78000", "78000", "0"};
    for (int column = 0; column < base.size(); ++column)
        EXPECT_EQ(page->lvSections->topLevelItem(0)->text(column),
                  column == 0 ? base[0] : GroupedAmount(base[column]))
            << column;
    EXPECT_TRUE(page->lvProblems->isHidden());

    // Enter on the tax base opens its tree: line 040 holds the deduction cut
    // to the housing limit, with the flat under it.
    QString limitNote, flat;
    bool employerFound = false;
    dialogs.run = [&](QDialog& dialog) {
        auto* window = qobject_cast<TfmExplain*>(&dialog);
        if (!window) return false;
        QTreeWidget* tree = window->tvExplain();
        QTreeWidgetItem* line040 = FindItem(
            tree, [](QTreeWidgetItem* item) { return item->text(0) == "Раздел 1, строка 040"; });
        if (!line040) return false;
        // subtracted from the income of line 030
        EXPECT_EQ(line040->text(1), QStringLiteral("− ") + GroupedAmount(QStringLiteral("600000")));
        ForEachItem(line040, [&](QTreeWidgetItem* item) {
            if (item->text(2).contains("2 000 000")) limitNote = item->text(2);
            if (item->text(0).contains("Квартира")) flat = item->text(1);
        });
        // A double click on the employer closes the window with it chosen.
        QTreeWidgetItem* employer =
            FindItem(tree, [](QTreeWidgetItem* item) { return item->text(0).contains("Ромашка"); });
        if (!employer) return false;
        employerFound = true;
        dialog.show();
        DoubleClick(tree, employer);
        return dialog.result() == QDialog::Accepted;
    };
    page->lvSections->setFocus();
    page->lvSections->setCurrentItem(page->lvSections->topLevelItem(0), 1);
    QTest::keyClick(page->lvSections, Qt::Key_Return);
    ASSERT_EQ(dialogs.ran, std::vector<QString>{"fmExplain"});
    EXPECT_TRUE(limitNote.contains("ст. 220")) << limitNote.toStdString();
    EXPECT_EQ(flat, GroupedAmount(QStringLiteral("3000000")));
    ASSERT_TRUE(employerFound);

    // The 13 % page opens with the employer selected.
    QApplication::processEvents();
    w.form.activateWindow();  // the window is active again once the tree is gone
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
    EXPECT_EQ(w.form.CurrentPageKind(), navRussianIncome);
    auto* hub = qobject_cast<THubFrame*>(w.form.CurrentPage());
    ASSERT_NE(hub, nullptr);
    EXPECT_EQ(hub->CurrentSubPage(), SubPageOf(kPageIncome13));
    auto* payers = hub->SubPage()->findChild<QTreeWidget*>("lvSourseIncomeInfo");
    ASSERT_NE(payers, nullptr);
    EXPECT_EQ(SelectedRow(payers), 0);
    EXPECT_EQ(FocusName(), "lvSourseIncomeInfo");
}

TEST(Results, ListsEveryProblemAndOpensEachField) {
    mTDeclaration d = FromJson(kHousingRefund);
    d.InspectionCode.clear();
    d.Person.SurName.clear();
    d.Person.OKATO.clear();
    struct Expected {
        TNavPage nav;
        int subPage;
        const char* field;
    };
    const Expected expected[] = {
        // the field is chosen from a list: its button is pressed
        {navInitialData, kNoSubPage, "bnInspection"},
        {navPersonInfo, 0, "meSurName"},
        {navPersonInfo, 1, "meOKATO"},
    };
    ScriptedDialogs dialogs;
    // Leaving a page with a problem: "Пропустить все".
    dialogs.checkAnswers.assign(100, TCheckAnswer::SkipAll);
    Window w(d);
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        TfrResults* page = w.Results();
        ASSERT_NE(page, nullptr);
        ASSERT_EQ(page->lvProblems->topLevelItemCount(), 3);
        EXPECT_TRUE(page->lbProblems->text().contains("(3)"));
        QTreeWidgetItem* item = page->lvProblems->topLevelItem(int(i));
        if (i == 1) {
            // The keyboard reaches the list and Enter opens the field.
            page->lvProblems->setFocus();
            page->lvProblems->setCurrentItem(item);
            QTest::keyClick(page->lvProblems, Qt::Key_Return);
        } else {
            DoubleClick(page->lvProblems, item);
        }
        QApplication::processEvents();
        EXPECT_EQ(w.form.CurrentPageKind(), expected[i].nav);
        if (auto* hub = qobject_cast<THubFrame*>(w.form.CurrentPage())) {
            EXPECT_EQ(hub->CurrentSubPage(), expected[i].subPage);
        }
        EXPECT_EQ(FocusName(), expected[i].field);
    }
    EXPECT_TRUE(dialogs.wholeChecks.empty()) << "the list opens no check window";
}

TEST(Results, FollowTheStoredPagesAndTheEnginesMessage) {
    ScriptedDialogs dialogs;
    Window w(FromJson(kHousingRefund));
    // The result stands under the results button from the moment the document opens.
    auto* resultsButton = w.form.findChild<QAbstractButton*>("fbResults");
    ASSERT_NE(resultsButton, nullptr);
    EXPECT_EQ(resultsButton->text(),
              QStringLiteral("Итоги\nк возврату\n") + GroupedAmount(QStringLiteral("78000")));
    ASSERT_EQ(w.Results()->lvPayments->topLevelItem(0)->text(1),
              GroupedAmount(QStringLiteral("78000")));

    // A flat of 200 000: the base is 400 000 and 52 000 of the tax stays due,
    // once the property page has stored what was typed.
    ASSERT_TRUE(w.form.SwitchPage(navDeduction));
    auto* hub = qobject_cast<THubFrame*>(w.form.CurrentPage());
    ASSERT_NE(hub, nullptr);
    hub->SubButton(SubPageOf(kPageHousing))->click();
    auto* cost = hub->SubPage()->findChild<TMaskedEdit*>("meObsch");
    ASSERT_NE(cost, nullptr);
    cost->selectAll();
    Type(cost, "200000");
    TfrResults* page = w.Results();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->lvPayments->topLevelItem(0)->text(1), GroupedAmount(QStringLiteral("26000")));
    EXPECT_EQ(page->lvSections->topLevelItem(0)->text(1), GroupedAmount(QStringLiteral("400000")));
    EXPECT_EQ(resultsButton->text(),
              QStringLiteral("Итоги\nк возврату\n") + GroupedAmount(QStringLiteral("26000")));

    // An estimated-income declaration has no amounts to pay or refund: the page says so.
    w.form.Declaration().DeclarationKind = kEstimated4NDFL;
    page->Refresh();
    EXPECT_TRUE(page->lvPayments->isHidden());
    EXPECT_TRUE(page->lvSections->isHidden());
    EXPECT_FALSE(page->lbMessage->isHidden());
    EXPECT_TRUE(page->lbMessage->text().contains("4-НДФЛ"));
}

// Every kind of record of a tree opens on its own page with it selected (or,
// for a block of deductions, with its first field focused).
TEST(Results, EachRecordOfATreeOpensOnItsPage) {
    mTDeclaration d;
    DeclarationFromJson(zorv::testing::ReadFixtureJson("report/paper/everything.json"), d);
    d.AddNalog();
    d.AddNalog();
    ScriptedDialogs dialogs;
    Window w(d);
    using K = TExplainTarget::Kind;
    struct Case {
        TExplainTarget target;
        TNavPage nav;
        int subPage;
        const char* focus;  // the control with the focus
        const char* list;   // the list of the record, or nullptr
        int row;
    };
    const int sub13 = SubPageOf(kPageIncome13);
    const Case cases[] = {
        {{K::ThirteenSource, 1},
         navRussianIncome,
         sub13,
         "lvSourseIncomeInfo",
         "lvSourseIncomeInfo",
         1},
        {{K::ThirteenLine, 0, 2}, navRussianIncome, sub13, "lvIncome", "lvIncome", 2},
        {{K::Dividend, 0},
         navRussianIncome,
         SubPageOf(kPageDividends),
         "lvSourseIncomeInfo",
         "lvSourseIncomeInfo",
         0},
        {{K::ThirtyFive, 1},
         navRussianIncome,
         SubPageOf(kPageIncome35),
         "lvSourseIncomeInfo",
         "lvSourseIncomeInfo",
         1},
        {{K::Foreign, 3},
         navForeignIncome,
         kNoSubPage,
         "lvSourseIncomeInfo",
         "lvSourseIncomeInfo",
         3},
        {{K::Business, 0},
         navBusinessIncome,
         kNoSubPage,
         "lvSourseIncomeInfo",
         "lvSourseIncomeInfo",
         0},
        {{K::AdvancePayment, 1},
         navNalog,
         kNoSubPage,
         "lvSourseIncomeInfo",
         "lvSourseIncomeInfo",
         1},
        {{K::ChildEducation, 1}, navDeduction, 2, "lvSumList", "lvSumList", 1},
        {{K::PensionContract, 1}, navDeduction, 2, "lvPensInfo", "lvPensInfo", 1},
        {{K::SocialDeduction}, navDeduction, 2, "meCharitySum", nullptr, 0},
        {{K::StandardDeduction}, navDeduction, 0, nullptr, nullptr, 0},
        {{K::PropertyDeduction}, navDeduction, SubPageOf(kPageHousing), "meObjectNaim", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.target.kind));
        const std::optional<TTargetPlace> place = PlaceOfTarget(c.target);
        ASSERT_TRUE(place);
        w.form.OpenPlace(*place);
        QApplication::processEvents();
        ASSERT_EQ(w.form.CurrentPageKind(), c.nav);
        QWidget* page = w.form.CurrentPage();
        if (auto* hub = qobject_cast<THubFrame*>(page)) {
            EXPECT_EQ(hub->CurrentSubPage(), c.subPage);
            page = hub->SubPage();
        }
        if (c.focus) {
            EXPECT_EQ(FocusName(), c.focus);
        }
        if (c.list) {
            auto* list = page->findChild<QTreeWidget*>(c.list);
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(SelectedRow(list), c.row);
        }
    }
    // Private practice has no page of its own.
    EXPECT_FALSE(PlaceOfTarget({K::PrivatePractice, 0}));
}

// The results button follows what is typed on a page before the page is left,
// and the declaration keeps the page's values only once it is left.
TEST(ResultsButton, FollowsAFieldWhileThePageIsBeingFilledIn) {
    zorv::testing::ScriptedDialogs dialogs;
    zorv::testing::TempDir dir;
    zorv::mTDeclaration d;
    zorv::DeclarationFromJson(zorv::testing::ReadFixtureJson("check/employee.json"), d);
    d.SaveToFile(dir.File("employee.zv8"));
    zorv::TFormMain form(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    form.Start({QString::fromStdString(dir.File("employee.zv8"))});
    ASSERT_TRUE(form.SwitchPage(zorv::navRussianIncome));
    const QString before = form.NavButton(zorv::navResults)->text();
    auto* withheld = form.CurrentPage()->findChild<zorv::TMaskedEdit*>("meHoldSum");
    ASSERT_NE(withheld, nullptr);
    const zorv::Money stored = form.Declaration().ThirteenPercent(0).TaxWithheld;
    zorv::TypeOver(withheld, QStringLiteral("99999"));
    QTest::qWait(600);
    const QString after = form.NavButton(zorv::navResults)->text();
    EXPECT_NE(after, before);
    EXPECT_TRUE(after.contains(QStringLiteral("к возврату"))) << after.toStdString();
    EXPECT_EQ(form.Declaration().ThirteenPercent(0).TaxWithheld, stored)
        << "the declaration takes the page's values when the page is left";
}
