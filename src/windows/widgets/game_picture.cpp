#include "windows/widgets/game_picture.hpp"

#include <QByteArray>
#include <exception>

#include "core/platform/game_files.hpp"

namespace fw {

QImage load_game_picture(const std::string& path) {
    std::string bytes;
    try {
        bytes = read_file(path);
    } catch (const std::exception&) {
        return {};
    }
    const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // The game's pictures are bitmaps: naming the format spares the loader asking every picture
    // plugin. Anything else is decoded as the skin listing's load test guesses it, so that every
    // skin listed as loadable draws.
    QImage image = QImage::fromData(data, "BMP");
    if (image.isNull()) image = QImage::fromData(data);
    return image;
}

}  // namespace fw
