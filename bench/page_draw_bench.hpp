#pragma once

namespace fw::bench {

// Registers page_draw/ours (the main window drawing a page of 49 sims) and page_draw/plain.
void register_page_draw_benchmarks();
// Closes the main window the benchmark drew into; before the application object goes.
void release_page_draw_fixture();

}  // namespace fw::bench
