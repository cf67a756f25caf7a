#include "builders/far_builder.hpp"

#include "core/formats/binary.hpp"

namespace fw::build {

std::string far_archive(const std::vector<FarEntry>& entries) {
    std::string out = "FAR!byAZ" + long_to_str_le(1) + std::string(4, '\0');
    std::vector<size_t> offsets;
    for (const FarEntry& e : entries) {
        offsets.push_back(out.size());
        out += e.data;
    }
    const size_t directory = out.size();
    out.replace(12, 4, long_to_str_le(static_cast<int32_t>(directory)));
    out += long_to_str_le(static_cast<int32_t>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto size = static_cast<int32_t>(entries[i].data.size());
        out += long_to_str_le(size) + long_to_str_le(size) + long_to_str_le(static_cast<int32_t>(offsets[i]));
        out += long_to_str_le(static_cast<int32_t>(entries[i].name.size())) + entries[i].name;
    }
    return out;
}

size_t far_directory_offset(const std::string& archive) {
    return static_cast<size_t>(gflngStrToLongLE(archive.substr(12, 4)));
}

std::string bmp24(int width, int height, const std::function<uint32_t(int x, int y)>& rgb) {
    const int row = (width * 3 + 3) / 4 * 4;
    const int pixels = row * height;
    std::string out = "BM";
    out += long_to_str_le(54 + pixels) + long_to_str_le(0) + long_to_str_le(54);
    out += long_to_str_le(40) + long_to_str_le(width) + long_to_str_le(height);
    out += std::string("\x01\x00\x18\x00", 4);
    out += long_to_str_le(0) + long_to_str_le(pixels) + long_to_str_le(2835) + long_to_str_le(2835);
    out += long_to_str_le(0) + long_to_str_le(0);
    for (int y = height - 1; y >= 0; --y) {
        std::string line;
        for (int x = 0; x < width; ++x) {
            const uint32_t c = rgb(x, y);
            line += static_cast<char>(c & 0xFF);
            line += static_cast<char>((c >> 8) & 0xFF);
            line += static_cast<char>((c >> 16) & 0xFF);
        }
        line.resize(static_cast<size_t>(row), '\0');
        out += line;
    }
    return out;
}

std::string face_bmp(uint32_t seed, int width, int height) {
    const uint32_t skin = 0x603010u + (seed * 0x2F1B07u) % 0x9FCFEFu;
    const uint32_t hair = (seed * 0x1F3D5Bu) & 0x7F7F7Fu;
    const uint32_t back = 0x20408Fu + (seed * 37u % 96u);
    return bmp24(width, height, [&](int x, int y) -> uint32_t {
        const int cx = width / 2, cy = height / 2 + 2;
        const int rx = width * 2 / 5, ry = height * 9 / 20;
        const int dx = x - cx, dy = y - cy;
        const bool in_face = dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry;
        if (!in_face) return back;
        if (y < cy - ry * 2 / 3 + static_cast<int>(seed % 5)) return hair;
        const bool eye =
            (y == cy - ry / 4 || y == cy - ry / 4 + 1) && ((x >= cx - rx / 2 - 1 && x <= cx - rx / 2 + 1) ||
                                                           (x >= cx + rx / 2 - 1 && x <= cx + rx / 2 + 1));
        if (eye) return 0x101010u;
        const bool mouth = y == cy + ry / 2 && dx * dx <= (rx / 2) * (rx / 2) - static_cast<int>(seed % 3);
        if (mouth) return 0x902020u;
        return skin;
    });
}

}  // namespace fw::build
