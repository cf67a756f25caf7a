#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "builders/head_builder.hpp"
#include "builders/model_builder.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::cli;
using nlohmann::json;

// A game whose one head model wears a red skin. A head that cannot be drawn, a missing skin or a
// size out of range gives the reason, exit 1 and no file; the head that can be drawn is written,
// and the report names the files it used.
TEST(CliRenderHead, RefusesWhatItCannotDrawAndWritesThePictureOfWhatItCan) {
    const fw::build::TempDir game, out;
    const std::string mesh = "xskin-c010ma_test-HEAD-HEAD", png = out.str() + "/head.png";
    game.write("Sims.exe", "");
    game.write("GameData/Skins/C010MA_Test.cmx",
               fw::build::cmx_text(fw::build::head_description("c010ma_test", {mesh})));
    game.write("GameData/Skins/" + mesh + ".skn", fw::build::skn_text(fw::build::head_mesh(mesh, {})));
    game.write("GameData/Skins/C010MAlgt_test.bmp",
               fw::build::bmp8(8, 8, {0xFF0000u}, [](int, int) -> uint8_t { return 0; }));
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"C099MA_None", "C010MAlgt_test", "64",
         "No head could be drawn for C099MA_None:\r\nThe character description C099MA_None.cmx (or .cmx.bcf) "
         "was not found.\n"},
        {"C010MA_Test", "C010MAlgt_none", "64", "The bitmap C010MAlgt_none.bmp was not found.\n"},
        {"C010MA_Test", "C010MAlgt_test", "0", "--size must be between 1 and 4096.\n"},
    };
    for (const auto& [model, skin, size, message] : cases) {
        const auto r = cli({"render-head", model, skin, "--out", png, "--size", size, "--game", game.str()});
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_EQ(r.err, message);
        EXPECT_FALSE(std::filesystem::exists(png));
    }

    const auto r = cli({"render-head", "C010MA_TEST", "c010malgt_test", "--out", png, "--size", "64", "--yaw",
                        "30", "--json", "--game", game.str()});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const json report = json::parse(r.out);
    EXPECT_EQ(report["description"]["file"], game.str() + "/GameData/Skins/C010MA_Test.cmx");
    EXPECT_EQ(report["meshes"][0]["wears_skin"], true);
    EXPECT_EQ(report["meshes"][0]["texture"], report["skin"]);
    EXPECT_EQ(report["problems"], json::array());
    const QImage picture(QString::fromStdString(png));
    ASSERT_EQ(picture.size(), QSize(64, 64));
    EXPECT_GT(qRed(picture.pixel(32, 32)), 100);  // the red skin, lit
    EXPECT_EQ(qGreen(picture.pixel(32, 32)), 0);
}

}  // namespace
