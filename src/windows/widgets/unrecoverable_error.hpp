#pragma once
// The windowed program's end of the error trap: the "Unrecoverable Error" box, then the end of
// the process at once, without the exit question and without saving anything further. Failures
// that escape a window's event handler reach the same trap through the application's notify().
#include <QApplication>
#include <functional>

class QEvent;
class QObject;

namespace fw {

// How the process ends after the box. Tests put in one that throws, so that they can read the
// box without ending the test run; it must not return.
using EndProcess = std::function<void()>;
// Flushes the standard streams and ends the process with status 1, running nothing else.
[[noreturn]] void end_process_now();

// Installs the trap's report-and-end action: the report in a box with the critical icon (16)
// titled "Unrecoverable Error", then `end`. A failure while that box is up ends the process
// without a second box.
void install_unrecoverable_error_box(EndProcess end = end_process_now);

// Called inside a catch block for an exception that escaped the handling of `event` by
// `receiver`: records it (module: the receiver's window, procedure: the receiver and the event)
// and reaches the trap. Never returns.
[[noreturn]] void trap_escaped_failure(const QObject* receiver, const QEvent* event);

// The application object of the windowed program: every event handler runs inside notify(), so
// an exception escaping one reaches the trap instead of ending the program unexplained.
class FacewrightApplication : public QApplication {
public:
    FacewrightApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace fw
