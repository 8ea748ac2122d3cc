// The 3-NDFL paper form in the desktop program's preview window, one picture
// per sheet, for a declaration with every kind of income and deduction.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>

#include "export/exportxml.h"
#include "fixtures.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "shell/printcomponent.h"
#include "shelltest.h"

using namespace zorv;

namespace {

QString PaperFolder() {
    const QString folder = QStringLiteral(ZORV_BINARY_DIR "/shell-pictures/paperform");
    QDir().mkpath(folder);
    return folder;
}

}  // namespace

TEST(Pictures, EverySheetOfThePaperFormInThePreview) {
    mTDeclaration d;
    DeclarationFromJson(zorv::testing::ReadFixtureJson("report/paper/everything.json"), d);
    const std::string xml = ExportXml({}, d, 2);
    ASSERT_NE(xml, kExportError);
    zorv::testing::ScriptedDialogs dialogs;
    int saved = 0;
    dialogs.run = [&](QDialog& dialog) {
        auto* list = dialog.findChild<QComboBox*>("ComboBox1");
        EXPECT_NE(list, nullptr);
        if (!list) return false;
        dialog.show();
        dialog.setWindowState(Qt::WindowNoState);
        dialog.resize(1000, 1400);
        QApplication::processEvents();
        for (int i = 0; i < list->count(); ++i) {
            list->setCurrentIndex(i);
            emit list->activated(i);  // as the user's choice
            QApplication::processEvents();
            const QString name =
                QStringLiteral("%1-%2")
                    .arg(i + 1, 2, 10, QLatin1Char('0'))
                    .arg(list->itemText(i).replace(QLatin1Char(' '), QLatin1Char('-')));
            saved += dialog.grab().save(PaperFolder() + "/" + name + ".png");
        }
        return true;
    };
    TXmlPrintComponent component;
    component.SetPrintTiffParam("Наименование налогового органа-получателя",
                                "Инспекция ФНС России № 4 по г. Москве");
    component.SetDeclaration(d);
    component.PreviewData(QByteArray::fromStdString(xml), nullptr);
    EXPECT_GE(saved, 25);
}
