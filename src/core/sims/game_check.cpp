#include "core/sims/game_check.hpp"

namespace fw {

std::string severity_words(Severity severity) {
    switch (severity) {
    case Severity::Crash: return "crash";
    case Severity::BlankSim: return "blank sim";
    case Severity::Ignored: return "ignored";
    case Severity::Cosmetic: return "cosmetic";
    }
    return "cosmetic";
}

namespace {
const std::pair<FixKind, const char*> kFixIds[] = {
    {FixKind::MoveSkinUp, "move-skin-up"},
    {FixKind::CorrectOwnName, "correct-own-name"},
    {FixKind::CopyBuyableMesh, "copy-buyable-mesh"},
    {FixKind::ConvertTo8Bit, "convert-to-8-bit"},
};
}  // namespace

std::string fix_kind_id(FixKind kind) {
    for (const auto& [k, id] : kFixIds)
        if (k == kind) return id;
    return "";
}

FixKind fix_kind_of(const std::string& id) {
    for (const auto& [k, text] : kFixIds)
        if (id == text) return k;
    return FixKind::None;
}

GameCheck check_game(const std::string&, const CheckProgress&) { return {}; }

std::string game_check_json(const GameCheck&) { return R"({"cancelled":false,"findings":[]})"; }

FixOutcome apply_fixes(const std::string&, const std::vector<Finding>&, const std::vector<FixKind>&) {
    return {};
}

FixOutcome undo_last_fixes(const std::string&) { return {}; }

}  // namespace fw
