// The desktop program run as the user runs it, in a process of its own that is
// killed without warning; its questions are answered from a script.

#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include "model/declaration.h"
#include "shell/formmain.h"
#include "tempdir.h"

using namespace zorv;
using zorv::testing::ReadBytes;
using zorv::testing::TempDir;

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

uint32_t CorrectionIn(const QString& path) {
    mTDeclaration d;
    d.LoadFromFile(path.toStdString());
    return d.CorrectionNumber;
}

// One user: a home of the test's own, a document in it, and the program.
class User {
  public:
    User() : doc_(Q(home_.File("a.zv8"))) {
        mTDeclaration d;
        d.InspectionCode = "7701";
        d.CorrectionNumber = 1;  // its number is open to typing
        d.SetIncomeFlags(kIncomeFromAgents);
        d.SaveToFile(doc_.toStdString());
        original_ = ReadBytes(doc_.toStdString());
    }
    const QString& Doc() const { return doc_; }
    const std::vector<uint8_t>& Original() const { return original_; }
    QString RecoveryFolder() const {
        return Q(home_.File("data")) + QStringLiteral("/Ортик/Zorv 2008/recovery");
    }
    QStringList Copies() const {
        return QDir(RecoveryFolder()).entryList({QStringLiteral("*.zv8")}, QDir::Files);
    }
    std::string Files() const {
        return QDir(RecoveryFolder()).entryList(QDir::Files).join(' ').toStdString();
    }
    QString Copy() const { return RecoveryFolder() + QLatin1Char('/') + Copies().value(0); }

    // Starts the program on the document with the script.
    void Start(const QStringList& script) {
        const QString scriptPath = Q(home_.File("answers.txt"));
        QFile file(scriptPath);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(script.join('\n').toUtf8());
        file.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), Q(home_.Path().string()));
        env.insert(QStringLiteral("XDG_DATA_HOME"), Q(home_.File("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), Q(home_.File("config")));
        env.insert(QStringLiteral("ZORV2008_ANSWERS"), scriptPath);
        program_.setProcessEnvironment(env);
        program_.start(QStringLiteral(ZORV_BINARY_DIR "/bin/zorv2008"), {doc_});
        ASSERT_TRUE(program_.waitForStarted(10000));
    }
    // Waits for the program to end by itself; gives what it asked.
    QString Finish() {
        EXPECT_TRUE(program_.waitForFinished(60000));
        EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program_.exitCode(), 0);
        return QString::fromUtf8(program_.readAllStandardError());
    }

    // Runs the program, changes the correction number through its field,
    // waits for the recovery copy and kills the program.
    void ChangeAndCrash(uint32_t number) {
        Start({QStringLiteral("interval 100"), QStringLiteral("type meNumVer %1").arg(number)});
        const bool written = QTest::qWaitFor(
            [&] {
                if (Copies().isEmpty()) return false;
                try {
                    return CorrectionIn(Copy()) == number;
                } catch (...) {
                    return false;
                }
            },
            60000);
        ::kill(pid_t(program_.processId()), SIGKILL);
        program_.waitForFinished(10000);
        ASSERT_TRUE(written) << program_.readAllStandardError().toStdString();
        EXPECT_EQ(program_.exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(ReadBytes(doc_.toStdString()), original_);
    }

    TempDir home_;

  private:
    QString doc_;
    std::vector<uint8_t> original_;
    QProcess program_;
};

const QString kAsked =
    QStringLiteral("question: Обнаружены несохранённые изменения декларации a.zv8 от ");

}  // namespace

TEST(RecoveryProcess, KilledProgramIsRecoveredAndTheOriginalStaysUntilSaved) {
    User user;
    user.ChangeAndCrash(2);
    const QString elsewhere = Q(user.home_.File("b.zv8"));
    user.Start({QStringLiteral("answer Восстановить"), QStringLiteral("savename ") + elsewhere,
                QStringLiteral("trigger SaveAsDoc"), QStringLiteral("quit")});
    const QString said = user.Finish();
    EXPECT_TRUE(said.contains(kAsked)) << said.toStdString();
    // The recovered declaration bears the original's name; it went to the
    // other file only, and its copy went with the save.
    EXPECT_TRUE(said.contains(QStringLiteral("save: ") + user.Doc())) << said.toStdString();
    EXPECT_EQ(CorrectionIn(elsewhere), 2u);
    EXPECT_EQ(ReadBytes(user.Doc().toStdString()), user.Original());
    EXPECT_EQ(user.Files(), "");
}

TEST(RecoveryProcess, LaterAsksAgainAndDeleteRemoves) {
    User user;
    user.ChangeAndCrash(2);
    user.Start({QStringLiteral("answer Позже"), QStringLiteral("quit")});
    EXPECT_TRUE(user.Finish().contains(kAsked));
    EXPECT_EQ(user.Copies().size(), 1);
    user.Start({QStringLiteral("answer Удалить"), QStringLiteral("quit")});
    EXPECT_TRUE(user.Finish().contains(kAsked));
    EXPECT_EQ(user.Files(), "");
    EXPECT_EQ(ReadBytes(user.Doc().toStdString()), user.Original());
}

TEST(RecoveryProcess, DamagedCopyIsReportedAndRemovedOnlyWhenTheUserAgrees) {
    User user;
    user.ChangeAndCrash(2);
    const QString copy = user.Copy();
    {
        QFile file(copy);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.resize(file.size() / 2);
        file.seek(70);
        file.write("9999zz");
    }
    mTDeclaration probe;
    const QString damaged = ReadDeclaration(copy, probe);
    ASSERT_FALSE(damaged.isEmpty());

    user.Start({QStringLiteral("answer Нет"), QStringLiteral("quit")});
    QString said = user.Finish();
    EXPECT_TRUE(said.contains(QStringLiteral("question: ") + damaged)) << said.toStdString();
    EXPECT_FALSE(said.contains(kAsked));
    EXPECT_TRUE(QFile::exists(copy));

    user.Start({QStringLiteral("answer Да"), QStringLiteral("quit")});
    said = user.Finish();
    EXPECT_TRUE(said.contains(QStringLiteral("question: ") + damaged)) << said.toStdString();
    EXPECT_EQ(user.Files(), "");
    EXPECT_EQ(ReadBytes(user.Doc().toStdString()), user.Original());
}
