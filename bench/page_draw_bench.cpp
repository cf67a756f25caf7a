// page_draw: the main window drawing one full page of 49 sims (each file read, its bitmaps
// dumped, its name and head skin taken, its head previews looked for, its thumbnail painted into
// the grid from the bytes dumped, the first sim shown) against the plainest code that reads the
// same 49 files and writes the same bitmap bytes: one fopen and fread per file, one fwrite per
// bitmap. Redrawing the page, the window decodes no thumbnail it has decoded before. Of our time
// the file system's work (the reads, the deletes and the writes of the dump) is about two
// thirds; reading the files apart and drawing the page are the rest.
#include "page_draw_bench.hpp"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "builders/far_builder.hpp"
#include "builders/sim_builder.hpp"
#include "core/screens/sim_cells.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/iff.hpp"
#include "core/platform/settings.hpp"
#include "core/game/app_state.hpp"
#include "paired.hpp"
#include "support/temp_dir.hpp"
#include "windows/browser/frmMain.hpp"

namespace fw::bench {

namespace {

constexpr int kSims = 49;

struct DumpedBitmap {
    long offset = 0;  // of the picture's bytes in the character file
    size_t size = 0;
    std::string name;  // the file it is written to
};

struct PageFixture {
    build::TempDir temp;
    std::string characters;  // the characters folder, real path
    std::vector<std::string> files;
    std::vector<std::vector<DumpedBitmap>> bitmaps;  // per file
    std::string out_plain;
    std::unique_ptr<frmMain> window;
};

// A sim as the game writes one: its web image, faces, relationship images and speech bitmap.
std::string sim_bytes(int n) {
    build::SimSpec shape;
    shape.name = "Sim" + std::to_string(n);
    const std::string model = std::to_string(n % 7);
    shape.head = "C00" + model + "MA_Bench,HEAD-HEAD=c00" + model + "malgt_bench";
    const auto seed = static_cast<uint32_t>(n * 4);
    shape.bitmaps = {{"Web_Image", build::face_bmp(seed)},
                     {"faces", build::face_bmp(seed + 1)},
                     {"rel. images", build::face_bmp(seed + 2, 60, 45)},
                     {"speech_large", build::face_bmp(seed + 3, 64, 64)}};
    return build::sim_file(shape);
}

bool fixture_made = false;

bool page_fixture_made() { return fixture_made; }

PageFixture& page_fixture() {
    static const std::unique_ptr<PageFixture> made = [] {
        fixture_made = true;
        auto f = std::make_unique<PageFixture>();
        // Settings and the registry of this run stay inside the temporary folder.
        ::setenv("XDG_CONFIG_HOME", (f->temp.str() + "/config").c_str(), 1);
        ::setenv("WINEPREFIX", (f->temp.str() + "/wine").c_str(), 1);
        f->temp.write("game/Sims.exe", "");
        for (int n = 1; n <= kSims; ++n) {
            char name[16];
            std::snprintf(name, sizeof name, "User%05d.iff", n);
            const std::string relative = std::string("game/UserData/Characters/") + name;
            const std::string path = f->temp.write(relative, sim_bytes(n));
            f->files.push_back(name);
            IFFFile file;
            if (!gfstrReadIFFChecked(file, path).empty()) {
                throw std::runtime_error("benchmark fixture: sim unreadable");
            }
            // Where each picture lies in the file, found once so the plain side only moves bytes.
            const std::string whole = f->temp.read(relative);
            std::vector<DumpedBitmap> dumped;
            for (const IFFChunk& chunk : file.chunks) {
                if (chunk.type != "BMP_") continue;
                const size_t at = whole.find(chunk.data.view());
                if (at == std::string::npos) throw std::runtime_error("benchmark fixture: picture not found");
                std::string label;
                for (const char c : gfstrStripNull(chunk.label)) {
                    if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') label += c;
                }
                dumped.push_back({static_cast<long>(at), chunk.data.size(), label + ".BMP"});
            }
            f->bitmaps.push_back(std::move(dumped));
        }
        f->characters = f->temp.str() + "/game/UserData/Characters/";
        f->out_plain = f->temp.str() + "/plain";
        std::filesystem::create_directories(f->out_plain);

        save_setting(kAppVestrel, kKeyLastNeighborhood, "Neighborhood 01   (UserData)");
        app_state().run_game = Game::at(f->temp.str() + "/game", GamePathSource::CommandLine);
        f->window = std::make_unique<frmMain>();
        f->window->show();
        f->window->Form_Activate();  // lists the neighbourhood and draws the page once
        QApplication::processEvents();
        if (f->window->character_files().size() != kSims) {
            throw std::runtime_error("benchmark fixture: page not listed");
        }
        return f;
    }();
    return *made;
}

void page_draw_ours() { page_fixture().window->msLoadSimImages(); }

// The core's part of the same page alone (no picture loaded or painted): how much of page_draw
// is the window's.
void page_core_ours() {
    PageFixture& f = page_fixture();
    fw::msLoadSimImages(f.characters, f.files, 0, [](int32_t, const SimCell&) {});
}

void page_draw_plain() {
    PageFixture& f = page_fixture();
    static std::string bytes;
    for (size_t i = 0; i < f.files.size(); ++i) {
        FILE* in = std::fopen((f.characters + f.files[i]).c_str(), "rb");
        if (in == nullptr) throw std::runtime_error("benchmark: cannot open a sim");
        std::fseek(in, 0, SEEK_END);
        bytes.resize(static_cast<size_t>(std::ftell(in)));
        std::fseek(in, 0, SEEK_SET);
        const size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
        std::fclose(in);
        benchmark::DoNotOptimize(got);
        for (const DumpedBitmap& bitmap : f.bitmaps[i]) {
            FILE* out = std::fopen((f.out_plain + "/" + bitmap.name).c_str(), "wb");
            if (out == nullptr) throw std::runtime_error("benchmark: cannot write a bitmap");
            std::fwrite(bytes.data() + bitmap.offset, 1, bitmap.size, out);
            std::fclose(out);
        }
    }
}

}  // namespace

void release_page_draw_fixture() {
    if (page_fixture_made()) page_fixture().window.reset();
}

void register_page_draw_benchmarks() {
    register_figure("page_draw", {page_draw_ours}, {page_draw_plain});
    register_figure("page_draw_core", {page_core_ours}, {page_draw_plain});
}

}  // namespace fw::bench
