#include "core/sims/sim_restore.hpp"

#include "failing_files.hpp"
#include "saved_sims.hpp"

using SimRestore = fw::typed::SavedSims;

TEST_F(SimRestore, ASaveIsUndoneByteForByteSoIsTheRestoreAndAFailedStepChangesNothing) {
    // The first save drops the bitmaps.
    const auto original = fw::build::sim_file({.bitmaps = {{"Web_Image", std::string(60, 'W')}}});
    const std::string path = game_.write("UserData3/Characters/User00001.iff", original);
    save_as(path, "Robert", 1);
    save_as(path, "Rob", 2);
    const std::string second = fw::read_file(path);
    // A backup that a killed save left half-written is no backup: listing the folder sweeps it.
    fw::write_file(fw::backup_folder_path() + "\\User00001iff_Bob-Rob_UserData3_20261206_120500.facewright-new",
                   "cut");

    const std::vector<fw::BackupEntry> listed = fw::list_backups_of(path);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(files_in_backup(), 2u);
    EXPECT_EQ(listed[0].name, "User00001iff_Robert-Rob_UserData3_20261206_120202");
    const fw::BackupEntry& oldest = listed[1];
    EXPECT_EQ(oldest.time_shown() + " " + oldest.names.before + ">" + oldest.names.after,
              "2026-12-06 12:01 Bob>Robert");
    const fw::BackupContent& h = oldest.holds;
    EXPECT_EQ(h.name + " " + h.age + " " + h.gender + " " + h.tone + " " + h.model + " " + h.skin,
              "Bob adult male lgt C001MA_Test c001malgt_test");

    const fw::RestoreResult result = fw::restore_from_backup(path, oldest.path, {.clock = at(3)});
    ASSERT_TRUE(result.restored()) << result.refusal->text;
    EXPECT_EQ(fw::read_file(path), original);
    EXPECT_EQ(fw::restored_box(result).text, "Bob has been restored from the backup of 2026-12-06 12:01.");
    // The restore's own backup holds the file it replaced, named for the names it changed, and is
    // listed first, so that the next restore undoes this one.
    EXPECT_EQ(result.backup_path,
              fw::backup_folder_path() + "\\User00001iff_Rob-Bob_UserData3_20261206_120303");
    EXPECT_EQ(fw::read_file(result.backup_path), second);
    ASSERT_TRUE(fw::restore_from_backup(path, result.backup_path, {.make_backup = false}).restored());
    EXPECT_EQ(fw::read_file(path), second);

    // Whichever step of a restore fails, the character file is whole.
    int failed = 0;
    for (int fail_at = 0;; ++fail_at) {
        ASSERT_LT(fail_at, 50);
        fw::replace_file_atomically(path, second);
        fw::typed::FailingFiles files(fail_at);
        // A minute of its own: each try's backup name is free at the first look.
        const fw::RestoreResult tried =
            fw::restore_from_backup(path, oldest.path, {.clock = at(fail_at + 4), .files = &files});
        if (tried.restored()) break;  // no step left to fail
        // Reported as a failed save is, and the program goes on; nothing changed.
        failed += tried.refusal->title == "Restore Failed" ? 1 : 0;
        EXPECT_EQ(fw::read_file(path), second) << "step " << fail_at;
    }
    EXPECT_EQ(fw::read_file(path), original);
    EXPECT_GT(failed, 3);

    // The game saving while the file is kept is seen before the rename: refused, its save stands.
    fw::typed::WrittenMeanwhile files;
    files.file = path;
    EXPECT_FALSE(fw::restore_from_backup(path, oldest.path, {.clock = at(59), .files = &files}).restored());
    EXPECT_EQ(fw::read_file(path), "the game's");
}

// Another file's backup (User00010 beside User0001, the same name in another neighbourhood), a
// damaged one, a pet, no sim, a read-only file: refused, and nothing changes.
TEST_F(SimRestore, RefusalsChangeNothing) {
    const std::string sim = fw::build::sim_file({.objd_id = 7});
    const std::string path = game_.write("UserData/Characters/User0001.iff", sim);
    fw::build::SimSpec pet = fw::build::pet_spec("Tom", false);
    pet.objd_id = 7;  // the same sim, turned into a cat by another program
    const std::string folder = fw::backup_folder_path() + "\\";
    const std::string not_ours = "This is not a backup of User0001.iff in UserData:";
    const struct {
        std::string backup, bytes, first_line;
    } cases[] = {
        {"User00010iff_Bob-Long_UserData_20261206_120101", sim, not_ours},
        {"User0001iff_Bob-Elsewhere_UserData2_20261206_120202", sim, not_ours},
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
        if (&c == &cases[std::size(cases) - 1]) std::filesystem::permissions(path, std::filesystem::perms::owner_read);
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
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}
