#include "core/heads/head_bitmaps.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "support/game_and_home.hpp"

namespace fw {
namespace {

using HeadBitmaps = build::GameAndHome;

// The skins folder's bitmap when it loads; else the first archive in order that holds it, taken
// out as headtemp.bmp; else none. Archives that cannot be read, or whose entry lies outside them,
// are passed by and named. Unsafe skin names build no path at all.
TEST_F(HeadBitmaps, AreTheSkinsFoldersElseTheFirstArchivesCopy) {
    game_.write("GameData/Skins/c001malgt_here.bmp", build::face_bmp(1));
    game_.write("GameData/Skins/c001malgt_broken.bmp", "not a picture");
    game_.write("ExpansionPack/ExpansionPack.far", build::far_archive({{"other.bmp", "x"}}));
    game_.write("ExpansionPack3/ExpansionPack3.far", "FAR!byAZ damaged");
    std::string outside = build::far_archive({{"c001malgt_quennel.bmp", "from shared"}});
    outside.replace(build::far_directory_offset(outside) + 12, 4, "\xF0\xFF\xFF\x7F");  // data past the end
    game_.write("ExpansionShared/ExpansionShared.far", outside);
    game_.write("ExpansionPack2/ExpansionPack2.far", build::far_archive({{"Skins\\C001MALGT_BROKEN.BMP", "from pack 2"},
                                                                        {"c001malgt_packed.bmp", "packed 2"}}));
    game_.write("Downloads/QuennelsHDTs/QuennelsHDTs.far", build::far_archive({{"c001malgt_packed.bmp", "packed last"},
                                                                              {"c001malgt_quennel.bmp", "quennel"}}));
    const std::string headtemp = home_.str() + "\\headtemp.bmp";
    // The skin, the path shown, what headtemp.bmp holds after.
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"c001malgt_here", game_.str() + "\\gamedata\\skins\\c001malgt_here.bmp", "none"},
        {"c001malgt_broken", headtemp, "from pack 2"},
        {"C001MAlgt_Packed", headtemp, "packed 2"},
        {"c001malgt_quennel", headtemp, "quennel"},
        {"c001malgt_nowhere", "", "none"},
    };
    ArchiveReading archives;
    for (const auto& [skin, path, bytes] : cases) {
        std::filesystem::remove(home_.path() / "headtemp.bmp");
        EXPECT_EQ(head_bitmap_for_display(game_.str(), skin, archives), path) << skin;
        const bool taken_out = std::filesystem::exists(home_.path() / "headtemp.bmp");
        EXPECT_EQ(taken_out ? home_.read("headtemp.bmp") : "none", bytes) << skin;
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
    }
    EXPECT_FALSE(std::filesystem::exists(home_.path() / "headtemp.bmp"));
}

}  // namespace
}  // namespace fw
