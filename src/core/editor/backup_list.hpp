#pragma once
// The backups kept in the program folder's "Backup" folder: those of one character file, newest
// first, or every file the folder holds; each with its time, the names before and after the save
// that made it, and what the file itself holds. A damaged or foreign file is listed as such and
// never ends the listing.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor/backup_name_parts.hpp"
#include "core/editor/sim_session.hpp"
#include "core/formats/character_file.hpp"

namespace fw {

enum class BackupKind {
    Person,   // a sim the editor could open: the only kind a restore takes
    Pet,      // a cat or dog of the pets expansion
    NotASim,  // read whole, but no character file the editor could open
    Damaged,  // the reader stopped on it (see BackupContent::error)
};

// What a backup file holds, read with the checked reader.
struct BackupContent {
    BackupKind kind = BackupKind::Damaged;
    std::string error;  // why a damaged file could not be read
    // As the file stores them (Windows-1252); empty where the file was not read whole.
    std::string name;
    std::string age;     // entry 1: "adult", "child", "kat", ...
    std::string gender;  // entry 13
    std::string tone;    // entry 15
    std::string model;   // the head entry before its first "," (all of it without one)
    std::string skin;
};

// Reads a backup, its image and lists into `session` (for its portraits). Never reaches the trap.
BackupContent read_backup(const std::string& path, EditorSession& session);
// The same on bytes already read.
BackupContent read_backup_bytes(std::string_view bytes, EditorSession& session);

struct BackupEntry {
    std::string path;                      // backup folder + "\" + name
    std::string name;                      // as the folder lists it
    std::optional<BackupNameParts> parts;  // nothing for a file whose name the save never makes
    BackupNames names;
    BackupContent holds;
    std::string time_shown() const { return parts ? backup_time_shown(*parts) : std::string(); }
};

// The backups of a character file (named by its full path, as the editor holds it), newest first:
// those whose name carries its file name and neighbourhood whole. Guarded (frmRestore /
// msGetBackups, 0) for a Backup folder that cannot be read.
std::vector<BackupEntry> list_backups_of(const std::string& character_file);

// Every file in the Backup folder: those the save named, newest first, with the character file
// each belongs to, then any other file by name.
struct KeptBackup {
    BackupEntry backup;
    std::string file_name;       // the character file's name, "User00001.iff"; "" when not known
    std::string character_file;  // its path in the game's saves folder when it is there now, else ""
};
std::vector<KeptBackup> list_all_backups(const std::string& game_path);

// The portraits a backup holds in its own bitmap chunks (the bytes of a BMP file each; empty
// where it has none): the file as the save found it may still carry them.
struct BackupPortraits {
    std::string web_image;
    std::string faces;
    std::string relimages;
};
BackupPortraits backup_portraits(const IFFFile& image);

}  // namespace fw
