// The failure box's full-stop rule on arbitrary messages.
#include "core/FailureMessage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string message(reinterpret_cast<const char*>(data), size);
    const std::string shown = qmel::failureBoxText(message);

    // The message is kept whole; at most a full stop is added.
    if (shown != message && shown != message + ".")
        std::abort();
    // A non-empty text always ends in punctuation or below, never in a letter.
    if (message.empty() ? !shown.empty() : static_cast<unsigned char>(shown.back()) > 0x2E)
        std::abort();
    // A message that already ends that way is shown as it is.
    if (!message.empty() && static_cast<unsigned char>(message.back()) <= 0x2E && shown != message)
        std::abort();
    if (qmel::failureBoxText(shown) != shown)
        std::abort();
    return 0;
}
