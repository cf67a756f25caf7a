#pragma once
// The command-line tool's commands, one file per group, all on the same core as the windows.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <string>

namespace fw::cli {

// Set by a command when it fails; main returns it.
int& exit_code();
// Prints JSON on stdout, two-space indented.
void print_json(const nlohmann::json& value);
// A refusal or failure: the message on stderr (and {"error": message} on stdout for --json).
// Returns the exit code 1, for the command to return.
int report_error(const std::string& message, bool json);

// UTF-8 text as the terminal is to show it: control characters written as \x1b (C1 controls as
// \u009b) and bytes that are no UTF-8 as \xNN, so that names and labels read from files never
// move the cursor, change colours or retitle the window.
std::string escaped(const std::string& text);
// A name or path from the file system as the terminal is to show it, in a form that can be typed
// back to a command: as it is when it is UTF-8 without control characters, else in the shell's
// $'...' quoting, with each byte that is no UTF-8 or belongs to a control character as \xNN
// ($'User\xe9.iff'), as GNU ls quotes such names.
std::string shown_path(const std::string& name);
// A message box's text for the terminal: its CR LF line breaks as `line_end`, each line as
// shown_path shows it (a path on a line of its own can be typed back).
std::string message_text(const std::string& text, const char* line_end = "\n");

// A character file named on the command line as the editor holds it: its full path.
std::string full_path(const std::string& path);

void add_format_commands(CLI::App& app);     // iff, strings, far, far-extract
void add_sim_commands(CLI::App& app);        // sim, edit
void add_game_commands(CLI::App& app);       // where, neighbourhoods, sims, export
// where: the game and its saves, how they were found, other installs (where_command.cpp).
int run_where(const std::string& game_option, bool json);
void add_catalogue_commands(CLI::App& app);  // models, skins, extract-heads, demo-game
void add_backup_commands(CLI::App& app);     // backups, restore
void add_render_commands(CLI::App& app);     // render-head
void add_check_commands(CLI::App& app);      // check

}  // namespace fw::cli
