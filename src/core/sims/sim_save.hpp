#pragma once
// Saving a sim: the editor's controls go into its two lists (with fresh outfits when the body
// changed), the lists into the file image, the image without its bitmaps into usertemp.iff in
// the program folder, an optional backup of the old file is taken, and the character file is
// replaced by the new one in a single rename, so that it is never missing or half written.
#include <functional>
#include <optional>
#include <string>

#include "core/base/failure.hpp"
#include "core/base/message_box.hpp"
#include "core/sims/backup_name.hpp"
#include "core/sims/save_files.hpp"
#include "core/sims/sim_session.hpp"
#include "core/sims/appearance.hpp"

namespace fw {

struct SaveOptions {
    bool make_backup = false;    // the main window's "&Create Backup File" check mark
    Clock clock = local_now;     // dates the backup's name
    SaveFiles* files = nullptr;  // the real file system when not set
    // Save over a character file that changed since the session read it: the player chose to.
    bool overwrite_changes = false;
};

struct SaveResult {
    std::optional<BoxMessage> refusal;  // set when the sim was not saved
    // The character file changed since the session read it (the game or another program saved
    // it): nothing was written. The editor asks with changed_elsewhere_box.
    bool changed_elsewhere = false;
    std::string previous_name;  // the name the file held before
    std::string backup_path;    // "" when no backup was made
    bool saved() const { return !refusal.has_value(); }
};

// program folder + "\usertemp.iff": the saved file without its images, left in place.
std::string temp_file_path();
// program folder + "\Backup".
std::string backup_folder_path();
// The lock every save and restore of the program's processes holds from the "changed elsewhere"
// check to the replace: program folder + "\saves.lock".
std::string save_lock_path();

// The save from the user's "Yes" on (frmEditSim / cmdSave_Click, locations 1000 and 4000). A
// sim the editor may not save (see check_editable, check_controls), a read-only character file,
// a body change on a list too short for the outfit table, and a character file that changed since
// the session read it (unless overwrite_changes) are refused with their box, before anything is
// written. A file operation that fails (a full disk, a vanished folder) is refused too, with the
// box failed_save_box gives, and logged in errorlog.txt; the character file is then the old one
// or the new one, whole. Any other failure reaches the error trap. The session takes the edits
// only when the sim was saved.
SaveResult save_sim(EditorSession& session, const SimControls& controls, const SaveOptions& options = {});

// What the error log names a failure of msMakeUserBackup by; its callers log it.
inline constexpr const char* kBackupModule = "frmEditSim";
inline constexpr const char* kBackupProcedure = "msMakeUserBackup";
// Keeps `bytes`, the character file as the caller found it under the save lock, in the backup
// folder under a name that no earlier backup holds, whole or not at all, with its record (see
// backup_record.hpp) beside it first (frmEditSim / msMakeUserBackup, locations 1000, 2000, 3000
// set on `location`). Returns the backup's path. A failure is the caller's to report.
std::string msMakeUserBackup(const std::string& load_user_file, const std::string& bytes,
                             const std::string& previous_name, const std::string& new_name,
                             const Clock& clock, SaveFiles& files, int32_t& location);

// "This sim's file has changed since the editor opened it:", the path, and the three ways on,
// titled "Sim Changed Elsewhere": its buttons are "Reload" (Yes), "Overwrite" (No) and "Cancel".
BoxMessage changed_elsewhere_box(const std::string& load_user_file);

// The box that reports a failed save: the failure and the step it stopped ("while writing ..."),
// then whether the character file is still as it was (`whole`), titled "Save Failed" (a restore's:
// "could not be restored", "Restore Failed").
BoxMessage failed_save_box(const std::string& load_user_file, const std::string& error,
                           const std::string& doing, bool whole, bool restore = false);

// Called inside the catch of a failed save or restore (`restore`) of load_user_file, stopped at
// `location` of `procedure` while `doing`. A failure of the file operations themselves (a full
// disk, a folder that vanished or refuses writing) is logged and answered with failed_save_box,
// whole when `still_whole` says the file is as it was; any other failure reaches the error trap.
BoxMessage report_failed_write(const char* module, const char* procedure, int32_t location,
                               const std::string& doing, const std::string& load_user_file,
                               const std::function<bool()>& still_whole, bool restore);

// The box that reports a save: name + " has been saved." titled "Success".
BoxMessage saved_box(const std::string& name);

}  // namespace fw
