#include "core/sims/game_check.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "builders/far_builder.hpp"
#include "core/base/failure.hpp"
#include "demo/check_game.hpp"
#include "support/temp_dir.hpp"

namespace fw {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

std::vector<std::string> kinds_of(const GameCheck& check) {
    std::vector<std::string> kinds;
    for (const Finding& f : check.findings) kinds.push_back(f.kind);
    std::sort(kinds.begin(), kinds.end());
    return kinds;
}

// The broken game's faults are found exactly once each, with the sims they touch; the healthy
// game shows nothing, and a check told to stop says so.
TEST(GameCheck, FindsEachPlantedFaultWithItsSims) {
    const build::TempDir healthy, broken;
    build::write_check_game(healthy.str(), false);
    build::write_check_game(broken.str(), true);
    EXPECT_TRUE(check_game(healthy.str()).findings.empty()) << game_check_json(check_game(healthy.str()));

    const GameCheck check = check_game(broken.str());
    std::vector<std::string> planted;
    for (const auto& fault : build::planted_faults()) planted.push_back(fault.kind);
    std::sort(planted.begin(), planted.end());
    EXPECT_EQ(kinds_of(check), planted) << game_check_json(check);
    for (const auto& fault : build::planted_faults()) {
        for (const Finding& f : check.findings) {
            if (f.kind != fault.kind) continue;
            std::vector<std::string> names;
            for (const TouchedSim& s : f.sims) {
                names.push_back(s.name);
                EXPECT_EQ(s.neighbourhood, "Neighborhood 01   (UserData)");
            }
            EXPECT_EQ(names, fault.sims) << f.kind;
        }
    }
    EXPECT_TRUE(std::is_sorted(check.findings.begin(), check.findings.end(),
                               [](const Finding& a, const Finding& b) { return a.severity < b.severity; }));
    EXPECT_TRUE(check_game(broken.str(), [](size_t done, size_t) { return done < 3; }).cancelled);
    EXPECT_THROW(check_game(broken.str() + "/nowhere"), Failure);
}

// Each fix mends its fault alone, and its undo puts every byte back; a run that fails half way
// leaves the game as it was.
TEST(GameCheck, FixesMendTheirFaultAndUndoPutsEveryByteBack) {
    const build::TempDir game;
    build::write_check_game(game.str(), true);
    const Files before = build::files_below(game.path());
    const GameCheck check = check_game(game.str());
    const std::pair<FixKind, const char*> fixes[] = {{FixKind::MoveSkinUp, "skin-in-subfolder"},
                                                     {FixKind::CorrectOwnName, "description-own-name"},
                                                     {FixKind::CopyBuyableMesh, "buyable-mesh-elsewhere"},
                                                     {FixKind::ConvertTo8Bit, "skin-not-8-bit"}};
    for (const auto& [kind, mends] : fixes) {
        const FixOutcome outcome = apply_fixes(game.str(), check.findings, {kind});
        EXPECT_TRUE(outcome.ok && outcome.changed == 1) << fix_kind_id(kind) << outcome.words.front();
        std::vector<std::string> left = kinds_of(check_game(game.str()));
        EXPECT_EQ(std::count(left.begin(), left.end(), mends), 0) << mends;
        EXPECT_EQ(left.size(), check.findings.size() - 1) << mends;
        EXPECT_EQ(undo_last_fixes(game.str()).changed, 1);
        EXPECT_EQ(build::files_below(game.path()), before) << mends;
    }
    EXPECT_FALSE(undo_last_fixes(game.str()).ok);  // nothing left to undo

    // The skin to convert is no picture by the time the fixes run: the copy made before it goes.
    game.write("GameData/Skins/c001madrk_dan.bmp", "spoilt");
    const Files spoilt = build::files_below(game.path());
    EXPECT_FALSE(apply_fixes(game.str(), check.findings, {FixKind::CopyBuyableMesh, FixKind::ConvertTo8Bit}).ok);
    EXPECT_EQ(build::files_below(game.path()), spoilt);
}

// Files made to hurt: too large, cut, binary, names that climb out, links out of the game. The
// check reports them and never crashes; fixes never write outside the game.
TEST(GameCheck, HostileFilesNeverCrashOrReachOutside) {
    const build::TempDir game, outside;
    build::write_check_game(game.str(), true);
    outside.write("secret.bmp", build::bmp24(4, 4, [](int, int) { return 0u; }));
    const Files outside_before = build::files_below(outside.path());
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
    const std::vector<std::string> kinds = kinds_of(check);
    EXPECT_GE(std::count(kinds.begin(), kinds.end(), "unreadable-content-file"), 1);
    EXPECT_GE(std::count(kinds.begin(), kinds.end(), "unreadable-description"), 2);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "damaged-download"), 2);  // the cut IFF and FAR
    apply_fixes(game.str(), check.findings,
                {FixKind::MoveSkinUp, FixKind::CorrectOwnName, FixKind::CopyBuyableMesh, FixKind::ConvertTo8Bit});
    undo_last_fixes(game.str());
    EXPECT_EQ(build::files_below(outside.path()), outside_before);
}

}  // namespace
}  // namespace fw
