#include "core/platform/known_folders.hpp"

#ifdef _WIN32
#include <shlobj.h>  // SHGetKnownFolderPath and the FOLDERID_ values, with the Windows headers

namespace fw {

namespace {

// The folder in the ANSI code page, as every other path of the program is held.
std::string known_folder(REFKNOWNFOLDERID id) {
    PWSTR wide = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &wide) == S_OK && wide != nullptr) {
        const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        if (length > 1) {
            folder.resize(static_cast<size_t>(length));
            WideCharToMultiByte(CP_ACP, 0, wide, -1, folder.data(), length, nullptr, nullptr);
            folder.resize(static_cast<size_t>(length - 1));
        }
    }
    CoTaskMemFree(wide);
    return folder;
}

}  // namespace

std::string saved_games_folder() { return known_folder(FOLDERID_SavedGames); }
std::string program_files_folder() { return known_folder(FOLDERID_ProgramFiles); }

}  // namespace fw
#endif
