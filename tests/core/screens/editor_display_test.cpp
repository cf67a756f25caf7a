#include "core/screens/editor_display.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "builders/far_builder.hpp"
#include "builders/iff_builder.hpp"
#include "builders/sim_builder.hpp"
#include "core/heads/head_check.hpp"
#include "core/sims/sim_session.hpp"
#include "core/screens/unsaved_edits.hpp"
#include "core/heads/head_models.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

using fw::build::sim_file;
using fw::build::SimSpec;

std::string with_lists(const std::string& appearance, const std::vector<std::string>& names) {
    fw::build::IffBuilder b;
    b.chunk("OBJD", 128, "user00001 - X", std::string(16, '\0'));
    b.chunk("STR#", 200, "", appearance);
    b.chunk("CTSS", 2000, "", fw::build::str_list_data(names));
    return b.bytes();
}

TEST(SimSessionOpen, RefusesWhatTheEditorCouldNotShowOrSave) {
    const std::string whole = sim_file({});
    const std::string people = fw::build::str_list_data(fw::build::appearance_values(SimSpec{}));
    const fw::BoxMessage invalid = fw::invalid_file_box();
    const std::tuple<const char*, std::string, std::optional<fw::BoxMessage>> cases[] = {
        // what, file, box
        {"child of 15 entries: a name can be saved", sim_file({.age = "child", .entry_count = 15}),
         std::nullopt},
        {"entry 1 of a dog", sim_file({.age = "dog"}), fw::pet_box()},
        {"entry 1 of a cat", sim_file({.age = "kat"}), fw::pet_box()},
        {"entry 13 of a cat", sim_file({.gender = "catfemale"}), fw::pet_box()},
        {"entry 1 Adult: neither a person nor a pet", sim_file({.age = "Adult"}), invalid},
        {"not a character file", sim_file({.objd_label = "neighbor - Bob"}), invalid},
        {"truncated", whole.substr(0, whole.size() - 5), invalid},
        {"5 entries claimed, none ended", with_lists(std::string("\xFD\xFF\x05\0\1ab", 7), {"X"}), invalid},
        {"no name", with_lists(people, {}), invalid},
    };
    for (const auto& [what, bytes, box] : cases) {
        fw::build::TempDir dir;
        fw::EditorSession session;  // never trapped
        EXPECT_EQ(fw::open_sim_for_editing(dir.write("User00001.iff", bytes), session), box) << what;
    }
}

// What the game's character set holds is encoded (see the save tests); anything else is refused.
TEST(SimSessionControls, TextsTheGameCannotHoldOrThatWouldBreakTheListsAreRefused) {
    const auto encoded = fw::encode_for_game("Zo\xC3\xAB \xE2\x98\x83", "name");
    ASSERT_TRUE(encoded.refusal);
    EXPECT_NE(encoded.refusal->text.find("\"\xE2\x98\x83\""), std::string::npos) << encoded.refusal->text;
    EXPECT_TRUE(encoded.bytes.empty());
    EXPECT_TRUE(fw::encode_for_game("bad\xFF", "name").refusal);

    // Texts that would break the lists.
    auto refused = [](const std::string& name, const std::string& model, const std::string& skin) {
        return fw::check_controls({.name = name, .model = model, .skin = skin, .tone = {}}).has_value();
    };
    EXPECT_FALSE(refused("Ren\xE9 O'Neil", "C001MA_Test", "c001malgt_test"));
    EXPECT_TRUE(refused("", "C1", "s"));
    EXPECT_TRUE(refused("Bob", "", "s"));  // a head without a model or a skin cannot be drawn
    EXPECT_TRUE(refused("Bob", "C1", ""));
    EXPECT_TRUE(refused(std::string("Bo\0b", 4), "C1", "s"));
    EXPECT_TRUE(refused("Bob", "C1", "a\nb"));
    EXPECT_TRUE(refused("Bob", "C1,x", "s"));  // each would read back as another model or skin
    EXPECT_TRUE(refused("Bob", "C1=x", "s"));
    EXPECT_TRUE(refused("Bob", "C1", "s;x"));
    EXPECT_FALSE(refused("Bob", "C1;x", "s,x=y"));
}

// Each control changed alone is an edit (the name, the head, each option group); the same
// controls are none.
TEST(UnsavedEdits, AnyChangedControlIsAnEdit) {
    const fw::SimControls opened{"Bella", "C005FA_X", "C005FAlgt_X", true, false, fw::Tone::Light};
    EXPECT_FALSE(fw::has_unsaved_edits(opened, opened));
    const fw::SimControls edits[] = {{"Bella2", "C005FA_X", "C005FAlgt_X", true, false, fw::Tone::Light},
                                     {"Bella", "C005FA_X", "C005FAlgt_Y", true, false, fw::Tone::Light},
                                     {"Bella", "C005FA_X", "C005FAlgt_X", false, false, fw::Tone::Light},
                                     {"Bella", "C005FA_X", "C005FAlgt_X", true, false, std::nullopt}};
    for (const fw::SimControls& shown : edits) EXPECT_TRUE(fw::has_unsaved_edits(opened, shown));
}

