#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>

#include "shell/formmain.h"
#include "shell/initialdata.h"
#include "shell/persondata.h"
#include "shelltest.h"
#include "storage/errors.h"
#include "tempdir.h"
#include "widgets/flashbutton.h"
#include "widgets/maskededit.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::TempDir;
using zorv::testing::Type;

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// A main window over a program folder with the shipped reference files.
struct Window {
    Window() : form(QStringLiteral(ZORV_SOURCE_DIR "/data")) {}
    void Start(const QStringList& arguments = {}) {
        form.Start(arguments);
        form.ReportStartProblems();
    }
    // Makes a change as the user would, on the conditions page.
    void Edit() {
        auto* page = qobject_cast<TfrInitialData*>(form.CurrentPage());
        ASSERT_NE(page, nullptr);
        page->rbGiveTrustFase->click();
    }
    TFormMain form;
};

void WriteDocument(const std::string& path, const std::string& inspection) {
    mTDeclaration d;
    d.InspectionCode = inspection;
    d.SetIncomeFlags(kIncomeFromAgents | kIncomeBusiness);
    d.Person.SurName = "Петров";
    d.SaveToFile(path);
}

}  // namespace

TEST(FormMain, NavigationColumnAndCommands) {
    ScriptedDialogs dialogs;
    Window w;
    w.Start();
    const char* captions[] = {"Задание условий",         "Сведения о декларанте",
                              "Доходы, полученные в РФ", "Доходы за пределами РФ",
                              "Предприниматели",         "Вычеты",
                              "Уплата по уведомлениям",  "Итоги"};
    for (int i = 0; i < navCount; ++i) {
        TFlashButton* b = w.form.NavButton(TNavPage(i));
        EXPECT_EQ(b->text(), captions[i]);
    }
    // The column shows every button whole, all of one height, in a window of
    // 1024 x 600 as well as in a tall one.
    for (const QSize size : {QSize(1024, 600), QSize(1024, 768)}) {
        w.form.resize(size);
        w.form.show();
        QApplication::processEvents();
        const QWidget* column = w.form.findChild<QWidget*>("pnlNavigation");
        ASSERT_NE(column, nullptr);
        for (int i = 0; i < navCount; ++i) {
            const TFlashButton* b = w.form.NavButton(TNavPage(i));
            EXPECT_EQ(b->height(), w.form.NavButton(navInitialData)->height()) << size.height();
            EXPECT_GE(b->height(), 40);
            EXPECT_LE(b->height(), 71);
            if (i > 0) {
                EXPECT_EQ(b->y(), w.form.NavButton(TNavPage(i - 1))->geometry().bottom() + 1);
            }
            EXPECT_LE(b->geometry().bottom(), column->height() - 1) << b->text().toStdString();
            // the caption fits in bold, as the current button draws it
            QFont bold = b->font();
            bold.setBold(true);
            for (const QString& word : b->text().split(' '))
                EXPECT_LE(QFontMetrics(bold).horizontalAdvance(word), b->width() - 8)
                    << word.toStdString();
        }
        if (size.height() == 768) {
            EXPECT_EQ(w.form.NavButton(navNalog)->height(), 71);
        }
    }
    w.form.hide();
    EXPECT_TRUE(w.form.NavButton(navInitialData)->Down());
    EXPECT_TRUE(w.form.NavButton(navRussianIncome)->isEnabled());
    EXPECT_FALSE(w.form.NavButton(navForeignIncome)->isEnabled());
    EXPECT_FALSE(w.form.NavButton(navBusinessIncome)->isEnabled());
    EXPECT_TRUE(w.form.NavButton(navDeduction)->isEnabled());
    EXPECT_TRUE(w.form.NavButton(navNalog)->isEnabled());
    EXPECT_EQ(w.form.windowTitle(), "Без имени[*] - Zorv 2008");
    EXPECT_TRUE(w.form.Saved());
    EXPECT_TRUE(dialogs.messages.empty()) << "the shipped reference files are all readable";

    QStringList menus;
    for (QAction* a : w.form.menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, QStringList({"&Файл", "&Декларация", "&Настройки", "С&правка"}));
    // Every menu command has an accelerator letter of its own within its menu.
    for (QAction* menu : w.form.menuBar()->actions()) {
        QSet<QChar> letters;
        for (QAction* a : menu->menu()->actions()) {
            if (a->isSeparator()) continue;
            const qsizetype amp = a->text().indexOf('&');
            ASSERT_GE(amp, 0) << a->text().toStdString();
            EXPECT_FALSE(letters.contains(a->text()[amp + 1].toLower())) << a->text().toStdString();
            letters.insert(a->text()[amp + 1].toLower());
        }
    }
    const std::pair<const char*, const char*> keys[] = {
        {"CreateDoc", "Ctrl+N"},
        {"OpenDoc", "Ctrl+O"},
        {"SaveDoc", "Ctrl+S"},
        {"SaveAsDoc", "Ctrl+Shift+S"},
        {"PrintDoc", "Ctrl+P"},
        {"Quit", "Ctrl+Q"},
        {"Help", "F1"},
        {"NextPage", "Ctrl+PgDown"},
        {"PreviousPage", "Ctrl+PgUp"},
    };
    for (const auto& [name, key] : keys)
        EXPECT_EQ(w.form.Action(name)->shortcut(), QKeySequence(key)) << name;
    QStringList tools;
    for (QAction* a : w.form.ToolBar()->actions()) tools << a->iconText();
    EXPECT_EQ(tools, QStringList({"Создать", "Открыть", "Сохранить", "Просмотр", "Печать",
                                  "Экспорт", "Проверить"}));

    // The conditions page drives the navigation buttons.
    auto* page = qobject_cast<TfrInitialData*>(w.form.CurrentPage());
    page->rb4ndfl->click();
    EXPECT_FALSE(w.form.NavButton(navRussianIncome)->isEnabled());
    EXPECT_FALSE(w.form.NavButton(navNalog)->isEnabled());
    EXPECT_FALSE(w.form.Saved());
    EXPECT_TRUE(w.form.isWindowModified()) << "the title shows the unsaved change";
}

