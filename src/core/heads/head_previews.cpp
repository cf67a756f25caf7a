#include "core/heads/head_previews.hpp"

#include "core/platform/program_folder.hpp"

namespace fw {

std::string head_preview_path(const std::string& skin) {
    return program_folder() + "\\HeadPreview\\Preview_" + skin + ".bmp";
}

std::string head_preview2_path(const std::string& skin) {
    return program_folder() + "\\HeadPreview\\Preview2_" + skin + ".bmp";
}

}  // namespace fw
