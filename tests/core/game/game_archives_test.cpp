#include "core/game/game_archives.hpp"

#include <gtest/gtest.h>

#include "core/platform/name_compare.hpp"

namespace {

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

}  // namespace
