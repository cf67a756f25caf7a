#include "windows/widgets/thumbnail_grid.hpp"

#include <gtest/gtest.h>


inline void PrintTo(const QColor& colour, std::ostream* out) { *out << colour.name().toStdString(); }

namespace fw {
namespace {

QImage solid(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A grid as the main window sets it up: 481 pixels with its border, so 477 inside.
class ThumbnailGridTest : public testing::Test {
protected:
    ThumbnailGridTest() {
        grid.setGeometry(0, 0, 481, 481);
        grid.show();
    }
    // What the screen shows at a point of the picture.
    QColor on_screen(int x, int y) {
        return grid.grab().toImage().pixelColor(grid.canvasOrigin() + QPoint(x, y));
    }

    ThumbnailGrid grid;
};

// Where thumbnails land and which cell a click picks, the main window's and the head selector's
// tests show. The selection frame is only on screen, so it never marks a thumbnail.
TEST_F(ThumbnailGridTest, TheFrameBlinksOnScreenOnlyAndClearEmptiesThePicture) {
    grid.drawThumbnail(15, solid(45, 45, Qt::red));  // cell 15: row 2, column 1

    // The frame of cell 15 blinks: button face at the first tick, white at the next.
    grid.setSelectedCell(15);
    grid.Timer1_Timer();
    EXPECT_EQ(on_screen(68, 136), grid.background());
    grid.Timer1_Timer();
    for (const QPoint corner :
         {QPoint(68, 136), QPoint(68 + 67, 136 + 67), QPoint(69, 137), QPoint(68 + 66, 136 + 66)}) {
        EXPECT_EQ(on_screen(corner.x(), corner.y()), QColor(Qt::white)) << corner.x() << "," << corner.y();
    }
    EXPECT_EQ(on_screen(70, 138), grid.background());  // two boxes, nothing inside them
    EXPECT_EQ(grid.canvas().pixelColor(68, 136), grid.background());
    grid.eraseFrame();
    EXPECT_EQ(on_screen(68, 136), grid.background());

    grid.clear();
    EXPECT_EQ(grid.canvas().pixelColor(68 + 11, 136 + 2), grid.background());
}

}  // namespace
}  // namespace fw
