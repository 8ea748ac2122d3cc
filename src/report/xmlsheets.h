#pragma once

// The sheets of a 3-NDFL declaration read from its declaration file: every
// amount, code and date the paper form prints is taken from the file, so the
// paper and the file filed cannot differ.

#include <QByteArray>
#include <QString>
#include <stdexcept>

#include "report/sheetvalues.h"

namespace zorv {

class kTDanLog;

// The file cannot be read as a declaration; the message says why.
class XmlSheetsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The values of every section and sheet the file holds, at the line codes of
// the given form. The XML is read in the encoding it declares (windows-1251 or
// UTF-8).
kTSheetValues SheetValuesFromXml(const QByteArray& xml, FormEdition edition = FormEdition::Library);

// The title pages' and page headers' data from the file: the header (inspection,
// correction, date, category, submitter and representative) and the taxpayer.
// What the file does not carry (the inspection's name, the telephone of work,
// sex, the document's name, the number of supporting sheets) is kept as data had
// it; an identity document the file does not have is cleared.
void ReadTitleFromXml(const QByteArray& xml, kTDanLog& data);

}  // namespace zorv
