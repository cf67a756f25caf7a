#include "core/game/content_archive.hpp"

#include <gtest/gtest.h>

#include <chrono>

#include "builders/far_builder.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::far_archive;

// An entry is found by its name without its folders or case, the first of a name; a name that
// could build a path outside its folder never is. An archive rewritten at its old size is read anew.
TEST(ArchiveContents, FindsTheFirstSafeEntryOfANameAndRereadsAChangedArchive) {
    fw::build::TempDir game;
    const std::string path =
        game.write("a.far", far_archive({{"bad\x01.bmp", "x"}, {"folder\\D.BMP", "1"}, {"d.bmp", "2"}}));
    const auto contents = fw::archive_contents(path);
    EXPECT_EQ(contents->find("d.bmp"), 2);
    EXPECT_EQ(contents->find("bad\x01.bmp") + contents->find("folder\\D.BMP"), 0);
    EXPECT_EQ(fw::archive_contents(path), contents);  // unchanged, it is not read again

    const auto written = std::filesystem::last_write_time(path);
    game.write("a.far", far_archive({{"bad\x01.bmp", "x"}, {"folder\\G.BMP", "1"}, {"d.bmp", "2"}}));
    std::filesystem::last_write_time(path, written + std::chrono::seconds(1));
    EXPECT_EQ(fw::archive_contents(path)->find("g.bmp"), 2);
}

}  // namespace
