#include "core/formats/mesh.hpp"

#include "core/formats/model_values.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

namespace {

// A run [first, first + count) must lie inside a list of `size`; an empty run may start anywhere.
bool run_fits(int32_t first, int32_t count, size_t size) {
    if (count == 0) return true;
    return first >= 0 && count > 0 && static_cast<uint64_t>(first) + static_cast<uint64_t>(count) <= size;
}

void check(const Mesh& mesh) {
    const size_t real = mesh.uvs.size();
    if (mesh.vertices.size() != real + mesh.blends.size()) {
        model_fail(ErrorKind::InvalidArgument, std::to_string(mesh.vertices.size()) + " vertices, but " +
                                                   std::to_string(real) + " texture coordinates and " +
                                                   std::to_string(mesh.blends.size()) + " blends");
    }
    for (size_t i = 0; i < mesh.faces.size(); ++i) {
        for (uint32_t index : mesh.faces[i]) {
            if (index >= real) {
                model_fail(ErrorKind::SubscriptOutOfRange, "face " + std::to_string(i) + " uses vertex " +
                                                               std::to_string(index) + " of " +
                                                               std::to_string(real));
            }
        }
    }
    for (size_t i = 0; i < mesh.bindings.size(); ++i) {
        const MeshBinding& b = mesh.bindings[i];
        if (b.bone < 0 || static_cast<size_t>(b.bone) >= mesh.bones.size() ||
            !run_fits(b.first_vertex, b.vertex_count, real) ||
            !run_fits(b.first_blend, b.blend_count, mesh.blends.size())) {
            model_fail(ErrorKind::SubscriptOutOfRange,
                       "binding " + std::to_string(i) + " reaches past its lists");
        }
    }
}

template <class Values>
Mesh read_mesh(Values& in) {
    Mesh mesh;
    mesh.name = in.name("mesh name");
    mesh.texture = in.name("texture name");
    const size_t bones = in.count(0, 1, "bones");
    mesh.bones.reserve(bones);
    for (size_t i = 0; i < bones; ++i) mesh.bones.push_back(in.name("bones"));

    const size_t faces = in.count(3, 0, "faces");
    mesh.faces.reserve(faces);
    for (size_t i = 0; i < faces; ++i) {
        int32_t f[3];
        in.integers(f, 3, "faces");
        if (f[0] < 0 || f[1] < 0 || f[2] < 0) {
            model_fail(ErrorKind::SubscriptOutOfRange,
                       "face " + std::to_string(i) + " uses a negative vertex");
        }
        mesh.faces.push_back(
            {static_cast<uint32_t>(f[0]), static_cast<uint32_t>(f[1]), static_cast<uint32_t>(f[2])});
    }

    const size_t bindings = in.count(5, 0, "bindings");
    mesh.bindings.reserve(bindings);
    for (size_t i = 0; i < bindings; ++i) {
        int32_t b[5];
        in.integers(b, 5, "bindings");
        mesh.bindings.push_back({b[0], b[1], b[2], b[3], b[4]});
    }

    const size_t uvs = in.count(2, 0, "texture coordinates");
    mesh.uvs.reserve(uvs);
    for (size_t i = 0; i < uvs; ++i) {
        std::array<float, 2> uv{};
        in.numbers(uv.data(), 2, "texture coordinates");
        mesh.uvs.push_back(uv);
    }

    const size_t blends = in.count(2, 0, "blends");
    mesh.blends.reserve(blends);
    for (size_t i = 0; i < blends; ++i) {
        int32_t b[2];
        in.integers(b, 2, "blends");
        // The text form writes the vertex first; the binary form stores the weight first.
        const bool vertex_first = Values::kText;
        mesh.blends.push_back(vertex_first ? MeshBlend{b[0], b[1]} : MeshBlend{b[1], b[0]});
    }

    const size_t vertices = in.count(6, 0, "vertices");
    mesh.vertices.reserve(vertices);
    for (size_t i = 0; i < vertices; ++i) {
        float v[6];
        in.numbers(v, 6, "vertices");
        mesh.vertices.push_back({{v[0], v[1], v[2]}, {v[3], v[4], v[5]}});
    }
    check(mesh);
    return mesh;
}

}  // namespace

bool Mesh::has_texture() const { return !texture.empty() && !iequals(texture, "x"); }

Mesh parse_skn(std::string_view bytes) {
    TextValues in(bytes);
    return read_mesh(in);
}

Mesh parse_bmf(std::string_view bytes) {
    BinaryValues in(bytes);
    return read_mesh(in);
}

}  // namespace fw
