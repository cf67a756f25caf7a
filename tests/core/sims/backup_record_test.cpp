#include "core/sims/backup_record.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

// A record reads back byte for byte, a path that is no UTF-8 too; one without a file, or
// damaged, ties the backup to nothing.
TEST(BackupRecord, ReadsBackByteForByteAndADamagedOneIsNone) {
    fw::build::TempDir dir;
    const auto read_back = [&](const std::string& text) {
        dir.write("Sources/User00001iff_Bob_UserData_20260101_010101.source", text);
        return fw::read_backup_record(dir.str() + "\\User00001iff_Bob_UserData_20260101_010101");
    };
    const fw::BackupRecord record{"/g/UserData/Characters/Us\xE9r1.iff", "/g", "", 7, "Ren\xC3\xA9"};
    const std::optional<fw::BackupRecord> back = read_back(fw::backup_record_text(record));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->file + "|" + back->saves + "|" + back->game + "|" + std::to_string(back->sim.value_or(0)) +
                  "|" + back->saved_as,
              record.file + "|/g||7|Ren\xC3\xA9");
    for (const std::string damaged : {"{", "{\"sim\": 7}", "{\"file_hex\": 5}", "[]"})
        EXPECT_FALSE(read_back(damaged)) << damaged;
}
