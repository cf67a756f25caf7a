#pragma once
// The game's archives read by a procedure that goes on without one it cannot read: a damaged or
// foreign archive (a download among the game's files) is skipped, logged in errorlog.txt, and
// named to the player once, when the procedure is done.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/formats/far.hpp"
#include "core/game/content_archive.hpp"

namespace fw {

inline constexpr const char* kSkippedArchivesTitle = "Archives Skipped";

// Where a skipped archive is told of: in errorlog.txt and the "Archives Skipped" box, or only in
// problems(), for a reader that names its problems itself (the 3D head beside its picture).
enum class SkipLog { ErrorLog, ProblemsOnly };

class ArchiveReading {
public:
    explicit ArchiveReading(SkipLog log = SkipLog::ErrorLog) : log_(log) {}

    // The archive's contents, or null when it cannot be read: the failure is logged as
    // modFARsupport / gsReadFARdir and the archive counted among the skipped ones. An archive
    // this reading skipped before is not read again.
    std::shared_ptr<const ArchiveContents> contents(const std::string& archive);
    // Whether entry n of the directory lies inside its archive; an entry that does not marks the
    // archive as damaged (logged as modFARsupport / gsExtractFile) and the caller goes on to the next
    // archive. Extracting it may still fail for the destination's sake: that reaches the trap.
    bool entry_inside(const std::string& archive, const FARdir& dir, int32_t n);

    // The archives skipped, as the player's paths, each once, in the order they were met.
    const std::vector<std::string>& skipped() const { return skipped_; }
    // Each archive skipped, as the player's path + ": " + what went wrong, once.
    const std::vector<std::string>& problems() const { return problems_; }
    // "These archives could not be read and were skipped:", the paths, and where the log is;
    // nothing when none was skipped.
    std::optional<BoxMessage> skipped_box() const;
    // The same for the archives skipped since the last call, so that a window that reads the
    // archives more than once names each damaged one once.
    std::optional<BoxMessage> take_newly_skipped_box();

private:
    void skip(const std::string& archive, const char* procedure);

    SkipLog log_;
    std::vector<std::string> skipped_;
    std::vector<std::string> problems_;
    size_t named_ = 0;  // how many of skipped_ take_newly_skipped_box has named
};

}  // namespace fw
