#include "windows/extract/frmExtract.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <string>

#include "core/game/app_state.hpp"
#include "demo/demo_game.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

TEST(FrmExtract, RunsAsItOpensAndOffersCloseOnlyAfterTheTotals) {
    const build::TempDir game;
    build::write_demo_game(game.str());
    app_state().game = Game::at(game.str(), GamePathSource::CommandLine);

    frmExtract window;
    auto* status = window.findChild<QPlainTextEdit*>("txtStatus");
    auto* close = window.findChild<QPushButton*>("cmdClose");
    bool close_before_totals = false;
    QObject::connect(status, &QPlainTextEdit::textChanged, [&] {
        close_before_totals |= close->isEnabled() && !status->toPlainText().contains("Total Files Found");
    });
    window.show();
    const QDeadlineTimer deadline(20000);
    while (!window.finished_extracting() && !deadline.hasExpired()) QCoreApplication::processEvents();
    app_state().game = Game();

    ASSERT_TRUE(window.finished_extracting());
    EXPECT_FALSE(close_before_totals);

    // The log as the core writes it, its lines broken as the box breaks them: the first archive's
    // counts first, the totals last (the demo game's archives hold 11 head bitmaps, 2 already out).
    const std::string log = status->toPlainText().toStdString();
    const std::string first = "/GameData/Textures/Textures.far\nFiles Found: 5   Files Extracted: 4\n\n";
    EXPECT_TRUE(log.starts_with("Searching:\n" + game.str() + first + "Searching:\n")) << log;
    EXPECT_TRUE(log.ends_with("\n\nTotal Files Found: 11   Total Files Extracted: 9")) << log;
    close->click();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace fw
