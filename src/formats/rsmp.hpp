#pragma once
// The resource map ("rsmp" chunk) and the bitmap dump.
#include <string>

#include "formats/byte_reader.hpp"
#include "formats/iff.hpp"

namespace fw {

class FolderChanges;

// Reads the map at the reader's position into the record, leaving the reader after the last
// name. A failure reaches the trap (modIFFsupport / gsReadRSMP, locations 1000 to 4000).
void gsReadRSMP(IFFFile& file, ByteReader& in);
// The same; "" on success, "RSMP UNREADABLE" for a group of more than 1000 entries, else an
// "Error N - text".
std::string gfstrReadRSMPChecked(IFFFile& file, ByteReader& in);

// Writes each "BMP_" chunk's data into the program folder as its filtered label + ".BMP".
// Guarded (modIFFsupport / gsDumpBMPs, location 0).
void gsDumpBMPs(const IFFFile& file);
// The same into the program folder's run of changes `folder`.
void gsDumpBMPs(const IFFFile& file, FolderChanges& folder);
// Keeps only a-z, A-Z, 0-9, "-" and "_".
std::string gfstrSafeFileName(const std::string& text);

}  // namespace fw
