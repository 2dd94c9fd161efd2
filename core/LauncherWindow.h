#pragma once

// What the launcher's handlers need of the main window. The window implements
// it; tests implement it with plain strings.

#include <string>

namespace qmel {

enum class Memo { Memo1, Memo2 };

class LauncherWindow {
public:
    virtual ~LauncherWindow() = default;

    // A memo's whole text, lines separated by CR LF.
    virtual std::string memoText(Memo memo) const = 0;
    virtual void setMemoText(Memo memo, const std::string& text) = 0;
    // Edit1's whole text.
    virtual std::string editText() const = 0;
    // Replaces the text of the status bar's panel 1.
    virtual void setStatusText(const std::string& text) = 0;
    // The directory the directory list shows.
    virtual std::string directoryListDirectory() const = 0;
    // The directory list's set directory: may raise EInOutError, and on a
    // change raises the list's change event (which runs SciezkaRomy).
    virtual void setDirectoryListDirectory(const std::string& text) = 0;
};

}  // namespace qmel
