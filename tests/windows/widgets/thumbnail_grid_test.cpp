#include "windows/widgets/thumbnail_grid.hpp"

#include <gtest/gtest.h>

inline void PrintTo(const QColor& colour, std::ostream* out) { *out << colour.name().toStdString(); }

namespace fw {
namespace {

// Where thumbnails land and which cell a click picks, the main window's and the head selector's
// tests show. The selection frame is only on screen, so it never marks a thumbnail.
TEST(ThumbnailGrid, TheFrameBlinksOnScreenOnlyAndClearEmptiesThePicture) {
    // A grid as the main window sets it up: 481 pixels with its border, so 477 inside.
    ThumbnailGrid grid;
    grid.setGeometry(0, 0, 481, 481);
    grid.show();
    // What the screen shows at a point of the picture.
    const auto on_screen = [&](QPoint at) {
        return grid.grab().toImage().pixelColor(grid.canvasOrigin() + at);
    };
    QImage red(45, 45, QImage::Format_RGB32);
    red.fill(Qt::red);
    grid.drawThumbnail(15, red);  // cell 15: row 2, column 1

    // The frame of cell 15 blinks: button face at the first tick, white at the next.
    grid.setSelectedCell(15);
    grid.Timer1_Timer();
    EXPECT_EQ(on_screen({68, 136}), grid.background());
    grid.Timer1_Timer();
    for (const QPoint corner :
         {QPoint(68, 136), QPoint(68 + 67, 136 + 67), QPoint(69, 137), QPoint(68 + 66, 136 + 66)})
        EXPECT_EQ(on_screen(corner), QColor(Qt::white)) << corner.x() << "," << corner.y();
    EXPECT_EQ(on_screen({70, 138}), grid.background());  // two boxes, nothing inside them
    EXPECT_EQ(grid.canvas().pixelColor(68, 136), grid.background());
    grid.eraseFrame();
    EXPECT_EQ(on_screen({68, 136}), grid.background());

    grid.clear();
    EXPECT_EQ(grid.canvas().pixelColor(68 + 11, 136 + 2), grid.background());
}

}  // namespace
}  // namespace fw
