#pragma once
// The 7 x 7 grid of thumbnails shared by the main window and the head selector: a picture box
// whose cells are 68 pixels square, with a blinking selection frame and the cell under the pointer.
//
// The thumbnails are painted into the persistent picture (PictureBox). The selection frame (two
// nested one-pixel boxes around the selected cell) is drawn on screen only, over the picture, so
// erasing it never takes anything off a thumbnail; a timer of the window's chosen interval
// alternates its colour between the button face (the grid's background) and white.
//
// The grid takes the focus by Tab and by a click, and the keys walk it (core/screens/grid_keys.hpp
// says where each key leads): an arrow, Home or End stands for a click on the cell it leads to,
// Page Up and Page Down for Previous and Next, Return for a double click. The window connects
// each to the handler it stands for. While the grid has the focus its border shows it in the
// highlight colour, steadily, and the frame blinks between white and that colour.
#include <QColor>
#include <QPoint>
#include <QSize>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>

#include "windows/widgets/picture_box.hpp"

namespace fw {

// What the grid's keys walk over, asked at each key: the page shown and the items of all pages.
struct GridPaging {
    int32_t page = 0;
    size_t items = 0;
};

class ThumbnailGrid : public PictureBox {
    Q_OBJECT
public:
    explicit ThumbnailGrid(QWidget* parent = nullptr);

    // Where a cell's thumbnail goes: the offset from the cell's corner, and the size it is scaled
    // to (an empty size paints the bitmap at its own size). Main window: (11,2) at own size; head
    // selector: (2,2) scaled to 64 x 64.
    void setThumbnailOffset(QPoint offset) { thumbnail_offset_ = offset; }
    void setThumbnailSize(QSize size) { thumbnail_size_ = size; }
    // The frame's blink interval in milliseconds (the timer runs from construction).
    void setBlinkInterval(int milliseconds) { timer_->setInterval(milliseconds); }
    int blinkInterval() const { return timer_->interval(); }
    // Where the window keeps its page and its list; without it the keys walk nothing.
    void setPaging(std::function<GridPaging()> paging) { paging_ = std::move(paging); }

    // The cell under a point of the picture: (y div 68) x 7 + (x div 68). A point right of the
    // seventh column counts as the next row's, one below the last row as the next page's.
    static int cellAt(QPoint canvas_point);
    // A cell's top-left corner in the picture.
    static QPoint cellOrigin(int cell);

    // Paints a thumbnail into a cell at the configured offset and size.
    void drawThumbnail(int cell, const QImage& image);
    // Paints a red corner into the cell's top right, beside its thumbnail and inside its frame: a
    // mark that something about the cell's item is wrong. It goes with the next clear.
    void drawMark(int cell);

    // The selected cell, whose frame blinks. Selecting shows the new frame at the next tick.
    int selectedCell() const { return selected_; }
    void setSelectedCell(int cell);
    // Draws the selected cell's frame in the button face, as before the cell changes.
    void eraseFrame();
    // The frame's colour now on screen: the button face (hidden) or white; while the grid has
    // the focus, the highlight colour in place of the button face, so the frame never hides.
    QColor frameColour() const;

public slots:
    // One tick of the blink: a frame in the button face turns white and back.
    void Timer1_Timer();

signals:
    // Any mouse button pressed: the cell under the pointer and the point, in picture pixels.
    void mouseDown(int cell, int x, int y);
    // The pointer moved over the grid (with or without a button held).
    void mouseMoved(int x, int y);
    void doubleClicked();
    // A key led to a cell of the page shown: as a mouse press at the cell's corner.
    void cellKeyed(int cell, int x, int y);
    // Page Up or Page Down, or an arrow past the page's edge: as Previous (-1) or Next (+1).
    void pageKeyed(int step);
    // Return or Enter: as a double click.
    void returnPressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateFrame();
    // Walks the grid as the key leads; false when it is no key of the grid's.
    bool walk(int qt_key);
    // Scrolls the selected cell into sight when the window shows the grid through a scroll area.
    void showSelectedCell();

    QTimer* timer_;
    QPoint thumbnail_offset_{11, 2};
    QSize thumbnail_size_;
    std::function<GridPaging()> paging_;
    int selected_ = 0;
    bool blink_ = false;  // the colour the frame takes at the next tick: false gives the button face
    bool white_ = false;  // the frame is white on screen
};

}  // namespace fw
