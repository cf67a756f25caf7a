#include "core/game/fix_journal.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "core/base/charset.hpp"
#include "core/base/failure.hpp"
#include "core/formats/safe_names.hpp"
#include "core/game/fix_paths.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/json_bytes.hpp"
#include "core/platform/local_time.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"

namespace fw {

namespace {

using nlohmann::json;

constexpr const char* kRecordName = "fixes.json";
// A record holds a few hundred bytes a fix; anything far larger is no record of ours.
constexpr int64_t kRecordLimit = 16 * 1024 * 1024;

// What tells the bytes a fix left from any others: their size and an FNV-1a hash.
struct Digest {
    int64_t size = -1;
    uint64_t hash = 0;
    bool operator==(const Digest&) const = default;
};

Digest digest_of(const std::string& bytes) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    return {static_cast<int64_t>(bytes.size()), hash};
}

// The digest of a file now; a missing file has size -1.
Digest digest_of_file(const std::string& path) {
    if (!file_exists(path)) return {};
    return digest_of(read_file(path));
}

const char* action_name(FixAction action) {
    switch (action) {
    case FixAction::Changed: return "changed";
    case FixAction::Moved: return "moved";
    case FixAction::Created: return "created";
    }
    return "";
}


json digest_json(const Digest& d) { return {{"size", d.size}, {"fnv1a", d.hash}}; }
Digest digest_from(const json& in) { return {in.at("size").get<int64_t>(), in.at("fnv1a").get<uint64_t>()}; }

std::string base_name(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The run's name: the local time, then "_2", "_3", ... when a run of that second exists.
std::string new_run_folder(const std::string& runs_folder, std::string& name) {
    const LocalTime t = local_now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    if (!create_folder(runs_folder)) fail(ErrorKind::PathNotFound);
    for (int n = 1;; ++n) {
        name = n == 1 ? std::string(stamp) : std::string(stamp) + "_" + std::to_string(n);
        std::error_code error;
        if (std::filesystem::create_directory(resolve_path(runs_folder + "\\" + name), error)) break;
        if (error) fail(ErrorKind::PathFileAccessError);
    }
    return runs_folder + "\\" + name;
}

// Runs sort by time, then by their number within one second.
bool run_before(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& name) {
        const size_t cut = name.find('_');
        const std::string number = cut == std::string::npos ? "1" : name.substr(cut + 1);
        const bool digits = !number.empty() && number.size() < 9 &&
                            std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
        return std::pair(name.substr(0, cut), digits ? std::stoi(number) : 0);
    };
    return split(a) < split(b);
}

}  // namespace

struct FixJournal::Entry {
    FixRecord record;
    PlacedPath from;
    PlacedPath to;
    std::string kept;  // the kept copy's name in the run's folder; "" for a created file
    Digest before;     // the file's bytes before the fix (a moved file's, throughout)
    Digest after;      // what the fix left at the path (at `to` for a move)
};

namespace {

PlacedPath placed_or_fail(const std::vector<std::string>& folders, const std::string& path) {
    const std::optional<PlacedPath> place = place_in_game(folders, path);
    if (!place) fail(ErrorKind::InvalidArgument, "Invalid argument (a path outside the game: " + path + ")");
    return *place;
}

// Puts one entry back; returns why it was left when it could not be.
std::optional<std::string> undo_entry(const FixJournal::Entry& entry, const std::vector<std::string>& folders,
                                      const std::string& run_folder) {
    const std::optional<std::string> path = game_path_of(folders, entry.from);
    if (!path) return "a path outside the game: " + entry.from.below;
    const auto kept = [&] { return read_file(run_folder + "\\" + entry.kept); };
    switch (entry.record.action) {
    case FixAction::Changed: {
        const Digest now = digest_of_file(*path);
        if (now == entry.before) return std::nullopt;
        if (now != entry.after && now.size >= 0) return *path + ": changed since the fix";
        replace_file_atomically(*path, kept());
        return std::nullopt;
    }
    case FixAction::Created: {
        const Digest now = digest_of_file(*path);
        if (now.size < 0) return std::nullopt;
        if (now != entry.after) return *path + ": changed since the fix";
        if (!delete_file(*path)) fail(ErrorKind::PermissionDenied);
        return std::nullopt;
    }
    case FixAction::Moved: {
        const std::optional<std::string> to = game_path_of(folders, entry.to);
        if (!to) return "a path outside the game: " + entry.to.below;
        const bool at_from = file_exists(*path), at_to = file_exists(*to);
        if (at_from && !at_to) return std::nullopt;  // it never moved
        if (at_from) return *path + ": a file lies there again";
        if (!at_to) {
            create_file_atomically(*path, kept());
            return std::nullopt;
        }
        std::error_code error;
        std::filesystem::rename(resolve_path(*to), resolve_path(*path), error);
        if (error) fail(ErrorKind::PermissionDenied);
        return std::nullopt;
    }
    }
    return std::nullopt;
}

// Undoes entries, last first; each that fails or is left is named.
std::vector<std::string> undo_entries(const std::vector<FixJournal::Entry>& entries,
                                      const std::vector<std::string>& folders, const std::string& run_folder,
                                      int& undone) {
    std::vector<std::string> left;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        try {
            if (std::optional<std::string> why = undo_entry(*it, folders, run_folder)) {
                left.push_back(*why);
                continue;
            }
            ++undone;
        } catch (...) {
            left.push_back(it->record.path + ": " + error_text(failure_from_current_exception()));
        }
    }
    return left;
}

