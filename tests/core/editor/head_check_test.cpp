#include "core/editor/head_check.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "core/shared/head_models.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

// The built-in model C005MA_ROMEO and the mesh C010MA_MESH, light skins of both in the skins
// folder, a dark ROMEO skin only in an archive. Only what the editor changed is questioned.
TEST(HeadCheck, NamesWhatNoLongerFitsOrTheGameDoesNotHave) {
    build::TempDir home, game;
    build::ScopedEnv home_env("FACEWRIGHT_HOME", home.str());
    head_model_lists() = HeadModelLists{};
    head_model_lists().MA = {"C005MA_ROMEO"};
    game.write("GameData/Skins/C010MA_MESH.cmx", "mesh");
    game.write("GameData/Skins/C005MAlgt_romeo.bmp", build::face_bmp(1, 4, 4));
    game.write("GameData/Skins/C010MAlgt_mesh.bmp", build::face_bmp(2, 4, 4));
    game.write("GameData/Textures/textures.far",
               build::far_archive({{"C005MAdrk_packed.bmp", build::face_bmp(3, 4, 4)}}));
    const SimControls opened{
        .name = "Bob", .model = "C005MA_ROMEO", .skin = "C005MAlgt_romeo", .tone = Tone::Light};
    const auto check = [&](auto change, const std::string& game_path) {
        SimControls controls = opened;
        change(controls);
        ArchiveReading archives;
        return head_mismatches(game_path, opened, controls, archives);
    };
    const std::string romeo_light =
        "The skin C005MAlgt_romeo is not one of the skins of C005MA_ROMEO in the dark tone.";
    const struct {
        void (*change)(SimControls&);
        std::vector<std::string> expected;
    } cases[] = {
        {[](SimControls&) {}, {}},
        {[](SimControls& c) { c.adult = false; },
         {"The head model C005MA_ROMEO is made for an adult male; the sim is a male child."}},
        {[](SimControls& c) { c.tone = Tone::Dark; }, {romeo_light}},
        {[](SimControls& c) { c.tone = Tone::Dark, c.skin = "c005madrk_PACKED"; }, {}},
        {[](SimControls& c) { c.model = "c010ma_mesh", c.skin = "C010MAlgt_mesh"; }, {}},
        {[](SimControls& c) { c.model = "C009MA_NOPE", c.skin = "C009MAlgt_nope"; },
         {"The head model C009MA_NOPE is not among the game's head models for an adult male.",
          "The skin C009MAlgt_nope is not among the game's skins: neither its skins folder nor its archives "
          "hold it."}},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(check(cases[i].change, game.str()), cases[i].expected) << i;
    // Without a game only the names themselves are looked at.
    EXPECT_EQ(check(cases[std::size(cases) - 1].change, ""), std::vector<std::string>{});
    head_model_lists() = HeadModelLists{};
}

}  // namespace
}  // namespace fw
