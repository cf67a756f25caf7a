#include "windows/widgets/thumbnail_grid.hpp"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <optional>

#include "core/screens/grid_keys.hpp"
#include "core/screens/grid_pages.hpp"

namespace fw {

namespace {

// The frame's outer box covers the whole cell: from its corner to corner + (67, 67).
QRect frame_box(int cell) { return QRect(ThumbnailGrid::cellOrigin(cell), QSize(kCellSize, kCellSize)); }

std::optional<GridKey> grid_key(int qt_key) {
    switch (qt_key) {
    case Qt::Key_Left: return GridKey::Left;
    case Qt::Key_Right: return GridKey::Right;
    case Qt::Key_Up: return GridKey::Up;
    case Qt::Key_Down: return GridKey::Down;
    case Qt::Key_Home: return GridKey::Home;
    case Qt::Key_End: return GridKey::End;
    case Qt::Key_PageUp: return GridKey::PageUp;
    case Qt::Key_PageDown: return GridKey::PageDown;
    default: return std::nullopt;
    }
}

}  // namespace

ThumbnailGrid::ThumbnailGrid(QWidget* parent) : PictureBox(parent), timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(333);
    connect(timer_, &QTimer::timeout, this, &ThumbnailGrid::Timer1_Timer);
    timer_->start();
    setMouseTracking(true);  // the tooltip follows the pointer without a button held
    setFocusPolicy(Qt::StrongFocus);
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

void ThumbnailGrid::drawMark(int cell) {
    // A right triangle of 10 pixels whose corner is the cell's, two pixels in from the corner so
    // the selection frame never covers it.
    constexpr int kMark = 10;
    static const QImage mark = [] {
        QImage image(kMark, kMark, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(Qt::red));
        const QPoint corner[] = {{0, 0}, {kMark, 0}, {kMark, kMark}};
        painter.drawPolygon(corner, 3);
        return image;
    }();
    drawImage(cellOrigin(cell) + QPoint(kCellSize - 2 - kMark, 2), mark);
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

QColor ThumbnailGrid::frameColour() const {
    if (white_) return QColor(Qt::white);
    // A keyboard player must see which cell the keys have reached at every moment: while the grid
    // has the focus, the frame's dark half of the blink is the highlight colour, not the grid's
    // background.
    return hasFocus() ? palette().color(QPalette::Highlight) : background();
}

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
    if (!hasFocus()) return;
    // The focus shows on the border, outside the picture, so no thumbnail is covered.
    painter.resetTransform();
    painter.setClipping(false);
    const int border = frameWidth();
    QPen pen(palette().color(QPalette::Highlight), border);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal half = border / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
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

void ThumbnailGrid::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        PictureBox::keyPressEvent(event);
        return;
    }
    // The handlers a key stands for may take the focus away (a button hands it to its window's
    // hidden focus button; Return may open the editor over the window): the keyboard user stays
    // on the grid.
    const QPointer<ThumbnailGrid> self(this);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit returnPressed();
    } else if (!walk(event->key())) {
        PictureBox::keyPressEvent(event);
        return;
    }
    if (!self || !self->isVisible()) return;
    self->setFocus(Qt::OtherFocusReason);
    self->showSelectedCell();
}

bool ThumbnailGrid::walk(int qt_key) {
    const std::optional<GridKey> key = grid_key(qt_key);
    if (!key) return false;
    if (!paging_) return true;
    const GridPaging before = paging_();
    const std::optional<GridMove> move = grid_key_move(*key, before.page, selected_, before.items);
    if (!move) return true;
    const QPointer<ThumbnailGrid> self(this);
    const int step = move->page_step > 0 ? 1 : -1;
    for (int32_t turned = 0; turned != move->page_step; turned += step) {
        const int32_t page = paging_().page;
        emit pageKeyed(step);
        if (!self || paging_().page == page) return true;  // the window did not turn the page
    }
    if (move->cell != selected_) {
        const QPoint corner = cellOrigin(move->cell);
        emit cellKeyed(move->cell, corner.x(), corner.y());
    }
    return true;
}

void ThumbnailGrid::showSelectedCell() {
    for (QWidget* above = parentWidget(); above; above = above->parentWidget()) {
        auto* scroll = qobject_cast<QScrollArea*>(above);
        if (!scroll || !scroll->widget() || !scroll->widget()->isAncestorOf(this)) continue;
        const QPoint centre = mapTo(scroll->widget(), canvasOrigin() + frame_box(selected_).center());
        scroll->ensureVisible(centre.x(), centre.y(), kCellSize / 2 + 4, kCellSize / 2 + 4);
        return;
    }
}

void ThumbnailGrid::focusInEvent(QFocusEvent* event) {
    PictureBox::focusInEvent(event);
    update();
}

void ThumbnailGrid::focusOutEvent(QFocusEvent* event) {
    PictureBox::focusOutEvent(event);
    update();
}

}  // namespace fw
