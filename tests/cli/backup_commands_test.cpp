#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "builders/sim_builder.hpp"
#include "core/editor/sim_save.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"
#include "support/test_environment.hpp"

namespace {

using fw::build::cli;
using nlohmann::json;

// A script's road back: edit twice, list, restore the oldest, be refused, and find a backup whose
// neighbourhood is gone.
TEST(CliBackups, ListRestoreRefuseAndFindEveryBackup) {
    const fw::build::TestEnvironment desktop;  // an empty Backup folder
    const fw::build::TempDir game;
    const std::string path = game.write("UserData2/Characters/User00003.iff", fw::build::sim_file({}));
    const std::string original = fw::read_file(path);
    ASSERT_EQ(cli({"edit", path, "--name", "Robert", "--backup"}).exit_code, 0);
    ASSERT_EQ(cli({"edit", path, "--tone", "drk", "--backup"}).exit_code, 0);

    const json backups = json::parse(cli({"backups", path, "--json"}).out)["backups"];
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(backups[1]["name_before"], "Bob");  // the oldest, listed last
    EXPECT_EQ(backups[1]["name_after"], "Robert");
    const auto restored = cli({"restore", path, backups[1]["backup"].get<std::string>()});
    ASSERT_EQ(restored.exit_code, 0) << restored.err;
    EXPECT_TRUE(restored.out.starts_with("Bob has been restored from the backup of ")) << restored.out;
    EXPECT_EQ(fw::read_file(path), original);

    const auto refused = cli({"restore", path, "User00003iff_Bob_UserData2_20300101_101010", "--no-backup"});
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_TRUE(refused.err.starts_with("This backup was not found:\r\n")) << refused.err;

    fw::write_file(fw::backup_folder_path() + "\\User00009iff_Gone_UserData7_20240101_000000", original);
    fw::write_file(fw::backup_folder_path() + "\\notes.txt", "mine");
    const json every = json::parse(cli({"backups", "--all", "--json", "--game", game.str()}).out)["backups"];
    ASSERT_EQ(every.size(), 5u);  // two saves, the restore's own, the one gone, the notes last
    EXPECT_EQ(every[3]["file"], "User00009.iff");  // the one whose neighbourhood is gone
    EXPECT_EQ(every[3]["neighbourhood"], "UserData7");
    EXPECT_EQ(every[3]["character_file"], nullptr);
    EXPECT_EQ(every[0]["character_file"], fw::display_path(path));
    EXPECT_EQ(every[4]["backup"], "notes.txt");
}

}  // namespace
