#pragma once
#include <filesystem>
#include <iterator>
#include <string>

#include "builders/far_builder.hpp"
#include "builders/iff_builder.hpp"
#include "builders/sim_builder.hpp"
#include "support/game_and_home.hpp"

namespace fw::typed {

// A character file built chunk by chunk: an OBJD, the given appearance list data (none when
// empty) and a name chunk for each name (one empty name list without names).
inline std::string sim_with(const std::string& appearance_data, const std::vector<std::string>& names) {
    build::IffBuilder b;
    b.chunk("OBJD", 128, "user00001 - Sim", std::string(216, '\0'));
    if (!appearance_data.empty()) b.chunk("STR#", 200, "", appearance_data);
    uint16_t id = 2000;
    for (const std::string& name : names)
        b.chunk("CTSS", id++, "", build::str_list_data(std::vector<std::string>{name}));
    if (names.empty()) b.chunk("CTSS", id, "", build::str_list_data(std::vector<std::string>{}));
    return b.map().bytes();
}

// Each test gets a program folder of its own, so the dumped bitmaps, previews and exports are
// its own; the sims lie in UserData2.
class SimFolder : public build::GameAndHome {
protected:
    void SetUp() override { std::filesystem::create_directories(home_.path() / "HeadPreview"); }
    // A sim with its own thumbnail and speech bitmap, drawn from the seed.
    static std::string sim(const std::string& name, const std::string& head, uint32_t seed) {
        return build::sim_file({.name = name, .head = head,
                                .bitmaps = {{"Web_Image", build::face_bmp(seed)},
                                            {"speech_large", build::face_bmp(seed + 100, 64, 64)}}});
    }
    std::string characters() const { return game_.str() + "\\UserData2\\Characters\\"; }
    std::string put(const std::string& file, const std::string& bytes) {
        return game_.write("UserData2/Characters/" + file, bytes);
    }
    size_t preview_count() const {
        const std::filesystem::directory_iterator files(home_.path() / "HeadPreview");
        return static_cast<size_t>(std::distance(begin(files), end(files)));
    }
};

}  // namespace fw::typed
