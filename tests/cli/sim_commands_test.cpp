#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "builders/sim_builder.hpp"
#include "core/sims/sim_save.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/settings.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"
#include "support/test_environment.hpp"

namespace {

using fw::build::cli;
using nlohmann::json;

// A character file in a neighbourhood; no backups yet.
class CliSim : public testing::Test {
protected:
    void SetUp() override { std::filesystem::remove_all(fw::resolve_path(fw::backup_folder_path())); }
    std::string put(const fw::build::SimSpec& shape) {
        return dir_.write("UserData4/Characters/User00007.iff", fw::build::sim_file(shape));
    }
    static std::vector<std::string> backups() {
        return fw::list_matching(fw::backup_folder_path() + "\\User00007iff_*", fw::Listing::FilesOnly);
    }
    const fw::build::TempDir dir_;
};

// What the editor shows, as JSON and as lines with the terminal's controls escaped; a pet is
// shown too, a file the editor refuses is refused with its text; what an edit saves.
TEST_F(CliSim, SimShowsWhatTheEditorShowsAndEditSavesEachOption) {
    EXPECT_EQ(json::parse(cli({"sim", put({.name = "Ren\xE9", .tone = "unk"}), "--json"}).out),
              json::parse(R"({"kind": "person", "name": "Ren\u00e9", "age": "adult", "gender": "male",
                  "tone": null, "model": "C001MA_Test", "skin": "c001malgt_test", "skin_data": "madrk"})"));
    EXPECT_EQ(json::parse(cli({"sim", put(fw::build::pet_spec("Tom", false)), "--json"}).out)["kind"], "pet");
    EXPECT_EQ(cli({"sim", put({.name = "Bob\x1b[2J"})}).out,
              "kind: person\nname: Bob\\x1b[2J\nage: adult\ngender: male\ntone: lgt\n"
              "model: C001MA_Test\nskin: c001malgt_test\nskin_data: malgt\n");

    const auto invalid = cli({"sim", put({.head = "NOHEAD"}), "--json"});
    EXPECT_EQ(invalid.exit_code, 1);
    EXPECT_EQ(json::parse(invalid.out), json({{"error", "User IFF File Invalid."}}));

    // Each option reaches the saved sim. A file named from the working folder is saved where it
    // lies, and its backup is named for its neighbourhood all the same.
    const std::string path = put({});
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path() / "UserData4");
    const auto r = cli({"edit", "Characters/User00007.iff", "--name", "Ren\xC3\xA9", "--age", "child",
                        "--gender", "female", "--tone", "drk", "--head", "C9FC_X,c9fcdrk_y", "--backup"});
    std::filesystem::current_path(home);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, "Ren\xC3\xA9 has been saved.\n");
    EXPECT_EQ(json::parse(cli({"sim", path, "--json"}).out),
              json::parse(R"({"kind": "person", "name": "Ren\u00e9", "age": "child", "gender": "female",
                  "tone": "drk", "model": "C9FC_X", "skin": "c9fcdrk_y", "skin_data": "fcdrk"})"));
    EXPECT_EQ(fw::list_matching(fw::backup_folder_path() + "\\User00007iff_Bob-*_UserData4_*").size(), 1u);
}

TEST_F(CliSim, EditBacksUpAsTheSettingSaysUnlessTold) {
    const std::string path = put({});
    // The setting (nothing: not set), an option, whether a backup is made.
    const std::tuple<const char*, const char*, bool> cases[] = {{nullptr, "", true},
                                                                {"", "", true},
                                                                {"0", "", false},
                                                                {"0", "--backup", true},
                                                                {"1", "--no-backup", false}};
    for (const auto& [setting, option, backup] : cases) {
        SetUp();
        std::filesystem::remove(fw::settings_file(fw::kAppFacewright));
        if (setting) fw::save_setting(fw::kAppFacewright, fw::kKeyBackupSavedFile, setting);
        const auto r = *option ? cli({"edit", path, option}) : cli({"edit", path});
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_EQ(backups().size(), backup ? 1u : 0u) << (setting ? setting : "(not set)") << " " << option;
    }
    EXPECT_NE(cli({"edit", path, "--backup", "--no-backup"}).exit_code, 0);
}

TEST_F(CliSim, RefusalsLeaveTheFileUntouched) {
    const std::tuple<fw::build::SimSpec, const char*, const char*, const char*> cases[] = {
        {fw::build::pet_spec("Rex", true), "--name", "Max",
         "This sim is a pet. Only people can be edited.\n"},
        {{}, "--name", "Zo\xC3\xAB \xE2\x98\x83", "\"\xE2\x98\x83\""},
        {{}, "--head", "C1", "--head takes MODEL,SKIN\n"},
        {{}, "--name", "Max", "This sim's file is read-only:"},  // last: the file stays read-only
    };
    for (const auto& [shape, option, value, message] : cases) {
        const std::string path = put(shape);
        const std::string bytes = fw::read_file(path);
        if (std::string(message).starts_with("This sim's file is read-only"))
            std::filesystem::permissions(path, std::filesystem::perms::owner_read);
        const auto r = cli({"edit", path, "--backup", option, value});
        EXPECT_EQ(r.exit_code, 1) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;  // the box's whole text is the save's
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(fw::read_file(path), bytes);
        EXPECT_TRUE(backups().empty());
    }
}

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
