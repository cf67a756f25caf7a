#include "core/heads/picture_check.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "support/temp_dir.hpp"

// Only a file that decodes is a picture; one that is missing or cannot be read is none.
TEST(PictureCheck, OnlyAFileThatDecodesIsAPicture) {
    fw::build::TempDir dir;
    EXPECT_TRUE(fw::loads_as_picture(dir.write("face.bmp", fw::build::face_bmp(1, 4, 4))));
    EXPECT_FALSE(fw::loads_as_picture(dir.write("text.bmp", "not a picture")));
    EXPECT_FALSE(fw::loads_as_picture(dir.write("cut.bmp", fw::build::face_bmp(1, 4, 4).substr(0, 20))));
    EXPECT_FALSE(fw::loads_as_picture(dir.str() + "/missing.bmp"));
    EXPECT_FALSE(fw::read_picture_file(dir.str()));  // a folder
}
