#pragma once
// The entries of a folder, looked up without regard to case. Listing a folder is the expensive
// part of matching a name (a folder of skins holds thousands of files), so a listing is kept while
// the folder stays unchanged: its modification time is recorded to the nanosecond on the file
// systems where this is used, and any change by another program moves it. Files this program
// creates are added to the listing as they are made, and files it deletes taken out, so a loop
// deleting and creating files in one folder lists it once.
#include <filesystem>
#include <optional>
#include <string>

struct stat;

namespace fw {

// The name of the entry of `folder` that equals `name` without regard to case, if any.
// `folder_info` is the folder's stat when the caller already has it.
std::optional<std::string> find_entry_ignoring_case(const std::filesystem::path& folder,
                                                    const std::string& name,
                                                    const struct stat* folder_info = nullptr);
// The same for a folder in the state `folder_info`, except that a name spelled exactly as asked
// wins over another spelling of it.
std::optional<std::string> find_entry(const std::filesystem::path& folder, const std::string& name,
                                      const struct stat& folder_info);
// When the folder's new state is recorded after a change: at once (the folder is looked at again),
// or only when note_settled ends a run of changes, which until then keeps the state the folder had
// before them (and is looked up with that state).
enum class Settle { Now, AtEndOfRun };

// Record that this program just created `name` in `folder`, or deleted the entry `name` (its real
// name) from it, so that deleting a file and then writing one does not list the folder again.
void note_created(const std::filesystem::path& folder, const std::string& name, Settle settle = Settle::Now);
void note_deleted(const std::filesystem::path& folder, const std::string& name, Settle settle = Settle::Now);
void note_settled(const std::filesystem::path& folder);

}  // namespace fw
