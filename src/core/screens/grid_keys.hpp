#pragma once
// The keys of a thumbnail grid: where each one moves the selection among the items (sims or
// skins) shown 49 to a page in 7 x 7 cells.
//
// The arrows walk the items in their list order, which is the order of the cells: Left and Right
// one item, Up and Down one row of seven. Right at a row's end goes on to the next row's first
// cell; past the page's last cell (or first, going back) the page turns, as Next (or Previous)
// would, and the walk goes on there: Right from cell 48 comes to cell 0 of the next page, Down
// from the bottom row to the same column on the top row of the next page. The walk never leaves
// the list: on the last page, Down where the row below is empty goes to the last item when it
// lies on a lower row, and otherwise, as Right from the last item, does nothing. Home and End go
// to the first and the last item of the page; Page Up and Page Down turn the page as Previous and
// Next do (the new page's first cell is selected). A key with nowhere to go does nothing.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace fw {

enum class GridKey { Left, Right, Up, Down, Home, End, PageUp, PageDown };

struct GridMove {
    // -1 turns to the previous page, +1 to the next (as Previous and Next do), 0 stays.
    int32_t page_step = 0;
    // The cell to select on the page shown after the turn.
    int32_t cell = 0;
    bool operator==(const GridMove&) const = default;
};

// Where the key leads from the selected cell of the page, over `items` items in all. Nothing when
// the selection stays where it is. A selected cell beyond the last item (an empty cell clicked on
// the last page) counts from where it is: Left and Up come back to the last item.
std::optional<GridMove> grid_key_move(GridKey key, int32_t page, int32_t cell, size_t items);

}  // namespace fw
