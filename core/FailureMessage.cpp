#include "core/FailureMessage.h"

namespace qmel {

std::string failureBoxText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > 0x2E)
        return message + ".";
    return message;
}

}  // namespace qmel
