#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "editor/sim_save.hpp"
#include "platform/game_paths.hpp"
#include "shell/settings.hpp"
#include "support/run_cli.hpp"
#include "support/sim_builder.hpp"
#include "support/temp_dir.hpp"

namespace {

using nlohmann::json;
using fw::build::SimSpec;

fw::build::CliResult cli(std::initializer_list<std::string> args) { return fw::build::run_cli(FACEWRIGHT_CLI_PATH, args); }

class CliSim : public testing::Test {
protected:
    std::string put(const SimSpec& shape, const std::string& file = "User00007.iff") {
        return dir_.write("UserData4/Characters/" + file, fw::build::sim_file(shape));
    }
    static size_t backups() {
        size_t n = 0;
        if (fw::folder_exists(fw::backup_folder_path())) {
            n = fw::list_matching(fw::backup_folder_path() + "\\User00007iff_*", true).size();
        }
        return n;
    }
    fw::build::TempDir dir_;
};

TEST_F(CliSim, ShowsWhatTheEditorShows) {
    SimSpec shape;
    shape.name = "Ren\xE9";
    shape.tone = "unk";
    shape.head = "C123FA_Test,HEAD-HEAD=c123fadrk_test;extra";
    shape.gender = "female";
    const auto r = cli({"sim", put(shape), "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(json::parse(r.out), json({{"kind", "person"}, {"name", "Ren\xC3\xA9"}, {"age", "adult"},
                                        {"gender", "female"}, {"tone", nullptr}, {"model", "C123FA_Test"},
                                        {"skin", "c123fadrk_test"}, {"skin_data", "fadrk"}}));

    const auto pet = cli({"sim", put(fw::build::pet_spec("Tom", false), "User00008.iff"), "--json"});
    ASSERT_EQ(pet.exit_code, 0) << pet.err;
    EXPECT_EQ(json::parse(pet.out)["kind"], "pet");
    EXPECT_EQ(json::parse(pet.out)["model"], "NONE");

    const auto text = cli({"sim", put(SimSpec{}, "User00009.iff")});
    EXPECT_NE(text.out.find("name: Bob\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("skin_data: malgt\n"), std::string::npos) << text.out;
}

TEST_F(CliSim, InvalidFilesGiveAClearMessage) {
    SimSpec no_comma;
    no_comma.head = "NOHEAD";
    const auto r = cli({"sim", put(no_comma), "--json"});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(json::parse(r.out), json({{"error", "User IFF File Invalid."}}));
    EXPECT_EQ(cli({"sim", dir_.write("other.iff", "not an iff")}).err, "User IFF File Invalid.\n");
    EXPECT_EQ(cli({"sim", dir_.str() + "/none.iff"}).exit_code, 1);
}

TEST_F(CliSim, EditSavesWhatTheEditorWouldSave) {
    fw::save_setting(fw::kAppFacewright, fw::kKeyBackupSavedFile, "0");
    const std::string path = put(SimSpec{});
    auto r = cli({"edit", path, "--name", "Ren\xC3\xA9" "e", "--tone", "drk", "--head", "C9MA_X,c9madrk_y"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, "Ren\xC3\xA9" "e has been saved.\n");
    EXPECT_NE(fw::read_file(path).find("Ren\xE9" "e"), std::string::npos);
    EXPECT_EQ(backups(), 0u);

    r = cli({"sim", path, "--json"});
    EXPECT_EQ(json::parse(r.out), json({{"kind", "person"}, {"name", "Ren\xC3\xA9" "e"}, {"age", "adult"},
                                        {"gender", "male"}, {"tone", "drk"}, {"model", "C9MA_X"},
                                        {"skin", "c9madrk_y"}, {"skin_data", "madrk"}}));
    EXPECT_NE(fw::read_file(path).find("B001MAFit_01,BODY=b001mafitdrk_relax"), std::string::npos);
    EXPECT_EQ(fw::read_file(fw::temp_file_path()), fw::read_file(path));
}

TEST_F(CliSim, EditBacksUpAsTheSettingSaysUnlessTold) {
    const std::string path = put(SimSpec{});
    struct Case {
        const char* setting;  // nullptr: not set
        std::vector<std::string> flags;
        bool backup;
    };
    const Case cases[] = {{nullptr, {}, true},       {"", {}, true},           {" 1", {}, true},
                          {"0", {}, false},          {"yes", {}, false},       {"0", {"--backup"}, true},
                          {"1", {"--no-backup"}, false}};
    for (const Case& c : cases) {
        std::error_code ignored;
        std::filesystem::remove(fw::settings_file(fw::kAppFacewright), ignored);
        if (c.setting) fw::save_setting(fw::kAppFacewright, fw::kKeyBackupSavedFile, c.setting);
        std::filesystem::remove_all(fw::resolve_path(fw::backup_folder_path()), ignored);
        const auto r = c.flags.empty() ? cli({"edit", path})
                                       : cli({"edit", path, c.flags[0]});
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_EQ(backups(), c.backup ? 1u : 0u) << (c.setting ? c.setting : "(unset)");
    }
    EXPECT_NE(cli({"edit", path, "--backup", "--no-backup"}).exit_code, 0);
}

TEST_F(CliSim, RefusalsLeaveTheFileUntouched) {
    fw::save_setting(fw::kAppFacewright, fw::kKeyBackupSavedFile, "1");
    SimSpec short_list;
    short_list.entry_count = 30;
    struct Case {
        const char* what;
        SimSpec shape;
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {"pet", fw::build::pet_spec("Rex", true), {"--name", "Max"}, "This sim is a pet. Only people can be edited.\n"},
        {"short list", short_list, {"--tone", "med"}, "User IFF File Invalid.\n"},
        {"snowman", SimSpec{}, {"--name", "Zo\xC3\xAB \xE2\x98\x83"}, ""},
        {"empty name", SimSpec{}, {"--name", ""}, "The name is empty. Nothing was saved.\n"},
        {"head without comma", SimSpec{}, {"--head", "C1"}, "--head takes MODEL,SKIN\n"},
    };
    for (const Case& c : cases) {
        const std::string bytes = fw::build::sim_file(c.shape);
        const std::string path = dir_.write("UserData4/Characters/User00007.iff", bytes);
        std::error_code ignored;
        std::filesystem::remove_all(fw::resolve_path(fw::backup_folder_path()), ignored);
        const auto r = c.args.size() == 2 ? cli({"edit", path, c.args[0], c.args[1]}) : cli({"edit", path});
        EXPECT_EQ(r.exit_code, 1) << c.what;
        if (!c.message.empty()) {
            EXPECT_EQ(r.err, c.message) << c.what;
        }
        EXPECT_EQ(r.out, "") << c.what;
        EXPECT_EQ(fw::read_file(path), bytes) << c.what;
        EXPECT_EQ(backups(), 0u) << c.what;
    }
}

}  // namespace
