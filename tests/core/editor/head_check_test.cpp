#include "core/editor/head_check.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "core/shared/head_models.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

// A game with the built-in model C005MA_ROMEO, a mesh C010MA_MESH in its skins folder, light
// skins of both there and a dark ROMEO skin only in an archive.
class HeadCheck : public testing::Test {
protected:
    void SetUp() override {
        head_model_lists() = HeadModelLists{};
        head_model_lists().MA = {"C005MA_ROMEO"};
        game_.write("GameData/Skins/C010MA_MESH.cmx", "mesh");
        game_.write("GameData/Skins/C005MAlgt_romeo.bmp", build::face_bmp(1, 4, 4));
        game_.write("GameData/Skins/C010MAlgt_mesh.bmp", build::face_bmp(2, 4, 4));
        game_.write("GameData/Textures/textures.far",
                    build::far_archive({{"skins\\C005MAdrk_packed.bmp", build::face_bmp(3, 4, 4)}}));
        opened_.model = "C005MA_ROMEO";
        opened_.skin = "C005MAlgt_romeo";
        opened_.tone = Tone::Light;
    }
    void TearDown() override { head_model_lists() = HeadModelLists{}; }

    std::vector<std::string> mismatches(const SimControls& controls, const std::string& game = "use") {
        ArchiveReading archives;
        return head_mismatches(game == "use" ? game_.str() : game, opened_, controls, archives);
    }

    build::TempDir home_;
    build::ScopedEnv home_env_{"FACEWRIGHT_HOME", home_.str()};
    build::TempDir game_;
    SimControls opened_;
};

TEST_F(HeadCheck, OnlyWhatTheEditorChangedIsQuestioned) {
    const auto with = [this](auto change) {
        SimControls controls = opened_;
        change(controls);
        return controls;
    };
    const struct {
        const char* what;
        SimControls controls;
        std::vector<std::string> expected;
    } cases[] = {
        {"nothing changed", opened_, {}},
        {"a child with an adult head",
         with([](SimControls& c) { c.adult = false; }),
         {"The head model C005MA_ROMEO is made for an adult male; the sim is a male child."}},
        {"a woman with a man's head",
         with([](SimControls& c) { c.male = false; }),
         {"The head model C005MA_ROMEO is made for an adult male; the sim is an adult female."}},
        {"a dark tone with a light skin",
         with([](SimControls& c) { c.tone = Tone::Dark; }),
         {"The skin C005MAlgt_romeo is not one of the skins of C005MA_ROMEO in the dark tone."}},
        {"no tone chosen: dark",
         with([](SimControls& c) { c.tone.reset(); }),
         {"The skin C005MAlgt_romeo is not one of the skins of C005MA_ROMEO in the dark tone."}},
        {"a dark skin the archives hold",
         with([](SimControls& c) { c.tone = Tone::Dark, c.skin = "c005madrk_PACKED"; }),
         {}},
        {"a mesh and skin of the skins folder",
         with([](SimControls& c) { c.model = "c010ma_mesh", c.skin = "C010MAlgt_mesh"; }),
         {}},
        {"typed names the game does not have",
         with([](SimControls& c) { c.model = "C009MA_NOPE", c.skin = "C009MAlgt_nope"; }),
         {"The head model C009MA_NOPE is not among the game's head models for an adult male.",
          "The skin C009MAlgt_nope is not among the game's skins: neither its skins folder nor its archives "
          "hold it."}},
    };
    for (const auto& c : cases) EXPECT_EQ(mismatches(c.controls), c.expected) << c.what;

    // Without a game only the names themselves are looked at.
    const SimControls typed = cases[std::size(cases) - 1].controls;
    EXPECT_EQ(mismatches(typed, ""), std::vector<std::string>{});
    EXPECT_EQ(
        head_question({"A.", "B."}),
        (BoxMessage{
            "The game may not be able to draw this head:\r\n\r\nA.\r\n\r\nB.\r\n\r\nSave it all the same?",
            36, "Check the Head"}));
}

}  // namespace
}  // namespace fw
