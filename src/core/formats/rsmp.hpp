#pragma once
// The resource map ("rsmp" chunk): a table of contents listing, for each chunk type, each chunk's
// ID, name and file offset. It is kept byte for byte and never written (a character file is saved
// without it). Also the names of the bitmap files a file's "BMP_" chunks are dumped to.
//
//   offset  size  map chunk (numbers little-endian but the chunk header's)
//   0       76    chunk header, big-endian like every chunk's (iff.hpp)
//   76      12    the first data bytes, kept as read, not interpreted
//   88      4     map size
//   92      4     number of type groups
//   96      ...   type groups, one after another:
//                   4    type code: the chunk type back to front ("STR#" is stored "#RTS")
//                   4    entry count
//                   ...  entries, one after another:
//                          4    the chunk's offset from the file's first byte
//                          4    ID and flags: the ID (2 bytes, low byte first), 2 bytes not read
//                          ...  name: the bytes up to a NUL, the NUL, and one pad byte when needed
//                               to end at an even count from the map's first byte; or the bytes up
//                               to the byte 163, that byte, and no pad
#include <string>
#include <vector>

#include "core/formats/byte_reader.hpp"
#include "core/formats/iff.hpp"

namespace fw {

// The one reading of the map behind both faces below: reads the map at the reader's position
// into the record, leaving the reader after the last name, and sets `location` to the phase it is
// in. Checked, a group of more than 1000 entries is refused, answered as "RSMP UNREADABLE".
void read_rsmp(IFFFile& file, ByteReader& in, int32_t& location, ReadMode mode);
// The map read; a failure reaches the trap (modIFFsupport / gsReadRSMP, locations 1000 to 4000).
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
