// Memory allocator settings shared by both programs.
#pragma once

#include <cstdlib> // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

// Qt's PDF writer allocates and frees two 16 MiB buffers for every page it
// compresses. glibc serves blocks that large straight from the kernel (mmap)
// and gives them back at once, so each page paid for mapping, faulting in and
// clearing 32 MiB: most of an export's time. Raising the thresholds keeps
// those buffers in the heap between pages; the output is byte for byte the same.
inline void AjustarAsignador() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}
