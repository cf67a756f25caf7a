#include "platform/program_folder.hpp"

#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fw {

std::string program_folder() {
    std::string folder;
    if (const char* home = std::getenv("FACEWRIGHT_HOME"); home != nullptr && *home != '\0') {
        folder = home;
    } else {
        if (QCoreApplication::applicationName().isEmpty() ||
            QCoreApplication::applicationName() != "Facewright") {
            QCoreApplication::setApplicationName("Facewright");
        }
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
    }
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

}  // namespace fw
