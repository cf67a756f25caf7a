#include "windows/widgets/unrecoverable_error.hpp"

#include <gtest/gtest.h>

#include <QDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <string>
#include <vector>

#include "core/base/error_trap.hpp"
#include "windows/widgets/msg_box.hpp"

namespace fw {
namespace {

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

}  // namespace
}  // namespace fw
