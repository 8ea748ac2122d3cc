#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <set>

#include "check/checkrules.h"
#include "check/declarationcheck.h"
#include "estimatedoutputs.h"
#include "export/exportxml.h"
#include "fixtures.h"
#include "model/jsonform.h"
#include "pages/entrykit.h"
#include "shell/formmain.h"
#include "shell/help.h"
#include "shell/initialdata.h"
#include "shell/persondata.h"
#include "shell/printcomponent.h"
#include "shell/splash.h"
#include "shelltest.h"
#include "storage/errors.h"
#include "tempdir.h"
#include "walkharness.h"
#include "widgets/flashbutton.h"
#include "widgets/maskededit.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::TempDir;

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

const QString kDataFolder = QStringLiteral(ZORV_SOURCE_DIR "/data");

mTDeclaration Fixture(const std::string& path) {
    std::ifstream in(std::string(ZORV_SOURCE_DIR) + "/tests/fixtures/" + path);
    mTDeclaration d;
    DeclarationFromJson(Json::parse(in), d);
    return d;
}

using Edits = std::vector<std::pair<std::string, Json>>;

// A declaration of the check's fixtures with values changed: each JSON pointer
// takes its value.
mTDeclaration CheckFixture(const std::string& name, const Edits& edits) {
    Json json = zorv::testing::ReadFixtureJson("check/" + name + ".json");
    for (const auto& [pointer, value] : edits) json[Json::json_pointer(pointer)] = value;
    mTDeclaration d;
    DeclarationFromJson(json, d);
    return d;
}

// A 3-NDFL declaration that passes the whole check.
mTDeclaration Employee() {
    return Fixture("export/employee.json");
}

// The same taxpayer with a 4-NDFL declaration.
mTDeclaration Estimated() {
    mTDeclaration d = Employee();
    d.DeclarationKind = kEstimated4NDFL;
    d.ExpectedIncome = Money::Rubles(300000);
    return d;
}

// Records the calls of the printing component.
class FakeComponent : public TPrintComponent {
  public:
    explicit FakeComponent(QStringList& log, TFormMain* form = nullptr) : log_(log), form_(form) {}
    void SetPrintTiffParam(const QString& name, const QString& value) override {
        log_ << "param " + name + "=" + value;
    }
    void SetPrintTiffFolder(const QString& folder) override { log_ << "folder " + folder; }
    void PreviewData(const QByteArray& xml, QWidget* owner) override {
        Busy();
        log_ << QStringLiteral("preview %1 owner %2").arg(Kind(xml)).arg(owner == form_);
    }
    void PrintData(const QByteArray& xml, QPrinter& printer) override {
        Busy();
        log_ << QStringLiteral("print %1 copies %2").arg(Kind(xml)).arg(printer.copyCount());
        // Into a file, as a real printer: whatever name the printer holds now.
        if (!printer.outputFileName().isEmpty())
            zorv::testing::WriteBytes(printer.outputFileName().toStdString(), "printed");
    }

  private:
    static QString Kind(const QByteArray& xml) {
        return xml.startsWith("<?xml") && xml.contains("NO_NDFL3_") ? "xml" : "other";
    }
    void Busy() {
        if (form_ && (form_->centralWidget()->isEnabled() || form_->menuBar()->isEnabled()))
            log_ << "window takes input";
    }
    QStringList& log_;
    TFormMain* form_;
};

// Records the calls of the report library; throws what it is told to.
class FakeLibrary : public TReportLibrary {
  public:
    bool Report(const QString& folder, const std::vector<uint8_t>& image, bool printEnabled,
                bool hideDate, const QString& xmlPath) override {
        Record("Report", folder, image, hideDate, xmlPath);
        this->printEnabled = printEnabled;
        return true;
    }
    bool PrintReport(const QString& folder, const std::vector<uint8_t>& image, bool hideDate,
                     const QString& xmlPath) override {
        Record("PrintReport", folder, image, hideDate, xmlPath);
        return true;
    }
    bool FileOut(QWidget* owner, const std::vector<uint8_t>& image) override {
        Record("FileOut", {}, image, false, {});
        ownerIsForm = owner == form;
        return true;
    }

    TFormMain* form = nullptr;
    std::function<void()> raise;
    QStringList calls;
    std::vector<uint8_t> image;  // the last one handed over
    std::string surname;         // read back from the image
    bool hideDate = false;
    bool printEnabled = false;
    bool ownerIsForm = false;
    QString xmlPath;
    bool xmlExisted = false;
    bool windowTookInput = false;

  private:
    void Record(const char* call, const QString&, const std::vector<uint8_t>& image, bool hide,
                const QString& xml) {
        calls << call;
        this->image = image;
        EXPECT_FALSE(image.empty());
        if (!image.empty()) {
            EXPECT_EQ(image.back(), 0) << "the image ends with a zero byte";
            mTDeclaration back;
            back.LoadFromImage(image.data(), image.size() - 1);
            surname = back.Person.SurName;
        }
        hideDate = hide;
        xmlPath = xml;
        xmlExisted = !xml.isEmpty() && QFileInfo::exists(xml);
        windowTookInput = form && form->menuBar()->isEnabled();
        if (raise) raise();
    }
};

