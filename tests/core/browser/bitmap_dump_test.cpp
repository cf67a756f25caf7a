#include "core/browser/bitmap_dump.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "builders/iff_builder.hpp"
#include "core/formats/iff.hpp"
#include "core/formats/rsmp.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::IffBuilder;

TEST(BitmapDump, WritesEachBitmapUnderItsFilteredLabel) {
    fw::build::TempDir home;
    fw::build::ScopedEnv env("FACEWRIGHT_HOME", home.str());
    IffBuilder b;
    b.chunk("BMP_", 1, "faces", "FACES");
    b.chunk("BMP_", 2, "rel. images", "REL");
    b.chunk("BMP_", 3, std::string("web_image\0old", 13), "WEB");
    b.chunk("BMP_", 4, "../../evil", "EVIL");
    b.chunk("BMP_", 5, "...", "NOTHING");
    b.chunk("BMP_", 6, std::string(64, 'L'), "LONG");  // no NUL: taken whole
    b.chunk("STR#", 7, "faces2", "NOT A BITMAP");
    fw::IFFFile file;
    ASSERT_EQ(fw::read_iff_checked_from_bytes(file, b.bytes()), "");
    fw::gsDumpBMPs(file);
    EXPECT_EQ(home.read("faces.BMP"), "FACES");
    EXPECT_EQ(home.read("relimages.BMP"), "REL");
    EXPECT_EQ(home.read("web_image.BMP"), "WEB");
    EXPECT_EQ(home.read("evil.BMP"), "EVIL");  // dots and slashes are dropped: it stays in the folder
    EXPECT_EQ(home.read(std::string(64, 'L') + ".BMP"), "LONG");
    EXPECT_FALSE(std::filesystem::exists(home.path() / ".BMP"));
    EXPECT_FALSE(std::filesystem::exists(home.path() / "faces2.BMP"));
    EXPECT_EQ(fw::gfstrSafeFileName("a-b_c.d e/\xE9Z9"), "a-b_cdeZ9");
}

}  // namespace
