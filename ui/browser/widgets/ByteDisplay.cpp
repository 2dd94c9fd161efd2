#include "ui/browser/widgets/ByteDisplay.h"

namespace qmel {

QString displayText(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString lowerCaseDisplayText(const std::string& bytes)
{
    return displayText(bytes).toLower();
}

}  // namespace qmel
