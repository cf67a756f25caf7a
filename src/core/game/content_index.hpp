#pragma once
// The game's content as one index: the skins, meshes, character descriptions and bitmaps that lie
// loose in its folders or inside its archives. Search order: the loose folders first
// (content_folders(), in order), then the archives (game_archives(), in order). Names are
// matched without regard to case, and the first file of a name in that order is the one the game
// takes. A name that could reach outside its folder is never listed or found.
//
// An archive's directory is read once per process and again only when the archive's size or time
// changes; the loose folders are listed once per index. An archive that cannot be read is skipped
// and told of once per index (see ArchiveReading).
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/game/damaged_archives.hpp"

namespace fw {

// One file of the game's content.
struct GameFile {
    std::string name;    // its own name: the loose file's, or the archive entry's base name
    std::string path;    // the loose file's game path, or the archive's
    std::string entry;   // the archive entry's name as stored; empty for a loose file
    int32_t offset = 0;  // archived: where its bytes lie in the archive, and how many
    int32_t size = 0;

    bool archived() const { return !entry.empty(); }
    // For messages: the real path, followed by " > " and the entry for an archived file.
    std::string shown() const;
};

// The loose folders searched, in this order, each relative to the game path; "Downloads" with
// its subfolders.
const std::vector<std::string>& content_folders();

class ContentIndex {
public:
    ContentIndex(std::string game_path, SkipLog log);

    // The first file found under any of `names`: each name in turn through the loose folders,
    // then the archives in order (each name in turn within an archive).
    std::optional<GameFile> find(const std::vector<std::string>& names);
    // Every file of the index, in search order: the loose folders' files (a folder by name without
    // regard to case; Downloads the shallower first), then each archive's entries in directory
    // order. A name met again is listed again: the first is the one find() gives.
    std::vector<GameFile> entries();
    // The file's bytes. Fails (an error kind) when the file or its archive cannot be read, the
    // entry reaches past the archive's end, or the file holds more than `largest` bytes
    // (file_too_large, before anything of it is read).
    std::string read(const GameFile& file, int64_t largest) const;

    // Each archive that could not be read, with the reason, once.
    const std::vector<std::string>& problems() const { return archives_.problems(); }

private:
    struct Archive {
        std::string path;
        std::shared_ptr<const ArchiveContents> contents;
    };
    std::optional<GameFile> find_loose(const std::string& name);
    const std::vector<std::pair<std::string, std::string>>& downloads();
    const std::vector<Archive>& open_archives();

    std::string game_path_;
    ArchiveReading archives_;
    std::optional<std::vector<Archive>> open_;
    // Every file below Downloads in search order: upper-cased name, game path.
    std::optional<std::vector<std::pair<std::string, std::string>>> downloads_;
    std::map<std::string, std::string> first_download_;  // upper-cased name -> the first's game path
};

}  // namespace fw
