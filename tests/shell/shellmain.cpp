#include <gtest/gtest.h>

#include <QApplication>

#include "tempdir.h"

// The windows run without a display, and the settings they write go to a
// folder of this run.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    zorv::testing::TempDir config;
    qputenv("XDG_CONFIG_HOME", config.Path().string().c_str());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
