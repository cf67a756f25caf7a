#include "core/base/failure.hpp"

#include <cerrno>
#include <filesystem>
#include <new>

namespace fw {

const char* error_kind_text(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::InvalidArgument: return "Invalid procedure call or argument";
    case ErrorKind::Overflow: return "Overflow";
    case ErrorKind::OutOfMemory: return "Out of memory";
    case ErrorKind::SubscriptOutOfRange: return "Subscript out of range";
    case ErrorKind::TypeMismatch: return "Type mismatch";
    case ErrorKind::InternalError: return "Internal error";
    case ErrorKind::FileNotFound: return "File not found";
    case ErrorKind::FileAlreadyOpen: return "File already open";
    case ErrorKind::DeviceIOError: return "Device I/O error";
    case ErrorKind::FileAlreadyExists: return "File already exists";
    case ErrorKind::DiskFull: return "Disk full";
    case ErrorKind::InputPastEndOfFile: return "Input past end of file";
    case ErrorKind::PermissionDenied: return "Permission denied";
    case ErrorKind::PathFileAccessError: return "Path/File access error";
    case ErrorKind::PathNotFound: return "Path not found";
    }
    return "Internal error";
}

Failure::Failure(ErrorKind kind) : Failure(kind, error_kind_text(kind)) {}

Failure::Failure(ErrorKind kind, const std::string& text)
    : std::runtime_error(text), kind_(kind), text_(text) {}

Failure Failure::answered_as(ErrorKind kind, std::string answer) {
    Failure failure(kind);
    failure.answer_ = std::move(answer);
    return failure;
}

void fail(ErrorKind kind) { throw Failure(kind); }
void fail(ErrorKind kind, const std::string& text) { throw Failure(kind, text); }

std::string error_text(const Failure& failure) {
    if (!failure.answer().empty()) return failure.answer();
    return "Error " + std::to_string(failure.number()) + " - " + failure.text();
}

namespace {
ErrorKind kind_from_errno(int code) {
    switch (code) {
    case ENOENT: return ErrorKind::FileNotFound;
    case ENOTDIR: return ErrorKind::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return ErrorKind::PermissionDenied;
    case ENOSPC: return ErrorKind::DiskFull;
    case EEXIST: return ErrorKind::FileAlreadyExists;
    case EIO: return ErrorKind::DeviceIOError;
    case ENOMEM: return ErrorKind::OutOfMemory;
    default: return ErrorKind::PathFileAccessError;
    }
}
}  // namespace

Failure failure_from_current_exception() {
    try {
        throw;
    } catch (const Failure& failure) {
        return failure;
    } catch (const std::bad_alloc&) {
        return Failure(ErrorKind::OutOfMemory);
    } catch (const std::length_error&) {
        return Failure(ErrorKind::OutOfMemory);
    } catch (const std::filesystem::filesystem_error& e) {
        return Failure(kind_from_errno(e.code().value()));
    } catch (const std::out_of_range&) {
        return Failure(ErrorKind::SubscriptOutOfRange);
    } catch (const std::exception& e) {
        return Failure(ErrorKind::InternalError, e.what());
    } catch (...) {
        return Failure(ErrorKind::InternalError);
    }
}

}  // namespace fw
