#include "core/game/damaged_archives.hpp"

#include <algorithm>

#include "core/base/error_trap.hpp"
#include "core/base/failure.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"

namespace fw {

namespace {

std::string skipped_lines(const std::vector<std::string>& skipped) {
    std::string text = "These archives could not be read and were skipped:";
    for (const std::string& path : skipped) text += kCrLf + path;
    text += std::string(kCrLf) + kCrLf;
    text += "What went wrong is written in " + display_path(program_folder() + "\\errorlog.txt") + ".";
    return text;
}

}  // namespace

void ArchiveReading::skip(const std::string& archive, const char* procedure) {
    const std::string shown = display_path(archive);
    const Failure failure = failure_from_current_exception();
    if (log_ == SkipLog::ErrorLog) {
        log_and_go_on("modFARsupport", procedure, 0, failure,
                      std::string("This archive could not be read and was skipped:") + kCrLf + shown);
    }
    if (std::find(skipped_.begin(), skipped_.end(), shown) != skipped_.end()) return;
    skipped_.push_back(shown);
    problems_.push_back(shown + ": " + error_text(failure));
}

std::shared_ptr<const ArchiveContents> ArchiveReading::contents(const std::string& archive) {
    if (std::find(skipped_.begin(), skipped_.end(), display_path(archive)) != skipped_.end()) return nullptr;
    try {
        return archive_contents(archive);
    } catch (...) {
        skip(archive, "gsReadFARdir");
        return nullptr;
    }
}

bool ArchiveReading::entry_inside(const std::string& archive, const FARdir& dir, int32_t n) {
    try {
        check_far_entry(dir.entry(n), file_length(archive));
        return true;
    } catch (...) {
        skip(archive, "gsExtractFile");
        return false;
    }
}

std::optional<BoxMessage> ArchiveReading::skipped_box() const {
    if (skipped_.empty()) return std::nullopt;
    return BoxMessage{skipped_lines(skipped_), kBoxExclamation, kSkippedArchivesTitle};
}

std::optional<BoxMessage> ArchiveReading::take_newly_skipped_box() {
    if (named_ == skipped_.size()) return std::nullopt;
    const std::vector<std::string> fresh(skipped_.begin() + static_cast<std::ptrdiff_t>(named_),
                                         skipped_.end());
    named_ = skipped_.size();
    return BoxMessage{skipped_lines(fresh), kBoxExclamation, kSkippedArchivesTitle};
}

}  // namespace fw
