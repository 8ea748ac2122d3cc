#include <QApplication>

#include "formmain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorv 2008"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zorv 2008"));
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    zorv::TFormMain window(QApplication::applicationDirPath());
    window.Start(arguments);
    window.ShowPlaced();
    return app.exec();
}
