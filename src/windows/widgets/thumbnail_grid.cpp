#include "windows/widgets/thumbnail_grid.hpp"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "core/shared/grid_pages.hpp"

namespace fw {

namespace {

// The frame's outer box covers the whole cell: from its corner to corner + (67, 67).
QRect frame_box(int cell) { return QRect(ThumbnailGrid::cellOrigin(cell), QSize(kCellSize, kCellSize)); }

}  // namespace

ThumbnailGrid::ThumbnailGrid(QWidget* parent) : PictureBox(parent), timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(333);
    connect(timer_, &QTimer::timeout, this, &ThumbnailGrid::Timer1_Timer);
    timer_->start();
    setMouseTracking(true);  // the tooltip follows the pointer without a button held
}

int ThumbnailGrid::cellAt(QPoint canvas_point) { return cell_at(canvas_point.x(), canvas_point.y()); }

QPoint ThumbnailGrid::cellOrigin(int cell) {
    const GridPoint origin = cell_origin(cell);
    return {origin.x, origin.y};
}

void ThumbnailGrid::drawThumbnail(int cell, const QImage& image) {
    const QPoint at = cellOrigin(cell) + thumbnail_offset_;
    if (thumbnail_size_.isEmpty()) {
        drawImage(at, image);
    } else {
        drawImage(QRect(at, thumbnail_size_), image);
    }
}

void ThumbnailGrid::setSelectedCell(int cell) {
    if (cell == selected_) return;
    updateFrame();
    selected_ = cell;
    updateFrame();
}

void ThumbnailGrid::eraseFrame() {
    white_ = false;
    updateFrame();
}

QColor ThumbnailGrid::frameColour() const { return white_ ? QColor(Qt::white) : background(); }

void ThumbnailGrid::Timer1_Timer() {
    blink_ = !blink_;
    white_ = !blink_;
    updateFrame();
}

void ThumbnailGrid::updateFrame() { updateCanvas(frame_box(selected_)); }

void ThumbnailGrid::paintEvent(QPaintEvent* event) {
    PictureBox::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.translate(canvasOrigin());
    painter.setPen(frameColour());
    const QRect outer = frame_box(selected_);
    painter.drawRect(outer.adjusted(0, 0, -1, -1));  // (x0, y0) to (x0 + 67, y0 + 67)
    painter.drawRect(outer.adjusted(1, 1, -2, -2));  // (x0 + 1, y0 + 1) to (x0 + 66, y0 + 66)
}

void ThumbnailGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint at = toCanvas(event->position().toPoint());
    emit mouseDown(cellAt(at), at.x(), at.y());
}

void ThumbnailGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = toCanvas(event->position().toPoint());
    emit mouseMoved(at.x(), at.y());
}

void ThumbnailGrid::mouseDoubleClickEvent(QMouseEvent*) { emit doubleClicked(); }

}  // namespace fw
