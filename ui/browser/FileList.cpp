#include "ui/browser/FileList.h"

#include "core/Errors.h"
#include "platform/WildcardMatch.h"
#include "ui/browser/NameOrder.h"

#include <string_view>

namespace qmel {

namespace {

std::vector<std::string_view> maskPieces(std::string_view mask)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (true) {
        const auto semicolon = mask.find(';', start);
        pieces.push_back(mask.substr(start, semicolon == std::string_view::npos ? mask.npos : semicolon - start));
        if (semicolon == std::string_view::npos)
            return pieces;
        start = semicolon + 1;
    }
}

bool isListedFile(const DirectoryEntry& entry)
{
    return !entry.directory && !entry.hidden && !entry.system;
}

}  // namespace

FileList::FileList(Platform& platform, FileEdit& fileEdit)
    : platform_(platform), fileEdit_(fileEdit), directory_(platform.currentDirectory())
{
}

void FileList::setMask(std::string mask)
{
    mask_ = std::move(mask);
    refresh();
}

void FileList::createWindow()
{
    windowCreated_ = true;
    refresh();
}

bool FileList::isSameDirectory(const std::string& directory)
{
    if (directory == directory_)
        return true;
    // Letter case counts on a case-sensitive volume: /roms/GB and /roms/gb
    // are two directories there.
    return equalIgnoringCase(directory, directory_) && !platform_.caseFlags(directory).caseSensitive;
}

void FileList::directoryChange(const std::string& directory)
{
    if (isSameDirectory(directory))
        return;
    if (const int error = platform_.changeDirectory(directory); error != 0)
        throw EInOutError(errorCodeForUser(error));
    directory_ = platform_.currentDirectory();
    refresh();
}

void FileList::refresh()
{
    if (!windowCreated_)
        return;
    if (const int error = platform_.changeDirectory(directory_); error != 0)
        throw EInOutError(errorCodeForUser(error));

    notify(observers_.rowsAboutToChange);
    rows_.clear();
    selectedRow_.reset();
    std::vector<DirectoryEntry> entries;
    // One read per refresh, whatever the number of patterns; an unreadable
    // directory lists nothing.
    platform_.listDirectory(directory_, entries);
    for (const std::string_view piece : maskPieces(mask_)) {
        if (piece.empty())
            continue;
        for (const auto& entry : entries) {
            if (isListedFile(entry) && wildcardMatch(piece, entry.name))
                rows_.push_back(entry.name);
        }
    }
    sortIgnoringCase(rows_);
    notify(observers_.rowsChanged);
    notify(observers_.selectionChanged);
    reportSelection();
}

void FileList::select(std::size_t index)
{
    if (index >= rows_.size())
        return;
    if (selectedRow_ != index) {
        selectedRow_ = index;
        notify(observers_.selectionChanged);
    }
    if (lastReportedRow_ != index)
        reportSelection();
}

void FileList::doubleClick(std::size_t index)
{
    if (index >= rows_.size())
        return;
    select(index);
    notify(onDoubleClick_);
}

void FileList::reportSelection()
{
    lastReportedRow_ = selectedRow_;
    fileEdit_.setFileEditText(selectedRow_ ? rows_[*selectedRow_] : mask_);
}

}  // namespace qmel
