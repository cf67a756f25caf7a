#pragma once
// A cursor over a file's bytes that checks every read against what remains, so a lying size or
// count becomes a failure ("Input past end of file"), never an out-of-bounds read.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/base/failure.hpp"

namespace fw {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    size_t position() const { return position_; }
    size_t size() const { return bytes_.size(); }
    size_t remaining() const { return bytes_.size() - position_; }

    std::string read(size_t count) {
        require(count);
        std::string out(bytes_.substr(position_, count));
        position_ += count;
        return out;
    }
    unsigned char read_byte() {
        require(1);
        return static_cast<unsigned char>(bytes_[position_++]);
    }
    void step_back(size_t count) { position_ = count > position_ ? 0 : position_ - count; }
    // Fails unless `count` more bytes are there.
    void require(size_t count) const {
        if (count > remaining()) fail(ErrorKind::InputPastEndOfFile);
    }

private:
    std::string_view bytes_;
    size_t position_ = 0;
};

}  // namespace fw
