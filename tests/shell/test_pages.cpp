#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>
#include <set>
#include <string>

#include "pages/businesspage.h"
#include "pages/codelists.h"
#include "pages/currencypage.h"
#include "pages/dividendsdialog.h"
#include "pages/nalogdialog.h"
#include "pages/okvedform.h"
#include "pages/ratetable.h"
#include "pages/socialdeduct.h"
#include "pages/thirteendialogs.h"
#include "pages/thirtyfivedialog.h"
#include "shell/formmain.h"
#include "shell/initialdata.h"
#include "shell/persondata.h"
#include "shelltest.h"
#include "tempdir.h"
#include "widgets/dateedit.h"
#include "widgets/flashbutton.h"
#include "widgets/lookups.h"
#include "widgets/maskededit.h"
#include "widgets/referencedata.h"
#include "widgets/shelltext.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::TempDir;
using zorv::testing::Type;

namespace {

// A page that reports what the host asked of it.
class ProbePage : public TThinkingFrame {
  public:
    ProbePage(TShellContext& ctx, QWidget* parent, int validateResult, QStringList& log)
        : TThinkingFrame(ctx, parent), result_(validateResult), log_(log) {}
    void StoreToModel() override { log_ << "store"; }
    int Validate() override {
        log_ << "validate";
        return result_;
    }
    void FocusError(int code) override { log_ << QStringLiteral("focus %1").arg(code); }

  private:
    int result_;
    QStringList& log_;
};

TShellContext& ContextWithLists(TShellContext& ctx) {
    ctx.references.inspections = {{"7701", "Инспекция № 1"}, {"7702", "Инспекция № 2"}};
    ctx.references.countries = {{"643", "РОССИЯ"}, {"276", "ГЕРМАНИЯ"}};
    return ctx;
}

// Answers a lookup with the entry of `code`.
std::function<bool(QDialog&)> Choose(const QString& code) {
    return [code](QDialog& dialog) {
        auto* lookup = qobject_cast<TfmLookup*>(&dialog);
        return lookup && lookup->Select(code);
    };
}

}  // namespace

TEST(PageHost, SwitchStoresChecksAndStaysOnAProblem) {
    TShellContext ctx;
    QWidget container, buttons;
    TFlashButton first("1", &buttons, 1), second("2", &buttons, 1);
    TPageHost host(ctx, &container);
    QStringList firstLog, secondLog;
    int result = 7;
    auto makeFirst = [&](QWidget* p) { return new ProbePage(ctx, p, result, firstLog); };
    auto makeSecond = [&](QWidget* p) { return new ProbePage(ctx, p, 0, secondLog); };
    host.Replace(0, &first, makeFirst);
    EXPECT_TRUE(first.Down());

    EXPECT_TRUE(host.SwitchTo(0, &first, makeFirst));  // the page shown: nothing happens
    EXPECT_TRUE(firstLog.isEmpty());

    second.click();  // the user's press puts the other button down
    EXPECT_FALSE(host.SwitchTo(1, &second, makeSecond));
    EXPECT_EQ(firstLog, QStringList({"store", "validate", "focus 7"}));
    EXPECT_EQ(host.CurrentKind(), 0);
    EXPECT_TRUE(first.Down()) << "the button of the page kept goes down again";
    EXPECT_FALSE(second.Down());

    // Only the low 16 bits count.
    result = 0x10000;
    host.Replace(0, &first, makeFirst);
    firstLog.clear();
    EXPECT_TRUE(host.SwitchTo(1, &second, makeSecond));
    EXPECT_EQ(host.CurrentKind(), 1);
    EXPECT_TRUE(second.Down());
}

TEST(PageHost, PagesAreBuiltWhileLoadingAndSeeTheCurrentDeclaration) {
    TShellContext ctx;
    QSignalSpy notices(&ctx, &TShellContext::modified);
    QWidget container;
    TPageHost host(ctx, &container);
    ctx.Decl().InspectionCode = "7701";
    host.Replace(0, nullptr, [&](QWidget* p) { return new TfrInitialData(ctx, p); });
    EXPECT_EQ(notices.count(), 0);
    EXPECT_FALSE(ctx.Loading());

    auto fresh = std::make_unique<mTDeclaration>();
    fresh->InspectionCode = "5001";
    host.Clear();
    ctx.ReplaceDeclaration(std::move(fresh));
    host.Replace(0, nullptr, [&](QWidget* p) { return new TfrInitialData(ctx, p); });
    EXPECT_EQ(static_cast<TfrInitialData*>(host.Current())->meInspection->text(), "5001");
}

