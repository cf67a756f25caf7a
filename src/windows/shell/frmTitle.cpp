#include "windows/shell/frmTitle.hpp"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include "core/screens/startup.hpp"
#include "windows/widgets/dialog_frame.hpp"
#include "windows/widgets/qt_text.hpp"

#include "ui_frmTitle.h"

namespace fw {

frmTitle::frmTitle(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmTitle>()) {
    ui->setupUi(this);
    fix_dialog_frame(this);
    setWindowTitle(to_qt(title_caption()));
    ui->Picture1->setPixmap(QPixmap::fromImage(title_picture()));
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmTitle::cmdOK_Click);
    // Return or Space goes on at once; Tab still reaches the notice to scroll it.
    ui->cmdOK->setFocus();
}

frmTitle::~frmTitle() = default;

void frmTitle::cmdOK_Click() { accept(); }

frmTitle* show_title_box(std::function<void()> open_main) {
    auto* title = new frmTitle;
    title->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(title, &QDialog::finished, title, [open_main = std::move(open_main)] { open_main(); });
    title->show();
    return title;
}

QImage title_picture() {
    QImage picture(256, 266, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 266);
    sky.setColorAt(0.0, QColor(0x1d, 0x35, 0x57));
    sky.setColorAt(1.0, QColor(0x45, 0x7b, 0x9d));
    painter.fillRect(picture.rect(), sky);

    // The medallion the head sits in.
    const QRectF medallion(40, 22, 176, 176);
    QRadialGradient glow(medallion.center() - QPointF(20, 25), 110);
    glow.setColorAt(0.0, QColor(0xf4, 0xf1, 0xde));
    glow.setColorAt(1.0, QColor(0xc9, 0xd6, 0xdf));
    painter.setPen(QPen(QColor(0xe6, 0x39, 0x46), 4));
    painter.setBrush(glow);
    painter.drawEllipse(medallion);

    // A head in profile, facing right, cut off by the medallion's rim below the shoulders.
    QPainterPath head;
    head.moveTo(92, 190);
    head.cubicTo(96, 165, 88, 150, 86, 128);  // back of the neck
    head.cubicTo(80, 80, 112, 50, 140, 52);   // back of the head to the crown
    head.cubicTo(168, 54, 178, 78, 176, 96);  // crown to brow
    head.lineTo(187, 116);                    // nose
    head.lineTo(178, 120);
    head.lineTo(180, 127);  // lips
    head.lineTo(176, 131);
    head.lineTo(178, 137);
    head.cubicTo(176, 150, 168, 154, 156, 152);  // chin and jaw
    head.lineTo(152, 166);                       // throat
    head.cubicTo(152, 180, 166, 186, 204, 196);  // shoulder
    head.lineTo(214, 240);
    head.lineTo(40, 240);
    head.cubicTo(56, 204, 78, 196, 92, 190);
    head.closeSubpath();
    QPainterPath rim;
    rim.addEllipse(medallion.adjusted(2, 2, -2, -2));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1d, 0x35, 0x57));
    painter.drawPath(head.intersected(rim));

    // The program's name under the medallion.
    QFont name(QStringLiteral("Serif"));
    name.setStyleHint(QFont::Serif);
    name.setPixelSize(32);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(QColor(0xf1, 0xfa, 0xee));
    painter.drawText(QRect(0, 204, 256, 40), Qt::AlignCenter, QStringLiteral("Facewright"));
    QFont line(QStringLiteral("Sans"));
    line.setStyleHint(QFont::SansSerif);
    line.setPixelSize(12);
    painter.setFont(line);
    painter.setPen(QColor(0xa8, 0xda, 0xdc));
    painter.drawText(QRect(0, 242, 256, 16), Qt::AlignCenter,
                     QStringLiteral("a character editor for The Sims"));
    return picture;
}

}  // namespace fw
