#pragma once
// A fresh folder for one test, removed afterwards.
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace fw::build {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    // Writes a file below the folder (creating its folders) and returns its path.
    std::string write(const std::string& relative, const std::string& bytes) const;
    std::string read(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

// Every file below a folder (links passed over) with its bytes, by its path relative to the
// folder: a game as a player would find it.
std::map<std::string, std::string> files_below(const std::filesystem::path& folder);

// Sets an environment variable for the life of the object, then puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;  // none when it was not set
};

}  // namespace fw::build
