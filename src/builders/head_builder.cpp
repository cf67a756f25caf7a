#include "builders/head_builder.hpp"

#include <array>
#include <cmath>
#include <vector>

#include "builders/model_builder.hpp"

namespace fw::build {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The crown and the neck are left open: the rings run between these angles from the top.
constexpr double kTop = 0.04 * kPi;
constexpr double kBottom = 0.90 * kPi;
constexpr double kEyeV = 0.43;   // eye level, as a share of the way from crown to neck
constexpr double kEyeU = 0.057;  // each eye's distance from the face's middle, in u

double ring_angle(double v) { return kTop + (kBottom - kTop) * v; }

// A point of the head's surface: `around` is 0 in the middle of the face, positive to the
// viewer's right; `down` runs from the crown to the neck.
std::array<double, 3> surface(const HeadShape& shape, double around, double down) {
    const double radial = std::sin(down);
    // A narrower jaw, and a nose in the middle of the face below the eyes.
    const double jaw = 1 - 0.16 * std::max(0.0, -std::cos(down));
    const double nose_at = ring_angle(0.56);
    const double nose =
        0.11 * std::exp(-(around * around / 0.03 + (down - nose_at) * (down - nose_at) / 0.02));
    const double out = radial * jaw * (1 + nose);
    return {std::cos(down) * shape.height / 2, std::sin(around) * out * shape.width / 2,
            std::cos(around) * out * shape.depth / 2};
}

std::array<float, 3> to_float(const std::array<double, 3>& p) {
    return {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
}

// Vertex normals as the sum of the normals of the triangles around each vertex, turned outward.
void add_normals(Mesh& mesh) {
    std::vector<std::array<double, 3>> sums(mesh.vertices.size(), {0, 0, 0});
    for (const auto& f : mesh.faces) {
        const auto& a = mesh.vertices[f[0]].position;
        const auto& b = mesh.vertices[f[1]].position;
        const auto& c = mesh.vertices[f[2]].position;
        const double e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double e2[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                             e1[0] * e2[1] - e1[1] * e2[0]};
        for (uint32_t i : f) {
            for (int k = 0; k < 3; ++k) sums[i][static_cast<size_t>(k)] += n[k];
        }
    }
    for (size_t i = 0; i < sums.size(); ++i) {
        auto& v = mesh.vertices[i];
        const double length =
            std::sqrt(sums[i][0] * sums[i][0] + sums[i][1] * sums[i][1] + sums[i][2] * sums[i][2]);
        if (length == 0) continue;
        const double outward =
            sums[i][0] * v.position[0] + sums[i][1] * v.position[1] + sums[i][2] * v.position[2];
        const double sign = outward < 0 ? -1 : 1;
        for (size_t k = 0; k < 3; ++k) v.normal[k] = static_cast<float>(sign * sums[i][k] / length);
    }
}

uint32_t shaded(uint32_t colour, double factor) {
    auto channel = [&](int shift) {
        return static_cast<uint32_t>(std::lround(((colour >> shift) & 0xFF) * factor)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

bool in_ellipse(double du, double dv, double ru, double rv) {
    return du * du / (ru * ru) + dv * dv / (rv * rv) <= 1;
}

}  // namespace

Mesh head_mesh(const std::string& name, const HeadShape& shape, int rings, int segments) {
    Mesh mesh;
    mesh.name = name;
    mesh.texture = "x";
    mesh.bones = {"HEAD"};
    for (int i = 0; i <= rings; ++i) {
        const double v = static_cast<double>(i) / rings;
        for (int j = 0; j <= segments; ++j) {
            // The seam runs down the back of the head: its two columns share places, not u.
            const double u = static_cast<double>(j) / segments;
            mesh.uvs.push_back({static_cast<float>(u), static_cast<float>(v)});
            mesh.vertices.push_back({to_float(surface(shape, 2 * kPi * (u - 0.5), ring_angle(v))), {}});
        }
    }
    const auto at = [segments](int i, int j) { return static_cast<uint32_t>(i * (segments + 1) + j); };
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < segments; ++j) {
            mesh.faces.push_back({at(i, j), at(i + 1, j), at(i + 1, j + 1)});
            mesh.faces.push_back({at(i, j), at(i + 1, j + 1), at(i, j + 1)});
        }
    }
    add_normals(mesh);
    mesh.bindings = {{0, 0, static_cast<int32_t>(mesh.vertices.size()), 0, 0}};
    return mesh;
}

Mesh tangle_mesh(const std::string& name, size_t faces) {
    return {.name = name,
            .texture = "x",
            .bones = {"HEAD"},
            .faces = std::vector<std::array<uint32_t, 3>>(faces, {0, 1, 2}),
            .uvs = {{0, 0}, {1, 0}, {0, 1}},
            .vertices = {{{1, -1, 0}, {0, 0, 1}}, {{1, 1, 0}, {0, 0, 1}}, {{-1, -1, 0}, {0, 0, 1}}}};
}

Mesh glasses_mesh(const std::string& name, const std::string& texture, const HeadShape& shape) {
    Mesh mesh;
    mesh.name = name;
    mesh.texture = texture;
    mesh.bones = {"HEAD"};
    const double half_width = shape.width * 0.085, half_height = shape.height * 0.045;
    for (double side : {-1.0, 1.0}) {
        const auto centre = surface(shape, side * 2 * kPi * kEyeU, ring_angle(kEyeV));
        const double front = centre[2] + shape.depth * 0.05;
        const auto first = static_cast<uint32_t>(mesh.vertices.size());
        for (int corner = 0; corner < 4; ++corner) {
            const double right = corner == 1 || corner == 2 ? 1 : -1;  // top left, top right, ...
            const double up = corner < 2 ? 1 : -1;
            mesh.vertices.push_back(
                {to_float({centre[0] + up * half_height, centre[1] + right * half_width, front}), {0, 0, 1}});
            mesh.uvs.push_back({right > 0 ? 1.0F : 0.0F, up > 0 ? 0.0F : 1.0F});
        }
        mesh.faces.push_back({first, first + 1, first + 2});
        mesh.faces.push_back({first, first + 2, first + 3});
    }
    mesh.bindings = {{0, 0, static_cast<int32_t>(mesh.vertices.size()), 0, 0}};
    return mesh;
}

std::string face_texture(uint32_t seed, const std::string& tone) {
    const uint32_t skin = tone == "drk" ? 0x7A4E34u : tone == "med" ? 0xC68E6Au : 0xF0C8A8u;
    static const std::array<uint32_t, 5> hairs = {0x201810u, 0x5A3418u, 0xD0A858u, 0xA04020u, 0x8C8C8Cu};
    static const std::array<uint32_t, 3> irises = {0x3868B0u, 0x3C8048u, 0x5A3A20u};
    const uint32_t hair = hairs[seed % hairs.size()];
    enum : uint8_t { Skin, Shade, Hair, HairDark, White, Iris, Pupil, Lips };
    const std::vector<uint32_t> palette = {
        skin,      shaded(skin, 0.8), hair, shaded(hair, 0.6), 0xF4F4F0u, irises[seed / 5 % irises.size()],
        0x101010u, 0xB04848u};
    return bmp8(128, 128, palette, [&](int x, int y) -> uint8_t {
        const double u = (x + 0.5) / 128, v = (y + 0.5) / 128;
        const double du = u - 0.5, side = std::abs(du);
        // Hair: a fringe swept to the viewer's right, down to the nape at the back.
        const double hairline = side > 0.22 ? 0.62 : du > 0 ? 0.27 : 0.22;
        if (v < hairline) return v < 0.05 ? HairDark : Hair;
        if (std::abs(side - 0.25) < 0.025 && std::abs(v - 0.47) < 0.07) return Shade;  // ears
        for (double eye : {-kEyeU, kEyeU}) {
            const double eu = du - eye, ev = v - kEyeV;
            if (in_ellipse(eu, ev, 0.009, 0.014)) return Pupil;
            if (in_ellipse(eu, ev, 0.016, 0.02)) return Iris;
            if (in_ellipse(eu, ev, 0.032, 0.022)) return White;
            if (std::abs(eu) < 0.034 && ev > -0.06 && ev < -0.045) return HairDark;  // brows
        }
        if (side < 0.012 && v > 0.46 && v < 0.57) return Shade;  // nose
        if (side < 0.045 && std::abs(v - 0.65) < 0.013) return Lips;
        if (in_ellipse(du - 0.09, v - 0.57, 0.006, 0.008)) return HairDark;  // a mole on one cheek
        return v > 0.9 ? Shade : Skin;
    });
}

std::string glasses_texture() {
    return bmp8(32, 16, {0x202020u, 0xC8E0F0u},
                [](int x, int y) -> uint8_t { return x < 3 || x > 28 || y < 3 || y > 12 ? 0 : 1; });
}

}  // namespace fw::build
