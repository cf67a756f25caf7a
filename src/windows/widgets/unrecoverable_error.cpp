#include "windows/widgets/unrecoverable_error.hpp"

#include <QEvent>
#include <QMetaEnum>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/base/error_trap.hpp"
#include "windows/widgets/msg_box.hpp"

namespace fw {

namespace {

// An object's name as a log shows it: its objectName, else its class without the namespace.
std::string name_of(const QObject* object) {
    if (!object) return "Facewright";
    if (!object->objectName().isEmpty()) return object->objectName().toStdString();
    std::string name = object->metaObject()->className();
    const size_t colon = name.rfind(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

std::string event_name(const QEvent* event) {
    if (!event) return "Event";
    const QMetaEnum types = QMetaEnum::fromType<QEvent::Type>();
    const char* key = types.valueToKey(event->type());
    return key ? key : "Event" + std::to_string(static_cast<int>(event->type()));
}

}  // namespace

void end_process_now() {
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

void install_unrecoverable_error_box(EndProcess end) {
    install_report_and_end([end = std::move(end)](const std::string& report) {
        // The box runs an event loop of its own; a failure reported from inside it must not
        // stack a second box over the first.
        static bool reporting = false;
        if (!reporting) {
            struct Reporting {
                Reporting() { reporting = true; }
                ~Reporting() { reporting = false; }
            } during_the_box;
            msgBox(report, kBoxCritical, "Unrecoverable Error");
        }
        end();
        std::abort();  // an end that returned
    });
}

void trap_escaped_failure(const QObject* receiver, const QEvent* event) {
    try {
        throw;
    } catch (const TrapRaised&) {
        throw;  // already reported by the procedure that failed
    } catch (...) {
        const auto* widget = qobject_cast<const QWidget*>(receiver);
        const std::string module = widget ? name_of(widget->window()) : "Facewright";
        record_failure(module, name_of(receiver) + "_" + event_name(event), 0,
                       failure_from_current_exception());
    }
    trap();
}

bool FacewrightApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        trap_escaped_failure(receiver, event);
    }
}

}  // namespace fw
