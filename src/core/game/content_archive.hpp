#pragma once
// One archive of the game as the content index holds it: its directory, and its entries by name.
// An archive's directory is read once and kept while the archive keeps its size and time.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "core/formats/far.hpp"

namespace fw {

class ArchiveContents {
public:
    explicit ArchiveContents(FARdir dir);

    const FARdir& dir() const { return dir_; }
    // The number (from 1) of the first entry whose file-name part (after its last "\" or "/")
    // equals `name` without regard to case; 0 when none does. An entry whose name could reach
    // outside its folder is never found.
    int32_t find(const std::string& name) const;

private:
    FARdir dir_;
    std::unordered_map<std::string, int32_t> first_by_name_;  // upper-cased file-name part -> entry
};

// The contents of the archive at the game path `archive`, from the kept reading while the file is
// unchanged. Fails as read_far_directory does when the archive cannot be read.
std::shared_ptr<const ArchiveContents> archive_contents(const std::string& archive);

}  // namespace fw
