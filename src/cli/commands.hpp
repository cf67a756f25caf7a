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
int report_error(const std::string& message, bool json);

void add_format_commands(CLI::App& app);  // iff, strings, far, far-extract
void add_sim_commands(CLI::App& app);     // sim, edit
void add_game_commands(CLI::App& app);       // where, neighbourhoods, sims, export
void add_catalogue_commands(CLI::App& app);  // models, skins, extract-heads, demo-game

}  // namespace fw::cli
