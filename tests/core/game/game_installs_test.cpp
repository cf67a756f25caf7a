#include "core/game/game_installs.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <sys/stat.h>

#include "builders/steam_builder.hpp"
#include "core/game/key_values.hpp"
#include "core/platform/program_folder.hpp"
#include "core/game/reg_file.hpp"
#include "core/game/registry.hpp"
#include "core/game/saves_folder.hpp"
#include "core/game/steam_library.hpp"
#include "support/temp_dir.hpp"
#include "support/wine_prefix.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;

// The files as Steam writes them, and the liberties its own reader takes.
TEST(KeyValues, ReadsSteamsFilesAsSteamWritesThem) {
    const std::string text =
        "// written by Steam\n"
        "\"libraryfolders\"\r\n{\r\n"
        "\t\"0\"\r\n\t{\r\n\t\t\"path\"\t\t\"C:\\\\Program Files (x86)\\\\Steam\"\r\n"
        "\t\t\"label\"\t\t\"\"\r\n\t\t\"apps\"\t{ \"228980\" \"1\" }\r\n\t}\r\n"
        "\t\"1\" { \"path\" \"D:\\Games\\Lib\" } // one backslash, kept\n"
        "\t\"Quote\" \"say \\\"hi\\\"\\n\"\n"
        "\tbare_key bare/value\n"
        "\t\"only_on_windows\" \"yes\" [$WIN32]\n"
        "}\n";
    std::string error;
    const std::optional<KeyValue> root = parse_key_values(text, &error);
    ASSERT_TRUE(root) << error;
    const KeyValue* list = root->find("LIBRARYFOLDERS");  // keys match without regard to case
    ASSERT_TRUE(list && list->is_block);
    ASSERT_EQ(list->children.size(), 5u);
    EXPECT_EQ(list->find("0")->value_of("path"), "C:\\Program Files (x86)\\Steam");
    EXPECT_EQ(list->find("0")->find("apps")->value_of("228980"), "1");
    EXPECT_EQ(list->find("1")->value_of("path"), "D:\\Games\\Lib");
    EXPECT_EQ(list->value_of("quote"), "say \"hi\"\n");
    EXPECT_EQ(list->value_of("bare_key"), "bare/value");
    EXPECT_EQ(list->value_of("only_on_windows"), "yes");
}

TEST(KeyValues, RefusesWhatIsNotWellFormedAndSaysWhere) {
    // Nesting is refused past its limit, not by running out of stack.
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += "\"k\" { ";
        return text + std::string(static_cast<size_t>(depth), '}');
    };
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"open quote", "\"a\" \"b", "a quoted text is not closed (line 1)"},
        {"open block", "\"a\"\n{\n\"b\" \"c\"\n", "a block is not closed (line 4)"},
        {"stray close", "\"a\" \"b\"\n}", "\"}\" without its \"{\" (line 2)"},
        {"key alone", "\"a\" { \"b\" }", "the key \"b\" has no value (line 1)"},
        {"nested too deep", nested(kKeyValuesMaxDepth + 1), "blocks nested too deep (line 1)"},
    };
    for (const auto& [what, text, expected] : cases) {
        std::string error;
        EXPECT_FALSE(parse_key_values(text, &error)) << what;
        EXPECT_EQ(error, expected) << what;
    }
    EXPECT_TRUE(parse_key_values(nested(kKeyValuesMaxDepth)));
    EXPECT_TRUE(parse_key_values(""));
}

const std::string kManifest = "steamapps/appmanifest_3314060.acf";

