#include "windows/headselect/frmSelectHead.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QTest>
#include <memory>
#include <vector>

#include "builders/far_builder.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/program_folder.hpp"
#include "core/platform/settings.hpp"
#include "core/heads/head_setting.hpp"
#include "core/heads/head_models.hpp"
#include "core/game/app_state.hpp"
#include "demo/demo_game.hpp"
#include "support/temp_dir.hpp"
#include "support/window_driver.hpp"
#include "windows/widgets/head_view.hpp"
#include "windows/widgets/qt_text.hpp"

namespace fw {
namespace {

QRgb solid(int n) { return qRgb(20 + n * 3, 200 - n * 2, (n * 37) % 256); }
std::string solid_bmp(int n, int size = 64) {
    return build::bmp24(size, size, [n](int, int) { return static_cast<uint32_t>(solid(n) & 0xFFFFFF); });
}
constexpr QRgb kPreview = qRgb(250, 10, 10);
constexpr QRgb kPreview2 = qRgb(10, 10, 250);

// A skin file name of the synthetic model: C005MAlgt_s01.bmp .. (numbered as the listing orders them).
std::string skin_file(int n) { return from_qt(QString::asprintf("C005MAlgt_s%02d.bmp", n)); }

using build::click;
using build::click_item;
using build::control;
using build::text;

class SelectHeadWindow : public testing::Test {
protected:
    void SetUp() override {
        app_state().game = Game::at(game_.str(), GamePathSource::CommandLine);
        save_setting(kAppFacewright, kKeyPreviewHeadSkins, "");
    }

    // One model, C005MA_ROMEO, with `count` skins in light tone, each a different solid colour.
    void romeo_with_skins(int count) {
        game_.write("GameData/Skins/C005MA_ROMEO.cmx", "mesh");
        for (int n = 1; n <= count; ++n) game_.write("GameData/Skins/" + skin_file(n), solid_bmp(n));
    }
    // A head preview in the program folder: "Preview_" or "Preview2_" + the skin's file name.
    static void preview(const std::string& kind, const std::string& file, QRgb colour, int size) {
        create_folder(program_folder() + "\\HeadPreview");
        write_file(program_folder() + "\\HeadPreview\\" + kind + file,
                   build::bmp24(size, size, [colour](int, int) { return colour & 0xFFFFFF; }));
    }
    std::unique_ptr<frmSelectHead> open(const std::string& skin_data) {
        auto window = std::make_unique<frmSelectHead>();
        window->setSkinData(skin_data);
        window->show();
        return window;
    }
    static ThumbnailGrid* grid(const frmSelectHead& w) { return control<ThumbnailGrid>(w, "picThumbs"); }
    // The colour of a pixel of a cell's thumbnail, at an offset from the cell's corner.
    static QRgb cell_pixel(const frmSelectHead& window, int cell, QPoint offset) {
        return grid(window)->canvas().pixel(ThumbnailGrid::cellOrigin(cell) + offset);
    }

