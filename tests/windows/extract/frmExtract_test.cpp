#include "windows/extract/frmExtract.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "core/shell/app_state.hpp"
#include "demo/demo_game.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

struct Moment {
    bool has_totals;
    bool close_enabled;
};

TEST(FrmExtract, RunsAsItOpensAndOffersCloseOnlyAfterTheTotals) {
    const build::TempDir game;
    build::write_demo_game(game.str());
    app_state().game_path = game.str();

    frmExtract window;
    auto* status = window.findChild<QPlainTextEdit*>("txtStatus");
    auto* close = window.findChild<QPushButton*>("cmdClose");
    std::vector<Moment> moments;
    QObject::connect(status, &QPlainTextEdit::textChanged, [&] {
        moments.push_back({status->toPlainText().contains("Total Files Found"), close->isEnabled()});
    });
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!window.finished_extracting() && waited.elapsed() < 20000) QCoreApplication::processEvents();
    app_state().game_path.clear();

    ASSERT_TRUE(window.finished_extracting());
    ASSERT_FALSE(moments.empty());
    for (const Moment& moment : moments) {
        if (!moment.has_totals) {
            EXPECT_FALSE(moment.close_enabled);
        }
    }
    EXPECT_TRUE(moments.back().has_totals);
    EXPECT_TRUE(close->isEnabled());

    // Textures.far: three of Hugo's skins, Iris light, Dylan light (already in the skins folder).
    // ExpansionPack.far: Hugo light again, Iris medium and dark, Jo in three tones.
    const std::string g = game.str();
    std::string expected;
    for (const auto& [archive, counts] : std::vector<std::pair<std::string, std::string>>{
             {"/GameData/Textures/Textures.far", "5   Files Extracted: 4"},
             {"/ExpansionPack/ExpansionPack.far", "6   Files Extracted: 5"},
             {"/ExpansionPack2/ExpansionPack2.far", "0   Files Extracted: 0"},
             {"/ExpansionPack3/ExpansionPack3.far", "0   Files Extracted: 0"},
             {"/ExpansionPack4/ExpansionPack4.far", "0   Files Extracted: 0"},
             {"/ExpansionShared/ExpansionShared.far", "0   Files Extracted: 0"}}) {
        expected += "Searching:\n" + g + archive + "\nFiles Found: " + counts + "\n\n";
    }
    expected += "Total Files Found: 11   Total Files Extracted: 9";
    EXPECT_EQ(status->toPlainText().toStdString(), expected);

    close->click();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace fw
