#pragma once
// What the main window decides as it loads and each time it becomes active: the settings it seeds
// and reads, the game path it takes, the checks of that path and the boxes they show, and the
// question asked before it closes.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/game/game_installs.hpp"

namespace fw {

// "Facewright - Version 2.0.2": the title box's caption.
std::string title_caption();
// The title box's caption + " - by Tamsworth": the main window's caption.
std::string main_caption();

struct StartupSettings {
    std::string game_path;        // the stored "Sims Location" after seeding
    bool backup_checked = false;  // the check mark of "&Create Backup File"
};

// The main window's load: seeds "Backup Saved File" with "1" when it reads empty, then settles the
// game path. A game chosen for this run (`run_game`: --game, --demo) is the game path, and
// "Sims Location" is neither read nor written. Otherwise the stored location is the game path
// while it holds the game's executable; when it is empty, "ERROR" or holds no executable any
// more, `look_up` runs (it answers a game path or "ERROR"): what it finds is stored and is the
// game path. Finding nothing, an empty location is seeded with "ERROR" and any other is kept (a
// drive not mounted yet).
StartupSettings seed_settings(const std::string& run_game, const std::function<std::string()>& look_up);
// The same for the game chosen for this run and the look-up of game_installs.hpp, setting the
// program-wide game path.
StartupSettings load_startup_settings();

// The "HeadPreview" folder in the program folder, where the head previews are kept. A folder that
// exists already or cannot be made is no concern here.
void create_head_preview_folder();

struct PathCheck {
    std::vector<BoxMessage> boxes;  // to show, in this order
    bool game_found = false;        // the game's executable is at the path
};

// The activation's checks of the game path: a box for an empty path or the registry's failure
// text, another when "sims.exe" is not there (an empty path gets both). A Legacy Collection
// install whose saves folder the game has not made yet gets the box of saves_not_made_box.
PathCheck check_game_path(const std::string& game_path);

// Gives the check's "not found" boxes, as their details, every place the look-up of `search`
// looked at and what it found there, the stored location, and the game path that was checked.
void add_search_details(PathCheck& check, const std::string& game_path, const InstallSearch& search);

// For a Legacy Collection install that has never been started, and so has no neighbourhoods
// yet: the box that asks the player to start the game once ("Start The Sims Once"); else nothing.
std::optional<BoxMessage> saves_not_made_box(const std::string& game_path);

// The neighbourhood list line that the stored "Last Neighborhood Selected" selects, as the list
// holds it, or "" when none matches (the list finds its lines without regard to case).
std::string last_neighbourhood_line(const std::vector<std::string>& lines);

// The unload modes in which Windows itself ends the program (shutting down or logging off, the
// Task Manager): no question is asked then.
inline constexpr int kUnloadAppWindows = 2;
inline constexpr int kUnloadTaskManager = 3;
bool asks_before_closing(int unload_mode);
// "Exit this program?" titled "Confirm Action", Yes and No.
BoxMessage exit_question();

}  // namespace fw
