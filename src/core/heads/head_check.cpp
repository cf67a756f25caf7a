#include "core/heads/head_check.hpp"

#include "core/heads/head_bitmaps.hpp"
#include "core/platform/name_compare.hpp"
#include "core/heads/head_models.hpp"
#include "core/heads/picture_check.hpp"

namespace fw {

namespace {

// The age/gender code of a body ("MA", "FC") and of a model's name (its fifth and sixth
// characters, "C005MA_ROMEO"; "" when they are no such code).
std::string body_code(bool adult, bool male) { return std::string(male ? "M" : "F") + (adult ? "A" : "C"); }

std::string model_code(const std::string& model) {
    const std::string code = model.size() >= 6 ? to_upper(model.substr(4, 2)) : "";
    return code == "MA" || code == "FA" || code == "MC" || code == "FC" ? code : "";
}

std::string body_words(const std::string& code) {
    if (code == "MA") return "an adult male";
    if (code == "FA") return "an adult female";
    if (code == "MC") return "a male child";
    return "a female child";
}

const char* tone_words(Tone tone) {
    switch (tone) {
    case Tone::Light: return "light";
    case Tone::Medium: return "medium";
    case Tone::Dark: return "dark";
    }
    return "dark";
}

bool listed(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& listed_name : names) {
        if (iequals(listed_name, name)) return true;
    }
    return false;
}

// Whether the game has a bitmap for the skin: in its skins folder, loading as a picture, or in
// one of its archives.
bool game_has_skin(const std::string& game_path, const std::string& skin, ArchiveReading& archives) {
    const std::string in_folder = skin_bitmap_path(game_path, skin);
    if (in_folder.empty()) return false;
    return loads_as_picture(in_folder) || find_head_bitmap(game_path, skin, archives).has_value();
}

}  // namespace

std::vector<std::string> head_mismatches(const std::string& game_path, const SimControls& as_opened,
                                         const SimControls& controls, ArchiveReading& archives) {
    std::vector<std::string> found;
    const bool model_changed = controls.model != as_opened.model;
    const bool body_changed = controls.adult != as_opened.adult || controls.male != as_opened.male;
    const std::string code = body_code(controls.adult, controls.male);

    // The tone is left out: the game draws any skin it has on a body of any tone.
    if (model_changed || body_changed) {
        const std::string made_for = model_code(controls.model);
        if (!made_for.empty() && made_for != code) {
            found.push_back("The head model " + controls.model + " is made for " + body_words(made_for) +
                            "; the sim is " + body_words(code) + ".");
        } else if (!game_path.empty() &&
                   !listed(head_models_for(game_path, skin_data_code(controls)), controls.model)) {
            found.push_back("The head model " + controls.model + " is not among the game's head models for " +
                            body_words(code) + ".");
        }
    }
    if (controls.skin != as_opened.skin && !game_path.empty() &&
        !game_has_skin(game_path, controls.skin, archives)) {
        found.push_back("The skin " + controls.skin +
                        " is not among the game's skins: neither its skins folder nor its archives hold it.");
    }
    return found;
}

std::string tone_note(const SimControls& controls) {
    const Tone body = controls.tone.value_or(Tone::Dark);
    // The skin's tone is the code after its model's stem ("C005MAlgt_romeo"); a skin named
    // otherwise says nothing of its tone.
    for (const Tone skin : {Tone::Light, Tone::Medium, Tone::Dark}) {
        const std::string prefix = skin_name_prefix(controls.model, tone_code(skin));
        if (prefix.empty() || !iequals(controls.skin.substr(0, prefix.size() + 1), prefix + "_")) continue;
        if (skin == body) return "";
        return std::string("The head's skin is ") + tone_words(skin) + "; the body is " + tone_words(body) +
               ".";
    }
    return "";
}

BoxMessage head_question(const std::vector<std::string>& mismatches) {
    std::string text = "The game may not be able to draw this head:";
    for (const std::string& line : mismatches) text += std::string(kCrLf) + kCrLf + line;
    text += std::string(kCrLf) + kCrLf + "Save it all the same?";
    return {text, kBoxQuestion | kSecondButtonDefault, "Check the Head"};
}

}  // namespace fw
