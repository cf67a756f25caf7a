#include "core/sims/backup_name.hpp"

#include <cstdio>
#include <cstring>

#include "core/sims/backup_record.hpp"
#include "core/formats/rsmp.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

std::string backup_time_text(const LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d_%02d%02d%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.minute);
    return text;
}

std::string neighbourhood_of(const std::string& path) {
    // The last such folder: the saves folder may lie below folders whose names begin the same
    // way (a user or a drive named "userdata..."), but the neighbourhood is the one nearest the file.
    std::string found;
    size_t start = 0;
    for (size_t end = path.find_first_of("\\/"); end != std::string::npos;
         end = path.find_first_of("\\/", start)) {
        const std::string folder = path.substr(start, end - start);
        if (to_lower(folder.substr(0, 8)) == "userdata") found = folder;
        start = end + 1;
    }
    return found;
}

namespace {

// The letters of a Windows-1252 text with their accents taken off (é is e, ß is ss), so that a
// name keeps its letters when the file-name filter drops everything but ASCII.
std::string fold_accents(const std::string& text) {
    // Bytes 0xC0 to 0xFF; "" where the character is no letter.
    static constexpr const char* kLatin[64] = {
        "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
        "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "Th", "ss",
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
        "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0xC0)
            out += kLatin[b - 0xC0];
        else if (b == 0x8A)
            out += "S";
        else if (b == 0x8C)
            out += "OE";
        else if (b == 0x8E)
            out += "Z";
        else if (b == 0x9A)
            out += "s";
        else if (b == 0x9C)
            out += "oe";
        else if (b == 0x9E)
            out += "z";
        else if (b == 0x9F)
            out += "Y";
        else
            out += c;
    }
    return out;
}

}  // namespace

std::string backup_sim_part(const std::string& previous_name, const std::string& new_name) {
    const std::string before = fold_accents(previous_name);
    return previous_name == new_name ? before : before + "-" + fold_accents(new_name);
}

std::string backup_name(const std::string& file_name, const std::string& sim_part,
                        const std::string& neighbourhood, const LocalTime& time) {
    // The filter keeps "_", so filtering the parts one by one is filtering the whole name.
    const std::string file = gfstrSafeFileName(file_name);
    const std::string place = gfstrSafeFileName(neighbourhood);
    const std::string when = backup_time_text(time);
    // Only the sim part gives way: the others say which file, where and when, and are read back
    // from the name's end. The record beside the backup is written under the longest name: the
    // backup's + kBackupRecordSuffix + the process id + kReplacementSuffix.
    const size_t fixed = file.size() + place.size() + when.size() + 3 + kBackupSuffixRoom +
                         std::strlen(kBackupRecordSuffix) + kReplacementProcessRoom +
                         std::strlen(kReplacementSuffix);
    const size_t room = kMaxFileNameBytes > fixed ? kMaxFileNameBytes - fixed : 0;
    return file + "_" + gfstrSafeFileName(sim_part).substr(0, room) + "_" + place + "_" + when;
}

}  // namespace fw
