#include "core/game/game_archives.hpp"

#include <gtest/gtest.h>

#include "core/platform/name_compare.hpp"

namespace {

// Each use reads its own archives, in the one search order (names as the file system matches them).
TEST(GameArchives, EachUseReadsItsOwnArchivesInOrder) {
    const std::string animation = "\\gamedata\\animation\\animation.far ";
    const std::string textures = "\\gamedata\\textures\\textures.far ";
    const std::string packs =
        "\\expansionpack\\expansionpack.far \\expansionpack2\\expansionpack2.far \\expansionpack3\\expansionpack3.far "
        "\\expansionpack4\\expansionpack4.far \\expansionshared\\expansionshared.far ";
    const std::string quennel = "\\downloads\\quennelshdts\\quennelshdts.far ";
    const std::pair<fw::ArchiveUse, std::string> cases[] = {
        {fw::ArchiveUse::HeadModels, animation + packs},
        {fw::ArchiveUse::HeadFiles, animation + textures + packs + quennel},
        {fw::ArchiveUse::HeadBitmap, textures + packs + quennel},
        {fw::ArchiveUse::Extraction, textures + packs},
    };
    for (const auto& [use, expected] : cases) {
        std::string got;
        for (const fw::GameArchive& archive : fw::game_archives_for(use)) got += fw::to_lower(archive.path) + " ";
        EXPECT_EQ(got, expected) << static_cast<unsigned>(use);
    }
}

}  // namespace
