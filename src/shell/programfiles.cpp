#include "shell/programfiles.h"

#include <QDir>

#include "widgets/referencedata.h"

namespace zorv {

QString ProgramFilesFolder(const QString& programFolder) {
    const QString marker = QString::fromLatin1(kInspectionFile);
    if (QDir(programFolder).exists(marker)) return programFolder;
    const QString installed =
        QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(ZORV_FILES_FROM_PROGRAM)));
    if (QDir(installed).exists(marker)) return installed;
    return programFolder;
}

}  // namespace zorv
