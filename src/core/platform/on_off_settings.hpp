#pragma once
// The program's on/off settings (application "Facewright"), each read and written one way: on
// when its leading number is 1 (setting_is_on), and on while it is missing or empty; stored as
// "1" or "0". Which windows seed them with "1" as they load is theirs to say.
namespace fw {

// "Backup Saved File": a save or a restore keeps a backup of the file it replaces.
bool backup_setting_on();
void store_backup_setting(bool on);

// "Preview Head Skins": the head selector draws previews of the skins.
bool preview_head_skins_on();
void store_preview_head_skins(bool on);

// "3D Head": the editor and the head selector show the turning head.
bool head_3d_on();
void store_head_3d(bool on);

}  // namespace fw
