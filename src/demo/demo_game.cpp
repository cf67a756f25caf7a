#include "demo/demo_game.hpp"

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "builders/far_builder.hpp"
#include "builders/head_builder.hpp"
#include "builders/model_builder.hpp"
#include "builders/sim_builder.hpp"
#include "builders/steam_builder.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/program_folder.hpp"

namespace fw::build {

namespace {

struct HeadModel {
    std::string code;   // age/gender code in upper case
    std::string model;  // as entry 3 names it
    std::string skin;   // the skin name after the model prefix and tone
};

// Head models the sims wear, by age/gender code. Some come from the archives, some only from
// meshes in the skins folder; the skins of C003MA, C004FA and C005MC live only in archives.
const std::vector<HeadModel>& head_models() {
    static const std::vector<HeadModel> models = {
        {"MA", "C001MA_Dylan", "dylan"}, {"MA", "C002MA_Eliot", "eliot"}, {"MA", "C003MA_Hugo", "hugo"},
        {"MA", "C100MA_Rex", "rex"},     {"FA", "C001FA_Ava", "ava"},     {"FA", "C002FA_Bella", "bella"},
        {"FA", "C004FA_Iris", "iris"},   {"FA", "C100FA_Lia", "lia"},     {"MC", "C001MC_Gus", "gus"},
        {"MC", "C005MC_Jo", "jo"},       {"MC", "C100MC_Kit", "kit"},     {"FC", "C001FC_Fay", "fay"},
        {"FC", "C100FC_Pip", "pip"},
    };
    return models;
}

const std::array<const char*, 3> kTones = {"lgt", "med", "drk"};

const std::array<const char*, 20> kFirstNames = {
    "Ada",  "Bram", "Cleo", "Dov",  "Esme", "Finn", "Gia",  "Hal",  "Ines", "Jory",
    "Kaia", "Lev",  "Mira", "Nils", "Opal", "Pim",  "Quin", "Rosa", "Sven", "Tova",
};

std::string prefix_of(const std::string& model) { return model.substr(0, model.find('_')); }

std::string skin_file(const HeadModel& m, const std::string& tone) {
    return prefix_of(m.model) + tone + "_" + m.skin + ".bmp";
}

// Each model's head: a child's is smaller, a woman's narrower, and no two are quite alike.
HeadShape shape_of(const std::string& model) {
    HeadShape shape;
    const std::string code = to_upper(model.substr(4, 2));
    const float scale = code[1] == 'C' ? 0.8F : 1.0F;
    const float narrow = code[0] == 'F' ? 0.93F : 1.0F;
    const auto wobble = static_cast<float>(model.size() % 5) * 0.006F;
    shape.height = (0.26F + wobble) * scale;
    shape.width = (0.19F - wobble / 2) * scale * narrow;
    shape.depth = 0.22F * scale * narrow;
    return shape;
}

std::string head_mesh_name(const std::string& model) { return "xskin-" + to_lower(model) + "-HEAD-HEAD"; }

// The glasses one demo model wears: a mesh with a bitmap of its own in the skins folder.
constexpr const char* kGlassesModel = "C002MA_Eliot";
constexpr const char* kGlassesBitmap = "glasses-demo";

std::vector<std::string> meshes_of(const std::string& model) {
    std::vector<std::string> meshes = {head_mesh_name(model)};
    if (model == kGlassesModel) meshes.push_back("xskin-" + to_lower(model) + "-HEAD-GLASSES");
    return meshes;
}

// A model's description and meshes as archive entries: the binary forms.
std::vector<FarEntry> archived_head(const std::string& description_entry, const std::string& model) {
    std::vector<FarEntry> entries = {
        {description_entry, bcf_bytes(head_description(model, meshes_of(model)))}};
    entries.push_back(
        {head_mesh_name(model) + ".bmf", bmf_bytes(head_mesh(head_mesh_name(model), shape_of(model)))});
    if (model == kGlassesModel) {
        const std::string glasses = meshes_of(model)[1];
        entries.push_back(
            {glasses + ".bmf", bmf_bytes(glasses_mesh(glasses, kGlassesBitmap, shape_of(model)))});
    }
    return entries;
}

// A body or hand texture: two shades of the tone in stripes, small as the game's own are not.
std::string outfit_texture(const std::string& tone) {
    const uint32_t shade = tone == "lgt" ? 0xE0B090 : tone == "med" ? 0xA07050 : 0x603820;
    return bmp8(8, 8, {shade, (shade / 2) & 0x7F7F7F}, [](int x, int) { return static_cast<uint8_t>((x / 2) & 1); });
}

// What the sims wear beside their heads, read from the appearance lists they are written with:
// each outfit's description, its mesh and its texture in every tone, and the hands' textures,
// so that no demo sim wears what the game lacks. Entries once each, by name.
std::vector<FarEntry> worn_outfits() {
    std::map<std::string, std::string> entries;
    for (const char* code : {"MA", "FA", "MC", "FC"}) {
        for (const char* tone : kTones) {
            SimSpec sim;
            sim.age = code[1] == 'A' ? "adult" : "child";
            sim.gender = code[0] == 'M' ? "male" : "female";
            sim.tone = tone;
            const std::vector<std::string> worn = appearance_values(sim);
            for (size_t n : {2, 16, 17, 28, 31, 32, 33, 34}) {  // outfits: "description,BODY=texture"
                const std::string& value = worn[n - 1];
                const size_t comma = value.find(',');
                const size_t equals = value.find('=', comma);
                if (comma == std::string::npos || equals == std::string::npos) continue;
                const std::string outfit = value.substr(0, comma);
                const std::string mesh = "xskin-" + to_lower(outfit) + "-PELVIS-BODY";
                entries[outfit + ".cmx.bcf"] = bcf_bytes(body_description(outfit, mesh));
                entries[mesh + ".bmf"] = bmf_bytes(head_mesh(mesh, HeadShape{}, 2, 3));
                entries[value.substr(equals + 1) + ".bmp"] = outfit_texture(tone);
            }
            for (size_t n = 18; n <= 23; ++n) {  // hands: "mesh,HAND=texture"
                const std::string& value = worn[n - 1];
                const size_t equals = value.find('=');
                if (equals != std::string::npos) entries[value.substr(equals + 1) + ".bmp"] = outfit_texture(tone);
            }
        }
    }
    std::vector<FarEntry> all;
    for (auto& [name, bytes] : entries) all.push_back({name, std::move(bytes)});
    return all;
}

std::vector<FarEntry> joined(std::vector<std::vector<FarEntry>> groups) {
    std::vector<FarEntry> all;
    for (auto& group : groups) all.insert(all.end(), group.begin(), group.end());
    return all;
}

class DemoWriter {
public:
    explicit DemoWriter(std::string root) : root_(std::move(root)) {}

