#include "ui/browser/DirectoryList.h"

#include "core/Errors.h"
#include "ui/browser/DriveBox.h"
#include "ui/browser/FileList.h"
#include "ui/browser/NameOrder.h"
#include "ui/browser/PathCheck.h"
#include "ui/browser/PathRules.h"

#include <algorithm>

namespace qmel {

namespace {

// Raised while set directory has the drive box change the volume, lowered
// however that ends.
class GuardRaised {
public:
    explicit GuardRaised(bool& guard) : guard_(guard) { guard_ = true; }
    ~GuardRaised() { guard_ = false; }
    GuardRaised(const GuardRaised&) = delete;
    GuardRaised& operator=(const GuardRaised&) = delete;

private:
    bool& guard_;
};

// The names of the subdirectories shown as rows; the directories leave
// entries, the other entries stay.
std::vector<std::string> takeShownSubdirectories(std::vector<DirectoryEntry>& entries, bool caseSensitive)
{
    std::vector<std::string> names;
    for (auto& entry : entries) {
        if (entry.directory && !entry.hidden && !entry.system)
            names.push_back(std::move(entry.name));
    }
    std::erase_if(entries, [](const DirectoryEntry& entry) { return entry.directory; });
    sortIgnoringCase(names);
    if (!caseSensitive) {
        // There "Roms" and "ROMS" cannot both exist; one row for what the
        // volume calls one directory.
        names.erase(std::unique(names.begin(), names.end(), equalIgnoringCase), names.end());
    }
    return names;
}

}  // namespace

DirectoryList::DirectoryList(Platform& platform)
    : platform_(platform), directory_(platform.currentDirectory()), volumeRoot_(platform.volumeRootOf(directory_))
{
}

int DirectoryList::glyphX(std::size_t index) const
{
    if (index < rows_.size() && rows_[index].kind == DirectoryRowKind::Subdirectory)
        return 6 + 4 * directoryLevel(directory_);
    return 2 + 4 * static_cast<int>(index);
}

std::string DirectoryList::rowPath(std::size_t index) const
{
    switch (rows_.at(index).kind) {
    case DirectoryRowKind::Subdirectory: return joinPath(directory_, rows_[index].name);
    case DirectoryRowKind::Current: return directory_;
    case DirectoryRowKind::Ancestor: break;
    }
    return ancestorPath(directory_, index);
}

void DirectoryList::setDirectory(const std::string& text)
{
    if (text.empty() || sameDirectory(text, directory_, caseSensitive_))
        return;
    const CheckedPath target = checkPath(platform_, text);
    if (volumeRoot_ != target.volumeRoot) {
        GuardRaised guard(driveChangeGuard_);
        if (driveBox_)
            driveBox_->selectDrive(target.volumeRoot);
        else
            driveChange(target.volumeRoot);
    }
    // The directory found is absolute, so it needs no help from the
    // directory entered before it.
    enter(target.directory);
    notifyChange(rebuildKeepingFiles());
}

void DirectoryList::driveChange(const std::optional<std::string>& volumeRoot)
{
    if (volumeRoot) {
        if (*volumeRoot == volumeRoot_)
            return;
        if (const int error = platform_.enterVolume(*volumeRoot); error != 0)
            throw EInOutError(errorCodeForUser(error));
        takeCurrentDirectory();
    }
    if (driveChangeGuard_)
        return;
    notifyChange(rebuildKeepingFiles());
}

void DirectoryList::openRow(std::size_t index)
{
    if (index >= rows_.size())
        return;
    moveSelection(index);
    setDirectory(rowPath(index));
}

void DirectoryList::moveSelection(std::size_t index)
{
    if (index >= rows_.size() || selectedRow_ == index)
        return;
    selectedRow_ = index;
    notify(observers_.selectionChanged);
}

void DirectoryList::rebuild()
{
    rebuildKeepingFiles();
}

DirectoryListing DirectoryList::rebuildKeepingFiles()
{
    notify(observers_.rowsAboutToChange);
    rows_.clear();
    const CaseFlags flags = platform_.caseFlags(directory_);
    preservesCase_ = flags.casePreserving || flags.caseSensitive;
    caseSensitive_ = flags.caseSensitive;

    rows_.push_back({"/", DirectoryRowKind::Ancestor});
    for (auto& component : pathComponents(directory_))
        rows_.push_back({std::move(component), DirectoryRowKind::Ancestor});
    rows_.back().kind = DirectoryRowKind::Current;
    selectedRow_ = rows_.size() - 1;

    DirectoryListing listing{directory_, {}};
    // An unreadable directory simply has no subdirectory rows.
    platform_.listDirectory(directory_, listing.entries);
    for (auto& name : takeShownSubdirectories(listing.entries, caseSensitive_))
        rows_.push_back({std::move(name), DirectoryRowKind::Subdirectory});
    notify(observers_.rowsChanged);
    notify(observers_.selectionChanged);
    return listing;
}

void DirectoryList::notifyChange(DirectoryListing listing)
{
    if (fileList_)
        fileList_->directoryChange(directory_, std::move(listing));
    notify(onChange_);
}

void DirectoryList::enter(const std::string& directory)
{
    if (const int error = platform_.changeDirectory(directory); error != 0)
        throw EInOutError(errorCodeForUser(error));
    takeCurrentDirectory();
}

void DirectoryList::takeCurrentDirectory()
{
    directory_ = platform_.currentDirectory();
    // Kept from the moment of entering: once a volume is unmounted, today's
    // mount table would put the old directory on the volume below it.
    volumeRoot_ = platform_.volumeRootOf(directory_);
}

}  // namespace qmel
