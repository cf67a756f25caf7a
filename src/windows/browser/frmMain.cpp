#include "windows/browser/frmMain.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidgetItem>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "core/screens/check_marks.hpp"
#include "core/screens/edit_gate.hpp"
#include "core/screens/main_options.hpp"
#include "core/game/neighbourhoods.hpp"
#include "core/screens/sim_cells.hpp"
#include "core/screens/sim_display.hpp"
#include "core/sims/skin_export.hpp"
#include "core/sims/sim_restore.hpp"
#include "core/screens/extract_question.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/program_folder.hpp"
#include "core/screens/grid_pages.hpp"
#include "core/heads/head_models.hpp"
#include "core/game/app_state.hpp"
#include "core/screens/startup.hpp"
#include "windows/widgets/dialog_frame.hpp"
#include "windows/widgets/game_picture.hpp"
#include "windows/widgets/keyboard.hpp"
#include "windows/widgets/msg_box.hpp"
#include "windows/widgets/openers.hpp"
#include "windows/widgets/placeholder_bitmaps.hpp"
#include "windows/widgets/qt_text.hpp"
#include "windows/widgets/wait_cursor.hpp"

#include "ui_frmMain.h"

namespace fw {

namespace {

// The window's measures: 8610 twips high; wide enough for the grid and its margin.
constexpr int kWindowWidth = (4200 + 7215 + 120) / 15;
constexpr int kWindowHeight = 8610 / 15;
// Below this screen height (9600 twips) the window moves to the top edge of the free area.
constexpr int kShortScreen = 9600 / 15;
// A name label: 64 x 13 pixels. A caption of two lines starts on the row below a 45-pixel
// thumbnail (at 2 + 45) and reaches the cell's edge; the label is transparent, so the blinking
// frame shows through it.
constexpr int kNameLabelWidth = 64;
constexpr int kNameLabelHeight = 13;
constexpr int kTwoLineTop = 47;
// A name label showing a caption of two lines (the can't-load caption) has its own font and size.
constexpr const char* kTwoLines = "twoLines";
// The caption a name label was given, before it was shortened to fit.
constexpr const char* kWholeName = "wholeName";

// A neighbourhood line keeps the core's bytes beside its text; the list sorts by those bytes
// without regard to case, as the game's platform sorts a list box.
constexpr int kLineBytesRole = Qt::UserRole;

class NeighbourhoodItem : public QListWidgetItem {
public:
    explicit NeighbourhoodItem(const std::string& line) : QListWidgetItem(to_qt(line)) {
        setData(kLineBytesRole, QByteArray::fromStdString(line));
    }
    bool operator<(const QListWidgetItem& other) const override { return iless(bytes(*this), bytes(other)); }
    static std::string bytes(const QListWidgetItem& item) {
        return item.data(kLineBytesRole).toByteArray().toStdString();
    }
};

QPoint to_point(GridPoint point) { return {point.x, point.y}; }

// The list's text: its selected line, as the core's bytes ("" with none).
std::string selected_line(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? std::string() : NeighbourhoodItem::bytes(*selected.first());
}

// The core breaks lines with CR LF; a label breaks them at LF.
QString label_text(const std::string& caption) {
    return to_qt(caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::frmMain>()) {
    ui->setupUi(this);
    connect(ui->smenuExit, &QAction::triggered, this, &frmMain::smenuExit_Click);
    connect(ui->smenuBackup, &QAction::triggered, this, &frmMain::smenuBackup_Click);
    connect(ui->smenuSetPath, &QAction::triggered, this, &frmMain::smenuSetPath_Click);
    connect(ui->smenuExport, &QAction::triggered, this, &frmMain::smenuExport_Click);
    connect(ui->smnuExtract, &QAction::triggered, this, &frmMain::smnuExtract_Click);
    connect(ui->smnuCheck, &QAction::triggered, this, &frmMain::smnuCheck_Click);
    connect(ui->smenuRestore, &QAction::triggered, this, &frmMain::smenuRestore_Click);
    // A line is chosen when it is selected; the list taking the focus only moves its cursor.
    connect(ui->lstUserDataDir, &QListWidget::itemSelectionChanged, this, &frmMain::lstUserDataDir_Click);
    connect(ui->cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(ui->cmdPrevious, &QPushButton::clicked, this, &frmMain::cmdPrevious_Click);
    connect(ui->cmdSelect, &QPushButton::clicked, this, &frmMain::cmdSelect_Click);
    connect(ui->picThumbs, &ThumbnailGrid::mouseDown, this, &frmMain::picThumbs_MouseDown);
    connect(ui->picThumbs, &ThumbnailGrid::mouseMoved, this, &frmMain::picThumbs_MouseMove);
    connect(ui->picThumbs, &ThumbnailGrid::doubleClicked, this, &frmMain::picThumbs_DblClick);
    // The grid's keys stand for a click on a cell, Previous and Next, and a double click.
    ui->picThumbs->setPaging([this] { return GridPaging{page_, files_.size()}; });
    connect(ui->picThumbs, &ThumbnailGrid::cellKeyed, this, &frmMain::picThumbs_MouseDown);
    connect(ui->picThumbs, &ThumbnailGrid::pageKeyed, this,
            [this](int step) { step > 0 ? cmdNext_Click() : cmdPrevious_Click(); });
    connect(ui->picThumbs, &ThumbnailGrid::returnPressed, this, &frmMain::picThumbs_DblClick);
    choose_with_arrows(ui->lstUserDataDir);
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::Form_Load() {
    setFixedSize(kWindowWidth, kWindowHeight);
    keep_within_screen(this);
    const StartupSettings settings = load_startup_settings();
    ui->smenuBackup->setChecked(settings.backup_checked);
    files_.clear();

    ui->picThumbs->setThumbnailOffset(to_point(thumbnail_position(0)));
    ui->picThumbs->setBlinkInterval(333);
    choose_label_fonts();
    lblSimName.clear();
    for (int32_t k = 0; k < kSimsPerPage; ++k) {
        auto* label = new QLabel(ui->picThumbs);
        label->setObjectName(QStringLiteral("lblSimName%1").arg(k));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        // A click on a name selects its cell, as a click beside it does.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        lblSimName.push_back(label);
        set_name_label(k, QString());
    }

    // A caption wider in this system's font than its measure allows grows to the right, where
    // each of these labels has room, rather than be cut off.
    for (QLabel* caption : {ui->lblBody, ui->Label1, ui->Label3, ui->Label2}) {
        grow_caption(caption);
    }

    skipped_archives_ = msGetHeadModelLists(app_state().game.install()).skipped_box();
    create_head_preview_folder();
}

void frmMain::report_skipped_archives() {
    if (!skipped_archives_) return;
    const BoxMessage box = std::move(*skipped_archives_);
    skipped_archives_.reset();
    msgBox(box, this);
}

void frmMain::set_name_label(int32_t cell, const QString& caption) {
    QLabel* label = lblSimName[static_cast<size_t>(cell)];
    const bool two_lines = caption.contains(QLatin1Char('\n'));
    // A name wider than its label ends in "..." rather than lose letters on both sides; the
    // cell's tooltip gives it whole.
    label->setText(two_lines ? caption : elided_name(caption));
    label->setProperty(kWholeName, caption);
    // Font and place change only between the one-line and two-line forms, not for every name.
    const QVariant form = label->property(kTwoLines);
    if (form.isValid() && form.toBool() == two_lines) return;
    label->setProperty(kTwoLines, two_lines);
    const QPoint place = ui->picThumbs->canvasOrigin() + to_point(name_label_position(cell));
    if (!two_lines) {
        label->setFont(name_font_);
        label->setGeometry(place.x(), place.y(), kNameLabelWidth, kNameLabelHeight);
        return;
    }
    // The can't-load caption's two lines take the rest of the cell below the 45-pixel thumbnail.
    label->setFont(caption_font_);
    label->setGeometry(place.x(), place.y() - 1, kNameLabelWidth, kCellSize - kTwoLineTop);
}

QString frmMain::elided_name(const QString& caption) {
    // Paging back and forth shows the same names again: each is measured once.
    auto found = elided_names_.constFind(caption);
    if (found != elided_names_.cend()) return *found;
    const QString elided = QFontMetrics(name_font_).elidedText(caption, Qt::ElideRight, kNameLabelWidth);
    if (elided_names_.size() >= kSimsPerPage * 64) elided_names_.clear();
    elided_names_.insert(caption, elided);
    return elided;
}

void frmMain::choose_label_fonts() {
    // The largest size of the grid's font, from the usual 11 pixels down, whose lines fit the
    // label: a name in 64 x 13, the two lines of the can't-load caption from the row below the
    // thumbnail to the cell's edge.
    const auto largest_fitting = [this](const QStringList& lines, int height) {
        QFont font = ui->picThumbs->font();
        for (int pixels = 11; pixels >= 6; --pixels) {
            font.setPixelSize(pixels);
            const QFontMetrics metrics(font);
            int widest = 0;
            for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
            const int tall = metrics.height() + metrics.lineSpacing() * (static_cast<int>(lines.size()) - 1);
            if (widest <= kNameLabelWidth && tall <= height) break;
        }
        return font;
    };
    name_font_ = largest_fitting({QStringLiteral("Name")}, kNameLabelHeight);
    elided_names_.clear();
    const QStringList caption_lines = label_text(kCantLoadCaption).split(QLatin1Char('\n'));
    caption_font_ = largest_fitting(caption_lines, kCellSize - kTwoLineTop);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // Once the window is on the screen, whether or not the desktop gives it the focus.
    QTimer::singleShot(0, this, &frmMain::Form_Activate);
}

void frmMain::Form_Activate() {
    if (activating_) return;
    activating_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{activating_};

    // The top edge is the top of the free area: a desktop's bar along the screen's top would
    // otherwise cover the window's title, menus and first controls.
    if (screen() && screen()->geometry().height() < kShortScreen)
        move(x(), screen()->availableGeometry().top());
    const QRect line1 = ui->Line1->geometry();
    ui->Line1->setGeometry(line1.x(), line1.y(), width(), 1);
    ui->Line2->setGeometry(line1.x(), line1.y() + 1, width(), 1);
    setWindowTitle(to_qt(main_caption()));

    PathCheck check = check_game_path(app_state().game);
    if (!check.game_found) add_search_details(check, app_state().game, install_search());
    for (const BoxMessage& box : check.boxes) msgBox(box, this);
    report_skipped_archives();
    if (!check.game_found || !files_.empty()) return;

    msGetUserDataDirs();
    msFillUserDataList();
    // Setting the list's text to the stored line selects that line, which lists its sims.
    std::vector<std::string> lines;
    for (int row = 0; row < ui->lstUserDataDir->count(); ++row) {
        lines.push_back(NeighbourhoodItem::bytes(*ui->lstUserDataDir->item(row)));
    }
    const std::string last = last_neighbourhood_line(lines);
    for (int row = 0; !last.empty() && row < ui->lstUserDataDir->count(); ++row) {
        if (lines[static_cast<size_t>(row)] == last) {
            ui->lstUserDataDir->setCurrentRow(row);
            break;
        }
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    // A session ending (Windows shutting down, the user logging off) closes without asking.
    const int unload_mode = qApp->isSavingSession() ? kUnloadAppWindows : 0;
    if (asks_before_closing(unload_mode) && msgBox(exit_question(), this) == BoxAnswer::No) {
        event->ignore();
        return;
    }
    event->accept();
}

void frmMain::smenuExit_Click() { close(); }

void frmMain::msGetUserDataDirs() { folders_ = fw::msGetUserDataDirs(app_state().game); }

void frmMain::msFillUserDataList() {
    ui->lstUserDataDir->clear();
    for (const std::string& line : fw::msFillUserDataList(folders_)) {
        ui->lstUserDataDir->addItem(new NeighbourhoodItem(line));
    }
}

std::string frmMain::characters_folder() const {
    return fw::characters_folder(app_state().game, neighbourhood_);
}

void frmMain::lstUserDataDir_Click() {
    const std::string line = selected_line(*ui->lstUserDataDir);
    if (line.empty()) return;
    ui->picSim->clear();
    ui->txtSimName->clear();
    neighbourhood_ = neighbourhood_folder(line);
    page_ = 0;
    msGetFileNames();
    msLoadSimImages();
}

void frmMain::msGetFileNames() {
    const WaitCursor wait;
    repaint();
    files_ = fw::msGetFileNames(app_state().game, neighbourhood_);
    ui->picSim->clear();
}

void frmMain::msLoadSimImages() {
    ui->picThumbs->clear();
    for (int32_t k = 0; k < kSimsPerPage; ++k) set_name_label(k, QString());
    if (files_.empty()) return;
    const WaitCursor wait;
    // The cleared grid shows at once; other events wait until the page is drawn, so that no
    // click can start another page inside this one.
    ui->picThumbs->repaint();
    fw::msLoadSimImages(characters_folder(), files_, page_,
                        [this](int32_t cell, const SimCell& result) { draw_cell(cell, result); });
    const PageSelection selection =
        select_first_sim(files_, page_, [this](const std::string& file_name) { msDisplaySim(file_name); });
    ui->picThumbs->setSelectedCell(selection.cell);
    ui->txtPageCount->setText(to_qt(selection.page_counter));
}

void frmMain::draw_cell(int32_t cell, const SimCell& result) {
    if (!result.loaded()) {
        ui->picThumbs->drawThumbnail(cell, cant_load_bitmap());
    } else {
        // The thumbnail is drawn from the bytes the core has just dumped for this file.
        const QImage thumbnail = pictures_.picture(result.thumbnail);
        ui->picThumbs->drawThumbnail(cell, thumbnail.isNull() ? not_found_bitmap() : thumbnail);
    }
    set_name_label(cell, label_text(result.caption()));
    if (!check_note(cell).empty()) ui->picThumbs->drawMark(cell);
}

std::string frmMain::check_note(int32_t cell) const {
    const std::string file = file_in_cell(files_, page_, cell);
    return file.empty() ? std::string() : check_mark(characters_folder() + file);
}

void frmMain::redraw_page() {
    const int cell = ui->picThumbs->selectedCell();
    msLoadSimImages();
    if (cell != ui->picThumbs->selectedCell()) select_cell(cell);
}

void frmMain::msDisplaySim(const std::string& file_name) {
    const SimDisplay shown = fw::msDisplaySim(characters_folder(), neighbourhood_, file_name);
    ui->picSim->clear();
    ui->txtSimName->setText(to_qt(shown.sim_name));
    if (!shown.loaded()) {
        ui->picSim->drawImage(to_point(kCantLoadPicturePoint), cant_load_bitmap());
        for (const PlacedText& line : shown.lines) ui->picSim->drawText(to_point(line.at), to_qt(line.text));
        return;
    }
    for (const PlacedPicture& picture : shown.pictures) {
        const QImage image = pictures_.picture(picture.bytes);
        ui->picSim->drawImage(to_point(picture.at), image.isNull() ? not_found_bitmap() : image);
    }
}

void frmMain::picThumbs_MouseDown(int cell, int, int) { select_cell(cell); }

void frmMain::select_cell(int cell) {
    ui->picThumbs->eraseFrame();
    ui->picThumbs->setSelectedCell(cell);
    const std::string file = file_in_cell(files_, page_, cell);
    if (!file.empty()) {
        msDisplaySim(file);
    } else {
        ui->txtSimName->clear();
        ui->picSim->clear();
    }
}

void frmMain::picThumbs_MouseMove(int x, int y) {
    if (files_.empty()) return;
    const int cell = cell_at(x, y);
    QString tip = to_qt(file_in_cell(files_, page_, cell));
    if (!tip.isEmpty() && cell >= 0 && cell < kSimsPerPage) {
        const QLabel* label = lblSimName[static_cast<size_t>(cell)];
        const QString whole = label->property(kWholeName).toString();
        if (label->text() != whole) tip += QLatin1Char('\n') + whole;
        const std::string note = check_note(cell);
        if (!note.empty()) tip += QLatin1Char('\n') + label_text(note);
    }
    ui->picThumbs->setToolTip(tip);
}

void frmMain::picThumbs_DblClick() { cmdSelect_Click(); }

void frmMain::cmdNext_Click() {
    ui->cmdFocus->setFocus();
    if (!can_go_next(page_, files_.size())) return;
    ++page_;
    msLoadSimImages();
}

void frmMain::cmdPrevious_Click() {
    ui->cmdFocus->setFocus();
    if (!can_go_previous(page_)) return;
    --page_;
    msLoadSimImages();
}

void frmMain::cmdSelect_Click() {
    ui->cmdFocus->setFocus();
    EditRequest request;
    request.neighbourhood_line = selected_line(*ui->lstUserDataDir);
    request.sim_name = from_qt(ui->txtSimName->text());
    request.page = page_;
    request.cell = ui->picThumbs->selectedCell();
    request.files = files_;
    request.characters_folder = characters_folder();
    const EditDecision decision = fw::may_open_sim(request);
    if (decision.refusal) {
        msgBox(*decision.refusal, this);
        return;
    }
    if (!decision.opens() || !openers().edit_sim) return;
    const EditorClosed closed = openers().edit_sim(this, decision.path, ui->smenuBackup->isChecked());
    if (closed == EditorClosed::NotOpened) return;
    if (closed != EditorClosed::WithoutSave) {
        // The saved or reloaded sim's new name and pictures, on the page and in the selection it
        // was opened from.
        redraw_page();
    }
    Form_Activate();
}

void frmMain::smenuBackup_Click() {
    // The entry has already changed its own check mark; the rule takes the state it was in.
    const bool was_checked = !ui->smenuBackup->isChecked();
    ui->smenuBackup->setChecked(fw::toggle_backup_setting(was_checked));
}

void frmMain::smenuSetPath_Click() {
    if (!openers().set_path) return;
    const std::string before = app_state().game.install();
    openers().set_path(this);
    if (app_state().game.install() != before) drop_game_lists();
    Form_Activate();
}

void frmMain::drop_game_lists() {
    folders_.clear();
    files_.clear();
    neighbourhood_.clear();
    page_ = 0;
    ui->lstUserDataDir->clear();
    msLoadSimImages();  // an empty grid
    ui->picThumbs->setSelectedCell(0);
    ui->picThumbs->setToolTip(QString());
    ui->picSim->clear();
    ui->txtSimName->clear();
    ui->txtPageCount->clear();
    // The head selector offers the models of the game in use; the archives of the new copy that
    // could not be read are named at the activation that follows, as at start-up.
    skipped_archives_ = msGetHeadModelLists(app_state().game.install()).skipped_box();
}

void frmMain::smenuExport_Click() {
    std::optional<BoxMessage> box;
    {
        const WaitCursor wait;
        box = fw::export_skin_names(characters_folder(), files_);
    }
    if (box) msgBox(*box, this);
}

void frmMain::smnuExtract_Click() {
    if (msgBox(extract_question(), this) == BoxAnswer::No || !openers().extract) return;
    openers().extract(this);
    Form_Activate();
}

void frmMain::smnuCheck_Click() {
    if (!openers().check_game) return;
    // The window stays open beside this one; each finished check marks the sims it found.
    openers().check_game(this, [this] { redraw_page(); });
}

void frmMain::smenuRestore_Click() {
    const int32_t cell = ui->picThumbs->selectedCell();
    const RestoreOpening opening = open_restore(characters_folder(), file_in_cell(files_, page_, cell));
    if (opening.box) {
        msgBox(*opening.box, this);
        return;
    }
    const auto& restore = openers().restore_from_backup;
    if (!restore) return;
    if (restore(this, opening.character_file, opening.backups)) {
        // The page and the selected sim show the file as it is now.
        msLoadSimImages();
        select_cell(cell);
    }
    Form_Activate();
}

}  // namespace fw
