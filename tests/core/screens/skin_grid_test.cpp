#include "core/screens/skin_grid.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "builders/far_builder.hpp"
#include "core/base/error_trap.hpp"
#include "support/game_and_home.hpp"

using namespace fw;

std::string two_digits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// A game with 50 loadable skins of C005MA in light tone (s01 .. s50) and one that does not load.
class SkinGridTest : public build::GameAndHome {
protected:
    void SetUp() override {
        for (int i = 1; i <= 50; ++i)
            game_.write(skins_ + "C005MAlgt_s" + two_digits(i) + ".bmp", build::face_bmp(1, 4, 4));
        game_.write(skins_ + "C005MAlgt_zz.bmp", "not a picture");
    }
    std::string skin_path(int n) const {
        return game_.str() + "\\gamedata\\skins\\C005MAlgt_s" + two_digits(n) + ".bmp";
    }
    HeadSelector chosen() {
        HeadSelector selector(game_.str(), "malgt");
        selector.choose_model("C005MA_ROMEO");
        return selector;
    }

    const std::string skins_ = "GameData/Skins/";
};

TEST_F(SkinGridTest, ModelsSkinsArePagedBy49AndPointsPickCellsOf68Pixels) {
    HeadSelector selector(game_.str(), "malgt");
    EXPECT_FALSE(selector.choose_model(""));
    EXPECT_TRUE(selector.skins().empty());
    // The bad skin is named in the box (its text is the catalogue's) and left out.
    const std::optional<BoxMessage> bad = selector.choose_model("C005MA_ROMEO");
    ASSERT_TRUE(bad);
    EXPECT_EQ(std::to_string(bad->style) + " " + bad->title, "16 Bad Skin Files Detected");
    EXPECT_NE(bad->text.find("\r\nC005MAlgt_zz.bmp\r\n"), std::string::npos);
    // Coming back to the model (the arrows walking the model list) names it no more.
    EXPECT_FALSE(selector.choose_model("C005MA_ROMEO"));
    ASSERT_EQ(selector.skins().size(), 50u);
    EXPECT_FALSE(selector.previous());

    // (70, 140) is cell 15, the 16th skin (the page texts, names and the 65th skin on the second
    // page are the window's test's); right of the grid is the next row.
    std::optional<ShownSkin> shown = selector.select_skin_at(70, 140, {});
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->bitmap_path, skin_path(16));
    EXPECT_EQ(shown->preview2_path, home_.str() + "\\HeadPreview\\Preview2_C005MAlgt_s16.bmp");
    EXPECT_EQ(selector.tooltip_at(70, 140), "C005MAlgt_s16.bmp");
    EXPECT_EQ(selector.tooltip_at(476, 0), "C005MAlgt_s08.bmp");

    EXPECT_TRUE(selector.next());
    EXPECT_FALSE(selector.next());
    const std::vector<SkinThumbnail> page = selector.page_thumbnails();
    ASSERT_EQ(page.size(), 1u);
    EXPECT_EQ(page[0].bitmap_path, skin_path(50));
    EXPECT_EQ(page[0].preview_path, home_.str() + "\\HeadPreview\\Preview_C005MAlgt_s50.bmp");
    // An empty cell of the last page takes the selection and shows nothing.
    EXPECT_FALSE(selector.select_skin_at(70, 140, [](const ShownSkin&) { return false; }));
    EXPECT_EQ(selector.selected(), 15);
    EXPECT_EQ(selector.tooltip_at(70, 140), "");

    // A model without "_" is refused.
    EXPECT_EQ(selector.choose_model("C005MAROMEO").value_or(BoxMessage{}).title, "No Skins");
    EXPECT_TRUE(selector.skins().empty());
    EXPECT_EQ(selector.tooltip_at(0, 0), "");
}