    build::TempDir game_;
    build::TempDir home_;  // the program folder, for the head previews
    build::ScopedEnv home_env_{"FACEWRIGHT_HOME", home_.str()};
    build::BoxRecorder boxes_;
};

// On the demo game: the models of the sim's age, gender and tone; a skin that cannot
// be loaded is named in one box and left out, and the model stays picked, so Select hands back the
// skin shown. The turning head wears the skin under the pointer, else the selected one; its box is
// a setting.
TEST_F(SelectHeadWindow, ListsTheModelsLeavesOutABadSkinAndTheTurningHeadWearsTheSkinShown) {
    build::write_demo_game(game_.str());
    msGetHeadModelLists(game_.str());
    save_setting(kAppFacewright, kKey3DHead, "");
    const auto girls = open("fcdrk");
    const auto* models = control<QListWidget>(*girls, "lstModels");
    ASSERT_EQ(models->count(), 2);
    EXPECT_EQ(models->item(0)->text() + " " + models->item(1)->text(), "C001FC_FAY C100FC_PIP");

    const auto window = open("mamed");
    // The box is named once, over the skins of its own model, however often the model is passed.
    std::vector<QString> under_boxes;
    install_box_responder([&](const BoxMessage&) {
        under_boxes.push_back(text(*window, "txtSkinName"));
        return BoxAnswer::Ok;
    });
    click_item(*window, "lstModels", "C002MA_ELIOT");
    click_item(*window, "lstModels", "C001MA_DYLAN");
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up}) QTest::keyClick(control(*window, "lstModels"), key);
    EXPECT_EQ(under_boxes, std::vector<QString>{"C001MAmed_dylan"});
    click(*window, "cmdSelect");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->SelectedSkin(), "C001MA_DYLAN,C001MAmed_dylan");

    const auto turning = open("malgt");
    auto* view = control<HeadView>(*turning, "picHead3D");
    auto* shown = control<QCheckBox>(*turning, "chk3DHead");
    click_item(*turning, "lstModels", "C001MA_DYLAN");
    EXPECT_EQ(view->model(), "C001MA_DYLAN");
    EXPECT_EQ(view->skin(), "C001MAlgt_dylan");
    EXPECT_TRUE(view->turning());

    QTest::mouseMove(grid(*turning), grid(*turning)->canvasOrigin() + QPoint(68 + 30, 30));
    EXPECT_EQ(view->skin(), "C001MAlgt_dylan2");
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(grid(*turning), &leave);
    EXPECT_EQ(view->skin(), "C001MAlgt_dylan");

    shown->click();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(get_setting(kAppFacewright, kKey3DHead), "0");
    const auto plain = open("malgt");
    EXPECT_FALSE(control<QCheckBox>(*plain, "chk3DHead")->isChecked());
    // Without the head the window keeps its own width (11550 twips), the box inside it.
    EXPECT_EQ(plain->width(), 770);
    EXPECT_LT(control<QWidget>(*plain, "chk3DHead")->geometry().right(), 770);
}

// Pages of 49 skins, each scaled into the (2,2)-(65,65) square of its 68-pixel cell, the rims
// left as the background; a click picks the cell under the pointer; Next stops at the last page,
// every button handing the focus on; the model clicked again lists its skins from the first page.
TEST_F(SelectHeadWindow, PagesOf49SkinsScaledInto64PixelCells) {
    romeo_with_skins(49);
    game_.write("GameData/Skins/" + skin_file(50), solid_bmp(50, 32));
    auto window = open("malgt");
    const auto shown = [&] { return text(*window, "txtPageCount") + ", " + text(*window, "txtSkinName"); };
    click_item(*window, "lstModels", "C005MA_ROMEO");
    EXPECT_EQ(shown(), "Page 1 of 2, C005MAlgt_s01");
    EXPECT_EQ(cell_pixel(*window, 0, {2, 2}), solid(1));
    EXPECT_EQ(cell_pixel(*window, 48, {65, 65}), solid(49));
    EXPECT_EQ(cell_pixel(*window, 48, {66, 66}), grid(*window)->background().rgb());
    build::click_at(grid(*window), {70, 140});
    EXPECT_EQ(grid(*window)->selectedCell(), 15);
    EXPECT_EQ(text(*window, "txtSkinName"), "C005MAlgt_s16");

    for (int n = 0; n < 2; ++n) click(*window, "cmdNext");
    EXPECT_EQ(shown(), "Page 2 of 2, C005MAlgt_s50");
    EXPECT_EQ(window->focusWidget(), control<QWidget>(*window, "cmdFocus"));
    EXPECT_EQ(cell_pixel(*window, 0, {65, 65}), solid(50));  // a 32-pixel skin scaled up to 64
    EXPECT_EQ(cell_pixel(*window, 1, {30, 30}), grid(*window)->background().rgb());
    click_item(*window, "lstModels", "C005MA_ROMEO");
    EXPECT_EQ(shown(), "Page 1 of 2, C005MAlgt_s01");
    // Tab from the list: the grid, the skin and its buttons, then the pages.
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(build::tab_stops(6), "picThumbs txtSkinName cmdSelect cmdCancel cmdPrevious txtPageCount");
}

