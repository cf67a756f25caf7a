#pragma once
#include <filesystem>

namespace fw::build {

// Points the program folder, the settings folder, the Wine prefix, the home and the data folder
// (where Steam and Bottles live) at a fresh temporary folder for the whole test run, so no test
// touches a real user's files. Removed when the object goes.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

private:
    std::filesystem::path root_;
};

}  // namespace fw::build
