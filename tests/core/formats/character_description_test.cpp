#include "core/formats/character_description.hpp"

#include <gtest/gtest.h>

#include "builders/model_builder.hpp"
#include "support/error_text_of.hpp"

namespace {

using fw::build::error_of;

// A head model's description as the game's files hold it: the head, then glasses bound to the
// head with properties of their own, then a hat on another bone.
const std::string kTyped =
    "// Character File. Copyright 1997, Maxis Inc.\r\nversion 300\r\n0\r\n1\r\nc001ma_ross\r\n0\r\n0\r\n3\r\n"
    "HEAD\r\nxskin-c001ma_ross-HEAD-HEADB\r\n0\r\n0\r\n"
    "head\r\nxskin-c001ma_ross-HEAD-GLASSES\r\n8\r\n1\r\n2\r\nkey\r\nvalue\r\nother\r\nvalue\r\n"
    "NECK\r\nxskin-c001ma_ross-NECK-SCARF\r\n0\r\n0\r\n"
    "0\r\n";

TEST(CharacterDescription, HeadMeshesAreTheSkinsOnTheHeadBoneInEitherForm) {
    const fw::CharacterDescription description = fw::parse_cmx(kTyped);
    ASSERT_EQ(description.suits.size(), 1u);
    EXPECT_EQ(description.suits[0].name, "c001ma_ross");
    EXPECT_EQ(fw::head_meshes(description),
              (std::vector<std::string>{"xskin-c001ma_ross-HEAD-HEADB", "xskin-c001ma_ross-HEAD-GLASSES"}));
    // The binary twin starts at the skeleton count; the properties are not kept, so both agree.
    EXPECT_EQ(fw::parse_bcf(fw::build::bcf_bytes(description)), description);
    EXPECT_EQ(fw::parse_cmx(fw::build::cmx_text(description)), description);
}

TEST(CharacterDescription, MalformedDescriptionsAreRefused) {
    std::string skeleton = kTyped;
    skeleton.replace(skeleton.find("version 300\r\n0"), 14, "version 300\r\n1");
    std::string no_version = kTyped;
    no_version.erase(no_version.find("version 300\r\n"), 13);
    EXPECT_EQ(error_of([&] { fw::parse_cmx(skeleton); }),
              "Error 5 - Invalid procedure call or argument (the description holds skeletons; a head model's "
              "holds none)");
    EXPECT_EQ(error_of([&] { fw::parse_cmx(no_version); }), "Error 13 - Type mismatch (no \"version\" line)");
    EXPECT_EQ(error_of([&] { fw::parse_cmx(kTyped.substr(0, kTyped.find("NECK"))); }),
              "Error 62 - Input past end of file (bone name)");

    const std::string bcf = fw::build::bcf_bytes(fw::parse_cmx(kTyped));
    for (size_t cut = 0; cut + 4 < bcf.size(); ++cut) {  // the animation count at the end is not read
        const std::string error = error_of([&] { fw::parse_bcf(bcf.substr(0, cut)); });
        EXPECT_EQ(error.rfind("Error 62 - Input past end of file", 0), 0u) << cut << ": " << error;
    }
}

}  // namespace
