#include "core/game/content_archive.hpp"

#include <filesystem>
#include <system_error>

#include "core/formats/safe_names.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/kept_map.hpp"
#include "core/platform/name_compare.hpp"

namespace fs = std::filesystem;

namespace fw {

namespace {

// An archive's contents as read, with the size and time of the file they were read from.
struct KeptContents {
    uintmax_t size = 0;
    fs::file_time_type time{};
    std::shared_ptr<const ArchiveContents> contents;
};

KeptMap<KeptContents>& kept_contents() {
    static KeptMap<KeptContents> kept;
    return kept;
}

}  // namespace

ArchiveContents::ArchiveContents(FARdir dir) : dir_(std::move(dir)) {
    int32_t n = 0;
    for (const FARentry& entry : dir_.Entries) {
        ++n;
        const std::string base = entry_base_name(entry.FileName);
        if (is_safe_file_name(base)) first_by_name_.emplace(to_upper(base), n);  // the first of a name stays
    }
}

int32_t ArchiveContents::find(const std::string& name) const {
    const auto hit = first_by_name_.find(to_upper(name));
    return hit == first_by_name_.end() ? 0 : hit->second;
}

std::shared_ptr<const ArchiveContents> archive_contents(const std::string& archive) {
    const fs::path real = resolve_path(archive);
    std::error_code ec;
    const uintmax_t size = fs::file_size(real, ec);
    const fs::file_time_type time = ec ? fs::file_time_type{} : fs::last_write_time(real, ec);
    const std::string key = real.string();
    if (!ec) {
        const auto kept = kept_contents().find(
            key, [&](const KeptContents& held) { return held.size == size && held.time == time; });
        if (kept) return kept->contents;
    }
    auto contents = std::make_shared<const ArchiveContents>(read_far_directory(archive));
    if (!ec) kept_contents().keep(key, KeptContents{size, time, contents});
    return contents;
}

}  // namespace fw
