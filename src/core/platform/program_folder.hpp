#pragma once
#include <string>

namespace fw {

// The program's own writable folder (error log, dumped bitmaps, head previews, backups,
// usertemp.iff, exports): $FACEWRIGHT_HOME when set, else the per-user data folder
// ($XDG_DATA_HOME, else ~/.local/share) + "/Facewright". It does not follow the Qt application or
// organisation names, so the windows and the command-line tool share one folder. Created on first
// use. Returned without a trailing separator.
std::string program_folder();

}  // namespace fw
