#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>

#include "fixtures.h"
#include "model/jsonform.h"
#include "shell/formmain.h"
#include "shell/results.h"
#include "shelltest.h"
#include "tempdir.h"

using namespace zorv;

namespace {

QString PictureFile(const QString& name) {
    const QString folder = QStringLiteral(ZORV_BINARY_DIR "/shell-pictures");
    QDir().mkpath(folder);
    return folder + "/" + name + ".png";
}

void Save(QWidget& widget, const QString& name) {
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(PictureFile(name))) << name.toStdString();
}

}  // namespace

// The results page in a window of 1024 x 600 and the trees of its amounts, for
// a housing refund and for a declaration with income at every rate.
TEST(Pictures, Results) {
    const std::pair<const char*, const char*> fixtures[] = {
        {"report/paper/housing.json", "housing"},
        {"report/paper/everything.json", "everything"},
    };
    for (const auto& [fixture, name] : fixtures) {
        SCOPED_TRACE(name);
        zorv::testing::ScriptedDialogs dialogs;
        zorv::testing::TempDir dir;
        mTDeclaration d;
        DeclarationFromJson(zorv::testing::ReadFixtureJson(fixture), d);
        const std::string path = dir.File("results.zv8");
        d.SaveToFile(path);
        TFormMain form(QStringLiteral(ZORV_SOURCE_DIR "/data"));
        form.Start({QString::fromStdString(path)});
        form.resize(1024, 600);
        dialogs.checkAnswers.assign(100, TCheckAnswer::SkipAll);
        ASSERT_TRUE(form.SwitchPage(navResults));
        auto* page = qobject_cast<TfrResults*>(form.CurrentPage());
        ASSERT_NE(page, nullptr);
        Save(form, QStringLiteral("results-%1").arg(name));

        // The tree of the 13 % base, of the first amount to pay or refund and
        // of every line of the sections.
        int trees = 0;
        dialogs.run = [&](QDialog& dialog) {
            Save(dialog, QStringLiteral("results-%1-tree%2").arg(name).arg(++trees));
            return false;
        };
        page->lvSections->setCurrentItem(page->lvSections->topLevelItem(0), 1);
        page->bnExplain->click();
        page->lvPayments->setCurrentItem(nullptr);
        page->lvPayments->setCurrentItem(page->lvPayments->topLevelItem(0));
        page->bnExplain->click();
        page->bnExplainAll->click();
        EXPECT_EQ(trees, 3);
    }
    QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008")).clear();
}
