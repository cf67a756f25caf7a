#pragma once
// What the main window decides as it loads and each time it becomes active: the settings it seeds
// and reads, the game path it takes, the checks of that path and the boxes they show, and the
// question asked before it closes.
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"

namespace fw {

// "Facewright - Version 2.0.2": the title box's caption.
std::string title_caption();
// The title box's caption + " - by Tamsworth": the main window's caption.
std::string main_caption();

struct StartupSettings {
    std::string game_path;        // the stored "Sims Location" after seeding
    bool backup_checked = false;  // the check mark of "&Create Backup File"
};

// The main window's load, from the registry's answer on: seeds "Backup Saved File" with "1" and
// "Sims Location" with the registry's answer (even "ERROR") when they read empty, then reads them
// back. The stored location, not the registry, is the game path from then on.
StartupSettings seed_settings(const std::string& registry_answer);
// The same with the registry read, setting the program-wide game path.
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
