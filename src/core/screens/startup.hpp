#pragma once
// What the main window decides as it loads and each time it becomes active: the settings it seeds
// and reads, the game path it takes, the checks of that path and the boxes they show, and the
// question asked before it closes.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/game/game.hpp"

namespace fw {

// "Facewright - Version 2.0.2": the title box's caption.
std::string title_caption();
// The title box's caption + " - by Tamsworth": the main window's caption.
std::string main_caption();

struct StartupSettings {
    Game game;                    // the game settled on
    bool backup_checked = false;  // the check mark of "&Create Backup File"
};

// The main window's load: seeds "Backup Saved File" with "1" when it reads empty, then settles the
// game. A game chosen for this run (`run_game`: --game, --demo) is the game, and "Sims Location"
// is neither read nor written. Otherwise the stored location is the game while it holds the
// game's executable; when it is empty, names no game or holds no executable any more, `look_up`
// runs: what it finds is stored and is the game. Finding nothing, an empty location is stored as
// no game found and any other is kept (a drive not mounted yet).
StartupSettings seed_settings(const Game& run_game, const std::function<Game()>& look_up);
// The same for the game chosen for this run and the look-up of game.hpp, setting the
// program-wide game.
StartupSettings load_startup_settings();

// The "HeadPreview" folder in the program folder, where the head previews are kept. A folder that
// exists already or cannot be made is no concern here.
void create_head_preview_folder();

struct PathCheck {
    std::vector<BoxMessage> boxes;  // to show, in this order
    bool game_found = false;        // the game's executable is at the path
};

// The activation's checks of the game: a box for no game (one for a look-up that found none,
// another when nothing was looked up), another when "sims.exe" is not there (no game gets both).
// A Legacy Collection install whose saves folder the game has not made yet gets the box of
// saves_not_made_box.
PathCheck check_game_path(const Game& game);

// Gives the check's "not found" boxes, as their details, every place the look-up of `search`
// looked at and what it found there, the stored location, and the game path that was checked.
void add_search_details(PathCheck& check, const Game& game, const InstallSearch& search);

// For a Legacy Collection install that has never been started, and so has no neighbourhoods
// yet: the box that asks the player to start the game once ("Start The Sims Once"); else nothing.
std::optional<BoxMessage> saves_not_made_box(const Game& game);

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
