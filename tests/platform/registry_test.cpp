#include "platform/registry.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/temp_dir.hpp"

namespace fw {
namespace {

// Points WINEPREFIX at a prefix of the test's own for the test's lifetime.
class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("WINEPREFIX")) saved_ = old;
        setenv("WINEPREFIX", prefix_.str().c_str(), 1);
    }
    void TearDown() override {
        if (saved_) setenv("WINEPREFIX", saved_->c_str(), 1);
        else unsetenv("WINEPREFIX");
    }
    void write_system_reg(const std::string& body, bool win64 = false) {
        prefix_.write("system.reg", std::string("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n") +
                                        (win64 ? "#arch=win64\n" : "#arch=win32\n") + "\n" + body);
    }
    static std::string install_path(int32_t size_in = 0, int32_t* size_out = nullptr) {
        int32_t root = kHKeyLocalMachine;
        int32_t size = size_in;
        std::string result = GetRegistryString(root, kGameRegistryKey, kGameRegistryValue, size);
        if (size_out) *size_out = size;
        return result;
    }

    build::TempDir prefix_;
    std::optional<std::string> saved_;
};

TEST_F(RegistryTest, ReadsInstallPathOfThePlainKey) {
    write_system_reg("[Software\\\\Maxis\\\\The Sims 2] 1600000000\n\"InstallPath\"=\"D:\\\\Other\"\n\n"
                     "[Software\\\\Maxis\\\\The Sims] 1600000000\n#time=1d7a0b0c0d0e0f0\n"
                     "\"Language\"=dword:00000409\n\"InstallPath\"=\"C:\\\\Program Files\\\\Maxis\\\\The Sims\"\n");
    int32_t size = -1;
    EXPECT_EQ(install_path(0, &size), "C:\\Program Files\\Maxis\\The Sims");
    EXPECT_EQ(size, 32);  // the 31 characters and their NUL
    EXPECT_EQ(read_game_install_path(), "C:\\Program Files\\Maxis\\The Sims");
}

TEST_F(RegistryTest, FindsTheWow6432NodeTwinAndPrefersItInA64BitPrefix) {
    write_system_reg("[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1600000000\n\"InstallPath\"=\"C:\\\\Games\\\\Sims32\"\n");
    EXPECT_EQ(install_path(), "C:\\Games\\Sims32");

    write_system_reg("[Software\\\\Maxis\\\\The Sims] 1\n\"InstallPath\"=\"C:\\\\Plain\"\n"
                     "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1\n\"InstallPath\"=\"C:\\\\Twin\"\n",
                     true);
    EXPECT_EQ(install_path(), "C:\\Twin");
}

TEST_F(RegistryTest, DecodesTheFileEscapesAndIgnoresCase) {
    // Wine writes characters above 126 as \x with hex digits (four when a hex digit follows),
    // quotes and backslashes with a backslash, CR LF line ends on some copies.
    write_system_reg("[software\\\\maxis\\\\THE SIMS] 1\r\n\"installpath\"=\"C:\\\\Jeux\\\\Caf\\xe9 \\\"Sims\\\"\\x00e9a\"\r\n");
    EXPECT_EQ(install_path(), "C:\\Jeux\\Caf\xC3\xA9 \"Sims\"\xC3\xA9"
                              "a");
}

TEST_F(RegistryTest, KeepsThe255ByteLimit) {
    const std::string fits(254, 'a');
    write_system_reg("[Software\\\\Maxis\\\\The Sims] 1\n\"InstallPath\"=\"" + fits + "\"\n");
    EXPECT_EQ(install_path(), fits);

    write_system_reg("[Software\\\\Maxis\\\\The Sims] 1\n\"InstallPath\"=\"" + fits + "b\"\n");
    int32_t size = 0;
    EXPECT_EQ(install_path(0, &size), "ERROR");
    EXPECT_EQ(size, 256);  // what the data would need
    EXPECT_EQ(install_path(300), fits + "b");
}

TEST_F(RegistryTest, AnswersErrorWhenPrefixKeyOrValueIsMissing) {
    EXPECT_EQ(install_path(), "ERROR");  // no system.reg at all

    write_system_reg("[Software\\\\Maxis\\\\The Sims] 1\n\"Language\"=\"English\"\n");
    EXPECT_EQ(install_path(), "ERROR");

    write_system_reg("[Software\\\\Maxis] 1\n\"InstallPath\"=\"C:\\\\Maxis\"\n");
    EXPECT_EQ(install_path(), "ERROR");

    // A value without a NUL inside the buffer is no text.
    write_system_reg("[Software\\\\Maxis\\\\The Sims] 1\n\"InstallPath\"=hex:41,42\n");
    EXPECT_EQ(install_path(), "ERROR");
}

TEST_F(RegistryTest, ReadsExpandableAndHexStringValues) {
    write_system_reg("[Software\\\\Maxis\\\\The Sims] 1\n\"InstallPath\"=str(2):\"C:\\\\Sims\"\n");
    EXPECT_EQ(install_path(), "C:\\Sims");
    write_system_reg("[Software\\\\Maxis\\\\The Sims] 1\n\"InstallPath\"=hex(2):43,00,3a,00,\\\n  5c,00,53,00,00,00\n");
    EXPECT_EQ(install_path(), "C:\\S");
}

}  // namespace
}  // namespace fw
