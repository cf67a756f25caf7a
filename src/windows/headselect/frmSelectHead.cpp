#include "windows/headselect/frmSelectHead.hpp"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolTip>
#include <algorithm>

#include "core/platform/name_compare.hpp"
#include "core/heads/head_setting.hpp"
#include "core/game/app_state.hpp"
#include "windows/widgets/dialog_frame.hpp"
#include "windows/widgets/game_picture.hpp"
#include "windows/widgets/head_view.hpp"
#include "windows/widgets/keyboard.hpp"
#include "windows/widgets/msg_box.hpp"
#include "windows/widgets/qt_text.hpp"
#include "windows/widgets/wait_cursor.hpp"

#include "ui_frmSelectHead.h"

namespace fw {

namespace {

constexpr int kBlinkMilliseconds = 250;

QPoint to_point(GridPoint at) { return {at.x, at.y}; }

// Text boxes the user only reads wear the button face, as the window's other read-only parts do.
void wear_button_face(QLineEdit* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
}

}  // namespace

frmSelectHead::frmSelectHead(QWidget* owner)
    : QDialog(owner), ui(std::make_unique<Ui::frmSelectHead>()), selector_(app_state().game.install(), "") {
    ui->setupUi(this);
    fit_captions();
    fix_dialog_frame(this);
    wear_button_face(ui->txtSkinName);
    wear_button_face(ui->txtPageCount);
    ui->picLoad->hide();

    ThumbnailGrid* grid = ui->picThumbs;
    grid->setThumbnailOffset(QPoint(2, 2));
    grid->setThumbnailSize(QSize(kSkinThumbnailSize, kSkinThumbnailSize));
    grid->setBlinkInterval(kBlinkMilliseconds);
    connect(grid, &ThumbnailGrid::mouseDown, this, [this](int, int x, int y) { picThumbs_MouseDown(x, y); });
    connect(grid, &ThumbnailGrid::mouseMoved, this, &frmSelectHead::picThumbs_MouseMove);
    connect(grid, &ThumbnailGrid::doubleClicked, this, &frmSelectHead::picThumbs_DblClick);
    // The grid's keys stand for a click on a cell, Previous and Next, and a double click.
    grid->setPaging([this] { return GridPaging{selector_.page(), selector_.skins().size()}; });
    connect(grid, &ThumbnailGrid::cellKeyed, this, [this](int, int x, int y) { picThumbs_MouseDown(x, y); });
    connect(grid, &ThumbnailGrid::pageKeyed, this,
            [this](int step) { step > 0 ? cmdNext_Click() : cmdPrevious_Click(); });
    connect(grid, &ThumbnailGrid::returnPressed, this, &frmSelectHead::picThumbs_DblClick);

    // A model is picked with the mouse or the keyboard; a click on the line already selected picks
    // it again (back to the first page). The viewport's presses are watched to tell the two apart.
    ui->lstModels->viewport()->installEventFilter(this);
    choose_with_arrows(ui->lstModels);
    // The window opens where the choice begins, rather than on the check box above the list.
    ui->lstModels->setFocus();
    connect(ui->lstModels, &QListWidget::itemSelectionChanged, this, [this] {
        selection_changed_by_press_ = true;
        lstModels_Click();
    });
    connect(ui->lstModels, &QListWidget::itemClicked, this, [this](QListWidgetItem*) {
        if (selection_changed_by_press_) {
            selection_changed_by_press_ = false;
            return;
        }
        lstModels_Click();
    });

    connect(ui->cmdNext, &QPushButton::clicked, this, &frmSelectHead::cmdNext_Click);
    connect(ui->cmdPrevious, &QPushButton::clicked, this, &frmSelectHead::cmdPrevious_Click);
    connect(ui->cmdSelect, &QPushButton::clicked, this, &frmSelectHead::cmdSelect_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmSelectHead::cmdCancel_Click);
    connect(ui->chkPreview, &QCheckBox::toggled, this, &frmSelectHead::chkPreview_Click);
    ui->picThumbs->installEventFilter(this);
    Form_Load();
    ui->chk3DHead->setChecked(load_3d_head_setting());
    show_3d_column(ui->chk3DHead->isChecked());
    connect(ui->chk3DHead, &QCheckBox::toggled, this, &frmSelectHead::chk3DHead_Click);
}

frmSelectHead::~frmSelectHead() = default;

void frmSelectHead::fit_captions() {
    // The form is drawn for a narrow 8-point font; a wider one would cut the captions short. A
    // caption grows to the right, keeping its left and top edges, but never past the left column
    // (the grid begins beside it); "Show Head Previews" then moves left, up to the caption before it.
    const int column_end = ui->lstModels->geometry().right() + 1;
    for (QWidget* caption : {static_cast<QWidget*>(ui->lblBody), static_cast<QWidget*>(ui->chkPreview),
                             static_cast<QWidget*>(ui->Label1), static_cast<QWidget*>(ui->Label3)}) {
        grow_caption(caption, column_end);
    }
    QCheckBox* previews = ui->chkPreview;
    const int short_by = previews->sizeHint().width() - previews->width();
    const int room = previews->x() - (ui->lblBody->geometry().right() + 1 + 6);
    const int shift = std::min(short_by, room);
    if (shift > 0) {
        previews->move(previews->x() - shift, previews->y());
        previews->resize(previews->width() + shift, previews->height());
    }
}

void frmSelectHead::setSkinData(const std::string& skin_data) {
    selector_ = HeadSelector(app_state().game.install(), skin_data);
}

std::optional<std::string> frmSelectHead::select_head(QWidget* owner, const std::string& skin_data) {
    frmSelectHead window(owner);
    window.setSkinData(skin_data);
    window.exec();
    return window.SelectedSkin();
}

void frmSelectHead::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The selector opens no window of its own, so it becomes active once, when it first shows.
    // Rebuilding the list on every later activation (after a message box, or back from another
    // program) would drop the model the user has picked while its skins stay on the grid.
    if (!activated_) {
        activated_ = true;
        Form_Activate();
    }
}

