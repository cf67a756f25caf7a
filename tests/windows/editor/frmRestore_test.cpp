#include "windows/editor/frmRestore.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>
#include <filesystem>

#include "builders/far_builder.hpp"
#include "builders/sim_builder.hpp"
#include "core/editor/sim_save.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/shell/app_state.hpp"
#include "support/temp_dir.hpp"
#include "support/window_driver.hpp"
#include "windows/widgets/head_view.hpp"
#include "windows/widgets/openers.hpp"

namespace fw {
namespace {

using build::control;
using build::shows;

// The whole road: a sim without backups gets a word; a sim saved twice is selected, its oldest
// backup chosen, shown and restored, and the main window then shows the sim as it was.
TEST(RestoreWindow, TheMenuRestoresTheSelectedSimAndThePageShowsIt) {
    std::error_code ignored;
    std::filesystem::remove_all(resolve_path(backup_folder_path()), ignored);
    const build::TempDir game;
    game.write("Sims.exe", "");
    const build::SimSpec bob{.bitmaps = {{"Web_Image", build::face_bmp(7)}}};
    const auto named = [](const char* name) { return build::sim_file({.name = name}); };
    const std::string path = game.write("UserData/Characters/User00001.iff", named("Rob"));
    game.write("UserData/Characters/User00002.iff", named("Ann"));
    // As two saves with backups left them.
    create_folder(backup_folder_path());
    write_file(backup_folder_path() + "\\User00001iff_Bob-Robert_UserData_20261206_120101",
               build::sim_file(bob));
    write_file(backup_folder_path() + "\\User00001iff_Robert-Rob_UserData_20261206_120202", named("Robert"));

    build::BoxRecorder recorder;
    const std::vector<BoxMessage>& boxes = recorder.boxes;
    openers().restore_from_backup = show_frmRestore;
    app_state() = AppState{};
    const auto browser = build::main_window(game.str(), "");
    control<QListWidget>(*browser, "lstUserDataDir")->setCurrentRow(0);
    QLabel* first_name = control<QLabel>(*browser, "lblSimName0");
    ASSERT_EQ(first_name->text(), "Rob");
    ThumbnailGrid* grid = control<ThumbnailGrid>(*browser, "picThumbs");
    QAction* menu = control<QAction>(*browser, "smenuRestore");

    build::click_at(grid, {80, 10});  // Ann
    menu->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.starts_with("There are no backups of Ann (User00002.iff in UserData)."))
        << boxes[0].text;

    build::click_at(grid, {10, 10});  // Rob
    const auto shown = build::while_modal<frmRestore>([&](frmRestore& dialog) {
        QTreeWidget* list = control<QTreeWidget>(dialog, "lstBackups");
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->topLevelItem(0)->text(1), QString::fromUtf8("Robert \u2192 Rob"));
        list->setCurrentItem(list->topLevelItem(1));
        EXPECT_EQ(control<QLabel>(dialog, "lblName")->text(), "Bob");
        // The backup's head turns.
        EXPECT_EQ(control<HeadView>(dialog, "picHead3D")->skin(), "c001malgt_test");
        // The oldest backup still keeps the portraits the first save dropped.
        EXPECT_TRUE(shows(control<PictureBox>(dialog, "picWebImage"), build::face_bmp(7)));
        build::click(dialog, "cmdRestore");
    });
    browser->setWindowTitle("elsewhere");  // the activation, as the dialog closes, sets the caption
    menu->trigger();
    EXPECT_NE(browser->windowTitle(), "elsewhere");
    openers().restore_from_backup = {};
    ASSERT_TRUE(*shown);

    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1],
              (BoxMessage{"Restore Bob from the backup of 2026-12-06 12:01?\r\n" + display_path(path) +
                              "\r\n\r\nThe file as it is now is kept in the Backup folder first.",
                          kBoxQuestion, "Confirm Action"}));
    EXPECT_EQ(boxes[2].text, "Bob has been restored from the backup of 2026-12-06 12:01.");
    EXPECT_EQ(read_file(path), build::sim_file(bob));
    EXPECT_EQ(first_name->text(), "Bob");
    EXPECT_TRUE(shows(control<PictureBox>(*browser, "picSim"), build::face_bmp(7)));
}

}  // namespace
}  // namespace fw
