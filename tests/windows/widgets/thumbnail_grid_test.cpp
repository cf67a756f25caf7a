#include "windows/widgets/thumbnail_grid.hpp"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

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

// Where thumbnails land, at their size or scaled, the main window's and the head selector's tests
// show by their pixels. The selection frame is only on screen, so it never marks a thumbnail.
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

// Mouse down reports the cell in picture pixels (the border not counted); the rule for points
// right of or below the grid is the page rules' (sim_pages). A double click is reported as such.
TEST_F(ThumbnailGridTest, MouseReportsTheCellUnderThePointer) {
    QSignalSpy down(&grid, &ThumbnailGrid::mouseDown);
    QSignalSpy moved(&grid, &ThumbnailGrid::mouseMoved);
    QSignalSpy twice(&grid, &ThumbnailGrid::doubleClicked);
    const struct {
        QPoint at;
        int cell;
    } cases[] = {
        {{70, 140}, 15},
        {{0, 0}, 0},
        {{67, 67}, 0},
        {{476, 0}, 7},
    };
    for (const auto& c : cases) {
        down.clear();
        QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.canvasOrigin() + c.at);
        ASSERT_EQ(down.size(), 1);
        EXPECT_EQ(down[0][0].toInt(), c.cell) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(down[0][1].toInt(), c.at.x());
        EXPECT_EQ(down[0][2].toInt(), c.at.y());
    }
    QTest::mouseMove(&grid, grid.canvasOrigin() + QPoint(30, 40));
    ASSERT_FALSE(moved.isEmpty());
    EXPECT_EQ(moved.last()[0].toInt(), 30);
    EXPECT_EQ(moved.last()[1].toInt(), 40);
    QTest::mouseDClick(&grid, Qt::LeftButton, {}, grid.canvasOrigin() + QPoint(5, 5));
    EXPECT_EQ(twice.size(), 1);
}

}  // namespace
}  // namespace fw
