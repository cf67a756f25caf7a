#include "core/platform/file_lock.hpp"

#include <gtest/gtest.h>

#include <future>
#include <memory>

#include "core/base/failure.hpp"
#include "support/temp_dir.hpp"

// The windows and every CLI run save one at a time, each waiting for the lock another holds.
TEST(FileLock, ASecondLockOnTheSameFileWaitsForTheFirstToGo) {
    fw::build::TempDir dir;
    auto first = std::make_unique<fw::FileLock>(dir.str() + "/save.lock");
    auto second = std::async(std::launch::async, [&] { const fw::FileLock lock(dir.str() + "/save.lock"); });
    EXPECT_EQ(second.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    first.reset();
    second.get();
    EXPECT_THROW(fw::FileLock(dir.str() + "/missing/save.lock"), fw::Failure);
}
