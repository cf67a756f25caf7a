#pragma once
// The main window, the sim browser: the neighbourhood list, pages of 7 x 7 sim thumbnails with
// their names, the selected sim's images, and the menus. Its handlers read the controls, ask the
// core, and paint or show what comes back; the editor, Set Path and the extraction window are
// opened through the openers (widgets/openers.hpp).
#include <QFont>
#include <QHash>
#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"
#include "windows/widgets/game_picture.hpp"

class QLabel;
class QListWidgetItem;

namespace Ui {
class frmMain;
}

namespace fw {

struct SimCell;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // Runs Form_Load: the settings, the game path, the name labels, the head-model lists.
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The path checks and, while no sims are listed, the neighbourhood list. Runs when the window
    // is first shown and when a window it opened (Set Path, the editor, the extraction window,
    // Restore From Backup) closes; the desktop's focus changes (another program and back, one of
    // the window's own message boxes closing) leave it alone.
    void Form_Activate();

    // The window's state, for the program's other windows and for tests.
    const std::vector<std::string>& character_files() const { return files_; }
    const std::string& current_neighbourhood() const { return neighbourhood_; }
    int32_t current_page() const { return page_; }

    // Draws the current page (also the page-drawing benchmark's entry point).
    void msLoadSimImages();

    // Names the archives the load could not read and skipped, once, in a box over the window:
    // the first activation does, after the title box and the path checks.
    void report_skipped_archives();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void smenuExit_Click();
    void lstUserDataDir_Click();
    void cmdNext_Click();
    void cmdPrevious_Click();
    void cmdSelect_Click();
    void picThumbs_MouseDown(int cell, int x, int y);
    void picThumbs_MouseMove(int x, int y);
    void picThumbs_DblClick();
    void smenuBackup_Click();
    void smenuSetPath_Click();
    void smenuExport_Click();
    void smnuExtract_Click();
    void smnuCheck_Click();
    void smenuRestore_Click();

private:
    void Form_Load();
    void msGetUserDataDirs();
    void msFillUserDataList();
    void msGetFileNames();
    void msDisplaySim(const std::string& file_name);
    void select_cell(int cell);
    // Forgets the game's neighbourhoods and sims, the page and the selection: the next activation
    // lists the game at the new path.
    void drop_game_lists();
    void draw_cell(int32_t cell, const SimCell& result);
    // The page drawn again (its marks with it), the selected cell kept.
    void redraw_page();
    // What the last check found wrong with the sim in a cell of the page; "" when nothing.
    std::string check_note(int32_t cell) const;
    void choose_label_fonts();
    void set_name_label(int32_t cell, const QString& caption);
    // A one-line name cut with "..." to the label's width.
    QString elided_name(const QString& caption);
    std::string characters_folder() const;

    std::unique_ptr<Ui::frmMain> ui;
    std::vector<QLabel*> lblSimName;    // lblSimName0 .. lblSimName48, children of picThumbs
    QFont name_font_;                   // a sim's name in its label
    QFont caption_font_;                // the can't-load caption's two lines
    QHash<QString, QString> elided_names_;  // names as their labels show them in name_font_
    std::vector<std::string> folders_;  // the neighbourhood folder list
    std::vector<std::string> files_;    // the character file list
    std::string neighbourhood_;         // the folder of the line chosen in lstUserDataDir
    int32_t page_ = 0;
    DecodedPictures pictures_;          // the sims' pictures, decoded once while paging
    std::optional<BoxMessage> skipped_archives_;  // from Form_Load, until reported
    bool shown_ = false;                          // the window has been shown once
    bool activating_ = false;                     // Form_Activate is running
};

}  // namespace fw
