// Printing the form into a file: one document for the whole job, put in place
// only when it is complete.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QPrinter>

#include "report/printfile.h"
#include "report/reportrun.h"
#include "tempdir.h"

namespace zorv {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

class PrintFile : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_report";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) new QApplication(argc, argv);
    }
};

size_t PageCount(const std::vector<uint8_t>& pdf) {
    const std::string text(pdf.begin(), pdf.end());
    size_t count = 0;
    for (size_t at = text.find("/Type /Page"); at != std::string::npos;
         at = text.find("/Type /Page", at + 1)) {
        if (text.compare(at, 12, "/Type /Pages") != 0) ++count;
    }
    return count;
}

TEST_F(PrintFile, APrintJobReplacesTheFileOnlyWhenItIsComplete) {
    TempDir dir;
    const std::string path = dir.File("form.pdf");
    WriteBytes(path, "old");
    QtPrintTarget target;
    target.Printer().setOutputFormat(QPrinter::PdfFormat);
    target.Printer().setOutputFileName(QString::fromStdString(path));
    EXPECT_TRUE(target.Printer().collateCopies());
    target.Print(std::vector<kTPage>(3));
    const std::vector<uint8_t> pdf = ReadBytes(path);
    ASSERT_GT(pdf.size(), 5u);
    EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + 5), "%PDF-");
    EXPECT_EQ(PageCount(pdf), 3u);
    EXPECT_EQ(target.Printer().outputFileName(), QString::fromStdString(path));
}

TEST_F(PrintFile, APrinterWithoutAFileIsLeftAlone) {
    QPrinter printer;
    PrintFileRedirect redirect(printer);
    EXPECT_FALSE(redirect.Active());
    EXPECT_NO_THROW(redirect.Commit());
}

TEST_F(PrintFile, APrintIntoAReadOnlyFileIsRefused) {
    TempDir dir;
    const std::string path = dir.File("form.pdf");
    WriteBytes(path, "old");
    ::chmod(path.c_str(), 0444);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    {
        PrintFileRedirect redirect(printer);
        ASSERT_TRUE(redirect.Active());
        EXPECT_NE(printer.outputFileName(), QString::fromStdString(path));
        WriteBytes(printer.outputFileName().toStdString(), "%PDF-new");
        EXPECT_THROW(redirect.Commit(), mEBadStorage);
    }
    EXPECT_EQ(printer.outputFileName(), QString::fromStdString(path));
    EXPECT_EQ(ReadBytes(path).size(), 3u);
}

}  // namespace
}  // namespace zorv