// A main window over the shipped files with a document of the test, and the
// output going to the fakes.
struct Window {
    explicit Window(const mTDeclaration* d = nullptr, const QString& folder = kDataFolder)
        : form(folder) {
        library.form = &form;
        form.SetReportLibrary(&library);
        form.SetPrintComponentFactory([this]() -> std::unique_ptr<TPrintComponent> {
            ++created;
            if (createFails) throw TPrintError("Компонент печати не установлен.");
            return std::make_unique<FakeComponent>(log, &form);
        });
        if (d) {
            mTDeclaration copy = *d;
            copy.SaveToFile(dir.File("doc.zv8"));
            form.Start({Q(dir.File("doc.zv8"))});
        } else {
            form.Start({});
        }
    }
    bool TakesInput() const {
        return form.centralWidget()->isEnabled() && form.menuBar()->isEnabled() &&
               form.ToolBar()->isEnabled() && form.Action("PreviewDoc")->isEnabled() &&
               !form.Busy();
    }
    QStringList Files() const {
        QStringList names;
        for (const auto& e : std::filesystem::directory_iterator(out.Path()))
            names << Q(e.path().filename().string());
        return names;
    }

    TempDir dir, out;
    QStringList log;
    int created = 0;
    bool createFails = false;
    FakeLibrary library;
    TFormMain form;
};

bool FailingCompute(kTSvodSum&, mTDeclaration&) {
    return false;
}

// Makes the export fail for the life of the object.
struct FailingExport {
    FailingExport() { SetComputeFunctionForTesting(FailingCompute); }
    ~FailingExport() { SetComputeFunctionForTesting(nullptr); }
};

}  // namespace

