// Every sim's appearance list against the names the game can find, one character file at a time.
#include <exception>
#include <map>

#include "core/formats/character_file.hpp"
#include "core/formats/iff.hpp"
#include "core/game/neighbourhoods.hpp"
#include "core/game/saves_folder.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/shown_name.hpp"
#include "core/sims/appearance.hpp"
#include "core/sims/game_check_parts.hpp"

namespace fw::check {

std::vector<Neighbourhood> list_neighbourhoods(const std::string& game_path) {
    std::vector<Neighbourhood> found;
    const std::string saves = saves_folder(game_path).path;
    std::vector<std::string> folders;
    try {
        folders = list_matching(saves + "\\Userdata*");
    } catch (const std::exception&) {
        return found;  // a saves folder that cannot be listed holds no sims to check
    }
    for (const std::string& folder : folders) {
        Neighbourhood n{saves + "\\" + folder + "\\Characters\\", neighbourhood_line(folder), {}};
        try {
            n.files = list_matching(n.folder + "user*.iff", Listing::FilesOnly);
        } catch (const std::exception&) {
        }
        found.push_back(std::move(n));
    }
    return found;
}

namespace {

// One kind of missing name, and what the player is told of it.
struct Missing {
    const char* kind;
    const char* what;  // "head model", ...
    const char* has;   // "description file", "bitmap"
};
const Missing kHeadModel{"missing-head-model", "head model", "description file"};
const Missing kHeadSkin{"missing-head-skin", "head skin", "bitmap"};
const Missing kBodyMesh{"missing-body-mesh", "body mesh", "description file"};
const Missing kBodyTexture{"missing-body-texture", "body texture", "bitmap"};
const Missing kHandTexture{"missing-hand-texture", "hand texture", "bitmap"};

class SimChecker {
public:
    SimChecker(const ContentNames& names, std::vector<Finding>& out) : names_(names), out_(out) {}

    void sim(const Neighbourhood& n, const std::string& file) {
        IFFFile record;
        gsInitIFF(record);
        const std::string path = n.folder + file;
        std::string error = read_character_file_checked(record, path);
        std::string name;
        if (error.empty()) {
            try {
                for (const IFFChunk& chunk : record.chunks)
                    if (chunk.type == "CTSS") name = name_chunk_text(chunk);
                const STRList appearance = appearance_list(record);
                check_appearance(appearance, TouchedSim{shown_name(name), n.shown, path, ""});
                return;
            } catch (const std::exception& e) {
                error = e.what();
            }
        }
        Finding f;
        f.kind = "unreadable-character-file";
        f.severity = Severity::Crash;
        f.explanation = "The character file cannot be read (" + error +
                        "). The game may end when the neighbourhood loads.";
        f.files = {path};
        f.sims = {TouchedSim{shown_name(name.empty() ? file : name), n.shown, path, ""}};
        out_.push_back(std::move(f));
    }

private:
    void check_appearance(const STRList& list, const TouchedSim& sim) {
        auto value = [&](size_t n) { return n <= list.item_count() ? list.item(n).value : std::string(); };
        const std::string age = to_lower(value(entry::age));
        if (age == "dog" || age == "kat" || age == "cat") return;  // pets wear no heads or outfits
        const std::string head = value(entry::head);
        if (const auto parts = split_head(head)) {
            need(kHeadModel, names_.descriptions, parts->model, sim, "head");
            need(kHeadSkin, names_.bitmaps, parts->skin, sim, "head");
        }
        const size_t outfits[] = {2, 31, 32, 33, 34, 16, 17, 28};
        for (size_t n : outfits) {
            const std::string v = value(n);
            const size_t comma = v.find(',');
            if (comma == std::string::npos) continue;
            const size_t equals = v.find('=', comma);
            const std::string needs = "outfit " + std::to_string(n);
            need(kBodyMesh, names_.descriptions, v.substr(0, comma), sim, needs);
            need(kBodyTexture, names_.bitmaps, v.substr(equals == std::string::npos ? comma + 1 : equals + 1), sim,
                 needs);
        }
        const size_t hands[] = {18, 19, 20, 21, 22, 23, 29, 30};
        for (size_t n : hands) {
            const std::string v = value(n);
            const size_t equals = v.find('=');
            if (v.find(',') == std::string::npos || equals == std::string::npos) continue;
            need(kHandTexture, names_.bitmaps, v.substr(equals + 1), sim, "hands " + std::to_string(n));
        }
    }

    void need(const Missing& missing, const std::set<std::string>& have, const std::string& name,
              TouchedSim sim, const std::string& needs) {
        const std::string upper = to_upper(name);
        if (upper.empty() || upper == "X" || have.contains(upper)) return;
        const std::string key = std::string(missing.kind) + "|" + upper;
        auto at = open_.find(key);
        if (at == open_.end()) {
            Finding f;
            f.kind = missing.kind;
            f.severity = Severity::BlankSim;
            f.explanation = "The " + std::string(missing.what) + " \"" + name + "\" has no " + missing.has +
                            " in the game. The sims that wear it are drawn blank or not at all, or the game may "
                            "end when they are shown.";
            (missing.has[0] == 'b' ? f.skin : f.model) = name;
            at = open_.emplace(key, out_.size()).first;
            out_.push_back(std::move(f));
        }
        sim.needs = needs;
        Finding& f = out_[at->second];
        if (f.files.empty() || f.files.back() != sim.file) f.files.push_back(sim.file);
        f.sims.push_back(std::move(sim));
    }

    const ContentNames& names_;
    std::vector<Finding>& out_;
    std::map<std::string, size_t> open_;  // kind|NAME -> its finding in out_
};

}  // namespace

void check_sims(const std::vector<Neighbourhood>& neighbourhoods, const ContentNames& names, Steps& steps,
                std::vector<Finding>& out) {
    SimChecker checker(names, out);
    for (const Neighbourhood& n : neighbourhoods) {
        for (const std::string& file : n.files) {
            if (!steps.step()) return;
            checker.sim(n, file);
        }
    }
}

}  // namespace fw::check
