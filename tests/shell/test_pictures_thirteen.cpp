#include <gtest/gtest.h>

#include <QDir>
#include <QTreeWidget>

#include "fixtures.h"
#include "model/jsonform.h"
#include "pages/thirteendialogs.h"
#include "pages/thirteenpercent.h"
#include "shell/formmain.h"
#include "shelltest.h"
#include "tempdir.h"
#include "widgets/flashbutton.h"

using namespace zorv;

namespace {

QString Folder() {
    const QString folder = QStringLiteral(ZORV_BINARY_DIR "/shell-pictures");
    QDir().mkpath(folder);
    return folder;
}

void Save(QWidget& widget, const QString& name) {
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(Folder() + "/" + name + ".png")) << name.toStdString();
}

// Two payers, the first with a year of salary and lines with deductions.
mTDeclaration TwoPayers() {
    mTDeclaration d;
    DeclarationFromJson(zorv::testing::ReadFixtureJson("export/mixed.json"), d);
    return d;
}

}  // namespace

TEST(Pictures, ThirteenPercentPageAndDialogs) {
    zorv::testing::ScriptedDialogs dialogs;
    dialogs.checkAnswers = {TCheckAnswer::SkipAll, TCheckAnswer::SkipAll, TCheckAnswer::SkipAll};
    zorv::testing::TempDir dir;
    const mTDeclaration d = TwoPayers();
    d.SaveToFile(dir.File("doc.zv8"));
    TFormMain form(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    form.Start({QString::fromStdString(dir.File("doc.zv8"))});
    form.NavButton(navRussianIncome)->click();
    auto* page = form.CurrentPage()->findChild<TfrThirteenPercent*>();
    ASSERT_NE(page, nullptr);
    form.resize(1024, 600);
    Save(form, "main-thirteen-percent-1024x600");
    form.resize(1280, 800);
    page->lvIncome->setCurrentItem(page->lvIncome->topLevelItem(13));
    Save(form, "main-thirteen-percent");

    TfmInput13SourseIncome payer(nullptr, false);
    payer.Load(d.ThirteenPercent(0));
    Save(payer, "dialog-thirteen-payer");
    TfmInput13SourseIncome payerNonResident(nullptr, true);
    Save(payerNonResident, "dialog-thirteen-payer-nonresident");

    TfmInput13Income line(nullptr, false);
    line.Load(d.ThirteenPercent(0).Income(13));  // an author's fee with its share deducted
    Save(line, "dialog-thirteen-line");
    TfmInput13Income newLine(nullptr, true);
    Save(newLine, "dialog-thirteen-line-nonresident-new");
    TfmInput13Income gift(nullptr, false);
    gift.Load({2720, "Подарки", Money::Rubles(6000), 501, Money::Rubles(4000), 0, 12});
    Save(gift, "dialog-thirteen-line-gift");
}
