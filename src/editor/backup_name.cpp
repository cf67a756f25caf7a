#include "editor/backup_name.hpp"

#include <cstdio>
#include <ctime>

#include "formats/rsmp.hpp"
#include "platform/game_paths.hpp"

namespace fw {

LocalTime local_now() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min};
}

std::string backup_time_text(const LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d_%02d%02d%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.minute);
    return text;
}

std::string neighbourhood_of(const std::string& path) {
    const std::string lower = to_lower(path);
    size_t at = std::string::npos;
    for (const char* marker : {"\\userdata", "/userdata"}) {
        const size_t found = lower.find(marker);
        if (found < at) at = found;
    }
    if (at == std::string::npos) return "";
    const size_t start = at + 1;
    const size_t end = path.find_first_of("\\/", start);
    return path.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string backup_sim_part(const std::string& previous_name, const std::string& new_name) {
    return previous_name == new_name ? previous_name : previous_name + "-" + new_name;
}

std::string backup_name(const std::string& file_name, const std::string& sim_part,
                        const std::string& neighbourhood, const LocalTime& time) {
    return gfstrSafeFileName(file_name + "_" + sim_part + "_" + neighbourhood + "_" + backup_time_text(time));
}

}  // namespace fw
