#include "browser/skin_export.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "shell/settings.hpp"
#include "support/iff_builder.hpp"
#include "support/sim_builder.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

class SkinExportTest : public testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("FACEWRIGHT_HOME")) saved_home_ = old;
        setenv("FACEWRIGHT_HOME", home_.str().c_str(), 1);
    }
    void TearDown() override {
        if (saved_home_) setenv("FACEWRIGHT_HOME", saved_home_->c_str(), 1);
        else unsetenv("FACEWRIGHT_HOME");
    }
    std::string folder() const { return game_.str() + "\\UserData2\\characters\\"; }
    void sim(const std::string& file, const std::string& bytes) { game_.write("UserData2/Characters/" + file, bytes); }

    build::TempDir home_;
    build::TempDir game_;
    std::optional<std::string> saved_home_;
};

TEST_F(SkinExportTest, WritesBothFilesByteForByteLeavingOutFilesThatCannotBeRead) {
    build::SimSpec romeo;
    romeo.name = "Rom\xE9o";
    romeo.head = "C005MA_ROMEO,HEAD-HEAD=c005malgt_romeo;x";
    sim("User00001.iff", build::sim_file(romeo));
    sim("User00002.iff", "truncated");
    // Two name chunks: the export takes the last one.
    std::vector<std::string> appearance = build::appearance_values(build::SimSpec{});
    appearance[1] = "B001FAfit_01,BODY=b001fafitlgt_01";
    appearance[2] = "NoEquals";
    build::IffBuilder two_names;
    two_names.chunk("STR#", 200, "", build::str_list_data(appearance))
        .chunk("CTSS", 2000, "", build::str_list_data(std::vector<std::string>{"First"}))
        .chunk("CTSS", 2001, "", build::str_list_data(std::vector<std::string>{"Last"}));
    sim("User00003.iff", two_names.bytes());
    // A readable file whose appearance list runs off its chunk is left out like an unreadable one.
    build::IffBuilder broken;
    broken.chunk("STR#", 200, "", "\xFD\xFF\x03\x00\x01" "adult");
    sim("User00004.iff", broken.bytes());

    const std::optional<BoxMessage> box =
        smenuExport_Click(folder(), {"User00001.iff", "User00002.iff", "User00003.iff", "User00004.iff"});
    ASSERT_TRUE(box.has_value());
    const std::string home = home_.str();
    EXPECT_EQ(*box, (BoxMessage{"Exported:\r\n" + home + "\\headskins.txt\r\n" + home + "\\bodyskins.txt", 64,
                                "Export Complete"}));
    EXPECT_EQ(home_.read("headskins.txt"),
              "User00001.iff;Rom\xE9o;c005malgt_romeo;x\r\n"
              "User00003.iff;Last;NoEquals\r\n");
    EXPECT_EQ(home_.read("bodyskins.txt"),
              "User00001.iff;Rom\xE9o;b003mafatlgt_casual\r\n"
              "User00003.iff;Last;b001fafitlgt_01\r\n");
}

TEST_F(SkinExportTest, NoSimsWritesNothingAndSaysNothing) {
    home_.write("headskins.txt", "older export");
    EXPECT_EQ(smenuExport_Click(folder(), {}), std::nullopt);
    EXPECT_EQ(home_.read("headskins.txt"), "older export");
    EXPECT_FALSE(std::filesystem::exists(home_.path() / "bodyskins.txt"));
}

TEST(BackupOptionTest, EachClickTogglesAndStoresTheOption) {
    EXPECT_FALSE(smenuBackup_Click(true));
    EXPECT_EQ(get_setting(kAppFacewright, kKeyBackupSavedFile), "0");
    EXPECT_TRUE(smenuBackup_Click(false));
    EXPECT_EQ(get_setting(kAppFacewright, kKeyBackupSavedFile), "1");
}

}  // namespace
}  // namespace fw
