#pragma once
// Textured triangles in the game's space, and the one way they become a picture: a small software
// rasterizer, so that every window, the command-line tool and the tests get the same pixels from
// the same input, offscreen or not.
//
// The game's space is left-handed: +X is up, +Z points toward the viewer in front of the face and
// +Y is to that viewer's right. Drawn from the front, a face therefore shows as painted on its
// bitmap. Triangles are drawn whichever way they wind (some meshes mix both), nearer over farther.
#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

namespace fw {

struct ScenePoint {
    std::array<float, 3> position{};  // x up, y to the right, z toward the viewer
    std::array<float, 3> normal{};    // may be zero: the triangle's own normal is used then
    std::array<float, 2> uv{};        // u to the right, v down from the picture's top; both wrap
};

struct ScenePart {
    std::vector<ScenePoint> points{};
    std::vector<std::array<uint32_t, 3>> faces{};  // each index below points.size()
    QImage texture{};                              // a null picture draws the part in plain grey
};

struct Scene {
    std::vector<ScenePart> parts;
};

enum class TextureFilter { Nearest, Bilinear };

struct RenderOptions {
    int size = 256;          // the picture is size x size pixels
    double yaw_degrees = 0;  // turn about the up axis; 90 shows the face looking right
    QRgb background = qRgb(0, 0, 0);
    double margin = 0.06;  // share of the size left free on each side
    TextureFilter filter = TextureFilter::Bilinear;
    bool shading = true;  // light from the front, above and left; off: texture colours as they are
};

// The picture of the scene, framed so that it stays centred at the same scale at every yaw: the
// turn is about the vertical line through the middle of the scene's extent. Sizes below 1 give a
// null picture, and so does a scene too complex to draw: one whose triangles cover the picture
// dozens of times over (a head of the game covers it a few times), which would hold a window that
// turns it for seconds or minutes. A scene without triangles gives the background alone.
QImage render_scene(const Scene& scene, const RenderOptions& options);

}  // namespace fw
