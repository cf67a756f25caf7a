// check_game: the whole game checked, on a game of 10,000 skin files (7,000 loose in the skins
// folders, 3,000 in the game's 8 archives), 50 archives (the 8 and 42 downloads) and 5,000 sims
// in 10 neighbourhoods, against the plainest code that reads every one of those files once.
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "builders/far_builder.hpp"
#include "builders/head_builder.hpp"
#include "builders/model_builder.hpp"
#include "builders/sim_builder.hpp"
#include "core/game/game_archives.hpp"
#include "core/platform/game_paths.hpp"
#include "core/sims/game_check.hpp"
#include "fixtures.hpp"
#include "paired.hpp"
#include "support/temp_dir.hpp"

namespace fw::bench {

namespace {

struct CheckGame {
    build::TempDir game;
    std::vector<std::string> files;  // real paths of every file the check reads
};

std::string model_name(int n) { return "C" + std::to_string(100 + n) + "MA_Bench"; }
std::string mesh_name(int n) { return "xskin-bench" + std::to_string(n) + "-HEAD-HEAD"; }
std::string skin_name(int n) { return "c" + std::to_string(100 + n) + "malgt_bench"; }

const CheckGame& check_game_fixture() {
    static const std::unique_ptr<CheckGame> made = [] {
        fixtures();  // the program folder of the run
        auto g = std::make_unique<CheckGame>();
        auto put = [&](const std::string& relative, const std::string& bytes) {
            g->files.push_back(g->game.write(relative, bytes));
        };
        put("Sims.exe", "");
        const std::string face = build::face_texture(1, "lgt");
        const std::string mesh_text = build::skn_text(build::head_mesh("m", build::HeadShape{}, 6, 8));
        // Loose: 1,500 descriptions and meshes, 4,000 bitmaps.
        for (int n = 0; n < 1500; ++n) {
            put("GameData/Skins/" + model_name(n) + ".cmx",
                build::cmx_text(build::head_description(model_name(n), {mesh_name(n)})));
            put("GameData/Skins/" + mesh_name(n) + ".skn", mesh_text);
        }
        for (int n = 0; n < 4000; ++n) put("GameData/Skins/" + skin_name(n) + ".bmp", face);
        // Archived: 3,000 more, spread over the game's archives.
        const auto& archives = game_archives();
        for (size_t a = 0; a < archives.size(); ++a) {
            std::vector<build::FarEntry> entries;
            for (int n = 0; n < 375; ++n) {
                const int k = 10000 + static_cast<int>(a) * 375 + n;
                entries.push_back({n % 2 ? skin_name(k) + ".bmp" : mesh_name(k) + ".skn", n % 2 ? face : mesh_text});
            }
            std::string relative = archives[a].path.substr(1);
            for (char& c : relative)
                if (c == '\\') c = '/';
            put(relative, build::far_archive(entries));
        }
        for (int n = 0; n < 42; ++n)
            put("Downloads/pack" + std::to_string(n) + ".far", build::far_archive({{"object.iff", "IFF object"}}));
        // 5,000 sims, each wearing one of the loose heads.
        for (int n = 0; n < 5000; ++n) {
            build::SimSpec sim;
            sim.name = "Sim" + std::to_string(n);
            sim.head = model_name(n % 1500) + ",HEAD-HEAD=" + skin_name(n % 4000);
            const std::string hood = n < 500 ? "UserData" : "UserData" + std::to_string(n / 500 + 1);
            char file[24];
            std::snprintf(file, sizeof file, "User%05d.iff", n % 500 + 1);
            put(hood + "/Characters/" + file, build::sim_file(sim));
        }
        return g;
    }();
    return *made;
}

void check_ours() {
    const GameCheck check = check_game(check_game_fixture().game.str());
    if (check.cancelled) throw std::runtime_error("check cancelled");
}

void check_plain() {
    for (const std::string& file : check_game_fixture().files) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (in.bad()) throw std::runtime_error("cannot read " + file);
    }
}

const bool registered = [] {
    register_figure("check_game", {check_ours, [] { check_game_fixture(); }}, {check_plain, [] { check_game_fixture(); }});
    return true;
}();

}  // namespace

}  // namespace fw::bench
