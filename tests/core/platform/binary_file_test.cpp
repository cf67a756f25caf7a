#include "core/platform/binary_file.hpp"

#include <gtest/gtest.h>

#include "support/error_text_of.hpp"
#include "support/temp_dir.hpp"

TEST(BinaryFile, CreateEmptiesTheFileAndReadingPastItsEndFails) {
    fw::build::TempDir dir;
    dir.write("Far/Heads.far", "an older and longer archive");
    fw::BinaryFile out = fw::BinaryFile::create(dir.str() + "\\far\\HEADS.FAR");
    out.write("FAR!byAZ");
    out.close();
    EXPECT_EQ(dir.read("Far/Heads.far"), "FAR!byAZ");
    fw::BinaryFile in = fw::BinaryFile::open_for_reading(dir.str() + "\\far\\heads.far");
    in.seek(4);
    EXPECT_EQ(in.read_exact(2), "by");
    EXPECT_EQ(fw::build::error_of([&] { in.read_exact(3); }), "Error 62 - Input past end of file");
}
