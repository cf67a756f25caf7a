#include "core/platform/open_file.hpp"

#include <gtest/gtest.h>

#include "support/error_text_of.hpp"
#include "support/temp_dir.hpp"

using fw::build::error_of;

// Each way a file fails to open has its own number in the messages and the error log.
TEST(OpenFile, AFolderAMissingFileAndAMissingFolderFailEachWithItsOwnNumber) {
    fw::build::TempDir dir;
    int64_t size = -1;
    EXPECT_EQ(error_of([&] { fw::open_reading(dir.path(), size); }), "Error 75 - Path/File access error");
    EXPECT_EQ(error_of([&] { fw::open_reading(dir.path() / "x.iff", size); }), "Error 53 - File not found");
    EXPECT_EQ(error_of([&] { fw::open_or_fail(dir.path() / "x/x.iff", "wb"); }), "Error 76 - Path not found");
}
