#include "core/formats/character_file.hpp"

#include "core/base/error_trap.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/str_list.hpp"
#include "core/platform/binary_file.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

std::string read_character_file_checked(IFFFile& file, const std::string& path) {
    return gfstrReadIFFChecked(file, path, kMaxCharacterFileSize);
}

std::string read_character_file(const std::string& path) {
    std::optional<std::string> bytes = read_file_up_to(path, kMaxCharacterFileSize);
    if (!bytes) throw file_too_large(file_length(path));
    return std::move(*bytes);
}

bool gfblnVerifyUserIFF(const IFFFile& file) {
    return guarded("FacewrightMain", "gfblnVerifyUserIFF", [&](int32_t&) {
        if (!find_str_chunk(file, kAppearanceKey, StringListType::STR)) return false;
        if (!find_str_chunk(file, kNameKey, StringListType::CTSS)) return false;
        for (const IFFChunk& chunk : file.chunks) {
            if (chunk.type == "OBJD" && to_lower(gfstrStripNull(chunk.label)).rfind("user", 0) == 0)
                return true;
        }
        return false;
    });
}

std::optional<uint32_t> sim_identifier(const IFFFile& file) {
    constexpr size_t kAt = 28;
    for (const IFFChunk& chunk : file.chunks) {
        if (chunk.type != "OBJD" || to_lower(gfstrStripNull(chunk.label)).rfind("user", 0) != 0) continue;
        if (chunk.data.size() < kAt + 4) return std::nullopt;
        uint32_t id = 0;
        for (size_t i = 0; i < 4; ++i)
            id |= static_cast<uint32_t>(static_cast<uint8_t>(chunk.data[kAt + i])) << (8 * i);
        return id;
    }
    return std::nullopt;
}

std::string iff_bytes_without_bitmaps(const IFFFile& file) {
    if (file.header.size() != kFileHeadSize - 4) fail(ErrorKind::InvalidArgument);  // never read
    std::string out;
    size_t total = kFileHeadSize;
    for (const IFFChunk& chunk : file.chunks) total += kChunkHeaderSize + chunk.data.size();
    out.reserve(total);
    out += file.header;
    out += std::string(4, '\0');  // no resource map is written, so the map offset is 0
    for (const IFFChunk& chunk : file.chunks) {
        if (chunk.type == "BMP_") continue;
        out += chunk.type;
        out += gfstrLongToStrBE(chunk.declared_size());
        out += static_cast<char>(chunk.key.id >> 8);
        out += static_cast<char>(chunk.key.id);
        out += static_cast<char>(chunk.key.flags >> 8);
        out += static_cast<char>(chunk.key.flags);
        out += chunk.label;
        out += chunk.data;
    }
    return out;
}

void gsWriteIFF_NoBMPs(const IFFFile& file, const std::string& path) {
    guarded("FacewrightMain", "gsWriteIFF_NoBMPs", [&](int32_t& location) {
        location = checkpoint::start;
        const std::string bytes = iff_bytes_without_bitmaps(file);
        BinaryFile out = BinaryFile::create(path);
        out.write(bytes.data(), kFileHeadSize);
        location = checkpoint::c2000;
        out.write(bytes.data() + kFileHeadSize, bytes.size() - kFileHeadSize);
        out.close();
    });
}

std::string gfstrGetFileName(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    return to_upper(cut == std::string::npos ? path : path.substr(cut + 1));
}

}  // namespace fw
