#pragma once
#include <string>

namespace fw {

// The program's own writable folder (error log, dumped bitmaps, head previews, backups,
// usertemp.iff, exports): $FACEWRIGHT_HOME when set, else the per-user data folder
// (~/.local/share/Facewright). Created on first use. Returned without a trailing separator.
std::string program_folder();

}  // namespace fw
