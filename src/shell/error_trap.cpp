#include "shell/error_trap.hpp"

#include <cstdlib>
#include <fstream>

#include "platform/program_folder.hpp"
#include "platform/game_files.hpp"

namespace fw {

namespace {
const char* const kLineBreak = "\r\n";

ReportAndEnd& installed_action() {
    static ReportAndEnd action = [](const std::string& report) { throw TrapRaised{report}; };
    return action;
}
}  // namespace

ErrorContext& error_context() {
    static ErrorContext context;
    return context;
}

std::string build_report(const ErrorContext& c) {
    std::string r;
    r += "Error: " + std::to_string(c.number) + kLineBreak;
    r += c.text + kLineBreak;
    r += kLineBreak;
    r += "Module: " + c.module + kLineBreak;
    r += "Procedure: " + c.procedure + kLineBreak;
    r += "Location: " + std::to_string(c.location) + kLineBreak;
    r += kLineBreak;
    r += std::string("The program can not recover from this error.") + kLineBreak;
    r += kLineBreak;
    r += "Please e-mail the file errorlog.txt to the support e-mail address.";
    return r;
}

std::string build_error_log(const ErrorContext& c) {
    std::string log;
    log += std::string("Facewright") + kLineBreak;
    log += "Version " + std::to_string(FACEWRIGHT_VERSION_MAJOR) + "." +
           std::to_string(FACEWRIGHT_VERSION_MINOR) + "." +
           std::to_string(FACEWRIGHT_VERSION_REVISION) + kLineBreak;
    log += std::string(" ") + kLineBreak;
    log += "Install Path: " + program_folder() + kLineBreak;
    log += std::string(" ") + kLineBreak;
    log += build_report(c) + kLineBreak;
    return log;
}

void install_report_and_end(ReportAndEnd action) { installed_action() = std::move(action); }

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
        const std::string log = build_error_log(context);
        write_file(program_folder() + "\\errorlog.txt", log);
    } catch (...) {
    }
    installed_action()(report);
    std::abort();  // an action that returned broke its contract
}

}  // namespace fw
