#pragma once
#include <filesystem>
#include <string>

#include "support/temp_dir.hpp"

namespace fw::build {

// Points the program folder, the settings folder, the Wine prefix, the home and the data folder
// (where Steam and Bottles live) at a fresh temporary folder, so that no test touches a real
// user's files. The test programs hold one for the whole run; a test that needs a desktop where
// nothing is configured or installed makes its own, for the tool it runs: settings read in the
// test's own process stay in the first settings folder (Qt works it out once). Each variable is
// put back when the object goes.
class TestEnvironment {
public:
    TestEnvironment() {
        for (const char* folder : {"home", "config", "user"})
            std::filesystem::create_directories(root_.path() / folder);
    }
    // The folder holding "home" (the program folder), "config", "wine" and "user" (the home).
    std::string root() const { return root_.str(); }

private:
    TempDir root_;
    ScopedEnv program_{"FACEWRIGHT_HOME", root() + "/home"};
    ScopedEnv config_{"XDG_CONFIG_HOME", root() + "/config"};
    ScopedEnv wine_{"WINEPREFIX", root() + "/wine"};
    ScopedEnv home_{"HOME", root() + "/user"};
    ScopedEnv data_{"XDG_DATA_HOME", root() + "/user/.local/share"};
};

}  // namespace fw::build
