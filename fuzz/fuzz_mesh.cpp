// The mesh readers on arbitrary bytes, as ".skn" text and as ".bmf" binary: a refusal is a
// fw::Failure, never an over-read or an allocation the bytes cannot back; a mesh that is accepted
// can be drawn (its faces point at textured vertices).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/base/failure.hpp"
#include "core/formats/mesh.hpp"

static void check(std::string_view bytes, bool text) {
    fw::Mesh mesh;
    try {
        mesh = text ? fw::parse_skn(bytes) : fw::parse_bmf(bytes);
    } catch (const fw::Failure&) {
        return;
    }
    if (mesh.vertices.size() != mesh.uvs.size() + mesh.blends.size()) __builtin_trap();
    for (const auto& face : mesh.faces)
        for (uint32_t vertex : face)
            if (vertex >= mesh.uvs.size()) __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(bytes, true);
    check(bytes, false);
    return 0;
}
