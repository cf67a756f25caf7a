#include <gtest/gtest.h>

#include "core/base/error_trap.hpp"
#include "core/platform/program_folder.hpp"
#include "support/test_environment.hpp"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const fw::build::TestEnvironment environment;
    fw::install_log_folder(fw::program_folder);
    return RUN_ALL_TESTS();
}
