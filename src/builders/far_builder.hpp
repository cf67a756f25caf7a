#pragma once
// Writes FAR archives ("FAR!byAZ", version 1, data from offset 16, directory at the end) and
// 24-bit BMP pictures.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fw::build {

struct FarEntry {
    std::string name;  // may hold "\" folder parts
    std::string data;
};

std::string far_archive(const std::vector<FarEntry>& entries);
// The offset of the directory in an archive made by far_archive (for lying-file tests).
size_t far_directory_offset(const std::string& archive);

// A 24-bit bottom-up BMP; `rgb` gives 0xRRGGBB for each pixel.
std::string bmp24(int width, int height, const std::function<uint32_t(int x, int y)>& rgb);
// A 45 x 45 face of a given hue, with eyes and a mouth, distinct for each seed.
std::string face_bmp(uint32_t seed, int width = 45, int height = 45);

}  // namespace fw::build
