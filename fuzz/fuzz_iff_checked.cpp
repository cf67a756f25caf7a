// The checked IFF reader on arbitrary bytes: it must answer with "" or an error text, never crash,
// over-read or allocate beyond what the bytes can hold.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/formats/iff.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fw::IFFFile file;
    if (!fw::read_iff_checked_from_bytes(file, bytes).empty()) return 0;
    // A file read whole: every chunk was taken from the bytes, so none can reach past their end.
    for (const fw::IFFChunk& chunk : file.chunks) {
        const size_t end = static_cast<size_t>(chunk.position) - 1 + fw::kChunkHeaderSize + chunk.data.size();
        if (chunk.position < 1 || end > size) __builtin_trap();
    }
    return 0;
}
