#include "windows/widgets/qt_text.hpp"

#include <QStringDecoder>

#include "core/base/charset.hpp"

namespace fw {

QString to_qt(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    return QString::fromStdString(decode_windows1252(bytes));
}

std::string from_qt(const QString& text) { return text.toStdString(); }

}  // namespace fw
