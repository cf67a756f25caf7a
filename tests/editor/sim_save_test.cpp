#include <gtest/gtest.h>

#include <filesystem>

#include "editor/outfit_table.hpp"
#include "editor/sim_save.hpp"
#include "formats/binary.hpp"
#include "platform/game_paths.hpp"
#include "shell/error_trap.hpp"
#include "support/sim_builder.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::SimSpec;

struct Parsed {
    fw::IFFFile file;
    fw::STRList appearance;
    fw::STRList names;
};

Parsed parse(const std::string& bytes) {
    Parsed p;
    EXPECT_EQ(fw::read_iff_checked_from_bytes(p.file, bytes), "");
    fw::gsReadSTRSegment(p.file, p.appearance, fw::gfstrHexToStr4(fw::kAppearanceKey), false);
    fw::gsReadSTRSegment(p.file, p.names, fw::gfstrHexToStr4(fw::kNameKey), true);
    return p;
}

const fw::LocalTime kTime{2024, 1, 2, 3, 4};

class SimSave : public testing::Test {
protected:
    void SetUp() override {
        std::error_code ignored;
        std::filesystem::remove_all(fw::resolve_path(fw::backup_folder_path()), ignored);
        fw::delete_file(fw::temp_file_path());
    }

    // Writes the sim where the game keeps it and opens it as the editor does.
    void put(const SimSpec& shape) {
        original_ = fw::build::sim_file(shape);
        path_ = game_.write("UserData3/Characters/User00005.iff", original_);
    }
    fw::EditorSession open() {
        fw::EditorSession session;
        EXPECT_EQ(fw::open_sim_for_editing(path_, session), std::nullopt);
        return session;
    }
    fw::SaveResult save(fw::SimControls controls, bool backup = false, fw::SaveFiles* files = nullptr) {
        fw::EditorSession session = open();
        fw::SaveOptions options;
        options.make_backup = backup;
        options.clock = [] { return kTime; };
        options.files = files;
        return fw::save_sim(session, controls, options);
    }
    fw::SimControls shown() {
        fw::EditorSession session = open();
        return fw::read_sim_controls(session.appearance, session.names);
    }
    std::string current() const { return fw::read_file(path_); }

    fw::build::TempDir game_;
    std::string path_;
    std::string original_;
};

TEST_F(SimSave, NameOnlyChangesTheControlEntriesAndDropsBitmapsAndMap) {
    SimSpec shape;
    shape.head = "C123MA_Test,HEAD-HEAD=c123malgt_test;extra";
    shape.bitmaps = {{"web_image", std::string(70, '\x42')}, {"faces", std::string(58, '\x4D')}};
    put(shape);
    fw::SimControls controls = shown();
    controls.name = "Robert";
    const fw::SaveResult result = save(controls);
    ASSERT_TRUE(result.saved());
    EXPECT_EQ(result.previous_name, "Bob");

    const std::string saved = current();
    const Parsed before = parse(original_);
    const Parsed after = parse(saved);
    EXPECT_EQ(saved.substr(0, 60), original_.substr(0, 60));
    EXPECT_EQ(saved.substr(60, 4), std::string(4, '\0'));
    EXPECT_FALSE(after.file.has_map);

    std::vector<const fw::IFFChunk*> kept;
    for (const fw::IFFChunk& c : before.file.chunks) {
        if (c.type != "BMP_") kept.push_back(&c);
    }
    ASSERT_EQ(after.file.chunks.size(), kept.size());
    for (size_t i = 0; i < kept.size(); ++i) {
        const fw::IFFChunk& b = *kept[i];
        const fw::IFFChunk& a = after.file.chunks[i];
        EXPECT_EQ(a.type, b.type);
        EXPECT_EQ(a.id_flags, b.id_flags);
        EXPECT_EQ(a.label, b.label);
        if (b.type != "STR#" && b.type != "CTSS") {
            EXPECT_EQ(a.data, b.data) << b.type;
        }
    }

    const std::map<size_t, std::string> changed = {
        {1, "adult"}, {3, "C123MA_Test,HEAD-HEAD=c123malgt_test"}, {13, "male"}, {14, "27"}, {15, "lgt"}};
    ASSERT_EQ(after.appearance.item_count(), 35u);
    EXPECT_EQ(after.appearance.format, before.appearance.format);
    EXPECT_EQ(after.appearance.count, before.appearance.count);
    EXPECT_EQ(after.appearance.rest, before.appearance.rest);
    EXPECT_NE(before.appearance.item(14).value, "27");
    for (size_t n = 1; n <= 35; ++n) {
        const auto it = changed.find(n);
        EXPECT_EQ(after.appearance.item(n).value, it != changed.end() ? it->second : before.appearance.item(n).value)
            << "entry " << n;
        EXPECT_EQ(after.appearance.item(n).prefix, before.appearance.item(n).prefix);
        EXPECT_EQ(after.appearance.item(n).second, before.appearance.item(n).second);
    }
    EXPECT_EQ(after.names.item(1).value, "Robert");
    EXPECT_EQ(after.names.item(2).value, before.names.item(2).value);
    EXPECT_EQ(after.names.rest, before.names.rest);

    EXPECT_EQ(fw::read_file(fw::temp_file_path()), saved);  // left in place
    EXPECT_FALSE(fw::folder_exists(fw::backup_folder_path()));
}

