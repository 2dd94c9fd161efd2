#include "bench/ResidentMemory.h"

#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace qmel::bench {

std::size_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t totalPages = 0;
    std::size_t residentPages = 0;
    statm >> totalPages >> residentPages;
    return residentPages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

void returnFreeMemory()
{
    malloc_trim(0);
}

}  // namespace qmel::bench
