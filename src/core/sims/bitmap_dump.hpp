#pragma once
// A sim's bitmaps written out as files of the program folder, where the windows load them from
// (its thumbnail, its portraits, the source of its head preview).
#include "core/formats/iff.hpp"

namespace fw {

class FolderChanges;

// Writes each "BMP_" chunk's data into the program folder as its filtered label + ".BMP"
// (bitmap_files names them), replacing an earlier file of that name.
// Guarded (modIFFsupport / gsDumpBMPs, location 0).
void gsDumpBMPs(const IFFFile& file);
// The same into the program folder's run of changes `folder`.
void gsDumpBMPs(const IFFFile& file, FolderChanges& folder);

}  // namespace fw