// Every rule of the whole check that leads to a page, each on a declaration
// that breaks it first: the check opens the page under its navigation button
// (and sub-button) and puts the focus on the rule's control; a lookup button
// opens its list at once; on the pages of records the record is selected.
// The pages still to come show their placeholder.
TEST(Commands, CheckOpensThePageAndControlOfEveryRule) {
    const Json noLines = {{"SourceName", "ООО \"Б\""}};
    const Json salary = {{"IncomeCode", 2000}, {"IncomeSum", "1000"}, {"Month", 1}};
    Json januaryOnly = Json::array();
    for (int m = 0; m < 12; ++m) januaryOnly.push_back(m == 0 ? Json("1000") : Json());
    const Json secondSource = {
        {"SourceName", "ООО \"Б\""}, {"IncomeList", {salary}}, {"MonthlyAmounts", januaryOnly}};
    const Json unconfirmed = {{"HasConfirmedExpenses", 0}, {"ExpenseTotal", "1000"}};

    enum Control { Field, Lookup };
    struct Case {
        const char* rule;
        const char* fixture;
        Edits edits;
        TNavPage nav;
        int subPage;  // on a hub
        const char* name;
        Control control = Field;
        int record = 0;  // on a page of lists, the record selected (from 1)
        // Amounts that the JSON form refuses but a document may hold.
        std::function<void(mTDeclaration&)> alter = nullptr;
    };
    const Case cases[] = {
        {"1",
         "complete",
         {{"/InspectionCode", ""}},
         navInitialData,
         kNoSubPage,
         "bnInspection",
         Lookup},
        {"2",
         "complete",
         {{"/DeclarationKind", 2}, {"/IsPrimary", 1}},
         navInitialData,
         kNoSubPage,
         "meSupposeIncome"},
        {"3",
         "complete",
         {{"/SubmitterKind", 1}, {"/RepresentativeDocument", "Доверенность"}},
         navInitialData,
         kNoSubPage,
         "meFIO"},
        {"4",
         "complete",
         {{"/SubmitterKind", 1}, {"/RepresentativeName", "Петров П.П."}},
         navInitialData,
         kNoSubPage,
         "meOsn"},
        {"5",
         "complete",
         {{"/SubmitterKind", 2},
          {"/RepresentativeName", "Петров П.П."},
          {"/RepresentativeDocument", "Доверенность"}},
         navInitialData,
         kNoSubPage,
         "meUL"},
        {"6", "complete", {{"/Person/SurName", ""}}, navPersonInfo, 0, "meSurName"},
        {"7", "complete", {{"/Person/Name", ""}}, navPersonInfo, 0, "meName"},
        {"8", "complete", {{"/Person/INN", "7705012343"}}, navPersonInfo, 0, "meINN"},
        {"8a", "complete", {{"/Person/INN", "770512345651"}}, navPersonInfo, 0, "meINN"},
        {"9", "complete", {{"/Person/INN", ""}}, navPersonInfo, 0, "meINN"},
        {"10", "employee", {{"/Person/BirthPlace", " "}}, navPersonInfo, 0, "meMesto"},
        {"11", "employee", {{"/Person/DocTypeCode", 0}}, navPersonInfo, 0, "bnDocType", Lookup},
        {"12", "complete", {{"/Person/DocNumber", ""}}, navPersonInfo, 0, "meSerial"},
        {"13", "complete", {{"/Person/DocIssueDate", "11.04.1975"}}, navPersonInfo, 0, "dtRegDate"},
        {"13a",
         "complete",
         {{"/Person/DocIssueDate", "12.04.1989"}},
         navPersonInfo,
         0,
         "dtRegDate"},
        {"14", "complete", {{"/Person/DocIssuedBy", ""}}, navPersonInfo, 0, "meKem"},
        {"15",
         "complete",
         {{"/Person/IsForeigner", 1}, {"/Person/CitizenshipName", ""}},
         navPersonInfo,
         0,
         "meCitizenship"},
        {"16", "complete", {{"/Person/RegionCode", 0}}, navPersonInfo, 1, "bnRegion", Lookup},
        {"17", "complete", {{"/Person/Street", ""}}, navPersonInfo, 1, "meArea"},
        {"42", "complete", {{"/Person/OKATO", "4528656000"}}, navPersonInfo, 1, "meOKATO"},
        {"18",
         "complete",
         {{"/ThirteenPercentList/0/TaxWithheld", "70000.01"}},
         navRussianIncome,
         0,
         "lvSourseIncomeInfo",
         Field,
         1},
        {"19",
         "complete",
         {{"/ThirteenPercentList/1", noLines}},
         navRussianIncome,
         0,
         "lvSourseIncomeInfo",
         Field,
         2},
        {"20",
         "complete",
         {{"/CurrencyIncomeList/0/CurrencyCode", ""}},
         navForeignIncome,
         kNoSubPage,
         "meCurrencyCode"},
        {"21",
         "complete",
         {{"/CurrencyIncomeList/0/IncomeUnits", 0}},
         navForeignIncome,
         kNoSubPage,
         "meCurrencyExchange"},
        {"22",
         "complete",
         {{"/CurrencyIncomeList/0/IncomeCode", 0}},
         navForeignIncome,
         kNoSubPage,
         "bnIncomeCod",
         Lookup},
        {"23",
         "complete",
         {{"/CurrencyIncomeList/0/IncomeInCurrency", "0"}},
         navForeignIncome,
         kNoSubPage,
         "meIncomeCurrencySum"},
        {"24",
         "complete",
         {{"/CurrencyIncomeList/0/DeductCode", 201}},  // code 2000 has no deductions
         navForeignIncome,
         kNoSubPage,
         "bnIncomeCod"},
        {"25",
         "complete",
         {{"/BusinessList/1", unconfirmed}},
         navBusinessIncome,
         kNoSubPage,
         "chbIsConfirmedExpensies"},
        {"26",
         "complete",
         {{"/BusinessList/0/ExpenseItems/4", "40000.5"}},
         navBusinessIncome,
         kNoSubPage,
         "MaskedEdit6"},
        {"27",
         "complete",
         {{"/BusinessList/0/ExpenseItems/6", "15000.25"}},
         navBusinessIncome,
         kNoSubPage,
         "MaskedEdit7"},
        {"28",
         "complete",
         {{"/BusinessList/0/ExpenseItems/0", "99999.99"}},
         navBusinessIncome,
         kNoSubPage,
         "MaskedEdit2"},
        {"33", "complete", {{"/SocialDeduct/MedicalSum", "0"}}, navDeduction, 2, "meCharitySum"},
        {"34",
         "employee",
         {{"/ThirteenPercentList/0/MonthlyAmounts", januaryOnly},
          {"/ThirteenPercentList/1", secondSource}},
         navDeduction,
         0,
         "chbGrantingStanDeduct"},
        {"35",
         "complete",
         {{"/ConstructionDeduct/ObjectName", " "}},
         navDeduction,
         1,
         "meObjectNaim"},
        {"36", "complete", {{"/ConstructionDeduct/PostIndex", ""}}, navDeduction, 1, "mePostIndex"},
        {"37",
         "complete",
         {{"/ConstructionDeduct/RegistrationDate", "31.07.2008"}},
         navDeduction,
         1,
         "dtpRegRightDate"},
        {"38",
         "complete",
         {{"/ConstructionDeduct/StartYearDate", "01.01.2007"}},
         navDeduction,
         1,
         "meBeginningUsePrivilegeDate"},
        {"39",
         "complete",
         {{"/ConstructionDeduct/RegistrationDate", "15.01.2009"}},
         navDeduction,
         1,
         "dtpRegRightDate"},
        {"40",
         "complete",
         {{"/ConstructionDeduct/HousingPriorYears", "1000000.01"},
          {"/ConstructionDeduct/ShareNumerator", 2}},
         navDeduction,
         1,
         "mePostYears"},
        {"41",
         "complete",
         {{"/ConstructionDeduct/HousingCarriedOver", "1000000.01"}},
         navDeduction,
         1,
         "meTransferringChargeSum"},
        {"19a",
         "complete",
         {},
         navRussianIncome,
         0,
         "lvSourseIncomeInfo",
         Field,
         1,
         [](mTDeclaration& d) { d.ThirteenPercent(0).TaxWithheld = Money::FromRaw(-100); }},
        {"35a",
         "complete",
         {},
         navDeduction,
         1,
         "meObjectNaim",
         Field,
         0,
         [](mTDeclaration& d) { d.ConstructionDeduct.ObjectCost = Money::FromRaw(-100); }},
        {"35b",
         "complete",
         {},
         navDeduction,
         1,
         "meObjectNaim",
         Field,
         0,
         [](mTDeclaration& d) { d.ConstructionDeduct.ShareDenominator = 0; }},
    };
    // These rules are also run from the address sub-page, so that the hub has to switch.
    const std::set<std::string> alsoFromAddress = {"1", "6", "16", "42"};

    std::set<std::string> covered;
    for (const Case& c : cases) {
        covered.insert(c.rule);
        mTDeclaration d = CheckFixture(c.fixture, c.edits);
        if (c.alter) c.alter(d);
        const std::vector<DeclarationProblem> problems = ListDeclarationProblems(d);
        ASSERT_FALSE(problems.empty()) << "rule " << c.rule;
        ASSERT_EQ(problems.front().rule, c.rule) << "the fixture breaks the rule first";
        for (bool fromAddress : {false, true}) {
            if (fromAddress && !alsoFromAddress.count(c.rule)) continue;
            SCOPED_TRACE(std::string("rule ") + c.rule + (fromAddress ? " from the address" : ""));
            ScriptedDialogs dialogs;
            Window w(&d);
            w.form.show();
            w.form.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
            if (fromAddress) {
                dialogs.checkAnswers = {TCheckAnswer::SkipAll, TCheckAnswer::SkipAll};
                w.form.NavButton(navPersonInfo)->click();
                qobject_cast<THubFrame*>(w.form.CurrentPage())->SubButton(1)->click();
            }
            const size_t ranBefore = dialogs.ran.size();
            EXPECT_EQ(w.form.RunCheck(), 1);
            ASSERT_EQ(dialogs.wholeChecks.size(), 1u);
            EXPECT_EQ(dialogs.wholeChecks[0].message, Q(problems.front().message));
            EXPECT_EQ(w.form.CurrentPageKind(), c.nav);
            EXPECT_TRUE(w.form.NavButton(c.nav)->Down());
            TThinkingFrame* page = w.form.CurrentPage();
            if (auto* hub = qobject_cast<THubFrame*>(page)) {
                EXPECT_EQ(hub->CurrentSubPage(), c.subPage);
                EXPECT_TRUE(hub->SubButton(c.subPage)->Down());
            } else {
                EXPECT_EQ(c.subPage, kNoSubPage);
            }
            QWidget* control = page->findChild<QWidget*>(c.name);
            ASSERT_NE(control, nullptr);
            const QWidget* focused = QApplication::focusWidget();
            EXPECT_TRUE(control->hasFocus())
                << "the focus is on " << (focused ? focused->objectName().toStdString() : "none");
            EXPECT_EQ(dialogs.ran.size(), ranBefore + (c.control == Lookup ? 1 : 0));
            if (c.record != 0) {
                auto* list = qobject_cast<QTreeWidget*>(control);
                ASSERT_NE(list, nullptr);
                EXPECT_EQ(SelectedRow(list), c.record - 1);
            }
            // On the pages of records the record of the problem is selected.
            if (c.nav == navForeignIncome || c.nav == navBusinessIncome) {
                auto* list = page->findChild<QTreeWidget*>("lvSourseIncomeInfo");
                ASSERT_NE(list, nullptr);
                ASSERT_EQ(list->selectedItems().size(), 1);
                EXPECT_EQ(list->indexOfTopLevelItem(list->selectedItems()[0]),
                          problems.front().focus - 1);
            }
        }
    }

    // The table holds every rule of the whole check on a page the program shows.
    for (int page = kPageConditions; page <= kPagePrivatePractice; ++page) {
        if (!PlaceOf(page)) continue;
        for (const CheckRule& rule : RulesOf(PageCode(page)).rules) {
            if (rule.use == RuleUse::PageOnly) continue;
            EXPECT_TRUE(covered.count(rule.id)) << rule.id;
        }
    }
}

