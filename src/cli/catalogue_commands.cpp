// models, skins, extract-heads, demo-game: the head catalogue as the head selector and the
// extraction window see it, and a synthetic game to try them on.
#include <iostream>
#include <memory>

#include "cli/commands.hpp"
#include "cli/game_folder.hpp"
#include "core/base/failure.hpp"
#include "core/heads/head_extraction.hpp"
#include "core/heads/head_catalogue.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/shown_name.hpp"
#include "core/heads/head_models.hpp"
#include "core/game/game_location.hpp"
#include "demo/demo_game.hpp"

namespace fw::cli {

namespace {

using nlohmann::json;

// Model and skin names come from the file system (UTF-8 here) or from the game's archives
// (Windows-1252); shown_name takes either.
json names_json(const std::vector<std::string>& names) {
    json list = json::array();
    for (const std::string& name : names) list.push_back(shown_name(name));
    return list;
}

void print_lines(const std::vector<std::string>& names) {
    for (const std::string& name : names) std::cout << escaped(shown_name(name)) << "\n";
}

// The archives a command skipped, named on stderr once it is done, as the windows name them in a box.
void report_skipped(const ArchiveReading& archives) {
    if (const std::optional<BoxMessage> box = archives.skipped_box()) {
        std::cerr << message_text(shown_name(box->text)) << "\n";
    }
}

int run_models(const std::string& code, const std::string& game_option, bool as_json) {
    const std::string game = game_folder(game_option, as_json);
    if (game.empty()) return 1;
    report_skipped(msGetHeadModelLists(game));
    const std::vector<std::string> models = msGetModelList(game, code);
    if (models.empty()) {
        return report_error("No head model matches the code " + code +
                                " (m or f, a or c, then lgt, med or drk: malgt, fcdrk).",
                            as_json);
    }
    if (as_json)
        print_json({{"models", names_json(models)}});
    else
        print_lines(models);
    return 0;
}

int run_skins(const std::string& model, const std::string& tone_option, const std::string& game_option,
              bool as_json) {
    const std::string tone = to_lower(tone_option);
    if (tone != "lgt" && tone != "med" && tone != "drk") {
        return report_error("TONE must be lgt, med or drk.", as_json);
    }
    const std::string game = game_folder(game_option, as_json);
    if (game.empty()) return 1;
    const SkinListing listing = msGetSkinFileNames(game, model, tone);
    if (!listing.refusal.empty()) return report_error(listing.refusal, as_json);
    const std::string message = listing.bad.empty() ? "" : bad_skin_files_message(listing.bad);
    if (as_json) {
        json j = {{"skins", names_json(listing.skins)}, {"bad", names_json(listing.bad)}};
        j["message"] = message.empty() ? json(nullptr) : json(shown_name(message));
        print_json(j);
        return 0;
    }
    print_lines(listing.skins);
    // The window's box, kept off the list so that the list stays one skin per line.
    if (!message.empty()) {
        std::cerr << kBadSkinFilesTitle << "\n" << message_text(shown_name(message)) << "\n";
    }
    return 0;
}

int run_extract_heads(const std::string& game_option) {
    const std::string game = game_folder(game_option, false);
    if (game.empty()) return 1;
    const ExtractionResult result = extract_head_bitmaps(
        game, [](const std::string& appended) { std::cout << message_text(appended) << std::flush; },
        MissingArchives::Named);
    std::cout << "\n";
    report_skipped(result.archives);
    return 0;
}

int run_demo_game(const std::string& folder, bool legacy) {
    // Never write over something that is already there (a real game, say).
    if (folder_exists(folder) && !list_matching(folder + "\\*").empty()) {
        return report_error("The folder " + shown_path(folder) + " is not empty; give a new or empty folder.",
                            false);
    }
    if (file_exists(folder))
        return report_error(shown_path(folder) + " is a file; give a new or empty folder.", false);
    std::string home;
    try {
        if (legacy)
            home = build::write_legacy_demo_game(folder);
        else
            build::write_demo_game(folder);
    } catch (const Failure& failure) {
        return report_error("The demo game could not be written: " + error_text(failure), false);
    }
    if (!legacy) {
        std::cout << "Demo game written to " << shown_path(folder) << "\n"
                  << "Try: facewright-cli neighbourhoods --game " << shown_path(folder) << "\n";
        return 0;
    }
    // With the home (and the settings in it) pointed there, the program finds the game as it
    // finds a player's.
    const auto quoted = [](const std::string& text) {
        // In single quotes the shell takes every byte as it is but the quote itself.
        std::string word = "'";
        for (const char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return word + "'";
    };
    const std::string env =
        "env HOME=" + quoted(home) + " XDG_CONFIG_HOME=" + quoted(home + "/.config") + " ";
    std::cout << "Demo game written to " << shown_path(home)
              << " as a home with Steam and The Sims Legacy Collection\n"
              << "Try: " << env << "facewright-cli where\n"
              << "     " << env << "facewright\n";
    return 0;
}

}  // namespace

void add_catalogue_commands(CLI::App& app) {
    {
        auto* cmd =
            app.add_subcommand("models", "The head models the head selector lists for a skin data code");
        auto code = std::make_shared<std::string>();
        auto game = std::make_shared<std::string>();
        auto as_json = std::make_shared<bool>(false);
        cmd->add_option("CODE", *code, "Skin data code, such as malgt or fcdrk")->required();
        cmd->add_option("--game", *game, kGameOptionHelp);
        cmd->add_flag("--json", *as_json, "Print JSON: {\"models\": [...]}");
        cmd->callback([=] { exit_code() = run_models(*code, *game, *as_json); });
    }
    {
        auto* cmd = app.add_subcommand("skins", "The skins the head selector lists for a model in a tone");
        auto model = std::make_shared<std::string>();
        auto tone = std::make_shared<std::string>();
        auto game = std::make_shared<std::string>();
        auto as_json = std::make_shared<bool>(false);
        cmd->add_option("MODEL", *model, "Head model name, such as C001MA_DYLAN")->required();
        cmd->add_option("TONE", *tone, "Skin tone: lgt, med or drk")->required();
        cmd->add_option("--game", *game, kGameOptionHelp);
        cmd->add_flag("--json", *as_json,
                      "Print JSON: {\"skins\": [...], \"bad\": [...], \"message\": str|null}");
        cmd->callback([=] { exit_code() = run_skins(*model, *tone, *game, *as_json); });
    }
    {
        auto* cmd = app.add_subcommand(
            "extract-heads", "Copy the head bitmaps out of the game's FAR archives into GameData\\Skins");
        auto game = std::make_shared<std::string>();
        cmd->add_option("--game", *game, kGameOptionHelp);
        cmd->callback([=] { exit_code() = run_extract_heads(*game); });
    }
    {
        auto* cmd =
            app.add_subcommand("demo-game", "Write a small synthetic game install to try Facewright on");
        auto folder = std::make_shared<std::string>();
        auto legacy = std::make_shared<bool>(false);
        cmd->add_option("DIR", *folder, "A new or empty folder")->required();
        cmd->add_flag("--legacy", *legacy,
                      "Write DIR as a player's home with Steam and The Sims Legacy Collection: the game in a "
                      "second Steam library, its neighbourhoods in its Proton prefix");
        cmd->callback([=] { exit_code() = run_demo_game(*folder, *legacy); });
    }
}

}  // namespace fw::cli
