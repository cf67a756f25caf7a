// The check's fixes, made as one run of the journal of fixes, and the undo of the last run.
#include <algorithm>
#include <exception>

#include "core/base/failure.hpp"
#include "core/formats/bmp_convert.hpp"
#include "core/game/description_name.hpp"
#include "core/game/fix_journal.hpp"
#include "core/game/nested_skins.hpp"
#include "core/game/saves_folder.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/sims/game_check.hpp"

namespace fw {

namespace {

constexpr int64_t kLargestSkin = 64 * 1024 * 1024;

FixPlaces places_of(const std::string& game_path) {
    FixPlaces places{fix_runs_folder(), {game_path}};
    const std::string saves = saves_folder(game_path).path;
    if (saves != game_path) places.game_folders.push_back(saves);
    return places;
}

std::string folder_of(const std::string& path) { return path.substr(0, path.rfind('\\')); }
std::string name_of(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// Each fix looks again at the file as it is now, so a stale finding changes nothing it did not see.
void make_fix(FixJournal& journal, const std::string& game_path, const Finding& f) {
    if (f.files.empty()) return;
    const std::string& file = f.files.front();
    switch (f.fix) {
    case FixKind::MoveSkinUp:
        for (const char* below : {"\\GameData\\Skins", "\\ExpansionShared\\SkinsBuy"})
            for (const NestedSkinFile& nested : find_nested_skin_files(game_path + below))
                if (nested.path == file && nested.name_free) move_nested_skin_file(journal, nested);
        return;
    case FixKind::CorrectOwnName:
        for (const NameMismatch& m : find_name_mismatches(folder_of(file)))
            if (m.path == file) fix_own_name(journal, m);
        return;
    case FixKind::CopyBuyableMesh:
        if (f.files.size() < 2) return;
        journal.create(folder_of(file) + "\\" + name_of(f.files[1]), read_file(f.files[1]),
                       "copied beside the buyable description " + name_of(file));
        return;
    case FixKind::ConvertTo8Bit: {
        // The file may have grown since the check: one far larger than any skin is not read.
        const std::optional<std::string> bytes = read_file_up_to(file, kLargestSkin);
        if (!bytes) throw Failure(ErrorKind::Overflow, "File too large: " + display_path(file));
        journal.change(file, convert_to_indexed8(*bytes), "converted to 8 bits");
        return;
    }
    case FixKind::None: return;
    }
}

std::string failure_text(const std::exception& e) {
    if (const auto* failure = dynamic_cast<const Failure*>(&e)) return error_text(*failure);
    return e.what();
}

}  // namespace

FixOutcome apply_fixes(const std::string& game_path, const std::vector<Finding>& findings,
                       const std::vector<FixKind>& kinds) {
    FixOutcome outcome;
    std::vector<const Finding*> chosen;
    for (const Finding& f : findings)
        if (f.fix != FixKind::None && std::find(kinds.begin(), kinds.end(), f.fix) != kinds.end())
            chosen.push_back(&f);
    if (chosen.empty()) {
        outcome.ok = true;
        outcome.words.push_back("Nothing to fix.");
        return outcome;
    }
    FixRunOutcome run;
    std::vector<FixRecord> done;
    try {
        run = run_fixes(places_of(game_path), [&](FixJournal& journal) {
            for (const Finding* f : chosen) make_fix(journal, game_path, *f);
            done = journal.records();
        });
    } catch (const std::exception& e) {
        outcome.words.push_back("The fixes could not be made: " + failure_text(e));
        return outcome;
    }
    if (!run.applied) {
        outcome.words.push_back("The fixes could not be made (" + run.error + "); the game is as it was.");
        for (const std::string& left : run.not_undone)
            outcome.words.push_back("Could not be put back: " + display_path(left));
        return outcome;
    }
    outcome.ok = true;
    outcome.changed = static_cast<int>(done.size());
    for (const FixRecord& r : done)
        outcome.words.push_back(display_path(r.path) + ": " + r.what + (r.to.empty() ? "" : " to " + display_path(r.to)));
    if (done.empty()) outcome.words.push_back("Nothing needed fixing any more.");
    return outcome;
}

FixOutcome undo_last_fixes(const std::string& game_path) {
    FixOutcome outcome;
    const FixPlaces places = places_of(game_path);
    try {
        const std::optional<std::string> run = last_fix_run(places);
        if (!run) {
            outcome.words.push_back("There are no fixes to undo.");
            return outcome;
        }
        const UndoOutcome undone = undo_fix_run(places, *run);
        outcome.ok = undone.left.empty();
        outcome.changed = undone.undone;
        outcome.words.push_back("Undid " + std::to_string(undone.undone) + (undone.undone == 1 ? " fix." : " fixes."));
        for (const std::string& left : undone.left) outcome.words.push_back("Left as it is: " + left);
    } catch (const std::exception& e) {
        outcome.words.push_back("The fixes could not be undone: " + failure_text(e));
    }
    return outcome;
}

}  // namespace fw
