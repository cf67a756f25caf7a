#pragma once
// A backup's name read back into its parts: file name, sim part, neighbourhood, time and the
// number of a later save in the same minute ("User00001iff_Bob-Robert_UserData2_20261206_141515_2").
// The name is read from its end, where its form is fixed; the sim part in the middle may hold
// "_" and "-" and may have been shortened, and a neighbourhood folder may hold "_" too
// (UserData_old).
#include <optional>
#include <string>

#include "core/sims/backup_name.hpp"

namespace fw {

struct BackupNameParts {
    std::string file_part;      // the character file's name as the name holds it ("User00001iff")
    std::string sim_part;       // "Bob", "Bob-Robert"
    std::string neighbourhood;  // "UserData2"; "" for a file that lay in no neighbourhood
    LocalTime time;
    int sequence = 1;  // 2, 3, ... for the second, third save of the same minute
};

// The parts of a backup of the character file whose file part and neighbourhood (as the
// backup's name holds them: see backup_file_part) are given. Both must match whole, without
// regard to case: a backup of User00010.iff is never one of User0001.iff. Nothing when the name
// is not such a backup.
std::optional<BackupNameParts> parse_backup_name_of(const std::string& name, const std::string& file_part,
                                                    const std::string& neighbourhood);

// The parts of any backup's name, for a backup whose file is not known: the neighbourhood is
// taken from the last "_Userdata" (any case), the file part up to the first "iff_" (else the
// first "_"). Nothing for a name the save never makes.
std::optional<BackupNameParts> parse_backup_name(const std::string& name);

// The file part and neighbourhood a backup of this character file carries in its name.
std::string backup_file_part(const std::string& listed_file_name);
std::string backup_neighbourhood_part(const std::string& character_file);

// The character file a file part stands for: "User00001iff" gives "User00001.iff" (the save's
// name filter dropped the dot); a part not ending in "iff" is returned as it is.
std::string character_file_name(const std::string& file_part);

// The names before and after the save that made the backup, from its sim part. `held_name` is
// the name the backup file itself holds (the name before that save), or "" when it cannot be
// read: it tells where the old name ends when a name holds "-". A renamed sim gives both names,
// any other the same name twice.
struct BackupNames {
    std::string before;
    std::string after;
};
BackupNames backup_names(const std::string& sim_part, const std::string& held_name);

// "2026-12-06 14:15", with " (2)" for the second save of that minute.
std::string backup_time_shown(const BackupNameParts& parts);

}  // namespace fw
