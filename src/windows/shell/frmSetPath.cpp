#include "windows/shell/frmSetPath.hpp"

#include <QFontInfo>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "core/game/game_location.hpp"
#include "windows/widgets/dialog_frame.hpp"
#include "windows/widgets/msg_box.hpp"
#include "windows/widgets/openers.hpp"
#include "windows/widgets/qt_text.hpp"

#include "ui_frmSetPath.h"

namespace fw {

namespace {

// The read-only boxes look like the dialog's face, not like fields to type into; their right
// end, under "Use" and "Find", stays free of text.
void show_as_read_only(QLineEdit* box, int covered_width) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
    box->setTextMargins(0, 0, covered_width, 0);
}

// The note is long for its place; where the system's font runs wider than the one the window was
// laid out for, it is set smaller rather than cut off.
void fit_text(QLabel* label) {
    QFont font = label->font();
    int pixels = QFontInfo(font).pixelSize();
    while (pixels > 8 && label->heightForWidth(label->width()) > label->height()) {
        font.setPixelSize(--pixels);
        label->setFont(font);
    }
}

// The hidden focus button takes the focus from a box while a button's handler runs; once the
// dialog waits for the player again, the focus shows on the button that was pressed.
struct FocusBack {
    QPushButton* button;
    ~FocusBack() {
        if (button->isVisible()) button->setFocus();
    }
};

}  // namespace

frmSetPath::frmSetPath(QWidget* owner) : QDialog(owner), ui(std::make_unique<Ui::frmSetPath>()) {
    ui->setupUi(this);
    fix_dialog_frame(this);
    show_as_read_only(ui->txtRegistry, ui->cmdUseReg->width());
    show_as_read_only(ui->txtLocation, ui->cmdFindPath->width());
    fit_text(ui->Label1);
    connect(ui->cmdUseReg, &QPushButton::clicked, this, &frmSetPath::cmdUseReg_Click);
    connect(ui->cmdFindPath, &QPushButton::clicked, this, &frmSetPath::cmdFindPath_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmSetPath::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmSetPath::cmdCancel_Click);

    const SetPathContents contents = set_path_contents();
    registry_ = contents.registry;
    location_ = contents.location;
    ui->txtRegistry->setText(to_qt(registry_.stored_text()));
    show_location();
}

frmSetPath::~frmSetPath() = default;

void frmSetPath::show_location() {
    ui->txtLocation->setText(to_qt(location_));
    ui->txtLocation->setCursorPosition(0);
}

void frmSetPath::cmdUseReg_Click() {
    ui->cmdFocus->setFocus();
    const FocusBack back{ui->cmdUseReg};
    if (const auto box = use_registry_path(registry_, location_)) {
        msgBox(*box, this);
        return;
    }
    show_location();
}

void frmSetPath::cmdFindPath_Click() {
    ui->cmdFocus->setFocus();
    const FocusBack back{ui->cmdFindPath};
    if (!openers().browse_folder) return;
    const auto chosen = openers().browse_folder(this, "Select the location of The Sims.");
    if (!chosen) return;
    location_ = *chosen;
    show_location();
}

void frmSetPath::cmdOK_Click() {
    ui->cmdFocus->setFocus();
    const FocusBack back{ui->cmdOK};
    if (const auto box = confirm_location(location_)) {
        msgBox(*box, this);
        return;
    }
    accept();
}

void frmSetPath::cmdCancel_Click() {
    ui->cmdFocus->setFocus();
    reject();
}

}  // namespace fw
