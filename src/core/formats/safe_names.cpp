#include "core/formats/safe_names.hpp"

namespace fw {

std::string entry_base_name(const std::string& name) {
    const size_t cut = name.find_last_of("\\/");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

bool is_safe_file_name(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\' || c == '/' || c == ':' || b < 0x20 || b == 0x7F) return false;
    }
    return true;
}

}  // namespace fw
