// Mask matching against a plain table-filling matcher.
#include "platform/WildcardMatch.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Only short inputs are checked against the reference: it costs pattern
// length times name length in time and memory.
constexpr std::size_t ReferenceLimit = 64;

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// matches[i][j]: the first i pattern bytes match the first j name bytes.
bool referenceMatch(std::string_view pattern, std::string_view name)
{
    if (pattern == "*.*")
        return true;
    const std::size_t columns = name.size() + 1;
    std::vector<char> matches((pattern.size() + 1) * columns, 0);
    auto at = [&](std::size_t i, std::size_t j) -> char& { return matches[i * columns + j]; };
    at(0, 0) = 1;
    for (std::size_t i = 1; i <= pattern.size(); ++i) {
        const char p = pattern[i - 1];
        for (std::size_t j = 0; j <= name.size(); ++j) {
            if (p == '*')
                at(i, j) = at(i - 1, j) || (j > 0 && at(i, j - 1));
            else if (j > 0 && (p == '?' || lower(p) == lower(name[j - 1])))
                at(i, j) = at(i - 1, j - 1);
        }
    }
    return at(pattern.size(), name.size()) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Two texts: up to the first NUL, and the rest.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = std::min(input.find('\0'), input.size());
    const std::string pattern(input.substr(0, nul));
    const std::string name(input.substr(std::min(nul + 1, input.size())));

    const bool matched = qmel::wildcardMatch(pattern, name);
    if (pattern.size() <= ReferenceLimit && name.size() <= ReferenceLimit &&
        matched != referenceMatch(pattern, name))
        std::abort();
    // Inputs of any length: a name without wildcards is a mask for itself,
    // and "*" takes every name.
    if (name.find_first_of("*?") == std::string::npos && !qmel::wildcardMatch(name, name))
        std::abort();
    if (!qmel::wildcardMatch("*", name))
        std::abort();
    return 0;
}
