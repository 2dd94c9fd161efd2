// Line-break normalisation of arbitrary bytes.
#include "core/LineBreaks.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Every CR is followed by LF and every LF preceded by CR.
bool hasOnlyCrLfBreaks(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

std::string withoutBreakBytes(std::string_view text)
{
    std::string rest;
    for (char c : text)
        if (c != '\r' && c != '\n')
            rest.push_back(c);
    return rest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string once = qmel::normalizeLineBreaks(input);

    if (!hasOnlyCrLfBreaks(once))
        std::abort();
    if (qmel::normalizeLineBreaks(once) != once)
        std::abort();
    if (hasOnlyCrLfBreaks(input) && once != input)
        std::abort();
    // Only breaks change: every other byte is kept, in order.
    if (withoutBreakBytes(once) != withoutBreakBytes(input))
        std::abort();
    return 0;
}
