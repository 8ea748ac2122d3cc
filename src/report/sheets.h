#pragma once

// The sheets of the paper form composed from the report data: the title pages,
// the second sheet, the estimated-income section, and the page header and footer
// of every other planned sheet.

#include <array>
#include <memory>
#include <string>
#include <utility>

#include "report/pagelayer.h"
#include "report/pageplan.h"
#include "report/sheetvalues.h"

namespace zorv {

class kTDanLog;
class kTRepSvodSum;

// The values of the estimated-income title page, taken from the report data.
struct kTTitulNRDan {
    std::string INN;
    std::string InspectionCode;
    std::string InspectionName;
    std::string Year;
    bool Primary = true;
    std::string CorrectionNumber;
    int Category = 5;
    std::string SurName, Name, Patronymic;
    std::string InsuranceNumber;  // its digits
    std::string BirthDate;        // "DD.MM.YYYY"
    bool Female = false;
    std::string CitizenshipName, CitizenshipCode;
    std::string BirthPlace;
    std::string DocTypeName, DocTypeCode, DocNumber, DocIssuedBy, DocIssueDate;
    std::string PostIndex, RegionName, RegionCode, District, City, Locality, Street, House,
        Building, Flat;
    std::string ForeignAddress;
    std::string Pages;
    std::string Appendixes;
    std::string Date;  // "DD.MM.YYYY" or blank
};

kTTitulNRDan TitulNRDan(const kTDanLog& data);

// The estimated income of line 010 in its 15 cells: whole rubles right-aligned.
std::string EstimatedIncomeCells(Money income);

// The first character of a name, for the initials.
std::string Initial(const std::string& name);

// The reporting year the 3-NDFL title page of the report library prints.
inline constexpr const char* kDeclarationYear = "2008";

// Composes one sheet kind of the plan; the sections and sheets of 3-NDFL from
// values.
std::unique_ptr<TQz2004Report> ComposeSheet(const kTDanLog& data, const kTSheetValues& values,
                                            int kind);

// The sheet reports of one run, each composed when first asked for.
class kTReportSheets {
  public:
    // The sheets of the report library's own composition: values from its totals.
    kTReportSheets(const kTDanLog& data, const kTRepSvodSum& sums);
    // The sheets printed from given values (the declaration file's).
    kTReportSheets(const kTDanLog& data, kTSheetValues values)
        : data_(data), values_(std::move(values)) {}

    const kTDanLog& Data() const { return data_; }
    const kTSheetValues& Values() const { return values_; }
    const TQz2004Report& Sheet(int kind);
    bool IsComposed(int kind) const { return reports_.at(static_cast<size_t>(kind)) != nullptr; }
    void Release(int kind) { reports_.at(static_cast<size_t>(kind)).reset(); }
    int ComposedCount() const;

  private:
    const kTDanLog& data_;
    kTSheetValues values_;
    std::array<std::unique_ptr<TQz2004Report>, kSheetKindCount + 1> reports_;
};

}  // namespace zorv
