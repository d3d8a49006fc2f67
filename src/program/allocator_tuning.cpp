#include "program/allocator_tuning.h"

#include <malloc.h>

namespace tevra {

void TuneAllocator() {
  // Qt's PDF writer allocates two buffers of about 10 MB and a fresh zlib
  // stream for every page it writes, and frees them again. With glibc's
  // defaults those blocks are mapped and unmapped (or the heap grown and
  // trimmed) for each page, which took more than half the CPU of a merge
  // print. Blocks below 32 MiB now come from the heap, and the heap is
  // trimmed only when 256 MiB lie free at its top: the same memory is used
  // page after page, so the resident size stays flat.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

}  // namespace tevra
