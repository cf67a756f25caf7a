#include "core/screens/grid_pages.hpp"

namespace fw {

int32_t page_count(size_t files) { return static_cast<int32_t>((files + kSimsPerPage - 1) / kSimsPerPage); }

int32_t last_index(int32_t page, size_t files) {
    const int64_t last = static_cast<int64_t>(page) * kSimsPerPage + kSimsPerPage - 1;
    return last < static_cast<int64_t>(files) ? static_cast<int32_t>(last) : static_cast<int32_t>(files) - 1;
}

std::string page_counter_text(int32_t page, size_t files) {
    return "Page " + std::to_string(page + 1) + " of " + std::to_string(page_count(files));
}

int32_t cell_at(int32_t x, int32_t y) { return (y / kCellSize) * kGridColumns + (x / kCellSize); }

int32_t file_number(int32_t page, int32_t cell) { return page * kSimsPerPage + cell + 1; }

bool cell_has_file(int32_t page, int32_t cell, size_t files) {
    const int64_t n = static_cast<int64_t>(page) * kSimsPerPage + cell + 1;
    return n >= 1 && n <= static_cast<int64_t>(files);
}

bool can_go_next(int32_t page, size_t files) {
    // With no files there is no page after the first.
    return files > 0 && static_cast<int64_t>((files - 1) / kSimsPerPage) > page;
}

bool can_go_previous(int32_t page) { return page > 0; }

GridPoint cell_origin(int32_t cell) {
    return {(cell % kGridColumns) * kCellSize, (cell / kGridColumns) * kCellSize};
}

GridPoint thumbnail_position(int32_t cell) {
    const GridPoint origin = cell_origin(cell);
    return {origin.x + 11, origin.y + 2};
}

GridPoint name_label_position(int32_t cell) {
    const GridPoint origin = cell_origin(cell);
    return {origin.x + 2, origin.y + 48};
}

}  // namespace fw
