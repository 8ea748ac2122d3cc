// The refund beside the results: the bank details refused digit by digit, the
// documents ticked with their sheets, and what the results page says is lacking.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "fixtures.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "shell/formmain.h"
#include "shell/refunddialog.h"
#include "shell/results.h"
#include "shelltest.h"
#include "tempdir.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::TempDir;

namespace {

struct Window {
    Window() : form(QStringLiteral(ZORV_SOURCE_DIR "/data")) {
        mTDeclaration d;
        DeclarationFromJson(zorv::testing::ReadFixtureJson("report/housing_application.json"), d);
        d.Refund = {};  // a declaration as it comes before the refund is prepared
        const std::string path = dir.File("refund.zv8");
        d.SaveToFile(path);
        form.Start({QString::fromStdString(path)});
        form.resize(1024, 700);
        form.show();
    }
    TfrResults* Results() {
        if (!form.SwitchPage(navResults)) return nullptr;
        return qobject_cast<TfrResults*>(form.CurrentPage());
    }
    TempDir dir;
    TFormMain form;
};

void TypeInto(QLineEdit* edit, const QString& text) {
    TypeOver(edit, text);
}

}  // namespace

TEST(Refund, BankDetailsAndDocumentsFromTheResultsPage) {
    ScriptedDialogs dialogs;
    Window w;
    TfrResults* page = w.Results();
    ASSERT_NE(page, nullptr);
    ASSERT_FALSE(page->gbRefund->isHidden());
    EXPECT_TRUE(page->gbRefund->lbRefundStatus->text().contains("не указаны реквизиты банка"));
    EXPECT_TRUE(page->gbRefund->lbRefundStatus->text().contains("не отмечены документы"));

    QStringList problems;
    dialogs.run = [&](QDialog& dialog) {
        auto* refund = qobject_cast<TfmRefund*>(&dialog);
        if (refund == nullptr) return false;
        refund->show();
        refund->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(refund));
        for (BankField f : kBankFields) EXPECT_FALSE(refund->Field(f)->accessibleName().isEmpty());
        TypeInto(refund->Field(BankField::BankName), "ПАО Сбербанк");
        TypeInto(refund->Field(BankField::Bik), "044525225");
        TypeInto(refund->Field(BankField::CorrAccount), "30101810400000000225");
        // One digit mistyped: refused as soon as the account is whole.
        TypeInto(refund->Field(BankField::Account), "40817810938001234576");
        problems = QStringList(dialogs.messages.begin(), dialogs.messages.end());
        EXPECT_EQ(QApplication::focusWidget(), refund->Field(BankField::Account));
        EXPECT_FALSE(refund->Store());
        EXPECT_TRUE(w.form.Declaration().Refund.Bank.IsEmpty());
        TypeInto(refund->Field(BankField::Account), "40817810938001234567");
        TypeInto(refund->Field(BankField::Recipient), "Иванов Иван Петрович");
        EXPECT_TRUE(refund->lbBankProblem->text().isEmpty());

        // Four documents for a salary and a flat; the sheets of three typed in.
        QTableWidget* list = refund->lvDocuments;
        EXPECT_EQ(list->rowCount(), 4);
        const int sheets[] = {1, 6, 2, 0};
        for (int row = 0; row < 3; ++row)
            static_cast<QSpinBox*>(list->cellWidget(row, 1))->setValue(sheets[row]);
        EXPECT_TRUE(refund->lbSheets->text().contains("листов: 9"));
        QTest::mouseClick(refund->findChild<QPushButton*>("bnOk"), Qt::LeftButton);
        return true;
    };
    QTest::mouseClick(page->gbRefund->bnRefund, Qt::LeftButton);
    ASSERT_FALSE(problems.isEmpty());
    EXPECT_TRUE(problems.front().startsWith("«Номер счета»: счет 40817810938001234576"))
        << problems.front().toStdString();

    const mTDeclaration& d = w.form.Declaration();
    EXPECT_EQ(d.Refund.Bank.Account, "40817810938001234567");
    EXPECT_EQ(d.AppendixTotal, 9u);
    ASSERT_EQ(d.Refund.Documents.size(), 4u);
    EXPECT_EQ(d.Refund.Documents[3].Ticked, 0);
    // Only the fourth document is still lacking.
    const QString status = page->gbRefund->lbRefundStatus->text();
    EXPECT_FALSE(status.contains("реквизиты банка")) << status.toStdString();
    EXPECT_TRUE(status.contains("не отмечены документы для приложения: 1 из 4"));
}
