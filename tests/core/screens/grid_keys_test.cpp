#include "core/screens/grid_keys.hpp"

#include <gtest/gtest.h>

#include <tuple>

using K = fw::GridKey;

// Where each key leads on 100 items (pages of 49, 49 and 2) or fewer: {page step, cell}, or -1
// for a key that leads nowhere.
TEST(GridKeys, WhereEachKeyLeads) {
    const std::tuple<K, int32_t, int32_t, size_t, int32_t, int32_t> cases[] = {
        {K::Right, 0, 6, 100, 0, 7},     {K::Left, 0, 7, 100, 0, 6},      // over a row's end
        {K::Right, 0, 48, 100, +1, 0},   {K::Left, 1, 0, 100, -1, 48},    // over a page's end
        {K::Down, 0, 45, 100, +1, 3},    {K::Up, 1, 3, 100, -1, 45},      // the other page's row
        {K::Down, 1, 45, 100, +1, 1},    {K::Down, 0, 5, 10, 0, 9},       // onto a shorter last row
        {K::Down, 0, 8, 10, 0, -1},      {K::Right, 2, 1, 100, 0, -1},    // the list's end
        {K::Left, 0, 20, 10, 0, 9},      {K::Right, 0, 20, 10, 0, -1},    // from an empty cell
        {K::Home, 1, 30, 100, 0, 0},     {K::End, 2, 0, 100, 0, 1},       // the page's ends
        {K::PageDown, 0, 17, 50, +1, 0}, {K::PageDown, 1, 0, 50, 0, -1},  // Next, not past the last
        {K::PageUp, 1, 5, 50, -1, 0},    {K::PageUp, 0, 5, 50, 0, -1},    // Previous, not before the first
        {K::Up, 0, 3, 100, 0, -1},       {K::End, 0, 0, 0, 0, -1},        // the list's start; none
    };
    for (const auto& [key, page, cell, items, page_step, to_cell] : cases) {
        const auto want = to_cell < 0 ? std::nullopt : std::optional(fw::GridMove{page_step, to_cell});
        EXPECT_EQ(fw::grid_key_move(key, page, cell, items), want) << int(key) << " " << page << " " << cell;
    }
}