TEST(SteamLibrary, LibrariesFromEitherFormOfTheListEachOnceAndTheAppsFolderInItsLibraryOnly) {
    build::TempDir dir;
    const fs::path root = dir.path() / "Steam";
    EXPECT_EQ(steam_libraries(root), std::vector<fs::path>{root});  // no list: the root alone
    dir.write("Steam/steamapps/libraryfolders.vdf", "\"libraryfolders\" { \"0\" { \"path\" ");
    EXPECT_EQ(steam_libraries(root), std::vector<fs::path>{root});  // a broken list: the same
    // A list without end (a link into /proc) is no list either.
    fs::remove(root / "steamapps/libraryfolders.vdf");
    fs::create_symlink("/proc/self/pagemap", root / "steamapps/libraryfolders.vdf");
    EXPECT_EQ(steam_libraries(root), std::vector<fs::path>{root});
    fs::remove(root / "steamapps/libraryfolders.vdf");

    fs::create_directories(dir.path() / "disk/Lib");
    fs::create_directory_symlink(root, dir.path() / "root-link");
    const std::string lib = (dir.path() / "disk/Lib").string();
    dir.write("Steam/steamapps/libraryfolders.vdf",
              build::library_folders_vdf({(dir.path() / "root-link").string(), lib, lib + "/", ""}));
    EXPECT_EQ(steam_libraries(root), (std::vector<fs::path>{root, lib}));

    // An old client's list, in an old library spelled SteamApps.
    fs::remove_all(root / "steamapps");
    dir.write("Steam/SteamApps/libraryfolders.vdf", build::library_folders_vdf({lib}, true));
    EXPECT_EQ(steam_libraries(root), (std::vector<fs::path>{root, lib}));

    // The manifest names a folder in the library's own steamapps/common, whatever its letters.
    const fs::path install = lib + "/SteamApps/common/Sims Folder";
    fs::create_directories(install);
    const std::string manifest = "disk/Lib/SteamApps/appmanifest_3314060.acf";
    dir.write(manifest, build::app_manifest("3314060", "The Sims", "../../Sims Folder"));
    EXPECT_EQ(steam_app_folder(lib, kLegacyAppId), std::nullopt);
    dir.write(manifest, build::app_manifest("3314060", "The Sims", "SIMS FOLDER"));
    EXPECT_EQ(steam_app_folder(lib, kLegacyAppId), install);
    EXPECT_EQ(steam_library_of(install / "", kLegacyAppId), lib);
    EXPECT_EQ(steam_library_of(lib + "/elsewhere/common/Sims Folder", kLegacyAppId), std::nullopt);
}

// A home of the test's own, with its own default Wine prefix.
class GameInstallsTest : public testing::Test {
protected:
    fs::path home() const { return home_.path(); }

    build::TempDir home_;
    build::ScopedEnv home_env_{"HOME", home_.str()};
    build::ScopedEnv data_env_{"XDG_DATA_HOME", home_.str() + "/.local/share"};
    build::ScopedEnv prefix_env_{"WINEPREFIX", home_.str() + "/.wine"};
};

// The path of the first install found, "none" when there is none.
std::string first_found() {
    const std::optional<GameInstall> found = first_game_install(install_search());
    return found ? found->path : "none";
}

std::string listed(const std::vector<GameInstall>& installs) {
    std::string text;
    for (const GameInstall& install : installs)
        text += found_by_name(install.found_by) + ": " + install.path + " (" + install.through + ")\n";
    return text;
}

