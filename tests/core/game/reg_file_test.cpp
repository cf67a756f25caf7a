#include "core/game/reg_file.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/temp_dir.hpp"

namespace {

const std::string kKey = "[Software\\\\Maxis\\\\The Sims] 1\n";

// The value "InstallPath" of the game's key as a program reading it gets it, up to its NUL.
std::string install_path(const fw::build::TempDir& prefix, const std::string& body) {
    const fw::RegFile file = fw::load_reg_file(prefix.write("system.reg", "WINE REGISTRY Version 2\n\n" + body));
    fw::RegValue value;
    if (fw::find_value(file, "Software\\Maxis\\The Sims", "InstallPath", value) != fw::Lookup::Found) return "none";
    return value.text_to_nul().value_or("no NUL");
}

TEST(RegFile, ReadsWinesEscapesAndValueFormsAndNothingThatIsNoRegistryFile) {
    fw::build::TempDir prefix;
    const std::pair<std::string, std::string> cases[] = {
        // Wine writes characters above 126 as \x with hex digits (four when a hex digit follows; one
        // for each half of a surrogate pair), quotes and backslashes with a backslash, CR LF line
        // ends on some copies.
        {"[software\\\\maxis\\\\THE SIMS] 1\r\n\"installpath\"=\"C:\\\\Jeux\\\\Caf\\xe9\\x30b7\\xd83c\\xdfae "
         "\\\"Sims\\\"\\x00e9a\"\r\n",
         "C:\\Jeux\\Caf\xC3\xA9\xE3\x82\xB7\xF0\x9F\x8E\xAE \"Sims\"\xC3\xA9"
         "a"},
        {kKey + "\"InstallPath\"=hex:41,42\n", "no NUL"},
        {kKey + "\"InstallPath\"=str(2):\"C:\\\\Sims\"\n", "C:\\Sims"},
        {kKey + "\"InstallPath\"=hex(2):43,00,3a,00,\\\n  5c,00,53,00,00,00\n", "C:\\S"},
    };
    for (const auto& [body, path] : cases) EXPECT_EQ(install_path(prefix, body), path) << body;

    // What is no registry file answers at once: a FIFO no one writes to, a file past the cap.
    const std::filesystem::path reg = prefix.path() / "system.reg";
    std::filesystem::resize_file(reg, fw::kLargestRegFile + 1);  // the entry above, then zeros
    EXPECT_FALSE(fw::load_reg_file(reg).read);
    std::filesystem::remove(reg);
    ASSERT_EQ(::mkfifo(reg.c_str(), 0600), 0);
    EXPECT_FALSE(fw::load_reg_file(reg).read);
}

}  // namespace