TEST(Commands, CancelledCheckStopsEveryCommandWhereItIs) {
    mTDeclaration d = Employee();
    d.Person.OKATO.clear();
    for (const char* command : {"CheckDoc", "PreviewDoc", "PrintDoc", "ExportDoc"}) {
        SCOPED_TRACE(command);
        ScriptedDialogs dialogs;
        Window w(&d);
        dialogs.checkAllAnswers = {false};
        EXPECT_EQ(w.form.RunCheck(), 2);
        EXPECT_EQ(w.form.CurrentPageKind(), navInitialData);
        dialogs.checkAllAnswers = {false};
        w.form.Action(command)->trigger();
        EXPECT_EQ(w.form.CurrentPageKind(), navInitialData) << "nothing moves";
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_TRUE(dialogs.folderTitles.empty());
        EXPECT_TRUE(dialogs.ran.empty());
        EXPECT_EQ(w.created, 0);
        EXPECT_TRUE(w.library.calls.isEmpty());
        EXPECT_TRUE(w.TakesInput());
    }
}

TEST(Commands, CheckStoresThePageAndReportsSuccess) {
    mTDeclaration d = Employee();
    d.Person.SurName.clear();
    ScriptedDialogs dialogs;
    Window w(&d);
    dialogs.checkAnswers = {TCheckAnswer::SkipAll};
    w.form.NavButton(navPersonInfo)->click();
    auto* hub = qobject_cast<TfrPersonData*>(w.form.CurrentPage());
    auto* naim = qobject_cast<TfrPersonNaim*>(hub->THubFrame::SubPage());
    naim->meSurName->setText(QStringLiteral("Сидоров"));  // typed, not yet stored
    w.form.Action("CheckDoc")->trigger();
    EXPECT_TRUE(dialogs.wholeChecks.empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "Проверка декларации завершена успешно");
    EXPECT_EQ(dialogs.icons[0], QMessageBox::Information);
    EXPECT_EQ(w.form.Declaration().Person.SurName, "Сидоров");
}

TEST(Commands, ExportWritesTheFileIntoTheChosenFolder) {
    mTDeclaration d = Employee();
    ScriptedDialogs dialogs;
    Window w(&d);
    // Cancelled: nothing is written and nothing is said.
    w.form.Action("ExportDoc")->trigger();
    EXPECT_EQ(dialogs.folderTitles, std::vector<QString>({"Zorv 2008"}));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(w.Files().isEmpty());

    dialogs.folderNames = {Q(w.out.Path().string())};
    w.form.Action("ExportDoc")->trigger();
    const QStringList files = w.Files();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QRegularExpression("^NO_NDFL3_7705_7705_\\d{12}_\\d{8}_[0-9A-F-]{36}\\.xml$")
                    .match(files[0])
                    .hasMatch())
        << files[0].toStdString();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              "Сформирован файл " + QDir(Q(w.out.Path().string())).filePath(files[0]));
    EXPECT_EQ(dialogs.icons[0], QMessageBox::Information);
    EXPECT_EQ(w.created, 0);
    EXPECT_TRUE(w.TakesInput());
}

