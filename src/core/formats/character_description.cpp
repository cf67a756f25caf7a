#include "core/formats/character_description.hpp"

#include "core/formats/model_values.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

namespace {

// A suit and each of its skins carry a flag; when it is set, a list of key and value pairs
// follows. Nothing here needs them, but they must be stepped over.
template <class Values>
void skip_properties(Values& in, const char* what) {
    int32_t present = 0;
    in.integers(&present, 1, what);
    if (present == 0) return;
    const size_t pairs = in.count(0, 2, what);
    for (size_t i = 0; i < pairs; ++i) {
        in.name(what);
        in.name(what);
    }
}

template <class Values>
CharacterDescription read_description(Values& in) {
    if constexpr (Values::kText) {
        const std::string version = in.name("version");
        if (!iequals(version.substr(0, 7), "version"))
            model_fail(ErrorKind::TypeMismatch, "no \"version\" line");
    }
    if (in.count(0, 1, "skeletons") != 0) {
        model_fail(ErrorKind::InvalidArgument, "the description holds skeletons; a head model's holds none");
    }
    CharacterDescription description;
    // A suit is at least its name, type, properties flag and skin count.
    const size_t suits = in.count(3, 1, "suits");
    description.suits.reserve(suits);
    for (size_t s = 0; s < suits; ++s) {
        Suit suit;
        suit.name = in.name("suit name");
        in.integers(&suit.type, 1, "suit type");
        skip_properties(in, "suit properties");
        const size_t skins = in.count(2, 2, "skins");
        suit.skins.reserve(skins);
        for (size_t k = 0; k < skins; ++k) {
            SuitSkin skin;
            skin.bone = in.name("bone name");
            skin.mesh = in.name("mesh name");
            in.integers(&skin.flags, 1, "skin flags");
            skip_properties(in, "skin properties");
            suit.skins.push_back(std::move(skin));
        }
        description.suits.push_back(std::move(suit));
    }
    return description;
}

}  // namespace

CharacterDescription parse_cmx(std::string_view bytes) {
    TextValues in(bytes);
    return read_description(in);
}

CharacterDescription parse_bcf(std::string_view bytes) {
    BinaryValues in(bytes);
    return read_description(in);
}

std::vector<std::string> head_meshes(const CharacterDescription& description) {
    std::vector<std::string> names;
    for (const Suit& suit : description.suits) {
        for (const SuitSkin& skin : suit.skins) {
            if (iequals(skin.bone, "HEAD")) names.push_back(skin.mesh);
        }
    }
    return names;
}

}  // namespace fw
