#include "core/platform/game_files.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "core/base/failure.hpp"
#include "core/platform/game_paths.hpp"
#include "support/temp_dir.hpp"

namespace fs = std::filesystem;

TEST(GameFiles, ComponentsAndWildcardsMatchWithoutRegardToCase) {
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

    // An existing folder is fine.
    EXPECT_TRUE(fw::create_folder(game + "\\Backup\\deeper") && fw::create_folder(game + "\\backup"));
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
    EXPECT_TRUE(fw::list_matching(dir.str() + "\\missing\\*").empty());
}

TEST(GameFiles, AtomicReplaceLeavesTheOldFileWholeWhenItCannotWrite) {
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
