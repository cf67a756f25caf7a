#pragma once
// One cell of the thumbnail grid: what a character file shows there (its name, its head skin and
// its thumbnail, or the reader's error text), the bitmaps dumped for it and the head previews its
// skin gets.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/formats/iff.hpp"
#include "core/formats/str_list.hpp"
#include "core/sims/appearance.hpp"

namespace fw {

// The name label of a file that cannot be shown.
inline constexpr const char* kCantLoadCaption = "* ERROR *\r\n Can't Load!!";

struct SimCell {
    std::string error;  // the reader's error text; "" when the file was read and taken apart
    std::string name;   // the first name chunk's first entry, as stored (Windows-1252)
    std::string skin;   // the head skin: entry 3 of the appearance list after "=", before ";"
    std::string thumbnail;  // the bytes dumped as "Web_Image.Bmp"; "" when the sim has none

    bool loaded() const { return error.empty(); }
    // The text of the cell's name label.
    std::string caption() const { return loaded() ? name : kCantLoadCaption; }
};

// Reads a character file as its cell shows it. A file that cannot be read, or whose name chunk or
// appearance list cannot be taken apart, gives its error text; nothing here reaches the trap and
// nothing is written.
SimCell read_sim_cell(IFFFile& record, const std::string& path);

// Makes the head previews of a skin from the bitmaps dumped last ("speech_large.bmp" and
// "Web_Image.bmp") unless the first exists already: an existing preview is never replaced.
// Failed copies are passed over. A skin that is not a safe file name gets no preview. True when
// the previews were attempted.
bool make_head_previews(const std::string& skin);

// The per-file steps of drawing a page: reads the file; when it could be shown, dumps its bitmaps
// into the program folder (the previous file's thumbnail and speech bitmap are deleted first, so
// that a sim without them never leaves another's there), keeps the bytes of "Web_Image.Bmp" as
// the cell's thumbnail and makes its skin's head previews.
SimCell load_sim_cell(IFFFile& record, const std::string& path);

// Draws a page: load_sim_cell for each file of the page, each followed by draw_cell(cell, result),
// which paints the thumbnail from the cell's bytes. Guarded (frmMain / msLoadSimImages,
// location 1000 then 2000 while drawing).
void msLoadSimImages(const std::string& characters_folder, const std::vector<std::string>& files,
                     int32_t page, const std::function<void(int32_t cell, const SimCell& result)>& draw_cell);

// The page after it was drawn: the cell selected and the page counter's text.
struct PageSelection {
    int32_t cell = 0;
    std::string page_counter;  // "Page X of Y"
};
// The last step of drawing a page: selects the page's first cell and hands its file's name to
// display (the window shows it in picSim, as msDisplaySim), then counts the pages. The window
// runs it after msLoadSimImages drew a page that holds files. Guarded (frmMain / msLoadSimImages,
// location 3000).
PageSelection select_first_sim(const std::vector<std::string>& files, int32_t page,
                               const std::function<void(const std::string& file_name)>& display);

}  // namespace fw