TEST_F(GameInstallsTest, RegistryThenSteamThenOtherPrefixesAndErrorOnlyWhenNothingIsFound) {
    EXPECT_EQ(first_found(), "none");
    EXPECT_TRUE(find_game_installs().empty());

    // Lutris' prefix holds a 2000 install, Bottles' prefixes an entry without the game and the
    // EA app's copy; the registry's path is written in other letters than the folders.
    const fs::path lutris = home() / "Games/the-sims";
    build::write_wine_registry(lutris, "C:\\PROGRAM FILES\\Maxis\\The Sims", false);
    const fs::path lutris_game = build::write_game_in_prefix(lutris, "Program Files/Maxis/The Sims");
    build::write_wine_registry(home() / ".var/app/com.usebottles.bottles/data/bottles/bottles/Empty",
                               "C:\\Gone");
    const fs::path bottle = home() / ".local/share/bottles/bottles/Legacy";
    const fs::path ea_game = build::write_game_in_prefix(bottle, "Program Files/EA Games/The Sims Legacy");
    EXPECT_EQ(first_found(), ea_game.string());

    const build::SteamHome steam = build::steam_home(home());
    build::write_steam_home(steam);
    EXPECT_EQ(first_found(), steam.install.string());
    // A second name for the Steam root lists the same libraries, which count once.
    fs::create_directories(home() / ".steam");
    fs::create_directory_symlink(steam.root, home() / ".steam/steam");

    // The registry comes first only where the game is: an entry left by an install that is gone,
    // or that names no folder, gives way to the game that is there.
    fs::create_directories(home() / ".wine/dosdevices");
    fs::create_directory_symlink("../drive_c", home() / ".wine/dosdevices/c:");
    for (const std::string entry : {"", "/", "..\\..", "C:\\Sims"}) {
        build::write_wine_registry(home() / ".wine", entry);
        EXPECT_EQ(first_found(), steam.install.string()) << entry;
    }
    // Each place looked at says what it found there, for the player to see why.
    std::string places;
    for (const PlaceLooked& place : places_looked(install_search()))
        places += place.place + ": " + place.found + "\n";
    for (const std::string& line :
         {(home() / ".wine/system.reg").string() + ": InstallPath \"C:\\Sims\" holds no Sims.exe",
          "Steam library " + steam.library.string() + ": The Sims in " + steam.install.string(),
          "Steam " + (home() / ".steam/root").string() + ": not there",
          "Wine prefixes in " + (home() / "Games").string() + ": 1",
          "Wine prefix " + (home() / ".var/app/com.usebottles.bottles/data/bottles/bottles/Empty").string() +
              ": InstallPath \"C:\\Gone\" holds no Sims.exe"}) {
        EXPECT_NE(places.find(line + "\n"), std::string::npos) << line << "\nin:\n" << places;
    }
    build::write_game_in_prefix(home() / ".wine", "Sims");
    EXPECT_EQ(first_found(), "C:\\Sims");  // the registry's own answer, as it stands
    EXPECT_EQ(listed(find_game_installs()),
              "registry: C:\\Sims (" + (home() / ".wine/system.reg").string() + ")\n" +
                  "Steam library: " + steam.install.string() + " (" + (steam.library / kManifest).string() +
                  ")\n" + "EA app folder: " + ea_game.string() + " (" + bottle.string() + ")\n" +
                  "Wine prefix: " + lutris_game.string() + " (" + (lutris / "system.reg").string() + ")\n");
}

// Each place Steam is installed to (native, Flatpak old and new, Snap), and a library that an old
// client made.
TEST_F(GameInstallsTest, EverySteamRootIsLookedAt) {
    for (const std::string root :
         {".local/share/Steam", ".steam/steam", ".var/app/com.valvesoftware.Steam/.local/share/Steam",
          ".var/app/com.valvesoftware.Steam/data/Steam", "snap/steam/common/.local/share/Steam",
          "data/Steam"}) {
        build::TempDir other_home;
        const build::ScopedEnv home_env("HOME", other_home.str());
        const build::ScopedEnv data_env("XDG_DATA_HOME", other_home.str() + "/data");
        other_home.write(root + "/SteamApps/appmanifest_3314060.acf",
                         build::app_manifest("3314060", "The Sims Legacy Collection", "Legacy"));
        const std::string install = other_home.write(root + "/SteamApps/common/Legacy/sims.exe", "");
        EXPECT_EQ(first_found(), fs::path(install).parent_path().string()) << root;
    }
}

// Points WINEPREFIX at a prefix of the test's own for the test's lifetime.
class RegistryTest : public testing::Test {
protected:
    void write_system_reg(const std::string& body, bool win64 = false) {
        prefix_.write("system.reg",
                      std::string("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n") +
                          (win64 ? "#arch=win64\n" : "#arch=win32\n") + "\n" + body);
    }
    // The value as GetRegistryString answers it; `size_` holds the size it gives back.
    std::string install_path(int32_t size = 0) {
        int32_t root = kHKeyLocalMachine;
        size_ = size;
        return GetRegistryString(root, kGameRegistryKey, kGameRegistryValue, size_);
    }

    build::TempDir prefix_;
    build::ScopedEnv prefix_env_{"WINEPREFIX", prefix_.str()};
    int32_t size_ = 0;
};

