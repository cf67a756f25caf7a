#pragma once
// Whether a file is a picture the program can show: the platform picture loader's verdict, the
// test the head selector weeds out bad skins with and the editor looks for a head bitmap with.
#include <cstdint>
#include <optional>
#include <string>

namespace fw {

// The largest file taken for a picture. The game's bitmaps are kilobytes (a large head skin a few
// megabytes); a file past this is no picture of the game's and is not read at all.
inline constexpr int64_t kMaxPictureFileSize = 64 * 1024 * 1024;

// The bytes of a picture file; nothing when it cannot be read or is larger than
// kMaxPictureFileSize.
std::optional<std::string> read_picture_file(const std::string& path);

// True when the file loads as a picture with the platform's picture loader.
bool loads_as_picture(const std::string& path);

}  // namespace fw
