// facewright-cli: scripting, batch edits and checks on the same core as the windows.
#include <QCoreApplication>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "cli/commands.hpp"
#include "cli/game_folder.hpp"
#include "core/base/error_trap.hpp"
#include "core/base/message_box.hpp"
#include "core/platform/program_folder.hpp"

namespace fw::cli {

int& exit_code() {
    static int code = 0;
    return code;
}

// Every text is UTF-8 by the time it is put into JSON; should a byte that is not slip through, it
// is printed as U+FFFD rather than end the command.
void print_json(const nlohmann::json& value) {
    std::cout << value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

int report_error(const std::string& message, bool json) {
    std::cerr << message_text(message, kCrLf) << "\n";  // line breaks as the message has them
    if (json) print_json({{"error", message}});
    return 1;
}

}  // namespace fw::cli

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("Facewright");
    // An unexpected failure is reported as the windows report it (errorlog.txt is written too),
    // then the tool ends with a non-zero status instead of crashing.
    fw::install_report_and_end([](const std::string& report) {
        std::cerr << "Unrecoverable Error\n" << report << "\n";
        std::exit(2);
    });
    fw::install_log_folder(fw::program_folder);
    CLI::App app{"Facewright command-line tool: read and edit the characters of The Sims."};
    app.require_subcommand(1);
    app.add_option("--game", fw::cli::game_before_command(),
                   "The game's folder for the command that follows (a --game after the command wins)");
    fw::cli::add_format_commands(app);
    fw::cli::add_sim_commands(app);
    fw::cli::add_game_commands(app);
    fw::cli::add_catalogue_commands(app);
    fw::cli::add_backup_commands(app);
    fw::cli::add_render_commands(app);
    fw::cli::add_check_commands(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (...) {
        // A failure no command guards against ends the run as a guarded one does.
        const std::vector<CLI::App*> commands = app.get_subcommands();
        fw::record_failure("facewright-cli", commands.empty() ? "" : commands.front()->get_name(), 0,
                           fw::failure_from_current_exception());
        fw::trap();
    }
    return fw::cli::exit_code();
}
