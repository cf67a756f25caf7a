#include "core/sims/sim_restore.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "builders/sim_builder.hpp"
#include "core/base/error_trap.hpp"
#include "core/sims/sim_save.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "failing_files.hpp"
#include "support/temp_dir.hpp"

namespace {

namespace fs = std::filesystem;

class SimRestore : public testing::Test {
protected:
    void SetUp() override {
        std::error_code ignored;
        fs::remove_all(fw::resolve_path(fw::backup_folder_path()), ignored);
    }
    static fw::Clock at(int minute) {
        return [minute] { return fw::LocalTime{2026, 12, 6, 12, minute}; };
    }
    // Saves the sim under a new name, keeping a backup dated `minute` past noon.
    static void save_as(const std::string& path, const std::string& name, int minute) {
        fw::EditorSession session;
        ASSERT_EQ(fw::open_sim_for_editing(path, session), std::nullopt);
        fw::SimControls controls = fw::read_sim_controls(session.appearance, session.names);
        controls.name = name;
        ASSERT_TRUE(fw::save_sim(session, controls, {.make_backup = true, .clock = at(minute)}).saved());
    }
    static size_t files_in_backup() {
        return fw::list_matching(fw::backup_folder_path() + "\\*", fw::Listing::FilesOnly).size();
    }

    fw::build::TempDir game_;
};

TEST_F(SimRestore, ASaveIsUndoneByteForByteAndTheRestoreItselfCanBeUndone) {
    // The first save drops the bitmaps.
    const std::string path =
        game_.write("UserData3/Characters/User00001.iff",
                    fw::build::sim_file({.bitmaps = {{"Web_Image", std::string(60, 'W')}}}));
    const std::string original = fw::read_file(path);
    save_as(path, "Robert", 1);
    save_as(path, "Rob", 2);
    const std::string second = fw::read_file(path);
    // A backup that a killed save left half-written is no backup: listing the folder sweeps it.
    std::ofstream(fw::resolve_path(fw::backup_folder_path()) /
                  "User00001iff_Bob-Rob_UserData3_20261206_120500.facewright-new")
        << "cut";

    const std::vector<fw::BackupEntry> listed = fw::list_backups_of(path);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(files_in_backup(), 2u);
    EXPECT_EQ(listed[0].name, "User00001iff_Robert-Rob_UserData3_20261206_120202");
    const fw::BackupEntry& oldest = listed[1];
    EXPECT_EQ(oldest.time_shown() + " " + oldest.names.before + ">" + oldest.names.after,
              "2026-12-06 12:01 Bob>Robert");
    const fw::BackupContent& held = oldest.holds;
    EXPECT_EQ(
        held.name + " " + held.age + " " + held.gender + " " + held.tone + " " + held.model + " " + held.skin,
        "Bob adult male lgt C001MA_Test c001malgt_test");
    // Only the file as the first save found it still has its portraits.
    fw::EditorSession session;
    fw::read_backup(oldest.path, session);
    EXPECT_EQ(fw::backup_portraits(session.image).web_image, std::string(60, 'W'));

    const fw::RestoreResult result = fw::restore_from_backup(path, oldest.path, {.clock = at(3)});
    ASSERT_TRUE(result.restored()) << result.refusal->text;
    EXPECT_EQ(fw::read_file(path), original);
    EXPECT_EQ(fw::restored_box(result).text, "Bob has been restored from the backup of 2026-12-06 12:01.");
    // The restore's own backup holds the file it replaced, named for the names it changed, and is
    // listed first, so that the next restore undoes this one.
    EXPECT_EQ(result.backup_path,
              fw::backup_folder_path() + "\\User00001iff_Rob-Bob_UserData3_20261206_120303");
    EXPECT_EQ(fw::read_file(result.backup_path), second);
    EXPECT_EQ(fw::list_backups_of(path)[0].path, result.backup_path);
    ASSERT_TRUE(fw::restore_from_backup(path, result.backup_path, {.make_backup = false}).restored());
    EXPECT_EQ(fw::read_file(path), second);
    EXPECT_EQ(files_in_backup(), 3u);
}

// Another file's backup (User00010 beside User0001, the same name in another neighbourhood), a
// damaged one, a pet, no sim, a read-only file: refused, and nothing changes.
TEST_F(SimRestore, RefusalsChangeNothing) {
    const std::string sim = fw::build::sim_file({.objd_id = 7});
    const std::string path = game_.write("UserData/Characters/User0001.iff", sim);
    fw::build::SimSpec pet = fw::build::pet_spec("Tom", false);
    pet.objd_id = 7;  // the same sim, turned into a cat by another program
    const std::string folder = fw::backup_folder_path() + "\\";
    const struct {
        std::string backup, bytes, first_line;
    } cases[] = {
        {"User00010iff_Bob-Long_UserData_20261206_120101", sim,
         "This is not a backup of User0001.iff in UserData:"},
        {"User0001iff_Bob-Elsewhere_UserData2_20261206_120202", sim,
         "This is not a backup of User0001.iff in UserData:"},
        {"User0001iff_Bob_UserData_20260101_010101", sim.substr(0, sim.size() - 10),
         "This backup is damaged and cannot be restored:"},
        {"User0001iff_Bob_UserData_20260101_010202", fw::build::sim_file(pet),
         "This backup holds a pet. Only people can be restored:"},
        {"User0001iff_Bob_UserData_20260101_010303",
         fw::build::sim_file({.head = "C001MA_Test HEAD-HEAD=c001malgt_test", .objd_id = 7}),
         "This backup is not a sim's character file that can be opened:"},
        {"User0001iff_Bob_UserData_20260101_010404", sim, "This sim's file is read-only:"},  // last: stays so
    };
    fw::create_folder(fw::backup_folder_path());
    for (const auto& c : cases) {
        fw::write_file(folder + c.backup, c.bytes);
        // The last case: the backup is sound, the file read-only.
        if (&c == &cases[std::size(cases) - 1]) fs::permissions(path, fs::perms::owner_read);
        const fw::RestoreResult result = fw::restore_from_backup(path, folder + c.backup);
        ASSERT_TRUE(result.refusal) << c.backup;
        EXPECT_EQ(result.refusal->title, "Restore Terminated");
        EXPECT_TRUE(result.refusal->text.starts_with(c.first_line + "\r\n")) << result.refusal->text;
        EXPECT_TRUE(result.refusal->text.ends_with("\r\nNothing was restored.")) << c.backup;
        EXPECT_EQ(fw::read_file(path), sim) << c.backup;
        EXPECT_EQ(files_in_backup(), static_cast<size_t>(&c - cases) + 1) << c.backup;  // all kept
    }
    // Only its own backups are listed (newest first), the damaged one with the reader's error.
    const std::vector<fw::BackupEntry> listed = fw::list_backups_of(path);
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[3].holds.error.substr(0, 6), "Error ");
    fs::permissions(path, fs::perms::owner_all);
}