TEST_F(RegistryTest, ReadsInstallPathFromEitherKeyOrAnswersError) {
    const std::string key = "[Software\\\\Maxis\\\\The Sims] 1\n";
    const std::string twin = "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1\n";
    const std::string fits(254, 'a');  // with its NUL, the 255 bytes the buffer holds
    const std::string too_long = key + "\"InstallPath\"=\"" + fits + "b\"\n";
    const std::tuple<const char*, std::string, bool, std::string> cases[] = {
        {"twin only", twin + "\"InstallPath\"=\"C:\\\\Games\\\\Sims32\"\n", false, "C:\\Games\\Sims32"},
        {"twin first in a 64-bit prefix",
         key + "\"InstallPath\"=\"C:\\\\Plain\"\n" + twin + "\"InstallPath\"=\"C:\\\\Twin\"\n", true,
         "C:\\Twin"},
        // Wine writes characters above 126 as \x with hex digits (four when a hex digit follows; one
        // for each half of a surrogate pair), quotes and backslashes with a backslash, CR LF line
        // ends on some copies.
        {"escapes, case, CR LF",
         "[software\\\\maxis\\\\THE SIMS] 1\r\n\"installpath\"=\"C:\\\\Jeux\\\\Caf\\xe9\\x30b7\\xd83c\\xdfae "
         "\\\"Sims\\\"\\x00e9a\"\r\n",
         false,
         "C:\\Jeux\\Caf\xC3\xA9\xE3\x82\xB7\xF0\x9F\x8E\xAE \"Sims\"\xC3\xA9"
         "a"},
        {"254 bytes", key + "\"InstallPath\"=\"" + fits + "\"\n", false, fits},
        {"no value", key + "\"Language\"=\"English\"\n", false, "ERROR"},
        {"no key", "[Software\\\\Maxis] 1\n\"InstallPath\"=\"C:\\\\Maxis\"\n", false, "ERROR"},
        {"no NUL in the buffer", key + "\"InstallPath\"=hex:41,42\n", false, "ERROR"},
        {"expandable", key + "\"InstallPath\"=str(2):\"C:\\\\Sims\"\n", false, "C:\\Sims"},
        {"hex(2)", key + "\"InstallPath\"=hex(2):43,00,3a,00,\\\n  5c,00,53,00,00,00\n", false, "C:\\S"},
        // Last, for the size it gives back below.
        {"plain key among others",
         "[Software\\\\Maxis\\\\The Sims 2] 1\n\"InstallPath\"=\"D:\\\\Other\"\n\n" + key +
             "#time=1d7a0b0c0d0e0f0\n\"Language\"=dword:00000409\n\"InstallPath\"=\"C:\\\\Program "
             "Files\\\\Maxis\\\\The Sims\"\n",
         false, "C:\\Program Files\\Maxis\\The Sims"},
    };
    EXPECT_EQ(install_path(), "ERROR");  // no system.reg at all
    for (const auto& [what, body, win64, path] : cases) {
        write_system_reg(body, win64);
        EXPECT_EQ(install_path(), path) << what;
    }
    EXPECT_EQ(size_, 32);  // the last row's 31 characters and their NUL
    // 255 bytes are too long for the buffer: the size it would need comes back, and a larger
    // buffer takes it.
    write_system_reg(too_long);
    EXPECT_EQ(install_path(), "ERROR");
    EXPECT_EQ(size_, 256);
    EXPECT_EQ(install_path(300), fits + "b");

    // What is no registry file answers at once: a FIFO no one writes to, a file past the cap.
    const fs::path reg = prefix_.path() / "system.reg";
    fs::resize_file(reg, kLargestRegFile + 1);  // the entry above, then zeros
    EXPECT_EQ(install_path(300), "ERROR");
    fs::remove(reg);
    ASSERT_EQ(::mkfifo(reg.c_str(), 0600), 0);
    EXPECT_EQ(install_path(), "ERROR");
}

