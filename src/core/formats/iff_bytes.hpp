#pragma once
// A chunk's bytes held without a copy of their own. A chunk read from a file views the file's
// bytes, which all its chunks share and which live as long as any of them; a chunk given new data
// owns those. Bytes once held never change: new data replace the view, so a copy of a chunk taken
// before keeps what it saw.
#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace fw {

class ChunkBytes {
public:
    ChunkBytes() = default;
    ChunkBytes(std::shared_ptr<const void> owner, std::string_view bytes)
        : owner_(std::move(owner)), view_(bytes) {}
    // New bytes, owned from now on.
    ChunkBytes(std::string bytes) { *this = std::move(bytes); }
    ChunkBytes(const char* text) : ChunkBytes(std::string(text)) {}
    ChunkBytes& operator=(std::string bytes) {
        auto owned = std::make_shared<const std::string>(std::move(bytes));
        view_ = *owned;
        owner_ = std::move(owned);
        return *this;
    }

    std::string_view view() const { return view_; }
    operator std::string_view() const { return view_; }
    size_t size() const { return view_.size(); }
    bool empty() const { return view_.empty(); }
    const char* data() const { return view_.data(); }
    char operator[](size_t i) const { return view_[i]; }

    friend bool operator==(const ChunkBytes& a, const ChunkBytes& b) { return a.view_ == b.view_; }
    template <class Text>
        requires std::is_convertible_v<const Text&, std::string_view>
    friend bool operator==(const ChunkBytes& a, const Text& b) {
        return a.view_ == std::string_view(b);
    }

private:
    std::shared_ptr<const void> owner_;
    std::string_view view_;
};

// A chunk's 64-byte label as stored, padding included: held in place, never allocated.
class ChunkLabel {
public:
    static constexpr size_t kSize = 64;
    ChunkLabel() { bytes_.fill('\0'); }
    // A label as given, cut or padded with NULs to its size.
    ChunkLabel(const std::string& text) : ChunkLabel() {
        std::copy_n(text.begin(), std::min(text.size(), kSize), bytes_.begin());
    }
    // The label stored at `at`, all its bytes.
    static ChunkLabel from_stored(const char* at) {
        ChunkLabel label;
        std::copy(at, at + kSize, label.bytes_.begin());
        return label;
    }

    std::string_view view() const { return {bytes_.data(), kSize}; }
    operator std::string_view() const { return view(); }
    size_t size() const { return kSize; }

private:
    std::array<char, kSize> bytes_;
};

}  // namespace fw
