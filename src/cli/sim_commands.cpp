// sim, edit: what the sim editor shows for a character file, and the editor's save from a script.
#include <filesystem>
#include <iostream>

#include "cli/commands.hpp"
#include "cli/game_folder.hpp"
#include "core/base/charset.hpp"
#include "core/heads/head_check.hpp"
#include "core/sims/sim_save.hpp"
#include "core/sims/sim_session.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/on_off_settings.hpp"
#include "core/platform/settings.hpp"
#include "core/platform/shown_name.hpp"
#include "core/sims/appearance.hpp"
#include "core/heads/head_models.hpp"
#include "core/game/app_state.hpp"
#include "core/game/game_location.hpp"

namespace fw::cli {

namespace {

using nlohmann::json;

// Pets are shown too, though the editor refuses them: their head entry ("NONE") names no model,
// so the whole entry stands for it.
SimControls shown_controls(const EditorSession& session) {
    if (!is_pet(session.appearance)) return read_sim_controls(session.appearance, session.names);
    SimControls controls;
    const std::string& head = session.appearance.item(entry::head).value;
    const std::optional<Head> split = split_head(head);
    controls.model = split ? split->model : head;
    controls.skin = head_skin(head);
    controls.name = session.names.item(1).value;
    controls.adult = session.appearance.item(entry::age).value == "adult";
    controls.male = session.appearance.item(entry::gender).value == "male";
    controls.tone = tone_from_code(session.appearance.item(entry::tone).value);
    return controls;
}

int refuse(const BoxMessage& box, bool as_json) { return report_error(box.text, as_json); }

int run_sim(const std::string& path, bool as_json) {
    if (!file_exists(path)) return report_error("No such file: " + shown_path(path), as_json);
    EditorSession session;
    if (auto refusal = read_sim_file(path, session)) return refuse(*refusal, as_json);
    const bool pet = is_pet(session.appearance);
    if (!pet) {
        if (auto refusal = check_editable(session.appearance, session.names))
            return refuse(*refusal, as_json);
    }
    const SimControls c = shown_controls(session);
    const json out = {{"kind", pet ? "pet" : "person"},
                      {"name", decode_windows1252(c.name)},
                      {"age", c.adult ? "adult" : "child"},
                      {"gender", c.male ? "male" : "female"},
                      {"tone", c.tone ? json(tone_code(*c.tone)) : json(nullptr)},
                      {"model", decode_windows1252(c.model)},
                      {"skin", decode_windows1252(c.skin)},
                      {"skin_data", skin_data_code(c)}};
    if (as_json) {
        print_json(out);
        return 0;
    }
    for (const char* key : {"kind", "name", "age", "gender", "tone", "model", "skin", "skin_data"}) {
        const json& value = out[key];
        std::cout << key << ": " << (value.is_null() ? "(none)" : escaped(value.get<std::string>())) << "\n";
    }
    return 0;
}

struct EditRequest {
    std::string path;
    std::optional<std::string> name, age, gender, tone, head;
    bool backup = false;
    bool no_backup = false;
};

// The game whose head models and skins an edit is checked against: the one the commands use
// (--game, the stored location, the registry), or none.
Game catalogue_game() {
    const Game in_use = game_in_use(game_option(""));
    if (!in_use.known() || !folder_exists(in_use.install())) return Game();
    return in_use;
}

int run_edit(EditRequest request) {
    request.path = full_path(request.path);
    if (!file_exists(request.path)) return report_error("No such file: " + shown_path(request.path), false);
    EditorSession session;
    if (auto refusal = open_sim_for_editing(request.path, session)) return refuse(*refusal, false);
    SimControls controls = read_sim_controls(session.appearance, session.names);

    if (request.name) {
        EncodedText name = encode_for_game(*request.name, "name");
        if (name.refusal) return refuse(*name.refusal, false);
        controls.name = name.bytes;
    }
    if (request.age) controls.adult = *request.age == "adult";
    if (request.gender) controls.male = *request.gender == "male";
    if (request.tone) controls.tone = tone_from_code(*request.tone);
    if (request.head) {
        // The head selector hands back model + "," + skin.
        const size_t comma = request.head->find(',');
        if (comma == std::string::npos) return report_error("--head takes MODEL,SKIN", false);
        EncodedText model = encode_for_game(request.head->substr(0, comma), "head model");
        if (model.refusal) return refuse(*model.refusal, false);
        EncodedText skin = encode_for_game(request.head->substr(comma + 1), "head skin");
        if (skin.refusal) return refuse(*skin.refusal, false);
        controls.model = model.bytes;
        controls.skin = skin.bytes;
    }

    // A head the game may not draw on the sim is saved as asked, with a warning.
    if (auto refusal = check_controls(controls)) return refuse(*refusal, false);
    const SimControls as_opened = read_sim_controls(session.appearance, session.names);
    const Game game = catalogue_game();
    ArchiveReading archives;
    if (game.known() && (request.head || request.age || request.gender))
        archives = msGetHeadModelLists(game.install());
    for (const std::string& mismatch : head_mismatches(game.install(), as_opened, controls, archives)) {
        std::cerr << "Warning: " << escaped(shown_name(mismatch)) << "\n";
    }
    if (const std::optional<BoxMessage> box = archives.skipped_box()) {
        std::cerr << message_text(shown_name(box->text)) << "\n";
    }

    // The backup's record names the game the file belongs to, when the file lies in its saves.
    app_state().game = game;
    SaveOptions options;
    options.make_backup = request.backup || (!request.no_backup && backup_setting_on());
    const SaveResult result = save_sim(session, controls, options);
    if (result.refusal) return refuse(*result.refusal, false);
    std::cout << escaped(decode_windows1252(saved_box(controls.name).text)) << "\n";
    return 0;
}

}  // namespace

// The editor always holds a character file's full path: the backup's name takes the
// neighbourhood from it, and the file is replaced where it lies whatever the working folder.
std::string full_path(const std::string& path) {
    if (path.empty() || has_drive_letter(path) || path[0] == '\\' || path[0] == '/') return path;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}

void add_sim_commands(CLI::App& app) {
    auto* sim = app.add_subcommand("sim", "Show what the sim editor shows for a character file");
    static std::string sim_path;
    static bool sim_json = false;
    sim->add_option("FILE", sim_path, "Character file")->required();
    sim->add_flag("--json", sim_json, "Print JSON");
    sim->callback([] { exit_code() = run_sim(sim_path, sim_json); });

    auto* edit = app.add_subcommand(
        "edit",
        "Change a sim as the editor does and save it (the controls not given keep what the editor shows)");
    static EditRequest request;
    edit->add_option("FILE", request.path, "Character file")->required();
    edit->add_option("--name", request.name, "New name (UTF-8)");
    edit->add_option("--age", request.age, "Age group")->check(CLI::IsMember({"adult", "child"}));
    edit->add_option("--gender", request.gender, "Gender")->check(CLI::IsMember({"male", "female"}));
    edit->add_option("--tone", request.tone, "Skin tone")->check(CLI::IsMember({"lgt", "med", "drk"}));
    edit->add_option("--head", request.head, "Head as MODEL,SKIN");
    auto* backup = edit->add_flag("--backup", request.backup, "Back up the old file first");
    auto* no_backup = edit->add_flag("--no-backup", request.no_backup, "Make no backup");
    backup->excludes(no_backup);
    edit->callback([] { exit_code() = run_edit(request); });
}

}  // namespace fw::cli
