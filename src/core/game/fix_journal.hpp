#pragma once
// The undo of a run of fixes to the game's content files. Every file a fix changes or moves is
// first kept in a folder of the run (the program folder's "Backup\Fixes\<run>"), beside a record
// of where each kept file came from and what the fix did with it: changed it in place, moved it,
// or created a new file. A run that fails half way is rolled back at once; a finished run can be
// undone as a whole later. Nothing is ever deleted but a file the fix itself created, and that
// only while it is as the fix left it.
//
// Every path the journal touches lies inside one of the game's folders it was given: a path that
// climbs out ("..") or passes through a link inside the game is refused, in a fix and in a record
// read back alike, so a damaged or hostile record cannot reach another file.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw {

// Where a run keeps what it needs: the folder of the runs and the game's folders (the install,
// the saves root) inside which alone it may change files.
struct FixPlaces {
    std::string runs_folder;  // fix_runs_folder(), or a test's own
    std::vector<std::string> game_folders;
};

// Where the runs are kept: the program folder + "\Backup\Fixes", beside the sims' backups.
std::string fix_runs_folder();

// What a fix did with one file.
enum class FixAction { Changed, Moved, Created };

struct FixRecord {
    FixAction action = FixAction::Changed;
    std::string path;  // the file as a game path: the changed or created file, or where it moved from
    std::string to;    // where it moved to
    std::string what;  // the fix, in words ("converted to 8 bits")
};

// The journal of one run, handed to the fixes; each of its operations keeps what it needs to
// undo before it touches the game. Each fails (a fw::Failure) without touching anything when the
// path is refused, a file to create or move to already exists, or the file to keep cannot be
// kept.
struct FixRunOutcome;

class FixJournal {
public:
    // Replaces the file's bytes (atomically, as the save replaces a sim's file).
    void change(const std::string& path, const std::string& bytes, const std::string& what);
    // Moves the file to a name where no file is.
    void move(const std::string& from, const std::string& to, const std::string& what);
    // Writes a new file where none is.
    void create(const std::string& path, const std::string& bytes, const std::string& what);

    const std::vector<FixRecord>& records() const { return records_; }

    struct Entry;  // what the record on disk keeps of one fix
    FixJournal(const FixJournal&) = delete;
    FixJournal& operator=(const FixJournal&) = delete;
    ~FixJournal();

private:
    friend FixRunOutcome run_fixes(const FixPlaces& places, const std::function<void(FixJournal&)>& fixes);
    FixJournal(FixPlaces places, std::string run_folder);
    // The entry joins the record on disk before the game is touched.
    void add(Entry entry);

    FixPlaces places_;
    std::string run_folder_;
    std::vector<FixRecord> records_;
    std::vector<Entry> entries_;
};

struct FixRunOutcome {
    bool applied = false;
    std::string run;    // the run's folder name, "" when nothing was recorded
    std::string error;  // why the run failed ("Error 70 - Permission denied")
    // What rolling back a failed run could not put back (it stays kept in the run's folder).
    std::vector<std::string> not_undone;
};

// Runs the fixes in a new run folder (named by the time, "_2", "_3" added when taken). When one
// fails, what the run did so far is undone at once and the failure is reported.
FixRunOutcome run_fixes(const FixPlaces& places, const std::function<void(FixJournal&)>& fixes);

// The newest finished run that was not undone, by folder name; nothing when there is none.
std::optional<std::string> last_fix_run(const FixPlaces& places);

struct UndoOutcome {
    int undone = 0;
    // Each file left as it is, with why: changed since the fix, a file now lies where it would go
    // back to, the record's path was refused.
    std::vector<std::string> left;
};

// Undoes a run, last fix first: changed files get their kept bytes back, moved files go back,
// created files are removed while the fix's bytes are still theirs. The run is marked undone.
// Fails only when the run's record cannot be read.
UndoOutcome undo_fix_run(const FixPlaces& places, const std::string& run);

}  // namespace fw
