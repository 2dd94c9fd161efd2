#pragma once

// DriveComboBox1's rules: one row per volume, built once, and the choice of a
// volume handed to the directory list.

#include "platform/Platform.h"
#include "ui/browser/ListObservers.h"

#include <optional>
#include <string>
#include <vector>

namespace qmel {

class DirectoryList;

struct DriveRow {
    std::string root;  // the mount point, exactly
    std::string text;  // raw bytes as shown
    VolumeKind kind = VolumeKind::Fixed;
};

class DriveBox {
public:
    // The drive is the volume of the current directory; no rows until the
    // drive list is built.
    explicit DriveBox(Platform& platform);
    DriveBox(const DriveBox&) = delete;
    DriveBox& operator=(const DriveBox&) = delete;

    void setDirectoryList(DirectoryList* directoryList) { directoryList_ = directoryList; }
    void setObservers(ListObservers observers) { observers_ = std::move(observers); }

    const std::optional<std::string>& drive() const { return drive_; }
    const std::vector<DriveRow>& rows() const { return rows_; }
    std::optional<std::size_t> selectedRow() const { return selectedRow_; }

    // Once, when the box's window is created; then selects the box's drive.
    void buildDriveList();
    // Shows the volume and hands it to the directory list, unless it is
    // shown already. Throws EInOutError when the volume cannot be entered;
    // the box keeps showing it.
    void selectDrive(const std::optional<std::string>& volumeRoot);
    // The user chose a row.
    void choose(std::size_t index);

    // "mount [label]", "mount source" for a network volume, the mount point
    // alone for a removable one, whose medium is not touched.
    static std::string rowText(const Volume& volume);

private:
    Platform& platform_;
    DirectoryList* directoryList_ = nullptr;
    ListObservers observers_;

    std::optional<std::string> drive_;
    std::vector<DriveRow> rows_;
    std::optional<std::size_t> selectedRow_;
};

}  // namespace qmel
