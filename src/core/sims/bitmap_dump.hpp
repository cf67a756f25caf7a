#pragma once
// A sim's bitmaps written out as files of the program folder (its thumbnail, its portraits, the
// source of its head preview), where other tools and the head previews find them. The windows
// draw from the bytes the dump hands back, never from the files.
#include <string>
#include <vector>

#include "core/formats/iff.hpp"
#include "core/formats/rsmp.hpp"

namespace fw {

class FolderChanges;

// Writes each "BMP_" chunk's data into the program folder as its filtered label + ".BMP"
// (bitmap_files names them), replacing an earlier file of that name. Returns the files written,
// in the order written. Guarded (modIFFsupport / gsDumpBMPs, location 0).
std::vector<BitmapFile> gsDumpBMPs(const IFFFile& file);
// The same into the program folder's run of changes `folder`.
std::vector<BitmapFile> gsDumpBMPs(const IFFFile& file, FolderChanges& folder);

// The bytes the folder holds under `name` after the files were written: the last of them so
// named, matched without regard to case as the folder matches names; "" when none is.
std::string dumped_bytes(const std::vector<BitmapFile>& written, const std::string& name);

// A sim's portraits in its own bitmap chunks, as the dump names them: the bytes of a BMP file
// each, "" where the file has none (a file saved by this program keeps none).
struct Portraits {
    std::string web_image;
    std::string faces;
    std::string relimages;
};
Portraits sim_portraits(const IFFFile& image);

}  // namespace fw
