#pragma once

// The 3-NDFL declaration as an XML document of the tax authority's electronic
// format 5.04, written in windows-1251.

#include <functional>
#include <string>

namespace zorv {

class mTDeclaration;
class kTSvodSum;

// The result of a failed export.
inline constexpr const char* kExportError = "ERROR";

// Messages of the export, as the user sees them.
namespace exportmsg {
inline constexpr const char* kCalcFailed =
    "Не удалось рассчитать суммы декларации, файл не записан. Проверьте суммы на страницах "
    "доходов и вычетов и повторите.";
inline constexpr const char* kExportFailed =
    "Не удалось составить файл декларации, файл не записан. Проверьте, что в папку можно "
    "записывать и на диске есть место, и повторите.";
// Shown by the export command when the result is kExportError.
inline constexpr const char* kNotWritten = "Ошибка записи. Файл не сформирован.";
// Shown by the export command before the file name.
inline constexpr const char* kWritten = "Сформирован файл ";
}  // namespace exportmsg

// What stopped an export.
enum class ExportFailure {
    Calculation,  // the totals could not be computed
    Refused,      // the declaration holds something the file cannot carry
    Writing,      // building or saving the document failed
};

struct ExportMessage {
    ExportFailure failure;
    std::string text;
};

struct ExportOptions {
    double today = 0;  // today's day number, also the document's date; 0 takes the system
                       // date and the declaration's own date for the document
    std::string guid;  // the file GUID; empty generates a fresh one
    // Receives the message of a failed export; the desktop program shows it in a
    // message box captioned "Zorv 2008", the command line prints it.
    std::function<void(const ExportMessage&)> report;
};

// Mode 1 writes the document into folder (the current folder when empty) and
// returns its file name; mode 3 writes nothing and returns the file name, a line
// break and the document; any other mode writes nothing and returns the document
// (its bytes exactly as the file would hold them). On a failure the result is
// kExportError, options.report has received the reason, and no file is written.
std::string ExportXml(const std::string& folder, mTDeclaration& declaration, int mode,
                      const ExportOptions& options = {});

// Tests replace the calculation to make it fail; nullptr restores it.
using ComputeFunction = bool (*)(kTSvodSum&, mTDeclaration&);
void SetComputeFunctionForTesting(ComputeFunction function);

}  // namespace zorv
