#pragma once

namespace fw::bench {

// Registers head_render/ours (one 256 x 256 frame of a 200-triangle textured head) and
// head_render/plain (filling and copying a 256 x 256 picture: the floor under any renderer).
void register_head_render_benchmarks();

}  // namespace fw::bench
