#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <tuple>

#include "editor/outfit_table.hpp"
#include "editor/sim_save.hpp"
#include "formats/binary.hpp"
#include "formats/character_file.hpp"
#include "platform/game_files.hpp"
#include "platform/game_paths.hpp"
#include "shell/error_trap.hpp"
#include "builders/sim_builder.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::SimSpec;

// The default sim with some fields changed.
template <class Change>
SimSpec shaped(Change change) {
    SimSpec shape;
    change(shape);
    return shape;
}

fw::LocalTime fixed_time() { return {2024, 1, 2, 3, 4}; }

class SimSave : public testing::Test {
protected:
    void SetUp() override {
        std::error_code ignored;
        std::filesystem::remove_all(fw::resolve_path(fw::backup_folder_path()), ignored);
        fw::delete_file(fw::temp_file_path());
    }

    // Writes the sim where the game keeps it.
    void put(const SimSpec& shape) {
        original_ = fw::build::sim_file(shape);
        path_ = game_.write("UserData3/Characters/User00005.iff", original_);
    }
    // Read without the editor's checks on opening, so that the save has to make them itself.
    fw::EditorSession session() {
        fw::EditorSession read;
        EXPECT_EQ(fw::read_sim_file(path_, read), std::nullopt);
        return read;
    }
    fw::SaveResult save(const fw::SimControls& controls, bool backup = false, fw::SaveFiles* files = nullptr) {
        fw::EditorSession edited = session();
        return fw::save_sim(edited, controls, {.make_backup = backup, .clock = fixed_time, .files = files});
    }
    fw::SimControls shown() {
        const fw::EditorSession read = session();
        return fw::read_sim_controls(read.appearance, read.names);
    }
    std::string current() const { return fw::read_file(path_); }

    fw::build::TempDir game_;
    std::string path_;
    std::string original_;
};

TEST_F(SimSave, NameOnlyChangesTheControlEntriesAndDropsBitmapsAndMap) {
    put(shaped([](SimSpec& s) {
        s.head = "C123MA_Test,HEAD-HEAD=c123malgt_test;extra";
        s.bitmaps = {{"web_image", std::string(70, 'B')}};
    }));
    fw::EditorSession expected = session();
    fw::SimControls controls = shown();
    controls.name = fw::encode_for_game("Ren\xC3\xA9" "e", "name").bytes;
    ASSERT_TRUE(save(controls).saved());

    // The file as it was, with exactly these entries changed, written without bitmaps.
    ASSERT_NE(expected.appearance.item(14).value, "27");
    for (const auto& [n, value] : std::map<size_t, std::string>{
             {1, "adult"}, {3, "C123MA_Test,HEAD-HEAD=c123malgt_test"}, {13, "male"}, {14, "27"}, {15, "lgt"}}) {
        expected.appearance.item(n).value = value;
    }
    expected.names.item(1).value = "Ren\xE9" "e";  // the game's one byte, not UTF-8
    fw::gsWriteSTRSegment(expected.image, expected.appearance, fw::gfstrHexToStr4(fw::kAppearanceKey), false);
    fw::gsWriteSTRSegment(expected.image, expected.names, fw::gfstrHexToStr4(fw::kNameKey), true);
    const std::string saved = current();
    EXPECT_EQ(saved, fw::iff_bytes_without_bitmaps(expected.image));
    EXPECT_EQ(saved.substr(60, 4), std::string(4, '\0'));  // no map offset
    EXPECT_EQ(saved.find("BMP_"), std::string::npos);
    EXPECT_EQ(saved.find("rsmp"), std::string::npos);
    EXPECT_EQ(shown().name, "Ren\xE9" "e");

    EXPECT_EQ(fw::read_file(fw::temp_file_path()), saved);  // left in place
    EXPECT_FALSE(fw::folder_exists(fw::backup_folder_path()));
}

TEST_F(SimSave, BodyChangesApplyTheTableRowOfTheNewBody) {
    // The tone in the file, then the controls: adult, male, tone (none chosen: saved as dark).
    const std::tuple<std::string, bool, bool, std::optional<fw::Tone>> cases[] = {
        {"lgt", true, true, fw::Tone::Dark},   {"med", false, true, fw::Tone::Medium},
        {"lgt", true, false, fw::Tone::Light}, {"xyz", true, true, std::nullopt}};
    for (const auto& [file_tone, adult, male, tone] : cases) {
        SimSpec shape;
        shape.tone = file_tone;
        put(shape);
        fw::SimControls controls = shown();
        std::tie(controls.adult, controls.male, controls.tone) = std::tie(adult, male, tone);
        ASSERT_TRUE(save(controls).saved()) << file_tone;
        const fw::STRList after = session().appearance;
        const fw::Tone row_tone = tone.value_or(fw::Tone::Dark);
        const std::string what = file_tone + (adult ? " adult " : " child ") + (male ? "male" : "female");
        EXPECT_EQ(after.item(15).value, fw::tone_code(row_tone)) << what;
        EXPECT_EQ(after.item(14).value, adult ? "27" : "9") << what;
        for (const auto& [n, value] : fw::outfit_row(adult, male, row_tone)) {
            EXPECT_EQ(after.item(n).value, value) << what << " entry " << n;
        }
    }
}

