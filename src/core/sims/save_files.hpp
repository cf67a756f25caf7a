#pragma once
// The file operations a save performs, behind one small interface so that a test can make any
// single one of them fail and check what the disk holds afterwards.
#include <string>

#include "core/formats/iff.hpp"
#include "core/platform/game_files.hpp"

namespace fw {

class SaveFiles {
public:
    virtual ~SaveFiles() = default;
    virtual bool file_exists(const std::string& path);
    virtual bool folder_exists(const std::string& path);
    virtual bool create_folder(const std::string& path);
    virtual bool delete_file(const std::string& path);
    // gsWriteIFF_NoBMPs: the image without its bitmaps and resource map.
    virtual void write_without_bitmaps(const IFFFile& image, const std::string& path);
    virtual std::string read_file(const std::string& path);
    virtual FileStamp file_stamp(const std::string& path);
    // A file that must not exist yet (a backup): it appears whole under its name or not at all.
    virtual void write_new_file(const std::string& path, const std::string& bytes);
    // Written beside the target, flushed, then renamed over it: the target is always whole.
    virtual void replace_file(const std::string& target, const std::string& bytes);
    // True when the file's owner may not write it (its permission bits, not whether this process
    // could write it anyway, as an administrator could): its owner meant it to stay as it is.
    virtual bool is_read_only(const std::string& path);
    // The file's name as the file system spells it (without folders).
    virtual std::string listed_name(const std::string& path);
};

// The real file system, through the path layer.
SaveFiles& platform_save_files();

}  // namespace fw
