// The mesh readers on arbitrary bytes, as ".skn" text and as ".bmf" binary: a refusal is a
// fw::Failure, never an over-read or an allocation the bytes cannot back; a mesh that is accepted
// can be drawn (its faces point at textured vertices), and is, without reading outside the picture
// or the bitmap whatever its numbers.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "core/base/failure.hpp"
#include "core/formats/mesh.hpp"
#include "core/heads/head_scene.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (bool text : {true, false}) {
        fw::Mesh mesh;
        try {
            mesh = text ? fw::parse_skn(bytes) : fw::parse_bmf(bytes);
        } catch (const fw::Failure&) {
            continue;
        }
        if (mesh.vertices.size() != mesh.uvs.size() + mesh.blends.size()) __builtin_trap();
        for (const auto& face : mesh.faces)
            for (uint32_t vertex : face)
                if (vertex >= mesh.uvs.size()) __builtin_trap();
        // Drawn as a head wearing a skin, whatever its numbers.
        fw::HeadMeshes head;
        head.parts.emplace_back().mesh = std::move(mesh);
        head.parts.back().wears_skin = true;
        for (const auto filter : {fw::TextureFilter::Nearest, fw::TextureFilter::Bilinear})
            fw::render_scene(fw::head_scene(head, QImage(3, 2, QImage::Format_RGB32)),
                             {.size = 24, .filter = filter});
    }
    return 0;
}
