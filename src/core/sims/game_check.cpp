#include "core/sims/game_check.hpp"

#include <algorithm>

#include "core/base/failure.hpp"
#include "core/game/damaged_archives.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"
#include "core/sims/game_check_parts.hpp"

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

namespace check {

ContentType content_type(const std::string& file_name, std::string* base) {
    const std::string upper = to_upper(file_name);
    const std::pair<const char*, ContentType> endings[] = {
        {".CMX.BCF", ContentType::Description}, {".CMX", ContentType::Description},
        {".BCF", ContentType::Description},     {".SKN", ContentType::Mesh},
        {".BMF", ContentType::Mesh},            {".BMP", ContentType::Bitmap},
    };
    for (const auto& [ending, type] : endings) {
        const std::string e = ending;
        if (upper.size() > e.size() && upper.compare(upper.size() - e.size(), e.size(), e) == 0) {
            if (base) *base = upper.substr(0, upper.size() - e.size());
            return type;
        }
    }
    return ContentType::Other;
}

bool Steps::step() {
    ++done_;
    if (progress_ && !progress_(std::min(done_, total_), total_)) stopped_ = true;
    return !stopped_;
}

}  // namespace check

GameCheck check_game(const std::string& game_path, const CheckProgress& progress) {
    if (!file_exists(game_path + "\\Sims.exe") && !folder_exists(game_path + "\\GameData"))
        throw Failure(ErrorKind::PathNotFound, "No game in " + game_path);
    GameCheck result;
    ContentIndex index(game_path, SkipLog::ProblemsOnly);
    const std::vector<GameFile> entries = index.entries();
    check::ContentNames names;
    for (const GameFile& file : entries) {
        std::string base;
        switch (check::content_type(file.name, &base)) {
        case check::ContentType::Description: names.descriptions.insert(base); break;
        case check::ContentType::Mesh: names.meshes.insert(base); break;
        case check::ContentType::Bitmap: names.bitmaps.insert(base); break;
        case check::ContentType::Other: break;
        }
    }
    const std::vector<check::Neighbourhood> neighbourhoods = check::list_neighbourhoods(game_path);
    size_t total = entries.size();
    std::vector<std::string> characters_folders;
    for (const auto& n : neighbourhoods) {
        total += n.files.size();
        characters_folders.push_back(n.folder);
    }
    check::Steps steps(progress, total);
    check::check_content(game_path, index, entries, names, steps, result.findings);
    if (!steps.stopped()) check::check_sims(neighbourhoods, names, steps, result.findings);
    if (!steps.stopped()) check::check_placement(game_path, index, entries, characters_folders, result.findings);
    result.cancelled = steps.stopped();
    std::stable_sort(result.findings.begin(), result.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
    return result;
}

}  // namespace fw
