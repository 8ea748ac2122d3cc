#pragma once

// The runs behind the library's three calls, with the dialogs behind small
// interfaces so that a caller (or a test) can answer them.

#include <cstdint>
#include <optional>
#include <string>

#include <memory>

#include "report/preview.h"
#include "report/printout.h"
#include "report/textfile.h"
#include "storage/errors.h"

class QPainter;
class QPrinter;
class QWidget;

namespace zorv {

class PrintFileRedirect;

// The folder the text file goes to; nothing when the user cancels.
class FolderChooser {
  public:
    virtual ~FolderChooser() = default;
    virtual std::optional<std::string> ChooseFolder(QWidget* owner) = 0;
};

// The one message box that ends a text output.
class MessageShower {
  public:
    virtual ~MessageShower() = default;
    virtual void Show(QWidget* owner, const std::string& text) = 0;
};

// The system's directory dialog and a plain message box, both captioned with the
// program's name.
class QtFolderChooser : public FolderChooser {
  public:
    std::optional<std::string> ChooseFolder(QWidget* owner) override;
};
class QtMessageShower : public MessageShower {
  public:
    void Show(QWidget* owner, const std::string& text) override;
};

inline constexpr const char* kProgramCaption = "Zorv 2008";

// The printer behind the system's print dialog: a dialog with page numbers
// 1..total, each print one job with collated copies, A4 pages without margins.
class QtPrintTarget : public PrintTarget {
  public:
    QtPrintTarget();
    ~QtPrintTarget() override;
    std::optional<kTPageRange> ChooseRange(QWidget* owner, int total) override;
    void Print(const std::vector<kTPage>& pages) override;
    // The printer the dialog sets up.
    QPrinter& Printer() { return *printer_; }

  private:
    std::unique_ptr<QPrinter> printer_;
};

// The preview call: reads the image, computes the totals and the page plan,
// composes the title sheet and runs the preview window until it is closed;
// printEnabled enables its print button, hideDate leaves the date cells empty.
void RunReport(const uint8_t* image, bool printEnabled, bool hideDate, PreviewRunner& runner,
               PrintTarget& printer);

// The print call: the same start, then the print procedure. False when the print
// dialog was cancelled.
bool RunPrintReport(const uint8_t* image, bool hideDate, PrintTarget& printer);

// The text output: reads the image and computes the totals, refuses a declaration
// the file cannot carry, asks for a folder and writes the file. Shows exactly one
// message. False only when no folder was chosen.
bool RunFileOut(QWidget* owner, const uint8_t* image, FolderChooser& chooser,
                MessageShower& messages, const kTNow& now);

}  // namespace zorv
