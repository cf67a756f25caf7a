#pragma once

namespace fw::bench {

// Registers the paired benchmarks: NAME/ours and NAME/plain for each figure.
void register_benchmarks();

}  // namespace fw::bench
