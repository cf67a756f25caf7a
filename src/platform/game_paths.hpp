#pragma once
// Game paths stay strings in the form the game's rules write them ("C:\Games\The Sims" +
// "\GameData\Skins\"). This layer turns such a string into a real path, matching each component
// without regard to case, and offers the few file operations the program needs. Every file
// access of the core goes through it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fw {

// The real path for a game path string: "\" and "/" both separate; each component is matched
// without regard to case (exact match first, then a scan of the folder); a drive letter "C:"
// maps through the Wine prefix's dosdevices folder. Components that do not exist yet (a file
// about to be written) are kept as written.
std::filesystem::path resolve_path(const std::string& game_path);

// True for a path that begins with a drive letter ("C:"), which resolves through the Wine prefix.
bool has_drive_letter(const std::string& path);

// The Wine prefix: $WINEPREFIX, else ~/.wine.
std::filesystem::path wine_prefix();

// True for an ordinary file (not a folder); a failed look-up counts as not found.
bool file_exists(const std::string& path);
bool folder_exists(const std::string& path);
// Size in bytes, or -1 when there is no such file.
int64_t file_length(const std::string& path);

// Names (no folder) of the entries matching the pattern's last component, "?" one character and
// "*" any run, without regard to case; "." and ".." never match. Folders and files alike unless
// files_only. Sorted by name without regard to case, as the game's platform lists them. A folder
// that does not exist lists nothing.
std::vector<std::string> list_matching(const std::string& pattern, bool files_only = false);

// Case-insensitive wildcard match of one name ("?" one character, "*" any run).
bool wildcard_match(const std::string& pattern, const std::string& name);
// ASCII case-insensitive equality and ordering, as the game's file system compares names.
bool iequals(const std::string& a, const std::string& b);
bool iless(const std::string& a, const std::string& b);
std::string to_upper(std::string text);
std::string to_lower(std::string text);

// The whole file as bytes. Fails with "File not found" and the like.
std::string read_file(const std::string& path);
// Replaces the file's contents with the bytes (creating it).
void write_file(const std::string& path, const std::string& bytes);
// Copies a file over another (created or replaced). Fails when the source is missing.
void copy_file(const std::string& from, const std::string& to);
// Deletes a file; false when there was nothing to delete or it could not be deleted.
bool delete_file(const std::string& path);
// Creates a folder (and its parents); false when it could not be made. An existing folder is fine.
bool create_folder(const std::string& path);

// Writes the bytes to a new file beside the target, flushes them to disk and renames the new file
// over the target, so that at every moment the target is either the old file whole or the new
// one whole.
void replace_file_atomically(const std::string& target, const std::string& bytes);

// A file open for binary reading or writing, closed when the object goes. Failures raise the
// error kinds of the failure table ("File not found", "Path not found", "Disk full", ...).
class BinaryFile {
public:
    static BinaryFile open_for_reading(const std::string& path);
    // Creates the file, or empties an existing one.
    static BinaryFile create(const std::string& path);
    BinaryFile(BinaryFile&& other) noexcept;
    BinaryFile& operator=(BinaryFile&& other) noexcept;
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    ~BinaryFile();

    int64_t length();
    void seek(int64_t offset);
    // Reads exactly `count` bytes; fails with "Input past end of file" when fewer are there.
    void read_exact(char* buffer, size_t count);
    std::string read_exact(size_t count);
    void write(const char* buffer, size_t count);
    void write(const std::string& bytes) { write(bytes.data(), bytes.size()); }
    // Flushes and closes, reporting a failed flush.
    void close();

private:
    explicit BinaryFile(void* handle) : handle_(handle) {}
    void* handle_ = nullptr;
};

// The path of an existing file or folder as the file system spells it (used for display).
std::string display_path(const std::string& path);

}  // namespace fw
