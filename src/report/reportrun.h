#pragma once

// The runs behind the library's three calls, with the dialogs behind small
// interfaces so that a caller (or a test) can answer them.

#include <cstdint>
#include <optional>
#include <string>

#include "errors.h"
#include "textfile.h"

class QWidget;

namespace zorv {

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

// Raised by the preview and print calls while the paper form cannot be composed.
class kEReportUnavailable : public mEPrivBase {
  public:
    kEReportUnavailable();
};

// Reads the image (ended by a zero byte) and computes the totals; then, since the
// paper form is not composed yet, raises kEReportUnavailable.
void RunReport(const uint8_t* image, bool hideDate);

// The text output: reads the image and computes the totals, refuses a declaration
// the file cannot carry, asks for a folder and writes the file. Shows exactly one
// message. False only when no folder was chosen.
bool RunFileOut(QWidget* owner, const uint8_t* image, FolderChooser& chooser,
                MessageShower& messages, const kTNow& now);

}  // namespace zorv
