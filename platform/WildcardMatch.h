#pragma once

// Matching of file-name masks such as "*.gb": '*' stands for any run of bytes,
// '?' for exactly one byte, everything else for itself. ASCII letters match
// regardless of case; other bytes must be equal. "*.*" matches every name,
// including names without a dot, as directory searches always did.

#include <string_view>

namespace qmel {

bool wildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace qmel
