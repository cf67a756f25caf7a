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
    setenv("FACEWRIGHT_HOME", (root_ / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("WINEPREFIX", (root_ / "wine").c_str(), 1);
}

TestEnvironment::~TestEnvironment() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

}  // namespace fw::build
