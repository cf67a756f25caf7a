#pragma once
// Names taken from files (archive entries, chunk labels, skin names in a sim) must never build a
// path that reaches outside its folder.
#include <string>

namespace fw {

// The part of an archive entry name after its last "\" or "/".
std::string entry_base_name(const std::string& name);
// False for an empty name, "." or "..", or one holding a separator, a drive colon or a control
// character: such a name is never used to build a path.
bool is_safe_file_name(const std::string& name);

}  // namespace fw
