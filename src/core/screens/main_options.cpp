#include "core/screens/main_options.hpp"

#include "core/platform/on_off_settings.hpp"

namespace fw {

bool toggle_backup_setting(bool checked) {
    const bool now_checked = !checked;
    store_backup_setting(now_checked);
    return now_checked;
}

}  // namespace fw
