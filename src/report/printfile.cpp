#include "report/printfile.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include "storage/errors.h"
#include "storage/fileloader.h"

namespace zorv {

PrintFileRedirect::PrintFileRedirect(QPrinter& printer) : printer_(printer) {
    if (printer.outputFileName().isEmpty()) return;
    folder_ =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/zorv2008-XXXXXX"));
    if (!folder_->isValid()) {
        folder_.reset();
        return;  // the printer writes the chosen file itself
    }
    target_ = printer.outputFileName();
    printer.setOutputFileName(folder_->filePath(QStringLiteral("print.pdf")));
}

PrintFileRedirect::~PrintFileRedirect() {
    if (Active()) printer_.setOutputFileName(target_);
}

void PrintFileRedirect::Commit() {
    if (!Active()) return;
    QFile printed(printer_.outputFileName());
    if (!printed.open(QIODevice::ReadOnly)) {
        throw mEBadStorage(std::string(msg::kWriteError) + target_.toStdString() +
                               "\nПринтер не создал файл печати.",
                           22);
    }
    const QByteArray bytes = printed.readAll();
    WriteFileAtomically(target_.toStdString(), bytes.constData(),
                        static_cast<size_t>(bytes.size()));
}

}  // namespace zorv
