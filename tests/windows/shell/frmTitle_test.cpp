#include "windows/shell/frmTitle.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

namespace fw {
namespace {

TEST(FrmTitle, ShowsTheNoticeAndOpensTheMainWindowOnceClosedEitherWay) {
    for (const bool by_ok : {true, false}) {
        int opened = 0;
        QPointer<frmTitle> title = show_title_box([&] { ++opened; });
        ASSERT_TRUE(title && title->isVisible());
        EXPECT_EQ(title->windowTitle(), "Facewright - Version 2.0.2");
        const QString notice = title->findChild<QPlainTextEdit*>("Text1")->toPlainText();
        for (const char* words : {"NO WARRANTY", "Maxis", "Electronic Arts", "no affiliation"})
            EXPECT_TRUE(notice.contains(QString::fromLatin1(words))) << words;
        EXPECT_EQ(opened, 0);

        if (by_ok) {
            // The box opens with the focus on OK, so Space goes on at once.
            ASSERT_TRUE(QTest::qWaitForWindowActive(title));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        } else {
            title->close();
        }
        EXPECT_EQ(opened, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the box deletes itself
        EXPECT_TRUE(title.isNull());
    }
}

}  // namespace
}  // namespace fw
