#include "windows/editor/frmRestore.hpp"

#include <QCoreApplication>
#include <QHeaderView>
#include <QResizeEvent>
#include <QStyle>
#include <QTreeWidgetItem>
#include <algorithm>

#include "core/screens/editor_display.hpp"
#include "core/sims/sim_restore.hpp"
#include "core/formats/character_file.hpp"
#include "core/heads/head_setting.hpp"
#include "core/game/app_state.hpp"
#include "windows/widgets/dialog_frame.hpp"
#include "windows/widgets/game_picture.hpp"
#include "windows/widgets/head_view.hpp"
#include "windows/widgets/msg_box.hpp"
#include "windows/widgets/picture_box.hpp"
#include "windows/widgets/placeholder_bitmaps.hpp"
#include "windows/widgets/qt_text.hpp"
#include "windows/widgets/wait_cursor.hpp"

#include "ui_frmRestore.h"

namespace fw {

namespace {

// A portrait from the backup's own bitmap chunk, or the not-found bitmap the editor shows.
void show_portrait(PictureBox* box, const std::string& bmp) {
    const QImage image = QImage::fromData(QByteArrayView(bmp.data(), static_cast<qsizetype>(bmp.size())));
    box->showPicture(image.isNull() ? not_found_bitmap() : image);
}

// The names before and after the save; a backup without a record of what it was made of says so.
QString names_shown(const BackupEntry& backup) {
    const BackupNames& names = backup.names;
    const QString shown =
        names.before == names.after ? to_qt(names.before) : to_qt(names.before + " \u2192 " + names.after);
    return backup.record ? shown : QObject::tr("%1 (origin unknown)").arg(shown);
}

QString head_shown(const BackupContent& held) {
    switch (held.kind) {
    case BackupKind::Person: return game_text(held.skin);
    case BackupKind::Pet: return QObject::tr("pet");
    case BackupKind::NotASim: return QObject::tr("not a sim");
    case BackupKind::Damaged: break;
    }
    return QObject::tr("damaged");
}

// "Adult, male, light skin" from the file's own codes; a code the editor does not know is shown
// as it is stored.
QString looks(const BackupContent& held) {
    const auto tone = [](const std::string& code) {
        if (code == "lgt") return QObject::tr("light skin");
        if (code == "med") return QObject::tr("medium skin");
        if (code == "drk") return QObject::tr("dark skin");
        return QObject::tr("skin tone %1").arg(game_text(code));
    };
    QString age = game_text(held.age);
    if (!age.isEmpty()) age[0] = age[0].toUpper();
    return QObject::tr("%1, %2, %3").arg(age, game_text(held.gender), tone(held.tone));
}

}  // namespace

frmRestore::frmRestore(QWidget* owner) : QDialog(owner), ui(std::make_unique<Ui::frmRestore>()) {
    ui->setupUi(this);
    fix_dialog_frame(this);
    // Pictures are painted before the window is first shown: give every canvas its size now.
    for (PictureBox* box : findChildren<PictureBox*>()) {
        QResizeEvent sized(box->size(), QSize());
        QCoreApplication::sendEvent(box, &sized);
    }
    // The chosen backup's head turns beside its flat picture, where the player shows heads in 3D.
    ui->picHead3D->setVisible(load_3d_head_setting());
    connect(ui->lstBackups, &QTreeWidget::currentItemChanged, this, &frmRestore::lstBackups_Click);
    connect(ui->cmdRestore, &QPushButton::clicked, this, &frmRestore::cmdRestore_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmRestore::~frmRestore() = default;

void frmRestore::load(const std::string& character_file, std::vector<BackupEntry> backups) {
    character_file_ = character_file;
    backups_ = std::move(backups);
    setWindowTitle(tr("Restore From Backup - %1").arg(to_qt(gfstrGetFileName(character_file_))));
    ui->lstBackups->clear();
    for (const BackupEntry& backup : backups_) {
        auto* item = new QTreeWidgetItem(
            ui->lstBackups, {to_qt(backup.time_shown()), names_shown(backup), head_shown(backup.holds)});
        item->setToolTip(0, to_qt(backup.name));
        item->setToolTip(1, item->text(1) + "\n" +
                                (backup.record ? tr("Made of %1").arg(to_qt(backup.record->file))
                                               : tr("Made before backups recorded their file, or copied in "
                                                    "by hand: offered because it holds this sim.")));
        item->setToolTip(2, game_text(backup.holds.model + "," + backup.holds.skin));
    }
    // The time and the head whole; the names take what is left (cut short with "...", whole in
    // their tooltip), never so little that they cannot be told apart.
    QTreeWidget* list = ui->lstBackups;
    // Measured from the texts: the view does not measure its items before it is shown.
    const auto widest = [&](int column) {
        int width = list->header()->fontMetrics().horizontalAdvance(list->headerItem()->text(column));
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            width =
                std::max(width, list->fontMetrics().horizontalAdvance(list->topLevelItem(row)->text(column)));
        return width + 2 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 12;
    };
    const int time = widest(0);
    const int head = widest(2);
    list->setColumnWidth(0, time);
    // The form's width: the viewport is not laid out before the dialog shows. The head, the last
    // column, takes what is left after the names; room is kept for the scroll bar of a long list,
    // so that no sideways scroll bar is needed.
    const int rest = list->width() - 2 * list->frameWidth() - time - head -
                     list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    list->setColumnWidth(1, std::max(rest, list->fontMetrics().horizontalAdvance(QString(16, 'n'))));
    if (!backups_.empty()) ui->lstBackups->setCurrentItem(ui->lstBackups->topLevelItem(0));
}

void frmRestore::lstBackups_Click() {
    const int row = ui->lstBackups->indexOfTopLevelItem(ui->lstBackups->currentItem());
    if (row >= 0) show_backup(backups_[static_cast<size_t>(row)]);
}

void frmRestore::show_backup(const BackupEntry& backup) {
    const BackupContent& held = backup.holds;
    for (PictureBox* box : {ui->picWebImage, ui->picFaces, ui->picRelImages, ui->picHead}) box->clear();
    ui->picHead3D->clearHead();
    ui->lblModel->clear();
    ui->lblSkin->clear();
    if (held.kind == BackupKind::Damaged || held.kind == BackupKind::NotASim) {
        ui->lblName->setText(held.kind == BackupKind::Damaged ? tr("Damaged backup") : tr("Not a sim"));
        ui->lblLooks->setText(held.kind == BackupKind::Damaged
                                  ? to_qt(held.error)
                                  : tr("This file is no character file the editor can open."));
        ui->picWebImage->drawImage(QPoint(0, 0), cant_load_bitmap());
        return;
    }
    ui->lblName->setText(game_text(held.name));
    ui->lblLooks->setText(held.kind == BackupKind::Pet ? tr("A pet: only people can be restored.")
                                                       : looks(held));
    ui->lblModel->setText(tr("Model: %1").arg(game_text(held.model)));
    ui->lblSkin->setText(tr("Skin: %1").arg(game_text(held.skin)));

    // The portraits the backup keeps in its own bitmap chunks: the file as a save found it.
    EditorSession session;
    read_backup(backup.path, session);
    const BackupPortraits portraits = backup_portraits(session.image);
    show_portrait(ui->picWebImage, portraits.web_image);
    show_portrait(ui->picFaces, portraits.faces);
    show_portrait(ui->picRelImages, portraits.relimages);

    // The head skin from the skins folder, else out of the game's archives, as the editor finds it.
    const WaitCursor busy;
    const std::string head = head_bitmap_for_display(app_state().game.install(), held.skin, archives_);
    const QImage image = head.empty() ? QImage() : load_game_picture(head);
    ui->picHead->showPicture(image.isNull() ? not_found_bitmap() : image);
    if (held.kind == BackupKind::Person)
        ui->picHead3D->showHead(app_state().game.install(), held.model, held.skin);
    if (const std::optional<BoxMessage> skipped = archives_.take_newly_skipped_box()) msgBox(*skipped, this);
}

void frmRestore::cmdRestore_Click() {
    ui->cmdFocus->setFocus();
    const int row = ui->lstBackups->indexOfTopLevelItem(ui->lstBackups->currentItem());
    if (row < 0) return;
    const BackupEntry& backup = backups_[static_cast<size_t>(row)];
    // A backup the restore refuses (damaged, a pet) is refused at once, without a question first.
    if (backup.holds.kind == BackupKind::Person &&
        msgBox(restore_confirmation(character_file_, backup), this) != BoxAnswer::Yes) {
        return;
    }
    RestoreResult result;
    {
        const WaitCursor busy;
        result = restore_from_backup(character_file_, backup.path);
    }
    if (result.refusal) {
        msgBox(*result.refusal, this);
        return;
    }
    restored_ = true;
    msgBox(restored_box(result), this);
    accept();
}

bool show_frmRestore(QWidget* owner, const std::string& character_file,
                     const std::vector<BackupEntry>& backups) {
    frmRestore dialog(owner);
    dialog.load(character_file, backups);
    dialog.exec();
    activate_owner(owner);
    return dialog.restored();
}

}  // namespace fw
