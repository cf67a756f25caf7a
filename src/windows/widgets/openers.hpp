#pragma once
// How one window opens another. Each window is shown modally by a small opener, so that a test can
// put its own in place and check what is handed over (a path, a skin data code) without the other
// window, and so that no test ever blocks on a modal window. The program installs the real ones at
// start-up (app/main.cpp); an opener that is not installed opens nothing.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/sims/backup_list.hpp"

class QWidget;

namespace fw {

// How the editor's opener came back: the editor refused the file with a box and never opened, or
// it opened and closed without a save, or it closed after saving the sim, or without a save but
// after reloading the sim from its file, changed elsewhere.
enum class EditorClosed { NotOpened, WithoutSave, AfterSave, AfterReload };

struct WindowOpeners {
    // frmEditSim for the character file (LoadUserFile), modal over the owner. `make_backup` is the
    // main window's "&Create Backup File" check mark, which cannot change while the editor is open.
    std::function<EditorClosed(QWidget* owner, const std::string& load_user_file, bool make_backup)> edit_sim;
    // frmSelectHead for a skin data code ("malgt"): model + "," + skin when the user selected one,
    // nothing on Cancel or the close box.
    std::function<std::optional<std::string>(QWidget* owner, const std::string& skin_data)> select_head;
    // frmSetPath, modal; its effect is the changed game path and setting.
    std::function<void(QWidget* owner)> set_path;
    // frmExtract, modal; it extracts as it opens.
    std::function<void(QWidget* owner)> extract;
    // frmCheck, the game check, beside the owner and not modal: the program stays usable while the
    // check runs. `checked` runs each time a check has finished or a fix has changed its findings.
    std::function<void(QWidget* owner, std::function<void()> checked)> check_game;
    // frmRestore for a character file and its backups, modal; true when a backup was restored.
    std::function<bool(QWidget* owner, const std::string& character_file,
                       const std::vector<BackupEntry>& backups)>
        restore_from_backup;
    // The folder browser: the chosen folder, or nothing when the user cancels.
    std::function<std::optional<std::string>(QWidget* owner, const std::string& title)> browse_folder;
};

// The openers in use for the whole run. browse_folder starts as the platform's folder dialog.
WindowOpeners& openers();

}  // namespace fw
