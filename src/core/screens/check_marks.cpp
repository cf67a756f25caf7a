#include "core/screens/check_marks.hpp"

#include <map>

#include "core/platform/game_paths.hpp"
#include "core/screens/check_view.hpp"

namespace fw {

namespace {

// By the real file, so that two spellings of one path find the same mark.
std::map<std::string, std::string>& marks() {
    static std::map<std::string, std::string> by_file;
    return by_file;
}

std::string file_key(const std::string& character_file) {
    return resolve_path(character_file).lexically_normal().string();
}

}  // namespace

void set_check_marks(const GameCheck& check) {
    std::map<std::string, std::string> by_file;
    for (const Finding& finding : check.findings) {
        for (const TouchedSim& sim : finding.sims) {
            std::string& note = by_file[file_key(sim.file)];
            const std::string line = finding_caption(finding);
            // One line for each thing wrong, however many of its parts a finding names.
            if (note.find(line) != std::string::npos) continue;
            note += (note.empty() ? "" : "\r\n") + line;
        }
    }
    marks() = std::move(by_file);
}

std::string check_mark(const std::string& character_file) {
    if (marks().empty()) return {};
    const auto found = marks().find(file_key(character_file));
    return found == marks().end() ? std::string() : found->second;
}

}  // namespace fw
