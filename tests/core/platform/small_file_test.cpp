#include "core/platform/small_file.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

TEST(SmallFile, ARegularFileIsReadWholeUpToTheCapAndCountsAsAbsentBeyondIt) {
    fw::build::TempDir dir;
    const std::string file = dir.write("system.reg", "0123456789");
    EXPECT_EQ(fw::read_capped_file(file, 10), "0123456789");
    EXPECT_EQ(fw::read_capped_file(file, 9), std::nullopt);
    EXPECT_EQ(fw::read_capped_file("/proc/self/status", 9), std::nullopt);  // claims a size of 0
    EXPECT_EQ(fw::read_capped_file(dir.path(), 9), std::nullopt);
}
