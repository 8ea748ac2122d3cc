#include "estimatedoutputs.h"

#include "report/reportdata.h"
#include "report/sheets.h"
#include "report/textfile.h"

namespace zorv::testing {

std::string PrintedDocumentKind(const std::vector<uint8_t>& image) {
    kTDanLog data(image.data(), image.size() - 1, false);
    const kTTitulNRDan title = TitulNRDan(data);
    return title.Primary ? "1" : "3/" + title.CorrectionNumber;
}

std::vector<std::string> TextFileLines(const std::vector<uint8_t>& image) {
    kTDanLog data(image.data(), image.size() - 1, false);
    std::string refusal;
    auto lines = EstimatedIncomeLines(data, kTNow{2009, 3, 1}, refusal);
    return lines ? *lines : std::vector<std::string>{};
}

}  // namespace zorv::testing
