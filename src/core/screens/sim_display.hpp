#pragma once
// What the main window's left column shows for the selected sim: its name and three of its
// bitmaps, or, for a file that cannot be read, the reader's error as four lines of text.
#include <cstdint>
#include <string>
#include <vector>

#include "core/formats/iff.hpp"
#include "core/screens/grid_pages.hpp"

namespace fw {

// A picture file of the program folder, the bytes just written there, and where the picture is
// drawn in picSim, at its own size. The window draws the bytes: the file may be another
// program's by the time it would be read back.
struct PlacedPicture {
    std::string path;
    std::string bytes;  // "" when the sim has no such bitmap
    GridPoint at;
    bool operator==(const PlacedPicture&) const = default;
};

// A line of text printed into picSim with its top-left corner at `at`.
struct PlacedText {
    std::string text;
    GridPoint at;
    bool operator==(const PlacedText&) const = default;
};

struct SimDisplay {
    std::string error;                    // the reader's error text; "" when the file was read
    std::string sim_name;                 // txtSimName (Windows-1252 bytes)
    std::vector<PlacedPicture> pictures;  // web image, faces, relimages; none for a file not read
    std::vector<PlacedText> lines;        // the error lines; none for a file that was read
    bool loaded() const { return error.empty(); }
};

// The can't-load bitmap of a file not read stands at the top-left corner of picSim.
inline constexpr GridPoint kCantLoadPicturePoint{0, 0};

// The name a read file goes by: the label (up to its first NUL, whole without one) of the first
// "OBJD" chunk whose label begins with "user" in any case, else the file's name. In a label of
// the form "user00001 - Name" the part after " - " is the sim's name from its name chunk, which
// a rename changes while the label stays.
std::string sim_display_name(const IFFFile& record, const std::string& file_name);

// Reads characters_folder + file_name with the checked reader. A file that cannot be read gives
// "* ERROR * Can not load " + file name and the four lines naming neighbourhood + "\characters\" +
// file name and the error; that is never a failure. A file that was read has the previous sim's
// "web_image.bmp", "faces.bmp" and "relimages.bmp" deleted from the program folder (so a sim
// without one of them never shows another's), its bitmaps dumped there, and gives their paths and
// the bytes written under them at (0,0), (0,64), (0,128). Guarded (frmMain / msDisplaySim, 0) for failures of the file system.
SimDisplay msDisplaySim(const std::string& characters_folder, const std::string& neighbourhood,
                        const std::string& file_name);

// The file shown in a cell of a page (cell from 0), or "" for a cell past the end of the list:
// the file a click selects, the tooltip over a cell and the file "Edit This Sim" opens.
std::string file_in_cell(const std::vector<std::string>& files, int32_t page, int32_t cell);

}  // namespace fw
