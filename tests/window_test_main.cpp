#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "core/base/error_trap.hpp"
#include "core/platform/program_folder.hpp"
#include "support/test_environment.hpp"

// The window tests run offscreen unless QT_QPA_PLATFORM says otherwise, with every message box
// answered by a responder that the test installs.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const fw::build::TestEnvironment environment;
    fw::install_log_folder(fw::program_folder);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);  // also when ctest lists the tests
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
