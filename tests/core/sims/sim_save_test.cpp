#include "core/sims/sim_save.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <future>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>

#include "core/base/error_trap.hpp"
#include "core/platform/file_lock.hpp"
#include "core/platform/program_folder.hpp"
#include "failing_files.hpp"
#include "outfit_rows.hpp"
#include "saved_sims.hpp"

namespace fs = std::filesystem;
using fw::build::SimSpec;
using fw::typed::outfits;

fw::LocalTime fixed_time() { return {2024, 1, 2, 3, 4}; }

class SimSave : public fw::typed::SavedSims {
protected:
    void SetUp() override {
        SavedSims::SetUp();
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
    fw::SaveResult save(const fw::SimControls& c, bool backup = false, fw::SaveFiles* files = nullptr) {
        fw::EditorSession edited = session();
        return fw::save_sim(edited, c, {.make_backup = backup, .clock = fixed_time, .files = files});
    }
    // The controls as the editor shows the sim, renamed when a name is given.
    fw::SimControls shown(const std::string& name = "") {
        const fw::EditorSession read = session();
        fw::SimControls controls = fw::read_sim_controls(read.appearance, read.names);
        if (!name.empty()) controls.name = name;
        return controls;
    }
    std::string current() const { return fw::read_file(path_); }

    std::string path_;
    std::string original_;
};

// A name-only save needs no outfit table: a list too short for it is saved too.
TEST_F(SimSave, NameOnlyChangesTheControlEntriesAndDropsBitmapsAndMap) {
    for (const int32_t entries : {35, 20}) {
        SimSpec shape{.head = "C123MA_Test,HEAD-HEAD=c123malgt_test;extra", .objd_label = "user00000 - Bob", .objd_id = 7,
                      .bitmaps = {{"web_image", std::string(70, 'B')}}, .entry_count = entries};
        put(shape);
        ASSERT_TRUE(save(shown(fw::encode_for_game("Zo\xC3\xAB", "name").bytes)).saved()) << entries;

        // The same sim built with the new name and these entries, without bitmaps and map.
        std::vector<std::string> values = fw::build::appearance_values(shape);
        ASSERT_NE(values[14 - 1], "27");
        values[3 - 1] = "C123MA_Test,HEAD-HEAD=c123malgt_test";
        values[14 - 1] = "27";
        shape.name = "Zo\xEB";  // the game's one byte, not UTF-8
        shape.bitmaps.clear();
        shape.with_map = false;
        EXPECT_EQ(current(), fw::build::sim_file(shape, values)) << entries;
        EXPECT_EQ(fw::read_file(fw::temp_file_path()), current());  // left in place
    }
}

TEST_F(SimSave, BodyChangesApplyTheTableRowOfTheNewBody) {
    // The tone in the file, then the controls: adult, male, tone (none chosen: saved as dark).
    const std::tuple<std::string, bool, bool, std::optional<fw::Tone>> cases[] = {
        {"lgt", true, true, fw::Tone::Dark}, {"med", false, true, fw::Tone::Medium},
        {"lgt", true, false, fw::Tone::Light}, {"xyz", true, true, std::nullopt}};
    for (const auto& [file_tone, adult, male, tone] : cases) {
        put({.tone = file_tone});
        fw::SimControls controls = shown();
        std::tie(controls.adult, controls.male, controls.tone) = std::tie(adult, male, tone);
        ASSERT_TRUE(save(controls).saved()) << file_tone;
        const fw::STRList after = session().appearance;
        const std::string row_tone = tone ? fw::tone_code(*tone) : "drk";
        const std::string what = file_tone + (adult ? " adult " : " child ") + (male ? "male" : "female");
        EXPECT_EQ(after.item(15).value, row_tone) << what;
        EXPECT_EQ(after.item(14).value, adult ? "27" : "9") << what;
        for (const auto& [n, value] : outfits(adult, male, row_tone))
            EXPECT_EQ(after.item(n).value, value) << what << " entry " << n;
    }
}

// Refused before anything is written: no usertemp.iff, no file beside the sim's, no backup.
TEST_F(SimSave, RefusalsWriteNothing) {
    const fs::perms read_only = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const struct {
        const char* what;
        SimSpec shape;
        std::string text;  // "" for the read-only box
    } cases[] = {
        {"cat", fw::build::pet_spec("Tom", false), fw::kPetRefusedText},
        {"head without a comma", {.head = "C001MA_Test HEAD-HEAD=c001malgt_test"}, fw::kInvalidUserFileText},
        {"33 entries and a new tone", {.entry_count = 33}, fw::kInvalidUserFileText},
        {"entry 1 neither adult nor child", {.age = "elder"}, fw::kInvalidUserFileText},
        {"no name", {.name = ""}, "The name is empty. Nothing was saved."},
        {"read-only file", SimSpec{}, ""},  // last: the file stays read-only
    };
    for (const auto& c : cases) {
        put(c.shape);
        if (c.text.empty()) fs::permissions(path_, read_only);
        const fs::perms perms = fs::status(path_).permissions();
        // Adult, male, no tone: the file's light tone becomes dark.
        const fw::SaveResult result =
            save({.name = c.shape.name, .model = "C001MA_Test", .skin = "c001malgt_test", .tone = {}}, true);
        ASSERT_TRUE(result.refusal) << c.what;
        const fw::BoxMessage& box = *result.refusal;
        const std::string locked = "This sim's file is read-only:\r\n" + fw::display_path(path_) + "\r\n";
        EXPECT_EQ(box.text, c.text.empty() ? locked + "Nothing was saved." : c.text) << c.what;
        EXPECT_TRUE(!c.text.empty() || (box.style == 16 && box.title == "Save Terminated")) << box.title;
        EXPECT_EQ(current(), original_) << c.what;
        EXPECT_EQ(fs::status(path_).permissions(), perms) << c.what;
        EXPECT_EQ(fw::list_matching(game_.str() + "/UserData3/Characters/*").size(), 1u) << c.what;
        EXPECT_FALSE(fw::file_exists(fw::temp_file_path())) << c.what;
        EXPECT_FALSE(fw::folder_exists(fw::backup_folder_path())) << c.what;
    }
}

// A process id that is not running: a child that has ended.
pid_t ended_process() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

TEST_F(SimSave, ClearsLeftoversOfEndedProcessesOnlyAndNeverWritesThroughALinkThere) {
    // Plain files left beside the sims by a killed save are ours: they go, and the save goes on.
    // The new file of a process that still runs is its own, and stays.
    put(SimSpec{});
    const std::string ended = "User00009.iff." + std::to_string(ended_process()) + ".facewright-new";
    game_.write("UserData3/Characters/User00005.iff.facewright-new", "left over");
    const std::string others[] = {game_.write("UserData3/Characters/" + ended, "killed"),
                                  game_.write("UserData3/Characters/User00009.iff.facewright-new", "older")};
    const std::string running = game_.write("UserData3/Characters/User00009.iff.1.facewright-new", "busy");
    const fw::SimControls controls = shown("Robert");
    ASSERT_TRUE(save(controls).saved());
    for (const std::string& other : others) EXPECT_FALSE(fs::exists(other)) << other;
    EXPECT_TRUE(fs::exists(running));

    // A link planted at the name of the file written beside the sim's is never followed.
    const std::string victim = game_.write("victim.txt", "not yours");
    const std::string beside = game_.str() + "/UserData3/Characters/" + fw::replacement_name("User00005.iff");
    for (const std::string& target : {victim, game_.str() + "/nowhere.txt"}) {
        put(SimSpec{});
        fs::remove(beside);
        fs::create_symlink(target, beside);
        try {
            save(controls);
        } catch (const fw::TrapRaised&) {
            // Refusing to save is fine; following the link is not.
        }
        EXPECT_EQ(fw::read_file(victim), "not yours") << target;
        EXPECT_FALSE(fs::exists(game_.str() + "/nowhere.txt"));
        EXPECT_FALSE(fs::is_symlink(path_)) << target;
        EXPECT_TRUE(current() == original_ || shown().name == "Robert") << target;
    }
}

TEST_F(SimSave, BackupsAreNamedForTheSimAndNeverOverwritten) {
    put(SimSpec{});
    const std::string folder = fw::backup_folder_path() + "\\";
    const std::string name = "User00005iff_Bob_UserData3_20240102_030404";

    fw::SimControls controls = shown();
    for (const std::string suffix : {"", "_2", "_3"}) {
        const std::string before = current();
        EXPECT_EQ(save(controls, true).backup_path, folder + name + suffix);
        EXPECT_EQ(fw::read_file(folder + name + suffix), before);
    }

    controls.name = "Ren\xE9 Smith";
    EXPECT_EQ(save(controls, true).backup_path,
              folder + "User00005iff_Bob-ReneSmith_UserData3_20240102_030404");

    // The neighbourhood and the sim part on their own.
    EXPECT_EQ(fw::neighbourhood_of("C:\\Games\\The Sims\\userdata2\\Characters\\User00012.iff"), "userdata2");
    EXPECT_EQ(fw::neighbourhood_of("/home/p/sims/User00012.iff"), "");
    // A saves folder below a user named like a neighbourhood.
    EXPECT_EQ(fw::neighbourhood_of("/home/userdata7/Sims/UserData3/Characters/User00001.iff"), "UserData3");
    EXPECT_EQ(fw::backup_sim_part("Zo\xEB", "\xC6sa \x8C\x8Aor\xDF"), "Zoe-AEsa OESorss");

    // A name of any length is saved: only the sim part of the backup's name gives way, leaving room
    // for a minute's "_2" ... and the name the backup is first written under.
    controls.name = std::string(300, 'n');
    for (const std::string suffix : {"", "_2"}) {
        put(SimSpec{});
        const std::string long_name = save(controls, true).backup_path.substr(folder.size());
        // sizeof counts the terminating zero too.
        EXPECT_LE(long_name.size() - suffix.size() + sizeof("_99999.source.4194304.facewright-new"), 256u);
        EXPECT_EQ(long_name.rfind("User00005iff_Bob-nnn", 0), 0u) << long_name;
        EXPECT_TRUE(long_name.ends_with("_UserData3_20240102_030404" + suffix)) << long_name;
    }
}

// Whichever file operation fails, the save is reported with its cause and logged, the sim's file
// is the old one whole, and a backup stands only whole.
TEST_F(SimSave, AFailedFileOperationIsReportedAndChangesNothing) {
    int fail_at = 0;
    for (;; ++fail_at) {
        ASSERT_LT(fail_at, 50);
        SetUp();
        put(SimSpec{});
        fw::delete_file(fw::program_folder() + "\\errorlog.txt");
        fw::typed::FailingFiles files(fail_at, fw::ErrorKind::DiskFull);
        const fw::SaveResult result = save(shown("Robert"), true, &files);
        if (result.saved()) break;  // no step left to fail
        const std::string& text = result.refusal->text;
        EXPECT_NE(text.find("Error 61 - Disk full,\r\nwhile "), std::string::npos) << text;
        EXPECT_NE(text.find("Nothing was changed: the sim's file is as it was:"), std::string::npos) << text;
        EXPECT_EQ(current(), original_) << "step " << fail_at;
        EXPECT_NE(fw::read_file(fw::program_folder() + "\\errorlog.txt").find("Error: 61"),
                  std::string::npos);
        for (const std::string& name : fw::list_matching(fw::backup_folder_path() + "\\*", fw::Listing::FilesOnly))
            EXPECT_EQ(fw::read_file(fw::backup_folder_path() + "\\" + name), original_) << name;
    }
    EXPECT_GT(fail_at, 3);  // the folder, usertemp.iff, the backup and the replace each failed

    // A disk that fills (writes past a size limit fail as on a full disk) takes usertemp.iff, without
    // the sim's pictures, and stops the backup halfway: no backup is left under its name.
    SetUp();
    put({.bitmaps = {{"web_image", std::string(20000, 'B')}}});
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    const rlimit limit{original_.size() - 10000, unlimited.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    const fw::SaveResult result = save(shown(), true);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    ASSERT_FALSE(result.saved());
    EXPECT_NE(result.refusal->text.find("while making the backup"), std::string::npos);
    EXPECT_EQ(current(), original_);
    EXPECT_TRUE(fw::list_matching(fw::backup_folder_path() + "\\*", fw::Listing::FilesOnly).empty());
    // Nor does a backup ever take the name of one that is there.
    const std::string earlier = game_.write("earlier", "earlier");
    EXPECT_THROW(fw::create_file_atomically(earlier, "later"), fw::Failure);
    EXPECT_EQ(fw::read_file(earlier), "earlier");
}

// Another program saved the sim after it was read (the second time keeping size and time written):
// nothing is written unless the player chooses to overwrite; the backup keeps the other version.
// A file only touched (its bytes as read) is no change. A save of this program in another process
// holding the lock is waited for, and its change seen. The new file is made of the save's own bytes.
TEST_F(SimSave, AChangeMadeElsewhereIsNeverOverwrittenUnasked) {
    put(SimSpec{});
    fw::EditorSession session = this->session();
    fw::SimControls controls = shown("Mine");
    const std::string theirs = fw::build::sim_file({.name = "Theirs"});
    const fs::file_time_type loaded_time{std::chrono::nanoseconds(session.loaded_stamp.written)};
    for (const std::string& change : {original_.substr(0, original_.size() - 1) + "!", theirs}) {
        fw::write_file(path_, change);
        fs::last_write_time(path_, loaded_time);
        fw::EditorSession attempt = session;
        EXPECT_TRUE(fw::save_sim(attempt, controls, {.make_backup = true}).changed_elsewhere);
        EXPECT_EQ(current(), change);
        EXPECT_FALSE(fw::folder_exists(fw::backup_folder_path()));
    }
    fw::write_file(path_, original_);
    fs::last_write_time(path_, loaded_time + std::chrono::hours(1));
    fw::EditorSession touched = session;
    EXPECT_TRUE(fw::save_sim(touched, controls).saved());

    std::promise<void> locked;
    std::thread other([&] {
        const fw::FileLock lock(fw::save_lock_path());
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        fw::write_file(path_, theirs);
    });
    locked.get_future().wait();
    fw::EditorSession waiting = touched;
    controls.name = "Later";
    EXPECT_TRUE(fw::save_sim(waiting, controls).changed_elsewhere);
    other.join();
    EXPECT_EQ(current(), theirs);

    const auto saved = fw::save_sim(session, controls, {.make_backup = true, .overwrite_changes = true});
    ASSERT_TRUE(saved.saved());
    EXPECT_EQ(shown().name, "Later");
    EXPECT_EQ(fw::read_file(saved.backup_path), theirs);

    // usertemp.iff is shared by every process of the program: what lies there after it was written
    // (another process's sim) never reaches this sim's file. The game, which takes no lock of ours,
    // saving while the backup is written is seen at the last moment.
    controls.name = "Ada";
    fw::typed::WrittenMeanwhile files;
    files.temp = "another process's sim";
    ASSERT_TRUE(save(controls, true, &files).saved());
    EXPECT_EQ(shown().name, "Ada");
    files = fw::typed::WrittenMeanwhile{};
    files.file = path_;
    EXPECT_TRUE(save(controls, true, &files).changed_elsewhere);
    EXPECT_EQ(current(), "the game's");
}
