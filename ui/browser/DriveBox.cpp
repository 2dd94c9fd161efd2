#include "ui/browser/DriveBox.h"

#include "ui/browser/DirectoryList.h"

namespace qmel {

namespace {

// Labels and network names are shown in lower case; mount points never are,
// they are paths.
std::string lowerCaseAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string labelText(const Volume& volume)
{
    return volume.root + " [" + lowerCaseAscii(volume.label) + "]";
}

}  // namespace

DriveBox::DriveBox(Platform& platform) : platform_(platform)
{
    const std::string startDirectory = platform_.currentDirectory();
    if (!startDirectory.empty())
        drive_ = platform_.volumeRootOf(startDirectory);
}

std::string DriveBox::rowText(const Volume& volume)
{
    switch (volume.kind) {
    case VolumeKind::Removable: return volume.root;
    case VolumeKind::Network:
        if (!volume.networkName.empty())
            return volume.root + " " + lowerCaseAscii(volume.networkName);
        return labelText(volume);
    case VolumeKind::Fixed:
    case VolumeKind::CdRom:
    case VolumeKind::RamDisk: break;
    }
    return labelText(volume);
}

void DriveBox::buildDriveList()
{
    notify(observers_.rowsAboutToChange);
    rows_.clear();
    selectedRow_.reset();
    for (const Volume& volume : platform_.volumes())
        rows_.push_back({volume.root, rowText(volume), volume.kind});
    notify(observers_.rowsChanged);
    notify(observers_.selectionChanged);
    // The row is not selected yet, so this always reaches the directory list,
    // which finds its own volume and does nothing.
    selectDrive(drive_);
}

void DriveBox::selectDrive(const std::optional<std::string>& volumeRoot)
{
    if (selectedRow_ && volumeRoot == drive_)
        return;
    drive_ = volumeRoot;
    selectedRow_.reset();
    if (drive_) {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (rows_[i].root == *drive_) {
                selectedRow_ = i;
                break;
            }
        }
    }
    notify(observers_.selectionChanged);
    if (directoryList_)
        directoryList_->driveChange(drive_);
}

void DriveBox::choose(std::size_t index)
{
    if (index < rows_.size())
        selectDrive(rows_[index].root);
}

}  // namespace qmel
