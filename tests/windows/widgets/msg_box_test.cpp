#include "windows/widgets/msg_box.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>

#include "windows/widgets/qt_text.hpp"

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

TEST(QtText, UnicodeTextStaysAndGameBytesAreReadAsWindows1252) {
    EXPECT_EQ(to_qt("Ren\xC3\xA9"), QString::fromUtf8("Ren\xC3\xA9"));  // UTF-8 from our side
    EXPECT_EQ(to_qt("Ren\xE9"), QString::fromUtf8("Ren\xC3\xA9"));      // é as the game stores it
    EXPECT_EQ(to_qt("\x80"), QString::fromUtf8("\xE2\x82\xAC"));        // € is 0x80 in the game's set
    EXPECT_EQ(from_qt(QString::fromUtf8("Ren\xC3\xA9")), "Ren\xC3\xA9");
}

}  // namespace
}  // namespace fw
