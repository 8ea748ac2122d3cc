#pragma once

// The estimated-income declaration (4-NDFL, KND 1151021) as a text file of the
// tax authority's exchange format 3.00: key:value lines and marker lines in code
// page 866, each ended by CR LF.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorv {

class kTDanLog;

// A local date and time: the moment the file is made.
struct kTNow {
    int Year = 2000;
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

kTNow CurrentLocalTime();
// "DD.MM.YYYY HH:MM:SS"; nothing for any other text or an impossible moment.
std::optional<kTNow> ParseNowText(std::string_view text);

struct TextFileResult {
    enum Outcome { Written, WriteFailed, Refused };
    Outcome Result = Refused;
    std::string Path;     // the full path of the file (also when writing failed)
    std::string Message;  // what the user is told
};

// Messages of the text output.
namespace textmsg {
inline constexpr const char* kWritten = "Сформирован файл ";
inline constexpr const char* kWriteError = "Ошибка записи. Файл не сформирован.";
inline constexpr const char* kNoFolder = "Директория не выбрана. ";
}  // namespace textmsg

// The lines of the file, in UTF-8 and without line ends. A declaration the format
// cannot carry gives nothing and the reason in refusal.
std::optional<std::vector<std::string>> EstimatedIncomeLines(const kTDanLog& data, const kTNow& now,
                                                             std::string& refusal);

// The file name: "O", the taxpayer number, the inspection code twice, the fixed tail.
std::string EstimatedIncomeFileName(const kTDanLog& data);

// The lines converted to code page 866; characters the code page lacks are given
// their usual look-alike ("«" and "»" as '"', dashes as '-'); a character without
// one refuses the whole text.
std::optional<std::string> EstimatedIncomeBytes(const std::vector<std::string>& lines,
                                                std::string& refusal);

// The file's name and bytes, or nothing and the reason (ending in "Файл не
// сформирован.") for a declaration the file cannot carry.
struct EstimatedIncomeFile {
    std::string name;
    std::string bytes;
};
std::optional<EstimatedIncomeFile> ComposeEstimatedIncomeFile(const kTDanLog& data,
                                                              const kTNow& now,
                                                              std::string& refusal);
// The same from a document image; a damaged image throws.
std::optional<EstimatedIncomeFile> ComposeEstimatedIncomeFile(const std::vector<uint8_t>& image,
                                                              const kTNow& now,
                                                              std::string& refusal);

// Writes the file of a 4-NDFL declaration into folder, replacing a file of the
// same name through a temporary file and a rename. Any other declaration kind, a
// correction number above 9 or a character code page 866 cannot hold writes
// nothing and is refused with its reason.
TextFileResult WriteEstimatedIncomeTextFile(const kTDanLog& data, const std::string& folder,
                                            const kTNow& now);

// The same from a document image (as mTDeclaration::BuildImage gives it). A damaged
// image raises the storage error of its reader.
TextFileResult WriteEstimatedIncomeTextFile(const std::vector<uint8_t>& image,
                                            const std::string& folder, const kTNow& now);

}  // namespace zorv
