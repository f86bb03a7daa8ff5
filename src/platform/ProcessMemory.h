#pragma once
// How the process's allocator treats large blocks; set once in main, before
// any document exists.

namespace petari {

// A snapshot read back for undo is tens of megabytes of bytes at once.
// glibc raises its mmap threshold to the size of the first such block that
// is freed, and keeps every later one on the heap, where memory freed is not
// given back: the resident size then grows with each undo.  Pinning the
// threshold keeps those blocks mapped, and returned when freed.
void keepLargeBlocksMapped();

}  // namespace petari
