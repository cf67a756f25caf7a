#pragma once
// The program's one answer to an unexpected failure in a file-handling procedure: record where it
// happened, write errorlog.txt into the program folder, report and end. It stands on nothing else
// of the program's, so that every other part can reach it.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/base/failure.hpp"

namespace fw {

struct ErrorContext {
    std::string module;
    std::string procedure;
    int32_t location = 0;
    int32_t number = 0;
    std::string text;
};

// The program-wide context, overwritten by whichever guarded procedure failed last.
ErrorContext& error_context();

// The checkpoints a guarded procedure passes, so that the log says which phase failed.
namespace checkpoint {
inline constexpr int32_t start = 1000;
inline constexpr int32_t c2000 = 2000;
inline constexpr int32_t c2400 = 2400;
inline constexpr int32_t c2800 = 2800;
inline constexpr int32_t c3000 = 3000;
inline constexpr int32_t c4000 = 4000;
}  // namespace checkpoint

// The report shown to the user and written as the log's last lines (CR LF between lines).
std::string build_report(const ErrorContext& context);
// The whole errorlog.txt text, CR LF line ends, one after the report; `program_folder` is the
// folder named on its "Install Path: " line.
std::string build_error_log(const ErrorContext& context, const std::string& program_folder);

// Where errorlog.txt is written: the program folder, as the platform layer works it out. Asked at
// each trap, so a folder that moved since start-up (a test's) is followed. The program's mains
// install it; until then no log is written, but the report is still shown.
using LogFolder = std::function<std::string()>;
void install_log_folder(LogFolder folder);

// What happens after the log is written: the windowed program shows "Unrecoverable Error" and
// ends the process; the command-line tool prints and exits; tests throw TrapRaised. The action
// must not return.
using ReportAndEnd = std::function<void(const std::string& report)>;
void install_report_and_end(ReportAndEnd action);

// Thrown by the default action (and by the ones tests install), so that the trap never returns.
struct TrapRaised {
    std::string report;
};

// Writes errorlog.txt (a log that cannot be written is skipped: the report is still shown), then
// runs the installed action. Never returns.
[[noreturn]] void trap();

// Records a failure in the context: the failure's number and text, module, procedure, location.
void record_failure(std::string_view module, std::string_view procedure, int32_t location,
                    const Failure& failure);

// The report of a failure the program went on from: the trap's report with `outcome` (what was
// skipped or left undone, CR LF between its lines) in place of its closing words, which would
// say that the program ends.
std::string build_survived_report(const ErrorContext& context, const std::string& outcome);

// The trap's record without its end, for a failure the program survives (a damaged archive that
// is skipped, a save the disk could not take): records the failure in the context and writes
// errorlog.txt in the trap's layout with build_survived_report, then returns. The first such log
// of a run replaces any earlier log; later ones of the same run go below it, so that the log
// names every file a run skipped. A log that cannot be written is passed over.
void log_and_go_on(std::string_view module, std::string_view procedure, int32_t location,
                   const Failure& failure, const std::string& outcome);

// Runs a guarded procedure's body. The body takes the location by reference and sets checkpoints
// on it as it advances; any failure inside it fills the context and reaches the trap.
template <class Body>
decltype(auto) guarded(std::string_view module, std::string_view procedure, Body&& body) {
    int32_t location = 0;
    try {
        return body(location);
    } catch (const TrapRaised&) {
        throw;  // an inner guarded procedure already reported it
    } catch (...) {
        record_failure(module, procedure, location, failure_from_current_exception());
    }
    trap();
}

// Runs a checked reader's body: "" when it went through, else its failure in the words of
// error_text; never the trap. (A trap raised by a guarded procedure inside goes on.)
template <class Body>
std::string checked(Body&& body) {
    try {
        body();
        return "";
    } catch (const TrapRaised&) {
        throw;
    } catch (...) {
        return error_text(failure_from_current_exception());
    }
}

}  // namespace fw
