#include "core/LineBreaks.h"

namespace qmel {

// Works on bytes: in UTF-8 the bytes of a multi-byte sequence are all 0x80 or
// above, so a CR or LF byte is always a character of its own and no lead-byte
// handling is needed.
std::string normalizeLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        if (byte == '\r') {
            result += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (byte == '\n') {
            result += "\r\n";
        } else {
            result.push_back(byte);
        }
    }
    return result;
}

}  // namespace qmel
