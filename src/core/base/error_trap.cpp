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

// Replaces the file's contents with the text, or fails.
void write_log(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw std::runtime_error("errorlog.txt could not be written");
}

}  // namespace

ErrorContext& error_context() {
    static ErrorContext context;
    return context;
}

std::string build_report(const ErrorContext& c) {
    std::string r;
    r += "Error: " + std::to_string(c.number) + kCrLf;
    r += c.text + kCrLf;
    r += kCrLf;
    r += "Module: " + c.module + kCrLf;
    r += "Procedure: " + c.procedure + kCrLf;
    r += "Location: " + std::to_string(c.location) + kCrLf;
    r += kCrLf;
    r += std::string("The program can not recover from this error.") + kCrLf;
    r += kCrLf;
    r += "Please e-mail the file errorlog.txt to the support e-mail address.";
    return r;
}

std::string build_error_log(const ErrorContext& c, const std::string& program_folder) {
    std::string log;
    log += std::string("Facewright") + kCrLf;
    log += "Version " + std::to_string(FACEWRIGHT_VERSION_MAJOR) + "." +
           std::to_string(FACEWRIGHT_VERSION_MINOR) + "." + std::to_string(FACEWRIGHT_VERSION_REVISION) +
           kCrLf;
    log += std::string(" ") + kCrLf;
    log += "Install Path: " + program_folder + kCrLf;
    log += std::string(" ") + kCrLf;
    log += build_report(c) + kCrLf;
    return log;
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

void trap() {
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
