#include "platform/ProcessMemory.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace petari {

void keepLargeBlocksMapped()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

}  // namespace petari
