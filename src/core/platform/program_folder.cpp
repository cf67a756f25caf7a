#include "core/platform/program_folder.hpp"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

#ifdef _WIN32
#include <QStandardPaths>
#endif

namespace fw {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The folder by the per-user rule, from the environment it depends on.
std::string folder_by_rule(const std::string& facewright_home,
                           [[maybe_unused]] const std::string& data_home) {
    std::string folder = facewright_home;
    if (folder.empty()) {
#ifdef _WIN32
        // The per-user data folder, not the application's: it must not move with the
        // application or organisation name.
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
        folder += "/Facewright";
#else
        // A relative data home is to be ignored, as the XDG rules say.
        const bool usable = !data_home.empty() && data_home.front() == '/';
        folder = (usable ? data_home : environment("HOME") + "/.local/share") + "/Facewright";
#endif
    }
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    return folder;
}

}  // namespace

std::string program_folder() {
    // Worked out once and created once; only a changed environment (a test pointing the folder
    // elsewhere) works it out again.
    static std::mutex mutex;
    static std::string key;
    static std::string folder;
    const std::string facewright_home = environment("FACEWRIGHT_HOME");
    const std::string data_home = environment("XDG_DATA_HOME");
    const std::string home = environment("HOME");
    const std::string now = facewright_home + '\0' + data_home + '\0' + home;
    std::lock_guard<std::mutex> lock(mutex);
    if (folder.empty() || now != key) {
        key = now;
        folder = folder_by_rule(facewright_home, data_home);
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
    return folder;
}

}  // namespace fw
