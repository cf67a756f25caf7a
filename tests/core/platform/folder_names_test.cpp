#include "core/platform/folder_names.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "support/temp_dir.hpp"

// A file deleted by the program is forgotten by the kept listing without listing the folder again;
// a name still held by a file whose name differs only in case stays found. A run of changes in one
// folder matches names as the path layer does and leaves the kept listing true to the folder.
TEST(FolderNames, TheKeptListingFollowsDeletionsCaseTwinsAndRunsOfChanges) {
    fw::build::TempDir dir;
    dir.write("Home/web_image.bmp", "old");
    dir.write("Twins/Twin.bmp", "T");
    dir.write("Twins/twin.bmp", "t");
    const std::string home = dir.str() + "\\home\\";
    const std::string twins = dir.str() + "\\twins\\";
    EXPECT_TRUE(fw::delete_file(home + "Web_Image.Bmp"));
    fw::write_file(home + "Web_Image.BMP", "new");
    EXPECT_EQ(dir.read("Home/Web_Image.BMP"), "new");  // spelled as written now, not as before
    EXPECT_TRUE(fw::delete_file(home + "WEB_IMAGE.bmp"));
    EXPECT_FALSE(fw::file_exists(home + "web_image.BMP"));

    const std::string first = fw::resolve_path(twins + "TWIN.BMP").filename().string();
    EXPECT_TRUE(fw::delete_file(twins + first));
    EXPECT_TRUE(fw::file_exists(twins + "TWIN.BMP"));
    EXPECT_EQ(fw::read_file(twins + "TWIN.BMP"), first == "Twin.bmp" ? "t" : "T");

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
    EXPECT_FALSE(fw::file_exists(folder + "\\Speech_Large.bmp"));
    EXPECT_EQ(fw::read_file(folder + "\\WEB_IMAGE.BMP"), "w");
}
