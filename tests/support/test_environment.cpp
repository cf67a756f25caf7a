#include "support/test_environment.hpp"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fw::build {

TestEnvironment::TestEnvironment()
    : root_(std::filesystem::temp_directory_path() /
            ("facewright-tests-" + std::to_string(static_cast<long>(::getpid())))) {
    std::filesystem::create_directories(root_ / "home");
    std::filesystem::create_directories(root_ / "config");
    std::filesystem::create_directories(root_ / "user");
    setenv("FACEWRIGHT_HOME", (root_ / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("WINEPREFIX", (root_ / "wine").c_str(), 1);
    // The look-up for the game reads Steam's and Wine's folders in the home and data folders.
    setenv("HOME", (root_ / "user").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "user/.local/share").c_str(), 1);
}

TestEnvironment::~TestEnvironment() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

}  // namespace fw::build
