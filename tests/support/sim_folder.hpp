#pragma once
#include <filesystem>
#include <iterator>
#include <string>

#include "builders/far_builder.hpp"
#include "builders/sim_builder.hpp"
#include "support/game_and_home.hpp"

namespace fw::typed {

// Each test gets a program folder of its own, so the dumped bitmaps, previews and exports are
// its own; the sims lie in UserData2.
class SimFolder : public build::GameAndHome {
protected:
    void SetUp() override { std::filesystem::create_directories(home_.path() / "HeadPreview"); }
    // A sim with its own thumbnail and speech bitmap, drawn from the seed.
    static std::string sim(const std::string& name, const std::string& head, uint32_t seed) {
        return build::sim_file({.name = name,
                                .head = head,
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
