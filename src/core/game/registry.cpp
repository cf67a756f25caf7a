#include "core/game/registry.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <vector>

#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"
#include "core/game/reg_file.hpp"
#endif

namespace fw {

#ifdef _WIN32

std::string GetRegistryString(int32_t& root_key, const std::string& subkey, const std::string& value_name,
                              int32_t& size) {
    if (size == 0) size = 255;
    if (size < 0) return kRegistryFailure;
    std::string buffer(static_cast<size_t>(size), ' ');
    // Read access is enough, and asking for all access rights to a machine key fails for every
    // user who is not an administrator. The game is a 32-bit program: its installer wrote into
    // the 32-bit view of the machine's keys, so that view is the one read.
    HKEY root = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root_key)));
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
        return kRegistryFailure;
    }
    DWORD length = static_cast<DWORD>(size);
    const LONG status = RegQueryValueExA(key, value_name.c_str(), nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(buffer.data()), &length);
    size = static_cast<int32_t>(length);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return kRegistryFailure;
    const size_t nul = buffer.find('\0');
    if (nul == std::string::npos) return kRegistryFailure;
    return buffer.substr(0, nul);
}

std::string registry_location() { return "Windows registry"; }

#else

namespace {

std::string trim_separators(std::string key) {
    while (!key.empty() && key.front() == '\\') key.erase(key.begin());
    while (!key.empty() && key.back() == '\\') key.pop_back();
    return key;
}

// The key as a 32-bit program sees it in a 64-bit prefix.
std::string wow64_twin(const std::string& key) {
    const std::string prefix = "Software\\";
    if (key.size() > prefix.size() && iequals(key.substr(0, prefix.size()), prefix) &&
        !iequals(key.substr(prefix.size(), 12), "Wow6432Node\\")) {
        return key.substr(0, prefix.size()) + "Wow6432Node\\" + key.substr(prefix.size());
    }
    return "";
}

}  // namespace

std::string GetRegistryString(int32_t& root_key, const std::string& subkey, const std::string& value_name,
                              int32_t& size) {
    return registry_string_in(wine_prefix(), root_key, subkey, value_name, size);
}

std::string registry_string_in(const std::filesystem::path& prefix, int32_t root_key,
                               const std::string& subkey, const std::string& value_name, int32_t& size) {
    if (size == 0) size = 255;
    if (size < 0) return kRegistryFailure;
    const char* file_name = nullptr;
    if (root_key == kHKeyLocalMachine)
        file_name = "system.reg";
    else if (root_key == kHKeyCurrentUser)
        file_name = "user.reg";
    if (file_name == nullptr) return kRegistryFailure;
    const RegFile file = load_reg_file(prefix / file_name);
    if (!file.read) return kRegistryFailure;

    const std::string key = trim_separators(subkey);
    std::vector<std::string> keys{key};
    if (const std::string twin = wow64_twin(key); !twin.empty()) {
        if (file.win64)
            keys.insert(keys.begin(), twin);
        else
            keys.push_back(twin);
    }
    RegValue value;
    bool found = false;
    for (const std::string& candidate : keys) {
        if (find_value(file, candidate, value_name, value) == Lookup::Found) {
            found = true;
            break;
        }
    }
    if (!found) return kRegistryFailure;
    const size_t needed = value.byte_count();
    const size_t capacity = static_cast<size_t>(size);
    size = static_cast<int32_t>(needed);
    if (needed > capacity) return kRegistryFailure;
    return value.text_to_nul().value_or(kRegistryFailure);
}

std::string registry_location() { return (wine_prefix() / "system.reg").string(); }

#endif

std::string read_game_registry_entry() {
    int32_t root = kHKeyLocalMachine;
    int32_t size = 0;
    return GetRegistryString(root, kGameRegistryKey, kGameRegistryValue, size);
}

}  // namespace fw
