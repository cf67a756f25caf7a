#include "core/editor/sim_restore.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "builders/sim_builder.hpp"
#include "core/base/error_trap.hpp"
#include "core/editor/backup_list.hpp"
#include "core/editor/sim_save.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "failing_files.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::SimSpec;
namespace fs = std::filesystem;

std::string all_parts(const std::optional<fw::BackupNameParts>& p) {
    if (!p) return "none";
    char time[32];
    std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:%02d", p->time.year, p->time.month, p->time.day,
                  p->time.hour, p->time.minute);
    return p->file_part + "|" + p->sim_part + "|" + p->neighbourhood + "|" + time + "|" +
           std::to_string(p->sequence);
}

TEST(BackupNameParts, ReadFromTheEndWithTheFileAndNeighbourhoodWhole) {
    struct Case {
        std::string name, file_part, neighbourhood, expected;
    };
    const Case cases[] = {
        {"User00001iff_Bob_UserData2_20261206_141515", "User00001iff", "UserData2",
         "User00001iff|Bob|UserData2|2026-12-06 14:15|1"},
        {"User00001iff_Bob-Robert_UserData2_20261206_141515_12", "user00001IFF", "userdata2",
         "User00001iff|Bob-Robert|UserData2|2026-12-06 14:15|12"},
        // "_" and "-" in the sim part, "_" in the neighbourhood's folder, an empty sim part.
        {"User00001iff_Bob_UserData_X-Y_UserData_old_20240102_030404", "User00001iff", "UserData_old",
         "User00001iff|Bob_UserData_X-Y|UserData_old|2024-01-02 03:04|1"},
        {"User00001iff__UserData_20240102_030404", "User00001iff", "UserData",
         "User00001iff||UserData|2024-01-02 03:04|1"},
        {"User00001iff_Bob__20240102_030404", "User00001iff", "", "User00001iff|Bob||2024-01-02 03:04|1"},
        // Another file, another neighbourhood, or no name the save makes.
        {"User00010iff_Bob_UserData_20240102_030404", "User0001iff", "UserData", "none"},
        {"User0001iff_Bob_UserData_20240102_030404", "User00010iff", "UserData", "none"},
        {"User00001iff_Bob_UserData2_20240102_030404", "User00001iff", "UserData", "none"},
        {"User00001iff_Bob_UserData3_20240102_030404", "User00001iff", "UserData2", "none"},
        {"User00001iff_Bob_UserData_20240102_030405", "User00001iff", "UserData", "none"},
        {"User00001iff_Bob_UserData_20241302_030404", "User00001iff", "UserData", "none"},
        {"User00001iff_Bob_UserData_20240102_030404_1", "User00001iff", "UserData", "none"},
        {"User00001iff_Bob_UserData_20240102_030404.tmp", "User00001iff", "UserData", "none"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(all_parts(fw::parse_backup_name_of(c.name, c.file_part, c.neighbourhood)), c.expected)
            << c.name;
    }
    // Any backup, its file not known.
    const std::pair<std::string, std::string> any[] = {
        {"User00010iff_Cliff_Bob_UserData_old_20240102_030404_2",
         "User00010iff|Cliff_Bob|UserData_old|2024-01-02 03:04|2"},
        {"User00001iff_Bob__20240102_030404", "User00001iff|Bob||2024-01-02 03:04|1"},
        {"notes.txt", "none"},
    };
    for (const auto& [name, expected] : any)
        EXPECT_EQ(all_parts(fw::parse_backup_name(name)), expected) << name;
    EXPECT_EQ(fw::character_file_name("User00010iff"), "User00010.iff");
}

TEST(BackupNameParts, NamesBeforeAndAfterTheSave) {
    // sim part, name the backup holds, before, after
    const std::string cases[][4] = {
        {"Bob-Robert", "Bob", "Bob", "Robert"},
        {"Mary-Jo", "Mary-Jo", "Mary-Jo", "Mary-Jo"},
        {"Mary-Jo-Ann", "Mary-Jo", "Mary-Jo", "Ann"},
        {"Zoe-Ann", "Zo\xEB", "Zoe", "Ann"},
        {"-Bob", "", "", "Bob"},  // the file replaced by a restore could not be read
        {"Bob-Robert", "", "Bob", "Robert"},
    };
    for (const auto& c : cases) {
        const fw::BackupNames names = fw::backup_names(c[0], c[1]);
        EXPECT_EQ(names.before + "|" + names.after, c[2] + "|" + c[3]) << c[0];
    }
}

class SimRestore : public testing::Test {
protected:
    void SetUp() override {
        std::error_code ignored;
        fs::remove_all(fw::resolve_path(fw::backup_folder_path()), ignored);
    }
    std::string put(const std::string& relative, const SimSpec& shape) {
        return game_.write(relative, fw::build::sim_file(shape));
    }
    // Saves the sim under a new name, keeping a backup dated `minute` past noon.
    void save_as(const std::string& path, const std::string& name, int minute) {
        fw::EditorSession session;
        ASSERT_EQ(fw::open_sim_for_editing(path, session), std::nullopt);
        fw::SimControls controls = fw::read_sim_controls(session.appearance, session.names);
        controls.name = name;
        const fw::LocalTime time{2026, 12, 6, 12, minute};
        ASSERT_TRUE(
            fw::save_sim(session, controls, {.make_backup = true, .clock = [time] { return time; }}).saved());
    }
    static std::vector<std::string> backup_names(const std::vector<fw::BackupEntry>& list) {
        std::vector<std::string> names;
        for (const fw::BackupEntry& entry : list) names.push_back(entry.name);
        return names;
    }
    static size_t files_in_backup() {
        return fw::folder_exists(fw::backup_folder_path())
                   ? fw::list_matching(fw::backup_folder_path() + "\\*").size()
                   : 0;
    }

    fw::build::TempDir game_;
};

TEST_F(SimRestore, ASaveIsUndoneByteForByteAndTheRestoreItselfCanBeUndone) {
    SimSpec shape;
    shape.bitmaps = {{"Web_Image", std::string(60, 'W')}};  // the first save drops them
    const std::string path = put("UserData3/Characters/User00001.iff", shape);
    const std::string original = fw::read_file(path);
    save_as(path, "Robert", 1);
    save_as(path, "Rob", 2);
    const std::string second = fw::read_file(path);

    const std::vector<fw::BackupEntry> listed = fw::list_backups_of(path);
    ASSERT_EQ(backup_names(listed),
              (std::vector<std::string>{"User00001iff_Robert-Rob_UserData3_20261206_120202",
                                        "User00001iff_Bob-Robert_UserData3_20261206_120101"}));
    const fw::BackupEntry& oldest = listed[1];
    EXPECT_EQ(oldest.time_shown(), "2026-12-06 12:01");
    EXPECT_EQ(oldest.names.before + ">" + oldest.names.after, "Bob>Robert");
    EXPECT_EQ(oldest.holds.name + " " + oldest.holds.age + " " + oldest.holds.gender + " " +
                  oldest.holds.tone + " " + oldest.holds.model + " " + oldest.holds.skin,
              "Bob adult male lgt C001MA_Test c001malgt_test");
    // Only the file as the first save found it still has its portraits.
    fw::EditorSession held;
    fw::read_backup(oldest.path, held);
    EXPECT_EQ(fw::backup_portraits(held.image).web_image, std::string(60, 'W'));
    fw::read_backup(listed[0].path, held);
    EXPECT_EQ(fw::backup_portraits(held.image).web_image, "");

    const fw::LocalTime later{2026, 12, 6, 12, 3};
    const fw::RestoreResult result =
        fw::restore_from_backup(path, oldest.path, {.clock = [later] { return later; }});
    ASSERT_TRUE(result.restored()) << result.refusal->text;
    EXPECT_EQ(fw::read_file(path), original);
    EXPECT_EQ(fw::restored_box(result),
              (fw::BoxMessage{"Bob has been restored from the backup of 2026-12-06 12:01.", 64, "Success"}));
    // The restore's own backup holds the file it replaced, named for the names it changed.
    EXPECT_EQ(result.backup_path,
              fw::backup_folder_path() + "\\User00001iff_Rob-Bob_UserData3_20261206_120303");
    EXPECT_EQ(fw::read_file(result.backup_path), second);

    // ... and is listed first, so that the restore is undone by the next one.
    EXPECT_EQ(fw::list_backups_of(path)[0].path, result.backup_path);
    ASSERT_TRUE(fw::restore_from_backup(path, result.backup_path, {.make_backup = false}).restored());
    EXPECT_EQ(fw::read_file(path), second);
    EXPECT_EQ(files_in_backup(), 3u);
}

// Each sim sees only its own backups, and none is ever put in another sim's place.
TEST_F(SimRestore, FilesWhoseNamesShareAPrefixAreNeverMixedUp) {
    const std::string short_name = put("UserData/Characters/User0001.iff", {});
    const std::string long_name = put("UserData/Characters/User00010.iff", {});
    const std::string elsewhere = put("UserData2/Characters/User0001.iff", {});
    save_as(short_name, "Short", 1);
    save_as(long_name, "Long", 2);
    save_as(elsewhere, "Elsewhere", 3);
    const std::vector<fw::BackupEntry> shorts = fw::list_backups_of(short_name);
    const std::vector<fw::BackupEntry> longs = fw::list_backups_of(long_name);
    EXPECT_EQ(backup_names(shorts),
              (std::vector<std::string>{"User0001iff_Bob-Short_UserData_20261206_120101"}));
    EXPECT_EQ(backup_names(longs),
              (std::vector<std::string>{"User00010iff_Bob-Long_UserData_20261206_120202"}));

    const std::string before = fw::read_file(short_name);
    for (const std::string& foreign : {longs[0].path, fw::list_backups_of(elsewhere)[0].path}) {
        const fw::RestoreResult refused = fw::restore_from_backup(short_name, foreign);
        ASSERT_TRUE(refused.refusal) << foreign;
        EXPECT_EQ(refused.refusal->text.substr(0, 45), "This is not a backup of User0001.iff in UserD");
        EXPECT_EQ(fw::read_file(short_name), before);
    }
    EXPECT_EQ(files_in_backup(), 3u);
}

// A backup that is damaged, a pet or no sim, and a read-only file: refused, nothing changes.
TEST_F(SimRestore, RefusalsChangeNothing) {
    const std::string path = put("UserData/Characters/User00001.iff", {});
    const std::string before = fw::read_file(path);
    SimSpec no_comma;
    no_comma.head = "C001MA_Test HEAD-HEAD=c001malgt_test";
    const std::string sim = fw::build::sim_file({});
    const struct {
        const char* what;
        std::string bytes;
        fw::BackupKind kind;
        std::string first_line;
    } cases[] = {
        {"truncated", sim.substr(0, sim.size() - 10), fw::BackupKind::Damaged,
         "This backup is damaged and cannot be restored:"},
        {"cat", fw::build::sim_file(fw::build::pet_spec("Tom", false)), fw::BackupKind::Pet,
         "This backup holds a pet. Only people can be restored:"},
        {"head without a comma", fw::build::sim_file(no_comma), fw::BackupKind::NotASim,
         "This backup is not a sim's character file that can be opened:"},
        {"read-only file", sim, fw::BackupKind::Person, "This sim's file is read-only:"},  // last: stays so
    };
    fw::create_folder(fw::backup_folder_path());
    int minute = 0;
    for (const auto& c : cases) {
        const fw::LocalTime time{2026, 1, 1, 1, ++minute};
        const std::string name = fw::backup_name("User00001.iff", "Bob", "UserData", time);
        fw::write_file(fw::backup_folder_path() + "\\" + name, c.bytes);
        const std::vector<fw::BackupEntry> listed = fw::list_backups_of(path);
        ASSERT_FALSE(listed.empty());
        EXPECT_EQ(listed[0].holds.kind, c.kind) << c.what;
        if (c.kind == fw::BackupKind::Damaged) {
            EXPECT_EQ(listed[0].holds.error.substr(0, 6), "Error ");
        }
        if (c.kind == fw::BackupKind::Person) fs::permissions(path, fs::perms::owner_read);

        const fw::RestoreResult result = fw::restore_from_backup(path, listed[0].path);
        ASSERT_TRUE(result.refusal) << c.what;
        EXPECT_EQ(result.refusal->title, "Restore Terminated");
        EXPECT_EQ(result.refusal->text.substr(0, c.first_line.size() + 2), c.first_line + "\r\n") << c.what;
        EXPECT_TRUE(result.refusal->text.ends_with("\r\nNothing was restored.")) << c.what;
        EXPECT_EQ(fw::read_file(path), before) << c.what;
        EXPECT_EQ(files_in_backup(), static_cast<size_t>(minute)) << c.what;
    }
    fs::permissions(path, fs::perms::owner_all);
}

TEST_F(SimRestore, TheCharacterFileIsWholeWhicheverStepFails) {
    const std::string path = put("UserData/Characters/User00001.iff", {});
    const std::string original = fw::read_file(path);
    save_as(path, "Robert", 1);
    const std::string saved = fw::read_file(path);
    const std::string backup = fw::list_backups_of(path)[0].path;
    bool refused = false;
    for (int fail_at = 0;; ++fail_at) {
        ASSERT_LT(fail_at, 50);
        ASSERT_TRUE(fw::restore_from_backup(path, backup, {.make_backup = false}).restored());
        fw::replace_file_atomically(path, saved);
        fw::typed::FailingFiles files(fail_at);
        try {
            // A minute of its own: each try's backup name is free at the first look.
            const fw::LocalTime time{2027, 1, 1, 0, fail_at};
            const fw::RestoreResult result =
                fw::restore_from_backup(path, backup, {.clock = [time] { return time; }, .files = &files});
            if (result.restored()) {
                EXPECT_EQ(fw::read_file(path), original);
                break;  // no step left to fail
            }
            refused = true;  // the backup could not be read: refused, nothing changed
            EXPECT_EQ(fw::read_file(path), saved);
        } catch (const fw::TrapRaised&) {
            const std::string now = fw::read_file(path);
            EXPECT_TRUE(now == saved || now == original) << "step " << fail_at;
        }
    }
    EXPECT_TRUE(refused);
}

TEST_F(SimRestore, TheMenuGivesAWordInsteadOfAnEmptyList) {
    const std::string path = put("UserData/Characters/User00001.iff", {});
    const std::string folder = game_.str() + "\\UserData\\Characters\\";
    EXPECT_EQ(fw::open_restore(folder, "").box->text, "Select a sim first.");
    const fw::RestoreOpening none = fw::open_restore(folder, "User00001.iff");
    ASSERT_TRUE(none.box);
    EXPECT_EQ(none.box->text.substr(0, 51), "There are no backups of Bob (User00001.iff in UserD");
    save_as(path, "Robert", 1);
    const fw::RestoreOpening some = fw::open_restore(folder, "User00001.iff");
    EXPECT_FALSE(some.box);
    EXPECT_EQ(some.backups.size(), 1u);
}

}  // namespace