TEST(Commands, FailedExportCallsNothingElse) {
    mTDeclaration employee = Employee(), estimated = Estimated();
    for (const mTDeclaration* d : {&employee, &estimated}) {
        for (const char* command : {"PreviewDoc", "PrintDoc", "ExportDoc"}) {
            SCOPED_TRACE(std::string(command) + (d == &estimated ? " 4-NDFL" : " 3-NDFL"));
            if (d == &estimated && std::string(command) == "ExportDoc") continue;  // no XML
            ScriptedDialogs dialogs;
            Window w(d);
            FailingExport failing;
            dialogs.folderNames = {Q(w.out.Path().string())};
            w.form.Action(command)->trigger();
            EXPECT_EQ(w.created, 0) << "the printing component is not even created";
            EXPECT_TRUE(w.log.isEmpty());
            EXPECT_TRUE(w.library.calls.isEmpty());
            EXPECT_TRUE(dialogs.ran.empty()) << "no print dialog";
            EXPECT_TRUE(w.Files().isEmpty());
            ASSERT_FALSE(dialogs.messages.empty());
            EXPECT_EQ(dialogs.messages[0], exportmsg::kCalcFailed);
            if (std::string(command) == "ExportDoc") {
                ASSERT_EQ(dialogs.messages.size(), 2u);
                EXPECT_EQ(dialogs.messages[1], exportmsg::kNotWritten);
            } else {
                EXPECT_EQ(dialogs.messages.size(), 1u);
            }
            EXPECT_TRUE(w.TakesInput());
        }
    }
}

TEST(Commands, PreviewAndPrintOfA3NdflGoToThePrintingComponent) {
    mTDeclaration d = Employee();
    {
        ScriptedDialogs dialogs;
        Window w(&d);
        w.form.Action("PreviewDoc")->trigger();
        EXPECT_EQ(w.log, QStringList({"param Наименование налогового органа-получателя=" +
                                          Q(d.InspectionName),
                                      "folder " + kDataFolder, "preview xml owner 1"}));
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_TRUE(w.TakesInput());
    }
    struct Case {
        const char* what;
        bool accepted;
        int copies;
        bool toFile;
        int jobs;
    } cases[] = {
        {"cancelled", false, 1, false, 0},
        {"one copy", true, 1, false, 1},
        {"three copies, a job each", true, 3, false, 3},
        {"three copies into a file", true, 3, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedDialogs dialogs;
        Window w(&d);
        TempDir pdf;
        dialogs.run = [&](QDialog& dialog) {
            auto* print = qobject_cast<QPrintDialog*>(&dialog);
            EXPECT_NE(print, nullptr);
            if (!print) return false;
            EXPECT_EQ(print->printer(), &w.form.Printer());
            EXPECT_TRUE(dialog.isEnabled()) << "the dialog takes input";
            print->printer()->setCopyCount(c.copies);
            if (c.toFile) {
                print->printer()->setOutputFormat(QPrinter::PdfFormat);
                print->printer()->setOutputFileName(Q(pdf.File("out.pdf")));
            }
            return c.accepted;
        };
        w.form.Action("PrintDoc")->trigger();
        EXPECT_EQ(dialogs.ran, std::vector<QString>({"PrintDialog"}));
        QStringList expected = {
            "param Наименование налогового органа-получателя=" + Q(d.InspectionName),
            "folder " + kDataFolder};
        for (int i = 0; i < c.jobs; ++i) expected << "print xml copies 1";
        EXPECT_EQ(w.log, expected);
        EXPECT_EQ(w.form.Printer().copyCount(), c.copies) << "the dialog shows it next time";
        EXPECT_TRUE(w.TakesInput());
        EXPECT_TRUE(dialogs.messages.empty());
        if (c.toFile) {
            EXPECT_EQ(zorv::testing::ReadBytes(pdf.File("out.pdf")).size(), 7u);
            EXPECT_EQ(w.form.Printer().outputFileName(), Q(pdf.File("out.pdf")));
        }
    }
}

TEST(Commands, PrintIntoAReadOnlyFileLeavesItAsItWas) {
    mTDeclaration d = Employee();
    ScriptedDialogs dialogs;
    Window w(&d);
    TempDir dir;
    const std::string pdf = dir.File("X.pdf");
    zorv::testing::WriteBytes(pdf, "old");
    ::chmod(pdf.c_str(), 0444);
    dialogs.run = [&](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(Q(pdf));
        return true;
    };
    w.form.Action("PrintDoc")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], Q("Ошибка записи файла: " + pdf +
                                     "\nФайл X.pdf доступен только для чтения. Снимите с него "
                                     "запрет записи или сохраните под другим именем."));
    EXPECT_EQ(zorv::testing::ReadBytes(pdf).size(), 3u);
    EXPECT_TRUE(w.TakesInput());
}

TEST(Commands, PrintingComponentFailures) {
    mTDeclaration d = Employee();
    ScriptedDialogs dialogs;
    Window w(&d);
    w.createFails = true;
    w.form.Action("PreviewDoc")->trigger();
    EXPECT_EQ(dialogs.messages, std::vector<QString>({"Компонент печати не установлен."}));
    EXPECT_TRUE(w.log.isEmpty());
    EXPECT_TRUE(w.TakesInput());
}

