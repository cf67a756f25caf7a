// neighbourhoods, sims, export: the game's folders as the main window sees them (where: where_command.cpp).
#include <iostream>

#include "cli/commands.hpp"
#include "cli/game_folder.hpp"
#include "core/base/charset.hpp"
#include "core/game/neighbourhoods.hpp"
#include "core/screens/sim_cells.hpp"
#include "core/sims/skin_export.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"
#include "core/game/saves_folder.hpp"
#include "core/platform/settings.hpp"
#include "core/platform/shown_name.hpp"
#include "core/game/game_location.hpp"
#include "core/screens/startup.hpp"

namespace fw::cli {

namespace {

using nlohmann::json;

// The game whose saves folder holds the neighbourhood, or no game after reporting either missing.
Game neighbourhood_game(const std::string& option, const std::string& neighbourhood, bool as_json) {
    const Game game = chosen_game(option, as_json);
    if (!game.known()) return game;
    if (const std::optional<BoxMessage> box = saves_not_made_box(game)) {
        report_error(box->text, as_json);
        return Game();
    }
    const std::string& saves = game.neighbourhoods_root();
    if (neighbourhood.empty() || !folder_exists(saves + "\\" + neighbourhood)) {
        report_error("No neighbourhood folder " + shown_path(neighbourhood) + " in " + shown_path(display_path(saves)) + ".",
                     as_json);
        return Game();
    }
    return game;
}

int run_neighbourhoods(const std::string& option, bool as_json) {
    const Game game = chosen_game(option, as_json);
    if (!game.known()) return 1;
    if (const std::optional<BoxMessage> box = saves_not_made_box(game))
        return report_error(box->text, as_json);
    const std::vector<std::string> lines = msFillUserDataList(msGetUserDataDirs(game));
    if (as_json) {
        json list = json::array();
        for (const std::string& line : lines) {
            list.push_back({{"line", shown_name(line)}, {"folder", shown_name(neighbourhood_folder(line))}});
        }
        print_json({{"neighbourhoods", list}});
    } else {
        for (const std::string& line : lines) std::cout << shown_path(line) << "\n";
    }
    return 0;
}

int run_sims(const std::string& neighbourhood, const std::string& option, bool as_json) {
    const Game game = neighbourhood_game(option, neighbourhood, as_json);
    if (!game.known()) return 1;
    const std::string folder = characters_folder(game, neighbourhood);
    json list = json::array();
    IFFFile record;
    for (const std::string& file : msGetFileNames(game, neighbourhood)) {
        const SimCell cell = read_sim_cell(record, folder + file);
        const std::string name = decode_windows1252(cell.name);
        const std::string skin = decode_windows1252(cell.skin);
        if (as_json) {
            list.push_back({{"file", shown_name(file)},
                            {"name", name},
                            {"skin", skin},
                            {"error", cell.loaded() ? json(nullptr) : json(cell.error)}});
        } else if (cell.loaded()) {
            std::cout << shown_path(file) << "\t" << escaped(name) << "\t" << escaped(skin) << "\n";
        } else {
            std::cout << shown_path(file) << "\t* ERROR *\t" << escaped(cell.error) << "\n";
        }
    }
    if (as_json) print_json({{"sims", list}});
    return 0;
}

int run_export(const std::string& neighbourhood, const std::string& option) {
    const Game game = neighbourhood_game(option, neighbourhood, false);
    if (!game.known()) return 1;
    const std::optional<BoxMessage> box =
        export_skin_names(characters_folder(game, neighbourhood), msGetFileNames(game, neighbourhood));
    if (!box) {
        std::cerr << "No sims in " << shown_path(neighbourhood) << ": nothing exported.\n";
        return 0;
    }
    std::cout << message_text(box->text) << "\n";
    return 0;
}

}  // namespace

void add_game_commands(CLI::App& app) {
    struct Options {
        std::string game;
        std::string neighbourhood;
        bool json = false;
    };
    auto options = std::make_shared<Options>();

    CLI::App* where = app.add_subcommand("where",
                                         "Where the game and its saves are, how they were found, other "
                                         "installs, the program folder and the settings");
    where->add_option("--game", options->game, kGameOptionHelp);
    where->add_flag("--json", options->json, "Print JSON");
    where->callback([options] { exit_code() = run_where(options->game, options->json); });

    CLI::App* neighbourhoods =
        app.add_subcommand("neighbourhoods", "The neighbourhood list as the main window shows it");
    neighbourhoods->add_option("--game", options->game, kGameOptionHelp);
    neighbourhoods->add_flag("--json", options->json, "Print JSON");
    neighbourhoods->callback([options] { exit_code() = run_neighbourhoods(options->game, options->json); });

    CLI::App* sims = app.add_subcommand("sims", "The sims of a neighbourhood as their thumbnails show them");
    sims->add_option("NEIGHBOURHOOD", options->neighbourhood, "The neighbourhood's folder, such as UserData2")
        ->required();
    sims->add_option("--game", options->game, kGameOptionHelp);
    sims->add_flag("--json", options->json, "Print JSON");
    sims->callback(
        [options] { exit_code() = run_sims(options->neighbourhood, options->game, options->json); });

    CLI::App* exporter = app.add_subcommand(
        "export", "Write headskins.txt and bodyskins.txt for a neighbourhood into the program folder");
    exporter
        ->add_option("NEIGHBOURHOOD", options->neighbourhood, "The neighbourhood's folder, such as UserData2")
        ->required();
    exporter->add_option("--game", options->game, kGameOptionHelp);
    exporter->callback([options] { exit_code() = run_export(options->neighbourhood, options->game); });
}

}  // namespace fw::cli
