#include "core/heads/head_scene.hpp"

#include <gtest/gtest.h>

#include "builders/far_builder.hpp"
#include "builders/head_builder.hpp"
#include "builders/model_builder.hpp"
#include "core/formats/binary.hpp"
#include "support/temp_dir.hpp"

namespace {

using namespace fw::build;

// A flat square mesh facing the viewer, wrapped once by its bitmap.
fw::Mesh square_mesh(const std::string& name, const std::string& texture) {
    const auto at = [](float x, float y) { return fw::MeshVertex{{x, y, 0}, {0, 0, 1}}; };
    return {.name = name, .texture = texture, .bones = {"HEAD"}, .faces = {{0, 1, 2}, {0, 2, 3}},
            .uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, .vertices = {at(1, -1), at(1, 1), at(-1, 1), at(-1, -1)}};
}

// 8-bit with a palette of two colours, as some head bitmaps are.
std::string plain_bmp(uint32_t rgb) { return bmp8(4, 4, {0x000000u, rgb}, [](int, int) -> uint8_t { return 1; }); }

const std::string kHead = "xskin-c010ma_test-HEAD-HEADB";
const std::string kHat = "xskin-c010ma_test-HEAD-HAT";

// The model's text description and head mesh lie loose; its hat mesh (binary) and the hat's own
// bitmap lie in archives, beside a binary description that the loose one overrides.
class HeadFiles : public testing::Test {
protected:
    void SetUp() override {
        game_.write("GameData/Skins/C010MA_Test.cmx",
                    cmx_text(head_description("c010ma_test", {kHead, kHat})));
        game_.write("GameData/Skins/" + kHead + ".SKN", skn_text(square_mesh(kHead, "x")));
        game_.write("GameData/Skins/C010MAlgt_test.bmp", plain_bmp(0xFF0000u));
        game_.write("GameData/Animation/Animation.far",
                    far_archive({{"C010MA_TEST.cmx.bcf", bcf_bytes(head_description("x", {"other"}))},
                                 {"meshes\\" + kHat + ".bmf", bmf_bytes(square_mesh(kHat, "hat"))}}));
        game_.write("GameData/Textures/textures.far", far_archive({{"Hat.BMP", plain_bmp(0x00FF00u)}}));
    }
    fw::HeadMeshes load(const std::string& model) {
        fw::HeadFileFinder finder(game_.str());
        return fw::load_head_meshes(finder, model);
    }
    TempDir game_;
};

TEST_F(HeadFiles, LooseFilesWinTheSkinGoesOnTheHeadAndWhatCannotBeFoundOrReadIsLeftOutAndNamed) {
    fw::HeadMeshes head = load("C010MA_TEST");
    EXPECT_EQ(head.state(), fw::HeadState::Drawn);
    EXPECT_TRUE(head.problems.empty()) << head.problems.front();
    ASSERT_TRUE(head.description);
    EXPECT_FALSE(head.description->archived());
    EXPECT_EQ(head.parts.at(1).file.entry, "meshes\\" + kHat + ".bmf");

    fw::HeadFileFinder finder(game_.str());
    const fw::SkinPicture skin = fw::load_skin_picture(finder, "c010malgt_TEST");
    ASSERT_FALSE(skin.image.isNull()) << skin.problem;
    const fw::Scene scene = fw::head_scene(head, skin.image);
    ASSERT_EQ(scene.parts.size(), 2u);
    EXPECT_EQ(scene.parts[0].texture.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(scene.parts[1].texture.pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(scene.parts[0].points.size(), 4u);

    // What cannot be found or read is left out and named: a damaged archive is passed over, the
    // loose files still draw.
    game_.write("ExpansionPack/ExpansionPack.far", std::string("FAR!byAZ\x01\x00\x00\x00\xFF\xFF\x00\x00", 16));
    head = load("C010MA_Test");
    EXPECT_EQ(head.state(), fw::HeadState::Drawn);
    ASSERT_EQ(head.problems.size(), 1u);
    EXPECT_NE(head.problems[0].find("ExpansionPack.far: Error 62 - Input past end of file"),
              std::string::npos);

    EXPECT_EQ(load("C011MA_None").state(), fw::HeadState::NotFound);

    game_.write("Downloads/Heads/Deep/C012MA_Bad.cmx", cmx_text(head_description("c012ma_bad", {"bad-HEAD-HEAD"})));
    game_.write("Downloads/bad-HEAD-HEAD.skn", "bad-HEAD-HEAD\r\nx\r\n1\r\n");
    head = load("C012MA_Bad");
    EXPECT_EQ(head.state(), fw::HeadState::Unreadable);
    EXPECT_NE(head.problems.at(0).find("bad-HEAD-HEAD.skn: Error 62 - Input past end of file (bones)"),
              std::string::npos)
        << head.problems.at(0);

    // A mesh name that would reach out of its folder is never looked for.
    game_.write("Escaped.skn", skn_text(square_mesh("x", "x")));
    game_.write("GameData/Skins/C013MA_Out.cmx", cmx_text(head_description("out", {"..\\..\\Escaped"})));
    head = load("C013MA_Out");
    EXPECT_EQ(head.state(), fw::HeadState::NotFound);
    EXPECT_EQ(head.problems.at(0), "A mesh name that is no file name was skipped: ..\\..\\Escaped");
}

// Files larger than any head's are refused unread; a mesh named again and again is read once.
TEST_F(HeadFiles, OversizedFilesAreNotReadAndARepeatedMeshIsReadOnce) {
    game_.write("GameData/Skins/Band.skn", skn_text(square_mesh("Band", "HAT")));
    std::vector<std::string> meshes(200, kHat);
    meshes.push_back("band");
    game_.write("GameData/Skins/C014MA_Many.cmx", cmx_text(head_description("many", meshes)));
    const fw::HeadMeshes many = load("C014MA_Many");
    ASSERT_EQ(many.parts.size(), 2u);
    EXPECT_EQ(many.parts[0].texture.cacheKey(), many.parts[1].texture.cacheKey()) << "one reading of Hat.BMP";

    constexpr uintmax_t kMiB = 1024 * 1024;
    std::filesystem::resize_file(game_.path() / ("GameData/Skins/" + kHead + ".SKN"), 16 * kMiB + 1);
    std::string big = far_archive({{"Hat.BMP", ""}});  // its data at 16, over its directory
    big.replace(far_directory_offset(big) + 4, 4, fw::long_to_str_le(65 * kMiB));
    const std::string archive = game_.write("GameData/Textures/textures.far", big);
    std::filesystem::resize_file(archive, 66 * kMiB);
    const fw::HeadMeshes head = load("C010MA_Test");
    ASSERT_EQ(head.problems.size(), 2u);
    EXPECT_NE(head.problems[0].find(kHead + ".SKN: Error 6 - File too large (16777217 bytes)"),
              std::string::npos);
    EXPECT_NE(head.problems[1].find("Hat.BMP: Error 6 - File too large (68157440 bytes)"), std::string::npos);
}

}  // namespace
