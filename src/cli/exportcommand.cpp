// zorv export FILE: checks the declaration and writes its file: the XML file of
// format 5.04 for 3-NDFL, the text file of exchange format 3.00 for 4-NDFL.

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "calc/totalsrange.h"
#include "check/declarationcheck.h"
#include "cli/batch.h"
#include "cli/commands.h"
#include "export/exportxml.h"
#include "export/fileident.h"
#include "model/declaration.h"
#include "report/textfile.h"
#include "storage/daynumber.h"

namespace zorv::cli {
namespace {

const char kUsage[] =
    "zorv export ФАЙЛ... [-o ПАПКА] [-j N] [--json] [--today ДД.ММ.ГГГГ] [--guid GUID] "
    "[--now \"ДД.ММ.ГГГГ ЧЧ:ММ:СС\"] [--no-check]   файл XML декларации 3-НДФЛ или текстовый "
    "файл декларации 4-НДФЛ в папку (по умолчанию текущую); --today и --guid задают дату и "
    "идентификатор файла XML, --now - момент создания файла 4-НДФЛ";

struct Arguments {
    BatchArguments batch;
    std::string path;
    std::string folder;
    ExportOptions options;
    std::optional<kTNow> now;
    bool check = true;
};

Arguments Parse(const std::vector<std::string>& arguments) {
    const std::string usage = std::string("Использование: ") + kUsage;
    std::vector<std::string> args = arguments;
    Arguments a;
    a.batch = TakeBatchOptions(args);
    bool folderGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw CommandError(arg + " требует значения.\n" + usage);
            return args[++i];
        };
        if (arg == "-o" && !folderGiven) {
            a.folder = value();
            folderGiven = true;
        } else if (arg == "--today" && a.options.today == 0) {
            const std::string& text = value();
            std::optional<double> day = ParseDateText(text, '.');
            if (!day || text.size() != 10) {
                throw CommandError("Дата " + text + " не в виде ДД.ММ.ГГГГ.");
            }
            a.options.today = *day;
        } else if (arg == "--guid" && a.options.guid.empty()) {
            const std::string& text = value();
            if (!IsGuidText(text)) {
                throw CommandError("Идентификатор " + text +
                                   " не в виде XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX.");
            }
            a.options.guid = text;
        } else if (arg == "--now" && !a.now) {
            const std::string& text = value();
            a.now = ParseNowText(text);
            if (!a.now) throw CommandError("Момент " + text + " не в виде ДД.ММ.ГГГГ ЧЧ:ММ:СС.");
        } else if (arg == "--no-check" && a.check) {
            a.check = false;
        } else if (!arg.empty() && arg.front() != '-') {
            if (a.path.empty()) a.path = arg;
            a.batch.inputs.push_back(arg);
        } else {
            throw CommandError(usage);
        }
    }
    if (a.path.empty()) throw CommandError(usage);
    if (folderGiven) {
        RequireOutputFolder(a.folder);
    }
    return a;
}

// One file of a batch: the file it would write, or why not.
FileOutcome ExportOne(const Arguments& a, const std::string& path) {
    mTDeclaration declaration;
    LoadDeclaration(path, declaration);
    if (a.check) {
        DeclarationCheckResult result = CheckDeclarationAndTotals(declaration);
        if (!result.shown.empty()) {
            const DeclarationProblem& p = result.shown.front();
            return {
                kProblem, "Декларация не прошла проверку (" + p.section + "): " + p.message, {}};
        }
    }
    const std::filesystem::path folder = a.folder.empty() ? "." : a.folder;
    if (declaration.DeclarationKind == kEstimated4NDFL) {
        if (a.options.today != 0) declaration.FilingDate = a.options.today;
        std::string refusal;
        std::optional<EstimatedIncomeFile> file = ComposeEstimatedIncomeFile(
            declaration.BuildImage(), a.now.value_or(CurrentLocalTime()), refusal);
        if (!file) return {kProblem, refusal, {}};
        return {kDone, "", {{(folder / file->name).string(), std::move(file->bytes)}}};
    }
    ExportOptions options = a.options;
    std::string message;
    bool refused = false;
    options.report = [&](const ExportMessage& m) {
        message = m.text;
        refused = m.failure == ExportFailure::Refused;
    };
    const std::string result = ExportXml("", declaration, 3, options);
    if (result == kExportError) return {refused ? kProblem : kFailed, message, {}};
    const size_t lineEnd = result.find('\n');
    return {
        kDone, "", {{(folder / result.substr(0, lineEnd)).string(), result.substr(lineEnd + 1)}}};
}

int Export(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments a = Parse(args);
    if (a.batch.IsBatch())
        return RunBatch(
            a.batch, [&a](const std::string& path) { return ExportOne(a, path); }, out, err);
    mTDeclaration declaration;
    LoadDeclaration(a.path, declaration);
    if (a.check) {
        // Every window is answered "Исправить"; the first one tells the problem.
        DeclarationCheckResult result = CheckDeclarationAndTotals(declaration);
        if (!result.shown.empty()) {
            const DeclarationProblem& p = result.shown.front();
            err << "Декларация не прошла проверку (" << p.section << "): " << p.message << "\n"
                << exportmsg::kNotWritten << "\n";
            return kProblem;
        }
    }

    if (declaration.DeclarationKind == kEstimated4NDFL) {
        if (a.options.today != 0) declaration.FilingDate = a.options.today;
        TextFileResult written = WriteEstimatedIncomeTextFile(declaration.BuildImage(),
                                                              a.folder.empty() ? "." : a.folder,
                                                              a.now.value_or(CurrentLocalTime()));
        if (written.Result != TextFileResult::Written) {
            err << written.Message << "\n";
            return written.Result == TextFileResult::Refused ? kProblem : kFailed;
        }
        out << std::filesystem::path(written.Path).filename().string() << "\n";
        return kDone;
    }

    bool refused = false;
    a.options.report = [&](const ExportMessage& message) {
        err << message.text << "\n";
        refused = message.failure == ExportFailure::Refused;
    };
    std::string result = ExportXml(a.folder, declaration, 1, a.options);
    if (result == kExportError) {
        err << exportmsg::kNotWritten << "\n";
        return refused ? kProblem : kFailed;
    }
    out << result << "\n";
    return kDone;
}

Registrar exportCommand({"export", kUsage, Export});

}  // namespace
}  // namespace zorv::cli