class EditorDisplayTest : public testing::Test {
protected:
    EditorSession open(const build::SimSpec& shape) {
        EditorSession session;
        const std::string path = game_.write("UserData/Characters/User00001.iff", build::sim_file(shape));
        EXPECT_FALSE(open_sim_for_editing(path, session));
        return session;
    }

    build::TempDir home_;
    build::ScopedEnv home_env_{"FACEWRIGHT_HOME", home_.str()};
    build::TempDir game_;
};

TEST_F(EditorDisplayTest, ControlsOptionsAndPicturesComeFromTheSimsLists) {
    // The portraits are the sim's own, whatever the program folder holds under their names.
    home_.write("web_image.BMP", "another sim's");
    const EditorDisplay shown = msDisplayData(open({.name = "Ann\xE9",
                                                    .age = "child",
                                                    .gender = "female",
                                                    .tone = "drk",
                                                    .head = "C002FC_Ann,HEAD-HEAD=c002fcdrk_ann;x",
                                                    .bitmaps = {{"Web_Image", build::face_bmp(1)},
                                                                {"faces", build::face_bmp(2)}}}));
    EXPECT_EQ(shown.caption, "Edit Sim - USER00001.IFF");
    EXPECT_EQ(shown.controls.name + "|" + shown.controls.model + "|" + shown.controls.skin,
              "Ann\xE9|C002FC_Ann|c002fcdrk_ann");
    EXPECT_EQ(shown.options, (OptionButtons{.optFemale = true, .optChild = true, .optDark = true}));
    EXPECT_FALSE(shown.previews.cached);
    EXPECT_EQ(shown.portraits.web_image + "|" + shown.portraits.faces + "|" + shown.portraits.relimages,
              build::face_bmp(1) + "|" + build::face_bmp(2) + "|");

    // An unknown tone turns no tone option on; a cached preview names both preview files.
    home_.write("HeadPreview/Preview_c001malgt_test.bmp", "preview");
    const EditorDisplay bob = msDisplayData(open({.tone = "unk"}));
    EXPECT_EQ(bob.options, (OptionButtons{.optMale = true, .optAdult = true}));
    EXPECT_TRUE(bob.previews.cached);
    EXPECT_EQ(bob.previews.preview, home_.str() + "\\HeadPreview\\Preview_c001malgt_test.bmp");
    EXPECT_EQ(bob.previews.preview2, home_.str() + "\\HeadPreview\\Preview2_c001malgt_test.bmp");

    // The save question names the file as the file system spells it.
    EXPECT_EQ(save_confirmation(game_.str() + "\\userdata\\characters\\user00001.IFF"),
              (BoxMessage{"Make changes to: \r\n" + game_.str() +
                              "/UserData/Characters/User00001.iff?\r\n\r\nAre You Sure?",
                          36, "Confirm Action"}));
}

// The skins folder's bitmap when it loads; else the first archive in order that holds it, taken
// out as headtemp.bmp; else none. Archives that cannot be read, or whose entry lies outside them,
// are passed by and named. Unsafe skin names build no path at all.
TEST_F(EditorDisplayTest, HeadBitmapIsTheSkinsFoldersElseTheFirstArchivesCopy) {
    game_.write("GameData/Skins/c001malgt_here.bmp", build::face_bmp(1));
    game_.write("GameData/Skins/c001malgt_broken.bmp", "not a picture");
    game_.write("ExpansionPack/ExpansionPack.far", build::far_archive({{"other.bmp", "x"}}));
    game_.write("ExpansionPack3/ExpansionPack3.far", "FAR!byAZ damaged");
    std::string outside = build::far_archive({{"c001malgt_quennel.bmp", "from shared"}});
    outside.replace(build::far_directory_offset(outside) + 12, 4, "\xF0\xFF\xFF\x7F");  // data past the end
    game_.write("ExpansionShared/ExpansionShared.far", outside);
    game_.write("ExpansionPack2/ExpansionPack2.far",
                build::far_archive(
                    {{"Skins\\C001MALGT_BROKEN.BMP", "from pack 2"}, {"c001malgt_packed.bmp", "packed 2"}}));
    game_.write(
        "Downloads/QuennelsHDTs/QuennelsHDTs.far",
        build::far_archive({{"c001malgt_packed.bmp", "packed last"}, {"c001malgt_quennel.bmp", "quennel"}}));
    const std::string headtemp = home_.str() + "\\headtemp.bmp";
    const struct {
        const char* skin;
        std::string path, bytes;
    } cases[] = {
        {"c001malgt_here", game_.str() + "\\gamedata\\skins\\c001malgt_here.bmp", ""},
        {"c001malgt_broken", headtemp, "from pack 2"},
        {"C001MAlgt_Packed", headtemp, "packed 2"},
        {"c001malgt_quennel", headtemp, "quennel"},
        {"c001malgt_nowhere", "", ""},
    };
    ArchiveReading archives;
    for (const auto& c : cases) {
        std::filesystem::remove(home_.path() / "headtemp.bmp");
        EXPECT_EQ(head_bitmap_for_display(game_.str(), c.skin, archives), c.path) << c.skin;
        if (c.bytes.empty()) {
            EXPECT_FALSE(std::filesystem::exists(home_.path() / "headtemp.bmp")) << c.skin;
        } else {
            EXPECT_EQ(home_.read("headtemp.bmp"), c.bytes) << c.skin;
        }
    }
    EXPECT_EQ(archives.skipped(),
              (std::vector<std::string>{game_.str() + "/ExpansionPack3/ExpansionPack3.far",
                                        game_.str() + "/ExpansionShared/ExpansionShared.far"}));
    // Named once, however often the editor looks again.
    ASSERT_TRUE(archives.take_newly_skipped_box());
    head_bitmap_for_display(game_.str(), "c001malgt_quennel", archives);
    EXPECT_FALSE(archives.take_newly_skipped_box());
    std::filesystem::remove(home_.path() / "headtemp.bmp");
    game_.write("GameData/Textures/textures.far",
                build::far_archive({{"..\\..\\evil.bmp", "evil"}, {"evil.bmp", "e"}}));
    for (const std::string skin : {"../evil", "..\\evil", "", "a:b"}) {
        EXPECT_EQ(head_bitmap_for_display(game_.str(), skin, archives), "") << skin;
        EXPECT_EQ(skin_bitmap_path(game_.str(), skin), "") << skin;
        EXPECT_FALSE(head_previews(skin).cached) << skin;
    }
    EXPECT_FALSE(std::filesystem::exists(home_.path() / "headtemp.bmp"));
}

