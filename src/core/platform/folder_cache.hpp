#pragma once
// Folders the path layer found without regard to case, kept by the string they were written as.
// Matching a folder that is not written in its real case takes a look at every component of its
// path; a page of skins reads a hundred files from one such folder ("\gamedata\skins\" names the
// game's GameData\Skins), so the match is kept and checked with one look at the folder itself.
#include <filesystem>
#include <optional>
#include <string>

struct stat;

namespace fw {

// The real folder last found for the written folder path, when it is still a folder (`info`
// receives its stat). A folder that went away is forgotten.
std::optional<std::filesystem::path> matched_folder(const std::string& written, struct stat& info);
// Records the real folder a written folder path was found as.
void remember_matched_folder(const std::string& written, const std::filesystem::path& real);

}  // namespace fw
