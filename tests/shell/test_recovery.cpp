#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <chrono>

#include "shell/formmain.h"
#include "shell/initialdata.h"
#include "shell/recoveryjournal.h"
#include "shell/recoveryprompt.h"
#include "shell/recoverystore.h"
#include "shelltest.h"
#include "tempdir.h"
#include "widgets/maskededit.h"

using namespace zorv;
using namespace std::chrono_literals;
using zorv::testing::ReadBytes;
using zorv::testing::ScriptedDialogs;
using zorv::testing::TempDir;
using zorv::testing::Type;

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// A corrective declaration, its number open to typing on the conditions page.
void WriteDocument(const std::string& path, const std::string& inspection) {
    mTDeclaration d;
    d.InspectionCode = inspection;
    d.CorrectionNumber = 1;
    d.SetIncomeFlags(kIncomeFromAgents);
    d.SaveToFile(path);
}

std::vector<uint8_t> Image(const std::string& inspection) {
    mTDeclaration d;
    d.InspectionCode = inspection;
    return d.BuildImage();
}

std::string InspectionIn(const QString& path) {
    mTDeclaration d;
    d.LoadFromFile(path.toStdString());
    return d.InspectionCode;
}

uint32_t CorrectionIn(const QString& path) {
    mTDeclaration d;
    d.LoadFromFile(path.toStdString());
    return d.CorrectionNumber;
}

std::string FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name).join(' ').toStdString();
}

// Answers the recovery question with the button of the given object name.
std::function<bool(QDialog&)> Press(const char* button) {
    return [button](QDialog& dialog) {
        dialog.findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
        return dialog.result() == QDialog::Accepted;
    };
}

// A main window whose recovery copies go to a folder of the test.
struct Window {
    explicit Window(const QString& folder, std::chrono::milliseconds interval = 1h)
        : form(QStringLiteral(ZORV_SOURCE_DIR "/data")) {
        form.EnableRecovery(folder, interval);
    }
    void Start(const QStringList& arguments = {}) {
        form.Start(arguments);
        form.ReportStartProblems();
        form.OfferRecovery();
    }
    // Types the correction number on the conditions page, as the user would.
    void TypeCorrection(const QString& number) {
        auto* page = qobject_cast<TfrInitialData*>(form.CurrentPage());
        ASSERT_NE(page, nullptr);
        page->meNumVer->selectAll();
        Type(page->meNumVer, number);
    }
    TFormMain form;
};

}  // namespace

// Two programs with the same document write their own copies; a copy locked by
// a running program is never offered; a copy nobody has dealt with is never
// written over.
TEST(RecoveryStore, CopiesArePerDocumentAndPerRunningProgram) {
    TempDir dir;
    const QString folder = Q(dir.File("recovery"));
    const QString doc = Q(dir.File("a.zv8"));
    WriteDocument(doc.toStdString(), "7701");
    const TRecoveryStore first(folder), second(folder);

    auto mine = first.Claim(doc);
    auto theirs = second.Claim(doc);
    auto untitled = second.Claim({});
    ASSERT_TRUE(mine && theirs && untitled);
    EXPECT_NE(mine->CopyPath(), theirs->CopyPath());
    // The same document named from its folder is the same document, recorded
    // by its whole path.
    const QString here = QDir::currentPath();
    QDir::setCurrent(Q(dir.Path().string()));
    auto again = first.Claim(QStringLiteral("a.zv8"));
    QDir::setCurrent(here);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->OriginalPath(), doc);
    EXPECT_EQ(QFileInfo(again->CopyPath()).fileName().section('-', 0, 0),
              QFileInfo(mine->CopyPath()).fileName().section('-', 0, 0));
    again.reset();

    mine->Write(Image("1111"));
    theirs->Write(Image("2222"));
    untitled->Write(Image("3333"));
    EXPECT_EQ(InspectionIn(mine->CopyPath()), "1111");
    EXPECT_EQ(InspectionIn(theirs->CopyPath()), "2222");
    // While both run, neither sees a copy to offer.
    EXPECT_TRUE(TRecoveryStore(folder).Abandoned().empty());

    // The first program ends without saving: its copy is offered, with the
    // original's path and moment, and a new claim passes it over.
    const QString left = mine->CopyPath();
    mine.reset();
    auto found = first.Abandoned();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->CopyPath(), left);
    EXPECT_EQ(found[0]->OriginalPath(), doc);
    EXPECT_EQ(found[0]->OriginalModified(), QFileInfo(doc).lastModified());
    // Offered to one program at a time.
    EXPECT_TRUE(second.Abandoned().empty());
    found.clear();
    auto next = first.Claim(doc);
    ASSERT_TRUE(next);
    EXPECT_NE(next->CopyPath(), left);
    EXPECT_NE(next->CopyPath(), theirs->CopyPath());
    EXPECT_EQ(InspectionIn(left), "1111");

    // Removing takes the copy, its description and its lock file.
    theirs->Remove();
    untitled->Remove();
    next.reset();
    for (auto& slot : first.Abandoned()) slot->Remove();
    EXPECT_EQ(FilesIn(folder), "");
}

