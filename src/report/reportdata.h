#pragma once

// The report library's own copy of the declaration, read from the document image
// handed over by the main program. The records are read by the model's record
// readers on a read-only cursor; the values the printed form and the text file
// derive at load time are kept beside them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/declaration.h"
#include "model/person.h"
#include "report/pageplan.h"
#include "storage/money.h"

namespace zorv {

class mTDocumentStorage;

// Opens a read-only cursor over an image: error 70 when there is no image, 71 when
// it is not a document, 72 when the cursor is already open.
void OpenReportDocument(mTDocumentStorage& cursor, const uint8_t* image);

// The length of an image handed over as a bare pointer: the main program ends it
// with a zero byte, and the data never holds one.
size_t BareImageLength(const uint8_t* image);

// The declaration header as the report uses it.
struct kTDeclDan {
    std::string InspectionCode;
    std::string InspectionName;
    uint8_t IsPrimary = 0;
    uint32_t CorrectionNumber = 0;
    double FilingDate = 0;
    uint8_t SubmitterKind = 0;
    uint8_t TaxpayerCategory = 5;
    uint8_t DeclarationKind = kResident3NDFL;
    uint8_t IncomeFlags = 0;
    uint32_t AppendixTotal = 0;
    std::string RepresentativeDocument;
    Money ExpectedIncome;
    std::string RepresentativeName;
    std::string RepresentativeOrganisation;  // from the declaration file only
    // Territory codes of the tax lines at 13, 9 and 35 %; filled by the totals.
    std::string Okato13;
    std::string Okato9;
    std::string Okato35;
};

// The taxpayer as printed: every text the form shows has at least one character
// (a blank), the post index six blanks, telephones trimmed, and the citizenship of
// a taxpayer who is not a foreigner left at Russia.
struct kTPersonDan : mTPersonInformation {};

// A 35 % source's values derived at load.
struct kTThirtyFiveDoh {
    Money TaxableIncome;  // IncomeTotal - DeductSum
    Money TaxComputed;    // 35 % of it in whole rubles
};

// A foreign-currency income's values derived at load.
struct kTInoValutDoh {
    Money AcceptedDeduct;  // the smaller of DeductSum and IncomeInRubles
    Money TaxInRussia;     // whole rubles
    Money TaxCredited;     // whole rubles
};

class kTDanLog {
  public:
    // Reads the image with data of the given size (the data also ends at its first
    // zero byte). Storage errors pass out with the context code of the record.
    kTDanLog(const uint8_t* image, size_t size, bool hideDate);
    // Empty data, filled by the caller (the declaration file's title part).
    kTDanLog() = default;

    bool PrintDate = true;  // false when the date cells stay empty
    kTPagePlan Plan;        // set once the totals are computed
    kTDeclDan Header;
    kTPersonDan Person;
    // The records as read, with the load-time adjustments applied: units of 0 read
    // as 1, the foreign deduction limited to the income, personal code 110 without
    // codes by month read as 103, a 13 % line of code 1511/313 limited by the totals.
    mTDeclaration Declaration;
    std::vector<kTThirtyFiveDoh> ThirtyFive;
    std::vector<kTInoValutDoh> Foreign;
    size_t ForeignAt9 = 0;
    size_t ForeignAt13 = 0;
    size_t ForeignAt35 = 0;
    // The ownership share of the property deduction; 1 when not granted.
    double PropertyShare = 1;

    bool IsEstimatedIncome() const { return Header.DeclarationKind == kEstimated4NDFL; }

  private:
    void ReadHeader(mTDocumentStorage& s);
    void ReadPerson(mTDocumentStorage& s);
    void ReadIncome(mTDocumentStorage& s);
    void ReadDeductions(mTDocumentStorage& s);
};

// The stored share as a fraction; thirds written to four decimals read as thirds.
double ShareFromStored(Money share);

}  // namespace zorv
