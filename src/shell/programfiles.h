#pragma once

#include <QString>

namespace zorv {

// The folder of the program's own files (reference files, user guide, start
// picture): beside the program in the build folder or a folder installation,
// or the shared-data folder of a system installation
// (prefix/share/zorv2008 beside prefix/bin/zorv2008). When neither holds them,
// the program's folder, so that messages name where they were looked for.
QString ProgramFilesFolder(const QString& programFolder);

}  // namespace zorv