TEST_F(SimSave, BodyChangesApplyTheTableRowOfTheNewBody) {
    struct Case {
        const char* what;
        std::string tone;  // entry 15 in the file
        void (*change)(fw::SimControls&);
        bool adult, male;
        fw::Tone row_tone;
        const char* age_number;
    };
    const Case cases[] = {
        {"light to dark", "lgt", [](fw::SimControls& c) { c.tone = fw::Tone::Dark; }, true, true, fw::Tone::Dark, "27"},
        {"adult to child", "med", [](fw::SimControls& c) { c.adult = false; }, false, true, fw::Tone::Medium, "9"},
        {"male to female", "lgt", [](fw::SimControls& c) { c.male = false; }, true, false, fw::Tone::Light, "27"},
        {"unknown tone saved as is", "xyz", [](fw::SimControls&) {}, true, true, fw::Tone::Dark, "27"},
    };
    for (const Case& c : cases) {
        SimSpec shape;
        shape.tone = c.tone;
        put(shape);
        fw::SimControls controls = shown();
        c.change(controls);
        ASSERT_TRUE(save(controls).saved()) << c.what;
        const Parsed before = parse(original_);
        const Parsed after = parse(current());
        EXPECT_EQ(after.appearance.item(15).value, fw::tone_code(c.row_tone)) << c.what;
        EXPECT_EQ(after.appearance.item(14).value, c.age_number) << c.what;
        for (const auto& [n, value] : fw::outfit_row(c.adult, c.male, c.row_tone)) {
            EXPECT_EQ(after.appearance.item(n).value, value) << c.what << " entry " << n;
        }
        for (size_t n : {4, 12, 24, 27, 35}) {
            EXPECT_EQ(after.appearance.item(n).value, before.appearance.item(n).value) << c.what << " entry " << n;
        }
    }
}

TEST_F(SimSave, NamesAreStoredAsWindows1252Bytes) {
    put(SimSpec{});
    fw::SimControls controls = shown();
    controls.name = fw::encode_for_game("Ren\xC3\xA9" "e", "name").bytes;
    ASSERT_TRUE(save(controls).saved());
    EXPECT_EQ(parse(current()).names.item(1).value, "Ren\xE9" "e");
    EXPECT_EQ(shown().name, "Ren\xE9" "e");
}

