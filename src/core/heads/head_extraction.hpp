#pragma once
// Copies the game's head skin bitmaps out of its six standard FAR archives (those game_archives()
// marks for ArchiveUse::Extraction) into the skins folder,
// never overwriting a file that is there, and keeps the running log the extraction window shows.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/game/damaged_archives.hpp"

namespace fw {

// True when an entry's upper-cased file-name part names a head skin bitmap: "C", a digit, "_" as
// the tenth character and ".BMP" at the end (C005MALGT_ROMEO.BMP).
bool is_head_bitmap_name(const std::string& upper_name);

struct ExtractionResult {
    std::string log;  // the whole log text, CR LF line ends, no line end after the totals
    int32_t total_found = 0;
    int32_t total_extracted = 0;
    ArchiveReading archives;  // the archives skipped because they could not be read
};

// Receives each piece of text as it is appended to the log, so that a window can show progress.
using ExtractionLog = std::function<void(const std::string& appended)>;

// How the log gives an archive that is not there: with counts of 0 as any other (the extraction
// window's log), or in a line that says so (the command-line tool's).
enum class MissingArchives { Counted, Named };

// Runs the extraction for the game at game_path. An entry whose name could reach outside the
// skins folder is skipped (neither found nor extracted). The skins folder is made when a bitmap
// is to be written and it is missing. An archive that cannot be read (its directory, or an
// entry's data outside it) is left from there on and named in the result; a bitmap that cannot
// be written reaches the error trap.
ExtractionResult extract_head_bitmaps(const std::string& game_path, const ExtractionLog& on_append = {},
                                      MissingArchives missing = MissingArchives::Counted);

}  // namespace fw
