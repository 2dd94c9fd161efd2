#pragma once

// FileListBox1's rules: the files of its directory that match the mask, the
// selection and the report of it into Edit1, and the double-click.

#include "platform/Platform.h"
#include "ui/browser/DirectoryListing.h"
#include "ui/browser/FileEdit.h"
#include "ui/browser/ListObservers.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qmel {

class FileList {
public:
    static constexpr const char* defaultMask = "*.zip;*.gb;*.gbc";

    // Starts in the current directory with no rows until its window exists.
    FileList(Platform& platform, FileEdit& fileEdit);
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    void setOnDoubleClick(std::function<void()> onDoubleClick) { onDoubleClick_ = std::move(onDoubleClick); }
    void setObservers(ListObservers observers) { observers_ = std::move(observers); }

    const std::string& directory() const { return directory_; }
    const std::string& mask() const { return mask_; }
    // Rows are raw file names, sorted without regard to letter case.
    const std::vector<std::string>& rows() const { return rows_; }
    std::optional<std::size_t> selectedRow() const { return selectedRow_; }
    std::optional<std::size_t> lastReportedRow() const { return lastReportedRow_; }

    // Patterns separated by ";"; refreshes.
    void setMask(std::string mask);
    // From now on the list has a window to show rows in; refreshes. A
    // listing of the list's directory is used instead of reading it.
    void createWindow(std::optional<DirectoryListing> listing = std::nullopt);
    // Follows the directory list, using its listing when that is of the
    // directory entered. Throws EInOutError; then rows and directory stay as
    // they were.
    void directoryChange(const std::string& directory, std::optional<DirectoryListing> listing = std::nullopt);
    // Reads the directory once and reports the (empty) selection.
    void refresh();
    // A click or key on a row; reports it unless it was the row last reported,
    // so that text typed into the edit since stays.
    void select(std::size_t index);
    // Selects the row, then runs the double-click handler once.
    void doubleClick(std::size_t index);

private:
    void refreshFrom(std::optional<DirectoryListing> listing);
    void reportSelection();
    bool isSameDirectory(const std::string& directory);

    Platform& platform_;
    FileEdit& fileEdit_;
    std::function<void()> onDoubleClick_;
    ListObservers observers_;

    std::string directory_;
    std::string mask_ = defaultMask;
    bool windowCreated_ = false;
    std::vector<std::string> rows_;
    std::optional<std::size_t> selectedRow_;
    std::optional<std::size_t> lastReportedRow_;
};

}  // namespace qmel
