#pragma once
// The one kind of failure the core raises: a stable error number and its text, from the small
// table below, so that logs and checked readers report the same words every time.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace fw {

enum class ErrorKind : int32_t {
    InvalidArgument = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    InternalError = 51,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    DeviceIOError = 57,
    FileAlreadyExists = 58,
    DiskFull = 61,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    PathNotFound = 76,
};

// The standard description of an error number ("Input past end of file" for 62).
const char* error_kind_text(ErrorKind kind);

class Failure : public std::runtime_error {
public:
    explicit Failure(ErrorKind kind);
    Failure(ErrorKind kind, const std::string& text);
    // A failure that a checked reader answers with `answer` itself rather than with its number
    // and text: the resource map's "RSMP UNREADABLE", a map's failure inside a file's reading.
    static Failure answered_as(ErrorKind kind, std::string answer);
    ErrorKind kind() const { return kind_; }
    int32_t number() const { return static_cast<int32_t>(kind_); }
    // The text that the checked readers and the error log show.
    const std::string& text() const { return text_; }
    // The answer given with answered_as ("" for any other failure).
    const std::string& answer() const { return answer_; }

private:
    ErrorKind kind_;
    std::string text_;
    std::string answer_;
};

[[noreturn]] void fail(ErrorKind kind);
[[noreturn]] void fail(ErrorKind kind, const std::string& text);

// A failure as the checked readers report it: "Error " + number + " - " + text, or the answer it
// was raised with. The one place that words a failure so.
std::string error_text(const Failure& failure);

// Number and text for any exception: a Failure keeps its own, std::bad_alloc is "Out of memory",
// anything else is an internal error carrying its message.
Failure failure_from_current_exception();

}  // namespace fw
