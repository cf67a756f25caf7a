#include "builders/model_builder.hpp"

#include <bit>
#include <charconv>

#include "core/formats/binary.hpp"

namespace fw::build {

namespace {

constexpr const char* kLine = "\r\n";

std::string number(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string word(uint32_t value) { return long_to_str_le(static_cast<int32_t>(value)); }
std::string word(int32_t value) { return long_to_str_le(value); }
std::string word(size_t value) { return long_to_str_le(static_cast<int32_t>(value)); }
std::string word(float value) { return word(std::bit_cast<uint32_t>(value)); }

// A binary string: a length byte, or 255 and a 32-bit length, then the bytes.
std::string counted(const std::string& text) {
    if (text.size() < 255) return static_cast<char>(text.size()) + text;
    return "\xFF" + word(text.size()) + text;
}

class TextOut {
public:
    TextOut& line(const std::string& text) {
        out_ += text + kLine;
        return *this;
    }
    template <class... Values>
    TextOut& values(Values... values) {
        std::string text;
        ((text += (text.empty() ? "" : " ") + value_text(values)), ...);
        return line(text);
    }
    std::string str() const { return out_; }

private:
    static std::string value_text(float v) { return number(v); }
    static std::string value_text(int32_t v) { return std::to_string(v); }
    static std::string value_text(uint32_t v) { return std::to_string(v); }
    static std::string value_text(size_t v) { return std::to_string(v); }
    std::string out_;
};

}  // namespace

std::string skn_text(const Mesh& mesh) {
    TextOut out;
    out.line(mesh.name).line(mesh.texture).values(mesh.bones.size());
    for (const std::string& bone : mesh.bones) out.line(bone);
    out.values(mesh.faces.size());
    for (const auto& f : mesh.faces) out.values(f[0], f[1], f[2]);
    out.values(mesh.bindings.size());
    for (const MeshBinding& b : mesh.bindings)
        out.values(b.bone, b.first_vertex, b.vertex_count, b.first_blend, b.blend_count);
    out.values(mesh.uvs.size());
    for (const auto& uv : mesh.uvs) out.values(uv[0], uv[1]);
    out.values(mesh.blends.size());
    for (const MeshBlend& b : mesh.blends) out.values(b.other_vertex, b.weight);
    out.values(mesh.vertices.size());
    for (const MeshVertex& v : mesh.vertices) {
        out.values(v.position[0], v.position[1], v.position[2], v.normal[0], v.normal[1], v.normal[2]);
    }
    return out.str();
}

std::string bmf_bytes(const Mesh& mesh) {
    std::string out = counted(mesh.name) + counted(mesh.texture) + word(mesh.bones.size());
    for (const std::string& bone : mesh.bones) out += counted(bone);
    out += word(mesh.faces.size());
    for (const auto& f : mesh.faces) out += word(f[0]) + word(f[1]) + word(f[2]);
    out += word(mesh.bindings.size());
    for (const MeshBinding& b : mesh.bindings) {
        out += word(b.bone) + word(b.first_vertex) + word(b.vertex_count) + word(b.first_blend) +
               word(b.blend_count);
    }
    out += word(mesh.uvs.size());
    for (const auto& uv : mesh.uvs) out += word(uv[0]) + word(uv[1]);
    out += word(mesh.blends.size());
    for (const MeshBlend& b : mesh.blends) out += word(b.weight) + word(b.other_vertex);
    out += word(mesh.vertices.size());
    for (const MeshVertex& v : mesh.vertices) {
        for (float f : v.position) out += word(f);
        for (float f : v.normal) out += word(f);
    }
    return out;
}

std::string cmx_text(const CharacterDescription& description) {
    TextOut out;
    out.line("// Character File. Copyright 1997, Maxis Inc.").line("version 300").values(0);
    out.values(description.suits.size());
    for (const Suit& suit : description.suits) {
        out.line(suit.name).values(suit.type).values(0).values(suit.skins.size());
        for (const SuitSkin& skin : suit.skins)
            out.line(skin.bone).line(skin.mesh).values(skin.flags).values(0);
    }
    return out.values(0).str();  // no animations
}

std::string bcf_bytes(const CharacterDescription& description) {
    std::string out = word(0) + word(description.suits.size());
    for (const Suit& suit : description.suits) {
        out += counted(suit.name) + word(suit.type) + word(0) + word(suit.skins.size());
        for (const SuitSkin& skin : suit.skins)
            out += counted(skin.bone) + counted(skin.mesh) + word(skin.flags) + word(0);
    }
    return out + word(0);
}

CharacterDescription head_description(const std::string& model, const std::vector<std::string>& meshes) {
    Suit suit;
    suit.name = model;
    for (const std::string& mesh : meshes) suit.skins.push_back({"HEAD", mesh, 0});
    return {{suit}};
}

CharacterDescription body_description(const std::string& outfit, const std::string& mesh) {
    return {{Suit{outfit, 0, {SuitSkin{"PELVIS", mesh, 0}}}}};
}

std::string bmp8(int width, int height, const std::vector<uint32_t>& palette,
                 const std::function<uint8_t(int x, int y)>& index) {
    const int row = (width + 3) / 4 * 4;
    const int colours = static_cast<int>(palette.size());
    const int header = 54 + 4 * colours;
    std::string out = "BM";
    out += long_to_str_le(header + row * height) + long_to_str_le(0) + long_to_str_le(header);
    out += long_to_str_le(40) + long_to_str_le(width) + long_to_str_le(height);
    out += std::string("\x01\x00\x08\x00", 4);
    out += long_to_str_le(0) + long_to_str_le(row * height) + long_to_str_le(2835) + long_to_str_le(2835);
    out += long_to_str_le(colours) + long_to_str_le(0);
    for (uint32_t c : palette) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>((c >> 8) & 0xFF);
        out += static_cast<char>((c >> 16) & 0xFF);
        out += '\0';
    }
    for (int y = height - 1; y >= 0; --y) {
        std::string line;
        for (int x = 0; x < width; ++x) line += static_cast<char>(index(x, y));
        line.resize(static_cast<size_t>(row), '\0');
        out += line;
    }
    return out;
}

}  // namespace fw::build
