#include "core/platform/game_paths.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/failure.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/shown_name.hpp"
#include "support/temp_dir.hpp"

namespace {

namespace fs = std::filesystem;

TEST(GamePaths, ComponentsAndWildcardsMatchWithoutRegardToCase) {
    fw::build::TempDir dir;
    dir.write("Game/UserData2/Characters/User00001.iff", "sim");
    const std::string game = dir.str() + "/game";
    EXPECT_TRUE(fw::file_exists(game + "\\userdata2\\characters\\USER00001.IFF"));
    EXPECT_TRUE(fw::folder_exists(game + "\\USERDATA2\\Characters\\"));
    EXPECT_FALSE(fw::file_exists(game + "\\userdata2\\characters"));  // a folder is not a file
    EXPECT_EQ(fw::file_length(game + "/userdata2/characters/user00001.iff"), 3);
    EXPECT_EQ(fw::file_length(game + "/missing"), -1);
    // Paths in messages: the real spelling of what exists, "/" throughout, the rest as written.
    EXPECT_EQ(fw::display_path(game + "\\userdata2\\CHARACTERS\\user00001.IFF"),
              dir.str() + "/Game/UserData2/Characters/User00001.iff");
    EXPECT_EQ(fw::display_path(game + "\\New Folder\\x.txt"), dir.str() + "/Game/New Folder/x.txt");
    EXPECT_EQ(fw::display_path("relative\\file.txt"), "relative/file.txt");
    // A file written through a differently spelled path lands in the existing folders.
    fw::write_file(game + "\\USERDATA2\\CHARACTERS\\new.iff", "new");
    EXPECT_EQ(dir.read("Game/UserData2/Characters/new.iff"), "new");
    // An existing file is replaced under its own spelling, not doubled.
    fw::write_file(game + "\\userdata2\\characters\\user00001.IFF", "changed");
    EXPECT_EQ(dir.read("Game/UserData2/Characters/User00001.iff"), "changed");
    EXPECT_THROW(fw::read_file(game + "\\nowhere\\x.iff"), fw::Failure);

    EXPECT_TRUE(fw::create_folder(game + "\\Backup\\deeper"));
    EXPECT_TRUE(fw::create_folder(game + "\\backup"));  // an existing folder is fine
    fw::copy_file(game + "\\USERDATA2\\characters\\NEW.IFF", game + "\\backup\\b.iff");
    EXPECT_EQ(dir.read("Game/Backup/b.iff"), "new");
    EXPECT_THROW(fw::copy_file(game + "\\missing", game + "\\c.iff"), fw::Failure);
    EXPECT_FALSE(fs::exists(dir.path() / "Game/c.iff"));
    EXPECT_TRUE(fw::delete_file(game + "\\backup\\B.IFF"));
    EXPECT_FALSE(fw::delete_file(game + "\\backup\\B.IFF"));
    EXPECT_FALSE(fw::delete_file(game + "\\Backup"));  // folders are not deleted as files

    // Wildcard listings are sorted without regard to case.
    for (const char* name : {"UserData10/x", "userdata3/x", "UserData/x", "UserData2/x", "Userdata_old/x",
                             "Downloads/x", "UserData.txt"})
        dir.write(name, "");
    EXPECT_EQ(fw::list_matching(dir.str() + "\\Userdata*"),
              (std::vector<std::string>{"UserData", "UserData.txt", "UserData10", "UserData2", "userdata3",
                                        "Userdata_old"}));
    EXPECT_EQ(fw::list_matching(dir.str() + "\\Userdata*", fw::Listing::FilesOnly),
              std::vector<std::string>{"UserData.txt"});
    EXPECT_EQ(fw::list_matching(dir.str() + "\\USERDATA?"),
              (std::vector<std::string>{"UserData2", "userdata3"}));
    EXPECT_TRUE(fw::list_matching(dir.str() + "\\missing\\*").empty());
    EXPECT_TRUE(fw::wildcard_match("C???MA*.cmx", "c005ma_romeo.CMX"));
    EXPECT_TRUE(fw::wildcard_match("*_*.bmp", "a_b_c.bmp"));
    EXPECT_FALSE(fw::wildcard_match("C???MA*.cmx", "C05MA_x.cmx"));
    EXPECT_FALSE(fw::wildcard_match("user*.iff", "user1.iff.bak"));
}

TEST(GamePaths, DriveLettersGoThroughTheWinePrefix) {
    fw::build::TempDir prefix;
    fw::build::ScopedEnv env("WINEPREFIX", prefix.str());
    prefix.write("drive_c/Program Files/Maxis/The Sims/Sims.exe", "");
    fs::create_directories(prefix.path() / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix.path() / "dosdevices" / "c:");
    EXPECT_TRUE(fw::file_exists("c:/program files/maxis/the sims/SIMS.EXE"));
    // As the registry writes it.
    EXPECT_TRUE(fw::file_exists("C:\\Program Files\\Maxis\\The Sims\\Sims.exe"));
    EXPECT_FALSE(fw::file_exists("D:\\Program Files\\Maxis\\The Sims\\Sims.exe"));
}

// A file deleted by the program is forgotten by the kept listing without listing the folder again;
// a name still held by a file whose name differs only in case stays found. A run of changes in one
// folder matches names as the path layer does and leaves the kept listing true to the folder.
TEST(GamePaths, TheKeptListingFollowsDeletionsCaseTwinsAndRunsOfChanges) {
    fw::build::TempDir dir;
    dir.write("Home/web_image.bmp", "old");
    dir.write("Twins/Twin.bmp", "T");
    dir.write("Twins/twin.bmp", "t");
    const std::string home = dir.str() + "\\home\\";
    const std::string twins = dir.str() + "\\twins\\";
    EXPECT_TRUE(fw::delete_file(home + "Web_Image.Bmp"));
    fw::write_file(home + "Web_Image.BMP", "new");
    EXPECT_EQ(dir.read("Home/Web_Image.BMP"), "new");  // spelled as written now, not as before
    EXPECT_FALSE(fs::exists(dir.path() / "Home/web_image.bmp"));
    EXPECT_TRUE(fw::delete_file(home + "WEB_IMAGE.bmp"));
    EXPECT_FALSE(fw::file_exists(home + "web_image.BMP"));

    const std::string first = fw::resolve_path(twins + "TWIN.BMP").filename().string();
    EXPECT_TRUE(fw::delete_file(twins + first));
    EXPECT_TRUE(fw::file_exists(twins + "TWIN.BMP"));
    EXPECT_EQ(fw::read_file(twins + "TWIN.BMP"), first == "Twin.bmp" ? "t" : "T");
    dir.write("Home/Other.bmp", "o");  // made behind the program's back
    EXPECT_EQ(fw::read_file(home + "OTHER.BMP"), "o");

    dir.write("Run/faces.bmp", "old");
    dir.write("Run/speech_large.bmp", "s");
    const std::string folder = dir.str() + "/Run";
    EXPECT_TRUE(fw::file_exists(folder + "\\FACES.BMP"));  // the folder's listing is kept from here on
    dir.write("Run/web_image.bmp", "behind the program's back");
    {
        fw::FolderChanges run(dir.path() / "Run");
        EXPECT_TRUE(run.delete_file("Web_Image.Bmp"));
        EXPECT_FALSE(run.delete_file("Web_Image.Bmp"));
        EXPECT_TRUE(run.delete_file("SPEECH_large.Bmp"));
        run.write_file("FACES.BMP", "new");
        run.write_file("Web_Image.BMP", "w");
    }
    EXPECT_EQ(dir.read("Run/faces.bmp"), "new");
    EXPECT_EQ(dir.read("Run/Web_Image.BMP"), "w");
    EXPECT_FALSE(fs::exists(dir.path() / "Run/FACES.BMP"));
    EXPECT_FALSE(fw::file_exists(folder + "\\Speech_Large.bmp"));
    EXPECT_EQ(fw::read_file(folder + "\\WEB_IMAGE.BMP"), "w");
}

TEST(GamePaths, AtomicReplaceLeavesTheOldFileWholeWhenItCannotWrite) {
    fw::build::TempDir dir;
    const std::string target = dir.write("Characters/User00001.iff", "old contents");
    fw::replace_file_atomically(dir.str() + "\\characters\\user00001.IFF", "new contents");
    EXPECT_EQ(dir.read("Characters/User00001.iff"), "new contents");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "Characters"), fs::directory_iterator()), 1);

    // Permissions stay, and a linked file is replaced where it lies.
    const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, kept);
    const std::string link = (dir.path() / "link.iff").string();
    fs::create_symlink(target, link);
    fw::replace_file_atomically(link, "through the link");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(dir.read("Characters/User00001.iff"), "through the link");
    EXPECT_EQ(fs::status(target).permissions(), kept);

    if (::geteuid() != 0) {  // root writes anywhere; the permission case only means something for users
        fs::permissions(dir.path() / "Characters", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_THROW(fw::replace_file_atomically(target, "newer"), fw::Failure);
        fs::permissions(dir.path() / "Characters", fs::perms::owner_all);
        EXPECT_EQ(dir.read("Characters/User00001.iff"), "new contents");
    }
}

