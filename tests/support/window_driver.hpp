#pragma once
// Drives a window as a player would, for the windows' tests: its controls found by objectName and
// clicked, every message box answered and recorded, a modal window driven while its opener waits.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/platform/settings.hpp"
#include "windows/browser/frmMain.hpp"
#include "windows/widgets/msg_box.hpp"
#include "windows/widgets/picture_box.hpp"
#include "windows/widgets/thumbnail_grid.hpp"

// Readable failure messages for Qt's values.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QColor& colour, std::ostream* out) { *out << colour.name().toStdString(); }

namespace fw {

inline void PrintTo(const BoxMessage& box, std::ostream* out) {
    *out << "{\"" << box.text << "\", " << box.style << ", \"" << box.title << "\"}";
}

namespace build {

template <class T = QWidget>
T* control(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}
inline void click(const QWidget& window, const char* name) {
    QTest::mouseClick(control<QAbstractButton>(window, name), Qt::LeftButton);
}
inline QString text(const QWidget& window, const char* name) {
    return control<QLineEdit>(window, name)->text();
}

// A click on the one item of the list that has this text.
inline void click_item(const QWidget& window, const char* list_name, const QString& item) {
    auto* list = control<QListWidget>(window, list_name);
    const QList<QListWidgetItem*> found = list->findItems(item, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << item.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
}

// A click on the grid's picture at a point of it (a cell is 68 pixels square).
inline void click_at(ThumbnailGrid* grid, QPoint at) {
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->canvasOrigin() + at);
}

// Every shown control of `window` lies inside its parent's frame and overlaps no other (a label
// counts by its text), and no option's caption is cut; `skip` names a control out of sight by design.
inline void expect_controls_fit(const QWidget& window, const QString& skip = {}) {
    EXPECT_TRUE(QRect(QPoint(0, 0), window.screen()->availableGeometry().size()).contains(window.rect()));
    const auto shown_part = [](const QWidget* w) {
        const auto* label = qobject_cast<const QLabel*>(w);
        return !label ? w->geometry()
                      : QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                            label->fontMetrics().size(0, label->text()), label->geometry());
    };
    std::function<void(const QWidget&)> check = [&](const QWidget& parent) {
        std::vector<const QWidget*> controls;
        for (const QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isHidden() || (!skip.isEmpty() && child->objectName() == skip)) continue;
            if (const auto* scroll = qobject_cast<const QScrollArea*>(child)) {
                check(*scroll->widget());
                continue;
            }
            EXPECT_TRUE(parent.rect().contains(child->geometry())) << child->objectName().toStdString();
            EXPECT_TRUE(!qobject_cast<const QRadioButton*>(child) || child->sizeHint().width() <= child->width());
            for (const QWidget* other : controls) {
                EXPECT_FALSE(shown_part(child).intersects(shown_part(other)))
                    << child->objectName().toStdString() << " and " << other->objectName().toStdString();
            }
            controls.push_back(child);
            check(*child);
        }
    };
    check(window);
}

// The names of the controls the focus reaches at each of `count` presses of Tab.
inline std::string tab_stops(int count) {
    std::string stops;
    for (int n = 0; n < count; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stops += (n ? " " : "") + QApplication::focusWidget()->objectName().toStdString();
    }
    return stops;
}

// The main window as the program starts it with this game location and neighbourhood stored.
inline std::unique_ptr<frmMain> main_window(const std::string& game, const std::string& neighbourhood) {
    save_setting(kAppFacewright, kKeySimsLocation, game);
    save_setting(kAppVestrel, kKeyLastNeighborhood, neighbourhood);
    auto window = std::make_unique<frmMain>();
    window->Form_Activate();
    return window;
}

// Whether the picture shows the bitmap (a BMP file's bytes) at its top-left corner.
inline bool shows(const PictureBox* box, const std::string& bmp) {
    const QImage image =
        QImage::fromData(QByteArray::fromStdString(bmp)).convertToFormat(QImage::Format_RGB32);
    const QImage part = box->canvas().copy(QRect(QPoint(0, 0), image.size()));
    return !image.isNull() && part.convertToFormat(QImage::Format_RGB32) == image;
}

// Runs `drive` on the shown window of type Window once its opener holds it modal; a window the
// drive leaves open is closed, so that a failing test never hangs. The flag returned says whether
// such a window was driven.
template <class Window, class Drive>
std::shared_ptr<bool> while_modal(Drive drive) {
    auto driven = std::make_shared<bool>(false);
    QTimer::singleShot(0, [drive, driven] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<Window*>(top);
            if (!window || !window->isVisible()) continue;
            *driven = true;
            drive(*window);
            if (window->isVisible()) window->done(QDialog::Rejected);
        }
    });
    return driven;
}

// For its lifetime, answers every box (a question with `answer`, a Yes/No/Cancel one with
// `choice`, any other with OK) and keeps it.
struct BoxRecorder {
    BoxRecorder() {
        install_box_responder([this](const BoxMessage& box) {
            boxes.push_back(box);
            if ((box.style & 0x0F) == kButtonsYesNoCancel) return choice;
            return (box.style & 0x0F) == (kBoxQuestion & 0x0F) ? answer : BoxAnswer::Ok;
        });
    }
    ~BoxRecorder() { install_box_responder({}); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;
    std::vector<std::string> titles() const {
        std::vector<std::string> seen;
        for (const BoxMessage& box : boxes) seen.push_back(box.title);
        return seen;
    }

    std::vector<BoxMessage> boxes;
    BoxAnswer answer = BoxAnswer::Yes;
    BoxAnswer choice = BoxAnswer::Cancel;
};

}  // namespace build
}  // namespace fw
