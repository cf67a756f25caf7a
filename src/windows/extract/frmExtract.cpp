#include "windows/extract/frmExtract.hpp"

#include <QCoreApplication>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextCursor>
#include <QTimer>

#include "core/heads/head_extraction.hpp"
#include "core/game/app_state.hpp"
#include "windows/widgets/dialog_frame.hpp"
#include "windows/widgets/msg_box.hpp"
#include "windows/widgets/qt_text.hpp"
#include "windows/widgets/wait_cursor.hpp"

#include "ui_frmExtract.h"

namespace fw {

frmExtract::frmExtract(QWidget* owner) : QDialog(owner), ui(std::make_unique<Ui::frmExtract>()) {
    ui->setupUi(this);
    fix_dialog_frame(this);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmExtract::cmdClose_Click);
}

frmExtract::~frmExtract() = default;

void frmExtract::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The work starts once the window is on screen, so that its first lines show as they come.
    if (!started_) {
        started_ = true;
        QTimer::singleShot(0, this, &frmExtract::Form_Activate);
    }
}

void frmExtract::Form_Activate() {
    ui->cmdClose->setEnabled(false);
    std::optional<BoxMessage> skipped;
    {
        const WaitCursor busy;
        skipped = extract_head_bitmaps(app_state().game.install(), [this](const std::string& piece) {
                      append(piece);
                  }).archives.skipped_box();
    }
    done_ = true;
    ui->cmdClose->setEnabled(true);
    ui->cmdClose->setFocus();
    if (skipped) msgBox(*skipped, this);
}

void frmExtract::append(const std::string& piece) {
    // The core writes CR LF; the box breaks lines at LF alone.
    QString text = to_qt(piece);
    text.remove(QLatin1Char('\r'));
    QTextCursor end(ui->txtStatus->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    ui->txtStatus->verticalScrollBar()->setValue(ui->txtStatus->verticalScrollBar()->maximum());
    // Let the window redraw, but take no clicks or keys before the work is done.
    ui->txtStatus->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmExtract::cmdClose_Click() { accept(); }

// Until the totals are in, neither Escape nor the close box (which rejects) may end the window
// under the work.
void frmExtract::reject() {
    if (done_) QDialog::reject();
}

}  // namespace fw
