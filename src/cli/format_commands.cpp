// iff, strings, far, far-extract: what the game's files hold, as the program reads them.
#include <cstdio>
#include <iostream>

#include "cli/commands.hpp"
#include "core/base/charset.hpp"
#include "core/base/failure.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/character_file.hpp"
#include "core/formats/far.hpp"
#include "core/formats/iff.hpp"
#include "core/formats/safe_names.hpp"
#include "core/formats/str_list.hpp"
#include "core/game/content_archive.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"

namespace fw::cli {

namespace {

using nlohmann::json;

json iff_json(const IFFFile& file) {
    json chunks = json::array();
    for (const IFFChunk& c : file.chunks) {
        chunks.push_back({{"position", c.position},
                          {"type", decode_windows1252(c.type)},
                          {"id", c.id()},
                          {"flags", c.flags()},
                          {"size", c.declared_size()},
                          {"label", decode_windows1252(gfstrStripNull(c.label))}});
    }
    json types = json::array();
    for (const RsmpType& t : file.map_types) {
        json entries = json::array();
        for (const RsmpEntry& e : t.entries) {
            entries.push_back(
                {{"offset", e.chunk_offset()}, {"id", e.id()}, {"name", decode_windows1252(e.name_text())}});
        }
        types.push_back({{"type", decode_windows1252(t.type())}, {"entries", entries}});
    }
    return {{"has_map", file.has_map}, {"chunks", chunks}, {"map", {{"types", types}}}};
}

void print_iff_text(const json& j) {
    std::cout << "has map: " << (j["has_map"].get<bool>() ? "yes" : "no") << "\n";
    std::printf("%10s  %-4s  %6s  %6s  %10s  %s\n", "position", "type", "id", "flags", "size", "label");
    for (const json& c : j["chunks"]) {
        std::printf("%10d  %-4s  %6d  0x%04X  %10d  %s\n", c["position"].get<int>(),
                    escaped(c["type"].get<std::string>()).c_str(), c["id"].get<int>(), c["flags"].get<int>(),
                    c["size"].get<int>(), escaped(c["label"].get<std::string>()).c_str());
    }
    for (const json& t : j["map"]["types"]) {
        std::cout << "map " << escaped(t["type"].get<std::string>()) << ": " << t["entries"].size()
                  << " entries\n";
        for (const json& e : t["entries"]) {
            std::printf("  id %6d  offset %10d  %s\n", e["id"].get<int>(), e["offset"].get<int>(),
                        escaped(e["name"].get<std::string>()).c_str());
        }
    }
}

int run_iff(const std::string& path, bool as_json) {
    if (!file_exists(path)) return report_error("No such file: " + shown_path(path), as_json);
    IFFFile file;
    const std::string error = gfstrReadIFFChecked(file, path);
    if (!error.empty()) return report_error(error, as_json);
    const json j = iff_json(file);
    if (as_json)
        print_json(j);
    else
        print_iff_text(j);
    return 0;
}

int run_strings(const std::string& path, const std::string& type, int id, bool as_json) {
    if (type != "STR#" && type != "CTSS") return report_error("--type must be STR# or CTSS", as_json);
    if (!file_exists(path)) return report_error("No such file: " + shown_path(path), as_json);
    IFFFile file;
    const std::string error = gfstrReadIFFChecked(file, path);
    if (!error.empty()) return report_error(error, as_json);
    const IFFChunk* found = nullptr;
    for (const IFFChunk& c : file.chunks) {
        if (c.type == type && c.id() == id) {
            found = &c;
            break;
        }
    }
    if (found == nullptr) return report_error("No " + type + " chunk with ID " + std::to_string(id), as_json);
    STRList list;
    try {
        list = parse_str_list(found->data);
    } catch (const Failure& failure) {
        return report_error(error_text(failure), as_json);
    }
    json items = json::array();
    for (const STRItem& item : list.items) {
        items.push_back({{"prefix", static_cast<unsigned char>(item.prefix[0])},
                         {"value", decode_windows1252(item.value)},
                         {"second", decode_windows1252(item.second)}});
    }
    const json j = {{"format", list.format_code()}, {"items", items}, {"rest", list.rest.size()}};
    if (as_json) {
        print_json(j);
    } else {
        std::printf("format 0x%04X, %zu entries, %zu trailing bytes\n",
                    static_cast<unsigned>(list.format_code()), list.items.size(), list.rest.size());
        int n = 0;
        for (const json& item : items) {
            std::printf("%4d  [%d]  %s", ++n, item["prefix"].get<int>(),
                        escaped(item["value"].get<std::string>()).c_str());
            if (!item["second"].get<std::string>().empty()) {
                std::printf("  | %s", escaped(item["second"].get<std::string>()).c_str());
            }
            std::printf("\n");
        }
    }
    return 0;
}

int run_far(const std::string& path, bool as_json) {
    if (!file_exists(path)) return report_error("No such file: " + shown_path(path), as_json);
    FARdir dir;
    try {
        dir = read_far_directory(path);
    } catch (const Failure& failure) {
        return report_error(error_text(failure), as_json);
    }
    json entries = json::array();
    for (const FARentry& e : dir.Entries) {
        entries.push_back(
            {{"name", decode_windows1252(e.FileName)}, {"size", e.file_size()}, {"offset", e.file_offset()}});
    }
    const json j = {{"count", dir.count()}, {"entries", entries}};
    if (as_json) {
        print_json(j);
    } else {
        std::cout << dir.count() << " entries\n";
        for (const json& e : entries) {
            std::printf("%10d  %10d  %s\n", e["offset"].get<int>(), e["size"].get<int>(),
                        escaped(e["name"].get<std::string>()).c_str());
        }
    }
    return 0;
}

int run_far_extract(const std::string& path, const std::string& name, const std::string& dest) {
    if (!file_exists(path)) return report_error("No such file: " + shown_path(path), false);
    if (!folder_exists(dest)) return report_error("No such folder: " + shown_path(dest), false);
    try {
        const ArchiveContents contents(read_far_directory(path));
        // NAME as `far` lists it (the game's characters decoded), or as the archive's bytes.
        const std::optional<std::string> encoded = encode_windows1252(name);
        const int32_t n = encoded && contents.find(*encoded) != 0 ? contents.find(*encoded) : contents.find(name);
        if (n != 0) {
            const FARentry e = contents.dir().entry(n);
            const std::string base = entry_base_name(e.FileName);
            const std::string target = dest + "\\" + base;
            extract_far_entry(path, target, e);
            std::cout << "Extracted " << escaped(decode_windows1252(base)) << " (" << e.file_size()
                      << " bytes) to " << shown_path(display_path(target)) << "\n";
            return 0;
        }
    } catch (const Failure& failure) {
        return report_error(error_text(failure), false);
    }
    return report_error("No entry named " + shown_path(name) + " in " + shown_path(path), false);
}

}  // namespace

void add_format_commands(CLI::App& app) {
    auto* iff = app.add_subcommand("iff", "List an IFF file's chunks and resource map");
    static std::string iff_path;
    static bool iff_json_flag = false;
    iff->add_option("FILE", iff_path, "IFF file")->required();
    iff->add_flag("--json", iff_json_flag, "Print JSON");
    iff->callback([] { exit_code() = run_iff(iff_path, iff_json_flag); });

    auto* strings = app.add_subcommand("strings", "List the entries of a string-list chunk");
    static std::string str_path, str_type;
    static int str_id = 0;
    static bool str_json = false;
    strings->add_option("FILE", str_path, "IFF file")->required();
    strings->add_option("--type", str_type, "STR# or CTSS")->required();
    strings->add_option("--id", str_id, "Chunk ID")->required();
    strings->add_flag("--json", str_json, "Print JSON");
    strings->callback([] { exit_code() = run_strings(str_path, str_type, str_id, str_json); });

    auto* far = app.add_subcommand("far", "List a FAR archive's directory");
    static std::string far_path;
    static bool far_json = false;
    far->add_option("FILE", far_path, "FAR archive")->required();
    far->add_flag("--json", far_json, "Print JSON");
    far->callback([] { exit_code() = run_far(far_path, far_json); });

    auto* extract =
        app.add_subcommand("far-extract", "Extract the first entry whose file name is NAME (any case)");
    static std::string ex_path, ex_name, ex_dest;
    extract->add_option("FILE", ex_path, "FAR archive")->required();
    extract->add_option("NAME", ex_name, "Entry file name")->required();
    extract->add_option("DESTDIR", ex_dest, "Destination folder")->required();
    extract->callback([] { exit_code() = run_far_extract(ex_path, ex_name, ex_dest); });
}

}  // namespace fw::cli
