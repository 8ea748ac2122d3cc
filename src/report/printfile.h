#pragma once

// Printing into a file goes through the same safe save as every other output:
// the printer writes a temporary file, and only a finished print replaces the
// chosen file.

#include <QString>
#include <memory>

class QPrinter;
class QTemporaryDir;

namespace zorv {

class PrintFileRedirect {
  public:
    // When the printer prints into a file, points it at a temporary file of its
    // own; a printer that prints on paper is left as it is.
    explicit PrintFileRedirect(QPrinter& printer);
    // Gives the printer its chosen file name back; an uncommitted print is dropped.
    ~PrintFileRedirect();

    PrintFileRedirect(const PrintFileRedirect&) = delete;
    PrintFileRedirect& operator=(const PrintFileRedirect&) = delete;

    bool Active() const { return !target_.isEmpty(); }
    const QString& Target() const { return target_; }
    // Puts the finished print in place of the chosen file; a file error is thrown
    // as mEBadStorage naming the chosen file and the reason. Nothing to do when
    // not active.
    void Commit();

  private:
    QPrinter& printer_;
    QString target_;
    std::unique_ptr<QTemporaryDir> folder_;
};

}  // namespace zorv
