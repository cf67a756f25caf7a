#include "core/sims/game_check.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "builders/far_builder.hpp"
#include "demo/check_game.hpp"
#include "finding_kinds.hpp"
#include "support/temp_dir.hpp"

using namespace fw;

namespace fs = std::filesystem;

// Files made to hurt: too large, cut, binary, names that climb out, links out of the game. The
// check reports them and never crashes; fixes never write outside the game.
TEST(GameCheckContent, HostileFilesNeverCrashOrReachOutside) {
    const build::TempDir game, outside;
    build::write_check_game(game.str(), true);
    outside.write("secret.bmp", build::bmp24(4, 4, [](int, int) { return 0u; }));
    const auto outside_before = build::files_below(outside.path());
    const std::pair<const char*, std::string> hostile[] = {
        {"GameData/Skins/C006MA_Cut.cmx", "version 300\r\n0\r\n1\r\nC006MA_Cut\r\n"},
        {"GameData/Skins/C007MA_Bin.cmx", std::string("\0\xff\x01\x80version", 12)},
        {"GameData/Skins/C008MA_Up.cmx", "version 300\r\n0\r\n1\r\nC008MA_Up\r\n0\r\n1\r\nHEAD\r\n..\\..\\secret\r\n0\r\n"},
        {"GameData/Skins/xskin-cut-HEAD.skn", "xskin-cut-HEAD\r\ntex"},
        {"ExpansionShared/SkinsBuy/..\\..\\C009MA_Climb.cmx", "version 300\r\n0\r\n"},
        {"Downloads/huge.far", "FAR!byAZ\x01\x00\x00\x00"},
    };
    for (const auto& [name, bytes] : hostile) game.write(name, bytes);
    game.write("GameData/Skins/C010MA_Huge.cmx", "");
    fs::resize_file(game.path() / "GameData/Skins/C010MA_Huge.cmx", 40LL * 1024 * 1024);
    fs::create_directories(game.path() / "GameData/Skins/Sub");
    fs::create_symlink(outside.path() / "secret.bmp", game.path() / "GameData/Skins/Sub/linked.bmp");
    fs::create_directory_symlink(outside.path(), game.path() / "GameData/Skins/Out");
    const GameCheck check = check_game(game.str());
    const std::vector<std::string> kinds = typed::kinds_of(check);
    EXPECT_GE(std::count(kinds.begin(), kinds.end(), "unreadable-content-file"), 1);
    EXPECT_GE(std::count(kinds.begin(), kinds.end(), "unreadable-description"), 2);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "damaged-download"), 2);  // the cut IFF and FAR
    apply_fixes(game.str(), check.findings,
                {FixKind::MoveSkinUp, FixKind::CorrectOwnName, FixKind::CopyBuyableMesh, FixKind::ConvertTo8Bit});
    undo_last_fixes(game.str());
    EXPECT_EQ(build::files_below(outside.path()), outside_before);
}