TEST_F(SimSave, RefusalsWriteNothing) {
    put(fw::build::pet_spec("Tom", false));
    fw::EditorSession pet;
    ASSERT_EQ(fw::read_sim_file(path_, pet), std::nullopt);
    fw::SimControls controls;
    controls.name = "Tom";
    EXPECT_EQ(fw::save_sim(pet, controls).refusal, fw::pet_box());

    put(SimSpec{});
    controls = shown();
    controls.name.clear();
    EXPECT_FALSE(save(controls, true).saved());
    controls.name = std::string("B\0b", 3);
    EXPECT_FALSE(save(controls, true).saved());

    EXPECT_EQ(current(), original_);
    EXPECT_FALSE(fw::file_exists(fw::temp_file_path()));
    EXPECT_FALSE(fw::folder_exists(fw::backup_folder_path()));
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

TEST(SimBackupName, PartsOfTheName) {
    EXPECT_EQ(fw::backup_time_text({2031, 12, 9, 23, 7}), "20311209_230707");
    EXPECT_EQ(fw::neighbourhood_of("C:\\Games\\The Sims\\UserData2\\Characters\\User00012.iff"), "UserData2");
    EXPECT_EQ(fw::neighbourhood_of("/home/p/the sims/userdata/characters/User00012.iff"), "userdata");
    EXPECT_EQ(fw::neighbourhood_of("/home/p/sims/User00012.iff"), "");
    EXPECT_EQ(fw::backup_sim_part("Bob", "Bob"), "Bob");
    EXPECT_EQ(fw::backup_sim_part("Bob", "Robert"), "Bob-Robert");
    EXPECT_EQ(fw::backup_sim_part("Zo\xEB", "\xC6" "sa \x8A" "ar\xDF"), "Zoe-AEsa Sarss");
    EXPECT_EQ(fw::backup_name("User00005.iff", "Bob Newbie", "UserData", {2024, 5, 6, 7, 8}),
              "User00005iff_BobNewbie_UserData_20240506_070808");
}

// Fails the n-th file operation of a save, as a full disk or a vanished folder would.
class FailingFiles : public fw::SaveFiles {
public:
    explicit FailingFiles(int fail_at) : fail_at_(fail_at) {}
    int calls() const { return calls_; }
    bool file_exists(const std::string& p) override { return step(), SaveFiles::file_exists(p); }
    bool folder_exists(const std::string& p) override { return step(), SaveFiles::folder_exists(p); }
    bool create_folder(const std::string& p) override { return step(), SaveFiles::create_folder(p); }
    bool delete_file(const std::string& p) override { return step(), SaveFiles::delete_file(p); }
    void write_without_bitmaps(const fw::IFFFile& f, const std::string& p) override {
        step();
        SaveFiles::write_without_bitmaps(f, p);
    }
    std::string read_file(const std::string& p) override { return step(), SaveFiles::read_file(p); }
    void copy_file(const std::string& a, const std::string& b) override {
        step();
        SaveFiles::copy_file(a, b);
    }
    void replace_file(const std::string& t, const std::string& bytes) override {
        step();
        SaveFiles::replace_file(t, bytes);
    }
    std::string listed_name(const std::string& p) override { return step(), SaveFiles::listed_name(p); }

private:
    void step() {
        if (calls_++ == fail_at_) fw::fail(fw::ErrorKind::DeviceIOError);
    }
    int fail_at_;
    int calls_ = 0;
};

TEST_F(SimSave, TheCharacterFileIsWholeWhicheverStepFails) {
    SimSpec shape;
    shape.bitmaps = {{"web_image", std::string(70, '\x42')}};
    put(shape);
    fw::SimControls controls = shown();
    controls.name = "Robert";
    controls.tone = fw::Tone::Medium;
    ASSERT_TRUE(save(controls).saved());
    const std::string saved = current();
    ASSERT_NE(saved, original_);

    int failures = 0;
    bool backup_copy_failed = false;
    for (int fail_at = 0;; ++fail_at) {
        SetUp();
        put(shape);
        FailingFiles files(fail_at);
        try {
            save(controls, true, &files);
            EXPECT_EQ(current(), saved);
            break;  // no step left to fail
        } catch (const fw::TrapRaised&) {
            ++failures;
            ASSERT_TRUE(fw::file_exists(path_)) << "step " << fail_at;
            const std::string now = current();
            EXPECT_TRUE(now == original_ || now == saved) << "step " << fail_at;
            const fw::ErrorContext& where = fw::error_context();
            EXPECT_EQ(where.number, 57);
            if (where.procedure == "msMakeUserBackup" && where.location == 3000) backup_copy_failed = true;
            if (fail_at == files.calls() - 1 && where.location == 4000) {
                EXPECT_EQ(where.procedure, "cmdSave_Click");
                EXPECT_EQ(now, original_);
            }
        }
        ASSERT_LT(fail_at, 50);
    }
    EXPECT_GE(failures, 8);
    EXPECT_TRUE(backup_copy_failed);
}

}  // namespace
