#include "core/screens/grid_keys.hpp"

#include "core/screens/grid_pages.hpp"

namespace fw {

namespace {

// One item's place in the whole list, from 0.
int64_t place(int32_t page, int32_t cell) { return static_cast<int64_t>(page) * kSimsPerPage + cell; }
int64_t row_of(int64_t place) { return place / kGridColumns; }

std::optional<GridMove> move_to(int64_t target, int32_t page, int32_t cell) {
    const auto new_page = static_cast<int32_t>(target / kSimsPerPage);
    const GridMove move{new_page - page, static_cast<int32_t>(target % kSimsPerPage)};
    if (move.page_step == 0 && move.cell == cell) return std::nullopt;
    return move;
}

}  // namespace

std::optional<GridMove> grid_key_move(GridKey key, int32_t page, int32_t cell, size_t items) {
    if (items == 0 || page < 0 || cell < 0) return std::nullopt;
    const auto count = static_cast<int64_t>(items);
    const int64_t here = place(page, cell);
    const int64_t last = count - 1;
    switch (key) {
    case GridKey::PageUp:
        if (!can_go_previous(page)) return std::nullopt;
        return GridMove{-1, 0};
    case GridKey::PageDown:
        if (!can_go_next(page, items)) return std::nullopt;
        return GridMove{+1, 0};
    case GridKey::Home:
        if (place(page, 0) > last) return std::nullopt;
        return move_to(place(page, 0), page, cell);
    case GridKey::End:
        if (place(page, 0) > last) return std::nullopt;
        return move_to(last_index(page, items), page, cell);
    default: break;
    }
    const int64_t step = key == GridKey::Left    ? -1
                         : key == GridKey::Right ? 1
                         : key == GridKey::Up    ? -kGridColumns
                                                 : kGridColumns;
    int64_t target = here + step;
    if (target < 0) return std::nullopt;
    if (target > last) {
        // Past the end of the list: back to the last item, or down to it on a lower row.
        const bool back = step < 0;
        const bool lower_row = row_of(last) > row_of(here);
        if (!back && !lower_row) return std::nullopt;
        target = last;
    }
    return move_to(target, page, cell);
}

}  // namespace fw
