// check: the whole game checked against its sims, the fixes it can make and their undo.
#include <iostream>
#include <map>
#include <set>

#include "cli/commands.hpp"
#include "cli/game_folder.hpp"
#include "core/base/failure.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"
#include "core/sims/game_check.hpp"
#include "demo/check_game.hpp"

namespace fw::cli {

namespace {

struct CheckOptions {
    std::string game;
    std::string demo;  // "healthy" or "broken": a small game made to try the check on
    bool json = false;
    std::vector<std::string> fix;
    bool undo = false;
};

constexpr int kFound = 1;
constexpr int kCouldNotRun = 2;

std::string demo_folder(const std::string& which) {
    const std::string folder = program_folder() + "\\CheckDemo\\" + which;
    if (!file_exists(folder + "\\Sims.exe")) build::write_check_game(folder, which == "broken");
    return folder;
}

void print_text(const GameCheck& check) {
    if (check.findings.empty()) {
        std::cout << "Nothing found: the game's content and its sims look sound.\n";
        return;
    }
    for (Severity severity : {Severity::Crash, Severity::BlankSim, Severity::Ignored, Severity::Cosmetic}) {
        bool heading = false;
        for (const Finding& f : check.findings) {
            if (f.severity != severity) continue;
            if (!heading) std::cout << "\n== " << severity_words(severity) << " ==\n";
            heading = true;
            std::cout << "\n* " << escaped(f.explanation) << "\n";
            // Each sim is shown with its own character file; "file:" lists only the other files.
            std::set<std::string> sim_files;
            for (const TouchedSim& s : f.sims) sim_files.insert(s.file);
            for (const std::string& file : f.files)
                if (!sim_files.contains(file)) std::cout << "    file: " << shown_path(display_path(file)) << "\n";
            for (const TouchedSim& s : f.sims)
                std::cout << "    sim:  " << escaped(s.name) << " (" << escaped(s.neighbourhood) << ")"
                          << (s.needs.empty() ? "" : ", " + s.needs) << ": " << shown_path(display_path(s.file))
                          << "\n";
            if (f.fix != FixKind::None)
                std::cout << "    fix:  " << escaped(f.fix_words) << "  [check --fix " << fix_kind_id(f.fix) << "]\n";
        }
    }
    std::cout << "\n" << check.findings.size() << " finding(s).\n";
}

int print_outcome(const FixOutcome& outcome, bool json) {
    if (json) {
        print_json({{"ok", outcome.ok}, {"changed", outcome.changed}, {"words", outcome.words}});
    } else {
        for (const std::string& line : outcome.words) std::cout << escaped(line) << "\n";
    }
    return outcome.ok ? 0 : 1;
}

int run_check(const CheckOptions& o) {
    std::string game;
    try {
        game = o.demo.empty() ? game_folder(game_option(o.game), o.json) : demo_folder(o.demo);
    } catch (const Failure& failure) {
        report_error("The demo game could not be written: " + error_text(failure), o.json);
        return kCouldNotRun;
    }
    if (game.empty()) return kCouldNotRun;
    if (o.undo) return print_outcome(undo_last_fixes(game), o.json);
    std::vector<FixKind> kinds;
    for (const std::string& id : o.fix) {
        const FixKind kind = fix_kind_of(id);
        if (kind == FixKind::None) {
            report_error("No fix is called " + escaped(id) +
                             ". The fixes are move-skin-up, correct-own-name, copy-buyable-mesh, convert-to-8-bit.",
                         o.json);
            return kCouldNotRun;
        }
        kinds.push_back(kind);
    }
    GameCheck check;
    try {
        check = check_game(game);
    } catch (const Failure& failure) {
        report_error("The game could not be checked: " + error_text(failure), o.json);
        return kCouldNotRun;
    }
    if (!kinds.empty()) return print_outcome(apply_fixes(game, check.findings, kinds), o.json);
    if (o.json) {
        std::cout << game_check_json(check) << "\n";
    } else {
        print_text(check);
    }
    return check.findings.empty() ? 0 : kFound;
}

}  // namespace

void add_check_commands(CLI::App& app) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* check = app.add_subcommand(
        "check", "Check the whole game: sims that wear what the game lacks, and files that break it "
                 "(exit 0: nothing found, 1: something found, 2: the check could not run)");
    check->add_option("--game", options->game, kGameOptionHelp);
    check->add_option("--demo", options->demo,
                      "Check a small game made for trying the check: \"healthy\", or \"broken\" with each fault once")
        ->check(CLI::IsMember({"healthy", "broken"}));
    check->add_flag("--json", options->json, "Print JSON");
    check->add_option("--fix", options->fix, "Make the fixes of these kinds, as one run that can be undone")
        ->expected(1, -1);
    check->add_flag("--undo", options->undo, "Undo the last run of fixes");
    check->callback([options] { exit_code() = run_check(*options); });
}

}  // namespace fw::cli
