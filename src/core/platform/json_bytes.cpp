#include "core/platform/json_bytes.hpp"

#include <cstdint>

#include "core/base/charset.hpp"

namespace fw {

void put_bytes(nlohmann::json& out, const std::string& key, const std::string& bytes) {
    if (is_valid_utf8(bytes)) {
        out[key] = bytes;
        return;
    }
    static constexpr const char* kHex = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        hex += kHex[static_cast<uint8_t>(c) >> 4];
        hex += kHex[static_cast<uint8_t>(c) & 0xF];
    }
    out[key + "_hex"] = hex;
}

std::string get_bytes(const nlohmann::json& in, const std::string& key) {
    if (in.contains(key)) return in.at(key).get<std::string>();
    if (!in.contains(key + "_hex")) return "";
    const std::string hex = in.at(key + "_hex").get<std::string>();
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

}  // namespace fw
