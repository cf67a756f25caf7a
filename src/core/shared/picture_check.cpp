#include "core/shared/picture_check.hpp"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include "core/base/failure.hpp"
#include "core/platform/game_files.hpp"

namespace fw {

bool loads_as_picture(const std::string& path) {
    std::string bytes;
    try {
        bytes = read_file(path);
    } catch (const Failure&) {
        return false;  // a skin that cannot even be read is as bad as one that does not decode
    }
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image;
    return reader.read(&image) && !image.isNull();
}

}  // namespace fw
