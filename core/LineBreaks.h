#pragma once

#include <string>
#include <string_view>

namespace qmel {

// Makes every line break CR LF: a lone CR or a lone LF becomes CR LF, CR LF
// stays, every other byte is copied.
std::string normalizeLineBreaks(std::string_view text);

}  // namespace qmel