// The built-in model C005MA_ROMEO and the mesh C010MA_MESH, light skins of both in the skins
// folder, a dark ROMEO skin only in an archive. Only what the editor changed is questioned.
TEST_F(EditorDisplayTest, HeadCheckNamesWhatNoLongerFitsOrTheGameDoesNotHave) {
    keep_head_model_lists(game_.str(), {.FA = {}, .MA = {"C005MA_ROMEO"}, .FC = {}, .MC = {}});
    game_.write("GameData/Skins/C010MA_MESH.cmx", "mesh");
    game_.write("GameData/Skins/C005MAlgt_romeo.bmp", build::face_bmp(1, 4, 4));
    game_.write("GameData/Skins/C010MAlgt_mesh.bmp", build::face_bmp(2, 4, 4));
    game_.write("GameData/Textures/textures.far",
                build::far_archive({{"C005MAdrk_packed.bmp", build::face_bmp(3, 4, 4)}}));
    const SimControls opened{
        .name = "Bob", .model = "C005MA_ROMEO", .skin = "C005MAlgt_romeo", .tone = Tone::Light};
    const auto check = [&](auto change, const std::string& game_path) {
        SimControls controls = opened;
        change(controls);
        ArchiveReading archives;
        return head_mismatches(game_path, opened, controls, archives);
    };
    // A tone change alone is no question; a skin of another tone than the body gets a note.
    const std::string light_on_dark = "The head's skin is light; the body is dark.";
    const struct {
        void (*change)(SimControls&);
        std::vector<std::string> expected;
        std::string note;
    } cases[] = {
        {[](SimControls&) {}, {}, ""},
        {[](SimControls& c) { c.adult = false; },
         {"The head model C005MA_ROMEO is made for an adult male; the sim is a male child."},
         ""},
        {[](SimControls& c) { c.tone = Tone::Dark; }, {}, light_on_dark},
        {[](SimControls& c) { c.tone = Tone::Dark, c.skin = "c005madrk_PACKED"; }, {}, ""},
        {[](SimControls& c) { c.model = "c010ma_mesh", c.skin = "C010MAlgt_mesh"; }, {}, ""},
        {[](SimControls& c) { c.model = "c010ma_mesh"; }, {}, ""},
        {[](SimControls& c) { c.skin = "C005MAlgt_gone", c.tone = Tone::Medium; },
         {"The skin C005MAlgt_gone is not among the game's skins: neither its skins folder nor its archives "
          "hold it."},
         "The head's skin is light; the body is medium."},
        {[](SimControls& c) { c.skin = "C005MAdrkromeo"; },
         {"The skin C005MAdrkromeo is not among the game's skins: neither its skins folder nor its archives "
          "hold it."},
         ""},
        {[](SimControls& c) { c.model = "C009MA_NOPE", c.skin = "C009MAlgt_nope"; },
         {"The head model C009MA_NOPE is not among the game's head models for an adult male.",
          "The skin C009MAlgt_nope is not among the game's skins: neither its skins folder nor its archives "
          "hold it."},
         ""},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(check(cases[i].change, game_.str()), cases[i].expected) << i;
        SimControls controls = opened;
        cases[i].change(controls);
        EXPECT_EQ(tone_note(controls), cases[i].note) << i;
    }
    // Without a game only the names themselves are looked at.
    EXPECT_EQ(check(cases[std::size(cases) - 1].change, ""), std::vector<std::string>{});
}

}  // namespace
}  // namespace fw
