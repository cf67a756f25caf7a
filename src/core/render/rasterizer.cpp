// The software rasterizer behind render_scene: an orthographic view along -Z after the turn, a
// depth buffer, wrapped texture lookup and light from the vertex normals interpolated across each
// triangle. Everything is computed the same way on every call, so equal input gives equal pixels.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/render/scene.hpp"

namespace fw {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr QRgb kPlainGrey = qRgb(170, 170, 170);
// Light comes from the viewer's side, above and to the left; both sides of a surface catch it,
// since the meshes do not agree on which way their triangles face.
constexpr float kAmbient = 0.38F;
constexpr float kDiffuse = 0.62F;

// The work a picture may take: the pixels of its triangles' boxes, plus a little per triangle, up
// to this many times its area (from a picture of kBudgetSide pixels up).
constexpr int64_t kBudgetCovers = 48;
constexpr int kBudgetSide = 256;

int64_t render_budget(int size) {
    const int64_t side = std::max(size, kBudgetSide);
    return kBudgetCovers * side * side;
}

// Where the scene sits in the picture: the turn is about the vertical line through (cy, cz).
struct Framing {
    double cx = 0, cy = 0, cz = 0;
    double scale = 1;
};

Framing frame_scene(const Scene& scene, int size, double margin) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    double lo[3] = {inf, inf, inf};
    double hi[3] = {-inf, -inf, -inf};
    auto each_used_point = [&](auto&& visit) {
        for (const ScenePart& part : scene.parts) {
            for (const auto& face : part.faces) {
                for (uint32_t i : face) {
                    if (i < part.points.size()) visit(part.points[i].position);
                }
            }
        }
    };
    each_used_point([&](const std::array<float, 3>& p) {
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], static_cast<double>(p[static_cast<size_t>(k)]));
            hi[k] = std::max(hi[k], static_cast<double>(p[static_cast<size_t>(k)]));
        }
    });
    Framing f;
    if (lo[0] > hi[0]) return f;  // nothing to draw
    f.cx = lo[0] / 2 + hi[0] / 2;
    f.cy = lo[1] / 2 + hi[1] / 2;
    f.cz = lo[2] / 2 + hi[2] / 2;
    // The widest the scene can be across the picture at any yaw.
    double radius = 0;
    each_used_point([&](const std::array<float, 3>& p) {
        radius = std::max(radius, std::hypot(p[1] - f.cy, p[2] - f.cz));
    });
    const double half = std::max(hi[0] / 2 - lo[0] / 2, radius);
    const double usable = size * std::clamp(1 - 2 * margin, 0.0, 1.0);
    if (half > 0 && std::isfinite(half)) f.scale = usable / (2 * half);
    return f;
}

struct Projected {
    float x = 0, y = 0;  // picture pixels, y down
    float depth = 0;     // larger is nearer
    float light = -1;    // -1: no normal, the triangle's own is used
    float u = 0, v = 0;
    std::array<float, 3> view{};  // right, up, toward the viewer (for the triangle's normal)
};

float light_of(double right, double up, double toward) {
    static const double length = std::sqrt(0.4 * 0.4 + 0.5 * 0.5 + 1.0);
    const double n = std::sqrt(right * right + up * up + toward * toward);
    if (!(n > 1e-12) || !std::isfinite(n)) return -1;
    const double lambert = std::abs((-0.4 * right + 0.5 * up + 1.0 * toward) / (n * length));
    return kAmbient + kDiffuse * static_cast<float>(lambert);
}

class Sampler {
public:
    Sampler(const QImage& image, TextureFilter filter) : filter_(filter) {
        if (image.isNull()) return;
        image_ = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                     ? image
                     : image.convertToFormat(QImage::Format_RGB32);
        width_ = image_.width();
        height_ = image_.height();
        bits_ = image_.constBits();
        stride_ = static_cast<size_t>(image_.bytesPerLine());
    }