TEST(FormMain, NextAndPreviousPageSkipDisabledButtons) {
    ScriptedDialogs dialogs;
    Window w;
    w.Start();
    QAction* next = w.form.Action("NextPage");
    QAction* previous = w.form.Action("PreviousPage");
    previous->trigger();  // the first page has none before it
    EXPECT_EQ(w.form.CurrentPageKind(), navInitialData);
    // The page is checked as a click checks it: "Исправить" stays.
    next->trigger();
    EXPECT_EQ(w.form.CurrentPageKind(), navInitialData);
    ASSERT_FALSE(dialogs.checks.empty());
    dialogs.checkAnswers.assign(20, TCheckAnswer::Skip);
    next->trigger();
    EXPECT_EQ(w.form.CurrentPageKind(), navPersonInfo);
    next->trigger();
    EXPECT_EQ(w.form.CurrentPageKind(), navRussianIncome);
    next->trigger();  // foreign and business income are off
    EXPECT_EQ(w.form.CurrentPageKind(), navDeduction);
    EXPECT_TRUE(w.form.NavButton(navDeduction)->Down());
    previous->trigger();
    EXPECT_EQ(w.form.CurrentPageKind(), navRussianIncome);
}

TEST(FormMain, PageSwitchFollowsTheCheckAnswers) {
    ScriptedDialogs dialogs;
    Window w;
    w.Start();
    // No inspection: "Исправить" keeps the conditions page.
    w.form.NavButton(navPersonInfo)->click();
    EXPECT_EQ(w.form.CurrentPageKind(), navInitialData);
    EXPECT_TRUE(w.form.NavButton(navInitialData)->Down());
    EXPECT_FALSE(w.form.NavButton(navPersonInfo)->Down());
    dialogs.checkAnswers = {TCheckAnswer::Skip};
    w.form.NavButton(navPersonInfo)->click();
    EXPECT_EQ(w.form.CurrentPageKind(), navPersonInfo);
    EXPECT_NE(qobject_cast<TfrPersonData*>(w.form.CurrentPage()), nullptr);
    const size_t shown = dialogs.checks.size();
    w.form.NavButton(navPersonInfo)->click();  // the page shown: nothing is checked
    EXPECT_EQ(dialogs.checks.size(), shown);
}