bool frmSelectHead::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->lstModels->viewport() && event->type() == QEvent::MouseButtonPress) {
        selection_changed_by_press_ = false;
    }
    if (watched == ui->picThumbs && event->type() == QEvent::Leave) {
        show_head_3d(from_qt(ui->txtSkinName->text()));
    }
    return QDialog::eventFilter(watched, event);
}

void frmSelectHead::Form_Load() {
    mblnLoading = true;
    ui->chkPreview->setChecked(load_preview_setting());
}

void frmSelectHead::Form_Activate() {
    setWindowTitle(to_qt(kSkinSelectionCaption));
    std::vector<std::string> models = selector_.model_list();
    // lstModels keeps its lines sorted by their text without regard to case.
    std::stable_sort(models.begin(), models.end(), iless);
    ui->lstModels->clear();
    for (const std::string& model : models) ui->lstModels->addItem(to_qt(model));
    mblnLoading = false;
}

std::string frmSelectHead::model_text() const {
    const QList<QListWidgetItem*> selected = ui->lstModels->selectedItems();
    return selected.isEmpty() ? std::string() : from_qt(selected.front()->text());
}

void frmSelectHead::lstModels_Click() {
    if (model_text().empty()) return;
    ui->txtSkinName->clear();
    ui->picSkin->clear();
    const std::optional<BoxMessage> box = msGetSkinFileNames();
    msFillThumbs();
    // A model without skins still shows its shape.
    if (selector_.skins().empty()) show_head_3d("");
    // The box names what the grid behind it leaves out, so the grid shows the model's skins first.
    if (box) msgBox(*box, this);
}

std::optional<BoxMessage> frmSelectHead::msGetSkinFileNames() {
    const WaitCursor wait;
    repaint();
    return selector_.choose_model(model_text());
}

bool frmSelectHead::show_skin(const ShownSkin& skin) {
    const QImage bitmap = pictures_.load(skin.bitmap_path);
    if (bitmap.isNull()) return false;
    // The skin replaces whatever picSkin showed, the previous skin's large preview included.
    ui->picSkin->clear();
    ui->picSkin->drawImage(to_point(kSkinPicturePoint), bitmap);
    ui->txtSkinName->setText(to_qt(skin.name));
    show_head_3d(skin.name);
    if (!skin.preview2_path.empty()) {
        ui->picSkin->drawImage(to_point(kLargePreviewPoint), pictures_.load(skin.preview2_path));
    }
    return true;
}

