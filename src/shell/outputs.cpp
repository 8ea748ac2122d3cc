#include "shell/outputs.h"

#include <string>

#include "report/qz2008rep.h"
#include "storage/codepage.h"

namespace zorv {

namespace {

// The library takes its texts in windows-1251; a path it cannot hold there is
// passed as empty (the library does not rely on either text).
std::string LibraryText(const QString& text) {
    const Conversion converted = Utf8ToCp1251(text.toStdString());
    return converted.ok ? converted.text : std::string();
}

const uint8_t* Image(const std::vector<uint8_t>& image) {
    if (image.empty() || image.back() != 0)
        throw std::invalid_argument("the document image must end with a zero byte");
    return image.data();
}

class TLinkedReportLibrary : public TReportLibrary {
  public:
    bool Report(const QString& programFolder, const std::vector<uint8_t>& image, bool printEnabled,
                bool hideDate, const QString& xmlPath) override {
        const std::string folder = LibraryText(programFolder), xml = LibraryText(xmlPath);
        return ::Report(folder.c_str(), Image(image), printEnabled ? 1 : 0, hideDate ? 1 : 0,
                        xml.c_str()) != 0;
    }

    bool PrintReport(const QString& programFolder, const std::vector<uint8_t>& image, bool hideDate,
                     const QString& xmlPath) override {
        const std::string folder = LibraryText(programFolder), xml = LibraryText(xmlPath);
        return ::PrintReport(folder.c_str(), Image(image), 1, hideDate ? 1 : 0, xml.c_str()) != 0;
    }

    bool FileOut(QWidget* owner, const std::vector<uint8_t>& image) override {
        return ::FileOut(owner, Image(image)) != 0;
    }
};

}  // namespace

TReportLibrary& LinkedReportLibrary() {
    static TLinkedReportLibrary library;
    return library;
}

}  // namespace zorv
