#pragma once
#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

namespace fw::build {

// A fresh game folder and a fresh program folder (where the editor keeps its own files) for
// each test.
class GameAndHome : public testing::Test {
protected:
    TempDir home_;
    ScopedEnv home_env_{"FACEWRIGHT_HOME", home_.str()};
    TempDir game_;
};

}  // namespace fw::build
