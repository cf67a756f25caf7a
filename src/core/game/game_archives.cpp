#include "core/game/game_archives.hpp"

namespace fw {

namespace {

constexpr unsigned kModels = static_cast<unsigned>(ArchiveUse::HeadModels);
constexpr unsigned kFiles = static_cast<unsigned>(ArchiveUse::HeadFiles);
constexpr unsigned kBitmap = static_cast<unsigned>(ArchiveUse::HeadBitmap);
constexpr unsigned kExtraction = static_cast<unsigned>(ArchiveUse::Extraction);

}  // namespace

const std::vector<GameArchive>& game_archives() {
    // The base game's animations hold head models and no bitmaps; its textures hold bitmaps and no
    // models. The head bitmaps a player downloads from Quennel are searched by the editor and the
    // 3D head, never extracted: they are no archive of the game's own.
    static const std::vector<GameArchive> archives = {
        {"\\GameData\\Animation\\Animation.far", kModels | kFiles},
        {"\\GameData\\Textures\\Textures.far", kFiles | kBitmap | kExtraction},
        {"\\ExpansionPack\\ExpansionPack.far", kModels | kFiles | kBitmap | kExtraction},
        {"\\ExpansionPack2\\ExpansionPack2.far", kModels | kFiles | kBitmap | kExtraction},
        {"\\ExpansionPack3\\ExpansionPack3.far", kModels | kFiles | kBitmap | kExtraction,
         ModelNameRule::DigitAfterC},
        {"\\ExpansionPack4\\ExpansionPack4.far", kModels | kFiles | kBitmap | kExtraction,
         ModelNameRule::DigitAfterC},
        {"\\ExpansionShared\\ExpansionShared.far", kModels | kFiles | kBitmap | kExtraction},
        {"\\Downloads\\QuennelsHDTs\\QuennelsHDTs.far", kFiles | kBitmap},
    };
    return archives;
}

std::vector<GameArchive> game_archives_for(ArchiveUse use) {
    std::vector<GameArchive> chosen;
    for (const GameArchive& archive : game_archives()) {
        if (archive.used_for(use)) chosen.push_back(archive);
    }
    return chosen;
}

}  // namespace fw
