#include "windows/widgets/head_view.hpp"

#include <gtest/gtest.h>

#include <QTest>
#include <cmath>

#include "builders/head_builder.hpp"
#include "builders/model_builder.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

// A game with one head model wearing a red skin, one whose description is damaged. The head turns
// only while shown, and the mouse turns it by hand; what cannot be drawn is said in a word and named
// in the tooltip.
TEST(HeadView, TheHeadTurnsWhileShownOrByHandAndWhatCannotBeDrawnIsNamed) {
    const build::TempDir game;
    const std::string mesh = "xskin-c010ma_test-HEAD-HEAD";
    game.write("GameData/Skins/C010MA_Test.cmx",
               build::cmx_text(build::head_description("c010ma_test", {mesh})));
    game.write("GameData/Skins/" + mesh + ".skn", build::skn_text(build::head_mesh(mesh, {})));
    game.write("GameData/Skins/C010MAlgt_red.bmp",
               build::bmp8(4, 4, {0xFF0000u}, [](int, int) -> uint8_t { return 0; }));
    game.write("GameData/Skins/C011MA_Bad.cmx", "version 300\r\n0\r\n");
    HeadView view;
    view.setGeometry(0, 0, 102, 102);
    const auto centre = [&] {
        return view.frame().pixel(view.frame().width() / 2, view.frame().height() / 2);
    };
    view.showHead(game.str(), "C010MA_TEST", "c010malgt_red");
    ASSERT_FALSE(view.frame().isNull());
    EXPECT_TRUE(view.word().isEmpty());
    EXPECT_GT(qRed(centre()), 100);  // the skin, lit
    EXPECT_EQ(qGreen(centre()), 0);
    EXPECT_FALSE(view.turning()) << "not shown yet";

    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_TRUE(view.turning());
    const double before = view.yaw();
    QTest::qWait(HeadView::kTickMilliseconds * 3);
    EXPECT_NE(view.yaw(), before);

    // Held, it follows the mouse (across the whole width is one turn) and stops turning itself.
    const int across = view.contentsRect().width();
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(10, 50));
    const double held = view.yaw();
    EXPECT_FALSE(view.turning());
    QTest::mouseMove(&view, QPoint(10 + across / 4, 50));
    EXPECT_NEAR(view.yaw(), std::fmod(held + 90, 360), 1e-6);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(10 + across / 4, 50));
    EXPECT_TRUE(view.turning());

    view.hide();
    EXPECT_FALSE(view.turning());

    view.showHead(game.str(), "C099MA_None", "c010malgt_red");
    EXPECT_EQ(view.word(), "No mesh");
    EXPECT_TRUE(view.frame().isNull());
    EXPECT_TRUE(view.toolTip().contains("C099MA_None.cmx"));
    view.showHead(game.str(), "C011MA_Bad", "c010malgt_red");
    EXPECT_EQ(view.word(), "Unreadable");
    EXPECT_TRUE(view.toolTip().contains("C011MA_Bad.cmx: Error 62 - Input past end of file"));

    // A skin that cannot be found leaves the head plain, and says why.
    view.showHead(game.str(), "C010MA_Test", "c010malgt_gone");
    EXPECT_TRUE(view.word().isEmpty());
    EXPECT_EQ(qRed(centre()), qGreen(centre()));
    EXPECT_TRUE(view.toolTip().contains("c010malgt_gone.bmp was not found"));
}

}  // namespace
}  // namespace fw
