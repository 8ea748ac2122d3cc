#include "export/exportxml.h"

#include <cctype>
#include <string_view>

#include "calc/svodsum.h"
#include "calc/totalsrange.h"
#include "export/fileident.h"
#include "export/xmlengine.h"
#include "export/xmltree.h"
#include "model/declaration.h"
#include "model/programversion.h"
#include "storage/codepage.h"
#include "storage/errors.h"

namespace zorv {
namespace {

ComputeFunction& ComputeOverride() {
    static ComputeFunction function = nullptr;
    return function;
}

bool ComputeTotals(kTSvodSum& totals, mTDeclaration& declaration) {
    try {
        if (ComputeFunction f = ComputeOverride()) return f(totals, declaration);
        return totals.Compute(declaration);
    } catch (...) {
        return false;
    }
}

// The XML declaration and the empty root, in the encoding they declare.
std::string Skeleton() {
    Conversion text = Utf8ToCp1251("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Файл/>");
    return text.text;
}

std::string UpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string InFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

void SetComputeFunctionForTesting(ComputeFunction function) {
    ComputeOverride() = function;
}

std::string ExportXml(const std::string& folder, mTDeclaration& declaration, int mode,
                      const ExportOptions& options) {
    auto report = [&](ExportFailure failure, const std::string& text) {
        if (options.report) options.report(ExportMessage{failure, text});
    };

    // Totals that could not be computed are never written: a file with partial
    // totals would be accepted as the declaration.
    kTSvodSum totals;
    if (!ComputeTotals(totals, declaration)) {
        report(ExportFailure::Calculation, exportmsg::kCalcFailed);
        return kExportError;
    }

    try {
        // A total the file has no room for would be cut to its largest text.
        if (std::optional<DeclarationProblem> tooLarge = TotalsOutOfRange(declaration, totals)) {
            throw ExportRefused(tooLarge->message);
        }
        const double today = options.today != 0 ? options.today : mTDeclaration::Today();
        const std::string guid = UpperCase(options.guid.empty() ? NewGuidText() : options.guid);
        if (!IsGuidText(guid)) {
            throw ExportRefused("Идентификатор «" + guid +
                                "» не имеет вида XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX.");
        }
        const std::string identifier = FileIdentifier(declaration, today, guid);
        const std::string fileName = identifier + ".xml";
        if (mode == 1 || mode == 3) {
            std::string reason = UnsafeFileNameReason(fileName);
            if (!reason.empty()) {
                throw ExportRefused("Файл декларации нельзя назвать «" + fileName + "»: " + reason +
                                    ". Имя составляется из кода инспекции и ИНН; исправьте их.");
            }
        }

        XmlDocument document;
        document.LoadFromText(Skeleton());
        XmlTreeWriter writer(document);
        XmlElement root = document.Root();
        writer.Text(root, "ИдФайл", identifier);
        root.SetAttribute("ВерсПрог", kProgramVersion);
        root.SetAttribute("ВерсФорм", "5.04");
        XmlElement body = writer.Add(root, "Документ");
        // The document's date is the declaration's own, unless a date is fixed.
        const double documentDate =
            options.today != 0 ? options.today : declaration.DocumentDate(today);
        BuildTaxpayer(writer, body, declaration, documentDate);
        BuildTotals(writer, body, declaration, totals);

        if (mode == 3) return fileName + '\n' + document.Serialise();
        if (mode != 1) return document.Serialise();
        document.SaveToFile(InFolder(folder, fileName));
        return fileName;
    } catch (const ExportRefused& e) {
        report(ExportFailure::Refused, e.what());
    } catch (const mEPrivBase& e) {
        // A file that cannot be written: its name and the reason are the message.
        report(ExportFailure::Writing, e.what());
    } catch (const std::exception& e) {
        report(ExportFailure::Writing, std::string(exportmsg::kExportFailed) + "\n" + e.what());
    } catch (...) {
        report(ExportFailure::Writing, exportmsg::kExportFailed);
    }
    return kExportError;
}

}  // namespace zorv
