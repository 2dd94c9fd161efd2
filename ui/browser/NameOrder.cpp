#include "ui/browser/NameOrder.h"

#include <algorithm>

namespace qmel {

namespace {
unsigned char foldCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}
}  // namespace

int compareIgnoringCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = foldCase(a[i]);
        const unsigned char y = foldCase(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && compareIgnoringCase(a, b) == 0;
}

void sortIgnoringCase(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = compareIgnoringCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

}  // namespace qmel
