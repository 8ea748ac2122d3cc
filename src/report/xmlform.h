#pragma once

// A 3-NDFL declaration's paper form built from its declaration file: the pages
// the desktop program previews and prints and `zorv print` writes.

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "report/pagelayer.h"

namespace zorv {

class kTDanLog;
class kTReportSheets;

class kTXmlForm {
  public:
    // xml: the declaration file's text. image: the document image of the same
    // declaration, ended by a zero byte, for what the file does not carry (may
    // be empty). inspectionName: the receiving inspection's name (empty: from
    // the image). Raises XmlSheetsError when the text is no declaration file.
    kTXmlForm(const QByteArray& xml, const std::vector<uint8_t>& image,
              const std::string& inspectionName, bool printDate);
    ~kTXmlForm();
    kTXmlForm(const kTXmlForm&) = delete;
    kTXmlForm& operator=(const kTXmlForm&) = delete;

    const kTDanLog& Data() const { return *data_; }
    kTReportSheets& Sheets() { return *sheets_; }
    int TotalPages() const;
    // Pages from..to of the declaration (from 1), every page when to is 0.
    std::vector<kTPage> Pages(int from = 1, int to = 0);

  private:
    std::unique_ptr<kTDanLog> data_;
    std::unique_ptr<kTReportSheets> sheets_;
};

}  // namespace zorv