void frmSelectHead::msFillThumbs() {
    ThumbnailGrid* grid = ui->picThumbs;
    int last_cell = 0;
    std::optional<WaitCursor> wait;
    SkinGridPainter painter;
    painter.clear_grid = [&] {
        grid->clear();
        if (selector_.skins().empty()) return;
        wait.emplace();
        repaint();
    };
    painter.draw_thumbnail = [&](const SkinThumbnail& thumbnail) {
        last_cell = thumbnail.cell;
        // A bitmap that vanished since the listing leaves its cell empty.
        grid->drawThumbnail(thumbnail.cell, pictures_.load(thumbnail.bitmap_path));
    };
    painter.draw_preview = [&](const SkinThumbnail& thumbnail) {
        grid->drawImage(to_point(thumbnail.at), pictures_.load(thumbnail.preview_path));
    };
    painter.refresh = [&] {
        grid->repaint(
            QRect(grid->canvasOrigin() + ThumbnailGrid::cellOrigin(last_cell), QSize(kCellSize, kCellSize)));
    };
    painter.show_skin = [this](const ShownSkin& skin) { return show_skin(skin); };

    const Previews previews = ui->chkPreview->isChecked() ? Previews::Shown : Previews::Hidden;
    const std::optional<std::string> page_text = selector_.msFillThumbs(previews, painter);
    wait.reset();
    if (std::optional<BoxMessage> gone_bad = selector_.take_skins_gone_bad()) msgBox(*gone_bad, this);
    if (!page_text) return;
    grid->setSelectedCell(selector_.selected());
    ui->txtPageCount->setText(to_qt(*page_text));
}

void frmSelectHead::picThumbs_MouseDown(int x, int y) {
    ui->picThumbs->eraseFrame();
    selector_.select_skin_at(x, y, [this](const ShownSkin& skin) { return show_skin(skin); });
    // A skin that stopped loading has left the list: the page is drawn again without it.
    if (!selector_.skins_gone_bad().empty()) return msFillThumbs();
    ui->picThumbs->setSelectedCell(selector_.selected());
}

void frmSelectHead::picThumbs_MouseMove(int x, int y) {
    ThumbnailGrid* grid = ui->picThumbs;
    const std::string file = selector_.tooltip_at(x, y);
    // Over an empty cell the head goes back to the selected skin.
    show_head_3d(file.empty() ? from_qt(ui->txtSkinName->text()) : file.substr(0, file.size() - 4));
    const QString tip = to_qt(file);
    if (tip == grid->toolTip()) return;
    grid->setToolTip(tip);
    // A tooltip already showing follows the pointer to the next skin instead of naming the last one.
    if (QToolTip::isVisible()) {
        QToolTip::showText(grid->mapToGlobal(grid->canvasOrigin() + QPoint(x, y)), tip, grid);
    }
}

void frmSelectHead::picThumbs_DblClick() { cmdSelect_Click(); }

void frmSelectHead::cmdNext_Click() {
    ui->cmdFocus->setFocus();
    if (selector_.next()) msFillThumbs();
}

void frmSelectHead::cmdPrevious_Click() {
    ui->cmdFocus->setFocus();
    if (selector_.previous()) msFillThumbs();
}

void frmSelectHead::cmdSelect_Click() {
    ui->cmdFocus->setFocus();
    const std::optional<std::string> choice =
        selected_skin_text(model_text(), from_qt(ui->txtSkinName->text()));
    if (!choice) return;
    selected_skin_ = choice;
    accept();
}

void frmSelectHead::cmdCancel_Click() {
    ui->cmdFocus->setFocus();
    reject();
}

void frmSelectHead::show_head_3d(const std::string& skin) {
    if (model_text().empty()) return;
    ui->picHead3D->showHead(app_state().game.install(), model_text(), skin);
}

void frmSelectHead::show_3d_column(bool shown) {
    constexpr int kClientWidth = 11550 / 15;  // the window's own measure, without the head
    constexpr int kMargin = 8;                // right of the head
    ui->picHead3D->setVisible(shown);
    // A window cut to a small screen keeps its scroll area's size; only one that fits follows.
    if (ui->picHead3D->parentWidget() != this) return;
    setFixedSize(shown ? ui->picHead3D->geometry().right() + 1 + kMargin : kClientWidth, height());
}

void frmSelectHead::chk3DHead_Click() {
    show_3d_column(ui->chk3DHead->isChecked());
    store_3d_head_setting(ui->chk3DHead->isChecked());
}

void frmSelectHead::chkPreview_Click() {
    if (mblnLoading) return;
    lstModels_Click();
    store_preview_setting(ui->chkPreview->isChecked());
}

}  // namespace fw
