#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <string>
#include <vector>

#include "builders/head_builder.hpp"
#include "builders/model_builder.hpp"
#include "core/base/error_trap.hpp"
#include "support/temp_dir.hpp"
#include "windows/widgets/head_view.hpp"
#include "windows/widgets/msg_box.hpp"
#include "windows/widgets/qt_text.hpp"
#include "windows/widgets/thumbnail_grid.hpp"
#include "windows/widgets/unrecoverable_error.hpp"

inline void PrintTo(const QColor& colour, std::ostream* out) { *out << colour.name().toStdString(); }

namespace fw {
namespace {

// A short text under a long title: the box is wide enough for the title in the title bar's
// font, beside the bar's icon and three buttons.
TEST(MsgBox, ABoxIsWideEnoughForItsTitle) {
    const QString title = QStringLiteral("Selected Location Invalid: a title far longer than its text");
    int width = 0;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            width = box->width();
            box->accept();
        }
    });
    msgBox("OK?", kBoxInformation, title.toStdString());
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    EXPECT_GE(width, QFontMetrics(font).horizontalAdvance(title) + 4 * QFontMetrics(font).height());
}

// Return presses the default button: Yes of a plain question, No where the style asks for it;
// default_answer, which tests read from a recorded box, agrees.
TEST(MsgBox, ReturnPressesTheDefaultButtonOfTheStyle) {
    for (const auto& [style, expected] : {std::pair(kBoxQuestion, BoxAnswer::Yes),
                                          std::pair(kBoxQuestion | kSecondButtonDefault, BoxAnswer::No)}) {
        QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
        EXPECT_EQ(msgBox("Go?", style, "Confirm Action"), expected) << style;
        EXPECT_EQ(default_answer(style), expected) << style;
    }
}

TEST(QtText, UnicodeTextStaysAndGameBytesAreReadAsWindows1252) {
    EXPECT_EQ(to_qt("Ren\xC3\xA9"), QString::fromUtf8("Ren\xC3\xA9"));  // UTF-8 from our side
    EXPECT_EQ(to_qt("Ren\xE9"), QString::fromUtf8("Ren\xC3\xA9"));      // é as the game stores it
    EXPECT_EQ(to_qt("\x80"), QString::fromUtf8("\xE2\x82\xAC"));        // € is 0x80 in the game's set
    EXPECT_EQ(from_qt(QString::fromUtf8("Ren\xC3\xA9")), "Ren\xC3\xA9");
}

struct ProcessEnded {};

// A failure escaping a control's event handler is reported under the names of the window, the
// control and the event, in one critical box, then the program ends (here, with a throw); a failure
// while the box is up ends without a second box, and once the box is answered the next trap shows
// its own.
TEST(UnrecoverableError, AnEscapedFailureIsNamedInOneCriticalBoxThenTheProgramEnds) {
    int ends = 0;
    install_unrecoverable_error_box([&] {
        ++ends;
        throw ProcessEnded{};
    });
    std::vector<BoxMessage> boxes;
    install_box_responder([&](const BoxMessage& box) {
        boxes.push_back(box);
        if (boxes.size() == 1) {
            record_failure("frmEditSim", "msMakeUserBackup", 3000, Failure(ErrorKind::DiskFull));
            trap();
        }
        return BoxAnswer::Ok;
    });
    QDialog window;
    window.setObjectName("frmMain");
    QPushButton button(&window);
    button.setObjectName("cmdSelect");
    const QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                              Qt::NoButton, Qt::NoModifier);
    try {
        throw Failure(ErrorKind::PathNotFound);
    } catch (...) {
        EXPECT_THROW(trap_escaped_failure(&button, &release), ProcessEnded);
    }
    EXPECT_EQ(boxes,
              (std::vector<BoxMessage>{{"Error: 76\r\nPath not found\r\n\r\nModule: frmMain\r\nProcedure: "
                                        "cmdSelect_MouseButtonRelease\r\nLocation: 0\r\n\r\n"
                                        "The program can not recover from this error.\r\n\r\n"
                                        "Please e-mail the file errorlog.txt to the support e-mail address.",
                                        kBoxCritical, "Unrecoverable Error"}}));
    EXPECT_EQ(ends, 1);
    EXPECT_THROW(trap(), ProcessEnded);
    EXPECT_EQ(boxes.size(), 2u);

    install_box_responder({});
    install_report_and_end([](const std::string& report) { throw TrapRaised{report}; });
}

// Where thumbnails land and which cell a click picks, the main window's and the head selector's
// tests show. The selection frame is only on screen, so it never marks a thumbnail.
TEST(ThumbnailGrid, TheFrameBlinksOnScreenOnlyAndClearEmptiesThePicture) {
    // A grid as the main window sets it up: 481 pixels with its border, so 477 inside.
    ThumbnailGrid grid;
    grid.setGeometry(0, 0, 481, 481);
    grid.show();
    // What the screen shows at a point of the picture.
    const auto seen = [&](QPoint at) { return grid.grab().toImage().pixelColor(grid.canvasOrigin() + at); };
    QImage red(45, 45, QImage::Format_RGB32);
    red.fill(Qt::red);
    grid.drawThumbnail(15, red);  // cell 15: row 2, column 1

    // The frame of cell 15 blinks: button face at the first tick, white at the next.
    grid.setSelectedCell(15);
    grid.Timer1_Timer();
    EXPECT_EQ(seen({68, 136}), grid.background());
    grid.Timer1_Timer();
    for (const QPoint corner :
         {QPoint(68, 136), QPoint(68 + 67, 136 + 67), QPoint(69, 137), QPoint(68 + 66, 136 + 66)})
        EXPECT_EQ(seen(corner), QColor(Qt::white)) << corner.x() << "," << corner.y();
    EXPECT_EQ(seen({70, 138}), grid.background());  // two boxes, nothing inside them
    EXPECT_EQ(grid.canvas().pixelColor(68, 136), grid.background());
    grid.eraseFrame();
    EXPECT_EQ(seen({68, 136}), grid.background());

    grid.clear();
    EXPECT_EQ(grid.canvas().pixelColor(68 + 11, 136 + 2), grid.background());
}

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
    const auto centre = [&] { return view.frame().pixel(view.frame().rect().center()); };
    view.showHead(game.str(), "C010MA_TEST", "c010malgt_red");
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

    // While another window is the active one (a modal window over its own), it keeps still.
    QWidget other;
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(view.turning());
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    EXPECT_TRUE(view.turning());

    // A head that would hold the window for minutes is not drawn, and says why.
    game.write("GameData/Skins/C012MA_Tangle.cmx", build::cmx_text(build::head_description("t", {"t"})));
    game.write("GameData/Skins/t.bmf", build::bmf_bytes(build::tangle_mesh("t", 100000)));
    view.showHead(game.str(), "C012MA_Tangle", "c010malgt_red");
    EXPECT_EQ(view.word(), "Too complex");
    EXPECT_FALSE(view.turning());

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
