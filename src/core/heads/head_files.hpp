#pragma once
// Where the game keeps the files of a head: character descriptions, meshes and bitmaps lie loose
// in its skins folders or inside its FAR archives. A loose file wins over an archived one of the
// same name; names are matched without regard to case.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fw {

// The largest mesh or character description taken. The game's are kilobytes, a detailed head a
// few hundred; a file past this is no head of the game's and is not read at all.
inline constexpr int64_t kMaxHeadFileSize = 16 * 1024 * 1024;

// One file found for a head.
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
const std::vector<std::string>& head_file_folders();
// The archives searched after them, in this order, each relative to the game path.
const std::vector<std::string>& head_file_archives();

// Finds a game's head files. Archive directories are read once per archive (and again only when
// the archive changes on disk) and shared by every finder of the process. An archive that cannot
// be read is skipped and named in problems(), never the end of the program.
class HeadFileFinder {
public:
    explicit HeadFileFinder(std::string game_path);

    // The first file found under any of `names`: each name in turn through the loose folders,
    // then the archives in order (each name in turn within an archive). A name that is not a plain file name
    // (a folder part, "..", control characters) is never looked for.
    std::optional<GameFile> find(const std::vector<std::string>& names);
    // The file's bytes. Fails (an error kind) when the file or its archive cannot be read, the
    // entry reaches past the archive's end, or the file holds more than `largest` bytes
    // (file_too_large, before anything of it is read).
    std::string read(const GameFile& file, int64_t largest = kMaxHeadFileSize) const;

    // Each archive that could not be read, with the reason, once.
    const std::vector<std::string>& problems() const { return problems_; }

    // The index of an archive's entries: base name upper-cased -> the first entry of that name.
    using ArchiveIndex = std::map<std::string, GameFile>;

private:
    std::optional<GameFile> find_loose(const std::string& name);
    void open_archives();

    std::string game_path_;
    bool archives_open_ = false;
    std::vector<std::shared_ptr<const ArchiveIndex>> archives_;
    // Downloads, listed once: upper-cased name -> game path of the first such file.
    std::optional<std::map<std::string, std::string>> downloads_;
    std::vector<std::string> problems_;
};

}  // namespace fw
