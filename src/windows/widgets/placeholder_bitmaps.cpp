#include "windows/widgets/placeholder_bitmaps.hpp"

#include <QFont>
#include <QPainter>

namespace fw {

namespace {

constexpr int kSide = 45;

QImage blank(const QColor& fill) {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

}  // namespace

const QImage& not_found_bitmap() {
    static const QImage image = [] {
        QImage made = blank(QColor(224, 224, 224));
        QPainter painter(&made);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(128, 128, 128), 1));
        painter.drawRect(0, 0, kSide - 1, kSide - 1);
        painter.drawEllipse(QRectF(11.5, 6.5, 22, 26));
        QFont font;
        font.setPixelSize(16);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRect(11, 6, 23, 27), Qt::AlignCenter, QStringLiteral("?"));
        return made;
    }();
    return image;
}

const QImage& cant_load_bitmap() {
    static const QImage image = [] {
        QImage made = blank(Qt::white);
        QPainter painter(&made);
        painter.setPen(QPen(QColor(128, 0, 0), 1));
        painter.drawRect(0, 0, kSide - 1, kSide - 1);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(204, 0, 0), 5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(10, 10), QPointF(35, 35));
        painter.drawLine(QPointF(35, 10), QPointF(10, 35));
        return made;
    }();
    return image;
}

}  // namespace fw
