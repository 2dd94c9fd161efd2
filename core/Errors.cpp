#include "core/Errors.h"

namespace qmel {

std::string EInOutError::inOutMessage(int errorCode)
{
    switch (errorCode) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(errorCode);
    }
}

}  // namespace qmel
