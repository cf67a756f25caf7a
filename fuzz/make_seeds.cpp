// Writes the seed corpora for the fuzz targets into OUT/iff_checked, OUT/str_list,
// OUT/far_directory, OUT/browse_file, OUT/mesh, OUT/character_description, OUT/bmp and
// OUT/key_values:
// files shaped like the game's own (and Steam's) plus the awkward shapes the readers must take
// (maps in the middle, odd pads, names ended by byte 163, trailing bytes, cut files, comments
// and blend records).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "builders/bmp_builder.hpp"
#include "builders/far_builder.hpp"
#include "builders/head_builder.hpp"
#include "builders/iff_builder.hpp"
#include "builders/model_builder.hpp"
#include "builders/sim_builder.hpp"
#include "builders/steam_builder.hpp"

namespace fs = std::filesystem;
using namespace fw::build;

namespace {

void write_seed(const fs::path& folder, const std::string& name, const std::string& bytes) {
    fs::create_directories(folder);
    if (!(std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << bytes)) {
        std::fprintf(stderr, "cannot write seed %s\n", (folder / name).c_str());
        std::exit(1);
    }
}

void iff_seeds(const fs::path& dir) {
    const std::string whole = sim_file(SimSpec{.bitmaps = {{"Portrait", face_bmp(7, 6, 6)}}});
    write_seed(dir, "sim_with_map", whole);
    write_seed(dir, "truncated", whole.substr(0, whole.size() * 2 / 3));
    // A map in the middle, names ended by byte 163 and an odd pad, a stale size, a stray byte.
    IffBuilder b;
    b.chunk("STR#", 200, "bodystring", str_list_data(std::vector<std::string>{"adult", "B003"}, "\x20\x21"));
    b.chunk("CTSS", 2000, "", str_list_data(std::vector<std::string>{"Ren\xE9", "A sim."}));
    b.map({.after_chunk = 1, .name_end = NameEnd::Byte163, .pad_byte = '\xAA', .size_field = 12345});
    write_seed(dir, "map_middle_163_odd_pad", b.trailing("\x07").bytes());
}

void str_list_seeds(const fs::path& dir) {
    write_seed(dir, "appearance_trailing",
               str_list_data(appearance_values(SimSpec{}), std::string("\x20\x00\xCD", 3)));
    write_seed(dir, "names", str_list_data(std::vector<StrEntry>{{"Ren\xE9", "second", 1}, {"", "", 0}}));
}

void far_seeds(const fs::path& dir) {
    const std::string archive = far_archive({{"Skins\\B001MAfit_01.bmp", std::string(50, 'a')},
                                             {"c001ma_test.bmp", face_bmp(3, 4, 4)},
                                             {"Folder/Sub\\x.cmx", "cmx"}});
    write_seed(dir, "skins", archive.substr(far_directory_offset(archive)));
}

// Character files as the browser meets them: people and pets, heads with and without their
// separators, labels and names without their NUL, skin names that would leave their folder.
void browse_file_seeds(const fs::path& dir) {
    const SimSpec odd_head{.head = "C005MA_ROMEO,HEAD-HEAD=c005malgt_romeo;x",
                           .objd_label = "USER00002 - " + std::string(60, 'L'),
                           .bitmaps = {{"Web_Image", face_bmp(1, 4, 4)}, {"../x\\y", "z"}}};
    write_seed(dir, "head_with_semicolon_label_without_nul", sim_file(odd_head));
    write_seed(dir, "cat", sim_file(pet_spec("Tom", false)));
    write_seed(dir, "short_list_unsafe_skin",
               sim_file({.head = "C001MA_Test HEAD-HEAD=..\\..\\escaped", .entry_count = 3}));
    IffBuilder no_nul;
    no_nul.chunk("OBJD", 128, "job object", std::string(16, '\0'))
        .chunk("STR#", 200, "", str_list_data(std::vector<std::string>{"adult", "b"}))
        .chunk("CTSS", 2000, "", std::string("\xFD\xFF\x01\x00\x01NoEnd", 10));
    write_seed(dir, "name_without_nul", no_nul.bytes());
}

// Meshes in both forms: a small head with glasses' lens, one with blend records and a long name.
void mesh_seeds(const fs::path& dir) {
    const HeadShape shape;
    write_seed(dir, "head.bmf", bmf_bytes(head_mesh("xskin-c001ma_seed-HEAD-HEAD", shape, 3, 4)));
    fw::Mesh blended = glasses_mesh(std::string(300, 'g'), "glasses", shape);
    blended.blends = {{1, 0x4000}, {2, 0x8000}};
    blended.vertices.insert(blended.vertices.end(), {blended.vertices[0], blended.vertices[1]});
    blended.bindings = {{0, 0, 8, 0, 2}};
    write_seed(dir, "blended.bmf", bmf_bytes(blended));
    write_seed(dir, "commented.skn", "// made by hand\r\n\r\n" + skn_text(blended));
}

void description_seeds(const fs::path& dir) {
    fw::CharacterDescription description =
        head_description("c001ma_seed", {"xskin-c001ma_seed-HEAD-HEAD", "glasses"});
    description.suits.push_back({"hat", 1, {{"NECK", "scarf", 8}}});
    write_seed(dir, "head.cmx", cmx_text(description));
    write_seed(dir, "head.cmx.bcf", bcf_bytes(description));
    write_seed(dir, "properties.cmx",
               "version 300\r\n0\r\n1\r\nsuit\r\n0\r\n1\r\n1\r\nk\r\nv\r\n1\r\nHEAD\r\nm\r\n0\r\n0\r\n0\r\n");
}

// Skin bitmaps in the depths players' downloads come in: 8-bit with a full or short table, 4-bit,
// 16-bit, 24-bit, 32-bit top-down with masks.
void bmp_seeds(const fs::path& dir) {
    const auto stripes = [](int x, int y) { return static_cast<uint32_t>((x + y) % 3); };
    const std::vector<uint32_t> palette(256, 0x806040);
    write_seed(dir, "full_table.bmp", bmp_bytes({.width = 8, .height = 8, .palette = palette}, stripes));
    write_seed(dir, "short_table.bmp", bmp_bytes({.width = 5, .height = 3, .palette = {1, 2, 3}}, stripes));
    write_seed(dir, "four_bit.bmp", bmp_bytes({.width = 7, .height = 2, .bits = 4, .palette = {1, 2, 3}}, stripes));
    write_seed(dir, "555.bmp", bmp_bytes({.width = 3, .height = 3, .bits = 16}, [](int x, int) { return 0x7C00u >> x; }));
    write_seed(dir, "face.bmp", face_bmp(3, 8, 8));
    write_seed(dir, "masked_top_down.bmp", bmp_bytes({.width = 4, .height = 2, .bits = 32, .top_down = true, .masks = true},
                                                     [](int x, int y) { return 0xFF000000u | static_cast<uint32_t>(x * 60 + y); }));
}

void key_values_seeds(const fs::path& dir) {
    write_seed(dir, "library_folders",
               library_folders_vdf({"/home/p/.local/share/Steam", "D:\\Games\\Steam \"2\""}));
    write_seed(dir, "library_folders_old", library_folders_vdf({"/mnt/games/SteamLibrary"}, true));
    write_seed(dir, "comments_bare_conditions",
               "// comment\n\"a\" { b c [$WIN32]\n \"d\" \"e\\\\f\\n\" } // end\n\"g\" { \"h\" { } }\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT_FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    iff_seeds(out / "iff_checked");
    str_list_seeds(out / "str_list");
    far_seeds(out / "far_directory");
    browse_file_seeds(out / "browse_file");
    mesh_seeds(out / "mesh");
    description_seeds(out / "character_description");
    bmp_seeds(out / "bmp");
    key_values_seeds(out / "key_values");
    return 0;
}