// The skins folder is read file by file through a spelling that differs from its real one; the
// folder found the first time must never outlive a change to it.
TEST(FolderCache, AFolderMatchedOnceFollowsRenamesRemovalsAndAnExactSpellingMadeLater) {
    fw::build::TempDir dir;
    dir.write("Game/GameData/Skins/C001MAlgt_a.bmp", "a");
    dir.write("Game/GameData/Skins/C001MAlgt_b.bmp", "b");
    const std::string skins = dir.str() + "/game\\gamedata\\skins\\";
    EXPECT_EQ(fw::read_file(skins + "c001malgt_a.bmp"), "a");
    EXPECT_EQ(fw::read_file(skins + "C001MALGT_B.BMP"), "b");
    EXPECT_EQ(fw::resolve_path(skins), dir.path() / "Game/GameData/Skins");  // the folder itself
    dir.write("Game/GameData/Skins/C002MAlgt_c.bmp", "c");                   // made behind its back
    EXPECT_EQ(fw::read_file(skins + "c002malgt_C.bmp"), "c");
    fs::remove(dir.path() / "Game/GameData/Skins/C001MAlgt_b.bmp");
    EXPECT_FALSE(fw::file_exists(skins + "C001MALGT_B.BMP"));

    fs::rename(dir.path() / "Game/GameData", dir.path() / "Game/GAMEDATA");
    EXPECT_EQ(fw::resolve_path(skins + "c001malgt_a.bmp"),
              dir.path() / "Game/GAMEDATA/Skins/C001MAlgt_a.bmp");

    fs::remove_all(dir.path() / "Game/GAMEDATA");
    EXPECT_FALSE(fw::file_exists(skins + "c001malgt_a.bmp"));
    EXPECT_EQ(fw::resolve_path(skins + "x.bmp"), dir.path() / "Game/gamedata/skins/x.bmp");

    dir.write("Game/GameData/Skins/C001MAlgt_a.bmp", "old spelling");
    EXPECT_EQ(fw::read_file(skins + "c001malgt_a.bmp"), "old spelling");
    dir.write("game/gamedata/skins/C001MAlgt_a.bmp", "exact");
    EXPECT_EQ(fw::read_file(skins + "c001malgt_a.bmp"), "exact");
}

// UTF-8 names (made on this system) show as they are; other bytes are the game's Windows-1252,
// including sequences that only look like UTF-8 (overlong, surrogate, cut short).
TEST(ShownName, Utf8AsItIsAnythingElseAsWindows1252) {
    const std::pair<std::string, std::string> cases[] = {
        {"C005MA_Ren\xC3\xA9.cmx", "C005MA_Ren\xC3\xA9.cmx"},
        {"\xE2\x82\xAC\xF0\x9F\x98\x80", "\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"Ren\xE9", "Ren\xC3\xA9"},
        {"\x80\xC0\xAF", "\xE2\x82\xAC\xC3\x80\xC2\xAF"},
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"ab\xC3", "ab\xC3\x83"},
    };
    for (const auto& [name, shown] : cases) EXPECT_EQ(fw::shown_name(name), shown) << name;
}

}  // namespace
