#pragma once
// The game's archives read by a procedure that goes on without one it cannot read: a damaged or
// foreign archive (a download among the game's files) is skipped, logged in errorlog.txt, and
// named to the player once, when the procedure is done.
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/formats/far.hpp"

namespace fw {

inline constexpr const char* kSkippedArchivesTitle = "Archives Skipped";

class ArchiveReading {
public:
    // The archive's directory, or nothing when it cannot be read: the failure is logged as
    // modFARsupport / gsReadFARdir and the archive counted among the skipped ones. An archive
    // this reading skipped before is not read again.
    std::optional<FARdir> directory(const std::string& archive);
    // Whether entry n of the directory lies inside its archive; an entry that does not marks the
    // archive as damaged (logged as modFARsupport / gsExtractFile) and the caller goes on to the next
    // archive. Extracting it may still fail for the destination's sake: that reaches the trap.
    bool entry_inside(const std::string& archive, const FARdir& dir, int32_t n);

    // The archives skipped, as the player's paths, each once, in the order they were met.
    const std::vector<std::string>& skipped() const { return skipped_; }
    // "These archives could not be read and were skipped:", the paths, and where the log is;
    // nothing when none was skipped.
    std::optional<BoxMessage> skipped_box() const;
    // The same for the archives skipped since the last call, so that a window that reads the
    // archives more than once names each damaged one once.
    std::optional<BoxMessage> take_newly_skipped_box();

private:
    void skip(const std::string& archive, const char* procedure);

    std::vector<std::string> skipped_;
    size_t named_ = 0;  // how many of skipped_ take_newly_skipped_box has named
};

}  // namespace fw
