#pragma once
// File operations of a save or a restore that fail at the n-th call, as a full disk or a vanished
// folder would, so that a test can check what the disk holds after a failure at every step.
#include <string>

#include "core/base/failure.hpp"
#include "core/sims/save_files.hpp"

namespace fw::typed {

struct FailingFiles : fw::SaveFiles {
    explicit FailingFiles(int fail_at, fw::ErrorKind kind = fw::ErrorKind::DeviceIOError)
        : fail_at(fail_at), kind(kind) {}
    void step() {
        if (calls++ == fail_at) fw::fail(kind);
    }
    bool file_exists(const std::string& p) override { return step(), SaveFiles::file_exists(p); }
    bool folder_exists(const std::string& p) override { return step(), SaveFiles::folder_exists(p); }
    bool create_folder(const std::string& p) override { return step(), SaveFiles::create_folder(p); }
    bool delete_file(const std::string& p) override { return step(), SaveFiles::delete_file(p); }
    void write_without_bitmaps(const fw::IFFFile& f, const std::string& p) override {
        return step(), SaveFiles::write_without_bitmaps(f, p);
    }
    std::string read_file(const std::string& p) override { return step(), SaveFiles::read_file(p); }
    fw::FileStamp file_stamp(const std::string& p) override { return step(), SaveFiles::file_stamp(p); }
    void write_new_file(const std::string& p, const std::string& b) override {
        return step(), SaveFiles::write_new_file(p, b);
    }
    void replace_file(const std::string& t, const std::string& b) override {
        return step(), SaveFiles::replace_file(t, b);
    }
    std::string listed_name(const std::string& p) override { return step(), SaveFiles::listed_name(p); }

    int fail_at;
    fw::ErrorKind kind;
    int calls = 0;
};

// File operations during which another process writes: `temp` over usertemp.iff once it is
// written, "the game's" over the character file `file` once the backup is.
struct WrittenMeanwhile : fw::SaveFiles {
    std::string temp, file;
    void write_without_bitmaps(const fw::IFFFile& image, const std::string& path) override {
        SaveFiles::write_without_bitmaps(image, path);
        if (!temp.empty()) fw::write_file(path, temp);
    }
    void write_new_file(const std::string& path, const std::string& bytes) override {
        SaveFiles::write_new_file(path, bytes);
        if (!file.empty()) fw::write_file(file, "the game's");
    }
};

}  // namespace fw::typed
