#include "core/sims/backup_list.hpp"

#include "core/sims/sim_restore.hpp"
#include "saved_sims.hpp"

using BackupList = fw::typed::SavedSims;

// The same file names in two games, twins whose names differ only in case or an accent, and backups
// copied in by hand: a backup is offered and restored only for the file it was made of, or, without
// a record, for the same sim.
TEST_F(BackupList, ABackupBelongsToItsOwnFileOfItsOwnGame) {
    fw::build::TempDir other_game;
    const std::string mine =
        game_.write("UserData/Characters/User00001.iff", fw::build::sim_file({.name = "Jory Demo"}));
    const std::string theirs =
        other_game.write("UserData/Characters/User00001.iff", fw::build::sim_file({.name = "Ada"}));
    const std::string twin =
        game_.write("UserData/Characters/USER00001.IFF", fw::build::sim_file({.name = "Bram"}));
    const std::string accented =
        game_.write("UserData/Characters/Use\xE9r00001.iff", fw::build::sim_file({.name = "Cleo"}));
    save_as(mine, "Jory Keyboard", 1);
    const std::string theirs_bytes = fw::read_file(theirs);

    const std::vector<fw::BackupEntry> own = fw::list_backups_of(mine);
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(own[0].names.before + " > " + own[0].names.after, "Jory Demo > Jory Keyboard");
    for (const std::string& stranger : {theirs, twin, accented}) {
        EXPECT_TRUE(fw::list_backups_of(stranger).empty()) << stranger;
        const fw::RestoreResult result = fw::restore_from_backup(stranger, own[0].path);
        ASSERT_FALSE(result.restored()) << stranger;
        EXPECT_TRUE(result.refusal->text.starts_with("This is not a backup of ")) << result.refusal->text;
    }
    EXPECT_EQ(fw::read_file(theirs), theirs_bytes);

    // Copied in by hand, no record: offered only for its own sim, and marked as of unknown origin.
    const std::string folder = fw::backup_folder_path() + "\\";
    fw::write_file(folder + "User00001iff_Ada_UserData_20250101_101010",
                   fw::build::sim_file({.name = "Ada", .tone = "drk"}));
    fw::write_file(folder + "User00001iff_Bram_UserData_20250101_111111",
                   fw::build::sim_file({.name = "Bram"}));
    const std::vector<fw::BackupEntry> found = fw::list_backups_of(theirs);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "User00001iff_Ada_UserData_20250101_101010");
    EXPECT_FALSE(found[0].record.has_value());
    EXPECT_FALSE(
        fw::restore_from_backup(theirs, folder + "User00001iff_Bram_UserData_20250101_111111").restored());
    EXPECT_EQ(fw::read_file(theirs), theirs_bytes);
    ASSERT_TRUE(fw::restore_from_backup(theirs, found[0].path, {.make_backup = false}).restored());
    EXPECT_EQ(fw::read_file(theirs), fw::build::sim_file({.name = "Ada", .tone = "drk"}));

    // Every backup, and one whose name no game path can name left out.
    fw::write_file(game_.str() + "/x", "");
    std::filesystem::rename(game_.str() + "/x",
               fw::resolve_path(fw::backup_folder_path()) / "User00001iff_a\\b_UserData_20250101_121212");
    const fw::AllBackups all = fw::list_all_backups(fw::Game::at(game_.str(), fw::GamePathSource::CommandLine));
    EXPECT_EQ(all.kept.size(), 3u);
    EXPECT_EQ(all.left_out, 1);
    EXPECT_EQ(all.kept[0].backup.record->file, std::filesystem::path(mine).lexically_normal().string());
    EXPECT_EQ(fw::list_all_backups(fw::Game::at(other_game.str(), fw::GamePathSource::CommandLine)).kept[0].in_another_game, true);
}
