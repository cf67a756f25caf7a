#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "builders/head_builder.hpp"
#include "builders/model_builder.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"

namespace {

using nlohmann::json;

fw::build::CliResult cli(std::initializer_list<std::string> args) {
    return fw::build::run_cli(FACEWRIGHT_CLI_PATH, args);
}

class CliRenderHead : public testing::Test {
protected:
    void SetUp() override {
        const std::string mesh = "xskin-c010ma_test-HEAD-HEAD";
        game_.write("Sims.exe", "");
        game_.write("GameData/Skins/C010MA_Test.cmx",
                    fw::build::cmx_text(fw::build::head_description("c010ma_test", {mesh})));
        game_.write("GameData/Skins/" + mesh + ".skn", fw::build::skn_text(fw::build::head_mesh(mesh, {})));
        game_.write("GameData/Skins/C010MAlgt_test.bmp",
                    fw::build::bmp8(8, 8, {0xFF0000u}, [](int, int) -> uint8_t { return 0; }));
    }
    fw::build::TempDir game_, out_;
};

TEST_F(CliRenderHead, WritesThePictureAndNamesTheFilesItUsed) {
    const std::string png = out_.str() + "/head.png";
    const auto r = cli({"render-head", "C010MA_TEST", "c010malgt_test", "--out", png, "--size", "64", "--yaw",
                        "30", "--json", "--game", game_.str()});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const json report = json::parse(r.out);
    EXPECT_EQ(report["description"]["file"], game_.str() + "/GameData/Skins/C010MA_Test.cmx");
    EXPECT_EQ(report["meshes"].size(), 1u);
    EXPECT_EQ(report["meshes"][0]["wears_skin"], true);
    EXPECT_EQ(report["meshes"][0]["texture"], report["skin"]);
    EXPECT_EQ(report["problems"], json::array());
    const QImage picture(QString::fromStdString(png));
    ASSERT_EQ(picture.size(), QSize(64, 64));
    EXPECT_GT(qRed(picture.pixel(32, 32)), 100);  // the red skin, lit
    EXPECT_EQ(qGreen(picture.pixel(32, 32)), 0);
}

TEST_F(CliRenderHead, RefusesWhatItCannotDrawAndWritesNothing) {
    const std::string png = out_.str() + "/head.png";
    auto r = cli({"render-head", "C099MA_None", "C010MAlgt_test", "--out", png, "--game", game_.str()});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err,
              "No head could be drawn for C099MA_None:\r\nThe character description C099MA_None.cmx (or "
              ".cmx.bcf) was not found.\n");
    r = cli({"render-head", "C010MA_Test", "C010MAlgt_none", "--out", png, "--game", game_.str()});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "The bitmap C010MAlgt_none.bmp was not found.\n");
    EXPECT_EQ(cli({"render-head", "C010MA_Test", "C010MAlgt_test", "--out", png, "--size", "0", "--game",
                   game_.str()})
                  .exit_code,
              1);
    EXPECT_FALSE(std::filesystem::exists(png));
}

}  // namespace
