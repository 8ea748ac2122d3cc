#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>

#include "model/declaration.h"
#include "shell/recoveryprompt.h"
#include "shell/recoverystore.h"
#include "shelltest.h"
#include "tempdir.h"

using namespace zorv;

// The question about unsaved changes left by an earlier run.
TEST(Pictures, RecoveryQuestion) {
    zorv::testing::ScriptedDialogs dialogs;
    zorv::testing::TempDir dir;
    const TRecoveryStore store(QString::fromStdString(dir.File("recovery")));
    auto slot = store.Claim(QString::fromStdString(dir.File("Декларация Иванова за 2008 год.zv8")));
    ASSERT_TRUE(slot);
    slot->Write(mTDeclaration().BuildImage());
    dialogs.run = [](QDialog& dialog) {
        const QString folder = QStringLiteral(ZORV_BINARY_DIR "/shell-pictures");
        QDir().mkpath(folder);
        dialog.show();
        QApplication::processEvents();
        EXPECT_TRUE(dialog.grab().save(folder + "/recovery-question.png"));
        dialog.findChild<QAbstractButton*>(QStringLiteral("bnLater"))->click();
        return false;
    };
    EXPECT_EQ(AskRecovery(nullptr, *slot), TRecoveryAnswer::Later);
    slot->Remove();
}
