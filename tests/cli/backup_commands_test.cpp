#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "builders/sim_builder.hpp"
#include "core/editor/sim_save.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"

namespace {

using nlohmann::json;

fw::build::CliResult cli(std::initializer_list<std::string> args) {
    return fw::build::run_cli(FACEWRIGHT_CLI_PATH, args);
}

// A script's road back: edit twice, list, restore the oldest, see a damaged backup refused, and
// find a backup whose neighbourhood is gone.
TEST(CliBackups, ListRestoreRefuseAndFindEveryBackup) {
    std::error_code ignored;
    std::filesystem::remove_all(fw::resolve_path(fw::backup_folder_path()), ignored);
    const fw::build::TempDir game;
    const std::string path = game.write("UserData2/Characters/User00003.iff", fw::build::sim_file({}));
    const std::string original = fw::read_file(path);
    ASSERT_EQ(cli({"edit", path, "--name", "Robert", "--backup"}).exit_code, 0);
    ASSERT_EQ(cli({"edit", path, "--tone", "drk", "--backup"}).exit_code, 0);

    const auto listed = cli({"backups", path, "--json"});
    ASSERT_EQ(listed.exit_code, 0) << listed.err;
    const json backups = json::parse(listed.out)["backups"];
    ASSERT_EQ(backups.size(), 2u);
    const json& oldest = backups[1];
    EXPECT_EQ(oldest["name_before"].get<std::string>() + ">" + oldest["name_after"].get<std::string>(),
              "Bob>Robert");

    const auto restored = cli({"restore", path, oldest["backup"].get<std::string>()});
    ASSERT_EQ(restored.exit_code, 0) << restored.err;
    EXPECT_TRUE(restored.out.starts_with("Bob has been restored from the backup of ")) << restored.out;
    EXPECT_EQ(fw::read_file(path), original);

    const std::string damaged = fw::backup_folder_path() + "\\User00003iff_Bob_UserData2_20300101_101010";
    fw::write_file(damaged, original.substr(0, 100));
    const auto refused = cli({"restore", path, fw::display_path(damaged), "--no-backup"});
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_TRUE(refused.err.starts_with("This backup is damaged and cannot be restored:\r\n")) << refused.err;
    EXPECT_EQ(fw::read_file(path), original);

    // A neighbourhood deleted: its backups are still listed with the file they belong to.
    fw::write_file(fw::backup_folder_path() + "\\User00009iff_Gone_UserData7_20240101_000000", original);
    fw::write_file(fw::backup_folder_path() + "\\notes.txt", "mine");
    const auto all = cli({"backups", "--all", "--json", "--game", game.str()});
    ASSERT_EQ(all.exit_code, 0) << all.err;
    const json every = json::parse(all.out)["backups"];
    ASSERT_EQ(every.size(), 6u);  // two saves, the restore's own, the damaged one, the gone one, notes
    std::map<std::string, json> by_name;
    for (const json& entry : every) by_name[entry["backup"]] = entry;
    const json& gone = by_name["User00009iff_Gone_UserData7_20240101_000000"];
    EXPECT_EQ(gone["file"], "User00009.iff");
    EXPECT_EQ(gone["neighbourhood"], "UserData7");
    EXPECT_EQ(gone["character_file"], nullptr);
    EXPECT_EQ(by_name[oldest["backup"].get<std::string>()]["character_file"], fw::display_path(path));
    EXPECT_EQ(by_name["notes.txt"]["file"], nullptr);
    EXPECT_EQ(every.back()["backup"], "notes.txt");
}

}  // namespace
