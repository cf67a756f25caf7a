#pragma once
// The file operations the program needs, each on a game path string (resolved by game_paths.hpp).
// Failures raise the error kinds of the failure table ("File not found", "Path not found", ...).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fw {

// True for an ordinary file (not a folder); a failed look-up counts as not found.
bool file_exists(const std::string& path);
bool folder_exists(const std::string& path);
// Size in bytes, or -1 when there is no such file.
int64_t file_length(const std::string& path);

// Which entries of a folder a listing takes.
enum class Listing { FilesAndFolders, FilesOnly };

// Names (no folder) of the entries matching the pattern's last component, "?" one character and
// "*" any run, without regard to case; "." and ".." never match. Sorted by name without regard to
// case, as the game's platform lists them. A folder that does not exist lists nothing; one that
// exists but cannot be read fails.
std::vector<std::string> list_matching(const std::string& pattern,
                                       Listing listing = Listing::FilesAndFolders);

// The whole file as bytes. Fails with "File not found" and the like.
std::string read_file(const std::string& path);
// The same for a file that must not be larger than `limit` bytes: nothing, without reading it,
// when it is (a file that grows past the limit while it is read is refused too).
std::optional<std::string> read_file_up_to(const std::string& path, int64_t limit);

// What tells one version of a file from another without reading it: its size and the time it was
// last written. A missing file has size -1.
struct FileStamp {
    int64_t size = -1;
    int64_t written = 0;  // nanoseconds since the file system's epoch
    bool operator==(const FileStamp&) const = default;
};
FileStamp file_stamp(const std::string& path);
// Replaces the file's contents with the bytes (creating it).
void write_file(const std::string& path, const std::string& bytes);
// Copies a file over another (created or replaced). Fails when the source is missing.
void copy_file(const std::string& from, const std::string& to);
// Deletes a file; false when there was nothing to delete or it could not be deleted.
bool delete_file(const std::string& path);
// Creates a folder (and its parents); false when it could not be made. An existing folder is fine.
bool create_folder(const std::string& path);

// A run of deletes and writes in one real folder (the program folder), each file named by one
// component matched without regard to case as the path layer matches it, and each name matched
// once: the folder is looked at once before the run and once after it (when the object goes),
// not at every file. A folder that cannot be looked at goes the path layer's long way.
class FolderChanges {
public:
    explicit FolderChanges(std::filesystem::path folder);
    FolderChanges(const FolderChanges&) = delete;
    FolderChanges& operator=(const FolderChanges&) = delete;
    ~FolderChanges();

    // The real path of the entry `name`: its existing spelling, else `name` as written.
    std::filesystem::path entry(const std::string& name);
    // As delete_file and write_file of the folder + "\" + name.
    bool delete_file(const std::string& name);
    void write_file(const std::string& name, const std::string& bytes);

private:
    std::filesystem::path folder_;
    bool listed_ = false;  // the folder was looked at; names are matched against its listing
    bool changed_ = false;
#ifndef _WIN32
    struct stat info_ {};
#endif
};

// Writes the bytes to a new file beside the target (its name + "." + the process id +
// kReplacementSuffix), flushes them to disk and renames the new file over the target, so that at
// every moment the target is either the old file whole or the new one whole. The process id keeps
// two processes writing the same file apart; the new file is locked while it is written, so that
// remove_stale_replacements can tell it from one a killed replace left behind.
void replace_file_atomically(const std::string& target, const std::string& bytes);
inline constexpr const char* kReplacementSuffix = ".facewright-new";
// What the process id adds to the new file's name: "." and up to 7 digits.
inline constexpr size_t kReplacementProcessRoom = 8;
// The new file's name beside `name` for this process.
std::string replacement_name(const std::string& name);
// The same for a file that must not exist yet (a backup): the whole file appears under its name or
// nothing does; an existing file of that name is never replaced ("File already exists").
void create_file_atomically(const std::string& path, const std::string& bytes);

// Removes the new files that writes killed in the middle left in a folder: regular files (not
// links) of this user named "*" + kReplacementSuffix that no running replace holds and whose
// process (the id in the name) is gone. Anything it cannot remove stays. Returns how many it
// removed.
int remove_stale_replacements(const std::string& folder);

}  // namespace fw
