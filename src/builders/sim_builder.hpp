#pragma once
// Writes character files shaped like the game's own: a filler chunk, the appearance list
// (STR# 200, 35 entries in format 0xFFFD, one trailing byte per entry), the name list
// (CTSS 2000), an OBJD labelled "user00000 - Name", bitmap chunks and a resource map.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace fw::build {

struct SimSpec {
    std::string name = "Bob";                                   // Windows-1252 bytes
    std::string age = "adult";                                  // entry 1
    std::string gender = "male";                                // entry 13
    std::string tone = "lgt";                                   // entry 15
    std::string head = "C001MA_Test,HEAD-HEAD=c001malgt_test";  // entry 3
    std::string objd_label{};                                   // default "user00000 - " + name
    // The object definition's identifier, unique to a sim; 0 takes one made from the name, so
    // that sims of other names differ.
    uint32_t objd_id = 0;
    std::vector<std::pair<std::string, std::string>> bitmaps{};  // BMP_ label, picture bytes
    bool with_map = true;
    bool with_filler = true;   // "XXXX" 200 "bodystring" before the real list
    int32_t entry_count = 35;  // entries of the appearance list
};

// The appearance list's 35 values for the shape: outfits that the default outfit table would not
// write (so that a test sees whether they were replaced), entries 4-12 and 24-27 and 35 marked
// as the editor's to leave alone.
std::vector<std::string> appearance_values(const SimSpec& shape);
// A pet of the same shape: entry 1 "kat" or "dog", entry 3 "NONE", entry 13 "catmale"/...,
// entry 15 "unk".
SimSpec pet_spec(const std::string& name, bool dog);
// The character file's bytes.
std::string sim_file(const SimSpec& shape);
// The same with the appearance list given value by value.
std::string sim_file(const SimSpec& shape, const std::vector<std::string>& appearance);

}  // namespace fw::build
