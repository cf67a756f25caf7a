#include "core/screens/grid_pages.hpp"

#include <gtest/gtest.h>

// The grid at its edges: an empty list, the last pixel of a cell, a point below the grid.
TEST(GridPages, EmptyListsEdgesOfCellsAndClicksBelowTheGrid) {
    EXPECT_EQ(fw::last_index(0, 0), -1);
    EXPECT_EQ(fw::page_counter_text(0, 0), "Page 1 of 0");
    EXPECT_FALSE(fw::can_go_next(0, 0));
    const int32_t points[][3] = {{67, 67, 0}, {68, 0, 1}, {475, 475, 48}, {0, 476, 49}};
    for (const auto& [x, y, cell] : points) EXPECT_EQ(fw::cell_at(x, y), cell) << x << "," << y;
    // A click below the grid takes the next page's file.
    EXPECT_TRUE(fw::cell_has_file(0, 49, 50));
}
