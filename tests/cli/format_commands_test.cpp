#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "builders/far_builder.hpp"
#include "builders/iff_builder.hpp"
#include "builders/sim_builder.hpp"
#include "support/run_cli.hpp"
#include "support/temp_dir.hpp"

namespace {

using nlohmann::json;

fw::build::CliResult cli(std::initializer_list<std::string> args) {
    return fw::build::run_cli(FACEWRIGHT_CLI_PATH, args);
}

TEST(CliIff, ListsChunksAndMapAsJson) {
    fw::build::TempDir dir;
    fw::build::IffBuilder b;
    b.chunk("OBJD", 128, std::string("user00000 - Ren\xE9\0stale", 22), "");
    b.chunk("STR#", 200, "bodystring", "abc", 0x0010);
    b.map(fw::build::MapOptions{1});
    const std::string path = dir.write("User00001.iff", b.bytes());
    const auto r = cli({"iff", path, "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_TRUE(j["has_map"].get<bool>());
    ASSERT_EQ(j["chunks"].size(), 2u);
    EXPECT_EQ(j["chunks"][0], json({{"position", 65},
                                    {"type", "OBJD"},
                                    {"id", 128},
                                    {"flags", 16},
                                    {"size", 76},
                                    {"label", "user00000 - Ren\xC3\xA9"}}));
    EXPECT_EQ(j["chunks"][1]["size"], 79);
    const json& types = j["map"]["types"];
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[1]["type"], "STR#");
    EXPECT_EQ(
        types[1]["entries"][0],
        json({{"offset", j["chunks"][1]["position"].get<int>() - 1}, {"id", 200}, {"name", "bodystring"}}));
    EXPECT_EQ(cli({"iff", path}).exit_code, 0);
}

TEST(CliIff, RefusedFilesGiveTheReadersTextAndExit1) {
    fw::build::TempDir dir;
    std::string bytes = fw::build::sim_file(fw::build::SimSpec{});
    const std::string path = dir.write("User00002.iff", bytes.substr(0, bytes.size() - 5));
    const auto r = cli({"iff", path, "--json"});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(json::parse(r.out), json({{"error", "Error 62 - Input past end of file (RSMP)"}}));
    EXPECT_EQ(r.err, "Error 62 - Input past end of file (RSMP)\n");
    EXPECT_EQ(cli({"iff", dir.str() + "/none.iff"}).exit_code, 1);
    EXPECT_NE(cli({"iff"}).exit_code, 0);
    EXPECT_NE(cli({"nonsense"}).exit_code, 0);
}

TEST(CliStrings, ListsEntriesWithTheirPrefixSecondTextAndTrailingBytes) {
    fw::build::TempDir dir;
    fw::build::IffBuilder b;
    b.chunk("XXXX", 200, "bodystring", "filler", 0x0014);
    b.chunk("STR#", 200, "bodystring",
            fw::build::str_list_data(std::vector<fw::build::StrEntry>{{"adult", "", 1}, {"Zo\xEB", "two", 9}},
                                     "xyz"));
    const std::string path = dir.write("a.iff", b.bytes());
    const auto r = cli({"strings", path, "--type", "STR#", "--id", "200", "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(json::parse(r.out), json({{"format", 65533},
                                        {"items",
                                         {{{"prefix", 1}, {"value", "adult"}, {"second", ""}},
                                          {{"prefix", 9}, {"value", "Zo\xC3\xAB"}, {"second", "two"}}}},
                                        {"rest", 3}}));
    EXPECT_EQ(cli({"strings", path, "--type", "CTSS", "--id", "200"}).exit_code, 1);
    EXPECT_NE(cli({"strings", path, "--type", "BOGUS", "--id", "200"}).exit_code, 0);
}

// An entry is extracted by its name as the listing shows it, Windows-1252 letters included.
TEST(CliFar, ListsAndExtractsByFileNameIgnoringCase) {
    fw::build::TempDir dir;
    const std::string archive =
        dir.write("Textures.far",
                  fw::build::far_archive({{"skins\\C005MAlgt_Romeo.bmp", "ROMEO"}, {"caf\xE9.bmp", "B"}}));
    const auto r = cli({"far", archive, "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(json::parse(r.out),
              json({{"count", 2},
                    {"entries",
                     {{{"name", "skins\\C005MAlgt_Romeo.bmp"}, {"size", 5}, {"offset", 16}},
                      {{"name", "caf\xC3\xA9.bmp"}, {"size", 1}, {"offset", 21}}}}}));
    std::filesystem::create_directory(dir.path() / "out");
    EXPECT_EQ(cli({"far-extract", archive, "c005malgt_romeo.BMP", dir.str() + "/out"}).exit_code, 0);
    EXPECT_EQ(dir.read("out/C005MAlgt_Romeo.bmp"), "ROMEO");
    EXPECT_EQ(cli({"far-extract", archive, "caf\xC3\xA9.BMP", dir.str() + "/out"}).exit_code, 0);
    EXPECT_EQ(dir.read("out/caf\xE9.bmp"), "B");
    EXPECT_EQ(cli({"far-extract", archive, "missing.bmp", dir.str() + "/out"}).exit_code, 1);
    EXPECT_EQ(cli({"far-extract", archive, "b.bmp", dir.str() + "/nowhere"}).exit_code, 1);
    std::string lying = fw::build::far_archive({{"b.bmp", "B"}});
    lying.replace(12, 4, std::string("\xFF\xFF\x00\x00", 4));
    const auto bad = cli({"far", dir.write("bad.far", lying), "--json"});
    EXPECT_EQ(bad.exit_code, 1);
    EXPECT_EQ(json::parse(bad.out)["error"], "Error 62 - Input past end of file");
}

}  // namespace
