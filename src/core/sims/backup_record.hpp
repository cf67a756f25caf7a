#pragma once
// What a backup was made of, kept beside the backups as "Sources\<backup name>.source" in the
// Backup folder (where no listing of the backups' files sees it): the character file's
// full path as the file system resolved it, the saves folder and game it lies in, the sim's object
// identifier and the name the save gave it. The backup's own name stays as players and other
// tools know it; the record is what ties it to one file of one game, since the names of
// different games' (and different letter cases') files give the same backup names.
#include <cstdint>
#include <optional>
#include <string>

namespace fw {

inline constexpr const char* kBackupRecordSuffix = ".source";

struct BackupRecord {
    std::string file;             // the character file's real path
    std::string saves;            // the folder holding its neighbourhood folder; "" outside one
    std::string game;             // the game's folder when the program knew it, else ""
    std::optional<uint32_t> sim;  // the object definition's identifier
    std::string saved_as;         // the name the save gave the sim (UTF-8)
};

// The folder of the records: the backup's folder + "\Sources".
std::string backup_records_folder(const std::string& backup_path);
std::string backup_record_path(const std::string& backup_path);

// The real path a record holds for a character file (its game path resolved, made absolute, its
// links followed).
std::string recorded_file_path(const std::string& character_file);
// The record as JSON text; every path kept byte for byte (a name that is no UTF-8 in hex).
std::string backup_record_text(const BackupRecord& record);
// The record beside the backup; nothing when there is none or it cannot be read as one.
std::optional<BackupRecord> read_backup_record(const std::string& backup_path);

}  // namespace fw
