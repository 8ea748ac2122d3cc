// A user types the dates of a declaration in both forms, with and without the
// dots, and sets the declaration's own date: the exported XML and the printed
// paper carry what was typed.

#include <gtest/gtest.h>

#include <QAction>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <filesystem>

#include "fixtures.h"
#include "model/jsonform.h"
#include "shell/formmain.h"
#include "shelltest.h"
#include "storage/codepage.h"
#include "storage/daynumber.h"
#include "tempdir.h"
#include "walkharness.h"
#include "widgets/dateedit.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::TempDir;
using zorv::testing::Type;

namespace {

void TypeDate(TFormMain& form, const char* name, const QString& typed) {
    auto* edit = form.CurrentPage()->findChild<TDateEdit*>(QString::fromLatin1(name));
    ASSERT_NE(edit, nullptr) << name;
    edit->setFocus();
    edit->selectAll();
    Type(edit, typed);
}

// The text of a PDF with the blanks taken out: the cells of a date are drawn
// one character each.
std::string PdfTextWithoutBlanks(const std::string& pdf) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), QStringLiteral("-")});
    if (!text.waitForFinished(60000)) return "pdftotext did not finish";
    QString out = QString::fromUtf8(text.readAllStandardOutput());
    out.remove(QRegularExpression(QStringLiteral("\\s")));
    return out.toStdString();
}

}  // namespace

TEST(DateWalk, TypedDatesAndTheDeclarationsDateReachTheXmlAndThePaper) {
    ScriptedDialogs dialogs;
    TempDir dir;
    mTDeclaration d;
    DeclarationFromJson(zorv::testing::ReadFixtureJson("check/employee.json"), d);
    d.SaveToFile(dir.File("employee.zv8"));
    TFormMain form(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    form.Start({QString::fromStdString(dir.File("employee.zv8"))});
    form.show();
    QApplication::setActiveWindow(&form);

    ASSERT_TRUE(form.SwitchPage(navInitialData));
    TypeDate(form, "dtGetDate", QStringLiteral("20042009"));
    ASSERT_TRUE(form.SwitchPage(navPersonInfo));
    TypeDate(form, "dtBirthDate", QStringLiteral("23.11.1978"));
    TypeDate(form, "dtRegDate", QStringLiteral("12122003"));
    ASSERT_TRUE(form.SwitchPage(navInitialData));

    const Conversion xml = Cp1251ToUtf8(zorv::testing::FormExportXml(form, dialogs));
    ASSERT_TRUE(xml.ok);
    EXPECT_NE(xml.text.find("КНД=\"1151020\" ДатаДок=\"20.04.2009\""), std::string::npos)
        << xml.text.substr(0, 600);
    EXPECT_NE(xml.text.find("ДатаРожд=\"23.11.1978\""), std::string::npos);
    EXPECT_NE(xml.text.find("ДатаДок=\"12.12.2003\""), std::string::npos);

    const std::string pdf = dir.File("paper.pdf");
    dialogs.run = [&](QDialog& dialog) {
        if (dialog.objectName() != QLatin1String("PrintDialog")) return false;
        form.Printer().setOutputFileName(QString::fromStdString(pdf));
        return true;
    };
    form.Action("PrintDoc")->trigger();
    ASSERT_TRUE(std::filesystem::exists(pdf)) << "nothing printed";
    const std::string paper = PdfTextWithoutBlanks(pdf);
    EXPECT_NE(paper.find("20.04.2009"), std::string::npos) << paper.substr(0, 2000);
    EXPECT_NE(paper.find("23.11.1978"), std::string::npos);
    EXPECT_EQ(paper.find(DateText(mTDeclaration::Today())), std::string::npos)
        << "the day of printing is not the declaration's date";
}
