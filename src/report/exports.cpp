// The library's three exported calls.

#include <QApplication>
#include <QWidget>
#include <memory>

#include "report/qz2008rep.h"
#include "report/reportrun.h"

namespace {

// The calls come from a program with its own application object; a caller
// without one gets one for the duration of the call.
std::unique_ptr<QApplication> EnsureApplication() {
    if (QApplication::instance() != nullptr) return nullptr;
    static int argc = 1;
    static char name[] = "qz2008rep";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

extern "C" {

uint8_t Report(const char*, const uint8_t* image, uint8_t printEnabled, uint8_t hideDate,
               const char*) {
    auto application = EnsureApplication();
    zorv::QtPreviewRunner runner;
    zorv::QtPrintTarget printer;
    zorv::RunReport(image, printEnabled != 0, hideDate != 0, runner, printer);
    return 1;
}

uint8_t PrintReport(const char*, const uint8_t* image, uint8_t, uint8_t hideDate, const char*) {
    auto application = EnsureApplication();
    zorv::QtPrintTarget printer;
    zorv::RunPrintReport(image, hideDate != 0, printer);
    return 1;
}

uint8_t FileOut(void* ownerWindow, const uint8_t* image) {
    auto application = EnsureApplication();
    zorv::QtFolderChooser chooser;
    zorv::QtMessageShower messages;
    bool chosen = zorv::RunFileOut(static_cast<QWidget*>(ownerWindow), image, chooser, messages,
                                   zorv::CurrentLocalTime());
    return chosen ? 1 : 0;
}
}