    void put(const std::string& relative, const std::string& bytes) const {
        const size_t cut = relative.find_last_of('\\');
        if (cut != std::string::npos) create_folder(root_ + "\\" + relative.substr(0, cut));
        write_file(root_ + "\\" + relative, bytes);
    }

private:
    std::string root_;
};

// One sim of a neighbourhood: ages, genders and tones cycle so that every combination shows up
// among the first twelve; each sim's pictures are drawn from its own seeds.
SimSpec demo_sim(int neighbourhood, int index, const std::string& surname) {
    static const std::array<const char*, 4> codes = {"MA", "FA", "MC", "FC"};
    const std::string code = codes[static_cast<size_t>(index % 4)];
    const std::string tone = kTones[static_cast<size_t>(index / 4 % 3)];
    std::vector<const HeadModel*> choices;
    for (const HeadModel& m : head_models()) {
        if (m.code == code) choices.push_back(&m);
    }
    const HeadModel& head = *choices[static_cast<size_t>(index / 12 + neighbourhood) % choices.size()];

    SimSpec s;
    s.name = std::string(kFirstNames[static_cast<size_t>(index + neighbourhood * 7) % kFirstNames.size()]) +
             " " + surname;
    s.age = code[1] == 'A' ? "adult" : "child";
    s.gender = code[0] == 'M' ? "male" : "female";
    s.tone = tone;
    // Names repeat across a neighbourhood; the object identifier is each sim's own.
    s.objd_id = 0x5D000000u + static_cast<uint32_t>(neighbourhood * 1000 + index + 1);
    s.head = head.model + ",HEAD-HEAD=" + to_lower(prefix_of(head.model)) + tone + "_" + head.skin;
    const auto seed = static_cast<uint32_t>(neighbourhood * 1000 + index * 4);
    s.bitmaps = {{"Web_Image", face_bmp(seed)},
                 {"faces", face_bmp(seed + 1)},
                 {"rel. images", face_bmp(seed + 2, 60, 45)},
                 {"speech_large", face_bmp(seed + 3, 64, 64)}};
    return s;
}

std::string user_file(int n) {
    std::string digits = std::to_string(n);
    return "User" + std::string(5 - digits.size(), '0') + digits + ".iff";
}

void write_neighbourhoods(const DemoWriter& out) {
    // UserData: more than one page of 49.
    for (int i = 0; i < 53; ++i) {
        out.put("UserData\\Characters\\" + user_file(i + 1), sim_file(demo_sim(0, i, "Demo")));
    }
    // UserData2: a sim without a web image, a dog, and a file cut short.
    for (int i = 0; i < 8; ++i) {
        SimSpec s = demo_sim(2, i, "Second");
        if (i == 5) s.bitmaps.erase(s.bitmaps.begin());
        out.put("UserData2\\Characters\\" + user_file(i + 1), sim_file(s));
    }
    SimSpec dog = pet_spec("Rufus", true);
    dog.bitmaps = {{"Web_Image", face_bmp(2900)}, {"faces", face_bmp(2901)}};
    out.put("UserData2\\Characters\\" + user_file(9), sim_file(dog));
    const std::string whole = sim_file(demo_sim(2, 9, "Second"));
    out.put("UserData2\\Characters\\" + user_file(10), whole.substr(0, whole.size() / 3));
    // UserData10: sorts after UserData2 by its number; one sim named only by its file.
    for (int i = 0; i < 3; ++i) {
        SimSpec s = demo_sim(10, i, "Tenth");
        if (i == 2) s.objd_label = "neighbour - " + s.name;
        out.put("UserData10\\Characters\\" + user_file(i + 1), sim_file(s));
    }
}

void write_skins_folder(const DemoWriter& out) {
    const std::string skins = "GameData\\Skins\\";
    // Models whose description and meshes lie loose, in their text forms (c001ma_dylan is in an
    // archive too; the loose one wins). C300MAplain has no "_" and no readable description.
    for (const char* model : {"c001ma_dylan", "C100MA_Rex", "C100FA_Lia", "C100MC_Kit", "C100FC_Pip"}) {
        out.put(skins + model + ".cmx", cmx_text(head_description(model, meshes_of(model))));
        out.put(skins + head_mesh_name(model) + ".skn",
                skn_text(head_mesh(head_mesh_name(model), shape_of(model))));
    }
    out.put(skins + "C300MAplain.cmx", "CMX demo mesh\r\n");
    out.put(skins + kGlassesBitmap + ".bmp", glasses_texture());

    // Skins for every model whose skins are not kept in the archives.
    uint32_t seed = 5000;
    for (const HeadModel& m : head_models()) {
        const std::string prefix = prefix_of(m.model);
        if (prefix == "C003MA" || prefix == "C004FA" || prefix == "C005MC") continue;
        for (const char* tone : kTones) out.put(skins + skin_file(m, tone), face_texture(seed++, tone));
    }
    out.put(skins + "C001MAlgt_dylan2.bmp", face_texture(seed++, "lgt"));
    // A skin that matches a model but is no picture.
    out.put(skins + "C001MAmed_broken.bmp", "BM" + std::string(30, '\x7F'));
}

std::string bcf(const std::string& name) { return "BCF demo " + name + "\r\n"; }

void write_archives(const DemoWriter& out) {
    // Head models with their descriptions and meshes in the binary forms.
    out.put("GameData\\Animation\\Animation.far",
            far_archive(joined({archived_head("C001FA_Ava.cmx.bcf", "C001FA_Ava"),
                                archived_head("skins\\c002fa_bella.bcf", "c002fa_bella"),
                                archived_head("C001MA_Dylan.cmx.bcf", "C001MA_Dylan"),
                                archived_head("skins/C002MA_Eliot.cmx.bcf", "C002MA_Eliot"),
                                archived_head("C001FC_Fay.cmx.bcf", "C001FC_Fay"),
                                archived_head("C001MC_Gus.cmx.bcf", "C001MC_Gus"),
                                {{"B001MAFit_01.bcf", bcf("body")},
                                 {"C001MA_Dylan.cfp", "CFP demo\r\n"},
                                 {"walk-loop-demo.cfp", "CFP demo\r\n"}},
                                worn_outfits()})));

    const HeadModel hugo{"MA", "C003MA_Hugo", "hugo"};
    const HeadModel iris{"FA", "C004FA_Iris", "iris"};
    const HeadModel jo{"MC", "C005MC_Jo", "jo"};
    const HeadModel dylan{"MA", "C001MA_Dylan", "dylan"};
    out.put("GameData\\Textures\\Textures.far",
            far_archive({{skin_file(hugo, "lgt"), face_texture(6000, "lgt")},
                         {skin_file(hugo, "med"), face_texture(6001, "med")},
                         {"textures\\" + skin_file(hugo, "drk"), face_texture(6002, "drk")},
                         {skin_file(iris, "lgt"), face_texture(6003, "lgt")},
                         {skin_file(dylan, "lgt"), face_texture(6004, "lgt")},
                         {"B001MAlgt_body.bmp", face_bmp(6005, 32, 32)},
                         {"CX01MAlgt_x.bmp", face_bmp(6006, 32, 32)},
                         {"C003MAlgt_hugo.tga", "TGA demo\r\n"}}));
    out.put("ExpansionPack\\ExpansionPack.far",
            far_archive(joined({archived_head("C003MA_Hugo.cmx.bcf", "C003MA_Hugo"),
                                {{skin_file(hugo, "lgt"), face_texture(6100, "lgt")},
                                 {skin_file(iris, "med"), face_texture(6101, "med")},
                                 {skin_file(iris, "drk"), face_texture(6102, "drk")},
                                 {skin_file(jo, "lgt"), face_texture(6103, "lgt")},
                                 {skin_file(jo, "med"), face_texture(6104, "med")},
                                 {skin_file(jo, "drk"), face_texture(6105, "drk")}}})));
    // The later expansion packs hold ".bcf" entries starting with "C" that are no head models.
    out.put("ExpansionPack3\\ExpansionPack3.far",
            far_archive(joined({archived_head("C004FA_Iris.cmx.bcf", "C004FA_Iris"),
                                archived_head("C005MC_Jo.cmx.bcf", "C005MC_Jo"),
                                {{"CARPET_Demo.bcf", bcf("carpet")}}})));
}

}  // namespace

void write_demo_game(const std::string& folder) {
    create_folder(folder);
    const DemoWriter out(folder);
    out.put("Sims.exe", "");
    write_neighbourhoods(out);
    write_skins_folder(out);
    write_archives(out);
}

std::string write_legacy_demo_game(const std::string& home) {
    const SteamHome steam = steam_home(resolve_path(home));
    write_steam_home(steam);
    const DemoWriter install(steam.install.string());
    write_skins_folder(install);
    write_archives(install);
    // The install's own neighbourhood is the template the game copies at its first start; its
    // sims are not the player's.
    for (int i = 0; i < 3; ++i) {
        install.put("UserData\\Characters\\" + user_file(i + 1), sim_file(demo_sim(7, i, "Template")));
    }
    write_neighbourhoods(DemoWriter(steam.saves.string()));
    return steam.home.string();
}

std::string demo_game_folder() { return program_folder() + "\\DemoGame"; }

std::string ensure_demo_game() {
    const std::string folder = demo_game_folder();
    if (!file_exists(folder + "\\Sims.exe")) write_demo_game(folder);
    return folder;
}

}  // namespace fw::build
