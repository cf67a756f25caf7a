#include "windows/widgets/picture_box.hpp"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace fw {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // The picture covers the whole inside; Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor PictureBox::background() const { return palette().color(QPalette::Button); }

void PictureBox::clear() {
    fitted_canvas().fill(background());
    updateCanvas(canvas_.rect());
}

void PictureBox::showPicture(const QImage& image) {
    clear();
    const QSize room = canvas().size();
    if (image.width() <= room.width() && image.height() <= room.height()) {
        drawImage(QPoint(0, 0), image);
    } else {
        drawImage(QRect(QPoint(0, 0), image.size().scaled(room, Qt::KeepAspectRatio)), image);
    }
}

void PictureBox::drawImage(QPoint at, const QImage& image) {
    if (image.isNull()) return;
    {
        QPainter painter(&fitted_canvas());
        painter.drawImage(at, image);
    }
    updateCanvas(QRect(at, image.size()));
}

void PictureBox::drawImage(const QRect& target, const QImage& image) {
    if (image.isNull()) return;
    {
        QPainter painter(&fitted_canvas());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image);
    }
    updateCanvas(target);
}

void PictureBox::drawText(QPoint at, const QString& text) {
    const QFontMetrics metrics(font());
    {
        QPainter painter(&fitted_canvas());
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(at.x(), at.y() + metrics.ascent(), text);
    }
    updateCanvas(QRect(at, QSize(metrics.horizontalAdvance(text) + 1, metrics.height())));
}

void PictureBox::drawOutline(const QRect& box, const QColor& colour) {
    {
        QPainter painter(&fitted_canvas());
        painter.setPen(colour);
        painter.drawRect(box.adjusted(0, 0, -1, -1));  // a pen of one pixel covers right and bottom too
    }
    updateCanvas(box);
}

void PictureBox::updateCanvas(const QRect& canvas_rect) { update(canvas_rect.translated(canvasOrigin())); }

void PictureBox::paintEvent(QPaintEvent*) {
    // Qt clips the painter to the region being painted already; a clip of our own would make
    // every region of many boxes (a page of thumbnails) drawn box by box twice over.
    QPainter painter(this);
    painter.drawImage(canvasOrigin(), fitted_canvas());
    drawFrame(&painter);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fitted_canvas();
}

QImage& PictureBox::fitted_canvas() const {
    const QSize inside = contentsRect().size().expandedTo(QSize(1, 1));
    if (canvas_.size() == inside) return canvas_;
    QImage fitted(inside, QImage::Format_RGB32);
    fitted.fill(background());
    if (!canvas_.isNull()) {
        QPainter painter(&fitted);
        painter.drawImage(0, 0, canvas_);
    }
    canvas_ = fitted;
    return canvas_;
}

}  // namespace fw
