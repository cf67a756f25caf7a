#include "core/sims/backup_name.hpp"

#include <gtest/gtest.h>

// File, sim, neighbourhood and time, each filtered to what a file name may hold; the minute is
// written twice; a sim keeps its letters without their accents.
TEST(BackupName, FileSimNeighbourhoodAndTimeFilteredForAFileName) {
    const fw::LocalTime time{2024, 1, 2, 3, 4};
    EXPECT_EQ(fw::backup_name("User00005.iff", fw::backup_sim_part("Bob", "Bob"), "UserData3", time),
              "User00005iff_Bob_UserData3_20240102_030404");
    EXPECT_EQ(fw::backup_name("User00005.iff", fw::backup_sim_part("Bob", "Ren\xE9 Smith"), "User Data", time),
              "User00005iff_Bob-ReneSmith_UserData_20240102_030404");
    EXPECT_EQ(fw::backup_name("../x.iff", "a/b\\c", "", time), "xiff_abc__20240102_030404");
}
