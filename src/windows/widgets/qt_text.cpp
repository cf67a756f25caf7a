#include "windows/widgets/qt_text.hpp"

#include "core/base/charset.hpp"

namespace fw {

QString to_qt(const std::string& bytes) {
    return is_valid_utf8(bytes) ? QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))
                                : game_text(bytes);
}

QString game_text(const std::string& bytes) { return QString::fromStdString(decode_windows1252(bytes)); }

std::string from_qt(const QString& text) { return text.toStdString(); }

}  // namespace fw
