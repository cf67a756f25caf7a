#include "core/formats/colour_quantiser.hpp"

#include <algorithm>
#include <cstddef>
#include <map>
#include <unordered_map>

namespace fw {

namespace {

struct Weighted {
    uint32_t colour;
    uint64_t pixels;
};

uint32_t channel(uint32_t colour, int c) { return colour >> (16 - 8 * c) & 0xFF; }

// A run of colours that becomes one palette entry.
struct Box {
    std::vector<Weighted> colours;
    int widest = 0;      // the channel over which its colours spread most
    uint32_t spread = 0;  // how far

    void measure() {
        spread = 0;
        for (int c = 0; c < 3; ++c) {
            const auto [low, high] = std::minmax_element(colours.begin(), colours.end(), [c](auto& a, auto& b) {
                return channel(a.colour, c) < channel(b.colour, c);
            });
            const uint32_t range = channel(high->colour, c) - channel(low->colour, c);
            if (range > spread) spread = range, widest = c;
        }
    }

    // Splits at the pixel-weighted median of the widest channel; this box keeps the lower half.
    Box split() {
        const int c = widest;
        std::sort(colours.begin(), colours.end(), [c](const Weighted& a, const Weighted& b) {
            const uint32_t x = channel(a.colour, c), y = channel(b.colour, c);
            return x != y ? x < y : a.colour < b.colour;
        });
        uint64_t total = 0;
        for (const Weighted& w : colours) total += w.pixels;
        uint64_t below = 0;
        size_t cut = 0;
        while (cut + 1 < colours.size() && (below += colours[cut].pixels) * 2 < total) ++cut;
        Box upper;
        upper.colours.assign(colours.begin() + static_cast<ptrdiff_t>(cut) + 1, colours.end());
        colours.resize(cut + 1);
        measure();
        upper.measure();
        return upper;
    }

    uint32_t average() const {
        uint64_t sum[3] = {}, total = 0;
        for (const Weighted& w : colours) {
            for (int c = 0; c < 3; ++c) sum[c] += channel(w.colour, c) * w.pixels;
            total += w.pixels;
        }
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c) out = out << 8 | static_cast<uint32_t>((sum[c] + total / 2) / total);
        return out;
    }
};

uint32_t distance(uint32_t a, uint32_t b) {
    uint32_t d = 0;
    for (int c = 0; c < 3; ++c) {
        const int delta = static_cast<int>(channel(a, c)) - static_cast<int>(channel(b, c));
        d += static_cast<uint32_t>(delta * delta);
    }
    return d;
}

}  // namespace

std::vector<uint32_t> choose_palette(const std::vector<uint32_t>& pixels, size_t most) {
    std::map<uint32_t, uint64_t> counts;
    for (uint32_t p : pixels) ++counts[p & 0xFFFFFF];
    std::vector<uint32_t> palette;
    if (counts.size() <= most) {
        for (const auto& [colour, n] : counts) palette.push_back(colour);
        return palette;
    }
    std::vector<Box> boxes(1);
    for (const auto& [colour, n] : counts) boxes[0].colours.push_back({colour, n});
    boxes[0].measure();
    while (boxes.size() < most) {
        // The widest box is split next; the first of equals, so the result never varies.
        auto widest = std::max_element(boxes.begin(), boxes.end(),
                                       [](const Box& a, const Box& b) { return a.spread < b.spread; });
        if (widest->spread == 0) break;
        Box upper = widest->split();
        boxes.push_back(std::move(upper));
    }
    for (const Box& box : boxes) palette.push_back(box.average());
    return palette;
}

std::vector<uint8_t> map_to_palette(const std::vector<uint32_t>& pixels, const std::vector<uint32_t>& palette) {
    std::unordered_map<uint32_t, uint8_t> nearest;
    std::vector<uint8_t> out;
    out.reserve(pixels.size());
    for (uint32_t p : pixels) {
        const uint32_t colour = p & 0xFFFFFF;
        auto [at, added] = nearest.try_emplace(colour, 0);
        if (added) {
            uint32_t best = UINT32_MAX;
            for (size_t i = 0; i < palette.size() && i < 256; ++i) {
                const uint32_t d = distance(colour, palette[i]);
                if (d < best) best = d, at->second = static_cast<uint8_t>(i);
            }
        }
        out.push_back(at->second);
    }
    return out;
}

}  // namespace fw
