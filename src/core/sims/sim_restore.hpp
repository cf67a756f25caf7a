#pragma once
// Going back to a backup: the backup is checked to be one of this sim's file and a person the
// editor could open, the file as it is now is backed up (so that the restore can be undone), and
// the character file is replaced as a save replaces it: written beside it in full, then renamed
// over it, never through a link, never over a read-only file. A refused restore changes nothing.
#include <optional>
#include <string>

#include "core/base/message_box.hpp"
#include "core/sims/backup_list.hpp"
#include "core/sims/backup_name.hpp"
#include "core/sims/save_files.hpp"

namespace fw {

inline constexpr const char* kRestoreTerminatedTitle = "Restore Terminated";
inline constexpr const char* kRestoreMenuTitle = "Restore From Backup";

struct RestoreOptions {
    bool make_backup = true;     // the file as it is now goes into the Backup folder first
    Clock clock = local_now;     // dates that backup's name
    SaveFiles* files = nullptr;  // the real file system when not set
};

struct RestoreResult {
    std::optional<BoxMessage> refusal;  // set when nothing was changed
    std::string name;                   // the restored sim's name (Windows-1252)
    std::string time_shown;             // the backup's time as listed
    std::string backup_path;            // the backup of the file as it was; "" when none was made
    bool restored() const { return !refusal.has_value(); }
};

// Puts the backup at `backup_path` in the place of the character file (its full path). Refused,
// with the box to show: a character file that is missing or read-only, a backup that is missing,
// belongs to another file or neighbourhood, is damaged, holds a pet or no sim the editor could
// open. Failures of the file system reach the trap (frmRestore / cmdRestore_Click, 1000, 4000;
// the backup's own as a save's); the character file is then the old one or the restored one, whole.
RestoreResult restore_from_backup(const std::string& character_file, const std::string& backup_path,
                                  const RestoreOptions& options = {});

// "Restore <name> from the backup of <time>?", the file's path, and that the file as it is now
// is kept first; titled "Confirm Action", Yes and No.
BoxMessage restore_confirmation(const std::string& character_file, const BackupEntry& backup);
// "<name> has been restored from the backup of <time>." titled "Success".
BoxMessage restored_box(const RestoreResult& result);
// The word for a sim without backups, instead of an empty list.
BoxMessage no_backups_box(const std::string& character_file);

// What "Restore From Backup ..." does for the selected sim (its file's name, "" when the
// selected cell holds none): the box that stands instead of the dialog (no sim selected, no
// backups), or nothing when the dialog is to list `backups`.
struct RestoreOpening {
    std::string character_file;
    std::vector<BackupEntry> backups;
    std::optional<BoxMessage> box;
};
RestoreOpening open_restore(const std::string& characters_folder, const std::string& file_name);

}  // namespace fw