json record_json(const std::vector<FixJournal::Entry>& entries, bool finished, bool undone);

void save_record(const std::string& run_folder, const std::vector<FixJournal::Entry>& entries, bool finished,
                 bool undone) {
    replace_file_atomically(run_folder + "\\" + kRecordName, record_json(entries, finished, undone).dump(1));
}

json record_json(const std::vector<FixJournal::Entry>& entries, bool finished, bool undone) {
    json out = {{"finished", finished}, {"undone", undone}, {"fixes", json::array()}};
    for (const FixJournal::Entry& e : entries) {
        json item = {{"action", action_name(e.record.action)}, {"folder", e.from.folder}, {"kept", e.kept},
                     {"before", digest_json(e.before)}, {"after", digest_json(e.after)}};
        put_bytes(item, "path", e.from.below);
        put_bytes(item, "what", e.record.what);
        if (e.record.action == FixAction::Moved) {
            item["to_folder"] = e.to.folder;
            put_bytes(item, "to", e.to.below);
        }
        out["fixes"].push_back(item);
    }
    return out;
}

struct ReadRun {
    std::vector<FixJournal::Entry> entries;
    bool finished = false;
    bool undone = false;
};

ReadRun read_run(const std::string& run_folder) {
    const std::optional<std::string> text = read_file_up_to(run_folder + "\\" + kRecordName, kRecordLimit);
    if (!text) fail(ErrorKind::FileNotFound);
    try {
        const json in = json::parse(*text);
        ReadRun run{{}, in.at("finished").get<bool>(), in.at("undone").get<bool>()};
        for (const json& item : in.at("fixes")) {
            FixJournal::Entry e;
            const std::string action = item.at("action").get<std::string>();
            e.record.action = action == "moved"     ? FixAction::Moved
                              : action == "created" ? FixAction::Created
                                                    : FixAction::Changed;
            e.from = {item.at("folder").get<size_t>(), get_bytes(item, "path")};
            e.kept = item.at("kept").get<std::string>();
            // A kept copy lies in the run's own folder, named by one plain name.
            if (e.record.action != FixAction::Created && !is_safe_file_name(e.kept)) fail(ErrorKind::InvalidArgument);
            e.before = digest_from(item.at("before"));
            e.after = digest_from(item.at("after"));
            e.record.what = get_bytes(item, "what");
            e.record.path = e.from.below;
            if (e.record.action == FixAction::Moved) {
                e.to = {item.at("to_folder").get<size_t>(), get_bytes(item, "to")};
                e.record.to = e.to.below;
            }
            run.entries.push_back(std::move(e));
        }
        return run;
    } catch (const Failure&) {
        throw;
    } catch (...) {
        fail(ErrorKind::TypeMismatch, "Type mismatch (a damaged record of fixes)");
    }
}

}  // namespace

std::string fix_runs_folder() { return program_folder() + "\\Backup\\Fixes"; }

FixJournal::FixJournal(FixPlaces places, std::string run_folder)
    : places_(std::move(places)), run_folder_(std::move(run_folder)) {}

FixJournal::~FixJournal() = default;

void FixJournal::add(Entry entry) {
    entries_.push_back(std::move(entry));
    try {
        save_record(run_folder_, entries_, false, false);
    } catch (...) {
        entries_.pop_back();
        throw;
    }
    records_.push_back(entries_.back().record);
}

