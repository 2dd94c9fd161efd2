#pragma once

// Display text for raw file-system bytes. Made only when a row is painted or
// asked for; names stay bytes everywhere else. Bytes that are not UTF-8 show
// as U+FFFD.

#include <QString>

#include <string>

namespace qmel {

QString displayText(const std::string& bytes);
QString lowerCaseDisplayText(const std::string& bytes);

}  // namespace qmel
