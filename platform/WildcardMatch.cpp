#include "platform/WildcardMatch.h"

#include <cstddef>

namespace qmel {

namespace {

char foldAsciiCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name)
{
    if (pattern == "*.*")
        return true;

    // Greedy scan; on a mismatch go back to the last '*' and let it swallow
    // one more byte. Earlier stars never need revisiting, so the cost stays
    // at most pattern length times name length, without recursion.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || foldAsciiCase(pattern[p]) == foldAsciiCase(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace qmel
