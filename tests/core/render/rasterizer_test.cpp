#include "core/render/scene.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "builders/head_builder.hpp"
#include "core/heads/head_scene.hpp"

namespace {

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00;
constexpr QRgb kWhite = 0xFFFFFFFF, kGrey = 0xFF808080, kBack = 0xFF000000;

QImage texture(int width, int height, std::vector<QRgb> colours) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int i = 0; i < width * height; ++i)
        image.setPixel(i % width, i / width, colours[static_cast<size_t>(i)]);
    return image;
}

// A square at depth z, up = x, right = y, facing the viewer: corners from top-left, clockwise,
// with u running from u0 on the left to u1 on the right. Its two triangles wind opposite ways.
fw::ScenePart square(float z, const QImage& image, float u0 = 0, float u1 = 1) {
    return {.points = {{{1, -1, z}, {0, 0, 1}, {u0, 0}},
                       {{1, 1, z}, {0, 0, 1}, {u1, 0}},
                       {{-1, 1, z}, {0, 0, 1}, {u1, 1}},
                       {{-1, -1, z}, {0, 0, 1}, {u0, 1}}},
            .faces = {{0, 1, 2}, {0, 3, 2}},
            .texture = image};
}

fw::RenderOptions flat(int size, fw::TextureFilter filter = fw::TextureFilter::Nearest) {
    return {.size = size, .margin = 0, .filter = filter, .shading = false};
}

// A cube of side 2, one plain colour a face, each face a part of its own.
fw::Scene cube() {
    const std::array<std::array<float, 3>, 8> c = {
        {{1, -1, 1}, {1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1}, {-1, -1, -1}}};
    const std::vector<std::pair<std::array<int, 4>, QRgb>> faces = {
        {{0, 1, 2, 3}, kRed},     // front, +z
        {{4, 5, 6, 7}, kBlue},    // back
        {{1, 5, 6, 2}, kGreen},   // right, +y
        {{0, 4, 7, 3}, kYellow},  // left
        {{0, 1, 5, 4}, kWhite},   // top, +x
        {{3, 2, 6, 7}, kGrey},    // bottom
    };
    fw::Scene scene;
    for (const auto& [corners, colour] : faces) {
        fw::ScenePart part{.points = {}, .faces = {{0, 1, 2}, {0, 2, 3}}, .texture = texture(1, 1, {colour})};
        for (int i : corners) part.points.push_back({c[static_cast<size_t>(i)], {}, {0.5F, 0.5F}});
        scene.parts.push_back(part);
    }
    return scene;
}

TEST(Rasterizer, FrontSquareShowsEachQuarterOfItsBitmapInPlaceBothWindingsDrawnNearerOverFarther) {
    const fw::Scene scene{{square(0, texture(2, 2, {kRed, kGreen, kBlue, kYellow}))}};
    const QImage picture = fw::render_scene(scene, flat(40));
    EXPECT_EQ(picture.pixel(10, 10), kRed);  // the bitmap's top left, at the top left
    EXPECT_EQ(picture.pixel(30, 10), kGreen);
    EXPECT_EQ(picture.pixel(10, 30), kBlue);
    EXPECT_EQ(picture.pixel(30, 30), kYellow);
    EXPECT_EQ(picture.pixel(33, 36), kYellow);  // below the diagonal: the other triangle
    EXPECT_EQ(picture.pixel(36, 33), kYellow);

    // The nearer wins whichever is drawn first.
    const fw::ScenePart near = square(1, texture(1, 1, {kRed}));
    const fw::ScenePart far = square(-1, texture(1, 1, {kBlue}));
    EXPECT_EQ(fw::render_scene(fw::Scene{{near, far}}, flat(20)).pixel(10, 10), kRed);
    EXPECT_EQ(fw::render_scene(fw::Scene{{far, near}}, flat(20)).pixel(10, 10), kRed);
    // Of two equally near, the first drawn stays.
    const fw::ScenePart level = square(1, texture(1, 1, {kBlue}));
    EXPECT_EQ(fw::render_scene(fw::Scene{{near, level}}, flat(20)).pixel(10, 10), kRed);
    EXPECT_EQ(fw::render_scene(fw::Scene{{level, near}}, flat(20)).pixel(10, 10), kBlue);

    // A face naming a point one past the list is left out, never read past the list.
    fw::ScenePart stray = near;
    stray.faces.push_back({0, 1, 4});
    EXPECT_EQ(fw::render_scene(fw::Scene{{stray}}, flat(20)), fw::render_scene(fw::Scene{{near}}, flat(20)));
}

