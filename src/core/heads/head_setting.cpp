#include "core/heads/head_setting.hpp"

#include <string>

#include "core/platform/settings.hpp"

namespace fw {

bool load_3d_head_setting() {
    seed_setting(kAppFacewright, kKey3DHead, "1");
    return setting_is_on(kAppFacewright, kKey3DHead, true);
}

void store_3d_head_setting(bool shown) { save_setting(kAppFacewright, kKey3DHead, shown ? "1" : "0"); }

}  // namespace fw
