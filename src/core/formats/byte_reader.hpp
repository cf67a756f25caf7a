#pragma once
// A cursor over a file's bytes that checks every read against what remains, so a lying size or
// count becomes a failure ("Input past end of file"), never an out-of-bounds read. The bytes are
// either all in memory or taken from a file block by block as the cursor reaches them, so that a
// large file is never read whole only to find that its first size was a lie.
//
// Numbers come in both byte orders because the game's formats mix them: chunk headers are
// big-endian, what lies inside chunks and archives little-endian. A 32-bit value is its unsigned
// bytes reinterpreted as signed, as the formats store sizes and offsets.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/base/failure.hpp"
#include "core/platform/binary_file.hpp"

namespace fw {

// Where a reader takes bytes that are not in memory yet.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual size_t size() = 0;
    // Reads `count` bytes at `offset` (offset + count <= size()) into `out`.
    virtual void read_at(size_t offset, char* out, size_t count) = 0;
};

// A file's bytes, read where the reader asks for them.
class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path);
    size_t size() override { return size_; }
    void read_at(size_t offset, char* out, size_t count) override;

private:
    BinaryFile file_;
    size_t size_ = 0;
    size_t at_ = 0;  // where the file stands, to spare a seek when reads follow each other
};

// Bytes handed over by a reader, with what keeps them alive.
struct TakenBytes {
    std::shared_ptr<const char[]> owner;
    std::string_view bytes;
};

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : view_(bytes), size_(bytes.size()) {}
    explicit ByteReader(ByteSource& source) : source_(&source), size_(source.size()) {}
    // A reader over bytes in memory that `owner` keeps alive, which read_shared hands out uncopied.
    ByteReader(std::string_view bytes, std::shared_ptr<const char[]> owner)
        : view_(bytes), memory_owner_(std::move(owner)), size_(bytes.size()) {}
    // Not copied: a copy would copy its window, a mebibyte of a file.
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    size_t position() const { return position_; }
    size_t size() const { return size_; }
    size_t remaining() const { return size_ - position_; }

    std::string read(size_t count) {
        std::string out;
        read_into(out, count);
        return out;
    }
    // Appends the next `count` bytes to `out`.
    void read_into(std::string& out, size_t count) {
        require(count);
        if (!in_window(count)) return read_beyond_window(out, count);
        out.append(view_.substr(position_ - base_, count));
        position_ += count;
    }
    // Everything from the position to the end (empty at the end).
    std::string read_rest() { return read(remaining()); }
    unsigned char read_byte() { return static_cast<unsigned char>(*take(1)); }
    // The bytes from `start` (at or before the position) to the position, the reader staying
    // there. A file-backed reader whose window begins at `start` hands the window itself over,
    // sparing a copy of what may be a whole archive directory.
    TakenBytes take_since(size_t start);
    // The next `count` bytes, passed over, with what keeps them alive: the window's own block (a
    // block handed out is never read over again) or the memory's owner, else a copy.
    TakenBytes read_shared(size_t count);
    // The next `count` bytes, passed over; the view lasts until the reader's next move.
    std::string_view read_view(size_t count) { return {take(count), count}; }
    // The bytes up to the next NUL, consuming the NUL. Fails when no NUL is left, having moved
    // nothing.
    std::string read_until_nul();

    uint16_t read_u16_le() { return u16_le(take(2)); }
    uint16_t read_u16_be() { return u16_be(take(2)); }
    int32_t read_i32_le() { return i32_le(take(4)); }
    int32_t read_i32_be() { return i32_be(take(4)); }

    // The bytes from the position to the end of the window, not passed over: at least one unless
    // the reader is at the end.
    std::string_view peek_window() {
        if (remaining() == 0) return {};
        if (!in_window(1)) fill(1);
        return view_.substr(position_ - base_);
    }

    // The same numbers from fields already checked to be there.
    // Written out byte by byte, a form the compiler turns into one load.
    static uint16_t u16_le(const char* at) { return static_cast<uint16_t>(byte(at, 0) | byte(at, 1) << 8); }
    static uint16_t u16_be(const char* at) { return static_cast<uint16_t>(byte(at, 0) << 8 | byte(at, 1)); }
    static int32_t i32_le(const char* at) {
        return static_cast<int32_t>(byte(at, 0) | byte(at, 1) << 8 | byte(at, 2) << 16 | byte(at, 3) << 24);
    }
    static int32_t i32_be(const char* at) {
        return static_cast<int32_t>(byte(at, 0) << 24 | byte(at, 1) << 16 | byte(at, 2) << 8 | byte(at, 3));
    }

    // Moves on without reading: the bytes passed over are never fetched from a source.
    void skip(size_t count) {
        require(count);
        position_ += count;
    }
    // Moves to a position counted from the first byte; fails past the end, moving nothing.
    void seek(size_t position) {
        if (position > size_) fail(ErrorKind::InputPastEndOfFile);
        position_ = position;
    }
    void step_back(size_t count) { position_ = count > position_ ? 0 : position_ - count; }
    // Fails unless `count` more bytes are there.
    void require(size_t count) const {
        if (count > remaining()) fail(ErrorKind::InputPastEndOfFile);
    }

private:
    // The next `count` bytes (a few: a number's) in the window, passed over.
    const char* take(size_t count) {
        require(count);
        if (!in_window(count)) fill(count);
        const char* at = view_.data() + (position_ - base_);
        position_ += count;
        return at;
    }
    static uint32_t byte(const char* at, size_t i) { return static_cast<unsigned char>(at[i]); }
    bool in_window(size_t count) const {
        return position_ >= base_ && position_ - base_ + count <= view_.size();
    }
    void read_beyond_window(std::string& out, size_t count);
    // Makes the window hold at least `count` bytes from the position on.
    void fill(size_t count);

    std::string_view view_;  // the bytes in memory, from file offset base_ on
    size_t base_ = 0;
    ByteSource* source_ = nullptr;
    // The window's bytes when they come from a source: never zeroed first, as a std::string's
    // would be, since the file's bytes overwrite them at once.
    std::shared_ptr<char[]> buffer_;
    std::shared_ptr<const char[]> memory_owner_;
    size_t buffer_size_ = 0;
    size_t size_ = 0;
    size_t position_ = 0;
};

}  // namespace fw
