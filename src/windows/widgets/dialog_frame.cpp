#include "windows/widgets/dialog_frame.hpp"

#include <QDialog>
#include <QEvent>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <algorithm>

namespace fw {

namespace {

// The room the window manager's title bar and borders take around a window.
constexpr QSize kDecorations(16, 40);

// The window's size within the room, with a scroll bar's width added back where the other
// direction is cut and there is room for it.
QSize fitted_size(QSize wanted, QSize room, int scroll_bar) {
    QSize fitted = wanted.boundedTo(room);
    if (fitted.height() < wanted.height())
        fitted.rwidth() = std::min(wanted.width() + scroll_bar, room.width());
    if (fitted.width() < wanted.width())
        fitted.rheight() = std::min(wanted.height() + scroll_bar, room.height());
    return fitted;
}

// Puts the window's controls into a scroll area of the window's size. A main window's central
// widget moves whole; a dialog's controls move into one widget of the dialog's size, in their
// order, so that the Tab order stays as it was.
QScrollArea* scroll_contents(QWidget* window) {
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        QWidget* content = main->takeCentralWidget();
        content->setFixedSize(content->size());
        scroll->setWidget(content);
        main->setCentralWidget(scroll);
        return scroll;
    }
    const QList<QWidget*> controls = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    auto* content = new QWidget;
    content->setFixedSize(window->size());
    scroll->setParent(window);
    scroll->setWidget(content);
    for (QWidget* control : controls) {
        if (control->isWindow()) continue;
        // A control its form hides (a placeholder, a scratch picture) stays hidden; the others show
        // under their new parent.
        const bool hidden = control->isHidden();
        control->setParent(content);
        if (!hidden) control->show();
    }
    return scroll;
}

void fit_to_screen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return;
    const QSize room = screen->availableGeometry().size() - kDecorations;
    const QSize wanted = window->size();
    if (wanted.width() <= room.width() && wanted.height() <= room.height()) return;
    const QPointer<QWidget> focus = window->focusWidget();
    QScrollArea* scroll = scroll_contents(window);
    const QSize fitted = fitted_size(wanted, room, window->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    window->setFixedSize(fitted);
    if (!qobject_cast<QMainWindow*>(window)) scroll->setGeometry(0, 0, fitted.width(), fitted.height());
    scroll->show();
    if (focus) focus->setFocus();
}

class ScreenFit : public QObject {
public:
    explicit ScreenFit(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == parent()) {
            watched->removeEventFilter(this);
            fit_to_screen(static_cast<QWidget*>(watched));
            deleteLater();
        }
        return false;
    }
};

}  // namespace

void fix_dialog_frame(QDialog* dialog) {
    dialog->setFixedSize(dialog->size());
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    keep_within_screen(dialog);
}

void keep_within_screen(QWidget* window) { new ScreenFit(window); }

void activate_owner(QWidget* owner) {
    if (owner && owner->isVisible()) owner->window()->activateWindow();
}

int grow_caption(QWidget* caption, int right_limit) {
    const int room =
        right_limit == std::numeric_limits<int>::max() ? right_limit : right_limit - caption->x();
    const int wanted = std::min(caption->sizeHint().width(), room);
    if (wanted <= caption->width()) return 0;
    const int grown = wanted - caption->width();
    caption->resize(wanted, caption->height());
    return grown;
}

}  // namespace fw