void FixJournal::change(const std::string& path, const std::string& bytes, const std::string& what) {
    const PlacedPath place = placed_or_fail(places_.game_folders, path);
    const std::string old = read_file(path);
    Entry entry;  // filled member by member: GCC's -O3 takes an empty `to` in a braced list for unset
    entry.record = {FixAction::Changed, path, "", what};
    entry.from = place;
    entry.before = digest_of(old);
    entry.after = digest_of(bytes);
    entry.kept = std::to_string(entries_.size() + 1) + " " + base_name(path);
    create_file_atomically(run_folder_ + "\\" + entry.kept, old);
    add(std::move(entry));
    replace_file_atomically(path, bytes);
}

void FixJournal::move(const std::string& from, const std::string& to, const std::string& what) {
    const PlacedPath place = placed_or_fail(places_.game_folders, from);
    const PlacedPath target = placed_or_fail(places_.game_folders, to);
    if (file_exists(to) || folder_exists(to)) fail(ErrorKind::FileAlreadyExists);
    const std::string old = read_file(from);
    Entry entry;
    entry.record = {FixAction::Moved, from, to, what};
    entry.from = place;
    entry.to = target;
    entry.before = digest_of(old);
    entry.after = entry.before;
    entry.kept = std::to_string(entries_.size() + 1) + " " + base_name(from);
    create_file_atomically(run_folder_ + "\\" + entry.kept, old);
    add(std::move(entry));
    // Into the folder as the player's file system spells it; the name as the fix gives it.
    const std::filesystem::path real_to = resolve_path(to);
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(real_to, error)))
        fail(ErrorKind::FileAlreadyExists);
    std::filesystem::rename(resolve_path(from), real_to, error);
    if (error) fail(ErrorKind::PermissionDenied);
}

void FixJournal::create(const std::string& path, const std::string& bytes, const std::string& what) {
    const PlacedPath place = placed_or_fail(places_.game_folders, path);
    if (file_exists(path) || folder_exists(path)) fail(ErrorKind::FileAlreadyExists);
    Entry entry;
    entry.record = {FixAction::Created, path, "", what};
    entry.from = place;
    entry.after = digest_of(bytes);
    add(std::move(entry));
    create_file_atomically(path, bytes);
}

FixRunOutcome run_fixes(const FixPlaces& places, const std::function<void(FixJournal&)>& fixes) {
    FixRunOutcome outcome;
    std::string folder;
    try {
        folder = new_run_folder(places.runs_folder, outcome.run);
    } catch (...) {
        outcome.run.clear();
        outcome.error = error_text(failure_from_current_exception());
        return outcome;
    }
    FixJournal journal(places, folder);
    try {
        fixes(journal);
        if (!journal.entries_.empty()) save_record(folder, journal.entries_, true, false);
        outcome.applied = true;
    } catch (...) {
        outcome.error = error_text(failure_from_current_exception());
        int undone = 0;
        outcome.not_undone = undo_entries(journal.entries_, places.game_folders, folder, undone);
        // A rolled-back run is done with: it is no last run to undo.
        try {
            if (!journal.entries_.empty()) save_record(folder, journal.entries_, false, true);
        } catch (...) {
        }
    }
    // A run that changed nothing leaves no folder (what it holds is copies of its own making).
    if (journal.entries_.empty()) {
        std::error_code error;
        std::filesystem::remove_all(resolve_path(folder), error);
        outcome.run.clear();
    }
    return outcome;
}

std::optional<std::string> last_fix_run(const FixPlaces& places) {
    std::vector<std::string> runs = list_matching(places.runs_folder + "\\*", Listing::FilesAndFolders);
    std::sort(runs.begin(), runs.end(), run_before);
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        try {
            const ReadRun run = read_run(places.runs_folder + "\\" + *it);
            if (run.finished && !run.undone) return *it;
        } catch (const Failure&) {
        }
    }
    return std::nullopt;
}

UndoOutcome undo_fix_run(const FixPlaces& places, const std::string& run) {
    if (!is_safe_file_name(run)) fail(ErrorKind::InvalidArgument);
    const std::string folder = places.runs_folder + "\\" + run;
    ReadRun read = read_run(folder);
    UndoOutcome outcome;
    outcome.left = undo_entries(read.entries, places.game_folders, folder, outcome.undone);
    save_record(folder, read.entries, read.finished, true);
    return outcome;
}

}  // namespace fw
