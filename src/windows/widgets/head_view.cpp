#include "windows/widgets/head_view.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>
#include <algorithm>
#include <cmath>

#include "core/platform/shown_name.hpp"
#include "windows/widgets/qt_text.hpp"

namespace fw {

namespace {

const QRgb kBackground = qRgb(64, 64, 64);

double wrapped(double degrees) { return degrees - 360.0 * std::floor(degrees / 360.0); }

}  // namespace

HeadView::HeadView(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setCursor(Qt::OpenHandCursor);
}

void HeadView::showHead(const std::string& game_path, const std::string& model, const std::string& skin) {
    if (model.empty()) {
        clearHead();
        return;
    }
    const bool new_model = game_path != game_path_ || model != model_ || head_.model.empty();
    if (!new_model && skin == skin_) return;
    HeadFileFinder finder(game_path);
    if (new_model) {
        game_path_ = game_path;
        model_ = model;
        head_ = load_head_meshes(finder, model);
        skin_.clear();
        skin_image_ = QImage();
        skin_problem_.clear();
    }
    if (skin != skin_ || new_model) {
        skin_ = skin;
        const SkinPicture picture = skin.empty() ? SkinPicture{} : load_skin_picture(finder, skin);
        skin_image_ = picture.image;
        skin_problem_ = picture.problem;
    }
    scene_ = head_scene(head_, skin_image_);
    switch (head_.state()) {
    case HeadState::Drawn: word_.clear(); break;
    case HeadState::NotFound: word_ = tr("No mesh"); break;
    case HeadState::Unreadable: word_ = tr("Unreadable"); break;
    }
    QStringList problems;
    for (const std::string& problem : head_.problems) problems << to_qt(shown_name(problem));
    if (!skin_problem_.empty()) problems << to_qt(shown_name(skin_problem_));
    setToolTip(problems.join('\n'));
    redraw();
    update_timer();
}

void HeadView::clearHead() {
    game_path_.clear();
    model_.clear();
    skin_.clear();
    head_ = HeadMeshes{};
    skin_image_ = QImage();
    skin_problem_.clear();
    scene_ = Scene{};
    word_.clear();
    setToolTip(QString());
    redraw();
    update_timer();
}

void HeadView::setYaw(double degrees) {
    yaw_ = wrapped(degrees);
    redraw();
}

QString HeadView::word() const { return too_complex_ ? tr("Too complex") : word_; }

void HeadView::redraw() {
    frame_ = QImage();
    too_complex_ = false;
    const int size = std::min(contentsRect().width(), contentsRect().height());
    if (!scene_.parts.empty() && size > 0) {
        RenderOptions options;
        options.size = size;
        options.yaw_degrees = yaw_;
        options.background = kBackground;
        frame_ = render_scene(scene_, options);
        too_complex_ = frame_.isNull();
    }
    update();
    update_timer();
}

void HeadView::update_timer() {
    const bool run = isVisible() && !scene_.parts.empty() && !held_ && !too_complex_ && !left_;
    if (run && !timer_.isActive()) timer_.start(kTickMilliseconds, this);
    if (!run) timer_.stop();
}

void HeadView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect room = contentsRect();
    painter.fillRect(room, QColor(kBackground));
    if (!frame_.isNull()) {
        painter.drawImage(room.x() + (room.width() - frame_.width()) / 2,
                          room.y() + (room.height() - frame_.height()) / 2, frame_);
    } else if (const QString shown = word(); !shown.isEmpty()) {
        painter.setPen(QColor(0xE0, 0xE0, 0xE0));
        painter.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, shown);
    }
}

void HeadView::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    redraw();
}

void HeadView::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    update_timer();
}

void HeadView::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    update_timer();
}

void HeadView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        QFrame::timerEvent(event);
        return;
    }
    // A window hidden behind a minimised owner gets no hide event of its own: stop there too.
    if (!isVisible()) {
        update_timer();
        return;
    }
    setYaw(yaw_ + kDegreesPerTick);
}

void HeadView::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    left_ = !isActiveWindow();
    update_timer();
}

void HeadView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    held_ = true;
    held_x_ = event->position().toPoint().x();
    held_yaw_ = yaw_;
    setCursor(Qt::ClosedHandCursor);
    update_timer();
}

void HeadView::mouseMoveEvent(QMouseEvent* event) {
    if (!held_) return;
    // A drag across the whole view turns the head once around.
    const double per_pixel = 360.0 / std::max(1, contentsRect().width());
    setYaw(held_yaw_ + (event->position().toPoint().x() - held_x_) * per_pixel);
}

void HeadView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !held_) return;
    held_ = false;
    setCursor(Qt::OpenHandCursor);
    update_timer();
}

QImage head_preview_picture(const Scene& scene, QSize size, const QFont& font) {
    if (scene.parts.empty() || size.isEmpty()) return QImage();
    QImage picture(size, QImage::Format_RGB32);
    const QRgb background = qRgb(0xE8, 0xE8, 0xE8);
    picture.fill(background);
    const int side = std::min(size.width(), size.height());
    const int count = std::max(1, size.width() / side);
    const int left = (size.width() - count * side) / 2;
    QPainter painter(&picture);
    for (int i = 0; i < count; ++i) {
        RenderOptions options;
        options.size = side;
        options.background = background;
        // One head turned a little to its left; several from one side to the other.
        options.yaw_degrees = count == 1 ? -20.0 : -35.0 + 70.0 * i / (count - 1);
        const QImage head = render_scene(scene, options);
        if (head.isNull()) return QImage();  // too complex to draw
        painter.drawImage(left + i * side, (size.height() - side) / 2, head);
    }
    // Marked, so that nobody takes it for the game's own picture of the sim.
    QFont small = font;
    small.setPixelSize(std::max(7, size.height() / 5));
    painter.setFont(small);
    const int band = QFontMetrics(small).height();
    const QRect strip(0, size.height() - band, size.width(), band);
    painter.fillRect(strip, QColor(0, 0, 0, 140));
    painter.setPen(Qt::white);
    painter.drawText(strip, Qt::AlignCenter, QObject::tr("Preview"));
    return picture;
}

}  // namespace fw
