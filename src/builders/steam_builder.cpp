#include "builders/steam_builder.hpp"

#include "core/platform/game_files.hpp"
#include "core/game/steam_library.hpp"

namespace fs = std::filesystem;

namespace fw::build {

namespace {

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

void write_entries(const std::vector<KeyValue>& entries, int depth, std::string& out) {
    const std::string indent(static_cast<size_t>(depth), '\t');
    for (const KeyValue& entry : entries) {
        if (entry.is_block) {
            out += indent + quoted(entry.key) + "\n" + indent + "{\n";
            write_entries(entry.children, depth + 1, out);
            out += indent + "}\n";
        } else {
            out += indent + quoted(entry.key) + "\t\t" + quoted(entry.value) + "\n";
        }
    }
}

void put(const fs::path& file, const std::string& bytes) {
    create_folder(file.parent_path().string());
    write_file(file.string(), bytes);
}

}  // namespace

std::string key_values_text(const KeyValue& root) {
    std::string out;
    write_entries(root.children, 0, out);
    return out;
}

KeyValue kv(std::string key, std::string value) {
    KeyValue entry;
    entry.key = std::move(key);
    entry.value = std::move(value);
    return entry;
}

KeyValue kv_block(std::string key, std::vector<KeyValue> children) {
    KeyValue entry;
    entry.key = std::move(key);
    entry.children = std::move(children);
    entry.is_block = true;
    return entry;
}

std::string library_folders_vdf(const std::vector<std::string>& libraries, bool old_form) {
    std::vector<KeyValue> entries;
    if (old_form) entries.push_back(kv("TimeNextStatsReport", "1700000000"));
    for (size_t i = 0; i < libraries.size(); ++i) {
        const std::string number = std::to_string(i);
        if (old_form) {
            entries.push_back(kv(number, libraries[i]));
        } else {
            entries.push_back(kv_block(
                number, {kv("path", libraries[i]), kv("label", ""), kv("contentid", "4242424242424242"),
                         kv("totalsize", "0"), kv_block("apps", {kv("228980", "0")})}));
        }
    }
    return key_values_text(kv_block("", {kv_block(old_form ? "LibraryFolders" : "libraryfolders", entries)}));
}

std::string app_manifest(const std::string& app_id, const std::string& name, const std::string& installdir) {
    return key_values_text(kv_block(
        "", {kv_block("AppState",
                      {kv("appid", app_id), kv("Universe", "1"), kv("name", name), kv("StateFlags", "4"),
                       kv("installdir", installdir), kv("SizeOnDisk", "1073741824")})}));
}

SteamHome steam_home(const fs::path& home, const std::string& library) {
    SteamHome steam;
    steam.home = fs::absolute(home).lexically_normal();
    steam.root = steam.home / ".local/share/Steam";
    steam.library = steam.home / library;
    steam.install = steam.library / "steamapps/common/The Sims Legacy Collection";
    steam.prefix = steam.library / "steamapps/compatdata" / kLegacyAppId / "pfx";
    steam.saves = steam.prefix / "drive_c/users/steamuser/Saved Games/Electronic Arts/The Sims 25";
    return steam;
}

void write_steam_home(const SteamHome& steam) {
    put(steam.root / "steamapps/libraryfolders.vdf",
        library_folders_vdf({steam.root.string(), steam.library.string()}));
    put(steam.library / "steamapps" / (std::string("appmanifest_") + kLegacyAppId + ".acf"),
        app_manifest(kLegacyAppId, "The Sims Legacy Collection", steam.install.filename().string()));
    put(steam.install / "Sims.exe", "");
    create_folder((steam.prefix / "drive_c/users/steamuser").string());
}

}  // namespace fw::build