TEST(Commands, PreviewAndPrintOfA4NdflGoToTheReportLibrary) {
    mTDeclaration d = Estimated();
    for (bool hideDate : {false, true}) {
        for (const char* command : {"PreviewDoc", "PrintDoc"}) {
            SCOPED_TRACE(std::string(command) + (hideDate ? " without date" : ""));
            ScriptedDialogs dialogs;
            Window w(&d);
            auto* page = qobject_cast<TfrInitialData*>(w.form.CurrentPage());
            ASSERT_NE(page, nullptr);
            page->cbPrintData->setChecked(hideDate);
            w.form.Action(command)->trigger();
            EXPECT_EQ(
                w.library.calls,
                QStringList({std::string(command) == "PreviewDoc" ? "Report" : "PrintReport"}));
            EXPECT_EQ(w.library.hideDate, hideDate);
            if (std::string(command) == "PreviewDoc") {
                EXPECT_TRUE(w.library.printEnabled);
            }
            EXPECT_EQ(w.library.surname, d.Person.SurName);
            EXPECT_FALSE(w.library.windowTookInput);
            // The XML file lived in a folder of its own for the call only.
            EXPECT_TRUE(w.library.xmlExisted);
            EXPECT_TRUE(QFileInfo(w.library.xmlPath).fileName().startsWith("NO_NDFL3_"));
            EXPECT_FALSE(w.library.xmlPath.startsWith(kDataFolder));
            EXPECT_FALSE(QFileInfo::exists(w.library.xmlPath));
            EXPECT_FALSE(QFileInfo::exists(QFileInfo(w.library.xmlPath).path()));
            EXPECT_FALSE(QFileInfo::exists(kDataFolder + "/XML"));
            EXPECT_EQ(w.created, 0);
            EXPECT_TRUE(dialogs.messages.empty());
            EXPECT_TRUE(w.TakesInput());
        }
    }
}

TEST(Commands, ExportOfA4NdflGoesToTheLibraryTextFile) {
    mTDeclaration d = Estimated();
    ScriptedDialogs dialogs;
    Window w(&d);
    w.form.Action("ExportDoc")->trigger();
    EXPECT_EQ(w.library.calls, QStringList({"FileOut"}));
    EXPECT_TRUE(w.library.ownerIsForm);
    EXPECT_EQ(w.library.surname, d.Person.SurName);
    EXPECT_TRUE(dialogs.folderTitles.empty()) << "the library asks for the folder itself";
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(Commands, TheWindowTakesInputAgainHoweverACommandEnds) {
    mTDeclaration d = Estimated();
    struct Case {
        const char* what;
        std::function<void()> raise;
        QString message;  // empty: ends quietly
    } cases[] = {
        {"report check error", [] { throw kTProvDecl("проверка", 1); }, ""},
        {"damaged image", [] { throw mEBadStorage("Ошибка чтения\rобраза", 2); },
         "Ошибка чтения\nобраза"},
        {"any error", [] { throw std::runtime_error("Нет принтера"); }, "Нет принтера"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedDialogs dialogs;
        Window w(&d);
        w.library.raise = c.raise;
        w.form.Action("PreviewDoc")->trigger();
        EXPECT_EQ(w.library.calls.size(), 1);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(dialogs.messages.empty());
        } else {
            EXPECT_EQ(dialogs.messages, std::vector<QString>({c.message}));
            EXPECT_EQ(dialogs.icons[0], QMessageBox::Critical);
        }
        EXPECT_TRUE(w.TakesInput());
    }
    // Not even an error the command does not know keeps the window shut.
    ScriptedDialogs dialogs;
    Window w(&d);
    w.library.raise = [] { throw 42; };
    EXPECT_ANY_THROW(w.form.PrintDoc());
    EXPECT_TRUE(w.TakesInput());
}

TEST(Commands, OpenCancelledKeepsTheDocument) {
    mTDeclaration d = Employee();
    for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        SCOPED_TRACE(answer == QMessageBox::No ? "not saved" : "saved first");
        ScriptedDialogs dialogs;
        Window w(&d);
        auto* page = qobject_cast<TfrInitialData*>(w.form.CurrentPage());
        page->rbGiveSelf->click();
        ASSERT_FALSE(w.form.Saved());
        dialogs.messageAnswers = {answer};
        EXPECT_FALSE(w.form.OpenDoc());
        EXPECT_EQ(dialogs.openFilters.size(), 1u);
        EXPECT_EQ(w.form.FileName(), Q(w.dir.File("doc.zv8")));
        EXPECT_EQ(w.form.windowTitle(), "doc.zv8[*] - Zorv 2008");
        EXPECT_EQ(w.form.Declaration().Person.SurName, d.Person.SurName);
        EXPECT_TRUE(qobject_cast<TfrInitialData*>(w.form.CurrentPage())->rbGiveSelf->isChecked());
        EXPECT_EQ(w.form.Saved(), answer == QMessageBox::Yes);
    }
}

