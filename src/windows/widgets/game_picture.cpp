#include "windows/widgets/game_picture.hpp"

#include <QByteArray>

#include "core/heads/picture_check.hpp"

namespace fw {

QImage load_game_picture(const std::string& path) {
    const std::optional<std::string> bytes = read_picture_file(path);
    if (!bytes) return {};
    const QByteArray data = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
    // The game's pictures are bitmaps: naming the format spares the loader asking every picture
    // plugin. Anything else is decoded as the skin listing's load test guesses it, so that every
    // skin listed as loadable draws.
    QImage image = QImage::fromData(data, "BMP");
    if (image.isNull()) image = QImage::fromData(data);
    return image;
}

}  // namespace fw
