#include "windows/editor/frmEditSim.hpp"

#include <QCoreApplication>
#include <QGroupBox>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>

#include "core/base/charset.hpp"
#include "core/screens/editor_display.hpp"
#include "core/heads/head_check.hpp"
#include "core/sims/sim_save.hpp"
#include "core/screens/unsaved_edits.hpp"
#include "core/heads/head_setting.hpp"
#include "core/game/app_state.hpp"
#include "windows/widgets/dialog_frame.hpp"
#include "windows/widgets/game_picture.hpp"
#include "windows/widgets/head_view.hpp"
#include "windows/widgets/keyboard.hpp"
#include "windows/widgets/msg_box.hpp"
#include "windows/widgets/openers.hpp"
#include "windows/widgets/picture_box.hpp"
#include "windows/widgets/placeholder_bitmaps.hpp"
#include "windows/widgets/qt_text.hpp"
#include "windows/widgets/wait_cursor.hpp"

#include "ui_frmEditSim.h"

namespace fw {

namespace {

// Shows the picture when there is one; otherwise the box keeps what it showed.
bool show_if_any(PictureBox* box, const QImage& image) {
    if (image.isNull()) return false;
    box->showPicture(image);
    return true;
}

// Loads the bitmap into the picture; on failure the picture keeps what it showed.
bool load_into(PictureBox* box, const std::string& path) {
    return show_if_any(box, path.empty() ? QImage() : load_game_picture(path));
}

// What a placeholder picture says, drawn on its own canvas.
void paint_placeholder(PictureBox* box, const QString& text) {
    QImage image(box->canvas().size(), QImage::Format_RGB32);
    image.fill(QColor(0xE8, 0xE8, 0xE8));
    {
        QPainter painter(&image);
        painter.setPen(QColor(0xA0, 0xA0, 0xA0));
        painter.drawRect(image.rect().adjusted(1, 1, -2, -2));
        QFont font = box->font();
        font.setPointSizeF(font.pointSizeF() * 0.85);
        painter.setFont(font);
        painter.setPen(QColor(0x50, 0x50, 0x50));
        painter.drawText(image.rect().adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWordWrap, text);
    }
    box->showPicture(image);
}

// A model or skin the head selector chose, named as its files are (this system's UTF-8), shown as
// such and held as the game's Windows-1252 bytes the character file takes. A name the game's
// character set cannot hold is held as shown nowhere, so that the save encodes it again and
// refuses it with its message.
frmEditSim::ShownText chosen_text(const std::string& utf8) {
    if (std::optional<std::string> bytes = encode_windows1252(utf8)) return {*bytes, to_qt(utf8)};
    return {utf8, QString()};
}

// A button takes the focus from the player (to cmdFocus, out of sight) while it works. When its
// handler ends, the focus goes to the field a box was about, else back where the player had it.
class FocusReturn {
public:
    explicit FocusReturn(const QWidget& window) : to_(window.focusWidget()) {}
    ~FocusReturn() {
        if (to_) to_->setFocus();
    }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;
    void go_to(QWidget* field) { to_ = field; }

private:
    QPointer<QWidget> to_;
};

}  // namespace

frmEditSim::frmEditSim(QWidget* owner) : QDialog(owner), ui(std::make_unique<Ui::frmEditSim>()) {
    ui->setupUi(this);
    fit_option_captions();
    follow_3d_head_setting();
    // The form's size is its design; cmdFocus lies below it, out of sight.
    fix_dialog_frame(this);
    // Pictures are painted before the window is first shown, and the placeholders never are:
    // give every canvas its size now.
    for (PictureBox* box : findChildren<PictureBox*>()) {
        QResizeEvent sized(box->size(), QSize());
        QCoreApplication::sendEvent(box, &sized);
    }
    paint_placeholders();
    for (QGroupBox* group : {ui->Frame3, ui->Frame4, ui->Frame2}) tab_to_chosen_option(group);
    for (QRadioButton* tone : {ui->optLight, ui->optMedium, ui->optDark})
        connect(tone, &QRadioButton::toggled, this, &frmEditSim::show_tone_note);
    for (QLineEdit* head : {ui->txtModel, ui->txtSkin})
        connect(head, &QLineEdit::textChanged, this, &frmEditSim::show_tone_note);
    connect(ui->cmdHead, &QPushButton::clicked, this, &frmEditSim::cmdHead_Click);
    connect(ui->cmdSave, &QPushButton::clicked, this, &frmEditSim::cmdSave_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmEditSim::cmdCancel_Click);
}

frmEditSim::~frmEditSim() = default;

QString frmEditSim::LoadUserFile() const { return to_qt(load_user_file_); }
void frmEditSim::setLoadUserFile(const QString& path) { load_user_file_ = from_qt(path); }
QString frmEditSim::SelectedSkin() const { return to_qt(selected_skin_); }
void frmEditSim::setSelectedSkin(const QString& selected) { selected_skin_ = from_qt(selected); }

void frmEditSim::fit_option_captions() {
    // The design's measures suit the narrow 8-point font the window was drawn for; a wider font
    // would cut "Medium" or "Female" short. What must grow grows to the right, keeping every left
    // and top edge: the option buttons, then their three frames alike, then the buttons beside them.
    QGroupBox* const frames[] = {ui->Frame3, ui->Frame4, ui->Frame2};
    const int designed_right = ui->Frame3->geometry().right();
    const int gap = ui->cmdSave->x() - designed_right;
    int frame_width = ui->Frame3->width();
    for (QGroupBox* frame : frames) {
        for (QRadioButton* option : frame->findChildren<QRadioButton*>()) {
            grow_caption(option);
            frame_width = std::max(frame_width, option->x() + option->width() + 4);
        }
    }
    for (QGroupBox* frame : frames) frame->resize(frame_width, frame->height());
    const int shift = std::max(0, ui->Frame3->geometry().right() + gap - ui->cmdSave->x());
    // The tone note below the frames reaches to the buttons' right edge.
    ui->lblToneNote->resize(ui->cmdSave->geometry().right() + 1 + shift - ui->lblToneNote->x(),
                            ui->lblToneNote->height());
    if (shift == 0) return;
    for (QWidget* button : {static_cast<QWidget*>(ui->cmdSave), static_cast<QWidget*>(ui->cmdCancel),
                            static_cast<QWidget*>(ui->picHead3D)}) {
        button->move(button->x() + shift, button->y());
    }
    resize(width() + shift, height());
}

void frmEditSim::follow_3d_head_setting() {
    constexpr int kGap = 6;     // between the form's controls and the head
    constexpr int kMargin = 8;  // right of the head
    const bool shown = load_3d_head_setting();
    if (ui->picHead3D->isHidden() != shown) return;  // as it is
    ui->picHead3D->setVisible(shown);
    // A window cut to a small screen keeps its scroll area's size; only one that fits follows.
    if (ui->picHead3D->parentWidget() != this) return;
    const QRect head = ui->picHead3D->geometry();
    setFixedSize(shown ? head.right() + 1 + kMargin : head.left() - kGap, height());
}

void frmEditSim::show_head_portrait(PictureBox* box) {
    const QImage preview = head_preview_picture(ui->picHead3D->scene(), box->canvas().size(), font());
    if (preview.isNull()) return;
    box->showPicture(preview);
    box->setToolTip(
        tr("A preview drawn from the head model; the game draws this picture anew when it "
           "next shows the sim."));
}

void frmEditSim::paint_placeholders() {
    paint_placeholder(ui->picHeadNotFound, tr("Head bitmap not found"));
    // A missing portrait looks as it does in the main window.
    ui->picWebNotFound->showPicture(not_found_bitmap());
    paint_placeholder(ui->picNoBitmaps, tr("No bitmaps"));
    paint_placeholder(ui->picNoPreview, tr("No preview"));
}

std::optional<BoxMessage> frmEditSim::Form_Load() {
    ui->picWebImage->clear();
    ui->picFaces->clear();
    ui->picRelImages->clear();
    ui->txtName->clear();
    if (auto refusal = open_sim_for_editing(load_user_file_, session_)) {
        session_ = EditorSession{};
        return refusal;
    }
    msDisplayData();
    // The player starts in Name. Only here: a later activation (a box closing, the desktop
    // switching back) finds the focus where the player left it.
    ui->txtName->setFocus();
    return std::nullopt;
}

void frmEditSim::msDisplayData() {
    const EditorDisplay display = fw::msDisplayData(session_);
    setWindowTitle(to_qt(display.caption));

    const SimControls& shown = display.controls;
    name_ = {shown.name, game_text(shown.name)};
    model_ = {shown.model, game_text(shown.model)};
    skin_ = {shown.skin, game_text(shown.skin)};
    ui->txtName->setText(name_.shown);
    ui->txtModel->setText(model_.shown);
    ui->txtSkin->setText(skin_.shown);

    // The window opens with no option on; an unknown tone leaves its group so.
    const OptionButtons& on = display.options;
    const std::pair<QRadioButton*, bool> options[] = {
        {ui->optAdult, on.optAdult},   {ui->optChild, on.optChild}, {ui->optMale, on.optMale},
        {ui->optFemale, on.optFemale}, {ui->optLight, on.optLight}, {ui->optMedium, on.optMedium},
        {ui->optDark, on.optDark},
    };
    for (const auto& [option, checked] : options) {
        if (checked) option->setChecked(true);
    }

    show_previews(shown.skin, PreviewMoment::Opening);
    show_head_bitmap(shown.skin);
    ui->picHead3D->showHead(app_state().game.install(), shown.model, shown.skin);

    ui->picWebImage->showPicture(ui->picWebNotFound->canvas());
    if (!show_if_any(ui->picWebImage, decode_game_picture(display.portraits.web_image))) {
        show_head_portrait(ui->picWebImage);
    }
    ui->picFaces->showPicture(ui->picWebNotFound->canvas());
    if (!show_if_any(ui->picFaces, decode_game_picture(display.portraits.faces))) show_head_portrait(ui->picFaces);
    ui->picRelImages->showPicture(ui->picNoBitmaps->canvas());
    show_if_any(ui->picRelImages, decode_game_picture(display.portraits.relimages));
    read_controls(opened_);
}

void frmEditSim::show_head_bitmap(const std::string& skin) {
    ui->picHead->showPicture(ui->picHeadNotFound->canvas());
    if (load_into(ui->picHead, skin_bitmap_path(app_state().game.install(), skin))) return;
    // Not in the skins folder: the game's archives may hold it. Reading them takes a while.
    const WaitCursor busy;
    if (isVisible()) repaint();
    load_into(ui->picHead, extract_head_bitmap(app_state().game.install(), skin, archives_));
}

void frmEditSim::report_skipped_archives() {
    if (const std::optional<BoxMessage> box = archives_.take_newly_skipped_box()) msgBox(*box, this);
}

void frmEditSim::show_previews(const std::string& skin, PreviewMoment moment) {
    const HeadPreviews previews = head_previews(skin);
    if (moment == PreviewMoment::AfterChoice) {
        ui->picPreview->clear();
        ui->picPreview2->showPicture(ui->picNoPreview->canvas());
    }
    if (!previews.cached) return;  // on opening, both pictures stay as they are
    if (!load_into(ui->picPreview, previews.preview)) {
        ui->picPreview->showPicture(ui->picNoPreview->canvas());
    }
    ui->picPreview2->showPicture(ui->picNoPreview->canvas());
    load_into(ui->picPreview2, previews.preview2);
}

std::optional<BoxMessage> frmEditSim::read_controls(SimControls& controls, QLineEdit** about) const {
    // A text shown as read goes back as the bytes that were read; a typed one is encoded.
    const auto take = [about](QLineEdit* box, const ShownText& read, const char* what,
                              std::string& bytes) -> std::optional<BoxMessage> {
        if (box->text() == read.shown) {
            bytes = read.bytes;
            return std::nullopt;
        }
        EncodedText typed = encode_for_game(from_qt(box->text()), what);
        bytes = typed.bytes;
        if (about) *about = box;
        return typed.refusal;
    };
    if (auto refusal = take(ui->txtName, name_, "name", controls.name)) return refusal;
    if (auto refusal = take(ui->txtModel, model_, "head model", controls.model)) return refusal;
    if (auto refusal = take(ui->txtSkin, skin_, "head skin", controls.skin)) return refusal;
    read_options(controls);
    return std::nullopt;
}

void frmEditSim::read_options(SimControls& controls) const {
    controls.adult = ui->optAdult->isChecked();
    controls.male = ui->optMale->isChecked();
    controls.tone = ui->optLight->isChecked()    ? std::optional(Tone::Light)
                    : ui->optMedium->isChecked() ? std::optional(Tone::Medium)
                    : ui->optDark->isChecked()   ? std::optional(Tone::Dark)
                                                 : std::nullopt;
}

void frmEditSim::cmdHead_Click() {
    const FocusReturn back(*this);
    ui->cmdFocus->setFocus();
    SimControls options;
    read_options(options);
    selected_skin_.clear();
    if (openers().select_head) {
        selected_skin_ = openers().select_head(this, skin_data_code(options)).value_or("");
    }
    follow_3d_head_setting();  // the selector's "3D Head" box may have changed it

    const std::optional<Head> head = chosen_head(selected_skin_);
    if (!head) return;  // the selector was cancelled
    model_ = chosen_text(head->model);
    skin_ = chosen_text(head->skin);
    ui->txtModel->setText(model_.shown);
    ui->txtSkin->setText(skin_.shown);
    // The chosen skin lies in the skins folder, where the selector listed it.
    ui->picHead->showPicture(ui->picHeadNotFound->canvas());
    load_into(ui->picHead, skin_bitmap_path(app_state().game.install(), head->skin));
    show_previews(head->skin, PreviewMoment::AfterChoice);
    ui->picHead3D->showHead(app_state().game.install(), head->model, head->skin);
}

void frmEditSim::cmdSave_Click() {
    FocusReturn back(*this);
    ui->cmdFocus->setFocus();
    SimControls controls;
    QLineEdit* unstorable = nullptr;
    if (auto refusal = read_controls(controls, &unstorable)) {
        back.go_to(unstorable);
        msgBox(*refusal, this);
        return;
    }
    // An empty name too is refused in words: a save that does nothing must say so.
    SimField about = SimField::Name;
    if (auto refusal = check_controls(controls, &about)) {
        back.go_to(about == SimField::Name    ? ui->txtName
                   : about == SimField::Model ? ui->txtModel
                                              : ui->txtSkin);
        msgBox(*refusal, this);
        return;
    }
    // A head the game may not draw on this sim is saved only when the player says so.
    std::vector<std::string> mismatches;
    {
        const WaitCursor busy;
        mismatches =
            head_mismatches(app_state().game.install(), read_sim_controls(session_.appearance, session_.names),
                            controls, archives_);
    }
    report_skipped_archives();
    if (!mismatches.empty() && msgBox(head_question(mismatches), this) != BoxAnswer::Yes) return;
    if (msgBox(save_confirmation(load_user_file_), this) != BoxAnswer::Yes) return;
    save(controls, false);
}

void frmEditSim::save(const SimControls& controls, bool overwrite) {
    // A refused or failed save leaves the sim as the editor opened it, and the window open.
    const SaveResult result =
        save_sim(session_, controls, {.make_backup = make_backup_, .overwrite_changes = overwrite});
    if (result.changed_elsewhere) {
        switch (msgBox(changed_elsewhere_box(load_user_file_), this)) {
        case BoxAnswer::Yes: return reload();             // "Reload"
        case BoxAnswer::No: return save(controls, true);  // "Overwrite"
        default: return;                                  // "Cancel"
        }
    }
    if (!result.saved()) {
        msgBox(*result.refusal, this);
        return;
    }
    msgBox(saved_box(controls.name), this);
    accept();
}

void frmEditSim::reload() {
    // The reloaded sim may wear another head: no preview of the old one stays.
    ui->picPreview->clear();
    ui->picPreview2->showPicture(ui->picNoPreview->canvas());
    // An unknown tone shows no tone option on, as when the editor opened.
    for (QRadioButton* option : {ui->optLight, ui->optMedium, ui->optDark}) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    if (std::optional<BoxMessage> refusal = Form_Load()) {
        // The file as it is now cannot be shown: the edits made here have nowhere to go.
        msgBox(*refusal, this);
        QDialog::reject();
        return;
    }
    reloaded_ = true;
    report_skipped_archives();
}

void frmEditSim::cmdCancel_Click() {
    ui->cmdFocus->setFocus();
    QDialog::reject();  // Cancel is the player's own word that the edits go
}

void frmEditSim::reject() {
    SimControls shown;
    // A name the game cannot store differs from any name the sim had.
    const bool unstorable = read_controls(shown).has_value();
    if ((unstorable || has_unsaved_edits(opened_, shown)) &&
        msgBox(discard_question(), this) != BoxAnswer::Yes) {
        return;
    }
    QDialog::reject();
}

void frmEditSim::show_tone_note() {
    SimControls shown;
    shown.model = from_qt(ui->txtModel->text());
    shown.skin = from_qt(ui->txtSkin->text());
    read_options(shown);
    const std::string note = tone_note(shown);
    ui->lblToneNote->setText(to_qt(note));
    ui->lblToneNote->setVisible(!note.empty());
}

EditorClosed show_frmEditSim(QWidget* owner, const std::string& load_user_file, bool make_backup) {
    frmEditSim editor(owner);
    editor.set_load_user_file(load_user_file);
    editor.set_make_backup(make_backup);
    if (std::optional<BoxMessage> refusal = editor.Form_Load()) {
        msgBox(*refusal, owner);
        return EditorClosed::NotOpened;
    }
    QTimer::singleShot(0, &editor, [&editor] { editor.report_skipped_archives(); });
    const int closed = editor.exec();
    activate_owner(owner);
    // Only a completed save closes the editor as accepted.
    if (closed == QDialog::Accepted) return EditorClosed::AfterSave;
    return editor.reloaded() ? EditorClosed::AfterReload : EditorClosed::WithoutSave;
}

}  // namespace fw
