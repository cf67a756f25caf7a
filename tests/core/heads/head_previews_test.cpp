#include "core/heads/head_previews.hpp"

#include <gtest/gtest.h>

#include "core/platform/program_folder.hpp"

namespace {

// The browser writes a skin's two previews and the editor and head selector read them by these names.
TEST(HeadPreviews, AreTheSkinsTwoFilesInTheProgramFoldersCache) {
    EXPECT_EQ(fw::head_preview_path("x"), fw::program_folder() + "\\HeadPreview\\Preview_x.bmp");
    EXPECT_EQ(fw::head_preview2_path("x"), fw::program_folder() + "\\HeadPreview\\Preview2_x.bmp");
}

}  // namespace
