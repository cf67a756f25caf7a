#include "windows/widgets/game_picture.hpp"

#include <QByteArray>

#include "core/heads/picture_check.hpp"

namespace fw {

QImage load_game_picture(const std::string& path) {
    const std::optional<std::string> bytes = read_picture_file(path);
    return bytes ? decode_game_picture(*bytes) : QImage();
}

QImage decode_game_picture(const std::string& bytes) {
    if (bytes.empty()) return {};
    const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // The game's pictures are bitmaps: naming the format spares the loader asking every picture
    // plugin. Anything else is decoded as the skin listing's load test guesses it, so that every
    // skin listed as loadable draws.
    QImage image = QImage::fromData(data, "BMP");
    if (image.isNull()) image = QImage::fromData(data);
    return image;
}

QImage DecodedPictures::picture(const std::string& bytes) {
    if (const auto found = kept_.find(bytes); found != kept_.end()) return found->second;
    QImage image = decode_game_picture(bytes);
    const size_t size = bytes.size() + static_cast<size_t>(image.sizeInBytes());
    if (held_ + size > budget_) {
        kept_.clear();
        held_ = 0;
    }
    if (size <= budget_) {
        held_ += size;
        kept_.emplace(bytes, image);
    }
    return image;
}

QImage DecodedPictures::load(const std::string& path) {
    const std::optional<std::string> bytes = read_picture_file(path);
    return bytes ? picture(*bytes) : QImage();
}

}  // namespace fw
