#pragma once
// The small text files of other programs that the game's look-up reads (Wine's registry, Steam's
// library list and app manifests). Anything may lie at their names: a FIFO, a device, a link into
// /proc, a file grown huge. None of it may stall, exhaust or end the program.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace fw {

// The whole of the regular file at `path` when it holds at most `cap` bytes, else nothing: a file
// that is missing, cannot be opened or read, is larger, or is no regular file counts as absent.
// It is opened without blocking (a FIFO never waits for a writer), and never more than `cap` + 1
// bytes are read whatever size the file claims (the files of /proc claim none).
std::optional<std::string> read_capped_file(const std::filesystem::path& path, size_t cap);

}  // namespace fw
