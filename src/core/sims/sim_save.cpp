#include "core/sims/sim_save.hpp"

#include <filesystem>

#include "core/base/charset.hpp"
#include "core/base/error_trap.hpp"
#include "core/sims/backup_record.hpp"
#include "core/sims/outfit_table.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/character_file.hpp"
#include "core/platform/file_lock.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"
#include "core/game/app_state.hpp"

namespace fw {

namespace {

// What the error log names a failure of the save by.
constexpr const char* kModule = "frmEditSim";
constexpr const char* kProcedure = "cmdSave_Click";

// What a backup of these bytes of the character file is of.
BackupRecord record_of(const std::string& load_user_file, const std::string& bytes,
                       const std::string& new_name) {
    BackupRecord record;
    record.file = recorded_file_path(load_user_file);
    if (!neighbourhood_of(load_user_file).empty()) {
        // <saves>/<neighbourhood>/Characters/<file>
        record.saves = std::filesystem::path(record.file).parent_path().parent_path().parent_path().string();
    }
    const Game& game = app_state().game;
    if (game.known() && game.saves_real_path() == record.saves) record.game = game.install_real_path();
    IFFFile image;
    if (read_iff_checked_from_bytes(image, bytes).empty()) record.sim = sim_identifier(image);
    record.saved_as = decode_windows1252(new_name);
    return record;
}

// Backups of one file in one minute are numbered up to this; the name keeps room for the number.
constexpr int kLastBackupNumber = 99999;

// Where a save stands, for the log and the box when a file operation fails.
struct SaveStep {
    const char* procedure = kProcedure;
    int32_t location = checkpoint::start;
    std::string doing;  // "writing ...", for the player
};

// Whether the character file holds what the session read. Only the content counts: the game
// rewriting the same bytes, or a tool touching the file, changes nothing of the sim.
bool file_as_read(const EditorSession& session, SaveFiles& files) {
    return files.read_file(session.load_user_file) == session.loaded_bytes;
}

BoxMessage changed_refusal(const std::string& path) {
    return {std::string("This sim's file has changed since it was read:") + kCrLf + display_path(path) +
                kCrLf + "Nothing was saved.",
            kBoxCritical, "Save Terminated"};
}

// The writing half of a save, under the program's save lock from the check to the replace: the
// temporary file, the backup, the character file replaced. Returns the bytes the character file
// now holds ("" when it changed elsewhere).
std::string write_sim(const EditorSession& as_read, const EditorSession& edited, const SimControls& controls,
                      const SaveOptions& options, SaveFiles& files, SaveStep& step, SaveResult& result) {
    const std::string& path = as_read.load_user_file;
    step.doing = "waiting for another save of this program";
    const FileLock lock(save_lock_path());
    step.doing = "reading " + display_path(path);
    // Saving over a change another program made would lose it without a word.
    const std::string found = files.read_file(path);
    if (!options.overwrite_changes && found != as_read.loaded_bytes) {
        result.changed_elsewhere = true;
        result.refusal = changed_refusal(path);
        return "";
    }
    // The new file comes from these bytes: usertemp.iff is shared by every process of the program
    // and is written for the record only, never read back.
    const std::string bytes = iff_bytes_without_bitmaps(edited.image);
    const std::string temp = temp_file_path();
    step.doing = "writing " + display_path(temp);
    if (files.file_exists(temp)) files.delete_file(temp);
    files.write_without_bitmaps(edited.image, temp);

    if (options.make_backup) {
        step.procedure = kBackupProcedure;
        step.doing = "making the backup in " + display_path(backup_folder_path());
        result.backup_path = msMakeUserBackup(path, found, result.previous_name, controls.name, options.clock,
                                              files, step.location);
        step.procedure = kProcedure;
    }

    step.location = checkpoint::c4000;
    step.doing = "replacing " + display_path(path);
    // The game does not take this program's lock: a change it made while the backup was written
    // is caught at the last moment.
    if (files.read_file(path) != found) {
        result.changed_elsewhere = true;
        result.refusal = changed_refusal(path);
        return "";
    }
    files.replace_file(path, bytes);
    return bytes;
}

}  // namespace

namespace {
// The failures of the file operations themselves (file not found to path not found).
bool is_file_failure(const Failure& failure) {
    return failure.number() >= static_cast<int32_t>(ErrorKind::FileNotFound) &&
           failure.number() <= static_cast<int32_t>(ErrorKind::PathNotFound);
}
}  // namespace

BoxMessage report_failed_write(const char* module, const char* procedure, int32_t location,
                               const std::string& doing, const std::string& load_user_file,
                               const std::function<bool()>& still_whole, bool restore) {
    const Failure failure = failure_from_current_exception();
    if (!is_file_failure(failure)) {
        record_failure(module, procedure, location, failure);
        trap();
    }
    bool whole = false;
    try {
        whole = still_whole();
    } catch (...) {
        // A file that cannot even be read back is not known to be whole.
    }
    const char* changed =
        restore ? "The sim's file is no longer as it was: " : "The sim's file is no longer as read: ";
    log_and_go_on(module, procedure, location, failure,
                  std::string(restore ? "The restore" : "The save") + " was abandoned while " + doing + "." +
                      kCrLf + (whole ? "The sim's file is as it was: " : changed) +
                      display_path(load_user_file));
    return failed_save_box(load_user_file, error_text(failure), doing, whole, restore);
}

std::string temp_file_path() { return program_folder() + "\\usertemp.iff"; }
std::string backup_folder_path() { return program_folder() + "\\Backup"; }
std::string save_lock_path() { return program_folder() + "\\saves.lock"; }

BoxMessage saved_box(const std::string& name) {
    return {name + " has been saved.", kBoxInformation, "Success"};
}

BoxMessage changed_elsewhere_box(const std::string& load_user_file) {
    return {std::string("This sim's file has changed since the editor opened it:") + kCrLf +
                display_path(load_user_file) + kCrLf + kCrLf +
                "The game or another program has saved it. Saving now would lose that change." + kCrLf +
                kCrLf + "Reload: show the sim as its file is now (the changes made here are dropped)." +
                kCrLf + "Overwrite: save the changes made here over it." + kCrLf + "Cancel: change nothing.",
            kBoxExclamation + kButtonsYesNoCancel,
            "Sim Changed Elsewhere",
            {"Reload", "Overwrite", "Cancel"}};
}

BoxMessage failed_save_box(const std::string& load_user_file, const std::string& error,
                           const std::string& doing, bool whole, bool restore) {
    std::string text = std::string("The sim could not be ") + (restore ? "restored: " : "saved: ") + error +
                       "," + kCrLf + "while " + doing + "." + kCrLf + kCrLf;
    text += whole ? "Nothing was changed: the sim's file is as it was:"
                  : "The sim's file is no longer as the editor opened it; please check it:";
    text += kCrLf + display_path(load_user_file);
    return {text, kBoxCritical, restore ? "Restore Failed" : "Save Failed"};
}

std::string msMakeUserBackup(const std::string& load_user_file, const std::string& bytes,
                             const std::string& previous_name, const std::string& new_name,
                             const Clock& clock, SaveFiles& files, int32_t& location) {
    location = checkpoint::start;
    const std::string folder = backup_folder_path();
    if (!files.folder_exists(folder) && !files.create_folder(folder)) fail(ErrorKind::PathNotFound);
    const std::string file_name = files.listed_name(load_user_file);

    location = checkpoint::c2000;
    const std::string base = backup_name(file_name, backup_sim_part(previous_name, new_name),
                                         neighbourhood_of(load_user_file), clock());
    // Two saves in one minute give the same name; the earlier backup is kept.
    std::string target = folder + "\\" + base;
    for (int n = 2; files.file_exists(target); ++n) {
        if (n > kLastBackupNumber) fail(ErrorKind::FileAlreadyExists);
        target = folder + "\\" + base + "_" + std::to_string(n);
    }

    location = checkpoint::c3000;
    // The record goes first: a save killed between the two leaves a record without a backup, never
    // a backup that other games' files of the same name could claim.
    const std::string record = backup_record_path(target);
    const std::string records = backup_records_folder(target);
    if (!files.folder_exists(records) && !files.create_folder(records)) fail(ErrorKind::PathNotFound);
    files.replace_file(record, backup_record_text(record_of(load_user_file, bytes, new_name)));
    try {
        // Written whole under a name of its own, then given the backup's name: a backup cut short
        // never stands under a complete one's name.
        files.write_new_file(target, bytes);
    } catch (...) {
        try {
            files.delete_file(record);
        } catch (...) {
            // A record without its backup is never listed.
        }
        throw;
    }
    return target;
}

SaveResult save_sim(EditorSession& session, const SimControls& controls, const SaveOptions& options) {
    SaveResult result;
    if ((result.refusal = check_editable(session.appearance, session.names))) return result;
    if ((result.refusal = check_controls(controls))) return result;
    SaveFiles& files = options.files ? *options.files : platform_save_files();
    // Renaming over a file its owner made read-only would replace it all the same.
    if (files.is_read_only(session.load_user_file)) {
        result.refusal = read_only_box(session.load_user_file);
        return result;
    }

    // The edits go into a copy until the save went through.
    EditorSession edited = session;
    guarded(kModule, kProcedure, [&](int32_t& location) {
        location = checkpoint::start;
        STRList as_found;
        gsReadSTRSegment(edited.image, as_found, kAppearanceKey, StringListType::STR);

        result.previous_name = write_sim_controls(edited.appearance, edited.names, controls);
        if (body_changed(edited.appearance, as_found)) {
            // A list too short for the outfit table can still take a new name or head, not a new body.
            if (edited.appearance.item_count() < kOutfitLastEntry) {
                result.refusal = invalid_file_box();
                return;
            }
            apply_outfit_table(edited.appearance);
        }
        gsWriteSTRSegment(edited.image, edited.appearance, kAppearanceKey, StringListType::STR);
        gsWriteSTRSegment(edited.image, edited.names, kNameKey, StringListType::CTSS);
    });
    if (result.refusal) return result;

    SaveStep step;
    std::string written;
    try {
        written = write_sim(session, edited, controls, options, files, step, result);
    } catch (const TrapRaised&) {
        throw;
    } catch (...) {
        result.refusal = report_failed_write(
            kModule, step.procedure, step.location, step.doing, session.load_user_file,
            [&] { return file_as_read(session, files); }, false);
        return result;
    }
    if (result.refusal) return result;

    session = std::move(edited);
    // The file now holds what this session wrote: a later save starts from there.
    session.loaded_bytes = std::move(written);
    try {
        session.loaded_stamp = files.file_stamp(session.load_user_file);
    } catch (...) {
        session.loaded_stamp = FileStamp{};
    }
    return result;
}

}  // namespace fw
