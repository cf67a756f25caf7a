// The KeyValues reader on arbitrary text (Steam's library list and app manifests come from
// outside): it refuses or reads, never crashes or runs out of stack; what it reads, written back
// by the builders' writer, reads again as the same entries.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "builders/steam_builder.hpp"
#include "core/game/key_values.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<fw::KeyValue> read = fw::parse_key_values(text);
    if (!read) return 0;
    const std::optional<fw::KeyValue> again = fw::parse_key_values(fw::build::key_values_text(*read));
    if (!again || fw::build::key_values_text(*again) != fw::build::key_values_text(*read)) __builtin_trap();
    return 0;
}
