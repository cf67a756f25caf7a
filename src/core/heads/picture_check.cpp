#include "core/heads/picture_check.hpp"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <exception>

#include "core/base/failure.hpp"
#include "core/platform/game_files.hpp"

namespace fw {

std::optional<std::string> read_picture_file(const std::string& path) {
    try {
        return read_file_up_to(path, kMaxPictureFileSize);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool loads_as_picture(const std::string& path) {
    // A skin that cannot even be read is as bad as one that does not decode.
    const std::optional<std::string> bytes = read_picture_file(path);
    if (!bytes) return false;
    QByteArray data(bytes->data(), static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image;
    return reader.read(&image) && !image.isNull();
}

}  // namespace fw
