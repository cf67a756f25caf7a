#include "core/heads/head_models.hpp"

#include <algorithm>
#include <utility>

#include "core/formats/far.hpp"
#include "core/formats/safe_names.hpp"
#include "core/game/game_archives.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

std::vector<std::string>* HeadModelLists::list_for(const std::string& code) {
    if (code == "FA") return &FA;
    if (code == "MA") return &MA;
    if (code == "FC") return &FC;
    if (code == "MC") return &MC;
    return nullptr;
}

const std::vector<std::string>* HeadModelLists::list_for(const std::string& code) const {
    return const_cast<HeadModelLists*>(this)->list_for(code);
}

namespace {

// The lists and the game they were built from.
struct GameHeadModels {
    std::string game_path;
    HeadModelLists lists;
};

GameHeadModels& kept_lists() {
    static GameHeadModels kept;
    return kept;
}

}  // namespace

HeadModelLists head_model_lists(const std::string& game_path) {
    return kept_lists().game_path == game_path ? kept_lists().lists : HeadModelLists{};
}

void keep_head_model_lists(const std::string& game_path, HeadModelLists lists) {
    kept_lists() = GameHeadModels{game_path, std::move(lists)};
}

std::string head_model_from_entry(const std::string& entry_name, ModelNameRule rule) {
    const std::string base = entry_base_name(entry_name);
    if (!is_safe_file_name(base)) return "";
    const std::string name = to_upper(base);
    if (name.size() < 7 || name[0] != 'C' || name[6] != '_' || !name.ends_with(".BCF")) return "";
    if (rule == ModelNameRule::DigitAfterC && !(name[1] >= '0' && name[1] <= '9')) return "";
    return name.substr(0, name.find('.'));
}

ArchiveReading msGetHeadModelLists(const std::string& game_path) {
    HeadModelLists lists;
    ArchiveReading archives;
    for (const GameArchive& archive : game_archives_for(ArchiveUse::HeadModels)) {
        const std::string path = game_path + archive.path;
        if (!file_exists(path)) continue;
        const std::shared_ptr<const ArchiveContents> contents = archives.contents(path);
        if (!contents) continue;
        for (const FARentry& entry : contents->dir().Entries) {
            const std::string model = head_model_from_entry(entry.FileName, archive.model_rule);
            if (!model.empty()) msAddHeadModel(lists, model);
        }
    }
    keep_head_model_lists(game_path, std::move(lists));
    return archives;
}

std::vector<std::string> head_models_for(const std::string& game_path, const std::string& skin_data) {
    std::vector<std::string> models;
    const std::string code = skin_data.substr(0, 2);
    const HeadModelLists lists = head_model_lists(game_path);
    if (const std::vector<std::string>* built_in = lists.list_for(to_upper(code))) models = *built_in;
    // A code from the sim's data builds a listing pattern; one that names another folder lists
    // nothing.
    if (!code.empty() && !is_safe_file_name(code)) return models;
    const auto listed = [&models](const std::string& name) {
        return std::any_of(models.begin(), models.end(),
                           [&name](const std::string& model) { return iequals(model, name); });
    };
    for (const std::string& mesh :
         list_matching(game_path + "\\GameData\\Skins\\C???" + code + "*.cmx", Listing::FilesOnly)) {
        if (listed(mesh.substr(0, mesh.size() - 4))) continue;
        models.push_back(to_upper(mesh.substr(0, mesh.find('.'))));
    }
    return models;
}

std::string skin_name_prefix(const std::string& model, const std::string& tone) {
    const size_t underscore = model.find('_');
    return underscore == std::string::npos ? std::string() : model.substr(0, underscore) + tone;
}

void msAddHeadModel(HeadModelLists& lists, const std::string& name) {
    if (name.size() < 6) return;
    std::vector<std::string>* list = lists.list_for(name.substr(4, 2));
    if (list != nullptr) list->push_back(name);
}

}  // namespace fw
