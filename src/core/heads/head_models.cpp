#include "core/heads/head_models.hpp"

#include <algorithm>

#include "core/formats/far.hpp"
#include "core/formats/safe_names.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

namespace {

ModelNameRule model_name_rule(const std::string& archive) {
    const bool later_pack = archive == "\\ExpansionPack3\\ExpansionPack3.far" ||
                            archive == "\\ExpansionPack4\\ExpansionPack4.far";
    return later_pack ? ModelNameRule::DigitAfterC : ModelNameRule::Plain;
}

}  // namespace

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

HeadModelLists& head_model_lists() {
    static HeadModelLists lists;
    return lists;
}

const std::vector<std::string>& head_model_archives() {
    static const std::vector<std::string> archives = {
        "\\GameData\\Animation\\Animation.far", "\\ExpansionPack\\ExpansionPack.far",
        "\\ExpansionPack2\\ExpansionPack2.far", "\\ExpansionPack3\\ExpansionPack3.far",
        "\\ExpansionPack4\\ExpansionPack4.far", "\\ExpansionShared\\ExpansionShared.far",
    };
    return archives;
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
    HeadModelLists& lists = head_model_lists();
    lists = HeadModelLists{};
    ArchiveReading archives;
    for (const std::string& archive : head_model_archives()) {
        const std::string path = game_path + archive;
        if (!file_exists(path)) continue;
        const std::optional<FARdir> dir = archives.directory(path);
        if (!dir) continue;
        const ModelNameRule rule = model_name_rule(archive);
        for (const FARentry& entry : dir->Entries) {
            const std::string model = head_model_from_entry(entry.FileName, rule);
            if (!model.empty()) msAddHeadModel(model);
        }
    }
    return archives;
}

std::vector<std::string> head_models_for(const std::string& game_path, const std::string& skin_data) {
    std::vector<std::string> models;
    const std::string code = skin_data.substr(0, 2);
    if (const std::vector<std::string>* built_in = head_model_lists().list_for(to_upper(code))) {
        models = *built_in;
    }
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

void msAddHeadModel(const std::string& name) {
    if (name.size() < 6) return;
    std::vector<std::string>* list = head_model_lists().list_for(name.substr(4, 2));
    if (list != nullptr) list->push_back(name);
}

}  // namespace fw
