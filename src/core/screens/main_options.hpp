#pragma once
// The main window's "&Options" menu: the backup option the editor reads when it saves.

namespace fw {

// "&Create Backup File": the check mark after a click on an entry that was `checked`; the new
// state is stored as "Backup Saved File" ("1" checked, "0" not).
bool toggle_backup_setting(bool checked);

}  // namespace fw
