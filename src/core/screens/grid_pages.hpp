#pragma once
// The thumbnail grid of the main window: pages of 7 x 7 cells of 68 pixels, one character file
// per cell, and the arithmetic of pages, cells and the buttons that move between pages.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fw {

inline constexpr int32_t kSimsPerPage = 49;
inline constexpr int32_t kGridColumns = 7;
inline constexpr int32_t kCellSize = 68;

struct GridPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const GridPoint&) const = default;
};

// Pages needed for the files: 49 files make one page, 50 make two, none make none.
int32_t page_count(size_t files);
// The list index (from 0) of the last file shown on the page.
int32_t last_index(int32_t page, size_t files);
// "Page X of Y" for the page shown (from 0).
std::string page_counter_text(int32_t page, size_t files);

// The cell (from 0) under a point of the grid: row (y div 68), column (x div 68). A point right of
// the seventh column counts as the next row's first columns, one below the grid as the next page.
int32_t cell_at(int32_t x, int32_t y);
// The number (from 1) in the character file list of a page's cell.
int32_t file_number(int32_t page, int32_t cell);
// Whether a cell shows a file (the last page may end early).
bool cell_has_file(int32_t page, int32_t cell, size_t files);

// "Next" moves on only while a later page exists; "Previous" only from a page after the first.
bool can_go_next(int32_t page, size_t files);
bool can_go_previous(int32_t page);

// The cell's top-left corner, its thumbnail's and its name label's places in the grid.
GridPoint cell_origin(int32_t cell);
GridPoint thumbnail_position(int32_t cell);
GridPoint name_label_position(int32_t cell);

}  // namespace fw