TEST(FormMain, SavePromptAnswers) {
    TempDir dir;
    struct Case {
        const char* what;
        QMessageBox::StandardButton answer;
        QString saveName;  // the save dialog's answer; empty: cancelled
        bool goesAhead;
        bool written;
    } cases[] = {
        {"cancel", QMessageBox::Cancel, "", false, false},
        {"no", QMessageBox::No, "", true, false},
        {"yes, dialog cancelled", QMessageBox::Yes, "", false, false},
        {"yes, named", QMessageBox::Yes, Q(dir.File("kept.zv8")), true, true},
    };
    for (const Case& c : cases) {
        for (int command = 0; command < 3; ++command) {  // new, open, close
            SCOPED_TRACE(std::string(c.what) + " / command " + std::to_string(command));
            std::filesystem::remove(dir.File("kept.zv8"));
            ScriptedDialogs dialogs;
            Window w;
            w.Start();
            w.Edit();
            ASSERT_FALSE(w.form.Saved());
            dialogs.messageAnswers = {c.answer};
            if (!c.saveName.isEmpty()) dialogs.saveNames = {c.saveName};
            bool wentAhead = false;
            if (command == 0) {
                wentAhead = w.form.CreateDoc();
            } else if (command == 1) {
                w.form.OpenDoc();  // the open dialog is cancelled
                wentAhead = dialogs.openFilters.size() == 1;
            } else {
                wentAhead = w.form.close();
            }
            ASSERT_GE(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0], "Вы хотите сохранить декларацию?");
            EXPECT_EQ(wentAhead, c.goesAhead);
            EXPECT_EQ(std::filesystem::exists(dir.File("kept.zv8")), c.written);
            if (!c.goesAhead) {
                EXPECT_FALSE(w.form.Saved()) << "the work is still there, unsaved";
                auto* page = qobject_cast<TfrInitialData*>(w.form.CurrentPage());
                ASSERT_NE(page, nullptr);
                EXPECT_TRUE(page->rbGiveTrustFase->isChecked());
            }
        }
    }
}

TEST(FormMain, OpenAndSaveKeepTheDocumentsApart) {
    TempDir dir;
    const std::string old = dir.File("old.zv7");
    WriteDocument(old, "7701");
    const auto oldBytes = zorv::testing::ReadBytes(old);
    ScriptedDialogs dialogs;
    Window w;
    w.Start();
    dialogs.openNames = {Q(old)};
    ASSERT_TRUE(w.form.OpenDoc());
    EXPECT_EQ(w.form.windowTitle(), "old.zv7[*] - Zorv 2008");
    EXPECT_EQ(w.form.Declaration().InspectionCode, "7701");
    EXPECT_TRUE(w.form.NavButton(navBusinessIncome)->isEnabled());
    EXPECT_FALSE(w.form.NavButton(navForeignIncome)->isEnabled());
    EXPECT_TRUE(dialogs.openFilters[0].startsWith("Zorv 2008 (*.zv8);;Zorv 2007 (*.zv7)"));

    // "Сохранить" offers old.zv8 in the save dialog, which guards an existing file.
    w.Edit();
    dialogs.saveNames = {"="};
    ASSERT_TRUE(w.form.SaveDoc());
    EXPECT_EQ(dialogs.saveSuggestions, std::vector<QString>({Q(dir.File("old.zv8"))}));
    EXPECT_EQ(w.form.windowTitle(), "old.zv8[*] - Zorv 2008");
    EXPECT_TRUE(w.form.Saved());
    EXPECT_EQ(zorv::testing::ReadBytes(old), oldBytes) << "last year's file is left as it was";
    mTDeclaration saved;
    saved.LoadFromFile(dir.File("old.zv8"));
    EXPECT_EQ(saved.SubmitterKind, 1);

    // Under its own name it saves without asking.
    w.Edit();
    auto* page = qobject_cast<TfrInitialData*>(w.form.CurrentPage());
    page->rbGiveSelf->click();
    ASSERT_TRUE(w.form.SaveDoc());
    EXPECT_EQ(dialogs.saveSuggestions.size(), 1u);
    saved = mTDeclaration();
    saved.LoadFromFile(dir.File("old.zv8"));
    EXPECT_EQ(saved.SubmitterKind, 0);

    // "Сохранить как..." takes the name as given.
    dialogs.saveNames = {Q(dir.File("copy.zv7"))};
    ASSERT_TRUE(w.form.SaveAsDoc());
    EXPECT_EQ(w.form.windowTitle(), "copy.zv7[*] - Zorv 2008");
    EXPECT_TRUE(std::filesystem::exists(dir.File("copy.zv7")));

    // The same with the save prompt of "new".
    w.Edit();
    dialogs.messageAnswers = {QMessageBox::Yes};
    dialogs.saveNames = {"="};
    ASSERT_TRUE(w.form.CreateDoc());
    EXPECT_EQ(dialogs.saveSuggestions.back(), Q(dir.File("copy.zv8")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("copy.zv8")));
    EXPECT_EQ(w.form.windowTitle(), "Без имени[*] - Zorv 2008");
}

