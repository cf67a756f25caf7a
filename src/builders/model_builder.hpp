#pragma once
// Writes character descriptions (".cmx" text, ".cmx.bcf" binary), meshes (".skn" text, ".bmf"
// binary) and 8-bit paletted bitmaps, as the game stores them. Numbers in the text forms are
// written in their shortest exact form, so a file and its binary twin hold the same values.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/formats/character_description.hpp"
#include "core/formats/mesh.hpp"

namespace fw::build {

std::string skn_text(const Mesh& mesh);
std::string bmf_bytes(const Mesh& mesh);
std::string cmx_text(const CharacterDescription& description);
std::string bcf_bytes(const CharacterDescription& description);

// A description of one suit named after the model, each mesh bound to the "HEAD" bone.
CharacterDescription head_description(const std::string& model, const std::vector<std::string>& meshes);
// A description of one suit named after the outfit, its one mesh bound to the "PELVIS" bone.
CharacterDescription body_description(const std::string& outfit, const std::string& mesh);

// An 8-bit paletted bottom-up BMP with as many palette entries as `palette` holds (0xRRGGBB each,
// at most 256); `index` gives each pixel's palette entry.
std::string bmp8(int width, int height, const std::vector<uint32_t>& palette,
                 const std::function<uint8_t(int x, int y)>& index);

}  // namespace fw::build
