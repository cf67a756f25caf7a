#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "shell/error_trap.hpp"

// Every test runs with its own program folder and settings folder under a temporary directory,
// so no test touches a real user's files.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const auto root = std::filesystem::temp_directory_path() /
                      ("facewright-tests-" + std::to_string(static_cast<long>(::getpid())));
    std::filesystem::create_directories(root / "home");
    std::filesystem::create_directories(root / "config");
    setenv("FACEWRIGHT_HOME", (root / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("WINEPREFIX", (root / "wine").c_str(), 1);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return result;
}