TEST(InitialData, ChecksRunInOrderAndFollowTheAnswers) {
    struct Case {
        std::vector<TCheckAnswer> answers;
        int expected;
        int shown;
    } cases[] = {
        {{TCheckAnswer::Correct}, 1, 1},
        {{TCheckAnswer::Skip, TCheckAnswer::Skip, TCheckAnswer::Correct}, 4, 3},
        {{TCheckAnswer::Skip, TCheckAnswer::SkipAll}, 0, 2},
        {{TCheckAnswer::Skip, TCheckAnswer::Skip, TCheckAnswer::Skip, TCheckAnswer::Skip}, 0, 4},
    };
    for (const Case& c : cases) {
        ScriptedDialogs dialogs;
        dialogs.checkAnswers.assign(c.answers.begin(), c.answers.end());
        TShellContext ctx;
        ctx.Decl().SubmitterKind = 2;
        TfrInitialData page(ctx, nullptr);
        page.StoreToModel();
        EXPECT_EQ(page.Validate(), c.expected);
        ASSERT_EQ(int(dialogs.checks.size()), c.shown);
        EXPECT_EQ(dialogs.checks[0].section, "Задание условий");
        const QStringList all = {"Не введен номер инспекции",
                                 "Не указаны ФИО подписанта-представителя",
                                 "Не указан документ, подтверждающий полномочия представителя",
                                 "Не указано наименование Юр.лица-представителя"};
        EXPECT_EQ(dialogs.CheckMessages(), all.mid(0, c.shown));
    }
}

TEST(InitialData, RepresentativeNameProblemFocusesTheNameField) {
    ScriptedDialogs dialogs;
    TShellContext ctx;
    ctx.Decl().InspectionCode = "7701";
    TfrInitialData page(ctx, nullptr);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    page.rbGiveTrustFase->click();
    Type(page.meOsn, "Доверенность");
    page.StoreToModel();
    const int code = page.Validate();
    EXPECT_EQ(code, 3);
    EXPECT_EQ(dialogs.CheckMessages(), QStringList({"Не указаны ФИО подписанта-представителя"}));
    page.FocusError(code);
    EXPECT_TRUE(page.meFIO->hasFocus());
    EXPECT_EQ(ctx.Decl().RepresentativeDocument, "Доверенность");
}

TEST(InitialData, FormRadiosSetControlsAndNavigation) {
    struct Case {
        int form;
        bool yearShown, currencyEnabled, inquiryEnabled, deduction, nalog, farmEnabled,
            primaryShown, representativeEnabled, expectedShown, dateShown;
    } cases[] = {
        {kResident3NDFL, true, true, true, true, true, true, false, true, false, false},
        {kNonResident3NDFL, true, false, true, false, true, true, false, true, false, false},
        {kEstimated4NDFL, false, false, false, false, false, false, true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        TShellContext ctx;
        ctx.Decl().SetIncomeFlags(kIncomeFromAgents | kIncomeForeign | kIncomeBusiness);
        ctx.Decl().TaxpayerCategory = 1;  // farm head
        TfrInitialData page(ctx, nullptr);
        page.show();
        QRadioButton* radio[] = {page.rbSimple, page.rbNeRez, page.rb4ndfl};
        radio[c.form]->click();
        EXPECT_EQ(page.pnlYear->isVisible(), c.yearShown);
        EXPECT_EQ(page.chbIncomeCurrency->isEnabled(), c.currencyEnabled);
        EXPECT_EQ(page.chbIncomeCurrency->isChecked(), c.currencyEnabled);
        EXPECT_EQ(page.chbIncomeBusiness->isChecked(), c.currencyEnabled);
        EXPECT_EQ(page.chbIncomeInquiry->isEnabled(), c.inquiryEnabled);
        EXPECT_EQ(page.chbIncomeInquiry->isChecked(), c.inquiryEnabled);
        EXPECT_EQ(ctx.NavEnabled(navRussianIncome), c.inquiryEnabled);
        EXPECT_EQ(ctx.NavEnabled(navForeignIncome), c.currencyEnabled);
        EXPECT_EQ(ctx.NavEnabled(navBusinessIncome), c.currencyEnabled);
        EXPECT_EQ(ctx.NavEnabled(navDeduction), c.deduction);
        EXPECT_EQ(ctx.NavEnabled(navNalog), c.nalog);
        EXPECT_EQ(page.rbFermer->isEnabled(), c.farmEnabled);
        EXPECT_EQ(page.rbFermer->isChecked(), c.farmEnabled)
            << "4-NDFL moves a farm head to entrepreneur";
        EXPECT_EQ(page.rbFirst->isVisible(), c.primaryShown);
        EXPECT_EQ(page.rbGiveSelf->isEnabled(), c.representativeEnabled);
        EXPECT_EQ(page.meSupposeIncome->isVisible(), c.expectedShown);
        EXPECT_TRUE(page.dtGetDate->isVisible()) << "every form carries its date";
        EXPECT_EQ(page.cbPrintData->isVisible(), c.dateShown);
        EXPECT_FALSE(page.gbAppendixes->isVisible());
    }
}

TEST(InitialData, LeavingThePageKeepsOnlyTheIncomeOfCheckedGroups) {
    struct Case {
        QString action;
        bool agents, foreign;
    } cases[] = {{"4-НДФЛ", false, false},
                 {"3-НДФЛ нерезидента", true, false},
                 {"unchecked currency", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action.toStdString());
        TShellContext ctx;
        mTDeclaration& d = ctx.Decl();
        d.SetIncomeFlags(kIncomeFromAgents | kIncomeForeign);
        d.AddThirteenPercent();
        d.AddCurrencyIncome();
        TfrInitialData page(ctx, nullptr);
        if (c.action == "4-НДФЛ")
            page.rb4ndfl->click();
        else if (c.action == "3-НДФЛ нерезидента")
            page.rbNeRez->click();
        else
            page.chbIncomeCurrency->click();
        page.StoreToModel();
        EXPECT_EQ(d.HasIncome(kIncomeFromAgents), c.agents);
        EXPECT_EQ(d.ThirteenPercentCount(), c.agents ? 1u : 0u);
        EXPECT_FALSE(d.HasIncome(kIncomeForeign));
        EXPECT_EQ(d.CurrencyIncomeCount(), 0u);
    }
}

TEST(InitialData, LeavingThePageKeepsThePrivatePracticeRecords) {
    TShellContext ctx;
    mTDeclaration& d = ctx.Decl();
    d.SetIncomeFlags(kIncomeFromAgents | kIncomeRepetit);
    d.AddRepetit();
    TfrInitialData page(ctx, nullptr);
    page.StoreToModel();
    EXPECT_TRUE(d.HasIncome(kIncomeRepetit));
    EXPECT_EQ(d.RepetitCount(), 1u);
}

TEST(InitialData, PrimaryOrCorrectiveComesFromTheDocument) {
    for (uint8_t primary : {0, 1}) {
        TShellContext ctx;
        ctx.Decl().DeclarationKind = kEstimated4NDFL;
        ctx.Decl().IsPrimary = primary;
        ctx.Decl().CorrectionNumber = primary ? 0 : 2;
        TfrInitialData page(ctx, nullptr);
        EXPECT_EQ(page.rbFirst->isChecked(), primary == 1);
        EXPECT_EQ(page.meNumVer->isEnabled(), primary == 0);
        page.StoreToModel();
        EXPECT_EQ(ctx.Decl().IsPrimary, primary);
        EXPECT_EQ(ctx.Decl().CorrectionNumber, primary ? 0u : 2u);
    }
}

TEST(InitialData, Year2009NoticesOnlyForTheUsersChoice) {
    ScriptedDialogs dialogs;
    TShellContext ctx;
    ctx.Decl().Year = "2009";
    QSignalSpy notices(&ctx, &TShellContext::modified);
    {
        TfrInitialData page(ctx, nullptr);
        EXPECT_TRUE(page.rb2009->isChecked());
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(notices.count(), 0);
    }
    ctx.Decl().Year = "2008";
    TfrInitialData page(ctx, nullptr);
    page.rb2009->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[0].startsWith("Внимание! В программе используются бланки"));
    EXPECT_TRUE(dialogs.messages[1].endsWith("программы \"Zorv 2009\"."));
    EXPECT_GT(notices.count(), 0) << "the year is part of the document";
    page.StoreToModel();
    EXPECT_EQ(ctx.Decl().Year, "2009");
}

