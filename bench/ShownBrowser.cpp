#include "bench/ShownBrowser.h"

#include "bench/FirstPaint.h"
#include "platform/Platform.h"

#include <QCoreApplication>

namespace qmel::bench {

ShownBrowser::ShownBrowser()
    : edit_(std::make_unique<ByteLineEdit>()),
      browser_(std::make_unique<RomBrowser>(systemPlatform(), *edit_)),
      fileView_(std::make_unique<FileListBox>(browser_->fileList())),
      directoryView_(std::make_unique<DirectoryListBox>(browser_->directoryList()))
{
    // The sizes of FileListBox1 and DirectoryListBox1 in the window.
    fileView_->resize(249, 201);
    directoryView_->resize(249, 97);
    browser_->createWindows();
    showAndWaitForFirstPaint(*fileView_);
    showAndWaitForFirstPaint(*directoryView_);
}

ShownBrowser::~ShownBrowser()
{
    // The views go before the rules they observe.
    directoryView_.reset();
    fileView_.reset();
    browser_.reset();
    edit_.reset();
}

void ShownBrowser::enter(const std::string& directory)
{
    browser_->directoryList().setDirectory(directory);
    directoryView_->doItemsLayout();
    fileView_->doItemsLayout();
}

void ShownBrowser::refreshFiles()
{
    browser_->fileList().refresh();
    fileView_->doItemsLayout();
}

void ShownBrowser::rebuildDirectories()
{
    browser_->directoryList().rebuild();
    directoryView_->doItemsLayout();
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

}  // namespace qmel::bench
