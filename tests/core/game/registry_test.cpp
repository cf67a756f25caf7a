#include "core/game/registry.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

namespace fw {
namespace {

// Points WINEPREFIX at a prefix of the test's own for the test's lifetime.
class RegistryTest : public testing::Test {
protected:
    void write_system_reg(const std::string& body, bool win64 = false) {
        prefix_.write("system.reg",
                      std::string("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n") +
                          (win64 ? "#arch=win64\n" : "#arch=win32\n") + "\n" + body);
    }
    // The value as GetRegistryString answers it; `size_` holds the size it gives back.
    std::string install_path(int32_t size = 0) {
        int32_t root = kHKeyLocalMachine;
        size_ = size;
        return GetRegistryString(root, kGameRegistryKey, kGameRegistryValue, size_);
    }

    build::TempDir prefix_;
    build::ScopedEnv prefix_env_{"WINEPREFIX", prefix_.str()};
    int32_t size_ = 0;
};

TEST_F(RegistryTest, ReadsInstallPathFromEitherKeyOrAnswersError) {
    const std::string key = "[Software\\\\Maxis\\\\The Sims] 1\n";
    const std::string twin = "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1\n";
    const std::string fits(254, 'a');  // with its NUL, the 255 bytes the buffer holds
    const std::string too_long = key + "\"InstallPath\"=\"" + fits + "b\"\n";
    const std::tuple<const char*, std::string, bool, std::string> cases[] = {
        {"twin only", twin + "\"InstallPath\"=\"C:\\\\Games\\\\Sims32\"\n", false, "C:\\Games\\Sims32"},
        {"twin first in a 64-bit prefix",
         key + "\"InstallPath\"=\"C:\\\\Plain\"\n" + twin + "\"InstallPath\"=\"C:\\\\Twin\"\n", true,
         "C:\\Twin"},
        {"254 bytes", key + "\"InstallPath\"=\"" + fits + "\"\n", false, fits},
        {"no value", key + "\"Language\"=\"English\"\n", false, "ERROR"},
        {"no key", "[Software\\\\Maxis] 1\n\"InstallPath\"=\"C:\\\\Maxis\"\n", false, "ERROR"},
        // Last, for the size it gives back below.
        {"plain key among others",
         "[Software\\\\Maxis\\\\The Sims 2] 1\n\"InstallPath\"=\"D:\\\\Other\"\n\n" + key +
             "#time=1d7a0b0c0d0e0f0\n\"Language\"=dword:00000409\n\"InstallPath\"=\"C:\\\\Program "
             "Files\\\\Maxis\\\\The Sims\"\n",
         false, "C:\\Program Files\\Maxis\\The Sims"},
    };
    EXPECT_EQ(install_path(), "ERROR");  // no system.reg at all
    for (const auto& [what, body, win64, path] : cases) {
        write_system_reg(body, win64);
        EXPECT_EQ(install_path(), path) << what;
    }
    EXPECT_EQ(size_, 32);  // the last row's 31 characters and their NUL
    // 255 bytes are too long for the buffer: the size it would need comes back, and a larger
    // buffer takes it.
    write_system_reg(too_long);
    EXPECT_EQ(install_path(), "ERROR");
    EXPECT_EQ(size_, 256);
    EXPECT_EQ(install_path(300), fits + "b");
}

}  // namespace
}  // namespace fw
