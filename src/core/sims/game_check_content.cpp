// The content files themselves: descriptions, meshes and skin bitmaps the game cannot use.
#include <exception>
#include <map>

#include "core/base/failure.hpp"
#include "core/formats/bmp.hpp"
#include "core/formats/character_description.hpp"
#include "core/formats/mesh.hpp"
#include "core/platform/name_compare.hpp"
#include "core/sims/game_check_parts.hpp"

namespace fw::check {

namespace {

// Far above any description, mesh or skin the game ships; a larger file is refused unread.
constexpr int64_t kLargestContentFile = 32 * 1024 * 1024;

const std::string kSkinsBuy = "\\EXPANSIONSHARED\\SKINSBUY\\";
const std::string kGameSkins = "\\GAMEDATA\\SKINS\\";

// The loose folder a file lies in, upper-cased and relative to the game ("\GAMEDATA\SKINS\"), or "".
std::string loose_folder(const std::string& game_path, const GameFile& file) {
    if (file.archived() || file.path.size() <= game_path.size()) return "";
    std::string rest = to_upper(file.path.substr(game_path.size()));
    const size_t cut = rest.rfind('\\');
    return cut == std::string::npos ? "" : rest.substr(0, cut + 1);
}

std::string what_went_wrong(const std::exception& e) {
    if (const auto* failure = dynamic_cast<const Failure*>(&e)) return error_text(*failure);
    return e.what();
}

Finding finding(const char* kind, Severity severity, std::string explanation, const GameFile& file) {
    Finding f;
    f.kind = kind;
    f.severity = severity;
    f.explanation = std::move(explanation);
    f.files = {file.archived() ? file.shown() : file.path};
    return f;
}

struct Checker {
    const std::string& game_path;
    ContentIndex& index;
    const ContentNames& names;
    std::vector<Finding>& out;
    std::map<std::string, std::string> game_skins_meshes;  // upper-cased name -> file in GameData\Skins
    std::set<std::string> buyable_meshes;                  // upper-cased names of meshes in SkinsBuy

    void description(const GameFile& file, const std::string& bytes, const std::string& base) {
        const bool binary = to_upper(file.name).ends_with(".BCF");
        CharacterDescription d;
        try {
            d = binary ? parse_bcf(bytes) : parse_cmx(bytes);
        } catch (const std::exception& e) {
            // The archives hold skeletons and animations beside the models, in the same forms:
            // one of their entries that is no model's description is none of the check's business.
            if (file.archived()) return;
            Finding f = finding("unreadable-description", Severity::Crash,
                                "The description file cannot be read (" + what_went_wrong(e) +
                                    "). A sim that wears it may be drawn blank, or the game may end.",
                                file);
            f.model = base;
            out.push_back(std::move(f));
            return;
        }
        const bool buyable = loose_folder(game_path, file) == kSkinsBuy;
        std::set<std::string> told;
        for (const Suit& suit : d.suits) {
            for (const SuitSkin& skin : suit.skins) {
                const std::string mesh = to_upper(skin.mesh);
                if (!told.insert(mesh).second) continue;
                const auto in_game_skins = game_skins_meshes.find(mesh);
                if (buyable && !buyable_meshes.contains(mesh) && in_game_skins != game_skins_meshes.end()) {
                    Finding f = finding("buyable-mesh-elsewhere", Severity::Crash,
                                        "This buyable description names the mesh \"" + skin.mesh +
                                            "\", which lies only in GameData\\Skins. The game looks for it beside "
                                            "the description and ends when the outfit is shown or bought.",
                                        file);
                    f.files.push_back(in_game_skins->second);
                    f.fix = FixKind::CopyBuyableMesh;
                    f.fix_words = "Copy " + skin.mesh + " into ExpansionShared\\SkinsBuy beside the description.";
                    f.model = skin.mesh;
                    out.push_back(std::move(f));
                } else if (!names.meshes.contains(mesh)) {
                    Finding f = finding("description-missing-mesh", Severity::BlankSim,
                                        "The description names the mesh \"" + skin.mesh +
                                            "\", which the game does not have. A sim that wears it may be drawn "
                                            "blank, or the game may end.",
                                        file);
                    f.model = base;
                    out.push_back(std::move(f));
                }
            }
        }
    }

