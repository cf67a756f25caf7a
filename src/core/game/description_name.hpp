#pragma once
// A description file's own name: the name of its first suit, on the fourth value line of a ".cmx"
// text (after the "version" line, the skeleton count 0 and the suit count). The game knows a
// head or body by its file's name; players who rename a downloaded ".cmx" leave the old name
// inside, and the game may then not find or may mix up the model. The fix writes the file's name
// over the own name and keeps every other byte.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class FixJournal;

// Where the own name lies in a ".cmx" text: its bytes without the blanks around them.
struct OwnName {
    size_t offset = 0;
    size_t length = 0;
    std::string name;
};

// The own name of a description's text; nothing when the text is not shaped as a model's
// description (no "version" line, a skeleton, no suit, a count that is no number).
std::optional<OwnName> find_own_name(std::string_view text);

// The text with its own name replaced by `name`, every other byte as it was. Fails
// ("Invalid argument") on a text without an own name or a name that is no plain file name.
std::string with_own_name(std::string_view text, const std::string& name);

struct NameMismatch {
    std::string path;       // the ".cmx" file
    std::string own_name;   // the name inside
    std::string file_name;  // the name the game knows it by: the file's, without ".cmx"
};

// The ".cmx" files of a folder whose own name differs from their file's name by more than
// letter case (the game's names are matched without regard to case). Files that are too large
// to be a description, or not shaped as one, are passed over: reading them is another test's.
std::vector<NameMismatch> find_name_mismatches(const std::string& folder);

// Writes the file's name over the own name through the journal (which keeps the file first).
// Fails, changing nothing, when the file's own name is no longer the one found.
void fix_own_name(FixJournal& journal, const NameMismatch& mismatch);

}  // namespace fw
