#include "core/sims/backup_name_parts.hpp"

#include <charconv>
#include <cstdio>
#include <string_view>

#include "core/formats/rsmp.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

namespace {

bool digits(std::string_view text, size_t length) {
    if (text.size() != length) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

int number(std::string_view text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// What follows the neighbourhood: "_yyyymmdd_hhnnnn" and, for a later save of the same minute,
// "_N"; `head` is the name before it.
struct Tail {
    std::string head;
    LocalTime time;
    int sequence = 1;
};

// The minute is written twice; a name whose two minutes differ is not one the save made.
std::optional<LocalTime> read_time(std::string_view date, std::string_view clock) {
    if (!digits(date, 8) || !digits(clock, 6) || clock.substr(2, 2) != clock.substr(4, 2))
        return std::nullopt;
    const LocalTime time{number(date.substr(0, 4)), number(date.substr(4, 2)), number(date.substr(6, 2)),
                         number(clock.substr(0, 2)), number(clock.substr(2, 2))};
    if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 || time.hour > 23 ||
        time.minute > 59) {
        return std::nullopt;
    }
    return time;
}

std::optional<Tail> read_tail(const std::string& name) {
    // The last three "_"-separated pieces, from the end.
    std::string_view pieces[3];
    size_t starts[3] = {};
    size_t end = name.size();
    size_t found = 0;
    while (found < 3) {
        const size_t cut = end == 0 ? std::string::npos : name.rfind('_', end - 1);
        if (cut == std::string::npos) break;
        pieces[found] = std::string_view(name).substr(cut + 1, end - cut - 1);
        starts[found] = cut;
        end = cut;
        ++found;
    }
    // With a sequence number: "_date_clock_N". A sequence is never 1 (the first save has none)
    // and never written with a leading zero.
    if (found == 3 && !pieces[0].empty() && pieces[0].size() <= 9 && digits(pieces[0], pieces[0].size()) &&
        pieces[0][0] != '0' && number(pieces[0]) >= 2) {
        if (const auto time = read_time(pieces[2], pieces[1])) {
            return Tail{name.substr(0, starts[2]), *time, number(pieces[0])};
        }
    }
    if (found >= 2) {
        if (const auto time = read_time(pieces[1], pieces[0]))
            return Tail{name.substr(0, starts[1]), *time, 1};
    }
    return std::nullopt;
}

BackupNameParts parts_of(const Tail& tail, std::string file_part, std::string sim_part,
                         std::string neighbourhood) {
    return {std::move(file_part), std::move(sim_part), std::move(neighbourhood), tail.time, tail.sequence};
}

}  // namespace

std::optional<BackupNameParts> parse_backup_name_of(const std::string& name, const std::string& file_part,
                                                    const std::string& neighbourhood) {
    const std::optional<Tail> tail = read_tail(name);
    if (!tail) return std::nullopt;
    // head = file part + "_" + sim part + "_" + neighbourhood
    const std::string& head = tail->head;
    const size_t sim_start = file_part.size() + 1;
    if (head.size() < sim_start + neighbourhood.size() + 1) return std::nullopt;
    const size_t sim_end = head.size() - neighbourhood.size() - 1;
    if (!iequals(head.substr(0, file_part.size()), file_part) || head[file_part.size()] != '_' ||
        head[sim_end] != '_' || !iequals(head.substr(sim_end + 1), neighbourhood)) {
        return std::nullopt;
    }
    return parts_of(*tail, head.substr(0, file_part.size()), head.substr(sim_start, sim_end - sim_start),
                    head.substr(sim_end + 1));
}

std::optional<BackupNameParts> parse_backup_name(const std::string& name) {
    const std::optional<Tail> tail = read_tail(name);
    if (!tail) return std::nullopt;
    const std::string& head = tail->head;
    std::string rest;
    std::string neighbourhood;
    const size_t folder = to_lower(head).rfind("_userdata");
    if (folder != std::string::npos && folder > 0) {
        rest = head.substr(0, folder);
        neighbourhood = head.substr(folder + 1);
    } else if (!head.empty() && head.back() == '_') {
        rest = head.substr(0, head.size() - 1);  // a file that lay in no neighbourhood
    } else {
        return std::nullopt;
    }
    // The game's character files are "user*.iff", whose dot the name filter dropped.
    const size_t iff = to_lower(rest).find("iff_");
    const size_t cut = iff != std::string::npos ? iff + 3 : rest.find('_');
    if (cut == std::string::npos) return std::nullopt;
    return parts_of(*tail, rest.substr(0, cut), rest.substr(cut + 1), neighbourhood);
}

std::string backup_file_part(const std::string& listed_file_name) {
    return gfstrSafeFileName(listed_file_name);
}

std::string backup_neighbourhood_part(const std::string& character_file) {
    return gfstrSafeFileName(neighbourhood_of(character_file));
}

std::string character_file_name(const std::string& file_part) {
    const size_t size = file_part.size();
    if (size <= 3 || !iequals(file_part.substr(size - 3), "iff")) return file_part;
    return file_part.substr(0, size - 3) + "." + file_part.substr(size - 3);
}

BackupNames backup_names(const std::string& sim_part, const std::string& held_name) {
    if (!held_name.empty()) {
        // The old name as the save wrote it into the backup's name.
        const std::string old = gfstrSafeFileName(backup_sim_part(held_name, held_name));
        if (sim_part == old) return {old, old};
        if (sim_part.starts_with(old + "-")) return {old, sim_part.substr(old.size() + 1)};
    }
    const size_t dash = sim_part.find('-');
    if (dash == std::string::npos) return {sim_part, sim_part};
    return {sim_part.substr(0, dash), sim_part.substr(dash + 1)};
}

std::string backup_time_shown(const BackupNameParts& parts) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", parts.time.year, parts.time.month,
                  parts.time.day, parts.time.hour, parts.time.minute);
    std::string shown = text;
    if (parts.sequence > 1) shown += " (" + std::to_string(parts.sequence) + ")";
    return shown;
}

}  // namespace fw
