#pragma once

// The window operations with plain strings. Its directory list behaves as the
// real one does for the handlers: an empty text or the directory already shown
// changes nothing; anything else becomes the current directory (a failure is
// an EInOutError) and the change runs SciezkaRomy.

#include "core/Errors.h"
#include "core/LauncherWindow.h"
#include "core/Settings.h"
#include "platform/Platform.h"

#include <string>
#include <vector>

namespace qmel::test {

class FakeWindow : public LauncherWindow {
    Platform& platform_;

public:
    explicit FakeWindow(Platform& platform) : platform_(platform), directory(platform.currentDirectory()) {}

    std::string memoText(Memo memo) const override { return memo == Memo::Memo1 ? memo1 : memo2; }
    void setMemoText(Memo memo, const std::string& text) override
    {
        (memo == Memo::Memo1 ? memo1 : memo2) = text;
    }
    std::string editText() const override { return edit; }
    void setStatusText(const std::string& text) override { statusTexts.push_back(text); }
    std::string directoryListDirectory() const override { return directory; }
    void setDirectoryListDirectory(const std::string& text) override
    {
        directoryRequests.push_back(text);
        if (text.empty() || text == directory)
            return;
        if (const int error = platform_.changeDirectory(text))
            throw EInOutError(errorCodeForUser(error));
        directory = platform_.currentDirectory();
        SciezkaRomy(*this);
    }

    std::string memo1;
    std::string memo2;
    std::string edit;
    std::vector<std::string> statusTexts;
    std::string directory;
    std::vector<std::string> directoryRequests;
};

}  // namespace qmel::test
