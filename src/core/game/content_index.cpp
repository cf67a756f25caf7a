#include "core/game/content_index.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/base/failure.hpp"
#include "core/formats/far.hpp"
#include "core/formats/iff.hpp"
#include "core/formats/safe_names.hpp"
#include "core/game/game_archives.hpp"
#include "core/platform/binary_file.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"

namespace fs = std::filesystem;

namespace fw {

namespace {

constexpr const char* kDownloads = "\\Downloads";
// Players nest their downloads a few folders deep; deeper trees are not walked.
constexpr int kDownloadsDepth = 4;

GameFile archived_file(const std::string& archive, const FARdir& dir, int32_t n) {
    const FARentry entry = dir.entry(n);
    return GameFile{entry_base_name(entry.FileName), archive, entry.FileName, entry.file_offset(),
                    entry.file_size()};
}

}  // namespace

std::string GameFile::shown() const {
    const std::string where = display_path(path);
    return archived() ? where + " > " + entry : where;
}

const std::vector<std::string>& content_folders() {
    static const std::vector<std::string> folders = {"\\GameData\\Skins", "\\ExpansionShared\\SkinsBuy",
                                                     kDownloads};
    return folders;
}

ContentIndex::ContentIndex(std::string game_path, SkipLog log)
    : game_path_(std::move(game_path)), archives_(log) {}

const std::vector<std::pair<std::string, std::string>>& ContentIndex::downloads() {
    if (downloads_) return *downloads_;
    // Every file below Downloads, the shallower first, then by name without regard to case.
    std::vector<std::pair<int, std::string>> found;
    std::error_code ec;
    const fs::path root = resolve_path(game_path_ + kDownloads);
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
    for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        if (it.depth() >= kDownloadsDepth) it.disable_recursion_pending();
        std::error_code type_ec;
        if (!it->is_regular_file(type_ec)) continue;
        std::string relative;
        bool safe = true;
        for (const fs::path& part : fs::relative(it->path(), root, type_ec)) {
            safe = safe && is_safe_file_name(part.string());
            relative += "\\" + part.string();
        }
        if (safe && !type_ec) found.emplace_back(it.depth(), relative);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : iless(a.second, b.second);
    });
    downloads_.emplace();
    for (const auto& [depth, relative] : found) {
        const std::string upper = to_upper(entry_base_name(relative));
        downloads_->emplace_back(upper, game_path_ + kDownloads + relative);
        first_download_.emplace(upper, downloads_->back().second);
    }
    return *downloads_;
}

std::optional<GameFile> ContentIndex::find_loose(const std::string& name) {
    for (const std::string& folder : content_folders()) {
        if (folder == kDownloads) continue;
        const std::string path = game_path_ + folder + "\\" + name;
        // Named as it is spelt on disk, which may differ in case from the name looked for.
        if (file_exists(path)) return GameFile{resolve_path(path).filename().string(), path, "", 0, 0};
    }
    downloads();
    const auto hit = first_download_.find(to_upper(name));
    if (hit == first_download_.end()) return std::nullopt;
    return GameFile{entry_base_name(hit->second), hit->second, "", 0, 0};
}

const std::vector<ContentIndex::Archive>& ContentIndex::open_archives() {
    if (open_) return *open_;
    // Every archive is opened at the first search of the archives, so that each one that cannot be
    // read is told of whichever holds the name.
    open_.emplace();
    for (const GameArchive& archive : game_archives_for(ArchiveUse::HeadFiles)) {
        const std::string path = game_path_ + archive.path;
        if (!file_exists(path)) continue;
        if (auto contents = archives_.contents(path)) open_->push_back(Archive{path, std::move(contents)});
    }
    return *open_;
}

std::optional<GameFile> ContentIndex::find(const std::vector<std::string>& names) {
    std::vector<std::string> safe;
    for (const std::string& name : names) {
        if (is_safe_file_name(name)) safe.push_back(name);
    }
    for (const std::string& name : safe) {
        if (auto file = find_loose(name)) return file;
    }
    for (const Archive& archive : open_archives()) {
        for (const std::string& name : safe) {
            if (const int32_t n = archive.contents->find(name))
                return archived_file(archive.path, archive.contents->dir(), n);
        }
    }
    return std::nullopt;
}

std::vector<GameFile> ContentIndex::entries() {
    std::vector<GameFile> all;
    for (const std::string& folder : content_folders()) {
        if (folder == kDownloads) continue;
        for (const std::string& name : list_matching(game_path_ + folder + "\\*", Listing::FilesOnly)) {
            if (is_safe_file_name(name))
                all.push_back(GameFile{name, game_path_ + folder + "\\" + name, "", 0, 0});
        }
    }
    for (const auto& [upper, path] : downloads())
        all.push_back(GameFile{entry_base_name(path), path, "", 0, 0});
    for (const Archive& archive : open_archives()) {
        const FARdir& dir = archive.contents->dir();
        for (int32_t n = 1; n <= static_cast<int32_t>(dir.Entries.size()); ++n) {
            GameFile file = archived_file(archive.path, dir, n);
            if (is_safe_file_name(file.name)) all.push_back(std::move(file));
        }
    }
    return all;
}

std::string ContentIndex::read(const GameFile& file, int64_t largest) const {
    if (!file.archived()) {
        std::optional<std::string> bytes = read_file_up_to(file.path, largest);
        if (!bytes) throw file_too_large(file_length(file.path));
        return std::move(*bytes);
    }
    BinaryFile in = BinaryFile::open_for_reading(file.path);
    check_far_span(file.offset, file.size, in.length());
    if (file.size > largest) throw file_too_large(file.size);
    in.seek(file.offset);
    return in.read_exact(static_cast<size_t>(file.size));
}

}  // namespace fw
