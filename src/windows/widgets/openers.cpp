#include "windows/widgets/openers.hpp"

#include <QFileDialog>

#include "windows/widgets/qt_text.hpp"

namespace fw {

namespace {

std::optional<std::string> platform_folder_dialog(QWidget* owner, const std::string& title) {
    const QString chosen =
        QFileDialog::getExistingDirectory(owner, to_qt(title), QString(), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) return std::nullopt;
    return from_qt(QDir::toNativeSeparators(chosen));
}

}  // namespace

WindowOpeners& openers() {
    static WindowOpeners installed = [] {
        WindowOpeners defaults;
        defaults.browse_folder = platform_folder_dialog;
        return defaults;
    }();
    return installed;
}

}  // namespace fw