    void mesh(const GameFile& file, const std::string& bytes, const std::string& base) {
        Mesh m;
        try {
            m = to_upper(file.name).ends_with(".BMF") ? parse_bmf(bytes) : parse_skn(bytes);
        } catch (const std::exception& e) {
            Finding f = finding("unreadable-mesh", Severity::Crash,
                                "The mesh cannot be read (" + what_went_wrong(e) +
                                    "). A sim that wears it may be drawn blank, or the game may end.",
                                file);
            f.model = base;
            out.push_back(std::move(f));
            return;
        }
        if (m.has_texture() && !names.bitmaps.contains(to_upper(m.texture))) {
            Finding f = finding("mesh-missing-texture", Severity::Cosmetic,
                                "The mesh names the texture \"" + m.texture +
                                    "\", which the game does not have. It may show white where no sim names a "
                                    "texture of its own.",
                                file);
            f.model = base;
            f.skin = m.texture;
            out.push_back(std::move(f));
        }
    }

    void bitmap(const GameFile& file, const std::string& bytes, const std::string& base) {
        BmpInfo info;
        try {
            info = read_bmp_info(bytes);
        } catch (const std::exception& e) {
            Finding f = finding("skin-not-bmp", Severity::BlankSim,
                                "The skin is not a bitmap the game reads (" + what_went_wrong(e) +
                                    "). A sim that wears it may be drawn blank.",
                                file);
            f.skin = base;
            out.push_back(std::move(f));
            return;
        }
        // The archives' bitmaps are the game's own, textures of every kind beside the skins: only
        // the loose skins, which players add, are held to the skins' rules.
        if (file.archived()) return;
        if (!info.indexed_8bit()) {
            Finding f = finding("skin-not-8-bit", Severity::BlankSim,
                                "The skin has " + std::to_string(info.bits_per_pixel) +
                                    " bits a pixel; the game draws only 8-bit skins of 256 colours and shows "
                                    "this one as a white blob.",
                                file);
            f.fix = FixKind::ConvertTo8Bit;
            f.fix_words = "Convert the skin to 8 bits, 256 colours, keeping its look as close as the "
                          "palette allows.";
            f.skin = base;
            out.push_back(std::move(f));
        }
        if (!info.power_of_two()) {
            Finding f = finding("skin-size-not-power-of-two", Severity::Cosmetic,
                                "The skin is " + std::to_string(info.width) + " x " + std::to_string(info.height) +
                                    " pixels; the game's skins are powers of two on each side, and this one "
                                    "may show stretched or not at all.",
                                file);
            f.skin = base;
            out.push_back(std::move(f));
        }
    }
};

}  // namespace

void check_content(const std::string& game_path, ContentIndex& index, const std::vector<GameFile>& entries,
                   const ContentNames& names, Steps& steps, std::vector<Finding>& out) {
    Checker checker{game_path, index, names, out, {}, {}};
    for (const GameFile& file : entries) {
        std::string base;
        if (content_type(file.name, &base) != ContentType::Mesh) continue;
        const std::string folder = loose_folder(game_path, file);
        if (folder == kGameSkins) checker.game_skins_meshes.emplace(base, file.path);
        if (folder == kSkinsBuy) checker.buyable_meshes.insert(base);
    }
    std::set<std::string> seen;  // the game takes the first file of a name
    for (const GameFile& file : entries) {
        if (!steps.step()) return;
        std::string base;
        const ContentType type = content_type(file.name, &base);
        // Downloads hold objects' pictures as well as skins: only the skins folders' and the
        // archives' bitmaps are taken for skins.
        if (type == ContentType::Bitmap && loose_folder(game_path, file).starts_with("\\DOWNLOADS")) continue;
        if (type == ContentType::Other || !seen.insert(std::to_string(static_cast<int>(type)) + base).second)
            continue;
        std::string bytes;
        try {
            bytes = index.read(file, kLargestContentFile);
        } catch (const std::exception& e) {
            out.push_back(finding("unreadable-content-file", Severity::Crash,
                                  "The file cannot be read (" + what_went_wrong(e) + "). The game may end when "
                                  "it needs it.",
                                  file));
            continue;
        }
        if (type == ContentType::Description) checker.description(file, bytes, base);
        if (type == ContentType::Mesh) checker.mesh(file, bytes, base);
        if (type == ContentType::Bitmap) checker.bitmap(file, bytes, base);
    }
}

}  // namespace fw::check
