#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "builders/sim_builder.hpp"
#include "builders/steam_builder.hpp"
#include "core/platform/settings.hpp"
#include "core/shell/app_state.hpp"
#include "support/temp_dir.hpp"
#include "windows/browser/frmMain.hpp"
#include "windows/widgets/msg_box.hpp"
#include "windows/widgets/openers.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;

// A first start on a player's Linux desktop: no settings, no --game, no registry entry; the
// Legacy Collection in a second Steam library, its template UserData in the install, the saves in
// its Proton prefix.
class FrmMainLegacyTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* key : {kKeyBackupSavedFile, kKeySimsLocation}) save_setting(kAppFacewright, key, "");
        save_setting(kAppVestrel, kKeyLastNeighborhood, "");
        app_state() = AppState{};
        install_box_responder([this](const BoxMessage& box) {
            boxes.push_back(box);
            return BoxAnswer::Ok;
        });
        saved_openers_ = openers();
        openers().edit_sim = [this](QWidget*, const std::string& path, bool) { edited.push_back(path); };
        build::write_steam_home(steam_);
        write_sim(steam_.install / "UserData/Characters/User00001.iff", "Template Tom");
        write_sim(steam_.saves / "UserData2/Characters/User00001.iff", "Ada Saved");
    }
    void TearDown() override {
        window.reset();
        openers() = saved_openers_;
        install_box_responder({});
    }
    void write_sim(const fs::path& file, const std::string& name) const {
        build::SimSpec spec;
        spec.name = name;
        home_.write(file.lexically_relative(home_.path()).string(), build::sim_file(spec));
    }
    QListWidget* list() const { return window->findChild<QListWidget*>(QStringLiteral("lstUserDataDir")); }
    QString label(int k) const {
        return window->findChild<QLabel*>(QStringLiteral("lblSimName%1").arg(k))->text();
    }

    build::TempDir home_;
    build::ScopedEnv home_env_{"HOME", home_.str()};
    build::ScopedEnv data_env_{"XDG_DATA_HOME", home_.str() + "/.local/share"};
    build::ScopedEnv prefix_env_{"WINEPREFIX", home_.str() + "/.wine"};
    const build::SteamHome steam_ = build::steam_home(home_.path());
    std::unique_ptr<frmMain> window;
    std::vector<BoxMessage> boxes;
    std::vector<std::string> edited;

private:
    WindowOpeners saved_openers_;
};

TEST_F(FrmMainLegacyTest, StartUpListsTheSavesWithoutAPathMessage) {
    window = std::make_unique<frmMain>();
    window->Form_Activate();
    EXPECT_EQ(boxes, std::vector<BoxMessage>{});
    const std::string install = home_.str() + "/SteamLibrary/steamapps/common/The Sims Legacy Collection";
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), install);
    ASSERT_EQ(list()->count(), 1);
    EXPECT_EQ(list()->item(0)->text(), "Neighborhood 02   (UserData2)");
    list()->setCurrentRow(0);
    EXPECT_EQ(label(0), "Ada Saved");
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdSelect")), Qt::LeftButton);
    EXPECT_EQ(edited, std::vector<std::string>{steam_.saves.string() + "\\UserData2\\characters\\User00001.iff"});
}

TEST_F(FrmMainLegacyTest, BeforeTheGamesFirstStartThePlayerIsToldToStartItOnce) {
    fs::remove_all(steam_.saves);
    window = std::make_unique<frmMain>();
    window->Form_Activate();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Start The Sims Once");
    EXPECT_EQ(list()->count(), 0);  // the install's template is not the player's neighbourhood
}

}  // namespace
}  // namespace fw
