#include "core/platform/on_off_settings.hpp"

#include "core/platform/settings.hpp"

namespace fw {

namespace {

bool is_on(const char* key) { return setting_is_on(kAppFacewright, key, true); }

void store(const char* key, bool on) { save_setting(kAppFacewright, key, on ? "1" : "0"); }

}  // namespace

bool backup_setting_on() { return is_on(kKeyBackupSavedFile); }
void store_backup_setting(bool on) { store(kKeyBackupSavedFile, on); }

bool preview_head_skins_on() { return is_on(kKeyPreviewHeadSkins); }
void store_preview_head_skins(bool on) { store(kKeyPreviewHeadSkins, on); }

bool head_3d_on() { return is_on(kKey3DHead); }
void store_head_3d(bool on) { store(kKey3DHead, on); }

}  // namespace fw
