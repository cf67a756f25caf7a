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

#include "core/sims/backup_name_parts.hpp"
#include "core/sims/backup_record.hpp"
#include "core/sims/bitmap_dump.hpp"
#include "core/sims/sim_session.hpp"
#include "core/formats/character_file.hpp"
#include "core/game/game.hpp"

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
    std::optional<uint32_t> sim;  // the object definition's identifier, where the file has one
};

// Reads a backup, its image and lists into `session` (for its portraits). Never reaches the trap.
BackupContent read_backup(const std::string& path, EditorSession& session);
// The same on bytes already read.
BackupContent read_backup_bytes(std::string_view bytes, EditorSession& session);

struct BackupEntry {
    std::string path;                      // backup folder + "\" + name
    std::string name;                      // as the folder lists it
    std::optional<BackupNameParts> parts;  // nothing for a file whose name the save never makes
    // The names before and after the save that made it, for display (UTF-8): the name the backup
    // holds, and the one its record keeps (else the one its name keeps).
    BackupNames names;
    BackupContent holds;
    // What it was made of; nothing for a backup made before records were kept or copied in by
    // hand, whose origin is unknown.
    std::optional<BackupRecord> record;
    std::string time_shown() const { return parts ? backup_time_shown(*parts) : std::string(); }
};

// Whether a backup may be offered for (and restored over) a character file: its record names
// that very file (its real path, letter case and every byte), or it has no record and holds the
// same sim (the object definitions' identifiers agree). Another sim's backup never is.
bool backup_made_of(const std::optional<BackupRecord>& record, const std::optional<uint32_t>& backup_sim,
                    const std::string& character_file);

// The backups of a character file (named by its full path, as the editor holds it), newest first:
// those whose name carries its file name and neighbourhood whole and that were made of it (see
// backup_made_of). Guarded (frmRestore / msGetBackups, 0) for a Backup folder that cannot be read.
std::vector<BackupEntry> list_backups_of(const std::string& character_file);

// Every file in the Backup folder but the records: those the save named, newest first, with the
// character file each belongs to (from its record where it has one), then any other file by name.
// A file whose name holds "\" (no game path can name it) is left out, and counted.
struct KeptBackup {
    BackupEntry backup;
    std::string file_name;       // the character file's name, "User00001.iff"; "" when not known
    std::string character_file;  // its path in the game's saves folder when it is there now, else ""
    bool in_another_game = false;  // its recorded file is there, but in another game's saves
};
struct AllBackups {
    std::vector<KeptBackup> kept;
    int left_out = 0;
};
AllBackups list_all_backups(const Game& game);

// The portraits a backup holds in its own bitmap chunks (the bytes of a BMP file each; empty
// where it has none): the file as the save found it may still carry them.
using BackupPortraits = Portraits;
inline BackupPortraits backup_portraits(const IFFFile& image) { return sim_portraits(image); }

}  // namespace fw
