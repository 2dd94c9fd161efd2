#pragma once

// DirectoryListBox1's rules: the directory shown, its rows, opening a row and
// the change notification that moves the file list and raises OnChange.

#include "platform/Platform.h"
#include "ui/browser/DirectoryListing.h"
#include "ui/browser/ListObservers.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qmel {

class DriveBox;
class FileList;

enum class DirectoryRowKind { Ancestor, Current, Subdirectory };

struct DirectoryRow {
    std::string name;  // raw bytes; "/" for the root
    DirectoryRowKind kind = DirectoryRowKind::Subdirectory;
};

class DirectoryList {
public:
    // Starts in the current directory, reporting no change.
    explicit DirectoryList(Platform& platform);
    DirectoryList(const DirectoryList&) = delete;
    DirectoryList& operator=(const DirectoryList&) = delete;

    void setDriveBox(DriveBox* driveBox) { driveBox_ = driveBox; }
    void setFileList(FileList* fileList) { fileList_ = fileList; }
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }
    void setObservers(ListObservers observers) { observers_ = std::move(observers); }

    const std::string& directory() const { return directory_; }
    const std::vector<DirectoryRow>& rows() const { return rows_; }
    std::optional<std::size_t> selectedRow() const { return selectedRow_; }
    bool preservesCase() const { return preservesCase_; }
    bool caseSensitive() const { return caseSensitive_; }
    bool driveChangeGuard() const { return driveChangeGuard_; }

    // Pixels from the left edge to the row's glyph.
    int glyphX(std::size_t index) const;
    // The directory that opening the row enters.
    std::string rowPath(std::size_t index) const;

    // Makes the named directory the one shown and the current directory.
    // Throws EInOutError; a failed path check changes nothing.
    void setDirectory(const std::string& text);
    // volumeRoot is the drive box's drive, none when it has none.
    void driveChange(const std::optional<std::string>& volumeRoot);
    // A double-click on the row, or Enter on the selected row.
    void openRow(std::size_t index);
    // A click or an arrow key: the selection moves, nothing else.
    void moveSelection(std::size_t index);
    void rebuild();
    // Rebuilds and hands back the entries that are not directories, for the
    // file list to follow without reading the directory again.
    DirectoryListing rebuildKeepingFiles();

private:
    void notifyChange(DirectoryListing listing);
    void enter(const std::string& directory);
    void takeCurrentDirectory();

    Platform& platform_;
    DriveBox* driveBox_ = nullptr;
    FileList* fileList_ = nullptr;
    std::function<void()> onChange_;
    ListObservers observers_;

    std::string directory_;
    std::string volumeRoot_;  // the volume directory_ was on when entered
    std::vector<DirectoryRow> rows_;
    std::optional<std::size_t> selectedRow_;
    bool preservesCase_ = true;
    bool caseSensitive_ = true;
    bool driveChangeGuard_ = false;
};

}  // namespace qmel
