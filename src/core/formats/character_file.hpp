#pragma once
// Character files: the check that a file is a sim's own, and the writer that saves it without
// its bitmaps and resource map.
#include <cstdint>
#include <optional>
#include <string>

#include "core/formats/iff.hpp"

namespace fw {

// The largest file taken for a character file. The game writes them at tens of kilobytes (the
// sim's lists, relationships and portraits); a limit hundreds of times that turns away only files
// that are no character file, before a byte of them is read, so that a huge file in a
// neighbourhood costs neither memory nor time.
inline constexpr int64_t kMaxCharacterFileSize = 16 * 1024 * 1024;

// gfstrReadIFFChecked for a character file: a file above kMaxCharacterFileSize gives
// "Error 6 - File too large (N bytes)" unread.
std::string read_character_file_checked(IFFFile& file, const std::string& path);
// A character file's bytes; fails (file_too_large) for one above kMaxCharacterFileSize, unread.
std::string read_character_file(const std::string& path);

// True when the record has "STR#" 200, "CTSS" 2000 (both flags 0x0010) and an "OBJD" chunk whose
// label begins with "user" in any case. Guarded (FacewrightMain / gfblnVerifyUserIFF, 0).
bool gfblnVerifyUserIFF(const IFFFile& file);
// The identifier the sim's object definition carries, unique to the sim: the 32-bit number
// (little-endian) at bytes 28..31 of the data of the first "OBJD" chunk whose label begins with
// "user" in any case. Nothing when there is no such chunk or its data is shorter.
std::optional<uint32_t> sim_identifier(const IFFFile& file);
// Writes the record to `path` (replacing any file there) without "BMP_" chunks and without a
// resource map, with a map offset of 0. Guarded (FacewrightMain / gsWriteIFF_NoBMPs, 1000/2000).
void gsWriteIFF_NoBMPs(const IFFFile& file, const std::string& path);
// The bytes gsWriteIFF_NoBMPs writes.
std::string iff_bytes_without_bitmaps(const IFFFile& file);
// The text after the path's last "\" (or "/"), upper-cased; "" for a path ending in a separator.
std::string gfstrGetFileName(const std::string& path);

}  // namespace fw
