#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "builders/far_builder.hpp"
#include "builders/head_builder.hpp"
#include "builders/iff_builder.hpp"
#include "builders/model_builder.hpp"
#include "builders/sim_builder.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::cli;
using nlohmann::json;

// The game's Windows-1252 texts as UTF-8, a label up to its first NUL, IDs and flags as the chunk
// header holds them; a map entry's offset is its chunk's place in the file. `strings` takes the
// chunk of the type and ID asked for, not the first of that ID.
TEST(CliFormats, IffAndStringsListAsJson) {
    const fw::build::TempDir dir;
    fw::build::IffBuilder b;
    b.chunk("OBJD", 200, std::string("user00000 - Ren\xE9\0stale", 22), "", 0x0014);
    b.chunk("STR#", 200, "bodystring",
            fw::build::str_list_data(std::vector<fw::build::StrEntry>{{"adult", "", 1}, {"Zo\xEB", "two", 9}},
                                     "xyz"));
    b.map(fw::build::MapOptions{1});
    const std::string path = dir.write("a.iff", b.bytes());
    const json iff = json::parse(cli({"iff", path, "--json"}).out);
    EXPECT_TRUE(iff["has_map"].get<bool>());
    ASSERT_EQ(iff["chunks"].size(), 2u);
    EXPECT_EQ(iff["chunks"][0], json::parse(R"({"position": 65, "type": "OBJD", "id": 200, "flags": 20,
                                                "size": 76, "label": "user00000 - René"})"));
    const json& str = iff["map"]["types"][1];
    EXPECT_EQ(str["type"], "STR#");
    EXPECT_EQ(
        str["entries"][0],
        json({{"offset", iff["chunks"][1]["position"].get<int>() - 1}, {"id", 200}, {"name", "bodystring"}}));

    const json strings = json::parse(R"({"format": 65533, "rest": 3, "items": [
        {"prefix": 1, "value": "adult", "second": ""}, {"prefix": 9, "value": "Zoë", "second": "two"}]})");
    EXPECT_EQ(json::parse(cli({"strings", path, "--type", "STR#", "--id", "200", "--json"}).out), strings);
    EXPECT_EQ(cli({"strings", path, "--type", "CTSS", "--id", "200"}).exit_code, 1);
}

// An entry is extracted by its name as the listing shows it, in any case.
TEST(CliFormats, FarListsAndExtractsByFileName) {
    const fw::build::TempDir dir;
    const std::string archive =
        dir.write("Textures.far",
                  fw::build::far_archive({{"skins\\C005MAlgt_Romeo.bmp", "ROMEO"}, {"caf\xE9.bmp", "B"}}));
    const json listing = json::parse(R"({"count": 2, "entries": [
        {"name": "skins\\C005MAlgt_Romeo.bmp", "size": 5, "offset": 16},
        {"name": "café.bmp", "size": 1, "offset": 21}]})");
    EXPECT_EQ(json::parse(cli({"far", archive, "--json"}).out), listing);
    const std::string out = dir.str() + "/out";
    std::filesystem::create_directory(out);
    EXPECT_EQ(cli({"far-extract", archive, "c005malgt_romeo.BMP", out}).exit_code, 0);
    EXPECT_EQ(dir.read("out/C005MAlgt_Romeo.bmp"), "ROMEO");
    EXPECT_EQ(cli({"far-extract", archive, "caf\xC3\xA9.BMP", out}).exit_code, 0);
    EXPECT_EQ(dir.read("out/caf\xE9.bmp"), "B");
    EXPECT_EQ(cli({"far-extract", archive, "missing.bmp", out}).exit_code, 1);
}

// A file the readers refuse: their text on stderr and as {"error": text} for --json, exit 1.
TEST(CliFormats, RefusedFilesGiveTheReadersTextAndExit1) {
    const fw::build::TempDir dir;
    const std::string sim = fw::build::sim_file({});
    std::string lying = fw::build::far_archive({{"b.bmp", "B"}});
    lying.replace(12, 4, std::string("\xFF\xFF\x00\x00", 4));  // a directory far past the end
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"iff", dir.write("cut.iff", sim.substr(0, sim.size() - 5)),
         "Error 62 - Input past end of file (RSMP)"},
        {"far", dir.write("bad.far", lying), "Error 62 - Input past end of file"},
        {"iff", dir.str() + "/none.iff", "No such file: " + dir.str() + "/none.iff"},
    };
    for (const auto& [command, path, message] : cases) {
        const auto r = cli({command, path, "--json"});
        EXPECT_EQ(r.exit_code, 1) << path;
        EXPECT_EQ(json::parse(r.out), json({{"error", message}}));
        EXPECT_EQ(r.err, message + "\n");
    }
}

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
    game.write("GameData/Skins/C020MA_Tangle.cmx",
               fw::build::cmx_text(fw::build::head_description("t", {"t"})));
    game.write("GameData/Skins/t.bmf", fw::build::bmf_bytes(fw::build::tangle_mesh("t", 100000)));
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"C099MA_None", "C010MAlgt_test", "64",
         "No head could be drawn for C099MA_None:\r\nThe character description C099MA_None.cmx (or .cmx.bcf) "
         "was not found.\n"},
        {"C010MA_Test", "C010MAlgt_none", "64", "The bitmap C010MAlgt_none.bmp was not found.\n"},
        {"C010MA_Test", "C010MAlgt_test", "0", "--size must be between 1 and 4096.\n"},
        {"C020MA_Tangle", "C010MAlgt_test", "64", "The head C020MA_Tangle is too complex to draw.\n"},
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
