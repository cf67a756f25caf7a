#include "core/platform/program_folder.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>

#include "support/temp_dir.hpp"

namespace fw {

// The windows name their organisation; the command-line tool does not. Both must find the same
// error log, backups and exports.
TEST(ProgramFolder, FollowsTheUserNeverTheApplicationOrOrganisationName) {
    build::TempDir dir;
    const QString organisation = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    QCoreApplication::setOrganizationName("Tamsworth");
    QCoreApplication::setApplicationName("Vestrel");
    {
        const build::ScopedEnv unset("FACEWRIGHT_HOME", "");
        const build::ScopedEnv data("XDG_DATA_HOME", dir.str() + "/data");
        EXPECT_EQ(program_folder(), dir.str() + "/data/Facewright");
        EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "data/Facewright"));
        const build::ScopedEnv home("HOME", dir.str() + "/home");
        for (const char* no_data_home : {"", "relative/data"}) {
            const build::ScopedEnv data_unset("XDG_DATA_HOME", no_data_home);
            EXPECT_EQ(program_folder(), dir.str() + "/home/.local/share/Facewright") << no_data_home;
        }
    }
    const build::ScopedEnv portable("FACEWRIGHT_HOME", dir.str() + "/portable/");
    EXPECT_EQ(program_folder(), dir.str() + "/portable");
    QCoreApplication::setOrganizationName(organisation);
    QCoreApplication::setApplicationName(application);
}

}  // namespace fw
