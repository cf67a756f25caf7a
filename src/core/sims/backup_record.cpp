#include "core/sims/backup_record.hpp"

#include <nlohmann/json.hpp>

#include "core/base/charset.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/json_bytes.hpp"
#include "core/platform/game_paths.hpp"

namespace fw {

namespace {

using nlohmann::json;

// Where the file name begins in a path of either separator.
size_t name_start(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? 0 : cut + 1;
}

}  // namespace

std::string backup_records_folder(const std::string& backup_path) {
    const size_t start = name_start(backup_path);
    return backup_path.substr(0, start) + "Sources";
}

std::string backup_record_path(const std::string& backup_path) {
    return backup_records_folder(backup_path) + "\\" + backup_path.substr(name_start(backup_path)) +
           kBackupRecordSuffix;
}

std::string recorded_file_path(const std::string& character_file) { return followed_path(character_file); }

std::string backup_record_text(const BackupRecord& record) {
    json out = json::object();
    put_bytes(out, "file", record.file);
    put_bytes(out, "saves", record.saves);
    if (!record.game.empty()) put_bytes(out, "game", record.game);
    out["sim"] = record.sim ? json(*record.sim) : json(nullptr);
    out["saved_as"] = record.saved_as;
    return out.dump(2) + "\n";
}

std::optional<BackupRecord> read_backup_record(const std::string& backup_path) {
    const std::string path = backup_record_path(backup_path);
    // A record is a few hundred bytes; anything far larger is none.
    if (!file_exists(path)) return std::nullopt;
    try {
        const std::optional<std::string> text = read_file_up_to(path, 64 * 1024);
        if (!text) return std::nullopt;
        const json in = json::parse(*text);
        BackupRecord record;
        record.file = get_bytes(in, "file");
        if (record.file.empty()) return std::nullopt;
        record.saves = get_bytes(in, "saves");
        record.game = get_bytes(in, "game");
        if (in.contains("sim") && in.at("sim").is_number_unsigned())
            record.sim = in.at("sim").get<uint32_t>();
        if (in.contains("saved_as")) record.saved_as = in.at("saved_as").get<std::string>();
        return record;
    } catch (...) {
        return std::nullopt;  // a damaged record ties the backup to nothing
    }
}

}  // namespace fw
