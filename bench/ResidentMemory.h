#pragma once

#include <cstddef>

namespace qmel::bench {

// The process's resident set, from /proc/self/statm.
std::size_t residentBytes();

// Hands memory that the allocator holds free back to the system, so that a
// later figure counts only what is in use from then on.
void returnFreeMemory();

}  // namespace qmel::bench
