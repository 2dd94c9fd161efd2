#pragma once

#include <string>

class QWidget;

namespace qmel {

inline constexpr const char* ApplicationTitle = "QMel v1.2";

// The failure box: modal, captioned with the application title, stop icon,
// one OK button, the message with its full stop rule applied.
void showFailureBox(const std::string& message);

// The box for a failure while the window is built; the program then ends.
void showFatalErrorBox(const std::string& message);

}  // namespace qmel
