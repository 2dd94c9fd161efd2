#pragma once

#include <string>

namespace qmel {

// The text the failure box shows for a failure's message: a "." is appended
// unless the message is empty or already ends in a byte of 0x2E or lower.
std::string failureBoxText(const std::string& message);

}  // namespace qmel