    QRgb at(float u, float v) const {
        if (width_ == 0 || height_ == 0) return kPlainGrey;
        // Wrapped: the seam at the back of a head has u just below 0. A coordinate that is no
        // number (one of the mesh's huge ones grown past a float while interpolated) takes the
        // bitmap's corner, so that no float ever leads outside the bitmap.
        const float fu = wrap(u);
        const float fv = wrap(v);
        if (filter_ == TextureFilter::Nearest) {
            return texel(std::min(static_cast<int>(fu * width_), width_ - 1),
                         std::min(static_cast<int>(fv * height_), height_ - 1));
        }
        const float fx = fu * width_ - 0.5F;
        const float fy = fv * height_ - 0.5F;
        int x0 = static_cast<int>(std::floor(fx));
        int y0 = static_cast<int>(std::floor(fy));
        // The four texels around the point, weighted in 1/256ths.
        const int ax = static_cast<int>((fx - x0) * 256 + 0.5F);
        const int ay = static_cast<int>((fy - y0) * 256 + 0.5F);
        if (x0 < 0) x0 += width_;
        if (y0 < 0) y0 += height_;
        const int x1 = x0 + 1 == width_ ? 0 : x0 + 1;
        const int y1 = y0 + 1 == height_ ? 0 : y0 + 1;
        const QRgb a = texel(x0, y0), b = texel(x1, y0), c = texel(x0, y1), d = texel(x1, y1);
        const auto mix = [ax, ay](QRgb p, QRgb q, QRgb r, QRgb t, int shift) {
            const auto at = [shift](QRgb colour) { return static_cast<int>((colour >> shift) & 0xFF); };
            const int top = at(p) * (256 - ax) + at(q) * ax;
            const int bottom = at(r) * (256 - ax) + at(t) * ax;
            return (top * (256 - ay) + bottom * ay + 32768) >> 16;
        };
        return qRgb(mix(a, b, c, d, 16), mix(a, b, c, d, 8), mix(a, b, c, d, 0));
    }

private:
    static float wrap(float t) {
        const float part = t - std::floor(t);
        return part >= 0 && part <= 1 ? part : 0;
    }

    QRgb texel(int x, int y) const {
        return reinterpret_cast<const QRgb*>(bits_ + static_cast<size_t>(y) * stride_)[x];
    }

    QImage image_;
    const uchar* bits_ = nullptr;
    size_t stride_ = 0;
    int width_ = 0, height_ = 0;
    TextureFilter filter_;
};

QRgb lit(QRgb colour, float light) {
    auto scale = [light](int c) { return std::min(255, static_cast<int>(c * light + 0.5F)); };
    return qRgb(scale(qRed(colour)), scale(qGreen(colour)), scale(qBlue(colour)));
}

class Rasterizer {
public:
    Rasterizer(QImage& picture, const RenderOptions& options)
        : picture_(picture),
          options_(options),
          size_(picture.width()),
          depth_(static_cast<size_t>(size_) * static_cast<size_t>(size_),
                 -std::numeric_limits<float>::infinity()) {}

    // False once the picture has taken more work than its budget: the triangle is not drawn.
    bool triangle(const Projected& a, const Projected& b, const Projected& c, const Sampler& sampler) {
        work_ += kFaceWork;
        const float area = edge(a.x, a.y, b.x, b.y, c.x, c.y);
        if (!(std::abs(area) > 1e-9F)) return work_ <= budget_;  // no area, or a point that is no number
        float la = a.light, lb = b.light, lc = c.light;
        if (options_.shading && (la < 0 || lb < 0 || lc < 0)) {
            const float own = face_light(a, b, c);
            if (la < 0) la = own;
            if (lb < 0) lb = own;
            if (lc < 0) lc = own;
        }
        const float left = std::min({a.x, b.x, c.x}), right = std::max({a.x, b.x, c.x});
        const float top = std::min({a.y, b.y, c.y}), bottom = std::max({a.y, b.y, c.y});
        const int x_begin = clamp_pixel(std::floor(left)), x_end = clamp_pixel(std::ceil(right));
        const int y_begin = clamp_pixel(std::floor(top)), y_end = clamp_pixel(std::ceil(bottom));
        work_ += static_cast<int64_t>(x_end - x_begin) * (y_end - y_begin);
        if (work_ > budget_) return false;
        const float inverse = 1.0F / area;
        const float step_a = (b.y - c.y) * inverse, step_b = (c.y - a.y) * inverse,
                    step_c = (a.y - b.y) * inverse;
        for (int y = y_begin; y < y_end; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(picture_.scanLine(y));
            float* depth_row = depth_.data() + static_cast<size_t>(y) * static_cast<size_t>(size_);
            const float py = static_cast<float>(y) + 0.5F;
            const float px = static_cast<float>(x_begin) + 0.5F;
            // Weights of a, b and c: positive inside whichever way the triangle winds. Each changes
            // by a fixed step from one pixel to the next along the row.
            float wa = edge(b.x, b.y, c.x, c.y, px, py) * inverse;
            float wb = edge(c.x, c.y, a.x, a.y, px, py) * inverse;
            float wc = edge(a.x, a.y, b.x, b.y, px, py) * inverse;
            for (int x = x_begin; x < x_end; ++x, wa += step_a, wb += step_b, wc += step_c) {
                if (wa < 0 || wb < 0 || wc < 0) continue;
                const float depth = wa * a.depth + wb * b.depth + wc * c.depth;
                if (!(depth > depth_row[x])) continue;  // nearer wins; the first of equals stays
                depth_row[x] = depth;
                QRgb colour = sampler.at(wa * a.u + wb * b.u + wc * c.u, wa * a.v + wb * b.v + wc * c.v);
                if (options_.shading) colour = lit(colour, wa * la + wb * lb + wc * lc);
                row[x] = colour;
            }
        }
        return true;
    }

private:
    static float edge(float ax, float ay, float bx, float by, float px, float py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    }

