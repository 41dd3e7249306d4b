#include "freed_memory.h"

// Any C library header says which C library this is.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ampery::analysis {

void keepFreedMemory() {
#if defined(__GLIBC__)
    // Up to this much freed memory stays with the program, and blocks up to
    // this size come from the heap rather than from mappings of their own,
    // which would be handed back when each is freed.
    constexpr int kept = 32 * 1024 * 1024;
    mallopt(M_TRIM_THRESHOLD, kept);
    mallopt(M_MMAP_THRESHOLD, kept);
#endif
}

} // namespace ampery::analysis
