#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <optional>

#include "core/game/app_state.hpp"
#include "support/temp_dir.hpp"
#include "support/window_driver.hpp"
#include "support/wine_prefix.hpp"
#include "windows/shell/frmSetPath.hpp"
#include "windows/shell/frmTitle.hpp"
#include "windows/widgets/openers.hpp"

namespace fw {
namespace {

// A game folder with Sims.exe, a Wine prefix of the test's own, the folder browser replaced by one
// that answers `chosen`; the boxes' texts are the core's, here only whether one comes.
class FrmSetPathTest : public testing::Test {
protected:
    void SetUp() override {
        game_.write("Sims.exe", "");
        save_setting(kAppFacewright, kKeySimsLocation, "D:\\Stored");
        app_state().game = Game::at("D:\\Before", GamePathSource::Setting);
        saved_browse_ = openers().browse_folder;
        openers().browse_folder = [this](QWidget*, const std::string& title) {
            titles_.push_back(title);
            return chosen_;
        };
    }
    void TearDown() override {
        openers().browse_folder = saved_browse_;
        app_state().game = Game();
    }

    build::TempDir game_;
    build::TempDir prefix_;
    build::ScopedEnv prefix_env_{"WINEPREFIX", prefix_.str()};
    build::BoxRecorder boxes_;
    std::optional<std::string> chosen_;
    std::vector<std::string> titles_;
    decltype(WindowOpeners::browse_folder) saved_browse_;
};

// Use with the registry's failure and OK on a folder without the game each show their box and
// leave the dialog open; Cancel then closes it with everything as it was. With the game in the
// registry, Find (unless the browser is cancelled) and Use fill the location, and OK stores it.
TEST_F(FrmSetPathTest, RefusalsAndCancelChangeNothingUseOrFindFillTheLocationAndOkStoresIt) {
    frmSetPath refused;  // no registry in the prefix: "ERROR"
    refused.show();
    EXPECT_EQ(build::text(refused, "txtRegistry"), "ERROR");
    build::click(refused, "cmdUseReg");
    chosen_ = game_.str() + "/nowhere";
    build::click(refused, "cmdFindPath");
    build::click(refused, "cmdOK");
    EXPECT_EQ(boxes_.titles(), (std::vector<std::string>{"Path Invalid", "Selected Location Invalid"}));
    EXPECT_TRUE(refused.isVisible());
    EXPECT_EQ(build::text(refused, "txtLocation"), QString::fromStdString(*chosen_));
    build::click(refused, "cmdCancel");
    EXPECT_FALSE(refused.isVisible());
    EXPECT_EQ(refused.result(), QDialog::Rejected);

    build::write_wine_registry(prefix_.path(), game_.str());
    boxes_.boxes.clear();
    frmSetPath dialog;
    dialog.show();
    EXPECT_EQ(build::text(dialog, "txtRegistry"), QString::fromStdString(game_.str()));
    chosen_.reset();
    build::click(dialog, "cmdFindPath");  // the browser cancelled: the stored location stays
    EXPECT_EQ(build::text(dialog, "txtLocation"), "D:\\Stored");
    chosen_ = "D:\\Chosen";
    build::click(dialog, "cmdFindPath");
    EXPECT_EQ(build::text(dialog, "txtLocation"), "D:\\Chosen");
    EXPECT_EQ(titles_, (std::vector<std::string>(3, "Select the location of The Sims.")));
    // Each button has an access key of its own; Use leaves the focus shown on it, and Tab walks
    // the boxes and buttons in the order they read, never onto the hidden focus button.
    QStringList keys;
    for (const char* button : {"cmdUseReg", "cmdFindPath", "cmdOK", "cmdCancel"})
        keys << QKeySequence::mnemonic(build::control<QAbstractButton>(dialog, button)->text()).toString();
    EXPECT_EQ(keys.join(QLatin1Char(' ')), "Alt+U Alt+F Alt+O Alt+C");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    build::click(dialog, "cmdUseReg");
    EXPECT_EQ(build::text(dialog, "txtLocation"), QString::fromStdString(game_.str()));
    EXPECT_EQ(build::tab_stops(6), "txtLocation cmdFindPath cmdOK cmdCancel txtRegistry cmdUseReg");
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), "D:\\Stored");
    EXPECT_EQ(app_state().game.install(), "D:\\Before");
    build::click(dialog, "cmdOK");
    EXPECT_TRUE(boxes_.boxes.empty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), game_.str());
    EXPECT_EQ(app_state().game.install(), game_.str());
}

TEST(FrmTitle, ShowsTheNoticeAndOpensTheMainWindowOnceClosedEitherWay) {
    for (const bool by_ok : {true, false}) {
        int opened = 0;
        QPointer<frmTitle> title = show_title_box([&] { ++opened; });
        ASSERT_TRUE(title && title->isVisible());
        EXPECT_EQ(title->windowTitle(), "Facewright - Version 2.0.2");
        const QString notice = title->findChild<QPlainTextEdit*>("Text1")->toPlainText();
        for (const char* words : {"NO WARRANTY", "Maxis", "Electronic Arts", "no affiliation"})
            EXPECT_TRUE(notice.contains(QString::fromLatin1(words))) << words;
        EXPECT_EQ(opened, 0);

        if (by_ok) {
            // The box opens with the focus on OK, so Space goes on at once.
            ASSERT_TRUE(QTest::qWaitForWindowActive(title));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        } else {
            title->close();
        }
        EXPECT_EQ(opened, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the box deletes itself
        EXPECT_TRUE(title.isNull());
    }
}

}  // namespace
}  // namespace fw
