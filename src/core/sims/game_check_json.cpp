// The check as JSON, for scripts and the command-line tool.
#include <nlohmann/json.hpp>

#include "core/platform/game_paths.hpp"
#include "core/sims/game_check.hpp"

namespace fw {

std::string game_check_json(const GameCheck& check) {
    nlohmann::json findings = nlohmann::json::array();
    for (const Finding& f : check.findings) {
        nlohmann::json files = nlohmann::json::array();
        for (const std::string& file : f.files) files.push_back(display_path(file));
        nlohmann::json sims = nlohmann::json::array();
        for (const TouchedSim& s : f.sims)
            sims.push_back({{"name", s.name},
                            {"neighbourhood", s.neighbourhood},
                            {"file", display_path(s.file)},
                            {"needs", s.needs}});
        findings.push_back({{"kind", f.kind},
                            {"severity", severity_words(f.severity)},
                            {"explanation", f.explanation},
                            {"files", files},
                            {"sims", sims},
                            {"fix", fix_kind_id(f.fix)},
                            {"fix_words", f.fix_words},
                            {"model", f.model},
                            {"skin", f.skin}});
    }
    const nlohmann::json all = {{"cancelled", check.cancelled}, {"findings", findings}};
    // Names read from files may hold bytes that are no UTF-8: shown as U+FFFD rather than fail.
    return all.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace fw
