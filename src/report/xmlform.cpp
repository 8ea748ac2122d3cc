#include "report/xmlform.h"

#include "report/printout.h"
#include "report/reportdata.h"
#include "report/reportsums.h"
#include "report/sheets.h"
#include "report/sumsheets.h"
#include "report/xmlsheets.h"

namespace zorv {

kTXmlForm::kTXmlForm(const QByteArray& xml, const std::vector<uint8_t>& image,
                     const std::string& inspectionName, bool printDate) {
    kTSheetValues values = SheetValuesFromXml(xml, FormEdition::Form2008);
    data_ = image.size() > 1
                ? std::make_unique<kTDanLog>(image.data(), image.size() - 1, !printDate)
                : std::make_unique<kTDanLog>();
    if (image.size() > 1) {
        // What the paper shows and the file does not carry: private practice.
        kTRepSvodSum sums;
        sums.Compute(*data_);
        AddPrivatePractice(values, *data_, sums);
    }
    ReadTitleFromXml(xml, *data_);
    if (!inspectionName.empty()) data_->Header.InspectionName = inspectionName;
    data_->PrintDate = printDate;
    data_->Plan = PlanOfValues(values);
    sheets_ = std::make_unique<kTReportSheets>(*data_, std::move(values));
}

kTXmlForm::~kTXmlForm() = default;

int kTXmlForm::TotalPages() const {
    return data_->Plan.TotalPages;
}

std::vector<kTPage> kTXmlForm::Pages(int from, int to) {
    if (to == 0) to = TotalPages();
    std::vector<kTPage> pages;
    for (const kTSheetPrint& print : PrintsOfRange(data_->Plan, from, to)) {
        std::vector<kTPage> sheet = sheets_->Sheet(print.Kind).Pages();
        for (int i = print.First; i <= print.Last && i <= static_cast<int>(sheet.size()); ++i) {
            pages.push_back(std::move(sheet[static_cast<size_t>(i - 1)]));
        }
    }
    return pages;
}

}  // namespace zorv
