#include "demo/check_game.hpp"

#include "builders/bmp_builder.hpp"
#include "builders/far_builder.hpp"
#include "builders/head_builder.hpp"
#include "builders/model_builder.hpp"
#include "builders/sim_builder.hpp"
#include "core/formats/character_description.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"

#include <fstream>

namespace fw::build {

namespace {

class Writer {
public:
    explicit Writer(std::string root) : root_(std::move(root)) {}
    void put(const std::string& relative, const std::string& bytes) const {
        std::string folder = root_;
        size_t at = 0;
        for (size_t cut; (cut = relative.find('\\', at)) != std::string::npos; at = cut + 1) {
            folder += "\\" + relative.substr(at, cut - at);
            create_folder(folder);
        }
        write_file(root_ + "\\" + relative, bytes);
    }

    std::string path(const std::string& relative) const { return root_ + "\\" + relative; }

private:
    std::string root_;
};

const char* const kHead = "C001MA_Dan,HEAD-HEAD=c001malgt_dan";
const char* const kBody = "B001MAfit_01,BODY=b001mafitlgt_casual";
const char* const kHands = "HMLO,HAND=huaolgt";

std::string skin64() { return face_texture(7, "lgt"); }

Mesh body_mesh(const std::string& name, const std::string& texture) {
    Mesh m = head_mesh(name, HeadShape{}, 3, 4);
    m.texture = texture;
    return m;
}

// A sim in the shape of the game's own; `change` sets one appearance entry to another value.
std::string sim(const std::string& name, size_t entry = 0, const std::string& value = "") {
    SimSpec shape;
    shape.name = name;
    shape.head = kHead;
    std::vector<std::string> v(35);
    v[0] = "adult";
    v[1] = kBody;
    v[2] = kHead;
    v[12] = "male";
    v[13] = "31";
    v[14] = "lgt";
    v[17] = kHands;
    if (entry > 0) v[entry - 1] = value;
    return sim_file(shape, v);
}

void write_healthy(const Writer& out) {
    out.put("Sims.exe", "");
    out.put("GameData\\Skins\\C001MA_Dan.cmx", cmx_text(head_description("C001MA_Dan", {"xskin-dan-HEAD-HEAD"})));
    out.put("GameData\\Skins\\xskin-dan-HEAD-HEAD.skn", skn_text(head_mesh("xskin-dan-HEAD-HEAD", HeadShape{})));
    out.put("GameData\\Skins\\c001malgt_dan.bmp", skin64());
    out.put("GameData\\Skins\\B001MAfit_01.cmx", cmx_text(body_description("B001MAfit_01", "xskin-b001-BODY")));
    out.put("GameData\\Skins\\xskin-b001-BODY.skn", skn_text(body_mesh("xskin-b001-BODY", "b001mafitlgt_casual")));
    out.put("GameData\\Skins\\b001mafitlgt_casual.bmp", skin64());
    out.put("GameData\\Skins\\huaolgt.bmp", skin64());
    out.put("UserData\\Characters\\User00001.iff", sim("Sam"));
}

void write_faults(const Writer& out) {
    const std::string skins = "GameData\\Skins\\";
    const std::string characters = "UserData\\Characters\\";
    // Sims that wear what the game lacks.
    out.put(characters + "User00002.iff", sim("Hank", 3, "C404MA_Gone,HEAD-HEAD=c001malgt_dan"));
    out.put(characters + "User00003.iff", sim("Skye", 3, "C001MA_Dan,HEAD-HEAD=c001malgt_gone"));
    out.put(characters + "User00004.iff", sim("Bo", 32, "s404MAfit_beach,BODY=b001mafitlgt_casual"));
    out.put(characters + "User00005.iff", sim("Tex", 2, "B001MAfit_01,BODY=b001mafitlgt_gone"));
    out.put(characters + "User00006.iff", sim("Hal", 18, "HMLO,HAND=huaogone"));
    out.put(characters + "User00007.iff", sim("Cut").substr(0, 100));
    out.put(characters + "User00001.iff.4242.facewright-new", sim("Sam"));
    // Descriptions and meshes.
    out.put(skins + "C002MA_Ned.cmx", cmx_text(head_description("C002MA_Old", {"xskin-dan-HEAD-HEAD"})));
    out.put(skins + "C003MA_Lost.cmx", cmx_text(head_description("C003MA_Lost", {"xskin-lost-HEAD-HEAD"})));
    out.put(skins + "C005MA_Bad.cmx", "version 300\r\n0\r\n1\r\n");
    out.put(skins + "xskin-bad-HEAD.skn", "xskin-bad-HEAD\r\nx\r\n1\r\nHEAD\r\nnot a number\r\n");
    Mesh untextured = head_mesh("xskin-notex-HEAD", HeadShape{}, 3, 4);
    untextured.texture = "gone_texture";
    out.put(skins + "xskin-notex-HEAD.skn", skn_text(untextured));
    out.put(skins + "xskin-b100-BODY.skn", skn_text(body_mesh("xskin-b100-BODY", "b001mafitlgt_casual")));
    out.put("ExpansionShared\\SkinsBuy\\B100MAfit_buy.cmx",
            cmx_text(body_description("B100MAfit_buy", "xskin-b100-BODY")));
    // Skin bitmaps.
    out.put(skins + "notapicture.bmp", "This is no picture.");
    out.put(skins + "c001madrk_dan.bmp", bmp24(64, 64, [](int x, int y) { return 0x102030u * static_cast<uint32_t>((x ^ y) & 7); }));
    out.put(skins + "c001mamed_dan.bmp", bmp8(48, 48, {0x808080, 0xffffff}, [](int x, int) { return static_cast<uint8_t>(x & 1); }));
    out.put(skins + "MyDownload\\c009malgt_sub.bmp", skin64());
    out.put(skins + "twin.bmp", skin64());
    // Written beside its twin as it is spelt: the game's own writing would find the twin.
    std::ofstream(resolve_path(out.path(skins + "twin.bmp")).parent_path() / "TWIN.bmp", std::ios::binary) << skin64();
    // Damaged archives and downloads.
    out.put("GameData\\Textures\\Textures.far", std::string("FAR!byAZ\x01\0\0\0\xff\xff\xff\x7f", 16));
    out.put("Downloads\\broken.iff", sim("Cut").substr(0, 100));
}

}  // namespace

const std::vector<PlantedFault>& planted_faults() {
    static const std::vector<PlantedFault> faults = {
        {"missing-head-model", {"Hank"}},
        {"missing-head-skin", {"Skye"}},
        {"missing-body-mesh", {"Bo"}},
        {"missing-body-texture", {"Tex"}},
        {"missing-hand-texture", {"Hal"}},
        {"unreadable-character-file", {"User00007.iff"}},
        {"interrupted-save-leftover", {}},
        {"description-own-name", {}},
        {"description-missing-mesh", {}},
        {"unreadable-description", {}},
        {"unreadable-mesh", {}},
        {"mesh-missing-texture", {}},
        {"buyable-mesh-elsewhere", {}},
        {"skin-not-bmp", {}},
        {"skin-not-8-bit", {}},
        {"skin-size-not-power-of-two", {}},
        {"skin-in-subfolder", {}},
        {"case-twins", {}},
        {"damaged-archive", {}},
        {"damaged-download", {}},
    };
    return faults;
}

void write_check_game(const std::string& folder, bool broken) {
    create_folder(folder);
    const Writer out(folder);
    write_healthy(out);
    if (broken) write_faults(out);
}

}  // namespace fw::build
