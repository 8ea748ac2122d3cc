#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QSettings>

#include "fixtures.h"
#include "model/income.h"
#include "pages/dividendsdialog.h"
#include "pages/nalogdialog.h"
#include "pages/russianincome.h"
#include "pages/thirtyfivedialog.h"
#include "shell/formmain.h"
#include "shelltest.h"
#include "tempdir.h"
#include "widgets/flashbutton.h"
#include "widgets/maskededit.h"

using namespace zorv;

namespace {

void SavePicture(QWidget& widget, const QString& name) {
    const QString folder = QStringLiteral(ZORV_BINARY_DIR "/shell-pictures");
    QDir().mkpath(folder);
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(folder + "/" + name + ".png")) << name.toStdString();
}

mTDeclaration Fixture() {
    mTDeclaration d;
    DeclarationFromJson(zorv::testing::ReadFixtureJson("entry/russian.json"), d);
    return d;
}

}  // namespace

// The dividends, 35 % and advance-payment pages filled from a document, at the
// smallest window they must serve and at a common one.
TEST(Pictures, RussianIncomeAndAdvancePaymentPages) {
    zorv::testing::ScriptedDialogs dialogs;
    dialogs.checkAnswers.assign(10, TCheckAnswer::SkipAll);
    QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008")).clear();
    zorv::testing::TempDir dir;
    Fixture().SaveToFile(dir.File("russian.zv8"));
    TFormMain form(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    form.Start({QString::fromStdString(dir.File("russian.zv8"))});
    for (const QSize size : {QSize(1024, 600), QSize(1280, 800)}) {
        const QString suffix = QStringLiteral("-%1x%2").arg(size.width()).arg(size.height());
        form.resize(size);
        ASSERT_TRUE(form.SwitchPage(navRussianIncome));
        auto* hub = qobject_cast<TfrRussianIncome*>(form.CurrentPage());
        ASSERT_NE(hub, nullptr);
        hub->SubButton(TfrRussianIncome::subDividends)->click();
        SavePicture(form, "main-dividends" + suffix);
        hub->SubButton(TfrRussianIncome::subThirtyFive)->click();
        SavePicture(form, "main-thirtyfive" + suffix);
        ASSERT_TRUE(form.SwitchPage(navNalog));
        SavePicture(form, "main-nalog" + suffix);
        ASSERT_TRUE(form.SwitchPage(navInitialData));
    }
    QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008")).clear();
}

TEST(Pictures, RussianIncomeAndAdvancePaymentDialogs) {
    const mTDeclaration d = Fixture();
    TfmInput30SourseIncome dividends(nullptr);
    SavePicture(dividends, "dialog-dividends-new");
    dividends.Load(d.ThirtyPercent(0));
    SavePicture(dividends, "dialog-dividends");

    TfmInput35SourseIncome thirtyFive(nullptr);
    SavePicture(thirtyFive, "dialog-thirtyfive-new");
    thirtyFive.Load(d.ThirtyFivePercent(0));
    SavePicture(thirtyFive, "dialog-thirtyfive-2740");
    thirtyFive.Load(d.ThirtyFivePercent(1));
    SavePicture(thirtyFive, "dialog-thirtyfive-3020");

    TfmInputNalog payment(nullptr);
    SavePicture(payment, "dialog-payment-new");
    payment.SetAmount(d.Nalog(1).Amount);
    payment.SelectEntry(BudgetCodeEntries().at(1));
    SavePicture(payment, "dialog-payment");
    payment.cbKBK->showPopup();
    QApplication::processEvents();
    SavePicture(*payment.cbKBK->view()->window(), "dialog-payment-codes");
    payment.cbKBK->hidePopup();
}
