// The character description readers on arbitrary bytes, as ".cmx" text and as ".cmx.bcf" binary:
// a refusal is a fw::Failure, never an over-read or an allocation the bytes cannot back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/base/failure.hpp"
#include "core/formats/character_description.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (bool text : {true, false}) {
        try {
            const fw::CharacterDescription description = text ? fw::parse_cmx(bytes) : fw::parse_bcf(bytes);
            // Whatever was accepted was read from the bytes: no name can be longer than they are.
            for (const std::string& mesh : fw::head_meshes(description))
                if (mesh.size() > size) __builtin_trap();
        } catch (const fw::Failure&) {
        }
    }
    return 0;
}
