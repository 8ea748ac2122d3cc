#include <gtest/gtest.h>

#include <QDir>
#include <QRadioButton>
#include <QSettings>

#include <QComboBox>
#include <QPushButton>
#include <QTextBrowser>
#include <fstream>

#include "export/exportxml.h"
#include "model/jsonform.h"
#include "shell/formmain.h"
#include "shell/help.h"
#include "shell/initialdata.h"
#include "shell/persondata.h"
#include "shell/printcomponent.h"
#include "shell/splash.h"
#include "shelltest.h"
#include "widgets/dialogs.h"
#include "widgets/flashbutton.h"
#include "widgets/lookups.h"

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

}  // namespace

TEST(Pictures, MainWindowWithEveryPage) {
    zorv::testing::ScriptedDialogs dialogs;
    dialogs.checkAnswers = {TCheckAnswer::SkipAll, TCheckAnswer::SkipAll, TCheckAnswer::SkipAll,
                            TCheckAnswer::SkipAll, TCheckAnswer::SkipAll};
    QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008")).clear();
    TFormMain form(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    form.Start({});
    form.resize(800, 571);
    Save(form, "main-conditions-3ndfl");
    auto* conditions = qobject_cast<TfrInitialData*>(form.CurrentPage());
    conditions->rbGiveByMail->click();
    conditions->rbNeRez->click();
    Save(form, "main-conditions-nonresident");
    conditions->rb4ndfl->click();
    Save(form, "main-conditions-4ndfl");
    form.NavButton(navPersonInfo)->click();
    Save(form, "main-person-name-4ndfl");
    auto* hub = qobject_cast<TfrPersonData*>(form.CurrentPage());
    hub->SubButton(1)->click();
    Save(form, "main-person-address-4ndfl");
    form.NavButton(navInitialData)->click();
    qobject_cast<TfrInitialData*>(form.CurrentPage())->rbSimple->click();
    form.NavButton(navPersonInfo)->click();
    Save(form, "main-person-name");
    qobject_cast<TfrPersonData*>(form.CurrentPage())->SubButton(1)->click();
    Save(form, "main-person-address");
    form.findChild<QAction*>("TextLabels")->trigger();
    Save(form, "main-toolbar-without-captions");
    form.findChild<QAction*>("TextLabels")->trigger();
    QSettings(QStringLiteral("Ортик"), QStringLiteral("Zorv 2008")).clear();
}

TEST(Pictures, DialogsAndLookups) {
    TfmCheckError check(
        nullptr, {"Сведения о декларанте",
                  "Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет"});
    Save(check, "check-window");
    TfmCheckError strict(nullptr, {"Задание условий", "Не введен номер инспекции", false, false});
    Save(strict, "check-window-no-skip");

    TfmDocType kinds(nullptr);
    kinds.Select("21");
    Save(kinds, "lookup-document-kinds");
    TfmRegionName regions(nullptr);
    regions.Select("77");
    Save(regions, "lookup-regions");
    const TReferenceData data = LoadReferenceData(QStringLiteral(ZORV_SOURCE_DIR "/data"));
    TfmGrazhd countries(nullptr, data.countries);
    countries.Select("643");
    Save(countries, "lookup-countries");
    TfmInputInspectionNumber inspections(nullptr, data.inspections);
    inspections.Select("7701");
    Save(inspections, "lookup-inspections");
}

TEST(Pictures, CheckAllStartAboutHelpAndPreview) {
    const QString data = QStringLiteral(ZORV_SOURCE_DIR "/data");
    TfmCheckAllError check(nullptr, "Сведения о декларанте",
                           "Не введен код ОКАТО(11 симв.) по месту жительства");
    Save(check, "check-all-window");
    TfmStart start(data);
    Save(start, "start-window");
    TfmAbout about(nullptr, data);
    Save(about, "about-window");
    TfmHelp help(nullptr, data + "/" + kHelpFile);
    Save(help, "help-contents");
    help.Browser()->setSource(QUrl::fromLocalFile(data + "/help/pages.html"));
    Save(help, "help-pages");

    std::ifstream in(ZORV_SOURCE_DIR "/tests/fixtures/export/mixed.json");
    mTDeclaration d;
    DeclarationFromJson(Json::parse(in), d);
    const std::string xml = ExportXml({}, d, 2);
    ASSERT_NE(xml, kExportError);
    zorv::testing::ScriptedDialogs dialogs;
    dialogs.run = [](QDialog& dialog) {
        auto* next = dialog.findChild<QPushButton*>("Button3");
        EXPECT_NE(next, nullptr);
        if (!next) return false;
        dialog.setWindowState(Qt::WindowNoState);
        dialog.resize(900, 1000);
        Save(dialog, "preview-3ndfl-first-page");
        next->click();
        next->click();
        Save(dialog, "preview-3ndfl-page-3");
        return true;
    };
    TXmlPrintComponent component;
    component.SetPrintTiffParam("Наименование налогового органа-получателя",
                                "Инспекция ФНС России № 4 по г. Москве");
    component.SetDeclaration(d);
    component.PreviewData(QByteArray::fromStdString(xml), nullptr);
}
