#pragma once
// Where the game keeps the files of a head: character descriptions, meshes and bitmaps, found
// through the game's content index. A loose file wins over an archived one of the same name.
#include <cstdint>
#include <string>

#include "core/game/content_index.hpp"

namespace fw {

// The largest mesh or character description taken. The game's are kilobytes, a detailed head a
// few hundred; a file past this is no head of the game's and is not read at all.
inline constexpr int64_t kMaxHeadFileSize = 16 * 1024 * 1024;

// The content index as the 3D head reads it: an archive that cannot be read is skipped and named
// in problems(), shown beside the head, never the end of the program.
class HeadFileFinder : public ContentIndex {
public:
    explicit HeadFileFinder(std::string game_path)
        : ContentIndex(std::move(game_path), SkipLog::ProblemsOnly) {}

    std::string read(const GameFile& file, int64_t largest = kMaxHeadFileSize) const {
        return ContentIndex::read(file, largest);
    }
};

}  // namespace fw