    int clamp_pixel(float value) const {
        if (!(value > 0)) return 0;
        return value >= static_cast<float>(size_) ? size_ : static_cast<int>(value);
    }

    static float face_light(const Projected& a, const Projected& b, const Projected& c) {
        const double e1[3] = {b.view[0] - a.view[0], b.view[1] - a.view[1], b.view[2] - a.view[2]};
        const double e2[3] = {c.view[0] - a.view[0], c.view[1] - a.view[1], c.view[2] - a.view[2]};
        const float light = light_of(e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                     e1[0] * e2[1] - e1[1] * e2[0]);
        return light < 0 ? 1.0F : light;
    }

    // A face costs a little even where it covers no pixel, so that a flood of tiny faces counts too.
    static constexpr int64_t kFaceWork = 16;

    QImage& picture_;
    const RenderOptions& options_;
    int size_;
    std::vector<float> depth_;
    int64_t work_ = 0;
    int64_t budget_ = render_budget(size_);
};

}  // namespace

QImage render_scene(const Scene& scene, const RenderOptions& options) {
    if (options.size < 1) return {};
    QImage picture(options.size, options.size, QImage::Format_RGB32);
    picture.fill(options.background);
    const Framing f = frame_scene(scene, options.size, options.margin);
    const double turn = options.yaw_degrees * kPi / 180.0;
    const double cosine = std::cos(turn), sine = std::sin(turn);
    const double middle = options.size / 2.0;

    Rasterizer raster(picture, options);
    std::vector<Projected> projected;
    for (const ScenePart& part : scene.parts) {
        projected.assign(part.points.size(), Projected{});
        for (size_t i = 0; i < part.points.size(); ++i) {
            const ScenePoint& p = part.points[i];
            const double up = p.position[0] - f.cx;
            const double y = p.position[1] - f.cy, z = p.position[2] - f.cz;
            const double right = y * cosine + z * sine;
            const double toward = z * cosine - y * sine;
            Projected& q = projected[i];
            q.x = static_cast<float>(middle + f.scale * right);
            q.y = static_cast<float>(middle - f.scale * up);
            // Depth and the view-space point are kept at the picture's scale too, which keeps them
            // within a float whatever the mesh's own units.
            q.depth = static_cast<float>(f.scale * toward);
            q.view = {q.x, -q.y, q.depth};
            const double ny = p.normal[1], nz = p.normal[2];
            q.light = light_of(ny * cosine + nz * sine, p.normal[0], nz * cosine - ny * sine);
            q.u = p.uv[0];
            q.v = p.uv[1];
        }
        const Sampler sampler(part.texture, options.filter);
        for (const auto& face : part.faces) {
            if (face[0] >= projected.size() || face[1] >= projected.size() || face[2] >= projected.size())
                continue;
            if (!raster.triangle(projected[face[0]], projected[face[1]], projected[face[2]], sampler))
                return {};
        }
    }
    return picture;
}

}  // namespace fw
