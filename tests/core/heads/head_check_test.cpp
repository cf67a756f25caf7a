#include "core/heads/head_check.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "core/heads/head_models.hpp"
#include "support/game_and_home.hpp"

namespace fw {
namespace {

using HeadCheck = build::GameAndHome;

// The built-in model C005MA_ROMEO and the mesh C010MA_MESH, light skins of both in the skins
// folder, a dark ROMEO skin only in an archive. Only what the editor changed is questioned.
TEST_F(HeadCheck, NamesWhatNoLongerFitsOrTheGameDoesNotHave) {
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
    const std::string no_skin = " is not among the game's skins: neither its skins folder nor its archives hold it.";
    const std::tuple<void (*)(SimControls&), std::vector<std::string>, std::string> cases[] = {
        {[](SimControls&) {}, {}, ""},
        {[](SimControls& c) { c.adult = false; },
         {"The head model C005MA_ROMEO is made for an adult male; the sim is a male child."},
         ""},
        {[](SimControls& c) { c.tone = Tone::Dark; }, {}, light_on_dark},
        {[](SimControls& c) { c.tone = Tone::Dark, c.skin = "c005madrk_PACKED"; }, {}, ""},
        {[](SimControls& c) { c.model = "c010ma_mesh", c.skin = "C010MAlgt_mesh"; }, {}, ""},
        {[](SimControls& c) { c.model = "c010ma_mesh"; }, {}, ""},
        {[](SimControls& c) { c.skin = "C005MAlgt_gone", c.tone = Tone::Medium; },
         {"The skin C005MAlgt_gone" + no_skin},
         "The head's skin is light; the body is medium."},
        {[](SimControls& c) { c.skin = "C005MAdrkromeo"; }, {"The skin C005MAdrkromeo" + no_skin}, ""},
        {[](SimControls& c) { c.model = "C009MA_NOPE", c.skin = "C009MAlgt_nope"; },
         {"The head model C009MA_NOPE is not among the game's head models for an adult male.",
          "The skin C009MAlgt_nope" + no_skin},
         ""},
    };
    for (const auto& [change, expected, note] : cases) {
        EXPECT_EQ(check(change, game_.str()), expected);
        SimControls controls = opened;
        change(controls);
        EXPECT_EQ(tone_note(controls), note) << testing::PrintToString(expected);
    }
    // Without a game only the names themselves are looked at.
    EXPECT_EQ(check(std::get<0>(cases[std::size(cases) - 1]), ""), std::vector<std::string>{});
}

}  // namespace
}  // namespace fw