// The copy follows the changes: after the interval, at once on a page switch,
// and it goes when the changes are saved or given up.
// A copy that cannot be written is reported once, in words that say what to do;
// the user's work goes on.
TEST(RecoveryJournal, AFolderThatCannotBeWrittenIsReportedOnce) {
    ScriptedDialogs dialogs;
    TempDir dir;
    const QString blocker = Q(dir.File("plain-file"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString doc = Q(dir.File("a.zv8"));
    WriteDocument(doc.toStdString(), "7701");
    Window w(blocker + QStringLiteral("/recovery"));
    w.Start({doc});
    w.TypeCorrection(QStringLiteral("2"));
    ASSERT_TRUE(w.form.SwitchPage(navPersonInfo));
    // Later writes fail the same way and are not reported again.
    w.form.Journal()->Modified();
    w.form.Journal()->WriteNow();
    QStringList reports;
    for (const QString& m : dialogs.messages)
        if (m.startsWith(QStringLiteral("Не удалось записать копию"))) reports << m;
    ASSERT_EQ(reports.size(), 1)
        << QStringList(dialogs.messages.begin(), dialogs.messages.end()).join(u'|').toStdString();
    EXPECT_TRUE(reports[0].contains(blocker + QStringLiteral("/recovery")));
    EXPECT_TRUE(reports[0].contains(QStringLiteral("«Сохранить»")));
    EXPECT_FALSE(reports[0].contains(QStringLiteral("..")));
    EXPECT_FALSE(w.form.Saved());
}

TEST(RecoveryJournal, WritesAfterChangesAndGoesWithThem) {
    ScriptedDialogs dialogs;
    TempDir dir;
    const QString folder = Q(dir.File("recovery"));
    const QString doc = Q(dir.File("a.zv8"));
    WriteDocument(doc.toStdString(), "7701");
    const std::vector<uint8_t> original = ReadBytes(doc.toStdString());
    {
        Window w(folder, 50ms);
        w.Start({doc});
        EXPECT_EQ(w.form.Journal()->Slot(), nullptr);
        w.TypeCorrection(QStringLiteral("2"));
        ASSERT_FALSE(w.form.Saved());
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.form.Journal()->Slot(); }, 5000));
        const QString copy = w.form.Journal()->Slot()->CopyPath();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(copy); }, 5000));
        EXPECT_EQ(CorrectionIn(copy), 2u);
        EXPECT_EQ(ReadBytes(doc.toStdString()), original);
        // Saved: the copy goes.
        ASSERT_TRUE(w.form.SaveDoc());
        EXPECT_FALSE(QFileInfo::exists(copy));
        EXPECT_EQ(CorrectionIn(doc), 2u);
    }
    {
        // The interval has not passed, but a page switch writes at once; "Нет"
        // at closing gives the changes and the copy up.
        Window w(folder);
        w.Start({doc});
        w.TypeCorrection(QStringLiteral("3"));
        EXPECT_EQ(w.form.Journal()->Slot(), nullptr);
        ASSERT_TRUE(w.form.SwitchPage(navPersonInfo));
        ASSERT_NE(w.form.Journal()->Slot(), nullptr);
        EXPECT_EQ(CorrectionIn(w.form.Journal()->Slot()->CopyPath()), 3u);
        dialogs.messageAnswers = {QMessageBox::No};
        EXPECT_TRUE(w.form.close());
        EXPECT_EQ(FilesIn(folder), "");
    }
    {
        // "Нет" for a document that is then not replaced keeps its copy: the
        // changes are still on screen.
        Window w(folder);
        w.Start({doc});
        w.TypeCorrection(QStringLiteral("4"));
        ASSERT_TRUE(w.form.SwitchPage(navPersonInfo));
        dialogs.messageAnswers = {QMessageBox::No};
        EXPECT_FALSE(w.form.OpenDoc());  // the file dialog is cancelled
        EXPECT_TRUE(w.form.Journal()->Slot() && w.form.Journal()->Slot()->HasCopy());
        dialogs.messageAnswers = {QMessageBox::No};
        EXPECT_TRUE(w.form.CreateDoc());  // "Нет" again, and the document goes
        EXPECT_EQ(FilesIn(folder), "");
    }
    EXPECT_EQ(CorrectionIn(doc), 2u);
}

