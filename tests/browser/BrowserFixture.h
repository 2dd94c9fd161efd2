#pragma once

// A browser started in a real temporary tree, as the window creates it.

#include "support/TempDir.h"
#include "tests/browser/RecordingFileEdit.h"
#include "tests/browser/VolumePlatform.h"
#include "ui/browser/RomBrowser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qmel::test {

class BrowserFixture : public ::testing::Test {
protected:
    BrowserFixture() : inTree_(tree.path()) {}

    // Builds the browser in the current directory and creates its windows;
    // OnChange records the directory the file list has then.
    RomBrowser& start()
    {
        browser_ = std::make_unique<RomBrowser>(platform, edit);
        browser_->setOnChange([this] { changes.push_back(browser_->fileList().directory()); });
        browser_->setOnFileDoubleClick([this] { doubleClickEdits.push_back(edit.text); });
        browser_->createWindows();
        return *browser_;
    }
    RomBrowser& browser() { return *browser_; }

    std::vector<std::string> subdirectoryNames()
    {
        std::vector<std::string> names;
        for (const auto& row : browser_->directoryList().rows()) {
            if (row.kind == DirectoryRowKind::Subdirectory)
                names.push_back(row.name);
        }
        return names;
    }

    TempDir tree;
    VolumePlatform platform;
    RecordingFileEdit edit;
    std::vector<std::string> changes;           // file list's directory at each OnChange
    std::vector<std::string> doubleClickEdits;  // Edit1's text at each StartClick

private:
    ScopedCurrentDirectory inTree_;
    std::unique_ptr<RomBrowser> browser_;
};

}  // namespace qmel::test
