#include "core/formats/byte_reader.hpp"

#include <algorithm>

namespace fw {

namespace {

// A block of a file is read at a time: a chunk header or a map entry is never a read of its own,
// and a character file (tens or hundreds of kilobytes) is one read, as a whole-file read would be.
constexpr size_t kWindowBytes = 1 << 20;

}  // namespace

FileSource::FileSource(const std::string& path) : file_(BinaryFile::open_for_reading(path)) {
    size_ = static_cast<size_t>(file_.length());
}

void FileSource::read_at(size_t offset, char* out, size_t count) {
    if (offset != at_) file_.seek(static_cast<int64_t>(offset));
    file_.read_exact(out, count);
    at_ = offset + count;
}

void ByteReader::fill(size_t count) {
    // Only a reader over a source gets here: one over memory has all its bytes in the window.
    const size_t length = std::min(std::max(count, kWindowBytes), remaining());
    if (buffer_size_ < length || buffer_.use_count() > 1) {
        buffer_.reset(new char[length]);
        buffer_size_ = length;
    }
    source_->read_at(position_, buffer_.get(), length);
    base_ = position_;
    view_ = std::string_view(buffer_.get(), length);
}

TakenBytes ByteReader::take_since(size_t start) {
    const size_t count = position_ - start;
    if (source_ == nullptr || base_ != start || count > view_.size()) {
        position_ = start;
        std::shared_ptr<char[]> copy(new char[count]);
        const std::string_view bytes = read_view(count);  // which ends where the reader stood
        std::copy(bytes.begin(), bytes.end(), copy.get());
        const std::string_view copied(copy.get(), count);
        return {std::move(copy), copied};
    }
    TakenBytes out{std::move(buffer_), std::string_view(view_.data(), count)};
    buffer_size_ = 0;
    view_ = {};  // the next read fetches a new window
    base_ = 0;
    return out;
}

TakenBytes ByteReader::read_shared(size_t count) {
    require(count);
    if (!in_window(count)) fill(count);
    const std::string_view bytes = view_.substr(position_ - base_, count);
    position_ += count;
    if (source_ != nullptr) return {buffer_, bytes};
    if (memory_owner_ != nullptr) return {memory_owner_, bytes};
    std::shared_ptr<char[]> copy(new char[count]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    const std::string_view copied(copy.get(), count);
    return {std::move(copy), copied};
}

std::string ByteReader::read_until_nul() {
    const size_t start = position_;
    std::string text;
    while (remaining() > 0) {
        if (!in_window(1)) fill(1);
        const std::string_view ahead = view_.substr(position_ - base_);
        const size_t nul = ahead.find('\0');
        if (nul != std::string_view::npos) {
            text.append(ahead.substr(0, nul));
            position_ += nul + 1;
            return text;
        }
        text.append(ahead);
        position_ += ahead.size();
    }
    position_ = start;
    fail(ErrorKind::InputPastEndOfFile);
}

void ByteReader::read_beyond_window(std::string& out, size_t count) {
    if (count < kWindowBytes) {
        fill(count);
        out.append(view_.substr(0, count));
    } else {
        // A large chunk goes straight into its place; the window stays as it was.
        const size_t start = out.size();
        out.resize(start + count);
        source_->read_at(position_, out.data() + start, count);
    }
    position_ += count;
}

}  // namespace fw