// At start: a copy is offered with its name and moment; "Позже" asks again next
// time, "Восстановить" opens it modified under the original's name, a copy
// older than its document goes unasked, and a declaration never saved comes
// back without a name.
TEST(RecoveryPrompt, StartOffersWhatIsNewerThanTheDocument) {
    ScriptedDialogs dialogs;
    TempDir dir;
    const QString folder = Q(dir.File("recovery"));
    const QString doc = Q(dir.File("декларация.zv8"));
    WriteDocument(doc.toStdString(), "7701");
    const std::vector<uint8_t> original = ReadBytes(doc.toStdString());
    const TRecoveryStore store(folder);
    QString copy;
    {
        auto slot = store.Claim(doc);
        QTest::qWait(20);  // the copy is newer than the document
        slot->Write(Image("7705"));
        copy = slot->CopyPath();
    }
    const QString question =
        QStringLiteral(
            "Обнаружены несохранённые изменения декларации декларация.zv8 от %1. "
            "Восстановить?")
            .arg(QFileInfo(copy).lastModified().toString(QStringLiteral("dd.MM.yyyy HH:mm")));
    {
        Window w(folder);
        dialogs.run = Press("bnLater");
        w.Start();
        ASSERT_EQ(dialogs.messages.size(), 0u);
        EXPECT_EQ(dialogs.ran, std::vector<QString>{QStringLiteral("fmRecovery")});
        EXPECT_TRUE(w.form.Saved());
        EXPECT_TRUE(QFileInfo::exists(copy));
    }
    dialogs.ran.clear();
    {
        Window w(folder);
        QString asked;
        dialogs.run = [&](QDialog& box) {
            asked = qobject_cast<QMessageBox*>(&box)->text();
            return Press("bnRestore")(box);
        };
        w.Start();
        EXPECT_EQ(asked, question);
        EXPECT_EQ(w.form.FileName(), doc);
        EXPECT_FALSE(w.form.Saved());
        EXPECT_EQ(w.form.Declaration().InspectionCode, "7705");
        EXPECT_EQ(ReadBytes(doc.toStdString()), original);
        // The recovered declaration carries on in its copy, which another
        // program does not offer meanwhile.
        EXPECT_EQ(w.form.Journal()->Slot()->CopyPath(), copy);
        EXPECT_TRUE(store.Abandoned().empty());
        ASSERT_TRUE(w.form.SaveDoc());
        EXPECT_EQ(InspectionIn(doc), "7705");
        EXPECT_FALSE(QFileInfo::exists(copy));
    }
    {
        // The document changes on disk after the copy was written (a save, a
        // touch, a sync tool): the copy is kept all the same.
        auto slot = store.Claim(doc);
        slot->Write(Image("7706"));
        QTest::qWait(20);
        WriteDocument(doc.toStdString(), "7707");
        auto untitled = store.Claim({});
        untitled->Write(Image("7708"));
    }
    dialogs.ran.clear();
    {
        Window w(folder);
        dialogs.run = Press("bnRestore");
        w.Start({doc});
        EXPECT_EQ(dialogs.ran.size(), 1u);
        EXPECT_EQ(w.form.FileName(), QString());
        EXPECT_FALSE(w.form.Saved());
        EXPECT_EQ(w.form.Declaration().InspectionCode, "7708");
        EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.zv8")}).size(), 2);
        dialogs.messageAnswers = {QMessageBox::No};
        w.form.close();
    }
    // The copy of the changed document: the question says so and offers both.
    for (const char* answer : {"bnLater", "bnOpenSaved", "bnRestore"}) {
        SCOPED_TRACE(answer);
        dialogs.ran.clear();
        Window w(folder);
        QString asked;
        dialogs.run = [&](QDialog& box) {
            asked = qobject_cast<QMessageBox*>(&box)->text();
            return Press(answer)(box);
        };
        w.Start();
        ASSERT_EQ(dialogs.ran.size(), 1u);
        EXPECT_TRUE(asked.contains(QStringLiteral("Документ на диске изменён после этой копии")))
            << asked.toStdString();
        const bool restored = std::string(answer) == "bnRestore";
        const bool opened = std::string(answer) == "bnOpenSaved";
        EXPECT_EQ(w.form.FileName(), restored || opened ? doc : QString());
        EXPECT_EQ(w.form.Declaration().InspectionCode, restored ? "7706"
                                                       : opened
                                                           ? "7707"
                                                           : w.form.Declaration().InspectionCode);
        EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.zv8")}).size(), 1);
        dialogs.messageAnswers = {QMessageBox::No};
        w.form.close();
        EXPECT_EQ(InspectionIn(doc), "7707");
    }
    EXPECT_EQ(FilesIn(folder), "");
}
