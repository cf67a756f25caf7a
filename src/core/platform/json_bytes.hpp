#pragma once
// Byte strings in the program's own JSON records (backup records, the journal of fixes). A path
// of a file system that is not UTF-8 (a Latin-1 name) is kept as hex under key + "_hex", so that
// two such names never read back as the same text.
#include <nlohmann/json.hpp>
#include <string>

namespace fw {

void put_bytes(nlohmann::json& out, const std::string& key, const std::string& bytes);
// The bytes put_bytes kept under key; "" when neither form is there.
std::string get_bytes(const nlohmann::json& in, const std::string& key);

}  // namespace fw
