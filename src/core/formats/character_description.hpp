#pragma once
// A character description: the ".cmx" text file or its binary twin ".cmx.bcf". It lists
// skeletons, then suits, then animations; a head model's description holds one suit whose skins
// bind meshes to bones (the head's meshes to the "HEAD" bone, glasses and hats too). The text form
// opens with a "version" line; the binary form starts at the skeleton count.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

struct SuitSkin {
    std::string bone;  // the bone the mesh is bound to, such as "HEAD"
    std::string mesh;  // the mesh's name, without ".skn" or ".bmf"
    int32_t flags = 0;
    bool operator==(const SuitSkin&) const = default;
};

struct Suit {
    std::string name;
    int32_t type = 0;
    std::vector<SuitSkin> skins;
    bool operator==(const Suit&) const = default;
};

struct CharacterDescription {
    std::vector<Suit> suits;
    bool operator==(const CharacterDescription&) const = default;
};

// The description from a ".cmx" file's bytes, or from a ".cmx.bcf" file's. Only the suits are
// kept: what follows them (the animations) is not read. A description holding skeletons is a
// skeleton's, not a head model's, and is refused. Both fail with an error kind and a text saying
// where; neither reads past the bytes.
CharacterDescription parse_cmx(std::string_view bytes);
CharacterDescription parse_bcf(std::string_view bytes);

// The names of the meshes bound to the "HEAD" bone (any case), suit by suit in file order.
std::vector<std::string> head_meshes(const CharacterDescription& description);

}  // namespace fw
