#pragma once
// The registry entry the game's installer writes (module GetRegistryValuesEx). On Windows the
// registry itself is read; elsewhere the registry of the Wine prefix the game was installed into
// ($WINEPREFIX, else ~/.wine), so that the same answer comes back as a Windows program would get.
#include <cstdint>
#include <filesystem>
#include <string>

namespace fw {

inline constexpr int32_t kHKeyCurrentUser = static_cast<int32_t>(0x80000001u);
inline constexpr int32_t kHKeyLocalMachine = static_cast<int32_t>(0x80000002u);
inline constexpr const char* kGameRegistryKey = "Software\\Maxis\\The Sims";
inline constexpr const char* kGameRegistryValue = "InstallPath";
// What the reader returns in place of a value whenever it fails; callers compare it exactly.
inline constexpr const char* kRegistryFailure = "ERROR";

// Reads one string value of a key under a root key (0x80000002 for the machine's keys).
// `size` is the receiving buffer's size in bytes, 0 meaning 255; on return it holds what the
// registry reported (the data's byte count when the value was read). The result is the value's
// text up to its first NUL, or "ERROR" when the key or the value is missing, the key cannot be
// opened, or the data with its terminating NUL does not fit the buffer (254 characters fit 255
// bytes). Data without a NUL inside the buffer is a failure too.
// The Wine prefix keeps a 32-bit program's view of the machine's software keys under
// "Software\Wow6432Node\..."; both spellings are looked at, the one a 32-bit program sees first.
std::string GetRegistryString(int32_t& root_key, const std::string& subkey, const std::string& value_name,
                              int32_t& size);

// The game's own registry entry: the machine's "Software\Maxis\The Sims" value "InstallPath"
// through a 255-byte buffer, or "ERROR". (Start-up and the Set Path dialog go on to today's
// installs when it is missing: game_installs.hpp.)
std::string read_game_registry_entry();

#ifndef _WIN32
// GetRegistryString for the registry of the Wine prefix `prefix` rather than the current one.
std::string registry_string_in(const std::filesystem::path& prefix, int32_t root_key,
                               const std::string& subkey, const std::string& value_name, int32_t& size);
#endif

// Where the registry answers come from, for display: the Wine prefix's system.reg file, or
// "Windows registry".
std::string registry_location();

}  // namespace fw
