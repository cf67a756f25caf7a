#include "core/game/case_twins.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

namespace fw {
namespace {

TEST(CaseTwins, NamesThatDifferOnlyInCaseAreGroupedFoldersIncluded) {
    build::TempDir folder;
    for (const char* name : {"Head.bmp", "other.bmp", "head.BMP", "x.cmx", "HEAD.bmp", "X.CMX/inside"})
        folder.write(name, "");
    const std::vector<CaseTwins> found = find_case_twins(folder.str());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].names.size(), 3u);
    EXPECT_EQ(found[1].names.size(), 2u);
    EXPECT_EQ(found[1].folder, folder.str());
    EXPECT_TRUE(find_case_twins(folder.str() + "/X.CMX").empty());
}

}  // namespace
}  // namespace fw
