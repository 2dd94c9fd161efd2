#pragma once

// The order of names in the browser's lists: alphabetical without regard to
// letter case, by plain bytes. Locale collation is far too slow for folders of
// a hundred thousand names, and names are bytes, not text.

#include <string>
#include <string_view>
#include <vector>

namespace qmel {

// <0, 0 or >0; ASCII letters compare regardless of case, other bytes by value.
int compareIgnoringCase(std::string_view a, std::string_view b);
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Sorts ignoring case; names equal that way keep a fixed order (by bytes).
void sortIgnoringCase(std::vector<std::string>& names);

}  // namespace qmel
