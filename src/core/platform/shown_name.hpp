#pragma once
// Names from the file system as text to show.
#include <string>

namespace fw {

// A name from the file system (a folder or file name, a path) as UTF-8 text to show. Names made
// on this system are UTF-8 and are shown as they are; any other bytes are taken as the game's
// Windows-1252 (folders copied from an old Windows install). Never fails, so a name always shows.
std::string shown_name(const std::string& name);

}  // namespace fw