TEST(FormMain, SaveFailureLosesNothing) {
    TempDir dir;
    ScriptedDialogs dialogs;
    Window w;
    w.Start();
    w.Edit();
    const std::string target = dir.File("missing-folder/x.zv8");
    dialogs.saveNames = {Q(target)};
    EXPECT_FALSE(w.form.SaveDoc());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].startsWith("Декларация не сохранена в файл"))
        << dialogs.messages[0].toStdString();
    EXPECT_EQ(dialogs.icons[0], QMessageBox::Critical);
    EXPECT_FALSE(dialogs.messages[0].contains('\r'));
    EXPECT_FALSE(w.form.Saved());
    EXPECT_EQ(w.form.FileName(), "");
    EXPECT_EQ(w.form.windowTitle(), "Без имени[*] - Zorv 2008");

    // A failed save in the prompt abandons the command too.
    dialogs.messageAnswers = {QMessageBox::Yes};
    dialogs.saveNames = {Q(target)};
    EXPECT_FALSE(w.form.CreateDoc());
    EXPECT_FALSE(w.form.Saved());
    EXPECT_TRUE(qobject_cast<TfrInitialData*>(w.form.CurrentPage())->rbGiveTrustFase->isChecked());

    // A read-only document is not replaced, and the message says why.
    const std::string readOnly = dir.File("X.zv8");
    zorv::testing::WriteBytes(readOnly, "old");
    ::chmod(readOnly.c_str(), 0444);
    dialogs.messages.clear();
    dialogs.messageAnswers = {QMessageBox::Yes};
    dialogs.saveNames = {Q(readOnly)};
    EXPECT_FALSE(w.form.SaveDoc());
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.messages.back().contains("Файл X.zv8 доступен только для чтения"))
        << dialogs.messages.back().toStdString();
    EXPECT_EQ(zorv::testing::ReadBytes(readOnly).size(), 3u);
    EXPECT_FALSE(w.form.Saved());
}

TEST(FormMain, LoadFailuresKeepTheOpenDocument) {
    TempDir dir;
    zorv::testing::WriteBytes(dir.File("damaged.zv8"), "DLSGZorv2008            0102FFFF");
    zorv::testing::WriteBytes(dir.File("empty.zv8"), "");
    zorv::testing::WriteBytes(dir.File("text.zv8"), "hello, world");
    // A good header whose streams are cut short.
    WriteDocument(dir.File("good.zv8"), "7701");
    auto bytes = zorv::testing::ReadBytes(dir.File("good.zv8"));
    zorv::testing::WriteBytes(dir.File("cut.zv8"),
                              std::string(bytes.begin(), bytes.begin() + bytes.size() / 2));
    // Neither a channel nor a folder keeps the program waiting.
    ASSERT_EQ(::mkfifo(dir.File("channel.zv8").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.Path() / "folder.zv8");
    for (const char* name : {"damaged.zv8", "empty.zv8", "text.zv8", "cut.zv8", "absent.zv8",
                             "channel.zv8", "folder.zv8"}) {
        SCOPED_TRACE(name);
        ScriptedDialogs dialogs;
        Window w;
        w.Start({Q(dir.File("good.zv8"))});
        w.Edit();
        // The user declines to save, then the chosen file fails to load: the
        // open document stays as it was, changes included.
        dialogs.messageAnswers = {QMessageBox::No};
        dialogs.openNames = {Q(dir.File(name))};
        EXPECT_FALSE(w.form.OpenDoc());
        ASSERT_EQ(dialogs.messages.size(), 2u);
        EXPECT_TRUE(
            dialogs.messages[1].startsWith(QStringLiteral("Не удалось открыть «%1»: ").arg(name)))
            << dialogs.messages[1].toStdString();
        EXPECT_GT(dialogs.messages[1].size(),
                  QStringLiteral("Не удалось открыть «%1»: ").arg(name).size());
        EXPECT_FALSE(dialogs.messages[1].contains('\r'));
        EXPECT_EQ(w.form.FileName(), Q(dir.File("good.zv8")));
        EXPECT_EQ(w.form.windowTitle(), "good.zv8[*] - Zorv 2008");
        EXPECT_TRUE(w.form.isWindowModified());
        EXPECT_EQ(w.form.Declaration().InspectionCode, "7701");
        EXPECT_EQ(w.form.Declaration().Person.SurName, "Петров");
        EXPECT_FALSE(w.form.Saved());
        EXPECT_EQ(w.form.CurrentPageKind(), navInitialData);
        auto* page = qobject_cast<TfrInitialData*>(w.form.CurrentPage());
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(page->rbGiveTrustFase->isChecked()) << "the change made before is kept";
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("absent.zv8")));
}

