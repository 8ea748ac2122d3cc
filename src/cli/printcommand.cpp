// zorv print FILE -o OUT.pdf [--hide-date] [--library | --application]: the
// paper form of the declaration written as a PDF file, or with --application the
// application for the refund of overpaid tax and the list of documents. A 3-NDFL declaration is
// printed from its declaration file, as the desktop program prints it; --library composes it from
// the report library's own totals, as a 4-NDFL declaration always is. The
// command is a module of its own that the tool loads for it alone, so that the
// other commands start without Qt.

#include <QByteArray>
#include <QGuiApplication>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/printusage.h"
#include "export/exportxml.h"
#include "model/declaration.h"
#include "report/applicationsheets.h"
#include "report/pageplan.h"
#include "report/printout.h"
#include "report/reportdata.h"
#include "report/reportsums.h"
#include "report/sheets.h"
#include "report/xmlform.h"
#include "report/xmlsheets.h"
#include "storage/errors.h"

namespace zorv::cli {
namespace {

const std::string kUsage = kPrintUsage;

struct Arguments {
    std::string path;
    std::string output;
    bool hideDate = false;
    bool library = false;
    bool application = false;
};

Arguments Parse(const std::vector<std::string>& args) {
    const std::string usage = std::string("Использование: ") + kUsage;
    Arguments a;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o" && a.output.empty()) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                throw CommandError(arg + " требует значения.\n" + usage);
            }
            a.output = args[++i];
        } else if (arg == "--hide-date" && !a.hideDate) {
            a.hideDate = true;
        } else if (arg == "--library" && !a.library && !a.application) {
            a.library = true;
        } else if (arg == "--application" && !a.application && !a.library) {
            a.application = true;
        } else if (a.path.empty() && !arg.empty() && arg.front() != '-') {
            a.path = arg;
        } else {
            throw CommandError(usage);
        }
    }
    if (a.path.empty() || a.output.empty()) throw CommandError(usage);
    return a;
}

// Fonts and painting need a GUI application; without a display the offscreen
// platform serves.
std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zorv";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The declaration file's text, as the desktop program hands it to its printing
// component, and the form drawn from it.
int PrintFromFile(const Arguments& a, mTDeclaration& declaration, const std::vector<uint8_t>& image,
                  std::ostream& out) {
    std::string failure;
    ExportOptions options;
    options.report = [&](const ExportMessage& m) {
        if (failure.empty()) failure = m.text;
    };
    const std::string xml = ExportXml({}, declaration, 2, options);
    if (xml == kExportError) throw CommandError(failure);
    try {
        kTXmlForm form(QByteArray::fromStdString(xml), image, declaration.InspectionName,
                       !a.hideDate);
        if (!WritePdf(a.output, form.Pages())) {
            throw CommandError("Не удалось записать файл " + a.output + ".");
        }
        out << a.output << ": " << form.TotalPages() << " стр.\n";
    } catch (const XmlSheetsError& e) {
        throw CommandError(e.what());
    }
    return kDone;
}

// The application for the refund, one page per refund row, and the list of
// documents; a declaration with nothing to refund, or with bank details that
// fail their check, gets nothing written.
int PrintApplication(const Arguments& a, const mTDeclaration& declaration, std::ostream& out,
                     std::ostream& err) {
    if (auto problem = FirstBankProblem(declaration.Refund.Bank)) {
        err << a.path << ": реквизиты банка для возврата: " << problem->message << "\n";
        return kProblem;
    }
    auto application = EnsureGuiApplication();
    const std::vector<kTPage> pages = RefundApplicationPages(declaration, !a.hideDate);
    if (pages.empty()) {
        err << a.path
            << ": по декларации нет суммы к возврату (раздел 6), заявление о возврате не "
               "составляется; файл не записан.\n";
        return kProblem;
    }
    if (!WritePdf(a.output, pages))
        throw CommandError("Не удалось записать файл " + a.output + ".");
    out << a.output << ": " << pages.size() << " стр.\n";
    return kDone;
}

int Print(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments a = Parse(args);
    mTDeclaration declaration;
    LoadDeclaration(a.path, declaration);
    if (a.application) return PrintApplication(a, declaration, out, err);

    // The library reads the declaration from its document image, ended by a zero byte.
    std::vector<uint8_t> image = declaration.BuildImage();
    image.push_back(0);
    auto application = EnsureGuiApplication();
    try {
        if (!a.library && declaration.DeclarationKind != kEstimated4NDFL) {
            return PrintFromFile(a, declaration, image, out);
        }
        kTDanLog data(image.data(), image.size() - 1, a.hideDate);
        kTRepSvodSum sums;
        sums.Compute(data);
        if (std::string tooLarge = sums.TooLarge(data); !tooLarge.empty()) {
            throw CommandError(tooLarge + "\nФайл " + a.output + " не записан.");
        }
        data.Plan = ComputePagePlan(data, sums);
        kTReportSheets sheets(data, sums);
        if (!WritePdf(a.output, DeclarationPages(sheets))) {
            throw CommandError("Не удалось записать файл " + a.output + ".");
        }
        out << a.output << ": " << data.Plan.TotalPages << " стр.\n";
    } catch (const mEPrivBase& e) {
        throw CommandError(e.what());
    }
    return kDone;
}

}  // namespace
}  // namespace zorv::cli

// The command as the tool calls it after loading this module: no exception
// leaves the module; its message goes to err as the tool prints messages.
extern "C" __attribute__((visibility("default"))) int ZorvPrintCommand(
    const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        return zorv::cli::Print(args, out, err);
    } catch (const std::exception& e) {
        std::string message = e.what();
        std::replace(message.begin(), message.end(), '\r', '\n');
        err << message << "\n";
        return zorv::cli::kFailed;
    }
}
