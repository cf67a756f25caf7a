#include "core/sims/sim_restore.hpp"

#include "core/base/charset.hpp"
#include "core/base/error_trap.hpp"
#include "core/sims/sim_save.hpp"
#include "core/formats/character_file.hpp"
#include "core/platform/file_lock.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"

namespace fw {

namespace {

// What the error log names a failure of the restore by.
constexpr const char* kModule = "frmRestore";
constexpr const char* kProcedure = "cmdRestore_Click";

BoxMessage refused(const std::string& text) {
    return {text + kCrLf + "Nothing was restored.", kBoxCritical, kRestoreTerminatedTitle};
}

// "User00001.iff in UserData2", or the file's name alone outside any neighbourhood.
std::string file_and_neighbourhood(const std::string& listed_name, const std::string& character_file) {
    const std::string neighbourhood = neighbourhood_of(character_file);
    return neighbourhood.empty() ? listed_name : listed_name + " in " + neighbourhood;
}

std::optional<BoxMessage> content_refusal(const BackupContent& held, const std::string& shown_path) {
    switch (held.kind) {
    case BackupKind::Person: return std::nullopt;
    case BackupKind::Pet:
        return refused("This backup holds a pet. Only people can be restored:" + std::string(kCrLf) +
                       shown_path);
    case BackupKind::NotASim:
        return refused("This backup is not a sim's character file that can be opened:" + std::string(kCrLf) +
                       shown_path);
    case BackupKind::Damaged: break;
    }
    return refused("This backup is damaged and cannot be restored:" + std::string(kCrLf) + shown_path +
                   kCrLf + held.error);
}

}  // namespace

namespace {

// Where a restore stands, for the log and the box when a file operation fails.
struct RestoreStep {
    const char* module = kModule;
    const char* procedure = kProcedure;
    int32_t location = checkpoint::start;
    std::string doing;
};

RestoreResult restore_locked(const std::string& character_file, const std::string& backup_path,
                             const RestoreOptions& options, SaveFiles& files, RestoreStep& step) {
    RestoreResult result;
    const std::string backup_shown = display_path(backup_path);
    step.doing = "reading " + display_path(character_file);
    if (!files.file_exists(character_file)) {
        result.refusal =
            refused("This sim's file is missing:" + std::string(kCrLf) + display_path(character_file));
        return result;
    }
    if (!files.file_exists(backup_path)) {
        result.refusal = refused("This backup was not found:" + std::string(kCrLf) + backup_shown);
        return result;
    }
    const std::string listed = files.listed_name(character_file);
    const std::optional<BackupNameParts> parts = parse_backup_name_of(
        files.listed_name(backup_path), backup_file_part(listed), backup_neighbourhood_part(character_file));

    // The bytes checked are the bytes written: nothing read later can slip in between. A backup
    // that cannot be read is refused like a damaged one.
    std::string bytes;
    BackupContent held;
    EditorSession session;
    if (const int64_t size = file_length(backup_path); size > kMaxCharacterFileSize) {
        held.error = "The file is " + std::to_string(size) + " bytes long, far longer than a character file.";
    } else {
        try {
            bytes = files.read_file(backup_path);
            held = read_backup_bytes(bytes, session);
        } catch (const Failure& failure) {
            held.error = error_text(failure);
        }
    }
    // Only a backup of this very file of this game, or of the same sim: another sim's file in its
    // place would break the neighbourhood's families and relationships.
    if (!parts || !backup_made_of(read_backup_record(backup_path), held.sim, character_file)) {
        result.refusal = refused("This is not a backup of " + file_and_neighbourhood(listed, character_file) +
                                 ":" + kCrLf + backup_shown);
        return result;
    }
    if ((result.refusal = content_refusal(held, backup_shown))) return result;
    // Renaming over a file its owner made read-only would replace it all the same.
    if (files.is_read_only(character_file)) {
        result.refusal =
            refused("This sim's file is read-only:" + std::string(kCrLf) + display_path(character_file));
        return result;
    }

    result.name = held.name;
    result.time_shown = backup_time_shown(*parts);
    const std::string current_bytes = files.read_file(character_file);
    if (options.make_backup) {
        // Named as a save names it: the name the file holds now, then the one it gets back.
        EditorSession current;
        const std::string current_name =
            read_sim_file(character_file, current) ? std::string() : current.names.item(1).value;
        step.module = kBackupModule;
        step.procedure = kBackupProcedure;
        step.doing = "making the backup in " + display_path(backup_folder_path());
        result.backup_path = msMakeUserBackup(character_file, current_bytes, current_name, held.name,
                                              options.clock, files, step.location);
        step.module = kModule;
        step.procedure = kProcedure;
    }
    step.location = checkpoint::c4000;
    step.doing = "replacing " + display_path(character_file);
    // The game takes no lock of ours: a save of its own since the file was kept is not lost unkept.
    if (files.read_file(character_file) != current_bytes) {
        result.refusal = refused("This sim's file changed while it was being restored:" + std::string(kCrLf) +
                                 display_path(character_file));
        return result;
    }
    files.replace_file(character_file, bytes);
    return result;
}

}  // namespace

RestoreResult restore_from_backup(const std::string& character_file, const std::string& backup_path,
                                  const RestoreOptions& options) {
    SaveFiles& files = options.files ? *options.files : platform_save_files();
    RestoreStep step;
    std::string before;
    try {
        step.doing = "waiting for another save of this program";
        // One save or restore of the program's processes at a time, from the check to the replace.
        const FileLock lock(save_lock_path());
        if (files.file_exists(character_file)) before = files.read_file(character_file);
        return restore_locked(character_file, backup_path, options, files, step);
    } catch (const TrapRaised&) {
        throw;
    } catch (...) {
        // A failed write is reported as a failed save is: the file is whole, the program goes on.
        RestoreResult result;
        result.refusal = report_failed_write(
            step.module, step.procedure, step.location, step.doing, character_file,
            [&] { return read_file(character_file) == before; }, true);
        return result;
    }
}

BoxMessage restore_confirmation(const std::string& character_file, const BackupEntry& backup) {
    return {"Restore " + decode_windows1252(backup.holds.name) + " from the backup of " +
                backup.time_shown() + "?" + kCrLf + display_path(character_file) + kCrLf + kCrLf +
                "The file as it is now is kept in the Backup folder first.",
            kBoxQuestion, "Confirm Action"};
}

BoxMessage restored_box(const RestoreResult& result) {
    return {
        decode_windows1252(result.name) + " has been restored from the backup of " + result.time_shown + ".",
        kBoxInformation, "Success"};
}

BoxMessage no_backups_box(const std::string& character_file) {
    const std::string listed = platform_save_files().listed_name(character_file);
    EditorSession session;
    const std::string name = read_sim_file(character_file, session)
                                 ? std::string()
                                 : decode_windows1252(session.names.item(1).value);
    const std::string file = file_and_neighbourhood(listed, character_file);
    return {"There are no backups of " + (name.empty() ? file : name + " (" + file + ")") + "." + kCrLf +
                kCrLf +
                "A backup is kept each time a save replaces a sim's file while Options > Create Backup File "
                "is checked.",
            kBoxInformation, kRestoreMenuTitle};
}

RestoreOpening open_restore(const std::string& characters_folder, const std::string& file_name) {
    RestoreOpening opening;
    if (file_name.empty()) {
        opening.box = BoxMessage{"Select a sim first.", kBoxInformation, kRestoreMenuTitle};
        return opening;
    }
    opening.character_file = characters_folder + file_name;
    opening.backups = list_backups_of(opening.character_file);
    if (opening.backups.empty()) opening.box = no_backups_box(opening.character_file);
    return opening;
}

}  // namespace fw
