#pragma once
// Restore From Backup: the backups of one sim's character file, newest first, the chosen one's sim
// shown as the editor shows a sim (its own portraits where it keeps them, its head), and "Restore",
// which asks first and then puts that backup in the file's place through the core. Modal over the
// main window.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "core/sims/backup_list.hpp"
#include "core/game/damaged_archives.hpp"

namespace Ui {
class frmRestore;
}

namespace fw {

class frmRestore : public QDialog {
    Q_OBJECT
public:
    explicit frmRestore(QWidget* owner = nullptr);
    ~frmRestore() override;

    // Lists the backups (as the core lists them, newest first) and shows the first.
    void load(const std::string& character_file, std::vector<BackupEntry> backups);
    // True once a backup was put in the file's place.
    bool restored() const { return restored_; }

private slots:
    void lstBackups_Click();
    void cmdRestore_Click();

private:
    void show_backup(const BackupEntry& backup);

    std::unique_ptr<Ui::frmRestore> ui;
    std::string character_file_;
    std::vector<BackupEntry> backups_;
    // The game's archives as the head search reads them: a damaged one is named once.
    ArchiveReading archives_;
    bool restored_ = false;
};

// Opens the dialog for the character file and its backups, modal over `owner`; true when a backup
// was restored. Installed as the restore_from_backup opener.
bool show_frmRestore(QWidget* owner, const std::string& character_file,
                     const std::vector<BackupEntry>& backups);

}  // namespace fw
