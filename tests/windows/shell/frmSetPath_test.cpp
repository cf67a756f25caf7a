#include "windows/shell/frmSetPath.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/platform/settings.hpp"
#include "core/shell/app_state.hpp"
#include "support/temp_dir.hpp"
#include "support/window_driver.hpp"
#include "support/wine_prefix.hpp"
#include "windows/widgets/openers.hpp"

namespace fw {
namespace {

using build::click;
using build::text;

// A game folder with Sims.exe, a Wine prefix of the test's own, the folder browser replaced by one
// that answers `chosen`; the boxes' texts are the core's, here only whether one comes.
class FrmSetPathTest : public testing::Test {
protected:
    void SetUp() override {
        game_.write("Sims.exe", "");
        save_setting(kAppFacewright, kKeySimsLocation, "D:\\Stored");
        app_state().game_path = "D:\\Before";
        saved_browse_ = openers().browse_folder;
        openers().browse_folder = [this](QWidget*, const std::string& title) {
            titles_.push_back(title);
            return chosen_;
        };
    }
    void TearDown() override {
        openers().browse_folder = saved_browse_;
        app_state().game_path.clear();
    }
    static QString q(const std::string& s) { return QString::fromStdString(s); }
    void expect_unchanged() const {
        EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), "D:\\Stored");
        EXPECT_EQ(app_state().game_path, "D:\\Before");
    }

    build::TempDir game_;
    build::TempDir prefix_;
    build::ScopedEnv prefix_env_{"WINEPREFIX", prefix_.str()};
    build::BoxRecorder boxes_;
    std::optional<std::string> chosen_;
    std::vector<std::string> titles_;
    decltype(WindowOpeners::browse_folder) saved_browse_;
};

TEST_F(FrmSetPathTest, UseOrFindFillTheLocationAndOkStoresIt) {
    build::write_wine_registry(prefix_.path(), game_.str());
    frmSetPath dialog;
    dialog.show();
    EXPECT_EQ(text(dialog, "txtRegistry"), q(game_.str()));
    EXPECT_EQ(text(dialog, "txtLocation"), "D:\\Stored");
    click(dialog, "cmdFindPath");  // the browser cancelled
    EXPECT_EQ(text(dialog, "txtLocation"), "D:\\Stored");
    chosen_ = "D:\\Chosen";
    click(dialog, "cmdFindPath");
    EXPECT_EQ(text(dialog, "txtLocation"), "D:\\Chosen");
    EXPECT_EQ(titles_, (std::vector<std::string>(2, "Select the location of The Sims.")));
    click(dialog, "cmdUseReg");
    EXPECT_EQ(text(dialog, "txtLocation"), q(game_.str()));
    expect_unchanged();
    click(dialog, "cmdOK");
    EXPECT_TRUE(boxes_.boxes.empty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), game_.str());
    EXPECT_EQ(app_state().game_path, game_.str());
}

// Use with the registry's failure and OK on a folder without the game each show their box and
// leave the dialog open; Cancel then closes it with everything as it was.
TEST_F(FrmSetPathTest, RefusalsKeepTheDialogOpenAndCancelChangesNothing) {
    frmSetPath dialog;  // no registry in the prefix: "ERROR"
    dialog.show();
    EXPECT_EQ(text(dialog, "txtRegistry"), "ERROR");
    click(dialog, "cmdUseReg");
    chosen_ = game_.str() + "/nowhere";
    click(dialog, "cmdFindPath");
    click(dialog, "cmdOK");
    ASSERT_EQ(boxes_.boxes.size(), 2u);
    EXPECT_EQ(boxes_.boxes[0].title, "Path Invalid");
    EXPECT_EQ(boxes_.boxes[1].title, "Selected Location Invalid");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(text(dialog, "txtLocation"), q(*chosen_));
    click(dialog, "cmdCancel");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    expect_unchanged();
}

}  // namespace
}  // namespace fw
