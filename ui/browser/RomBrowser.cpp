#include "ui/browser/RomBrowser.h"

namespace qmel {

RomBrowser::RomBrowser(Platform& platform, FileEdit& fileEdit)
    : driveBox_(platform), directoryList_(platform), fileList_(platform, fileEdit)
{
    driveBox_.setDirectoryList(&directoryList_);
    directoryList_.setDriveBox(&driveBox_);
    directoryList_.setFileList(&fileList_);
}

void RomBrowser::createWindows()
{
    DirectoryListing listing = directoryList_.rebuildKeepingFiles();
    driveBox_.buildDriveList();
    fileList_.createWindow(std::move(listing));
}

}  // namespace qmel
