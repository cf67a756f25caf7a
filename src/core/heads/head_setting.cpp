#include "core/heads/head_setting.hpp"

#include <string>

#include "core/platform/on_off_settings.hpp"
#include "core/platform/settings.hpp"

namespace fw {

bool load_3d_head_setting() {
    seed_setting(kAppFacewright, kKey3DHead, "1");
    return head_3d_on();
}

void store_3d_head_setting(bool shown) { store_head_3d(shown); }

}  // namespace fw
