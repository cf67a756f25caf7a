#include "core/screens/editor_display.hpp"

#include "core/base/error_trap.hpp"
#include "core/formats/character_file.hpp"
#include "core/formats/safe_names.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"
#include "core/heads/head_previews.hpp"

namespace fw {

namespace {
constexpr const char* kModule = "frmEditSim";
}  // namespace

OptionButtons option_buttons(const SimControls& controls) {
    OptionButtons on;
    on.optMale = controls.male;
    on.optFemale = !controls.male;
    on.optAdult = controls.adult;
    on.optChild = !controls.adult;
    on.optLight = controls.tone == Tone::Light;
    on.optMedium = controls.tone == Tone::Medium;
    on.optDark = controls.tone == Tone::Dark;
    return on;
}

HeadPreviews head_previews(const std::string& skin) {
    HeadPreviews previews;
    if (!is_safe_file_name(skin)) return previews;
    previews.preview = head_preview_path(skin);
    previews.preview2 = head_preview2_path(skin);
    previews.cached = file_exists(previews.preview);
    return previews;
}

EditorDisplay msDisplayData(const EditorSession& session) {
    return guarded(kModule, "msDisplayData", [&](int32_t&) {
        EditorDisplay display;
        display.caption = "Edit Sim - " + gfstrGetFileName(session.load_user_file);
        display.controls = read_sim_controls(session.appearance, session.names);
        display.options = option_buttons(display.controls);
        display.previews = head_previews(display.controls.skin);
        display.portraits = sim_portraits(session.image);
        return display;
    });
}

std::optional<Head> chosen_head(const std::string& selected_skin) {
    if (selected_skin.empty()) return std::nullopt;
    const size_t comma = selected_skin.find(',');
    if (comma == std::string::npos) return Head{selected_skin, ""};
    return Head{selected_skin.substr(0, comma), selected_skin.substr(comma + 1)};
}

BoxMessage save_confirmation(const std::string& load_user_file) {
    return {std::string("Make changes to: ") + kCrLf + display_path(load_user_file) + "?" + kCrLf + kCrLf +
                "Are You Sure?",
            kBoxQuestion, "Confirm Action"};
}

}  // namespace fw
