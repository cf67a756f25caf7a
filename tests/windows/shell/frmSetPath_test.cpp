#include "windows/shell/frmSetPath.hpp"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/settings.hpp"
#include "core/shell/app_state.hpp"
#include "support/temp_dir.hpp"
#include "windows/widgets/msg_box.hpp"
#include "windows/widgets/openers.hpp"

namespace fw {
namespace {

std::string shown(const BoxMessage& box) {
    return box.title + " (" + std::to_string(box.style) + "): " + box.text;
}

// A game folder with Sims.exe, a folder without it, a Wine prefix of the test's own; every box
// answered and recorded, the folder browser replaced.
class FrmSetPathTest : public testing::Test {
protected:
    void SetUp() override {
        game_.write("Sims.exe", "");
        no_game_.write("GameData/Skins/readme.txt", "no game here");
        save_setting(kAppFacewright, kKeySimsLocation, "");
        app_state().game_path = "D:\\Before";
        install_box_responder([this](const BoxMessage& box) {
            boxes_.push_back(shown(box));
            return BoxAnswer::Ok;
        });
        saved_browse_ = openers().browse_folder;
    }
    void TearDown() override {
        install_box_responder({});
        openers().browse_folder = saved_browse_;
        app_state().game_path.clear();
    }
    void set_registry(const std::string& install_path) {
        prefix_.write("system.reg",
                      "WINE REGISTRY Version 2\n\n[Software\\\\Maxis\\\\The Sims] 1\n\"InstallPath\"=\"" +
                          install_path + "\"\n");
    }
    static QString text_of(const frmSetPath& dialog, const char* box) {
        return dialog.findChild<QLineEdit*>(box)->text();
    }
    static void click(frmSetPath& dialog, const char* button) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    }

    build::TempDir game_;
    build::TempDir no_game_;
    build::TempDir prefix_;
    build::ScopedEnv prefix_env_{"WINEPREFIX", prefix_.str()};
    std::vector<std::string> boxes_;
    decltype(WindowOpeners::browse_folder) saved_browse_;
};

TEST_F(FrmSetPathTest, UseThenOkTakesTheRegistryPathAndStoresIt) {
    set_registry(game_.str());
    frmSetPath dialog;
    dialog.show();
    EXPECT_EQ(text_of(dialog, "txtRegistry"), QString::fromStdString(game_.str()));
    EXPECT_EQ(text_of(dialog, "txtLocation"), QString());

    click(dialog, "cmdUseReg");
    EXPECT_EQ(text_of(dialog, "txtLocation"), QString::fromStdString(game_.str()));
    click(dialog, "cmdOK");
    EXPECT_TRUE(boxes_.empty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), game_.str());
    EXPECT_EQ(app_state().game_path, game_.str());
}

TEST_F(FrmSetPathTest, UseWithTheRegistryFailureOnlyShowsItsBox) {
    save_setting(kAppFacewright, kKeySimsLocation, "D:\\Stored");
    frmSetPath dialog;  // no registry in the prefix: "ERROR"
    dialog.show();
    EXPECT_EQ(text_of(dialog, "txtRegistry"), "ERROR");
    EXPECT_EQ(text_of(dialog, "txtLocation"), "D:\\Stored");

    click(dialog, "cmdUseReg");
    EXPECT_EQ(boxes_, std::vector<std::string>{
                          "Path Invalid (48): Registry value invalid. Please find the path manually."});
    EXPECT_EQ(text_of(dialog, "txtLocation"), "D:\\Stored");
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(FrmSetPathTest, OkRefusesAFolderWithoutSimsExeAndStaysOpen) {
    save_setting(kAppFacewright, kKeySimsLocation, no_game_.str());
    frmSetPath dialog;
    dialog.show();
    click(dialog, "cmdOK");
    EXPECT_EQ(boxes_,
              std::vector<std::string>{"Selected Location Invalid (48): The Sims was not found in:\r\n" +
                                       no_game_.str() + "\r\nThe selected location was invalid"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(text_of(dialog, "txtLocation"), QString::fromStdString(no_game_.str()));
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), no_game_.str());
    EXPECT_EQ(app_state().game_path, "D:\\Before");
}

TEST_F(FrmSetPathTest, FindFillsTheLocationAndCancelKeepsEverythingAsItWas) {
    save_setting(kAppFacewright, kKeySimsLocation, "D:\\Stored");
    frmSetPath dialog;
    std::vector<std::string> titles;
    std::optional<std::string> answer;  // the user cancels the browser first
    openers().browse_folder = [&](QWidget* owner, const std::string& title) {
        EXPECT_EQ(owner, &dialog);
        titles.push_back(title);
        return answer;
    };
    dialog.show();

    click(dialog, "cmdFindPath");
    EXPECT_EQ(text_of(dialog, "txtLocation"), "D:\\Stored");
    answer = game_.str();
    click(dialog, "cmdFindPath");
    EXPECT_EQ(text_of(dialog, "txtLocation"), QString::fromStdString(game_.str()));
    EXPECT_EQ(titles, (std::vector<std::string>(2, "Select the location of The Sims.")));

    click(dialog, "cmdCancel");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), "D:\\Stored");
    EXPECT_EQ(app_state().game_path, "D:\\Before");
}

}  // namespace
}  // namespace fw
