#include "core/sims/backup_list.hpp"

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "core/base/charset.hpp"
#include "core/base/error_trap.hpp"
#include "core/sims/sim_save.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/rsmp.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"
#include "core/game/saves_folder.hpp"
#include "core/sims/appearance.hpp"

namespace fw {

namespace {

BackupContent damaged(std::string error) {
    BackupContent content;
    content.error = std::move(error);
    return content;
}

std::string entry_value(const STRList& list, size_t n) {
    return list.item_count() >= n ? list.item(n).value : "";
}

// When the file was written, to order the backups of one minute.
std::filesystem::file_time_type written(const std::string& path) {
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(resolve_path(path), ec);
    return ec ? std::filesystem::file_time_type::min() : time;
}

BackupEntry entry_for(const std::string& folder, const std::string& name,
                      std::optional<BackupNameParts> parts) {
    BackupEntry entry;
    entry.path = folder + "\\" + name;
    entry.name = name;
    entry.parts = std::move(parts);
    EditorSession session;
    entry.holds = read_backup(entry.path, session);
    entry.record = read_backup_record(entry.path);
    // The name the backup holds is the one the sim had before the save; the name after it only
    // the record keeps whole (the backup's name lost its spaces and accents).
    if (entry.parts) entry.names = backup_names(entry.parts->sim_part, entry.holds.name);
    if (!entry.holds.name.empty()) entry.names.before = decode_windows1252(entry.holds.name);
    if (entry.record) entry.names.after = entry.record->saved_as;
    return entry;
}

// A name the Backup folder may list that is no backup: a new file still being written.
bool is_backup_file_name(const std::string& name) { return !name.ends_with(kReplacementSuffix); }

// Newest first by the time in the name; in one minute the later write, then the later save
// number. The order of names settles what is left, so that a listing is always the same.
void sort_newest_first(std::vector<BackupEntry>& entries) {
    std::vector<std::pair<std::filesystem::file_time_type, BackupEntry>> timed;
    for (BackupEntry& entry : entries) timed.emplace_back(written(entry.path), std::move(entry));
    const auto key = [](const std::pair<std::filesystem::file_time_type, BackupEntry>& item) {
        const LocalTime& t = item.second.parts->time;
        return std::tie(t.year, t.month, t.day, t.hour, t.minute, item.first, item.second.parts->sequence,
                        item.second.name);
    };
    std::sort(timed.begin(), timed.end(), [&](const auto& a, const auto& b) { return key(a) > key(b); });
    entries.clear();
    for (auto& item : timed) entries.push_back(std::move(item.second));
}

// The Backup folder, swept of the half-written backups that saves killed in the middle left: a
// backup is written under a temporary name and renamed when whole, so such a file is no backup.
std::string swept_backup_folder() {
    const std::string folder = backup_folder_path();
    remove_stale_replacements(folder);
    remove_stale_replacements(backup_records_folder(folder + "\\x"));
    return folder;
}

}  // namespace

BackupContent read_backup_bytes(std::string_view bytes, EditorSession& session) {
    session = EditorSession{};
    // What was read up to a failure still tells whose file it was.
    const std::string error = read_iff_checked_from_bytes(session.image, bytes);
    const std::optional<uint32_t> sim = sim_identifier(session.image);
    if (!error.empty()) {
        BackupContent content = damaged(error);
        content.sim = sim;
        return content;
    }
    BackupContent content;
    content.sim = sim;
    if (read_sim_lists(session)) {
        content.kind = BackupKind::NotASim;
        return content;
    }
    content.name = session.names.item(1).value;
    content.age = entry_value(session.appearance, entry::age);
    content.gender = entry_value(session.appearance, entry::gender);
    content.tone = entry_value(session.appearance, entry::tone);
    const std::string& head = entry_value(session.appearance, entry::head);
    const std::optional<Head> split = split_head(head);
    content.model = split ? split->model : head;
    content.skin = split ? split->skin : "";
    content.kind = is_pet(session.appearance)                                      ? BackupKind::Pet
                   : check_editable(session.appearance, session.names).has_value() ? BackupKind::NotASim
                                                                                   : BackupKind::Person;
    return content;
}

BackupContent read_backup(const std::string& path, EditorSession& session) {
    session = EditorSession{};
    const int64_t size = file_length(path);
    // A backup larger than any character file is listed as damaged without being read.
    if (size > kMaxCharacterFileSize) {
        return damaged("The file is " + std::to_string(size) +
                       " bytes long, far longer than a character file.");
    }
    std::string bytes;
    try {
        bytes = read_file(path);
    } catch (...) {
        return damaged(error_text(failure_from_current_exception()));
    }
    return read_backup_bytes(bytes, session);
}

namespace {
// The sim a character file holds now; nothing for a file that cannot be read.
std::optional<uint32_t> sim_of_file(const std::string& path) {
    IFFFile image;
    try {
        if (read_iff_checked_from_bytes(image, read_character_file(path)).empty())
            return sim_identifier(image);
    } catch (const Failure&) {
        // Not readable: no sim to compare with.
    }
    return std::nullopt;
}

bool made_of(const std::optional<BackupRecord>& record, const std::optional<uint32_t>& backup_sim,
             const std::string& recorded_file, const std::optional<uint32_t>& file_sim) {
    return record ? record->file == recorded_file : backup_sim && backup_sim == file_sim;
}
}  // namespace

bool backup_made_of(const std::optional<BackupRecord>& record, const std::optional<uint32_t>& backup_sim,
                    const std::string& character_file) {
    return made_of(record, backup_sim, recorded_file_path(character_file),
                   record ? std::nullopt : sim_of_file(character_file));
}

std::vector<BackupEntry> list_backups_of(const std::string& character_file) {
    return guarded("frmRestore", "msGetBackups", [&](int32_t&) {
        const std::string folder = swept_backup_folder();
        const std::string file_part = backup_file_part(platform_save_files().listed_name(character_file));
        const std::string neighbourhood = backup_neighbourhood_part(character_file);
        const std::string recorded = recorded_file_path(character_file);
        // The sim the file holds now, for backups without a record; read once.
        const std::optional<uint32_t> file_sim = sim_of_file(character_file);
        std::vector<BackupEntry> entries;
        for (const std::string& name : list_matching(folder + "\\" + file_part + "_*", Listing::FilesOnly)) {
            if (!is_backup_file_name(name) || name.find('\\') != std::string::npos) continue;
            if (auto parts = parse_backup_name_of(name, file_part, neighbourhood)) {
                BackupEntry entry = entry_for(folder, name, std::move(parts));
                if (made_of(entry.record, entry.holds.sim, recorded, file_sim))
                    entries.push_back(std::move(entry));
            }
        }
        sort_newest_first(entries);
        return entries;
    });
}

AllBackups list_all_backups(const Game& game) {
    return guarded("frmRestore", "msGetBackups", [&](int32_t&) {
        const std::string folder = swept_backup_folder();
        const std::string& saves = game.neighbourhoods_root();
        const std::string& saves_recorded = game.saves_real_path();
        AllBackups all;
        std::vector<BackupEntry> named;
        std::vector<BackupEntry> others;
        for (const std::string& name : list_matching(folder + "\\*", Listing::FilesOnly)) {
            if (!is_backup_file_name(name)) continue;
            // The path layer reads "\" as a separator: such a name is no file it could open.
            if (name.find('\\') != std::string::npos) {
                ++all.left_out;
                continue;
            }
            std::optional<BackupNameParts> parts = parse_backup_name(name);
            (parts ? named : others).push_back(entry_for(folder, name, std::move(parts)));
        }
        sort_newest_first(named);
        std::vector<KeptBackup>& kept = all.kept;
        for (BackupEntry& entry : named) {
            KeptBackup backup{std::move(entry), "", ""};
            const BackupNameParts& parts = *backup.backup.parts;
            backup.file_name = character_file_name(parts.file_part);
            if (const std::optional<BackupRecord>& record = backup.backup.record) {
                // Its own file, when that is still there and of this game.
                const std::filesystem::path file(record->file);
                backup.file_name = file.filename().string();
                std::error_code ec;
                if (std::filesystem::is_regular_file(file, ec)) {
                    if (record->saves == saves_recorded)
                        backup.character_file = record->file;
                    else
                        backup.in_another_game = true;
                }
            } else {
                // The file it was taken from, when that is still in the game under the same names.
                const std::string there =
                    saves + "\\" + parts.neighbourhood + "\\Characters\\" + backup.file_name;
                if (!parts.neighbourhood.empty() && file_exists(there)) backup.character_file = there;
            }
            kept.push_back(std::move(backup));
        }
        for (BackupEntry& entry : others) kept.push_back(KeptBackup{std::move(entry), "", ""});
        return all;
    });
}

}  // namespace fw