TEST_F(SelectHeadWindow, HeadPreviewsAreLaidOverWhenCheckedAndTheSettingFollowsEachClick) {
    romeo_with_skins(50);
    preview("Preview_", skin_file(1), kPreview, 20);
    preview("Preview2_", skin_file(1), kPreview2, 30);
    const auto window = open("malgt");
    EXPECT_EQ(get_setting(kAppFacewright, kKeyPreviewHeadSkins), "1");  // seeded on the first run
    click_item(*window, "lstModels", "C005MA_ROMEO");
    EXPECT_EQ(cell_pixel(*window, 0, {2, 2}), kPreview);  // at its own size over the thumbnail
    EXPECT_EQ(cell_pixel(*window, 0, {22, 22}), solid(1));
    EXPECT_EQ(control<PictureBox>(*window, "picSkin")->canvas().pixel(160, 0), kPreview2);
    EXPECT_EQ(control<PictureBox>(*window, "picSkin")->canvas().pixel(0, 0), solid(1));

    click(*window, "cmdNext");
    click(*window, "chkPreview");
    EXPECT_EQ(get_setting(kAppFacewright, kKeyPreviewHeadSkins), "0");
    EXPECT_EQ(cell_pixel(*window, 0, {2, 2}), solid(1));
    // The large preview shows whatever the box says.
    EXPECT_EQ(control<PictureBox>(*window, "picSkin")->canvas().pixel(160, 0), kPreview2);
    // A skin without a large preview does not keep the previous one's.
    build::click_at(grid(*window), {70, 0});
    EXPECT_NE(control<PictureBox>(*window, "picSkin")->canvas().pixel(160, 0), kPreview2);

    click(*window, "chkPreview");
    EXPECT_EQ(get_setting(kAppFacewright, kKeyPreviewHeadSkins), "1");
    EXPECT_EQ(cell_pixel(*window, 0, {2, 2}), kPreview);

    // A stored "0" opens with the box clear, and opening stores nothing.
    save_setting(kAppFacewright, kKeyPreviewHeadSkins, "0");
    const auto off = open("malgt");
    EXPECT_FALSE(control<QCheckBox>(*off, "chkPreview")->isChecked());
    EXPECT_EQ(get_setting(kAppFacewright, kKeyPreviewHeadSkins), "0");
}

// Select (or, from the keyboard alone, Return in the grid) hands back model + "," + skin; Cancel
// and the close box nothing. The window opens on the model list, whose first Down chooses its one
// model, and an arrow in the grid shows the skin it comes to.
TEST_F(SelectHeadWindow, SelectHandsBackModelCommaSkinAndCancelOrTheCloseBoxNothing) {
    romeo_with_skins(20);
    const auto keyed = open("malgt");
    ASSERT_TRUE(QTest::qWaitForWindowActive(keyed.get()));
    ASSERT_EQ(QApplication::focusWidget(), control<QListWidget>(*keyed, "lstModels"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down}) QTest::keyClick(grid(*keyed), key);
    EXPECT_EQ(text(*keyed, "txtSkinName"), "C005MAlgt_s09");
    QTest::keyClick(grid(*keyed), Qt::Key_Return);
    EXPECT_EQ(keyed->SelectedSkin(), "C005MA_ROMEO,C005MAlgt_s09");
    const auto unpicked = open("malgt");
    click(*unpicked, "cmdSelect");  // no model picked: the window stays
    EXPECT_TRUE(unpicked->isVisible());
    for (const bool by_cancel : {true, false}) {
        const auto window = open("malgt");
        click_item(*window, "lstModels", "C005MA_ROMEO");
        by_cancel ? click(*window, "cmdCancel") : void(window->close());
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->SelectedSkin(), std::nullopt) << by_cancel;
    }
}

}  // namespace
}  // namespace fw
