#pragma once
// The head preview cache in the program folder: for a head skin, "HeadPreview\Preview_" + skin +
// ".bmp" (a sim wearing it, speaking) and "Preview2_" + skin + ".bmp" (its web image). The browser
// fills it; the editor and the head selector show it.
#include <string>

namespace fw {

std::string head_preview_path(const std::string& skin);
std::string head_preview2_path(const std::string& skin);

}  // namespace fw
