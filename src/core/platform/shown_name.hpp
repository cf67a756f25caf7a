#pragma once
#include <cstddef>
#include <string>

namespace fw {

// A name from the file system (a folder or file name, a path) as UTF-8 text to show. Names made
// on this system are UTF-8 and are shown as they are; any other bytes are taken as the game's
// Windows-1252 (folders copied from an old Windows install). Never fails, so a name always shows.
std::string shown_name(const std::string& name);

// The length of the well-formed UTF-8 sequence at `at` (1 for ASCII), or 0 where there is none:
// overlong forms, surrogates and what lies past U+10FFFF are not well-formed.
size_t utf8_sequence_length(const std::string& bytes, size_t at);

}  // namespace fw
