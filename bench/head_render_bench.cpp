// One frame of the turning head against the least any frame costs: a picture of the same size
// filled and copied once.
#include "head_render_bench.hpp"

#include <benchmark/benchmark.h>

#include "builders/head_builder.hpp"
#include "core/heads/head_scene.hpp"
#include "paired.hpp"

namespace fw::bench {

namespace {

constexpr int kSize = 256;

const Scene& head() {
    static const Scene scene = [] {
        HeadMeshes meshes;
        HeadPart part;
        part.mesh = build::head_mesh("xskin-c001ma_bench-HEAD-HEAD", {}, 10, 10);  // 200 triangles
        part.wears_skin = true;
        meshes.parts.push_back(part);
        return head_scene(meshes, decode_texture(build::face_texture(1, "med")));
    }();
    return scene;
}

void head_render_ours() {
    static RenderOptions options = [] {
        RenderOptions made;
        made.size = kSize;
        return made;
    }();
    const QImage frame = render_scene(head(), options);
    benchmark::DoNotOptimize(frame.constBits());
    options.yaw_degrees += 7;  // a different turn each frame, as the windows draw them
}

void head_render_plain() {
    QImage frame(kSize, kSize, QImage::Format_RGB32);
    frame.fill(qRgb(64, 64, 64));
    const QImage copy = frame.copy();
    benchmark::DoNotOptimize(copy.constBits());
}

}  // namespace

void register_head_render_benchmarks() {
    register_figure("head_render", {head_render_ours}, {head_render_plain});
}

}  // namespace fw::bench