TEST(Commands, HelpWindowAndItsMissingFile) {
    {
        ScriptedDialogs dialogs;
        Window w;
        w.form.Action("Help")->trigger();
        ASSERT_NE(w.form.HelpWindow(), nullptr);
        EXPECT_TRUE(w.form.HelpWindow()->isVisible());
        EXPECT_EQ(w.form.HelpWindow()->Browser()->source(),
                  QUrl::fromLocalFile(kDataFolder + "/" + kHelpFile));
        EXPECT_TRUE(w.form.HelpWindow()->Browser()->toPlainText().contains("Содержание"));
        TfmHelp* first = w.form.HelpWindow();
        w.form.Help();
        EXPECT_EQ(w.form.HelpWindow(), first) << "one window";
        EXPECT_TRUE(dialogs.messages.empty());
        w.form.close();
        EXPECT_FALSE(first->isVisible()) << "it goes with the main window";
    }
    TempDir empty;
    ScriptedDialogs dialogs;
    TFormMain form(Q(empty.Path().string()));
    form.Start({});
    dialogs.messages.clear();
    dialogs.icons.clear();
    form.Help();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              "Не найден файл справки " +
                  QDir::toNativeSeparators(Q(empty.Path().string()) + "/help/index.html"));
    EXPECT_EQ(dialogs.icons[0], QMessageBox::Critical);
    EXPECT_EQ(form.HelpWindow(), nullptr);
}

