#include "core/base/error_trap.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/base/message_box.hpp"

namespace fw {

namespace {

ReportAndEnd& installed_action() {
    static ReportAndEnd action = [](const std::string& report) { throw TrapRaised{report}; };
    return action;
}

LogFolder& installed_log_folder() {
    static LogFolder folder;
    return folder;
}

// Replaces the file's contents with the text (or adds it at the end), or fails.
void write_log(const std::filesystem::path& path, const std::string& text, bool append = false) {
    std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    out << text;
    out.close();
    if (!out) throw std::runtime_error("errorlog.txt could not be written");
}

// The report's first lines, up to its closing words: what failed and where.
std::string report_head(const ErrorContext& c) {
    std::string r;
    r += "Error: " + std::to_string(c.number) + kCrLf;
    r += c.text + kCrLf;
    r += kCrLf;
    r += "Module: " + c.module + kCrLf;
    r += "Procedure: " + c.procedure + kCrLf;
    r += "Location: " + std::to_string(c.location) + kCrLf;
    r += kCrLf;
    return r;
}

// The log this run last wrote a survived failure to ("" before the first): the log then holds
// this run's reports, and the next one goes below them.
std::filesystem::path& survived_log() {
    static std::filesystem::path path;
    return path;
}

}  // namespace

ErrorContext& error_context() {
    static ErrorContext context;
    return context;
}

std::string build_report(const ErrorContext& c) {
    std::string r = report_head(c);
    r += std::string("The program can not recover from this error.") + kCrLf;
    r += kCrLf;
    r += "Please e-mail the file errorlog.txt to the support e-mail address.";
    return r;
}

std::string build_survived_report(const ErrorContext& c, const std::string& outcome) {
    return report_head(c) + outcome;
}

namespace {

std::string log_with_report(const std::string& report, const std::string& program_folder) {
    std::string log;
    log += std::string("Facewright") + kCrLf;
    log += "Version " + std::to_string(FACEWRIGHT_VERSION_MAJOR) + "." +
           std::to_string(FACEWRIGHT_VERSION_MINOR) + "." + std::to_string(FACEWRIGHT_VERSION_REVISION) +
           kCrLf;
    log += std::string(" ") + kCrLf;
    log += "Install Path: " + program_folder + kCrLf;
    log += std::string(" ") + kCrLf;
    log += report + kCrLf;
    return log;
}

}  // namespace

std::string build_error_log(const ErrorContext& c, const std::string& program_folder) {
    return log_with_report(build_report(c), program_folder);
}

void install_report_and_end(ReportAndEnd action) { installed_action() = std::move(action); }

void install_log_folder(LogFolder folder) { installed_log_folder() = std::move(folder); }

void record_failure(std::string_view module, std::string_view procedure, int32_t location,
                    const Failure& failure) {
    ErrorContext& c = error_context();
    c.module = module;
    c.procedure = procedure;
    c.location = location;
    c.number = failure.number();
    c.text = failure.text();
}

void log_and_go_on(std::string_view module, std::string_view procedure, int32_t location,
                   const Failure& failure, const std::string& outcome) {
    record_failure(module, procedure, location, failure);
    const std::string report = build_survived_report(error_context(), outcome);
    try {
        if (const LogFolder& folder = installed_log_folder()) {
            const std::string program_folder = folder();
            const std::filesystem::path path = std::filesystem::path(program_folder) / "errorlog.txt";
            std::error_code ec;
            if (survived_log() == path && std::filesystem::is_regular_file(path, ec)) {
                write_log(path, std::string(kCrLf) + report + kCrLf, true);
            } else {
                write_log(path, log_with_report(report, program_folder));
                survived_log() = path;
            }
        }
    } catch (...) {
        // The program goes on whether or not the log could be written.
    }
}

void trap() {
    survived_log().clear();  // the trap's log replaces whatever this run logged before
    const ErrorContext context = error_context();
    const std::string report = build_report(context);
    // The report must reach the user even when the log cannot be written (a read-only folder,
    // a full disk), so a failure here is swallowed.
    try {
        if (const LogFolder& folder = installed_log_folder()) {
            const std::string program_folder = folder();
            write_log(std::filesystem::path(program_folder) / "errorlog.txt",
                      build_error_log(context, program_folder));
        }
    } catch (...) {
    }
    installed_action()(report);
    std::abort();  // an action that returned broke its contract
}

}  // namespace fw
