#pragma once
// A picture box: a sunken frame around a persistent picture. What is painted goes into a QImage
// the size of the frame's inside, so it survives the window being covered and uncovered, and is
// shown from there. Coordinates are the picture's pixels, (0,0) at the top-left inside the border,
// as the windows' rules give them.
#include <QFrame>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

namespace fw {

class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The picture as painted so far (the background colour where nothing was painted).
    const QImage& canvas() const { return fitted_canvas(); }
    // The colour a cleared picture shows: the button face, the picture boxes' background.
    QColor background() const;

    // Empties the picture to the background colour.
    void clear();
    // Paints a bitmap with its top-left corner at `at`, at its own size.
    void drawImage(QPoint at, const QImage& image);
    // Paints a bitmap scaled into `target`.
    void drawImage(const QRect& target, const QImage& image);
    // Prints one line of text with the top of its line at `at`, in the widget's font and text colour.
    void drawText(QPoint at, const QString& text);
    // A one-pixel rectangle outline from `box.topLeft()` to `box.bottomRight()`, both included.
    void drawOutline(const QRect& box, const QColor& colour);
    // Replaces what the picture shows, as assigning a picture does: the old one is gone even where
    // the new one does not reach. A bitmap larger than the picture (a high-definition head skin)
    // is shown whole, scaled down to fit, rather than cut to its top-left corner.
    void showPicture(const QImage& image);

    // Where the picture's (0,0) lies in the widget (inside the border): children placed by picture
    // coordinates add it.
    QPoint canvasOrigin() const { return contentsRect().topLeft(); }
    // A point of the widget in picture coordinates.
    QPoint toCanvas(QPoint widget_point) const { return widget_point - canvasOrigin(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Shows the part of the picture under `canvas_rect` (picture coordinates) at the next paint.
    void updateCanvas(const QRect& canvas_rect);

private:
    // The picture at the size of the frame's inside, also before the widget is first shown (a
    // hidden widget gets no resize events): grown or cut to a new size, keeping what was painted.
    QImage& fitted_canvas() const;

    mutable QImage canvas_;
};

}  // namespace fw