TEST(InitialData, InspectionComesFromTheLookup) {
    ScriptedDialogs dialogs;
    TShellContext ctx;
    {
        TfrInitialData page(ctx, nullptr);
        EXPECT_FALSE(page.bnInspection->isEnabled()) << "no inspection list";
    }
    ContextWithLists(ctx);
    TfrInitialData page(ctx, nullptr);
    QSignalSpy notices(&ctx, &TShellContext::modified);
    dialogs.run = Choose("7702");
    page.FocusError(1);  // presses the button at once
    EXPECT_EQ(dialogs.ran, std::vector<QString>({"fmInputInspectionNumber"}));
    page.StoreToModel();
    EXPECT_EQ(ctx.Decl().InspectionCode, "7702");
    EXPECT_EQ(ctx.Decl().InspectionName, "Инспекция № 2");
    EXPECT_GT(notices.count(), 0);
}

TEST(PersonNaim, ChecksOfNameTaxNumberAndDocument) {
    struct Case {
        const char* what;
        std::function<void(mTPersonInformation&)> setUp;
        QString message;  // empty: the page passes
        int code;
    } cases[] = {
        {"no surname", [](mTPersonInformation& p) { p.SurName.clear(); }, "Не введена фамилия", 1},
        {"no name", [](mTPersonInformation& p) { p.Name.clear(); }, "Не введено имя", 2},
        {"10-digit INN", [](mTPersonInformation& p) { p.INN = "1234567894"; },
         "Длинна ИНН должна быть равна 12 цифрам", 4},
        {"wrong check digit", [](mTPersonInformation& p) { p.INN = "123456789048"; },
         "Номер ИНН введен неверно", 4},
        {"valid INN, nothing else",
         [](mTPersonInformation& p) {
             p.INN = "123456789047";
             p.BirthPlace.clear();
             p.DocTypeCode = 0;
             p.DocTypeName.clear();
         },
         "", 0},
        {"no INN, no birth place", [](mTPersonInformation& p) { p.BirthPlace.clear(); },
         "Не указано место рождения", 9},
        {"no INN, no document",
         [](mTPersonInformation& p) {
             p.DocTypeCode = 0;
             p.DocTypeName.clear();
         },
         "Не указан документ, удостоверяющий личность", 5},
        {"no number", [](mTPersonInformation& p) { p.DocNumber.clear(); },
         "Не указаны серия и номер документа, удостоверяющего личность", 6},
        {"issued before birth",
         [](mTPersonInformation& p) { p.DocIssueDate = DayNumber(1979, 1, 1); },
         "Дата выдачи документа не может быть меньше даты рождения", 7},
        {"passport on the 14th birthday",
         [](mTPersonInformation& p) { p.DocIssueDate = DayNumber(1994, 3, 15); },
         "Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет", 7},
        {"passport a day later",
         [](mTPersonInformation& p) { p.DocIssueDate = DayNumber(1994, 3, 16); }, "", 0},
        {"born 29 February",
         [](mTPersonInformation& p) {
             p.BirthDate = DayNumber(1980, 2, 29);
             p.DocIssueDate = DayNumber(1994, 3, 1);
         },
         "", 0},
        {"birth certificate at birth",
         [](mTPersonInformation& p) {
             p.DocTypeCode = 3;
             p.DocTypeName = "Свидетельство о рождении";
             p.DocNumber = "I-АБ 123";
             p.DocIssueDate = p.BirthDate;
         },
         "", 0},
        {"no issuer", [](mTPersonInformation& p) { p.DocIssuedBy.clear(); },
         "Не указано, кем выдан документ, удостоверяющий личность", 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedDialogs dialogs;
        TShellContext ctx;
        mTPersonInformation& p = ctx.Decl().Person;
        p.SurName = "Иванов";
        p.Name = "Иван";
        p.BirthPlace = "г. Тула";
        p.BirthDate = DayNumber(1980, 3, 15);
        p.DocTypeCode = 21;
        p.DocTypeName = "Паспорт гражданина РФ";
        p.DocNumber = "45 09 123456";
        p.DocIssueDate = DayNumber(2005, 6, 1);
        p.DocIssuedBy = "ОВД";
        c.setUp(p);
        TfrPersonNaim page(ctx, nullptr);
        page.StoreToModel();
        EXPECT_EQ(page.Validate(), c.code);
        EXPECT_EQ(dialogs.CheckMessages(),
                  c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
}

TEST(PersonNaim, FocusCodesReachTheirControls) {
    ScriptedDialogs dialogs;
    TShellContext ctx;
    ctx.Decl().Person.DocTypeCode = 21;
    ctx.Decl().Person.DocTypeName = "Паспорт гражданина РФ";
    TfrPersonNaim page(ctx, nullptr);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    const std::pair<int, QWidget*> targets[] = {
        {1, page.meSurName}, {2, page.meName},   {3, page.mePatronymic},
        {4, page.meINN},     {6, page.meSerial}, {7, page.dtRegDate},
        {8, page.meKem},     {9, page.meMesto},  {10, page.meCitizenship}};
    for (const auto& [code, widget] : targets) {
        page.FocusError(code);
        EXPECT_TRUE(widget->hasFocus()) << code;
    }
    page.FocusError(5);
    EXPECT_EQ(dialogs.ran, std::vector<QString>({"fmDocType"}))
        << "code 5 opens the document kinds";
}

TEST(PersonNaim, ChoosingADocumentKindSetsTheNumberMask) {
    ScriptedDialogs dialogs;
    TShellContext ctx;
    mTPersonInformation& p = ctx.Decl().Person;
    p.DocTypeCode = 91;
    p.DocTypeName = "Иные документы";
    p.DocNumber = "что-то";
    p.DocIssuedBy = "кто-то";
    TfrPersonNaim page(ctx, nullptr);
    EXPECT_EQ(page.meSerial->MaskKind(), 5);
    dialogs.run = Choose("21");
    page.bnDocType->click();
    EXPECT_EQ(page.meSerial->text(), "");
    EXPECT_EQ(page.meSerial->MaskKind(), 2);
    EXPECT_EQ(page.meKem->text(), "");
    EXPECT_EQ(page.dtRegDate->date(), QDate(1990, 1, 1));
    Type(page.meSerial, "4509123456");
    page.StoreToModel();
    EXPECT_EQ(p.DocTypeCode, 21);
    EXPECT_EQ(p.DocTypeName, "Паспорт гражданина РФ");
    EXPECT_EQ(p.DocNumber, "45 09 123456");
}

TEST(PersonNaim, CitizenshipBlockFollowsTheForm) {
    {
        TShellContext ctx;  // 3-NDFL without country list
        TfrPersonNaim page(ctx, nullptr);
        EXPECT_EQ(ctx.Decl().Person.IsForeigner, 1)
            << "a 3-NDFL taxpayer always has the citizenship block";
        EXPECT_FALSE(page.bnGrazhd->isEnabled());
        EXPECT_EQ(page.gbCitizenship->title(), "Данные о гражданстве");
    }
    ScriptedDialogs dialogs;
    TShellContext ctx;
    ContextWithLists(ctx);
    ctx.Decl().DeclarationKind = kEstimated4NDFL;
    TfrPersonNaim page(ctx, nullptr);
    page.show();
    EXPECT_EQ(ctx.Decl().Person.IsForeigner, 0);
    EXPECT_TRUE(page.meStrSv->isVisible());
    EXPECT_FALSE(page.rbGr->isVisible());
    EXPECT_FALSE(page.bnGrazhd->isEnabled());
    page.chbIsForeighner->click();
    EXPECT_TRUE(page.bnGrazhd->isEnabled());
    dialogs.run = Choose("276");
    page.bnGrazhd->click();
    page.StoreToModel();
    EXPECT_EQ(ctx.Decl().Person.CitizenshipCode, "276");
    EXPECT_EQ(ctx.Decl().Person.CitizenshipName, "ГЕРМАНИЯ");
}

TEST(PersonAddress, ChecksAndTheirFocus) {
    ScriptedDialogs dialogs;
    TShellContext ctx;
    TfrPersonAddress page(ctx, nullptr);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    page.StoreToModel();
    dialogs.checkAnswers = {TCheckAnswer::Skip, TCheckAnswer::Correct};
    EXPECT_EQ(page.Validate(), 5);
    EXPECT_EQ(
        dialogs.CheckMessages(),
        QStringList({"Не указан регион постоянного местожительства",
                     "Не указан населенный пункт (село, поселок) или улица (проспект, переулок)"}));
    page.FocusError(5);
    EXPECT_TRUE(page.meArea->hasFocus());
    page.FocusError(4);
    EXPECT_TRUE(page.meOKATO->hasFocus());

    dialogs.run = Choose("77");
    page.FocusError(2);  // opens the regions
    Type(page.meStreet, "Тверская");
    page.StoreToModel();
    EXPECT_EQ(ctx.Decl().Person.RegionCode, 77);
    EXPECT_EQ(ctx.Decl().Person.RegionName, "г. Москва");
    dialogs.checks.clear();
    EXPECT_EQ(page.Validate(), 0);
    EXPECT_TRUE(dialogs.checks.empty());
}

TEST(PersonData, HubSwitchesSubPagesByTheContract) {
    ScriptedDialogs dialogs;
    TShellContext ctx;
    TfrPersonData hub(ctx, nullptr);
    EXPECT_EQ(hub.CurrentSubPage(), SubPageOf(kPageTaxpayer));
    EXPECT_TRUE(hub.SubButton(0)->Down());
    EXPECT_EQ(hub.SubButton(1)->toolTip(), "Сведения о месте жительства");

    hub.SubButton(1)->click();  // no surname: "Исправить" keeps the name page
    EXPECT_EQ(hub.CurrentSubPage(), SubPageOf(kPageTaxpayer));
    EXPECT_TRUE(hub.SubButton(0)->Down());
    EXPECT_EQ(dialogs.CheckMessages(), QStringList({"Не введена фамилия"}));

    dialogs.checkAnswers = {TCheckAnswer::SkipAll};
    hub.SubButton(1)->click();
    EXPECT_EQ(hub.CurrentSubPage(), SubPageOf(kPageAddress));

    hub.ShowSubPage(SubPageOf(kPageTaxpayer), 2);
    EXPECT_EQ(hub.CurrentSubPage(), SubPageOf(kPageTaxpayer));
}

// Every control one types into or presses says what it is, by its text or by
// its accessible name ("..." says nothing).
TEST(Pages, EveryControlCarriesAName) {
    TShellContext ctx;
    TfrInitialData conditions(ctx, nullptr);
    TfrPersonNaim naim(ctx, nullptr);
    TfrPersonAddress address(ctx, nullptr);
    for (QWidget* page : std::initializer_list<QWidget*>{&conditions, &naim, &address}) {
        for (QWidget* w : page->findChildren<QWidget*>()) {
            // The text part of a date or number box is the box itself.
            if (qobject_cast<QAbstractSpinBox*>(w->parentWidget())) continue;
            QString name = w->accessibleName();
            if (auto* button = qobject_cast<QAbstractButton*>(w); button && name.isEmpty())
                name = button->text();
            else if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractSpinBox*>(w))
                continue;
            EXPECT_FALSE(name.isEmpty() || name == "...")
                << page->objectName().toStdString() << " " << w->objectName().toStdString();
        }
    }
}

TEST(References, ListsAreReadFromWindows1251AndProblemsReported) {
    TempDir dir;
    zorv::testing::WriteBytes(dir.File("Oksm.xml"),
                              "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<Oksm>"
                              "<Country Code=\"643\">\xD0\xCE\xD1\xD1\xC8\xDF</Country>"
                              "<Country Code=\"276\">GERMANY</Country></Oksm>");
    zorv::testing::WriteBytes(dir.File("InspectionNumbers.xml"),
                              "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<Inspections>"
                              "<Inspection Code=\"7701\">x</Inspection><Inspection>");
    const TReferenceData data = LoadReferenceData(QString::fromStdString(dir.Path().string()));
    ASSERT_EQ(data.countries.size(), 2u);
    EXPECT_EQ(data.countries[0].code, "643");
    EXPECT_EQ(data.countries[0].name, "РОССИЯ");
    EXPECT_FALSE(data.HaveInspections());
    EXPECT_EQ(data.problems.size(), 3);  // damaged inspections, no activity codes, no rates
    EXPECT_TRUE(data.problems[0].startsWith("InspectionNumbers.xml"));
}

// Reference files and the declaration's own XML are read through one decoder.
TEST(References, XmlIsDecodedByItsDeclaredEncoding) {
    struct Case {
        QByteArray xml;
        bool ok;
        QByteArray utf8;  // the expected result when ok
    } cases[] = {
        {"<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>\xC0</a>", true,
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xD0\x90</a>"},
        {"<?xml version=\"1.0\" encoding='CP1251'?><a/>", true,
         "<?xml version=\"1.0\" encoding='UTF-8'?><a/>"},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xD0\x90</a>", true,
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xD0\x90</a>"},
        {"<a/>", true, "<a/>"},
        {"<?xml version=\"1.0\" encoding=\"koi8-r\"?><a/>", false, {}},
        {"<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>\x98</a>", false, {}},
    };
    for (const Case& c : cases) {
        QByteArray utf8;
        QString error;
        EXPECT_EQ(zorv::XmlToUtf8(c.xml, utf8, error), c.ok) << c.xml.constData();
        if (c.ok) {
            EXPECT_EQ(utf8, c.utf8);
        } else {
            EXPECT_FALSE(error.isEmpty());
        }
    }
}

TEST(References, ShippedFilesAndFixedLists) {
    const TReferenceData data = LoadReferenceData(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    EXPECT_TRUE(data.problems.isEmpty()) << data.problems.join("; ").toStdString();
    EXPECT_GT(data.inspections.size(), 3000u);
    EXPECT_GT(data.countries.size(), 250u);
    EXPECT_FALSE(data.activityXml.isEmpty());
    EXPECT_FALSE(data.rateXml.isEmpty());

    ASSERT_EQ(Regions().size(), 84u);
    EXPECT_EQ(Regions()[76].code, "77");
    EXPECT_EQ(Regions().back().code, "99");
    EXPECT_EQ(DocumentKinds().size(), 14u);
    TfmRegionName regions(nullptr);
    EXPECT_TRUE(regions.Select("50"));
    EXPECT_EQ(regions.Name(), "Московская область");
    EXPECT_FALSE(regions.Select("01x"));
    EXPECT_EQ(regions.Code(), "");
}

TEST(Lookups, TypingGoesToTheEntryOfTheTypedCode) {
    const std::vector<TCodeName> countries = {
        {"112", "БЕЛАРУСЬ"}, {"276", "ГЕРМАНИЯ"}, {"643", "РОССИЯ"}, {"804", "УКРАИНА"}};
    struct Case {
        const char* typed;
        QString code;  // selected afterwards; empty: nothing selected
    } const cases[] = {
        {"77", "77"},  // a repeated digit is not a jump to the next entry beginning with it
        {"11", "11"},  {"99", "99"},
        {"5", "50"},   {"7x", "70"},  // a key that leads nowhere keeps the entry found so far
        {"787", "70"},                // a key that ends the match starts the typing over
    };
    for (const Case& c : cases) {
        TfmRegionName regions(nullptr);
        regions.Select(QString());
        Type(regions.List(), QString::fromLatin1(c.typed));
        EXPECT_EQ(regions.Code(), c.code) << c.typed;
    }
    // The country list is found by name as well as by code.
    TfmGrazhd grazhd(nullptr, countries);
    grazhd.Select(QString());
    Type(grazhd.List(), QStringLiteral("Гер"));
    EXPECT_EQ(grazhd.Code(), "276");
    // A pause starts the typing over.
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    Type(grazhd.List(), QStringLiteral("80"));
    EXPECT_EQ(grazhd.Code(), "804");
}

TEST(Lookups, FilterNarrowsTheListByCodeOrAWordOfTheName) {
    struct Case {
        const char* filter;
        QStringList codes;  // the entries left, in list order
    } const cases[] = {
        {"7", {"70", "71", "72", "73", "74", "75", "76", "77", "78", "79"}},
        {"77", {"77"}},
        {"моск", {"50", "77"}},  // a word anywhere in the name, either case
        {"автономный округ", {"83", "86", "87", "89"}},
        {"Югра", {"86"}},
        {"ская обл", {}},  // the middle of a word is no match
        {"  99 ", {"99"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        TfmRegionName regions(nullptr);
        regions.Select("01");
        Type(regions.Filter(), QString::fromUtf8(c.filter));
        QStringList shown;
        for (int i = 0; i < regions.List()->topLevelItemCount(); ++i)
            if (!regions.List()->topLevelItem(i)->isHidden())
                shown << regions.List()->topLevelItem(i)->text(0);
        EXPECT_EQ(shown, c.codes);
        // The first entry left is the one Enter would choose; none when nothing is left.
        EXPECT_EQ(regions.Code(), c.codes.value(0));
    }
    // The arrows of the filter box move in the narrowed list; clearing it
    // brings every entry back and keeps the choice.
    TfmRegionName regions(nullptr);
    regions.Select(QString());
    Type(regions.Filter(), QStringLiteral("моск"));
    QTest::keyClick(regions.Filter(), Qt::Key_Down);
    EXPECT_EQ(regions.Code(), "77");
    regions.Filter()->clear();
    EXPECT_EQ(regions.Count(), int(Regions().size()));
    for (int i = 0; i < regions.Count(); ++i)
        EXPECT_FALSE(regions.List()->topLevelItem(i)->isHidden());
    EXPECT_EQ(regions.Code(), "77");
    // Type-ahead in the list keeps to the entries left.
    Type(regions.Filter(), QStringLiteral("край"));
    regions.List()->setFocus();
    Type(regions.List(), QStringLiteral("2"));
    EXPECT_EQ(regions.Code(), "22");
}

namespace {

// What a screen reader says for a control: its own accessible name, the text
// of a button, or the label that has it as its buddy. Empty when it has none
// of its own (Qt would fall back on the title of the group box around it).
QString OwnName(QWidget* w) {
    if (!w->accessibleName().trimmed().isEmpty()) return w->accessibleName();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        const QString text = button->text().remove('&').trimmed();
        if (!text.isEmpty() && text != QLatin1String("...")) return text;
        if (auto* tool = qobject_cast<QToolButton*>(w); tool && tool->defaultAction())
            return tool->defaultAction()->iconText();
        return {};
    }
    for (QLabel* label : w->window()->findChildren<QLabel*>())
        if (label->buddy() == w && !label->text().trimmed().isEmpty()) return label->text();
    return {};
}

// The controls of `root` a user types into or chooses with, and its picture
// buttons, that have no name of their own.
std::string Nameless(QWidget* root) {
    QStringList out;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        // The parts of a spin box, a combo box or a line edit (its editor, popup
        // list, clear button) speak for their owner; the headers of lists and
        // Qt's own overflow buttons are no controls of ours.
        bool part = qobject_cast<QHeaderView*>(w) || w->objectName().startsWith("qt_");
        for (QWidget* up = w->parentWidget(); up && up != root && !part; up = up->parentWidget())
            part = qobject_cast<QAbstractSpinBox*>(up) || qobject_cast<QComboBox*>(up) ||
                   qobject_cast<QLineEdit*>(up);
        if (part) continue;
        const bool field = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                           qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w) ||
                           qobject_cast<QAbstractItemView*>(w);
        auto* push = qobject_cast<QPushButton*>(w);
        const bool picture =
            qobject_cast<QToolButton*>(w) ||
            (push && (push->text().trimmed().isEmpty() || push->text() == QLatin1String("...")));
        if ((field || picture) && OwnName(w).isEmpty())
            out << QStringLiteral("%1 %2 (in %3)")
                       .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(),
                            w->parentWidget() ? w->parentWidget()->objectName() : QString());
    }
    return out.join(QStringLiteral("; ")).toStdString();
}

// The whole-ruble fields of `root`, each as "page or dialog class.field name".
void CollectWholeRubleFields(QWidget* root, std::set<std::string>& out) {
    for (TMaskedEdit* edit : root->findChildren<TMaskedEdit*>()) {
        if (!edit->WholeRubles()) continue;
        QWidget* owner = edit->parentWidget();
        while (owner && !qobject_cast<TThinkingFrame*>(owner) && !qobject_cast<QDialog*>(owner))
            owner = owner->parentWidget();
        out.insert(std::string(owner ? owner->metaObject()->className() : "") + "." +
                   edit->objectName().toStdString());
    }
}

}  // namespace

// Opens every page and sub-page of the main window for each form of the
// declaration, every income group on, and hands each to `visit` (the main window
// first), saying where it is.
void WalkEveryPage(const std::function<void(QWidget*, const std::string&)>& visit) {
    QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008")).clear();
    for (const uint8_t kind : kDeclarationKinds) {
        ScriptedDialogs dialogs;
        dialogs.checkAnswers.assign(200, TCheckAnswer::SkipAll);
        TempDir dir;
        mTDeclaration d;
        d.DeclarationKind = kind;
        d.SetIncomeFlags(kIncomeAllGroups);
        d.SaveToFile(dir.File("walk.zv8"));
        TFormMain form(QStringLiteral(ZORV_SOURCE_DIR "/data"));
        form.Start({QString::fromStdString(dir.File("walk.zv8"))});
        const std::string formName = "form " + std::to_string(kind);
        visit(&form, formName + ", the main window");
        for (int page = 0; page < navCount; ++page) {
            if (!form.NavButton(TNavPage(page))->isEnabled()) continue;
            ASSERT_TRUE(form.SwitchPage(TNavPage(page))) << page;
            auto* hub = qobject_cast<THubFrame*>(form.CurrentPage());
            for (int sub = 0; hub && hub->SubButton(sub); ++sub) {
                if (!hub->SubButton(sub)->isEnabled() || !hub->SubButton(sub)->isVisibleTo(hub))
                    continue;
                hub->SubButton(sub)->click();
                visit(form.CurrentPage(), formName + ", page " + std::to_string(page) +
                                              ", sub-page " + std::to_string(sub));
            }
            visit(form.CurrentPage(), formName + ", page " + std::to_string(page));
        }
    }
    QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008")).clear();
}

// Every field of every page, sub-page and dialog can be told apart by a
// screen reader: none borrows the title of its group box.
TEST(Accessibility, EveryFieldAndPictureButtonHasANameOfItsOwn) {
    // The walk also gathers the fields marked as amounts in whole rubles.
    std::set<std::string> wholeRubles;
    WalkEveryPage([&](QWidget* page, const std::string& where) {
        EXPECT_EQ(Nameless(page), "") << where;
        if (qobject_cast<TThinkingFrame*>(page)) CollectWholeRubleFields(page, wholeRubles);
    });

    const TReferenceData references = LoadReferenceData(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    const std::vector<TCodeName>& countries = references.countries;
    const TOkvedTable okved = TOkvedTable::Parse(references.activityXml);
    const TRateTable rates = TRateTable::Parse(references.rateXml);
    ASSERT_TRUE(okved.Loaded() && rates.Loaded());
    std::vector<std::unique_ptr<QWidget>> dialogs;
    dialogs.emplace_back(new TfmInput13SourseIncome(nullptr, false));
    dialogs.emplace_back(new TfmInput13Income(nullptr, false));
    dialogs.emplace_back(new TfmInput13SourseIncome(nullptr, true));
    dialogs.emplace_back(new TfmInput13Income(nullptr, true));
    dialogs.emplace_back(new TfmInput30SourseIncome(nullptr));
    dialogs.emplace_back(new TfmInput35SourseIncome(nullptr));
    dialogs.emplace_back(new TfmInputNalog(nullptr));
    dialogs.emplace_back(new TfmInputCurrencySourseIncome(nullptr, countries));
    dialogs.emplace_back(new TfmInputBusinessIncome(nullptr, okved));  // the activity list inside
    dialogs.emplace_back(new TfmInputCurrencyCode(nullptr, rates, QString()));
    dialogs.emplace_back(new TfmInputIncomeCode(nullptr, "", QString()));
    dialogs.emplace_back(new TfmInputDeductCode(nullptr, "1010", true, QString()));
    dialogs.emplace_back(new TfmDocType(nullptr));
    dialogs.emplace_back(new TfmRegionName(nullptr));
    dialogs.emplace_back(new TfmGrazhd(nullptr, countries));
    dialogs.emplace_back(new TfmInputInspectionNumber(nullptr, references.inspections));
    for (const auto& dialog : dialogs) {
        EXPECT_EQ(Nameless(dialog.get()), "") << dialog->metaObject()->className();
        CollectWholeRubleFields(dialog.get(), wholeRubles);
    }
    const std::set<std::string> expected = {
        "zorv::TfrInitialData.meSupposeIncome",    "zorv::TfrThirteenPercent.meHoldSum",
        "zorv::TfrThirteenPercent.meTaxIsch",      "zorv::TfrBusinessNew.meNachPrepayment",
        "zorv::TfrBusinessNew.meActualPrepayment", "zorv::TfmInput30SourseIncome.meHoldSum",
        "zorv::TfmInput35SourseIncome.meHoldSum",  "zorv::TfmInputNalog.meHoldSum",
    };
    EXPECT_EQ(wholeRubles, expected);
}

namespace {

// Types every form of a date into each date field under root and records the
// fields by "class.object". A date box of another kind is a field not yet
// converted: it is recorded as such.
void TypeEveryFormOfDate(QWidget* root, std::set<std::string>& seen) {
    for (QWidget* box : root->findChildren<QAbstractSpinBox*>())
        if (box->inherits("QDateTimeEdit"))
            seen.insert("QDateEdit " + box->objectName().toStdString());
    for (TDateEdit* edit : root->findChildren<TDateEdit*>()) {
        const std::string name = edit->objectName().toStdString();
        SCOPED_TRACE(name);
        seen.insert(name);
        // A field of a detail area that waits for a record is typed all the same.
        for (QWidget* w = edit; w && w != root; w = w->parentWidget()) w->setEnabled(true);
        const QDate date(2008, 11, 23);
        const struct {
            const char* form;
            QString typed;
            QString pasted;
        } forms[] = {
            {"dots", QStringLiteral("23.11.2008"), {}},
            {"no separators", QStringLiteral("23112008"), {}},
            {"commas", QStringLiteral("23,11,2008"), {}},
            {"pasted", {}, QStringLiteral("23.11.2008")},
            {"pasted digits", {}, QStringLiteral("23112008")},
        };
        for (const auto& f : forms) {
            edit->setDate(QDate(2008, 1, 1));
            edit->selectAll();
            if (!f.typed.isEmpty()) Type(edit, f.typed);
            if (!f.pasted.isEmpty()) {
                QGuiApplication::clipboard()->setText(f.pasted);
                edit->paste();
            }
            EXPECT_EQ(edit->date(), date) << f.form;
            EXPECT_EQ(edit->text(), QStringLiteral("23.11.2008")) << f.form;
        }
        edit->setDate(QDate(2008, 1, 1));
        edit->selectAll();
        Type(edit, QStringLiteral("31.02.2008"));
        EXPECT_EQ(edit->date(), QDate(2008, 1, 1));
        EXPECT_TRUE(edit->LastRefusal().startsWith("«" + edit->accessibleName() + "»"))
            << edit->LastRefusal().toStdString();
        EXPECT_FALSE(edit->accessibleName().isEmpty());
    }
}

}  // namespace

TEST(DateFields, EveryDateFieldOfEveryPageAndDialogKeepsWhatIsTyped) {
    std::set<std::string> seen;
    WalkEveryPage([&](QWidget* page, const std::string& where) {
        SCOPED_TRACE(where);
        TypeEveryFormOfDate(page, seen);
    });
    TfmInputSoursePens pension(nullptr);
    TypeEveryFormOfDate(&pension, seen);
    const std::set<std::string> expected = {
        "dtGetDate",
        "dtBirthDate",
        "dtRegDate",
        "dtpBayDate",
        "dtpRegRightDate",
        "dtpDatDog",
        "dtIncomeGetDate",
        "dtSubtractDate",
    };
    EXPECT_EQ(seen, expected);
}
