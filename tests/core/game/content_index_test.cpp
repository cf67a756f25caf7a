#include "core/game/content_index.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "builders/far_builder.hpp"
#include "core/game/game_archives.hpp"
#include "core/platform/name_compare.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::far_archive;
using Names = std::vector<std::string>;

// Each use reads its own archives, in the one search order (names as the file system matches them).
TEST(GameArchives, EachUseReadsItsOwnArchivesInOrder) {
    const Names animation = {"\\gamedata\\animation\\animation.far"};
    const Names textures = {"\\gamedata\\textures\\textures.far"};
    const Names packs = {"\\expansionpack\\expansionpack.far", "\\expansionpack2\\expansionpack2.far",
                         "\\expansionpack3\\expansionpack3.far", "\\expansionpack4\\expansionpack4.far",
                         "\\expansionshared\\expansionshared.far"};
    const Names quennel = {"\\downloads\\quennelshdts\\quennelshdts.far"};
    const auto join = [](std::initializer_list<Names> parts) {
        Names all;
        for (const Names& part : parts) all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    const std::pair<fw::ArchiveUse, Names> cases[] = {
        {fw::ArchiveUse::HeadModels, join({animation, packs})},
        {fw::ArchiveUse::HeadFiles, join({animation, textures, packs, quennel})},
        {fw::ArchiveUse::HeadBitmap, join({textures, packs, quennel})},
        {fw::ArchiveUse::Extraction, join({textures, packs})},
    };
    for (const auto& [use, expected] : cases) {
        Names got;
        for (const fw::GameArchive& archive : fw::game_archives_for(use))
            got.push_back(fw::to_lower(archive.path));
        EXPECT_EQ(got, expected) << static_cast<unsigned>(use);
    }
}

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

    // An archive rewritten at its old size is read anew.
    const std::string quennel = g + "/Downloads/QuennelsHDTs/QuennelsHDTs.far";
    const auto written = std::filesystem::last_write_time(quennel);
    game.write("Downloads/QuennelsHDTs/QuennelsHDTs.far", far_archive({{"g.bmp", "x"}}));
    std::filesystem::last_write_time(quennel, written + std::chrono::seconds(1));
    EXPECT_TRUE(fw::ContentIndex(g, fw::SkipLog::ProblemsOnly).find({"g.bmp"}));
}

}  // namespace
