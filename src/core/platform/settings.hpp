#pragma once
// The per-user settings store: QSettings in INI format, one file per application name
// ("Facewright", "Vestrel"), section "Settings", string values.
#include <string>

namespace fw {

inline constexpr const char* kAppFacewright = "Facewright";
inline constexpr const char* kAppVestrel = "Vestrel";

inline constexpr const char* kKeyBackupSavedFile = "Backup Saved File";
inline constexpr const char* kKeySimsLocation = "Sims Location";
inline constexpr const char* kKeyPreviewHeadSkins = "Preview Head Skins";
inline constexpr const char* kKey3DHead = "3D Head";
inline constexpr const char* kKeyLastNeighborhood = "Last Neighborhood Selected";

// The stored value, or `fallback` when the entry is missing.
std::string get_setting(const std::string& application, const std::string& key,
                        const std::string& fallback = "");
void save_setting(const std::string& application, const std::string& key, const std::string& value);
// The settings file of an application (for display).
std::string settings_file(const std::string& application);

// An on/off setting, stored as "1" or "0": on when its leading number is 1 (so " 1" and "1.0" are
// on, "yes" and "2" off); a missing or empty entry gives `when_missing`.
bool setting_is_on(const std::string& application, const std::string& key, bool when_missing);
// Stores `value` when the entry is missing or empty.
void seed_setting(const std::string& application, const std::string& key, const std::string& value);

// The platform's leading-number conversion: " 1" and "1.0" give 1, "yes" gives 0.
double leading_number(const std::string& text);

}  // namespace fw
