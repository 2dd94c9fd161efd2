#pragma once

// The program's own browser as the window shows it: the rules, Edit1 and the
// two list views, shown (offscreen), each at its size in the window.

#include "ui/ByteLineEdit.h"
#include "ui/browser/RomBrowser.h"
#include "ui/browser/widgets/DirectoryListBox.h"
#include "ui/browser/widgets/FileListBox.h"

#include <memory>
#include <string>

namespace qmel::bench {

class ShownBrowser {
public:
    // In the current directory, with the lists filled and painted once.
    ShownBrowser();
    ~ShownBrowser();
    ShownBrowser(const ShownBrowser&) = delete;
    ShownBrowser& operator=(const ShownBrowser&) = delete;

    RomBrowser& rules() { return *browser_; }
    FileListBox& fileView() { return *fileView_; }
    ByteLineEdit& edit() { return *edit_; }

    // The directory list enters the directory and the file list follows it;
    // both views are laid out.
    void enter(const std::string& directory);
    // The file list reads its directory again, up to where the view could paint.
    void refreshFiles();
    // The directory list reads its directory again, up to where the view could paint.
    void rebuildDirectories();

private:
    std::unique_ptr<ByteLineEdit> edit_;
    std::unique_ptr<RomBrowser> browser_;
    std::unique_ptr<FileListBox> fileView_;
    std::unique_ptr<DirectoryListBox> directoryView_;
};

// Lets the event loop run until nothing is left to do, painting included.
void settle();

}  // namespace qmel::bench
