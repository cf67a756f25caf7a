#include "core/game/content_index.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::far_archive;
using Names = std::vector<std::string>;

// Loose folders first (skins, bought skins, downloads the shallower first), then the archives in
// order, the first entry of a name within one; names that could reach outside are never found.
TEST(ContentIndex, FindsAndListsInSearchOrder) {
    fw::build::TempDir game;
    game.write("GameData/Skins/a.bmp", "skins");
    game.write("ExpansionShared/SkinsBuy/b.bmp", "buy");
    game.write("ExpansionShared/SkinsBuy/A.BMP", "buy");
    game.write("Downloads/deep/C.bmp", "deep");
    game.write("Downloads/c.bmp", "top");
    game.write("GameData/Animation/Animation.far", far_archive({{"d.bmp", "x"}, {"bad\x01.bmp", "x"}}));
    game.write("GameData/Textures/textures.far",
               far_archive({{"folder\\D.BMP", "x"}, {"e.bmp", "1"}, {"E.bmp", "2"}}));
    game.write("Downloads/QuennelsHDTs/QuennelsHDTs.far", far_archive({{"f.bmp", "x"}}));
    const std::string g = game.str();

    fw::ContentIndex index(g, fw::SkipLog::ProblemsOnly);
    // Names looked for -> the path and entry found ("" when none).
    const std::tuple<Names, std::string, std::string> cases[] = {
        {{"A.bmp"}, g + "\\GameData\\Skins\\A.bmp", ""},
        {{"B.BMP"}, g + "\\ExpansionShared\\SkinsBuy\\B.BMP", ""},
        {{"c.BMP"}, g + "\\Downloads\\c.bmp", ""},
        {{"D.bmp"}, g + "\\GameData\\Animation\\Animation.far", "d.bmp"},
        {{"zz.bmp", "E.BMP"}, g + "\\GameData\\Textures\\Textures.far", "e.bmp"},
        {{"f.bmp"}, g + "\\Downloads\\QuennelsHDTs\\QuennelsHDTs.far", "f.bmp"},
        {{"..\\a.bmp", "bad\x01.bmp"}, "", ""},
    };
    for (const auto& [names, path, entry] : cases) {
        const std::optional<fw::GameFile> file = index.find(names);
        EXPECT_EQ(file ? file->path : "", path) << names.back();
        EXPECT_EQ(file ? file->entry : "", entry) << names.back();
    }
    EXPECT_EQ(index.read(*index.find({"e.bmp"}), 16), "1");

    Names listed;
    for (const fw::GameFile& file : index.entries()) listed.push_back(file.name);
    // The downloaded archive is a file of Downloads too (deep\ before QuennelsHDTs\).
    EXPECT_EQ(listed, (Names{"a.bmp", "A.BMP", "b.bmp", "c.bmp", "C.bmp", "QuennelsHDTs.far", "d.bmp",
                             "D.BMP", "e.bmp", "E.bmp", "f.bmp"}));
}

}  // namespace
