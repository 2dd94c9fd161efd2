#pragma once

// The four linked controls of the file manager frame: the drive box drives the
// directory list, the directory list the file list, the file list the edit.
// Nothing flows back along the chain.

#include "platform/Platform.h"
#include "ui/browser/DirectoryList.h"
#include "ui/browser/DriveBox.h"
#include "ui/browser/FileEdit.h"
#include "ui/browser/FileList.h"

#include <functional>

namespace qmel {

class RomBrowser {
public:
    // All three start in the current directory and report nothing.
    RomBrowser(Platform& platform, FileEdit& fileEdit);
    RomBrowser(const RomBrowser&) = delete;
    RomBrowser& operator=(const RomBrowser&) = delete;

    // What happens when the controls' windows are created: the directory list
    // rebuilds, the drive list is built, the file list refreshes and puts the
    // mask into the edit.
    void createWindows();

    // The directory list's OnChange (SciezkaRomy).
    void setOnChange(std::function<void()> onChange) { directoryList_.setOnChange(std::move(onChange)); }
    // The file list's OnDblClick (StartClick).
    void setOnFileDoubleClick(std::function<void()> onDoubleClick)
    {
        fileList_.setOnDoubleClick(std::move(onDoubleClick));
    }

    DriveBox& driveBox() { return driveBox_; }
    DirectoryList& directoryList() { return directoryList_; }
    FileList& fileList() { return fileList_; }

private:
    DriveBox driveBox_;
    DirectoryList directoryList_;
    FileList fileList_;
};

}  // namespace qmel