TEST(FormMain, CommandLine) {
    EXPECT_EQ(DocumentArgument({"a.zv8"}), QString("a.zv8"));
    EXPECT_EQ(DocumentArgument({"-P", "a.zv8"}), QString("a.zv8"));
    EXPECT_EQ(DocumentArgument({"a.zv8", "b"}), QString("a.zv8"));
    EXPECT_EQ(DocumentArgument({}), std::nullopt);
    EXPECT_EQ(DocumentArgument({"-p", "a", "b"}), std::nullopt);

    TempDir dir;
    WriteDocument(dir.File("doc.zv8"), "5001");
    {
        ScriptedDialogs dialogs;
        Window w;
        w.Start({"-p", Q(dir.File("doc.zv8"))});
        EXPECT_EQ(w.form.Declaration().InspectionCode, "5001");
        EXPECT_EQ(w.form.windowTitle(), "doc.zv8[*] - Zorv 2008");
        EXPECT_EQ(w.form.CurrentPageKind(), navInitialData);
        EXPECT_TRUE(w.form.Saved());
    }
    {
        ScriptedDialogs dialogs;
        TFormMain form(QStringLiteral(ZORV_SOURCE_DIR "/data"));
        form.Start({Q(dir.File("nothing.zv8"))});
        // Nothing is shown beside the start window; the error waits for it to close.
        EXPECT_TRUE(dialogs.messages.empty());
        form.ReportStartProblems();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].startsWith("Не удалось открыть «nothing.zv8»: "));
        form.ReportStartProblems();
        EXPECT_EQ(dialogs.messages.size(), 1u) << "reported once";
        EXPECT_EQ(form.windowTitle(), "Без имени[*] - Zorv 2008");
        EXPECT_TRUE(form.Saved());
        EXPECT_FALSE(std::filesystem::exists(dir.File("nothing.zv8")));
    }
}

TEST(FormMain, MissingReferenceFilesAreReportedOnceAndTurnTheLookupsOff) {
    TempDir dir;
    ScriptedDialogs dialogs;
    TFormMain form(Q(dir.Path().string()));
    form.Start({});
    form.ReportStartProblems();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    for (const char* file :
         {"InspectionNumbers.xml", "Oksm.xml", "Sp_OKVED2.xml", "CurrencyRates.xml"})
        EXPECT_TRUE(dialogs.messages[0].contains(file)) << file;
    auto* page = qobject_cast<TfrInitialData*>(form.CurrentPage());
    EXPECT_FALSE(page->bnInspection->isEnabled());
    form.CreateDoc();
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST(FormMain, WindowPlacement) {
    const QRect screen(0, 0, 1280, 1024), work(0, 0, 1280, 984);
    struct Case {
        bool full;
        int left, top, width, height;
        QRect expected;
    } cases[] = {
        {false, 0, 0, 0, 0, QRect(240, 206, 800, 571)},
        {false, 10, 20, 900, 600, QRect(10, 20, 900, 600)},
        {false, -5, -7, 900, 600, QRect(0, 0, 900, 600)},
        {false, 700, 20, 900, 600, QRect(480, 20, 800, 600)},
        {false, 10, 700, 900, 600, QRect(10, 413, 900, 571)},
        {false, 10, 20, 300, 200, QRect(10, 20, 800, 571)},
        {true, 10, 20, 900, 600, QRect(240, 206, 800, 571)},
    };
    for (const Case& c : cases) {
        const TPlacement p = PlaceWindow(c.full, c.left, c.top, c.width, c.height, screen, work);
        EXPECT_EQ(p.bounds, c.expected) << c.left << "," << c.top;
        EXPECT_EQ(p.maximised, c.full);
    }
}

TEST(FormMain, ToolbarSettings) {
    QSettings settings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008"));
    settings.clear();
    settings.setValue("textlabels", false);  // names match without regard to case
    settings.sync();
    ScriptedDialogs dialogs;
    {
        Window w;
        w.Start();
        QWidget* button = w.form.ToolBar()->findChild<QWidget*>("fbSave");
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->size(), QSize(35, 35));
        w.form.findChild<QAction*>("TextLabels")->trigger();
        EXPECT_EQ(button->size(), QSize(80, 47));
        w.form.findChild<QAction*>("ShowStdToolbar")->trigger();
        EXPECT_TRUE(w.form.ToolBar()->isHidden());
        w.form.ShowPlaced();
        w.form.close();
    }
    settings.sync();
    EXPECT_FALSE(settings.value("ShowStdToolbar").toBool());
    EXPECT_TRUE(settings.value("TextLabels").toBool());
    EXPECT_EQ(settings.value("wWidth").toInt(), 800);
    EXPECT_EQ(settings.value("FullScreen").toBool(), false);
    settings.clear();
}
