#include "windows/widgets/head_view.hpp"

#include <gtest/gtest.h>

#include <QTest>
#include <cmath>

#include "builders/head_builder.hpp"
#include "builders/model_builder.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

// A game with one head model wearing a red skin, one whose description is damaged.
class HeadViewTest : public testing::Test {
protected:
    HeadViewTest() {
        const std::string mesh = "xskin-c010ma_test-HEAD-HEAD";
        game_.write("GameData/Skins/C010MA_Test.cmx",
                    build::cmx_text(build::head_description("c010ma_test", {mesh})));
        game_.write("GameData/Skins/" + mesh + ".skn", build::skn_text(build::head_mesh(mesh, {})));
        game_.write("GameData/Skins/C010MAlgt_red.bmp",
                    build::bmp8(4, 4, {0xFF0000u}, [](int, int) -> uint8_t { return 0; }));
        game_.write("GameData/Skins/C011MA_Bad.cmx", "version 300\r\n0\r\n");
        view_.setGeometry(0, 0, 102, 102);
    }
    QRgb centre() const { return view_.frame().pixel(view_.frame().width() / 2, view_.frame().height() / 2); }

    build::TempDir game_;
    HeadView view_;
};

TEST_F(HeadViewTest, TheHeadTurnsOnlyWhileShownAndTheMouseTurnsItByHand) {
    view_.showHead(game_.str(), "C010MA_TEST", "c010malgt_red");
    ASSERT_FALSE(view_.frame().isNull());
    EXPECT_TRUE(view_.word().isEmpty());
    EXPECT_GT(qRed(centre()), 100);  // the skin, lit
    EXPECT_EQ(qGreen(centre()), 0);
    EXPECT_FALSE(view_.turning()) << "not shown yet";

    view_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
    EXPECT_TRUE(view_.turning());
    const double before = view_.yaw();
    QTest::qWait(HeadView::kTickMilliseconds * 3);
    EXPECT_NE(view_.yaw(), before);

    // Held, it follows the mouse (across the whole width is one turn) and stops turning itself.
    const int across = view_.contentsRect().width();
    QTest::mousePress(&view_, Qt::LeftButton, {}, QPoint(10, 50));
    const double held = view_.yaw();
    EXPECT_FALSE(view_.turning());
    QTest::mouseMove(&view_, QPoint(10 + across / 4, 50));
    EXPECT_NEAR(view_.yaw(), std::fmod(held + 90, 360), 1e-6);
    QTest::mouseRelease(&view_, Qt::LeftButton, {}, QPoint(10 + across / 4, 50));
    EXPECT_TRUE(view_.turning());

    view_.hide();
    EXPECT_FALSE(view_.turning());
}

TEST_F(HeadViewTest, WhatCannotBeDrawnIsSaidInAWordAndNamedInTheTooltip) {
    view_.showHead(game_.str(), "C099MA_None", "c010malgt_red");
    EXPECT_EQ(view_.word(), "No mesh");
    EXPECT_TRUE(view_.frame().isNull());
    EXPECT_TRUE(view_.toolTip().contains("C099MA_None.cmx"));
    view_.showHead(game_.str(), "C011MA_Bad", "c010malgt_red");
    EXPECT_EQ(view_.word(), "Unreadable");
    EXPECT_TRUE(view_.toolTip().contains("C011MA_Bad.cmx: Error 62 - Input past end of file"));

    // A skin that cannot be found leaves the head plain, and says why.
    view_.showHead(game_.str(), "C010MA_Test", "c010malgt_gone");
    EXPECT_TRUE(view_.word().isEmpty());
    EXPECT_EQ(qRed(centre()), qGreen(centre()));
    EXPECT_TRUE(view_.toolTip().contains("c010malgt_gone.bmp was not found"));
}

}  // namespace
}  // namespace fw
