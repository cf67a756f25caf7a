#pragma once
// Pictures named by game path strings ("...\gamedata\skins\C001MAlgt_dylan.bmp"), found through
// the path layer without regard to case and decoded by the platform's picture loader.
#include <QImage>
#include <cstddef>
#include <string>
#include <unordered_map>

namespace fw {

// The picture at the path; a null image when the file is missing, cannot be read or does not
// decode. Never reaches the trap: the caller decides what a missing picture means.
QImage load_game_picture(const std::string& path);

// The picture held in a file's bytes, decoded as load_game_picture decodes a file's; a null image
// when they are no picture (or there are none).
QImage decode_game_picture(const std::string& bytes);

// Pictures decoded once and drawn from memory while a window shows them again and again (pages
// of the grids paged back and forth). A picture is known by its bytes, so a file that changed is
// decoded anew and what is drawn is always what the bytes hold now. When the pictures kept
// outgrow the budget (high-definition skins), they are let go and decoded afresh as they come.
class DecodedPictures {
public:
    explicit DecodedPictures(size_t budget_bytes = size_t{64} << 20) : budget_(budget_bytes) {}
    // As decode_game_picture.
    QImage picture(const std::string& bytes);
    // As load_game_picture: the file is read each time, its picture decoded once.
    QImage load(const std::string& path);

private:
    std::unordered_map<std::string, QImage> kept_;
    size_t budget_;
    size_t held_ = 0;
};

}  // namespace fw
