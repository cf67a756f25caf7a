#pragma once
// The name of a backup copy of a character file: file name, sim, neighbourhood and the local
// date and time, reduced to the characters every file system accepts.
#include <cstddef>
#include <functional>
#include <string>

#include "core/platform/local_time.hpp"

namespace fw {

// The clock the save reads; tests pass a fixed one.
using Clock = std::function<LocalTime()>;

// "yyyymmdd_hhnnnn": date, "_", hour, then the minute written twice (the name's established form).
std::string backup_time_text(const LocalTime& time);

// The neighbourhood folder in a character file's path: the last folder whose name begins with
// "Userdata" (any case), e.g. UserData2 in ...\UserData2\Characters\User00012.iff; "" when the
// path holds none. "\" and "/" both separate.
std::string neighbourhood_of(const std::string& path);

// Who the backup belongs to: the name the backed-up file holds, followed by "-" and the new
// name when the save renames the sim ("Bob", "Bob-Robert"); accented letters lose their accents
// ("Renée" gives "Renee") so that the file-name filter keeps them.
std::string backup_sim_part(const std::string& previous_name, const std::string& new_name);

// The longest file name the file systems the game's folders lie on take, in bytes.
inline constexpr size_t kMaxFileNameBytes = 255;
// Room kept at the end of a backup's name for the "_2", "_3", ... that tells apart backups made in
// one minute: "_" and up to five digits.
inline constexpr size_t kBackupSuffixRoom = 6;

// file name + "_" + sim part + "_" + neighbourhood + "_" + time text, keeping only a-z, A-Z,
// 0-9, "-" and "_" (so User00005.iff becomes User00005iff). The sim part is cut short where the
// whole name, with kBackupSuffixRoom to spare and the temporary suffix it is written under, would
// not fit in kMaxFileNameBytes; the other parts are always whole.
std::string backup_name(const std::string& file_name, const std::string& sim_part,
                        const std::string& neighbourhood, const LocalTime& time);

}  // namespace fw