TEST_F(SkinGridTest, FillingAPageDrawsEachSkinWithItsPreviewThenShowsTheFirst) {
    HeadSelector selector = chosen();
    selector.select_skin_at(70, 140, {});
    std::vector<std::string> events;
    SkinGridPainter painter;
    painter.clear_grid = [&] { events.push_back("clear"); };
    painter.draw_thumbnail = [&](const SkinThumbnail& t) {
        events.push_back("thumb " + std::to_string(t.cell) + " " + std::to_string(t.at.x) + "," +
                         std::to_string(t.at.y));
    };
    painter.draw_preview = [&](const SkinThumbnail& t) {
        events.push_back("preview " + std::to_string(t.cell));
        if (t.cell == 0) throw std::runtime_error("a preview that does not load");
    };
    painter.refresh = [&] { events.push_back("refresh"); };
    painter.show_skin = [&](const ShownSkin& s) { return events.push_back("show " + s.name), true; };

    EXPECT_EQ(selector.msFillThumbs(Previews::Shown, painter), "Page 1 of 2");
    ASSERT_EQ(events.size(), 1u + 49 * 3 + 1);
    EXPECT_EQ((std::vector<std::string>(events.begin(), events.begin() + 7)),
              (std::vector<std::string>{"clear", "thumb 0 2,2", "preview 0", "refresh", "thumb 1 70,2",
                                        "preview 1", "refresh"}));
    EXPECT_EQ(events[1 + 8 * 3], "thumb 8 70,70");
    EXPECT_EQ(events.back(), "show C005MAlgt_s01");

    // Previews off: no overlays, but the first skin is shown all the same.
    events.clear();
    selector.next();
    EXPECT_EQ(selector.msFillThumbs(Previews::Hidden, painter), "Page 2 of 2");
    EXPECT_EQ(events, (std::vector<std::string>{"clear", "thumb 0 2,2", "refresh", "show C005MAlgt_s50"}));

    // No skins: the grid is cleared and the page text keeps what it showed.
    events.clear();
    HeadSelector empty(game_.str(), "madrk");
    empty.choose_model("C005MA_ROMEO");
    EXPECT_EQ(empty.msFillThumbs(Previews::Shown, painter), std::nullopt);
    EXPECT_EQ(events, std::vector<std::string>{"clear"});

    // A failure while a page is drawn reaches the trap, whose box the player sees.
    painter.refresh = [] { throw std::runtime_error("paint failed"); };
    EXPECT_THROW(selector.msFillThumbs(Previews::Shown, painter), TrapRaised);
}

// A skin that stops loading after the listing (the first of a page, a clicked one) leaves the
// list as the bad skins do, and is named once; the page is drawn without it.
TEST_F(SkinGridTest, SkinsThatStopLoadingLeaveTheList) {
    std::vector<std::string> gone = {"C005MAlgt_s01", "C005MAlgt_s02", "C005MAlgt_s20"};
    const auto loads = [&gone](const ShownSkin& s) { return std::ranges::find(gone, s.name) == gone.end(); };
    HeadSelector selector = chosen();
    const SkinGridPainter painter{.show_skin = loads};
    EXPECT_EQ(selector.msFillThumbs(Previews::Hidden, painter), "Page 1 of 1");
    EXPECT_EQ(selector.skins().front(), "C005MAlgt_s03.bmp");
    const std::optional<BoxMessage> box = selector.take_skins_gone_bad();
    ASSERT_TRUE(box);
    EXPECT_NE(box->text.find("\r\nC005MAlgt_s01.bmp\r\nC005MAlgt_s02.bmp\r\n"), std::string::npos);
    EXPECT_FALSE(selector.take_skins_gone_bad());

    // s20 is now cell 17.
    EXPECT_FALSE(selector.select_skin_at(3 * 68 + 1, 2 * 68 + 1, loads));
    EXPECT_EQ(selector.skins().size(), 47u);
    EXPECT_NE(selector.take_skins_gone_bad()->text.find("C005MAlgt_s20.bmp"), std::string::npos);

    // A later page that keeps skins stays in view.
    game_.write(skins_ + "C005MAlgt_s51.bmp", build::face_bmp(1, 4, 4));
    HeadSelector paged = chosen();
    ASSERT_TRUE(paged.next());
    gone = {"C005MAlgt_s50"};
    EXPECT_FALSE(paged.select_skin_at(1, 1, loads));
    EXPECT_EQ(paged.page_text(), "Page 2 of 2");
}
