#pragma once

// What the fuzz targets share: a check that stops the run, and a plain
// component-wise "is this path inside that directory" kept apart from the
// code under test.

#include <cstdlib>
#include <string_view>

namespace qmel::fuzz {

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

inline bool within(std::string_view path, std::string_view directory)
{
    if (directory == "/")
        return path.starts_with('/');
    return path.starts_with(directory) && (path.size() == directory.size() || path[directory.size()] == '/');
}

}  // namespace qmel::fuzz
