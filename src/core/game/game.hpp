#pragma once
// The game the program works on, as one value: where it is installed (the game path, in the form
// the game's paths are written), how that was found, and its two roots, the install folder and
// the saves folder that holds its neighbourhoods (saves_folder.hpp). Or no game at all, with what
// the look-up found at each place it looked.
//
// The registry reader's failure text "ERROR" is no game here: it comes in only where the stored
// "Sims Location" is read (stored_game) and goes out only where that setting is written or the
// path is shown (stored_text).
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/game/game_installs.hpp"
#include "core/game/saves_folder.hpp"

namespace fw {

enum class GamePathSource {
    CommandLine,
    Demo,
    Setting,
    Registry,
    WinePrefix,
    SteamLibrary,
    EaAppFolder,
    None
};

class Game {
public:
    // No game, and nothing looked at yet (an empty "Sims Location").
    Game() = default;
    // The game installed at `install`. An empty path is no game.
    static Game at(std::string install, GamePathSource found_by, std::string through = "");
    // No game: the look-up found none at these places.
    static Game not_found(std::vector<PlaceLooked> places);

    bool known() const { return !install_.empty(); }
    // The game path ("" for no game).
    const std::string& install() const { return install_; }
    GamePathSource found_by() const { return found_by_; }
    // For an install found by the look-up: the registry, manifest or prefix it was found in.
    const std::string& through() const { return through_; }
    // No game after a look-up that found nothing (the registry reader's failure).
    bool looked_up() const { return looked_up_; }
    const std::vector<PlaceLooked>& places_looked() const { return places_; }
    // The game path as "Sims Location" stores it and the windows show it: the install, else
    // "ERROR" after a look-up that found nothing, else "".
    std::string stored_text() const;

    // The saves folder, found once for this value; while the game has not made it yet (a
    // Legacy install never started) it is looked for again at each call.
    const SavesFolder& saves() const;
    // The folder whose "UserData*" are the neighbourhoods: the saves folder's path.
    const std::string& neighbourhoods_root() const { return saves().path; }
    // The real paths of the two roots with links followed, found once.
    const std::string& install_real_path() const;
    const std::string& saves_real_path() const;

private:
    struct Roots {
        std::optional<SavesFolder> saves;
        bool saves_settled = false;
        std::optional<std::string> install_real;
        std::optional<std::string> saves_real;
    };
    std::string install_;
    GamePathSource found_by_ = GamePathSource::None;
    std::string through_;
    bool looked_up_ = false;
    std::vector<PlaceLooked> places_;
    // Shared by the copies of one value, filled as first asked for.
    std::shared_ptr<Roots> roots_ = std::make_shared<Roots>();
};

// "command line", "demo", "setting", "registry", "Wine prefix", "Steam library", "EA app folder"
// or "none".
std::string source_name(GamePathSource source);

// The game the stored "Sims Location" names, found by the setting; no game for an empty or
// "ERROR" location (the latter after a failed look-up).
Game stored_game();
// Stores the game as "Sims Location" (stored_text).
void store_game(const Game& game);

// The game the look-up finds first (game_installs.hpp), or no game with every place it looked.
Game look_up_game(const InstallSearch& search);
Game look_up_game();

}  // namespace fw
