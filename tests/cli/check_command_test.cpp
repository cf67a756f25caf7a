#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>

#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::cli;

// Exit codes tell scripts what was found; fixes and their undo run from the command line.
TEST(CliCheck, ExitCodesFixesAndUndo) {
    EXPECT_EQ(cli({"check", "--demo", "healthy"}).exit_code, 0);
    const auto broken = cli({"check", "--demo", "broken", "--json"});
    EXPECT_EQ(broken.exit_code, 1);
    EXPECT_EQ(nlohmann::json::parse(broken.out)["findings"].size(), 20u);
    const auto text = cli({"check", "--demo", "broken"});
    EXPECT_LT(text.out.find("== crash =="), text.out.find("== cosmetic =="));
    // A sim is shown with its own character file, which is not listed again among the files.
    EXPECT_TRUE(std::regex_search(text.out, std::regex("\n\\* The head model \"C404MA_Gone\"[^\n]*\n"
                                                       "    sim:  Hank \\([^\n]*\\), head: [^\n]*User00002\\.iff\n")))
        << text.out;

    const fw::build::TempDir empty;
    EXPECT_EQ(cli({"check", "--game", empty.str()}).exit_code, 2);
    EXPECT_EQ(cli({"check", "--demo", "broken", "--fix", "delete-everything"}).exit_code, 2);
    EXPECT_EQ(cli({"check", "--demo", "broken", "--fix", "convert-to-8-bit"}).exit_code, 0);
    EXPECT_EQ(nlohmann::json::parse(cli({"check", "--demo", "broken", "--json"}).out)["findings"].size(), 19u);
    EXPECT_EQ(cli({"check", "--demo", "broken", "--undo"}).exit_code, 0);
    EXPECT_EQ(nlohmann::json::parse(cli({"check", "--demo", "broken", "--json"}).out)["findings"].size(), 20u);
}

}  // namespace
