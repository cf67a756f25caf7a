#include <gtest/gtest.h>

#include "support/test_environment.hpp"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const fw::build::TestEnvironment environment;
    return RUN_ALL_TESTS();
}
