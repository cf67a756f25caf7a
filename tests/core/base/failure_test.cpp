#include "core/base/failure.hpp"

#include <gtest/gtest.h>

#include <filesystem>

// Whatever a reader throws reaches the player as a numbered failure in the standard words.
TEST(Failure, AnyExceptionIsReportedAsANumberedFailureInItsStandardWords) {
    const auto reported = [](auto thrown) {
        try { throw thrown; } catch (...) { return fw::error_text(fw::failure_from_current_exception()); }
    };
    const std::error_code full = std::make_error_code(std::errc::no_space_on_device);
    EXPECT_EQ(reported(std::filesystem::filesystem_error("", full)), "Error 61 - Disk full");
    EXPECT_EQ(reported(std::runtime_error("bad chunk")), "Error 51 - bad chunk");
}