// The face turned to the viewer fills the middle; at any turn the cube stays inside the margin.
TEST(Rasterizer, CubeShowsTheFaceTurnedToTheViewerInsideItsMargin) {
    fw::RenderOptions options = flat(100);
    options.margin = 0.1;
    const std::vector<std::pair<double, QRgb>> turns = {{0, kRed},     {90, kYellow}, {180, kBlue},
                                                        {270, kGreen}, {-90, kGreen}, {450, kYellow}};
    for (const auto& [yaw, colour] : turns) {
        options.yaw_degrees = yaw;
        EXPECT_EQ(fw::render_scene(cube(), options).pixel(50, 50), colour) << yaw;
    }
    for (int yaw = 0; yaw < 360; yaw += 15) {
        options.yaw_degrees = yaw;
        const QImage picture = fw::render_scene(cube(), options);
        for (int x = 0; x < 100; ++x)
            for (int y = 0; y < 100; ++y)
                if (x < 10 || x >= 90 || y < 10 || y >= 90) {
                    ASSERT_EQ(picture.pixel(x, y), kBack) << yaw << ": " << x << "," << y;
                }
    }
    options.yaw_degrees = 45;
    EXPECT_NE(fw::render_scene(cube(), options).pixel(10, 50), kBack)
        << "corner on corner the cube fills the width";
}

TEST(Rasterizer, CoordinatesBelowZeroWrapAroundTheBitmap) {
    // u from -0.25 to 0.25 over a bitmap red on its left half, blue on its right.
    const fw::Scene scene{{square(0, texture(2, 1, {kRed, kBlue}), -0.25F, 0.25F)}};
    const QImage nearest = fw::render_scene(scene, flat(40));
    EXPECT_EQ(nearest.pixel(5, 20), kBlue);  // u = -0.18: the right half, wrapped
    EXPECT_EQ(nearest.pixel(34, 20), kRed);  // u = 0.18
    // Smoothed, each side still takes mostly its own half: the left 86 % blue, 14 % red from
    // across the bitmap's edge, which wraps too.
    const QImage smooth = fw::render_scene(scene, flat(40, fw::TextureFilter::Bilinear));
    EXPECT_EQ(smooth.pixel(5, 20), qRgb(35, 0, 220));
    EXPECT_EQ(smooth.pixel(34, 20), qRgb(220, 0, 35));
}

// No texture coordinate leads outside the bitmap, however large. A scene covering the picture far
// more often than a head does is refused; a head of thousands of triangles is drawn at any size.
TEST(Rasterizer, HugeCoordinatesStayInTheBitmapAndOnlyScenesTooComplexForAnyHeadAreRefused) {
    for (const float u : {3.4028235e+38F, -INFINITY, NAN}) {
        const fw::Scene scene{{square(0, texture(1, 1, {kRed}), u, 3.4028235e+38F)}};
        EXPECT_EQ(fw::render_scene(scene, flat(40)).pixel(20, 20), kRed) << u;
        EXPECT_EQ(fw::render_scene(scene, flat(40, fw::TextureFilter::Bilinear)).pixel(20, 20), kRed) << u;
    }
    fw::ScenePart tangle = square(0, texture(1, 1, {kRed}));
    tangle.faces.assign(100000, {0, 1, 2});
    EXPECT_TRUE(fw::render_scene(fw::Scene{{tangle}}, flat(256)).isNull());
    fw::HeadMeshes head;
    head.parts.emplace_back().mesh = fw::build::head_mesh("x", {}, 60, 64);  // 7680 triangles
    for (const int size : {32, 1024})
        EXPECT_FALSE(fw::render_scene(fw::head_scene(head, {}), {.size = size, .yaw_degrees = 90}).isNull());
}

TEST(Rasterizer, LightFallsFromTheFrontOnEitherSideOfASurface) {
    fw::RenderOptions options = flat(20);
    options.shading = true;
    fw::ScenePart facing = square(0, texture(1, 1, {kWhite}));
    const QRgb front = fw::render_scene(fw::Scene{{facing}}, options).pixel(10, 10);
    for (auto& point : facing.points) point.normal = {0, 0, -1};  // normals pointing inward
    EXPECT_EQ(fw::render_scene(fw::Scene{{facing}}, options).pixel(10, 10), front);
    for (auto& point : facing.points) point.normal = {0, 1, 0};  // the points' normals, not the face's
    EXPECT_LT(qRed(fw::render_scene(fw::Scene{{facing}}, options).pixel(10, 10)), qRed(front));
    for (auto& point : facing.points) point.normal = {0, 0, -1};
    options.yaw_degrees = 75;
    const QRgb aslant = fw::render_scene(fw::Scene{{facing}}, options).pixel(10, 10);
    EXPECT_LT(qRed(aslant), qRed(front));
    EXPECT_GT(qRed(aslant), 0);
}

}  // namespace
