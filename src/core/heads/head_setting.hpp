#pragma once
// Whether the windows show the turning head: the setting "3D Head" (Facewright), which the head
// selector's check box of that name sets and the editor follows.
#include "core/platform/settings.hpp"

namespace fw {

// Whether the setting is on (setting_is_on); a missing or empty setting is stored as "1" first.
bool load_3d_head_setting();
// Stores "1" or "0".
void store_3d_head_setting(bool shown);

}  // namespace fw
