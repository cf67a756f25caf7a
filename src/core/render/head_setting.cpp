#include "core/render/head_setting.hpp"

#include <string>

#include "core/platform/settings.hpp"

namespace fw {

bool load_3d_head_setting() {
    std::string value = get_setting(kAppFacewright, kKey3DHead);
    if (value.empty()) {
        value = "1";
        save_setting(kAppFacewright, kKey3DHead, value);
    }
    return leading_number(value) != 0;
}

void store_3d_head_setting(bool shown) { save_setting(kAppFacewright, kKey3DHead, shown ? "1" : "0"); }

}  // namespace fw
