#pragma once
// A head model wearing a skin, drawn from the game's meshes and turning slowly while it is shown.
// Dragging it sideways turns it by hand; it turns on by itself again when let go. Where the model's
// meshes cannot be found or read it says so in a word, and its tooltip names the files and why.
#include <QBasicTimer>
#include <QFrame>
#include <QImage>
#include <string>

#include "core/heads/head_scene.hpp"

namespace fw {

class HeadView : public QFrame {
    Q_OBJECT
public:
    // One step of the turn each tick: a whole turn in about twelve seconds.
    static constexpr int kTickMilliseconds = 40;
    static constexpr double kDegreesPerTick = 1.2;
    // A head first shows its face turned a little to the viewer's left, then turns on to the right.
    static constexpr double kFirstYaw = -25;

    explicit HeadView(QWidget* parent = nullptr);

    // The head to show. The model's meshes are read again only when the game or the model changes,
    // the skin's bitmap only when the skin changes. An empty skin draws the meshes plain.
    void showHead(const std::string& game_path, const std::string& model, const std::string& skin);
    // Shows nothing, and no word.
    void clearHead();

    const std::string& model() const { return model_; }
    const std::string& skin() const { return skin_; }
    // The word shown in place of the head ("No mesh", "Unreadable", "Too complex"); empty while
    // one is drawn.
    QString word() const;
    // The picture of the head at its current turn; null while no head is drawn.
    const QImage& frame() const { return frame_; }
    double yaw() const { return yaw_; }
    void setYaw(double degrees);
    // True while the head turns by itself: shown, drawn, not held by the mouse, and its window not
    // left for another (a window under a modal one, or behind another program's, is idle and
    // uses nothing). A head too complex to draw does not turn: each turn would be refused again.
    bool turning() const { return timer_.isActive(); }
    // The head as it stands, for a still picture elsewhere (the editor's portraits).
    const Scene& scene() const { return scene_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void redraw();
    void update_timer();

    std::string game_path_;
    std::string model_;
    std::string skin_;
    HeadMeshes head_;
    QImage skin_image_;
    std::string skin_problem_;
    Scene scene_;
    QString word_;
    QImage frame_;
    bool too_complex_ = false;  // the scene is more than a picture may take to draw
    double yaw_ = kFirstYaw;
    QBasicTimer timer_;
    bool held_ = false;
    bool left_ = false;  // another window became the active one
    int held_x_ = 0;
    double held_yaw_ = 0;
};

// A still picture of the head for a portrait that the game has not drawn yet: as many heads as fit
// side by side, turned a little apart, marked as a preview. Null for a scene without triangles or
// one too complex to draw.
QImage head_preview_picture(const Scene& scene, QSize size, const QFont& font);

}  // namespace fw
