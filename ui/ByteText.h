#pragma once

// The one place where bytes become text on screen and back. Bytes that are not
// valid UTF-8 show as replacement characters; the controls keep the bytes
// themselves, so what the user did not edit goes back unchanged.

#include "ui/browser/widgets/ByteDisplay.h"

#include <QString>
#include <string>

namespace qmel {

// A memo's display text: its CR LF line breaks shown as plain line breaks.
QString memoDisplayText(const std::string& bytes);
// What the user typed into a memo, with CR LF line breaks.
std::string memoBytes(const QString& text);

}  // namespace qmel
