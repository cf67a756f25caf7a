#include "core/game/game.hpp"

#include "core/game/registry.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/settings.hpp"

namespace fw {

Game Game::at(std::string install, GamePathSource found_by, std::string through) {
    Game game;
    if (install.empty()) return game;
    game.install_ = std::move(install);
    game.found_by_ = found_by;
    game.through_ = std::move(through);
    return game;
}

Game Game::not_found(std::vector<PlaceLooked> places) {
    Game game;
    game.looked_up_ = true;
    game.places_ = std::move(places);
    return game;
}

std::string Game::stored_text() const {
    if (known()) return install_;
    return looked_up_ ? kRegistryFailure : "";
}

const SavesFolder& Game::saves() const {
    if (!roots_->saves_settled) {
        roots_->saves = saves_folder(install_);
        // Until the game makes its folder, which user's Saved Games it lands in is not settled.
        roots_->saves_settled = !saves_not_made_yet(*roots_->saves);
        roots_->saves_real.reset();
    }
    return *roots_->saves;
}

const std::string& Game::install_real_path() const {
    if (!roots_->install_real) roots_->install_real = followed_path(install_);
    return *roots_->install_real;
}

const std::string& Game::saves_real_path() const {
    const std::string& saves = this->saves().path;
    if (!roots_->saves_real) roots_->saves_real = followed_path(saves);
    return *roots_->saves_real;
}

std::string source_name(GamePathSource source) {
    switch (source) {
    case GamePathSource::CommandLine: return "command line";
    case GamePathSource::Demo: return "demo";
    case GamePathSource::Setting: return "setting";
    case GamePathSource::Registry: return "registry";
    case GamePathSource::WinePrefix: return "Wine prefix";
    case GamePathSource::SteamLibrary: return "Steam library";
    case GamePathSource::EaAppFolder: return "EA app folder";
    case GamePathSource::None: break;
    }
    return "none";
}

Game stored_game() {
    const std::string stored = get_setting(kAppFacewright, kKeySimsLocation);
    if (stored == kRegistryFailure) return Game::not_found({});
    return Game::at(stored, GamePathSource::Setting);
}

void store_game(const Game& game) { save_setting(kAppFacewright, kKeySimsLocation, game.stored_text()); }

Game look_up_game(const InstallSearch& search) {
    std::vector<PlaceLooked> places;
    const std::optional<GameInstall> found = first_game_install(search, &places);
    if (!found) return Game::not_found(std::move(places));
    GamePathSource source = GamePathSource::WinePrefix;
    switch (found->found_by) {
    case InstallFoundBy::Registry:
#ifdef _WIN32
        source = GamePathSource::Registry;
#endif
        break;
    case InstallFoundBy::WinePrefix: break;
    case InstallFoundBy::SteamLibrary: source = GamePathSource::SteamLibrary; break;
    case InstallFoundBy::EaAppFolder: source = GamePathSource::EaAppFolder; break;
    }
    return Game::at(found->path, source, found->through);
}

Game look_up_game() { return look_up_game(install_search()); }

}  // namespace fw
