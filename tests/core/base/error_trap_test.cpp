#include "core/base/error_trap.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "builders/far_builder.hpp"
#include "builders/iff_builder.hpp"
#include "core/formats/far.hpp"
#include "core/formats/iff.hpp"
#include "core/formats/str_list.hpp"
#include "core/game/neighbourhoods.hpp"
#include "support/temp_dir.hpp"

namespace {

// The log goes to a program folder of the test's own.
class ErrorTrap : public testing::Test {
protected:
    fw::build::TempDir home;
    fw::build::ScopedEnv env{"FACEWRIGHT_HOME", home.str()};
};

// A failure the program goes on from is logged in the trap's layout, closing with what was
// skipped; the first of a run replaces the old log, the next go below it.
TEST_F(ErrorTrap, SurvivedFailuresAreLoggedWithoutEndingAndAGuardRecordsTheInnermostProcedure) {
    home.write("errorlog.txt", std::string(5000, 'o'));
    fw::log_and_go_on("modFARsupport", "gsReadFARdir", 0, fw::Failure(fw::ErrorKind::InputPastEndOfFile),
                      "A.");
    fw::log_and_go_on("frmEditSim", "msMakeUserBackup", 3000, fw::Failure(fw::ErrorKind::DiskFull), "B.");
    EXPECT_EQ(home.read("errorlog.txt"),
              "Facewright\r\nVersion 2.0.2\r\n \r\nInstall Path: " + home.str() +
                  "\r\n \r\nError: 62\r\nInput past end of file\r\n\r\nModule: modFARsupport\r\nProcedure: "
                  "gsReadFARdir\r\nLocation: 0\r\n\r\nA.\r\n\r\nError: 61\r\nDisk full\r\n\r\nModule: "
                  "frmEditSim\r\nProcedure: msMakeUserBackup\r\nLocation: 3000\r\n\r\nB.\r\n");

    // A guard records the innermost procedure and its checkpoint.
    const auto outer = [](int32_t& location) {
        location = fw::checkpoint::c2000;
        fw::guarded("modIFFsupport", "gsReadIFF", [](int32_t& inner) {
            inner = fw::checkpoint::start;
            inner = fw::checkpoint::c2000;
            fw::fail(fw::ErrorKind::InputPastEndOfFile, "Input past end of file\r\nsecond line");
        });
    };
    // The report reaches the user whole, and the trap's log replaces the run's survived failures; a
    // text with line breaks goes in unchanged.
    const std::string report =
        "Error: 62\r\nInput past end of file\r\nsecond line\r\n\r\nModule: modIFFsupport\r\nProcedure: "
        "gsReadIFF\r\nLocation: 2000\r\n\r\nThe program can not recover from this error.\r\n\r\n"
        "Please e-mail the file errorlog.txt to the support e-mail address.";
    try { fw::guarded("frmMain", "msLoadSimImages", outer); }
    catch (const fw::TrapRaised& raised) { EXPECT_EQ(raised.report, report); }
    EXPECT_EQ(home.read("errorlog.txt"),
              "Facewright\r\nVersion 2.0.2\r\n \r\nInstall Path: " + home.str() + "\r\n \r\n" + report +
                  "\r\n");

    // The report still reaches the user when the log cannot be written: a folder lies where it goes.
    const fw::build::ScopedEnv blocked("FACEWRIGHT_HOME", (home.path() / "blocked").string());
    std::filesystem::create_directories(home.path() / "blocked/errorlog.txt");
    EXPECT_THROW(fw::guarded("frmMain", "x", [](int32_t&) { throw std::bad_alloc(); }), fw::TrapRaised);
    EXPECT_EQ(fw::error_context().text, "Out of memory");
}

// The log's table: each trapped failure names the module, procedure and location the report points to.
TEST_F(ErrorTrap, EachTrappedFailureNamesItsModuleAndProcedure) {
    const std::string far_bytes = fw::build::far_archive({{"head.bmp", "bitmap"}});
    const std::string archive = home.write("good.far", far_bytes);
    const std::string cut = home.write("cut.far", far_bytes.substr(0, 10));
    fw::FARdir far;
    fw::gsReadFARdir(far, archive);
    const auto strings = [](const std::string& data) {
        fw::IFFFile file;
        fw::read_iff_checked_from_bytes(
            file, fw::build::IffBuilder().chunk("STR#", 200, "bodystring", data, 0x0010).bytes());
        return file;
    };
    // A link that leads back to itself cannot be read, not even by root.
    std::filesystem::create_directories(home.path() / "Game/UserData");
    std::filesystem::create_symlink("Characters", home.path() / "Game/UserData/Characters");
    std::filesystem::create_symlink("loop", home.path() / "Game/loop");
    const auto game = [&](const std::string& below) {
        return fw::Game::at(home.str() + "/Game" + below, fw::GamePathSource::Setting);
    };
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { fw::gsReadFARdir(far, cut); }, "modFARsupport/gsReadFARdir/0"},
        {[&] { fw::gsExtractFile(archive, home.str() + "/nowhere", far, 1); },
         "modFARsupport/gsExtractFile/0"},
        {[&] { fw::gsExtractFileEx(archive, home.str() + "/nowhere", "x.bmp", far, 1); },
         "modFARsupport/gsExtractFileEx/0"},
        {[&] {
             fw::STRList list;
             fw::gsReadSTRSegment(strings("\xFD"), list, fw::kAppearanceKey, fw::StringListType::STR);
         },
         "modIFFsupport/gsReadSTRSegment/0"},
        {[&] {
             fw::IFFFile file = strings(fw::build::str_list_data(std::vector<std::string>{"a"}));
             fw::gsWriteSTRSegment(file, fw::STRList{}, fw::kAppearanceKey, fw::StringListType::STR);
         },
         "modIFFsupport/gsWriteSTRSegment/0"},
        {[&] { fw::msGetFileNames(game(""), "UserData"); }, "frmMain/msGetFileNames/0"},
        {[&] { fw::msGetUserDataDirs(game("\\loop")); }, "frmMain/msGetUserDataDirs/0"},
    };
    for (const auto& [call, logged] : cases) {
        EXPECT_THROW(call(), fw::TrapRaised) << logged;
        const fw::ErrorContext& c = fw::error_context();
        EXPECT_EQ(c.module + "/" + c.procedure + "/" + std::to_string(c.location), logged);
    }
}

}  // namespace