TEST_F(SimRestore, TheCharacterFileIsWholeWhicheverStepFails) {
    const std::string path = game_.write("UserData/Characters/User00001.iff", fw::build::sim_file({}));
    const std::string original = fw::read_file(path);
    save_as(path, "Robert", 1);
    const std::string saved = fw::read_file(path);
    const std::string backup = fw::list_backups_of(path)[0].path;
    int failed = 0;
    for (int fail_at = 0;; ++fail_at) {
        ASSERT_LT(fail_at, 50);
        fw::replace_file_atomically(path, saved);
        fw::typed::FailingFiles files(fail_at);
        // A minute of its own: each try's backup name is free at the first look.
        const fw::RestoreResult result =
            fw::restore_from_backup(path, backup, {.clock = at(fail_at + 2), .files = &files});
        if (result.restored()) {
            EXPECT_EQ(fw::read_file(path), original);
            break;  // no step left to fail
        }
        // Reported as a failed save is, and the program goes on; nothing changed.
        failed += result.refusal->title == "Restore Failed" ? 1 : 0;
        EXPECT_EQ(fw::read_file(path), saved) << "step " << fail_at;
    }
    EXPECT_GT(failed, 3);

    // The game saving while the file is kept is seen before the rename: refused, its save stands.
    struct GameSavesMeanwhile : fw::SaveFiles {
        std::string path;
        void write_new_file(const std::string& p, const std::string& bytes) override {
            SaveFiles::write_new_file(p, bytes);
            fw::write_file(path, "the game's");
        }
    } files;
    files.path = path;
    EXPECT_FALSE(fw::restore_from_backup(path, backup, {.clock = at(59), .files = &files}).restored());
    EXPECT_EQ(fw::read_file(path), "the game's");
}

// The same file names in two games, twins whose names differ only in case or an accent, and backups
// copied in by hand: a backup is offered and restored only for the file it was made of, or, without
// a record, for the same sim.
TEST_F(SimRestore, ABackupBelongsToItsOwnFileOfItsOwnGame) {
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
    fs::rename(game_.str() + "/x",
               fw::resolve_path(fw::backup_folder_path()) / "User00001iff_a\\b_UserData_20250101_121212");
    const fw::AllBackups all = fw::list_all_backups(fw::Game::at(game_.str(), fw::GamePathSource::CommandLine));
    EXPECT_EQ(all.kept.size(), 3u);
    EXPECT_EQ(all.left_out, 1);
    EXPECT_EQ(all.kept[0].backup.record->file, fs::path(mine).lexically_normal().string());
    EXPECT_EQ(fw::list_all_backups(fw::Game::at(other_game.str(), fw::GamePathSource::CommandLine)).kept[0].in_another_game, true);
}

}  // namespace