TEST_F(SimSave, RefusalsWriteNothing) {
    const std::pair<SimSpec, std::string> cases[] = {
        {fw::build::pet_spec("Tom", false), fw::kPetRefusedText},
        {shaped([](SimSpec& s) { s.head = "C001MA_Test HEAD-HEAD=c001malgt_test"; }), fw::kInvalidUserFileText},
        {shaped([](SimSpec& s) { s.entry_count = 33; }), fw::kInvalidUserFileText},
        {shaped([](SimSpec& s) { s.name = ""; }), "The name is empty. Nothing was saved."},
    };
    for (const auto& [shape, message] : cases) {
        put(shape);
        fw::SimControls controls;
        controls.name = shape.name;
        const fw::SaveResult result = save(controls, true);
        ASSERT_TRUE(result.refusal) << message;
        EXPECT_EQ(result.refusal->text, message);
        EXPECT_EQ(current(), original_) << message;
        EXPECT_FALSE(fw::file_exists(fw::temp_file_path())) << message;
        EXPECT_FALSE(fw::folder_exists(fw::backup_folder_path())) << message;
    }
}

TEST_F(SimSave, BackupsAreNamedForTheSimAndNeverOverwritten) {
    put(SimSpec{});
    const std::string folder = fw::backup_folder_path() + "\\";
    const std::string name = "User00005iff_Bob_UserData3_20240102_030404";

    fw::SimControls controls = shown();
    EXPECT_EQ(save(controls, true).backup_path, folder + name);
    const std::string after_first = current();
    EXPECT_EQ(save(controls, true).backup_path, folder + name + "_2");
    EXPECT_EQ(save(controls, true).backup_path, folder + name + "_3");
    EXPECT_EQ(fw::read_file(folder + name), original_);
    EXPECT_EQ(fw::read_file(folder + name + "_2"), after_first);

    controls.name = "Ren\xE9 Smith";
    EXPECT_EQ(save(controls, true).backup_path, folder + "User00005iff_Bob-ReneSmith_UserData3_20240102_030404");
}

TEST(SimBackupName, NeighbourhoodAndSimParts) {
    EXPECT_EQ(fw::neighbourhood_of("C:\\Games\\The Sims\\userdata2\\Characters\\User00012.iff"), "userdata2");
    EXPECT_EQ(fw::neighbourhood_of("/home/p/sims/User00012.iff"), "");
    EXPECT_EQ(fw::backup_sim_part("Zo\xEB", "\xC6" "sa \x8A" "ar\xDF"), "Zoe-AEsa Sarss");
}

// Fails the n-th file operation of a save, as a full disk or a vanished folder would.
struct FailingFiles : fw::SaveFiles {
    explicit FailingFiles(int fail_at) : fail_at(fail_at) {}
    void step() {
        if (calls++ == fail_at) fw::fail(fw::ErrorKind::DeviceIOError);
    }
    bool file_exists(const std::string& p) override { return step(), SaveFiles::file_exists(p); }
    bool folder_exists(const std::string& p) override { return step(), SaveFiles::folder_exists(p); }
    bool create_folder(const std::string& p) override { return step(), SaveFiles::create_folder(p); }
    bool delete_file(const std::string& p) override { return step(), SaveFiles::delete_file(p); }
    void write_without_bitmaps(const fw::IFFFile& f, const std::string& p) override {
        step();
        SaveFiles::write_without_bitmaps(f, p);
    }
    std::string read_file(const std::string& p) override { return step(), SaveFiles::read_file(p); }
    void copy_file(const std::string& a, const std::string& b) override { step(); SaveFiles::copy_file(a, b); }
    void replace_file(const std::string& t, const std::string& b) override { step(); SaveFiles::replace_file(t, b); }
    std::string listed_name(const std::string& p) override { return step(), SaveFiles::listed_name(p); }

    int fail_at;
    int calls = 0;
};

TEST_F(SimSave, TheCharacterFileIsWholeWhicheverStepFails) {
    put(SimSpec{});
    fw::SimControls controls = shown();
    controls.name = "Robert";
    ASSERT_TRUE(save(controls).saved());
    const std::string saved = current();
    ASSERT_NE(saved, original_);

    int failures = 0;
    bool backup_copy_failed = false;
    for (int fail_at = 0;; ++fail_at) {
        ASSERT_LT(fail_at, 50);
        SetUp();
        put(SimSpec{});
        FailingFiles files(fail_at);
        try {
            save(controls, true, &files);
            EXPECT_EQ(current(), saved);
            break;  // no step left to fail
        } catch (const fw::TrapRaised&) {
            ++failures;
            const std::string now = current();
            EXPECT_TRUE(now == original_ || now == saved) << "step " << fail_at;
            const fw::ErrorContext& where = fw::error_context();
            EXPECT_EQ(where.number, 57);
            if (where.procedure == "msMakeUserBackup" && where.location == 3000) backup_copy_failed = true;
        }
    }
    EXPECT_GE(failures, 8);
    EXPECT_TRUE(backup_copy_failed);
}

}  // namespace
