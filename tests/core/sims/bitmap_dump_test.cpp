#include "core/sims/bitmap_dump.hpp"

#include <gtest/gtest.h>

#include "builders/sim_builder.hpp"
#include "core/platform/game_files.hpp"
#include "support/temp_dir.hpp"

// Each picture goes under its label cut to what a file name may hold, so none leaves the folder.
// Labels that name one file in a folder blind to case: the later picture is the one the folder
// keeps and the one handed back to draw, so that the window shows what other tools find.
TEST(BitmapDump, EachPictureGoesUnderItsSafeLabelAndTheLastOfANameWins) {
    fw::IFFFile image;
    fw::read_iff_checked_from_bytes(image, fw::build::sim_file({.bitmaps = {{"Web_Image", "1"}, {"faces", "F"},
        {"../../e-v i.\xE9l", "EVIL"}, {"...", "NOTHING"}, {"WEB_IMAGE", "2"}}}));
    const fw::build::TempDir folder;
    fw::FolderChanges changes(folder.path());
    EXPECT_EQ(fw::dumped_bytes(fw::gsDumpBMPs(image, changes), "web_image.bmp"), "2");
    EXPECT_EQ(fw::build::files_below(folder.path()),
              (std::map<std::string, std::string>{{"Web_Image.BMP", "2"}, {"e-vil.BMP", "EVIL"},
                                                  {"faces.BMP", "F"}}));
    const fw::Portraits portraits = fw::sim_portraits(image);
    EXPECT_EQ(portraits.web_image + "|" + portraits.faces + "|" + portraits.relimages, "2|F|");
}
