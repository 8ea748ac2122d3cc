#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QPrinter;
class QWidget;

namespace zorv {

class mTDeclaration;

// A failure of the printing component, with the message for the user.
class TPrintError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The component that previews and prints a 3-NDFL declaration from its XML
// text. The calls come in this order: the parameters, the folder, then one
// preview or one print job per copy. Failures are raised as errors with a
// message (TPrintError or any std::exception).
class TPrintComponent {
  public:
    virtual ~TPrintComponent() = default;
    // A named parameter of the printed form, such as the inspection's name.
    virtual void SetPrintTiffParam(const QString& name, const QString& value) = 0;
    // The component's working folder.
    virtual void SetPrintTiffFolder(const QString& folder) = 0;
    // The declaration the XML text is made from, for the values the paper form
    // shows and the file does not carry (the name of the identity document, sex,
    // the number of supporting sheets). Optional.
    virtual void SetDeclaration(const mTDeclaration&) {}
    // The number of pages the form of the XML text has; 0 when unknown.
    virtual int PageCount(const QByteArray&) { return 0; }
    // Shows the form built from the XML text (the bytes of the XML file) in a
    // preview window owned by owner.
    virtual void PreviewData(const QByteArray& xml, QWidget* owner) = 0;
    // Prints one copy of the form on the printer as it is set up.
    virtual void PrintData(const QByteArray& xml, QPrinter& printer) = 0;
};

// Creates the printing component; raises an error with a message when it cannot.
using TPrintComponentFactory = std::function<std::unique_ptr<TPrintComponent>()>;

// The printing component of the program (printcomponent.cpp).
std::unique_ptr<TPrintComponent> CreatePrintComponent();

// The report library's three calls, for a 4-NDFL declaration given as its
// document image (ending with a zero byte). Errors of the library (storage
// errors of a damaged image) pass out of the calls.
class TReportLibrary {
  public:
    virtual ~TReportLibrary() = default;
    virtual bool Report(const QString& programFolder, const std::vector<uint8_t>& image,
                        bool printEnabled, bool hideDate, const QString& xmlPath) = 0;
    virtual bool PrintReport(const QString& programFolder, const std::vector<uint8_t>& image,
                             bool hideDate, const QString& xmlPath) = 0;
    // Asks for a folder and writes the 4-NDFL text file there; false when no
    // folder was chosen.
    virtual bool FileOut(QWidget* owner, const std::vector<uint8_t>& image) = 0;
};

// The report library the program is linked with.
TReportLibrary& LinkedReportLibrary();

}  // namespace zorv
