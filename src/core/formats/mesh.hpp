#pragma once
// A character mesh: the ".skn" text file or its binary twin ".bmf". In file order: the mesh's
// name, its default texture ("x" for none), the bones it binds to, the triangles, the bindings of
// vertex runs to bones, one texture coordinate per real vertex, the blend records, then every
// vertex (the real ones, then one per blend record) with its normal. A head's vertices are in the
// head bone's own space: +X up the head, +Z toward the face, Y sideways, left-handed.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

struct MeshBinding {
    int32_t bone = 0;  // index into Mesh::bones
    int32_t first_vertex = 0;
    int32_t vertex_count = 0;
    int32_t first_blend = 0;
    int32_t blend_count = 0;
    bool operator==(const MeshBinding&) const = default;
};

struct MeshBlend {
    int32_t other_vertex = 0;
    int32_t weight = 0;  // fixed point, 0x8000 = 1.0
    bool operator==(const MeshBlend&) const = default;
};

struct MeshVertex {
    std::array<float, 3> position{};
    std::array<float, 3> normal{};
    bool operator==(const MeshVertex&) const = default;
};

struct Mesh {
    std::string name{};
    std::string texture{};  // a bitmap's name without ".bmp"; "x" (any case) for none
    std::vector<std::string> bones{};
    std::vector<std::array<uint32_t, 3>> faces{};  // each index below uvs.size()
    std::vector<MeshBinding> bindings{};
    std::vector<std::array<float, 2>> uvs{};  // u to the right, v down from the picture's top
    std::vector<MeshBlend> blends{};
    std::vector<MeshVertex> vertices{};  // uvs.size() real vertices, then one per blend
    bool operator==(const Mesh&) const = default;

    // False for "x" (any case) or an empty name: the mesh names no texture of its own.
    bool has_texture() const;
};

// The mesh from a ".skn" file's bytes, or from a ".bmf" file's. Both fail with an error kind and a
// text saying where (truncation, a bad number, a count that does not add up, a face or binding
// that points past its list); neither reads past the bytes.
Mesh parse_skn(std::string_view bytes);
Mesh parse_bmf(std::string_view bytes);

}  // namespace fw
