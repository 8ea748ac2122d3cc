#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <memory>

#include "shell/answerscript.h"
#include "shell/formmain.h"
#include "shell/programfiles.h"
#include "shell/recoveryjournal.h"
#include "shell/recoverystore.h"
#include "shell/splash.h"
#include "widgets/dialogs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The same names as the settings: the user's data goes beside them.
    QApplication::setOrganizationName(QStringLiteral("Ортик"));
    QApplication::setApplicationName(QStringLiteral("Zorv 2008"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zorv 2008"));
    // The program's files lie beside it or in the installation's shared data.
    const QString programFolder = zorv::ProgramFilesFolder(QApplication::applicationDirPath());
    zorv::UseRussianStandardWindows(programFolder);
    // Tests that start the program answer its questions from a script.
    const std::unique_ptr<zorv::TAnswerScript> script = zorv::TAnswerScript::FromEnvironment();
    if (script) zorv::SetDialogs(script.get());

    // The start window stays for its three seconds while the main window is built.
    auto splash = std::make_unique<zorv::TfmStart>(programFolder);
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    QEventLoop waiting;
    bool over = false;
    QTimer::singleShot(zorv::TfmStart::kShowMilliseconds, &waiting, [&] {
        over = true;
        waiting.quit();
    });

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    zorv::TFormMain window(programFolder);
    window.EnableRecovery(zorv::DefaultRecoveryFolder(),
                          script && script->Interval() ? *script->Interval()
                                                       : zorv::TRecoveryJournal::kDefaultInterval);
    window.Start(arguments);
    if (!over) waiting.exec();
    splash.reset();
    window.ShowPlaced();
    // ZORV_QUIT_AFTER_MS closes the window as the user would after that many
    // milliseconds: an installation is checked to start and end without a display.
    if (const int quitAfter = qEnvironmentVariableIntValue("ZORV_QUIT_AFTER_MS"); quitAfter > 0)
        QTimer::singleShot(quitAfter, &window, &QWidget::close);
    window.ReportStartProblems();
    window.OfferRecovery();
    if (script) script->RunSteps(&window);
    const int result = app.exec();
    zorv::SetDialogs(nullptr);
    return result;
}