TEST(Commands, HelpLinksLeadToPagesThatExist) {
    const QDir help(kDataFolder + "/help");
    int pages = 0;
    for (const QString& name : help.entryList({"*.html"})) {
        QFile file(help.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        ++pages;
        QRegularExpressionMatchIterator links =
            QRegularExpression("(?:href|src)=\"([^\"#:]+)(#([^\"]*))?\"").globalMatch(text);
        while (links.hasNext()) {
            const QRegularExpressionMatch link = links.next();
            const QString target = help.filePath(link.captured(1));
            EXPECT_TRUE(QFileInfo::exists(target))
                << name.toStdString() << " -> " << link.captured(1).toStdString();
            if (link.captured(3).isEmpty() || !QFileInfo::exists(target)) continue;
            QFile page(target);
            ASSERT_TRUE(page.open(QIODevice::ReadOnly));
            EXPECT_TRUE(
                QString::fromUtf8(page.readAll()).contains("name=\"" + link.captured(3) + "\""))
                << name.toStdString() << " -> " << link.captured(0).toStdString();
        }
    }
    EXPECT_GE(pages, 2);
}

TEST(Commands, AboutShowsThePictureAndTheVersion) {
    ScriptedDialogs dialogs;
    Window w;
    bool checked = false;
    dialogs.run = [&](QDialog& dialog) {
        auto* about = qobject_cast<TfmAbout*>(&dialog);
        EXPECT_NE(about, nullptr);
        if (!about) return false;
        EXPECT_FALSE(about->lbPicture()->pixmap().isNull());
        EXPECT_TRUE(about->lbVersion()->text().contains("версия " + ProgramVersion()));
        checked = true;
        return true;
    };
    w.form.Action("About")->trigger();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(ProgramVersion().isEmpty());
}

TEST(Pictures, JpegDecoding) {
    const QImage splash = DecodeJpeg(kDataFolder + "/splash.jpg");
    ASSERT_FALSE(splash.isNull());
    EXPECT_EQ(splash.size(), QSize(400, 300));

    TempDir dir;
    QFile file(kDataFolder + "/splash.jpg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    zorv::testing::WriteBytes(dir.File("cut.jpg"), bytes.left(600).toStdString());
    zorv::testing::WriteBytes(dir.File("header.jpg"), bytes.left(20).toStdString());
    zorv::testing::WriteBytes(dir.File("text.jpg"), "not a picture");
    zorv::testing::WriteBytes(dir.File("empty.jpg"), "");
    for (const char* name : {"header.jpg", "text.jpg", "empty.jpg", "absent.jpg"})
        EXPECT_TRUE(DecodeJpeg(Q(dir.File(name))).isNull()) << name;
    // A picture cut short decodes as far as it goes, as libjpeg does, or not at all.
    DecodeJpeg(Q(dir.File("cut.jpg")));

    TfmStart start(kDataFolder);
    EXPECT_EQ(start.size(), QSize(400, 300));
    EXPECT_TRUE(start.windowFlags() & Qt::FramelessWindowHint);
    TfmStart bare(Q(dir.Path().string()));  // without its picture it still shows
    EXPECT_EQ(bare.size(), QSize(400, 300));
}

TEST(PrintComponent, PrintsTheFormToAPdfFileAndPreviewsIt) {
    mTDeclaration d = Employee();
    const QByteArray xml = QByteArray::fromStdString(ExportXml({}, d, 2));
    ASSERT_TRUE(xml.contains("windows-1251"));
    TempDir dir;
    TXmlPrintComponent component;
    component.SetPrintTiffParam("Наименование налогового органа-получателя", "ИФНС № 5");
    EXPECT_EQ(component.InspectionName(), "ИФНС № 5");
    component.SetDeclaration(d);
    const int total = component.PageCount(xml);
    EXPECT_GE(total, 6);  // title, second sheet, sections 1, 5, 6, sheet А at least

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Q(dir.File("declaration.pdf")));
    component.PrintData(xml, printer);
    const auto bytes = zorv::testing::ReadBytes(dir.File("declaration.pdf"));
    ASSERT_GT(bytes.size(), 2000u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "%PDF-");
    auto pagesOf = [](const std::vector<uint8_t>& pdf) {
        const std::string text(pdf.begin(), pdf.end());
        size_t count = 0;
        for (size_t at = text.find("/Type /Page\n"); at != std::string::npos;
             at = text.find("/Type /Page\n", at + 1))
            ++count;
        for (size_t at = text.find("/Type /Page>"); at != std::string::npos;
             at = text.find("/Type /Page>", at + 1))
            ++count;
        return count;
    };
    const size_t all = pagesOf(bytes);

    // A page range prints those pages only.
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    printer.setOutputFileName(Q(dir.File("range.pdf")));
    component.PrintData(xml, printer);
    const size_t two = pagesOf(zorv::testing::ReadBytes(dir.File("range.pdf")));
    if (all > 0) {
        EXPECT_EQ(all, static_cast<size_t>(total));
        EXPECT_EQ(two, 2u);
    }
    printer.setPrintRange(QPrinter::AllPages);

    printer.setOutputFileName(Q(dir.File("no-such-folder/declaration.pdf")));
    EXPECT_THROW(component.PrintData(xml, printer), TPrintError);
    for (const char* bad : {"", "ERROR", "<Файл><Документ></Файл>",
                            "<?xml version=\"1.0\" encoding=\"koi8-r\"?><a/>"})
        EXPECT_THROW(component.PrintData(bad, printer), TPrintError) << bad;

    ScriptedDialogs dialogs;
    QStringList sheets;
    dialogs.run = [&](QDialog& dialog) {
        auto* list = dialog.findChild<QComboBox*>("ComboBox1");
        EXPECT_NE(list, nullptr);
        for (int i = 0; list && i < list->count(); ++i) sheets << list->itemText(i);
        return true;
    };
    component.PreviewData(xml, nullptr);
    EXPECT_EQ(dialogs.ran, std::vector<QString>({"fmPreview"}));
    EXPECT_TRUE(sheets.contains("Раздел 1"));
    EXPECT_TRUE(sheets.contains("Лист А (13%)"));
}

TEST(Commands, A4NdflIsConfirmedByTheTaxpayer) {
    // The representative fields are locked on a 4-NDFL declaration, so a
    // representative chosen before switching the form must not be asked for.
    mTDeclaration d = Employee();
    ASSERT_EQ(d.SubmitterKind, 1);
    ScriptedDialogs dialogs;
    Window w(&d);
    auto* page = qobject_cast<TfrInitialData*>(w.form.CurrentPage());
    page->rb4ndfl->click();
    EXPECT_TRUE(page->rbGiveSelf->isChecked());
    zorv::testing::Type(page->meSupposeIncome, "300000");
    EXPECT_EQ(w.form.RunCheck(), 0);
    EXPECT_TRUE(dialogs.wholeChecks.empty());
    EXPECT_EQ(w.form.Declaration().SubmitterKind, 0);
    EXPECT_EQ(w.form.Declaration().RepresentativeName, "");
}

TEST(Commands, ANew4NdflIsPrimaryOnPaperAndInTheTextFile) {
    // a 3-NDFL document, as a new one is, switched to 4-NDFL
    mTDeclaration d = Employee();
    ASSERT_EQ(d.IsPrimary, 0);
    ASSERT_EQ(d.CorrectionNumber, 0u);
    ScriptedDialogs dialogs;
    Window w(&d);
    auto* page = qobject_cast<TfrInitialData*>(w.form.CurrentPage());
    ASSERT_NE(page, nullptr);
    page->rb4ndfl->click();
    EXPECT_TRUE(page->rbFirst->isChecked());
    EXPECT_FALSE(page->meNumVer->isEnabled());
    zorv::testing::Type(page->meSupposeIncome, "300000");
    w.form.Action("ExportDoc")->trigger();
    ASSERT_EQ(w.library.calls, QStringList({"FileOut"}));
    EXPECT_EQ(w.form.Declaration().IsPrimary, 1);

    const std::vector<uint8_t>& image = w.library.image;
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(zorv::testing::PrintedDocumentKind(image), "1");
    const std::vector<std::string> lines = zorv::testing::TextFileLines(image);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ПризВидДок:1"), lines.end());

    // switching with a correction number keeps the declaration corrective
    page->rbSimple->click();
    zorv::testing::Type(page->meNumVer, "2");
    page->rb4ndfl->click();
    EXPECT_TRUE(page->rbLast->isChecked());
}

TEST(Commands, TheInspectionNameMissingInTheDocumentComesFromTheList) {
    mTDeclaration d = Employee();
    d.InspectionCode = "7705";
    d.InspectionName.clear();
    ScriptedDialogs dialogs;
    Window w(&d);
    auto* page = qobject_cast<TfrInitialData*>(w.form.CurrentPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->lbInspectionName->text(), "Инспекция ФНС России № 5 по г. Москве");
    page->StoreToModel();
    EXPECT_EQ(w.form.Declaration().InspectionName, "Инспекция ФНС России № 5 по г. Москве");
}

TEST(Commands, ExportOfTheWindowEqualsTheCommandLineExport) {
    // A non-resident has no foreign-currency income: the conditions page gives
    // it up, so the fixture's is left out here.
    Json nonResident = zorv::testing::ReadFixtureJson("export/nonresident.json");
    nonResident["IncomeFlags"] = 1;
    nonResident.erase("CurrencyIncomeList");
    for (const Json& json : {zorv::testing::ReadFixtureJson("export/employee.json"), nonResident}) {
        mTDeclaration d;
        DeclarationFromJson(json, d);
        ScriptedDialogs dialogs;
        Window w(&d);
        const std::string fromWindow = zorv::testing::FormExportXml(w.form, dialogs);
        EXPECT_EQ(zorv::testing::WithoutIdAndDate(fromWindow),
                  zorv::testing::WithoutIdAndDate(zorv::testing::CliExportXml(json)));
    }
}
