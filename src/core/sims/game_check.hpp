#pragma once
// The check of the whole game: every sim's appearance against the game's content, and the files
// players drop into the game that break it (skins the game cannot use or does not look at,
// description files and meshes that name what is not there, damaged archives and downloads).
// The check only reads; the fixes it offers change files through the journal of fixes, so a run
// can be undone as a whole.
#include <functional>
#include <string>
#include <vector>

namespace fw {

// How badly a finding hurts the game, most serious first.
enum class Severity { Crash, BlankSim, Ignored, Cosmetic };

// The player's words for a severity: "crash", "blank sim", "ignored", "cosmetic".
std::string severity_words(Severity severity);

// A sim a finding touches.
struct TouchedSim {
    std::string name;           // as shown in the program
    std::string neighbourhood;  // the neighbourhood's name as shown ("" for the game's own sims)
    std::string file;           // game path of the character file
    std::string needs;          // which part needs the missing name: "head", "outfit 2", "hands 18"
};

// The fixes the check can make without asking the player anything more.
enum class FixKind { None, MoveSkinUp, CorrectOwnName, CopyBuyableMesh, ConvertTo8Bit };

// The stable id of a fix kind, used by the CLI's --fix ("move-skin-up", ...; "" for None).
std::string fix_kind_id(FixKind kind);
// The fix kind of an id; None when the id names none.
FixKind fix_kind_of(const std::string& id);

struct Finding {
    std::string kind;  // stable id ("missing-head-model", "skin-not-8-bit", ...)
    Severity severity = Severity::Cosmetic;
    std::string explanation;         // plain words; "may" where the game's rule is not certain
    std::vector<std::string> files;  // game paths, as the player sees them
    std::vector<TouchedSim> sims;
    FixKind fix = FixKind::None;
    std::string fix_words;  // what the fix would do ("" when there is none)
    // For the 3D view: the head model or mesh and the skin or texture this finding concerns.
    std::string model;
    std::string skin;
};

struct GameCheck {
    std::vector<Finding> findings;  // most serious first
    bool cancelled = false;
};

// Told how far the check is (done of total steps); returns false to stop the check.
using CheckProgress = std::function<bool(size_t done, size_t total)>;

// Checks the game installed at the game path. Writes nothing and shows nothing, so it may run on
// a worker thread. A check that cannot run at all (no game there) fails with a fw::Failure.
GameCheck check_game(const std::string& game_path, const CheckProgress& progress = {});

// The check as JSON text: {"cancelled":..,"findings":[{kind, severity, explanation, files, sims,
// fix, fix_words, model, skin}]}.
std::string game_check_json(const GameCheck& check);

// What a run of fixes or an undo did, in words for the player.
struct FixOutcome {
    bool ok = false;
    int changed = 0;                  // files fixed, or put back by an undo
    std::vector<std::string> words;   // one line per file or per problem
};

// Applies the fixes of the given kinds to the findings that carry them, as one run of the
// journal: either every fix is made or the game is left as it was.
FixOutcome apply_fixes(const std::string& game_path, const std::vector<Finding>& findings,
                       const std::vector<FixKind>& kinds);

// Undoes the last run of fixes that was not undone.
FixOutcome undo_last_fixes(const std::string& game_path);

}  // namespace fw
