#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <memory>

#include "shell/dialogs.h"
#include "shell/formmain.h"
#include "shell/programfiles.h"
#include "shell/splash.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorv 2008"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zorv 2008"));
    // The program's files lie beside it or in the installation's shared data.
    const QString programFolder = zorv::ProgramFilesFolder(QApplication::applicationDirPath());
    zorv::UseRussianStandardWindows(programFolder);

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
    window.Start(arguments);
    if (!over) waiting.exec();
    splash.reset();
    window.ShowPlaced();
    // ZORV_QUIT_AFTER_MS closes the window as the user would after that many
    // milliseconds: an installation is checked to start and end without a display.
    if (const int quitAfter = qEnvironmentVariableIntValue("ZORV_QUIT_AFTER_MS"); quitAfter > 0)
        QTimer::singleShot(quitAfter, &window, &QWidget::close);
    window.ReportStartProblems();
    return app.exec();
}
