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

const char* const kClosing =
    "\r\n\r\nThe program can not recover from this error.\r\n\r\n"
    "Please e-mail the file errorlog.txt to the support e-mail address.";

// The program's box and end in place, with an end that throws instead of ending the test run.
class UnrecoverableErrorTest : public testing::Test {
protected:
    void SetUp() override {
        install_unrecoverable_error_box([this] {
            ++ends_;
            throw ProcessEnded{};
        });
    }
    void TearDown() override {
        install_box_responder({});
        install_report_and_end([](const std::string& report) { throw TrapRaised{report}; });
    }
    void record_boxes(std::function<void()> while_shown = {}) {
        install_box_responder([this, while_shown](const BoxMessage& box) {
            boxes_.push_back(box.title + " (" + std::to_string(box.style) + "): " + box.text);
            if (while_shown) while_shown();
            return BoxAnswer::Ok;
        });
    }

    std::vector<std::string> boxes_;
    int ends_ = 0;
};

// The report in a critical box, then the end; a failure while the box is up ends without a second
// box, and once the box is answered the next trap shows its own.
TEST_F(UnrecoverableErrorTest, TrapShowsTheReportAsACriticalBoxThenEndsOnce) {
    record_boxes([] {
        record_failure("frmMain", "msLoadSimImages", 3000, Failure(ErrorKind::PathNotFound));
        trap();
    });
    record_failure("modIFFsupport", "gsReadIFF", 2000, Failure(ErrorKind::InputPastEndOfFile));
    EXPECT_THROW(trap(), ProcessEnded);
    EXPECT_EQ(boxes_,
              std::vector<std::string>{"Unrecoverable Error (16): Error: 62\r\nInput past end of file\r\n\r\n"
                                       "Module: modIFFsupport\r\nProcedure: gsReadIFF\r\nLocation: 2000" +
                                       std::string(kClosing)});
    EXPECT_EQ(ends_, 1);
    record_boxes();
    EXPECT_THROW(trap(), ProcessEnded);
    EXPECT_EQ(boxes_.size(), 2u);
}

TEST_F(UnrecoverableErrorTest, AFailureEscapingAnEventHandlerNamesTheWindowTheControlAndTheEvent) {
    record_boxes();
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
    // The report's layout is the trap's (above); here, what it names.
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].find("Error: 76\r\nPath not found\r\n\r\nModule: frmMain\r\n"
                             "Procedure: cmdSelect_MouseButtonRelease\r\nLocation: 0\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace fw
