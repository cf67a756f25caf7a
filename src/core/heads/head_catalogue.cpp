#include "core/heads/head_catalogue.hpp"

#include "core/base/error_trap.hpp"
#include "core/base/message_box.hpp"
#include "core/formats/safe_names.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"
#include "core/heads/head_models.hpp"
#include "core/heads/picture_check.hpp"

namespace fw {

namespace {

constexpr const char* kModule = "frmSelectHead";

// Texts from the sim's skin data or a model name build a listing pattern; one that names
// another folder lists nothing.
bool safe_pattern_part(const std::string& text) { return text.empty() || is_safe_file_name(text); }

}  // namespace

std::vector<std::string> msGetModelList(const std::string& game_path, const std::string& skin_data) {
    return guarded(kModule, "msGetModelList",
                   [&](int32_t&) { return head_models_for(game_path, skin_data); });
}

SkinListing msGetSkinFileNames(const std::string& game_path, const std::string& model,
                               const std::string& skin_data) {
    return guarded(kModule, "msGetSkinFileNames", [&](int32_t& location) {
        location = checkpoint::start;
        SkinListing listing;
        const std::string tone = skin_data.size() > 3 ? skin_data.substr(skin_data.size() - 3) : skin_data;
        const std::string prefix = skin_name_prefix(model, tone);
        if (prefix.empty()) {
            listing.refusal = "The head model " + model + " has no \"_\" in its name, so it has no skins.";
            return listing;
        }
        location = checkpoint::c2000;
        if (!safe_pattern_part(prefix)) {
            listing.refusal = "The head model " + model + " cannot name a skin file.";
            return listing;
        }
        const std::string folder = game_path + "\\gamedata\\skins\\";
        location = checkpoint::c3000;
        for (const std::string& file : list_matching(folder + prefix + "_*.bmp", Listing::FilesOnly)) {
            (loads_as_picture(folder + file) ? listing.skins : listing.bad).push_back(file);
        }
        location = checkpoint::c4000;
        return listing;
    });
}

std::string bad_skin_files_message(const std::vector<std::string>& bad) {
    std::string text = std::string("The following files could not be loaded:") + kCrLf + kCrLf;
    for (const std::string& name : bad) text += name + kCrLf;
    text += kCrLf;
    text += std::string("These files may be \"fixed\" by loading them into") + kCrLf;
    text += "a program like Paint Shop Pro and re-saving them.";
    return text;
}

}  // namespace fw
