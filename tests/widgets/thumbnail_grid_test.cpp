#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "widgets/picture_box.hpp"
#include "widgets/thumbnail_grid.hpp"

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

// Thumbnails land at the cell's corner + the offset, at their own size or scaled, and stay in the
// picture; the selection frame is only on screen, so it never marks a thumbnail.
TEST_F(ThumbnailGridTest, ThumbnailsGoIntoThePictureAndTheFrameOnlyOntoTheScreen) {
    EXPECT_EQ(grid.canvas().size(), QSize(477, 477));
    grid.drawThumbnail(15, solid(45, 45, Qt::red));          // cell 15: row 2, column 1
    EXPECT_EQ(grid.canvas().pixelColor(68 + 11, 136 + 2), QColor(Qt::red));
    EXPECT_EQ(grid.canvas().pixelColor(68 + 11 + 44, 136 + 2 + 44), QColor(Qt::red));
    EXPECT_EQ(grid.canvas().pixelColor(68 + 11 + 45, 136 + 2), grid.background());

    grid.setThumbnailOffset({2, 2});
    grid.setThumbnailSize({64, 64});
    grid.drawThumbnail(0, solid(16, 16, Qt::blue));
    EXPECT_EQ(grid.canvas().pixelColor(2 + 63, 2 + 63), QColor(Qt::blue));
    EXPECT_EQ(grid.canvas().pixelColor(2 + 64, 2 + 64), grid.background());

    // The frame of cell 15 blinks: button face at the first tick, white at the next.
    grid.setSelectedCell(15);
    grid.Timer1_Timer();
    EXPECT_EQ(on_screen(68, 136), grid.background());
    grid.Timer1_Timer();
    for (const QPoint corner : {QPoint(68, 136), QPoint(68 + 67, 136 + 67), QPoint(69, 137),
                                QPoint(68 + 66, 136 + 66)}) {
        EXPECT_EQ(on_screen(corner.x(), corner.y()), QColor(Qt::white)) << corner.x() << "," << corner.y();
    }
    EXPECT_EQ(on_screen(70, 138), grid.background());     // two boxes, nothing inside them
    EXPECT_EQ(grid.canvas().pixelColor(68, 136), grid.background());
    grid.eraseFrame();
    EXPECT_EQ(on_screen(68, 136), grid.background());

    grid.clear();
    EXPECT_EQ(grid.canvas().pixelColor(68 + 11, 136 + 2), grid.background());
}

// Mouse down reports the cell by the grid's rule in picture pixels (the border not counted): a
// point right of the seventh column is the next row's, a double click is reported as such.
TEST_F(ThumbnailGridTest, MouseReportsTheCellUnderThePointer) {
    QSignalSpy down(&grid, &ThumbnailGrid::mouseDown);
    QSignalSpy moved(&grid, &ThumbnailGrid::mouseMoved);
    QSignalSpy twice(&grid, &ThumbnailGrid::doubleClicked);
    const struct { QPoint at; int cell; } cases[] = {
        {{70, 140}, 15}, {{0, 0}, 0}, {{67, 67}, 0}, {{68, 0}, 1}, {{476, 0}, 7}, {{476, 68 * 6}, 49},
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

// A picture box keeps what was painted (text lines included) until it is cleared.
TEST(PictureBox, KeepsItsPictureUntilCleared) {
    PictureBox box;
    box.setGeometry(0, 0, 261, 261);
    EXPECT_EQ(box.canvas().size(), QSize(257, 257));
    box.drawImage(QPoint(0, 64), solid(60, 45, Qt::green));
    box.drawText(QPoint(0, 84), QStringLiteral("Error 62 - Input past end of file"));
    EXPECT_EQ(box.canvas().pixelColor(59, 64 + 44), QColor(Qt::green));
    EXPECT_EQ(box.canvas().pixelColor(60, 64), box.background());
    bool text_painted = false;
    for (int y = 84; y < 84 + box.fontMetrics().height(); ++y) {
        for (int x = 0; x < 100; ++x) {
            text_painted = text_painted || box.canvas().pixelColor(x, y) != box.background();
        }
    }
    EXPECT_TRUE(text_painted);
    box.clear();
    EXPECT_EQ(box.canvas().pixelColor(0, 64), box.background());
}

}  // namespace
}  // namespace fw
