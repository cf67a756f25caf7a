#pragma once
// Pictures named by game path strings ("...\gamedata\skins\C001MAlgt_dylan.bmp"), found through
// the path layer without regard to case and decoded by the platform's picture loader.
#include <QImage>
#include <string>

namespace fw {

// The picture at the path; a null image when the file is missing, cannot be read or does not
// decode. Never reaches the trap: the caller decides what a missing picture means.
QImage load_game_picture(const std::string& path);

}  // namespace fw
