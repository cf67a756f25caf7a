// backups, restore: the backups a save keeps, and going back to one of them.
#include <iostream>

#include "cli/commands.hpp"
#include "cli/game_folder.hpp"
#include "core/base/charset.hpp"
#include "core/sims/backup_list.hpp"
#include "core/sims/sim_restore.hpp"
#include "core/sims/sim_save.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/shown_name.hpp"

namespace fw::cli {

namespace {

using nlohmann::json;

const char* kind_name(BackupKind kind) {
    switch (kind) {
    case BackupKind::Person: return "person";
    case BackupKind::Pet: return "pet";
    case BackupKind::NotASim: return "not-a-sim";
    case BackupKind::Damaged: break;
    }
    return "damaged";
}

json holds_json(const BackupContent& held) {
    json out = {{"kind", kind_name(held.kind)}};
    if (held.kind == BackupKind::Damaged) {
        out["error"] = held.error;
    } else if (held.kind != BackupKind::NotASim) {
        for (const auto& [key, value] : {std::pair("name", &held.name), std::pair("age", &held.age),
                                         std::pair("gender", &held.gender), std::pair("tone", &held.tone),
                                         std::pair("model", &held.model), std::pair("skin", &held.skin)}) {
            out[key] = decode_windows1252(*value);
        }
    }
    return out;
}

std::string holds_text(const BackupContent& held) {
    switch (held.kind) {
    case BackupKind::Damaged: return "damaged: " + held.error;
    case BackupKind::NotASim: return "not a sim's character file";
    case BackupKind::Person:
    case BackupKind::Pet: break;
    }
    return std::string(kind_name(held.kind)) + " " + decode_windows1252(held.name) + " (" + held.age + " " +
           held.gender + " " + held.tone + "), head " + decode_windows1252(held.model) + "," +
           decode_windows1252(held.skin);
}

std::string names_text(const BackupNames& names) {
    return names.before == names.after ? names.before : names.before + " -> " + names.after;
}

json entry_json(const BackupEntry& entry) {
    json out = {{"backup", shown_name(entry.name)}, {"path", shown_name(display_path(entry.path))}};
    if (entry.parts) {
        out["time"] = entry.time_shown();
        out["name_before"] = entry.names.before;
        out["name_after"] = entry.names.after;
    }
    out["holds"] = holds_json(entry.holds);
    // Where it came from; null for a backup of unknown origin (offered only for its own sim).
    out["made_of"] = entry.record ? json(shown_name(entry.record->file)) : json(nullptr);
    return out;
}

// The origin of a backup without a record, in the text listings.
std::string origin_text(const BackupEntry& entry) { return entry.record ? "" : " (unknown origin)"; }

int run_backups(const std::string& file, bool as_json) {
    const std::string path = full_path(file);
    const std::vector<BackupEntry> backups = list_backups_of(path);
    if (as_json) {
        json list = json::array();
        for (const BackupEntry& entry : backups) list.push_back(entry_json(entry));
        print_json({{"file", shown_name(display_path(path))}, {"backups", list}});
        return 0;
    }
    if (backups.empty()) {
        std::cout << message_text(no_backups_box(path).text) << "\n";
        return 0;
    }
    for (const BackupEntry& entry : backups) {
        std::cout << entry.time_shown() << origin_text(entry) << "\t" << escaped(names_text(entry.names))
                  << "\t" << escaped(holds_text(entry.holds)) << "\t" << shown_path(entry.name) << "\n";
    }
    return 0;
}

int run_all_backups(const std::string& option, bool as_json) {
    const Game game = chosen_game(option, as_json);
    if (!game.known()) return 1;
    const AllBackups all = list_all_backups(game);
    const std::vector<KeptBackup>& kept = all.kept;
    const std::string left_out =
        all.left_out == 0
            ? ""
            : std::to_string(all.left_out) + (all.left_out == 1 ? " file" : " files") +
                  " of the Backup folder left out: a name holding \"\\\" is no name this program "
                  "can open.";
    if (!left_out.empty()) std::cerr << left_out << "\n";
    if (as_json) {
        json list = json::array();
        for (const KeptBackup& backup : kept) {
            json out = entry_json(backup.backup);
            const bool named = backup.backup.parts.has_value();
            out["file"] = named ? json(shown_name(backup.file_name)) : json(nullptr);
            out["neighbourhood"] =
                named ? json(shown_name(backup.backup.parts->neighbourhood)) : json(nullptr);
            out["character_file"] = backup.character_file.empty()
                                        ? json(nullptr)
                                        : json(shown_name(display_path(backup.character_file)));
            out["of_another_game"] = backup.in_another_game;
            list.push_back(out);
        }
        print_json({{"backups", list}});
        return 0;
    }
    for (const KeptBackup& backup : kept) {
        const BackupEntry& entry = backup.backup;
        if (!entry.parts) {
            std::cout << "(not a backup's name)\t\t\t" << escaped(holds_text(entry.holds)) << "\t"
                      << shown_path(entry.name) << "\n";
            continue;
        }
        const std::string& neighbourhood = entry.parts->neighbourhood;
        const std::string belongs = entry.record ? entry.record->file
                                    : neighbourhood.empty()
                                        ? backup.file_name + " (unknown origin)"
                                        : backup.file_name + " in " + neighbourhood + " (unknown origin)";
        const std::string now =
            !backup.character_file.empty() ? display_path(backup.character_file)
            : backup.in_another_game       ? "of another game"
                                           : "no such sim file now";
        std::cout << entry.time_shown() << "\t" << shown_path(belongs) << "\t"
                  << escaped(names_text(entry.names)) << "\t" << escaped(holds_text(entry.holds)) << "\t"
                  << shown_path(entry.name) << "\t" << shown_path(now) << "\n";
    }
    return 0;
}

int run_restore(const std::string& file, const std::string& backup, bool no_backup) {
    // A bare name is one of the Backup folder's; anything else is a path.
    const std::string backup_path = backup.find_first_of("\\/") == std::string::npos
                                        ? backup_folder_path() + "\\" + backup
                                        : full_path(backup);
    const RestoreResult result =
        restore_from_backup(full_path(file), backup_path, {.make_backup = !no_backup});
    if (result.refusal) return report_error(result.refusal->text, false);
    std::cout << escaped(restored_box(result).text) << "\n";
    if (!result.backup_path.empty()) {
        std::cout << "The file as it was is kept as " << shown_path(display_path(result.backup_path)) << "\n";
    }
    return 0;
}

}  // namespace

void add_backup_commands(CLI::App& app) {
    struct Options {
        std::string file;
        std::string backup;
        std::string game;
        bool all = false;
        bool json = false;
        bool no_backup = false;
    };
    auto options = std::make_shared<Options>();

    CLI::App* backups = app.add_subcommand(
        "backups", "The backups of a character file, newest first (--all: every file in the Backup folder)");
    auto* file = backups->add_option("FILE", options->file, "Character file");
    auto* all = backups->add_flag("--all", options->all,
                                  "Every backup, with the file and neighbourhood it belongs to");
    file->excludes(all);
    backups->add_option("--game", options->game,
                        "The game's folder, to find the files the backups belong to");
    backups->add_flag("--json", options->json, "Print JSON");
    backups->callback([options, backups] {
        if (!options->all && options->file.empty())
            throw CLI::RequiredError(backups->get_name() + ": FILE or --all");
        exit_code() = options->all ? run_all_backups(options->game, options->json)
                                   : run_backups(options->file, options->json);
    });

    CLI::App* restore = app.add_subcommand(
        "restore", "Put a backup in the place of its character file, backing up the file as it is first");
    restore->add_option("FILE", options->file, "Character file")->required();
    restore->add_option("BACKUP", options->backup, "A backup's name in the Backup folder, or its path")
        ->required();
    restore->add_flag("--no-backup", options->no_backup, "Keep no backup of the file as it is");
    restore->callback(
        [options] { exit_code() = run_restore(options->file, options->backup, options->no_backup); });
}

}  // namespace fw::cli
