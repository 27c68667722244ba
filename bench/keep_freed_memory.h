// The benchmarks' allocator setting, shared by every benchmark program.
#pragma once

#include <malloc.h>

#include <limits>

namespace pointimport::bench {

// Memory the allocator gives back to the system between iterations is
// faulted in again by the next one, at a cost that depends on the machine
// and on what the allocator happened to keep; kept, the figures compare the
// work itself. bench/compare_cli.sh measures fresh processes.
inline void KeepFreedMemory() {
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
}

}  // namespace pointimport::bench