// The install as the player may have typed it (other letters, "\" separators, a trailing one) is
// the same Legacy install, and a 2000-era install in a Wine prefix is none.
TEST(SavesFolder, SteamsLegacyCollectionPlaysFromItsProtonPrefix) {
    build::TempDir dir;
    build::write_steam_home(build::steam_home(dir.path()));
    const std::string install = dir.str() + "/SteamLibrary/steamapps/common/The Sims Legacy Collection";
    const std::string pfx = dir.str() + "/SteamLibrary/steamapps/compatdata/3314060/pfx";
    for (const std::string& game :
         {install, install + "/",
          dir.str() + "\\steamlibrary\\SteamApps\\Common\\THE SIMS LEGACY COLLECTION\\"}) {
        const SavesFolder saves = saves_folder(game);
        EXPECT_EQ(saves.path, pfx + "/drive_c/users/steamuser/Saved Games/Electronic Arts/The Sims 25")
            << game;
        EXPECT_EQ(saves_place_text(saves), "the Proton prefix " + pfx);
    }
    const std::string classic = build::write_game_in_prefix(dir.path() / "wine", "Games/The Sims").string();
    EXPECT_EQ(saves_folder(classic).path, classic);
    EXPECT_EQ(saves_folder(classic).place, SavesPlace::Install);
}

TEST(SavesFolder, TheEaAppsCopyPlaysFromTheWinePrefixThatHoldsIt) {
    build::TempDir prefix;
    const build::ScopedEnv prefix_env("WINEPREFIX", prefix.str());
    const build::ScopedEnv user_env("USER", "alice");
    build::write_game_in_prefix(prefix.path(), "Program Files/EA Games/The Sims Legacy");
    fs::create_directories(prefix.path() / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix.path() / "dosdevices/c:");
    fs::create_directories(prefix.path() / "drive_c/users/Public");
    fs::create_directories(prefix.path() / "drive_c/users/alice");
    const std::string below = "/Saved Games/Electronic Arts/The Sims 25";
    SavesFolder saves = saves_folder("C:\\Program Files\\EA Games\\The Sims Legacy");
    EXPECT_EQ(saves.place, SavesPlace::WinePrefix);
    EXPECT_EQ(saves.prefix, prefix.str());
    EXPECT_EQ(saves.path, prefix.str() + "/drive_c/users/alice" + below);  // the user Wine runs as
    EXPECT_TRUE(saves_not_made_yet(saves));

    // Saves that another user of the prefix has are the ones the game plays from.
    fs::create_directories(prefix.str() + "/drive_c/users/bob" + below);
    saves = saves_folder(prefix.str() + "/drive_c/Program Files/EA Games/The Sims Legacy");
    EXPECT_EQ(saves.path, prefix.str() + "/drive_c/users/bob" + below);
    EXPECT_FALSE(saves_not_made_yet(saves));
}

// The windows name their organisation; the command-line tool does not. Both must find the same
// error log, backups and exports.
TEST(ProgramFolder, FollowsTheUserNeverTheApplicationOrOrganisationName) {
    build::TempDir dir;
    const QString organisation = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    QCoreApplication::setOrganizationName("Tamsworth");
    QCoreApplication::setApplicationName("Vestrel");
    {
        const build::ScopedEnv unset("FACEWRIGHT_HOME", "");
        const build::ScopedEnv data("XDG_DATA_HOME", dir.str() + "/data");
        EXPECT_EQ(program_folder(), dir.str() + "/data/Facewright");
        EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "data/Facewright"));
        const build::ScopedEnv home("HOME", dir.str() + "/home");
        for (const char* no_data_home : {"", "relative/data"}) {
            const build::ScopedEnv data_unset("XDG_DATA_HOME", no_data_home);
            EXPECT_EQ(program_folder(), dir.str() + "/home/.local/share/Facewright") << no_data_home;
        }
    }
    const build::ScopedEnv portable("FACEWRIGHT_HOME", dir.str() + "/portable/");
    EXPECT_EQ(program_folder(), dir.str() + "/portable");
    QCoreApplication::setOrganizationName(organisation);
    QCoreApplication::setApplicationName(application);
}

}  // namespace
}  // namespace fw
