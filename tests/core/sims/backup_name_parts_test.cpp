#include "core/sims/backup_name_parts.hpp"

#include <gtest/gtest.h>

namespace {

std::string parts(const std::optional<fw::BackupNameParts>& p) {
    return p ? p->file_part + "|" + p->sim_part + "|" + p->neighbourhood + "|" + fw::backup_time_shown(*p)
             : "none";
}

TEST(BackupNameParts, ReadFromTheEndWithTheFileAndNeighbourhoodWholeAndTheNamesSplit) {
    const std::string t = "_20261206_141515";
    const std::string file = "User00001iff";
    const struct {
        std::string name, file, neighbourhood, expected;
    } cases[] = {
        {file + "_Bob-Robert_UserData2" + t + "_12", "user00001IFF", "userdata2",
         "User00001iff|Bob-Robert|UserData2|2026-12-06 14:15 (12)"},
        {file + "_Bob_X-Y_UserData_old" + t, file, "UserData_old",
         "User00001iff|Bob_X-Y|UserData_old|2026-12-06 14:15"},
        {file + "__UserData" + t, file, "UserData", "User00001iff||UserData|2026-12-06 14:15"},
        {file + "_Bob_" + t, file, "", "User00001iff|Bob||2026-12-06 14:15"},  // a file in no neighbourhood
        {"User0001iff_Bob_UserData" + t, "User00010iff", "UserData", "none"},
        {file + "_Bob_UserData3" + t, file, "UserData2", "none"},
        {file + "_Bob_UserData_20261206_141516", file, "UserData", "none"},  // the minute twice
        {file + "_Bob_UserData_20261306_141515", file, "UserData", "none"},
        {file + "_Bob_UserData" + t + "_1", file, "UserData", "none"},
        {file + "_Bob_UserData" + t + ".tmp", file, "UserData", "none"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parts(fw::parse_backup_name_of(c.name, c.file, c.neighbourhood)), c.expected) << c.name;
    }
    // A backup whose file is not known.
    EXPECT_EQ(parts(fw::parse_backup_name("User00010iff_Cliff_Bob_UserData_old" + t + "_2")),
              "User00010iff|Cliff_Bob|UserData_old|2026-12-06 14:15 (2)");
    EXPECT_EQ(parts(fw::parse_backup_name(file + "_Bob_" + t)), "User00001iff|Bob||2026-12-06 14:15");
    EXPECT_EQ(parts(fw::parse_backup_name("notes.txt")), "none");
    EXPECT_EQ(fw::character_file_name("User00010iff"), "User00010.iff");

    // The names before and after the save: sim part, the name the backup holds ("" when unreadable),
    // before, after.
    const std::string names_cases[][4] = {
        {"Bob-Robert", "Bob", "Bob", "Robert"}, {"Mary-Jo", "Mary-Jo", "Mary-Jo", "Mary-Jo"},
        {"Mary-Jo-Ann", "Mary-Jo", "Mary-Jo", "Ann"}, {"Zoe-Ann", "Zo\xEB", "Zoe", "Ann"},
        {"-Bob", "", "", "Bob"}, {"Bob-Robert", "", "Bob", "Robert"},
    };
    for (const auto& c : names_cases) {
        const fw::BackupNames names = fw::backup_names(c[0], c[1]);
        EXPECT_EQ(names.before + "|" + names.after, c[2] + "|" + c[3]) << c[0];
    }
}

}  // namespace
