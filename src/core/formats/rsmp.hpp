#pragma once
// The resource map ("rsmp" chunk) and the bitmap dump.
#include <string>
#include <vector>

#include "core/formats/byte_reader.hpp"
#include "core/formats/iff.hpp"

namespace fw {

// Reads the map at the reader's position into the record, leaving the reader after the last
// name. A failure reaches the trap (modIFFsupport / gsReadRSMP, locations 1000 to 4000).
void gsReadRSMP(IFFFile& file, ByteReader& in);
// The same; "" on success, "RSMP UNREADABLE" for a group of more than 1000 entries, else an
// "Error N - text".
std::string gfstrReadRSMPChecked(IFFFile& file, ByteReader& in);

// A "BMP_" chunk as the bitmap file it is dumped to: its label up to the first NUL (whole without
// one), filtered by gfstrSafeFileName, + ".BMP", and its data unchanged.
struct BitmapFile {
    std::string name;
    std::string data;
};
// The file record's bitmaps in chunk order; a label with nothing usable names no file and is left
// out. Two labels that filter alike give two entries of one name: the later one is written last.
std::vector<BitmapFile> bitmap_files(const IFFFile& file);
// Keeps only a-z, A-Z, 0-9, "-" and "_".
std::string gfstrSafeFileName(const std::string& text);

}  // namespace fw
