#include "widgets/game_picture.hpp"

#include <QByteArray>
#include <exception>

#include "platform/game_files.hpp"

namespace fw {

QImage load_game_picture(const std::string& path) {
    std::string bytes;
    try {
        bytes = read_file(path);
    } catch (const std::exception&) {
        return {};
    }
    // The loader guesses the format from the bytes, as the skin listing's load test does, so a
    // skin that was listed as loadable draws.
    return QImage::fromData(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace fw
