#pragma once
// Sims saved with backups into a Backup folder emptied for each test, so that a test sees only
// the backups it made.
#include <gtest/gtest.h>

#include <filesystem>

#include "builders/sim_builder.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/sims/sim_save.hpp"
#include "support/temp_dir.hpp"

namespace fw::typed {

class SavedSims : public testing::Test {
protected:
    void SetUp() override {
        std::error_code ignored;
        std::filesystem::remove_all(fw::resolve_path(fw::backup_folder_path()), ignored);
    }
    static fw::Clock at(int minute) {
        return [minute] { return fw::LocalTime{2026, 12, 6, 12, minute}; };
    }
    // Saves the sim under a new name, keeping a backup dated `minute` past noon.
    static void save_as(const std::string& path, const std::string& name, int minute) {
        fw::EditorSession session;
        ASSERT_EQ(fw::open_sim_for_editing(path, session), std::nullopt);
        fw::SimControls controls = fw::read_sim_controls(session.appearance, session.names);
        controls.name = name;
        ASSERT_TRUE(fw::save_sim(session, controls, {.make_backup = true, .clock = at(minute)}).saved());
    }
    static size_t files_in_backup() {
        return fw::list_matching(fw::backup_folder_path() + "\\*", fw::Listing::FilesOnly).size();
    }

    fw::build::TempDir game_;
};

}  // namespace fw::typed
