#include "fixtures.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "builders/far_builder.hpp"
#include "builders/sim_builder.hpp"
#include "core/formats/iff.hpp"

namespace fw::bench {

namespace {

// A character file shaped like the game's with enough pictures for 100 chunks in all.
std::string character_bytes() {
    build::SimSpec shape;
    shape.name = "Benchmark";
    for (uint32_t i = 0; i < 95; ++i)
        shape.bitmaps.push_back(
            {std::string("Picture").append(std::to_string(i)), build::face_bmp(i, 26, 26)});
    return build::sim_file(shape);
}

std::string directory_archive_bytes() {
    static const char* const tones[] = {"lgt", "med", "drk"};
    std::vector<build::FarEntry> entries;
    entries.reserve(10000);
    for (int i = 0; i < 10000; ++i) {
        std::string name = i % 4 == 0 ? "Skins\\c" : "c";
        name += std::to_string(i);
        name += "ma_";
        name += tones[i % 3];
        name += "_head";
        name += i % 2 == 0 ? ".cmx" : ".bmp";
        entries.push_back({name, std::string(static_cast<size_t>(8 + i % 24), static_cast<char>(i))});
    }
    return build::far_archive(entries);
}

std::string extract_archive_bytes() {
    std::vector<build::FarEntry> entries;
    uint32_t noise = 12345;
    for (int i = 0; i < 400; ++i) {
        const size_t size = 20 * 1024 + static_cast<size_t>(i) * 7919 % (40 * 1024 + 1);
        std::string data(size, '\0');
        for (char& c : data) {
            noise = noise * 1103515245u + 12345u;
            c = static_cast<char>(noise >> 24);
        }
        std::string name = "Skins\\face";
        name += std::to_string(i);
        name += ".bmp";
        entries.push_back({std::move(name), std::move(data)});
    }
    return build::far_archive(entries);
}

void require(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("benchmark fixture: ") + what);
}

}  // namespace

void fresh_folder(const std::string& path) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
}

const Fixtures& fixtures() {
    static const std::unique_ptr<Fixtures> made = [] {
        auto f = std::make_unique<Fixtures>();
        const std::string home = f->temp.str() + "/home";
        std::filesystem::create_directories(home);
        ::setenv("FACEWRIGHT_HOME", home.c_str(), 1);

        f->character_file = f->temp.write("character.iff", character_bytes());
        IFFFile file;
        require(gfstrReadIFFChecked(file, f->character_file).empty(), "character file unreadable");
        require(file.chunks.size() == 100, "character file must hold 100 chunks");

        const std::string archive = directory_archive_bytes();
        f->directory_archive = f->temp.write("directory.far", archive);
        f->directory_offset = static_cast<int64_t>(build::far_directory_offset(archive));
        f->directory_size = static_cast<int64_t>(archive.size()) - f->directory_offset;

        f->extract_archive = f->temp.write("extract.far", extract_archive_bytes());
        gsReadFARdir(f->extract_dir, f->extract_archive);
        require(f->extract_dir.count() == 400, "extraction archive must hold 400 entries");
        f->out_ours = f->temp.str() + "/out-ours";
        f->out_plain = f->temp.str() + "/out-plain";
        return f;
    }();
    return *made;
}

}  // namespace fw::bench
