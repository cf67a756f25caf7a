#include "core/screens/main_options.hpp"

#include "core/platform/settings.hpp"

namespace fw {

bool toggle_backup_setting(bool checked) {
    const bool now_checked = !checked;
    save_setting(kAppFacewright, kKeyBackupSavedFile, now_checked ? "1" : "0");
    return now_checked;
}

}  // namespace fw
