#include "core/heads/head_catalogue.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "core/base/error_trap.hpp"
#include "core/heads/head_models.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::face_bmp;
using Names = std::vector<std::string>;

class HeadCatalogue : public testing::Test {
protected:
    void skin(const std::string& name, const std::string& bytes) { game.write("GameData/Skins/" + name, bytes); }
    fw::build::TempDir game;
};

TEST_F(HeadCatalogue, ModelsAreTheBuiltInOnesThenNewMeshesOnceEachIgnoringCase) {
    for (const char* mesh : {"c010ma_new.cmx", "C020MA_Extra.v2.cmx", "C030MA_Z.cmx", "c030ma_z.CMX",
                             "C040FA_W.cmx", "C05MA_Short.cmx", "C060MA_Tex.bmp", "C070XX_Odd.cmx"})
        skin(mesh, "mesh");
    fw::keep_head_model_lists(game.str(),
                              {.FA = {}, .MA = {"C001MA_DYLAN", "C010MA_NEW"}, .FC = {}, .MC = {}});
    EXPECT_EQ(fw::msGetModelList(game.str(), "malgt"),
              (Names{"C001MA_DYLAN", "C010MA_NEW", "C020MA_EXTRA", "C030MA_Z"}));
    EXPECT_EQ(fw::msGetModelList(game.str(), "MAdrk"), fw::msGetModelList(game.str(), "malgt"));
    // A code without a head-model list lists only the meshes of that code.
    EXPECT_EQ(fw::msGetModelList(game.str(), "xxlgt"), (Names{"C070XX_ODD"}));
}

TEST_F(HeadCatalogue, SkinsAreTheLoadableBitmapsOfANamedModelOthersAreLeftOutOrRefused) {
    for (int i = 0; i < 8; ++i)
        skin("C005MAlgt_good" + std::to_string(i) + ".bmp", face_bmp(static_cast<uint32_t>(i)));
    skin("C005MAlgt_empty.bmp", "");
    skin("c005malgt_junk.BMP", "BM" + std::string(40, 'x'));
    skin("C005MAlgt_huge.bmp", face_bmp(9));
    std::filesystem::resize_file(game.path() / "GameData/Skins/C005MAlgt_huge.bmp", 1 << 30);  // never read
    skin("C005MAmed_other.bmp", face_bmp(20));
    skin("C006MAlgt_other.bmp", face_bmp(21));
    skin("C005MAlgtx_other.bmp", face_bmp(22));

    const fw::SkinListing listing = fw::msGetSkinFileNames(game.str(), "C005MA_ROMEO", "malgt");
    EXPECT_TRUE(listing.refusal.empty());
    EXPECT_EQ(listing.skins.size(), 8u);
    EXPECT_EQ(listing.skins.front(), "C005MAlgt_good0.bmp");
    EXPECT_EQ(listing.bad, (Names{"C005MAlgt_empty.bmp", "C005MAlgt_huge.bmp", "c005malgt_junk.BMP"}));
    EXPECT_EQ(
        fw::bad_skin_files_message({"C005MAlgt_empty.bmp", "c005malgt_junk.BMP"}),
        "The following files could not be loaded:\r\n\r\nC005MAlgt_empty.bmp\r\nc005malgt_junk.BMP\r\n\r\n"
        "These files may be \"fixed\" by loading them into\r\na program like Paint Shop Pro and re-saving "
        "them.");
    EXPECT_EQ(fw::msGetSkinFileNames(game.str(), "C005MA_ROMEO", "med").skins, Names{"C005MAmed_other.bmp"});

    skin("C300MAlgt_plain.bmp", face_bmp(1));
    game.write("C300MAlgt_outside.bmp", face_bmp(2));
    for (const auto& [model, code] : {std::pair{"C300MAPLAIN", "malgt"},
                                      {"../C300MA_X", "malgt"},
                                      {"..\\..\\C300MA_X", "malgt"},
                                      {"C300MA_X", "a/b"}}) {
        const fw::SkinListing listing = fw::msGetSkinFileNames(game.str(), model, code);
        EXPECT_TRUE(!listing.refusal.empty() && listing.skins.empty() && listing.bad.empty())
            << model << " " << code;
    }
}

// A skins folder that cannot be read (here a link to itself, which stops root too) ends in the
// trap, never in an empty list.
TEST_F(HeadCatalogue, AnUnreadableSkinsFolderReachesTheTrap) {
    std::filesystem::create_directories(game.path() / "GameData");
    std::filesystem::create_symlink("Skins", game.path() / "GameData/Skins");
    EXPECT_THROW(fw::msGetModelList(game.str(), "malgt"), fw::TrapRaised);
    EXPECT_THROW(fw::msGetSkinFileNames(game.str(), "C005MA_ROMEO", "malgt"), fw::TrapRaised);
}

}  // namespace
